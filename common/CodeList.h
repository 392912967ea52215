#pragma once

#include <QList>
#include <QString>

// A short code a field may hold, and what it means to the user.
struct CodeMeaning {
    QString code;
    QString meaning;
};
using CodeList = QList<CodeMeaning>;
