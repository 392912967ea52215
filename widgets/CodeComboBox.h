#pragma once

#include <QComboBox>
#include <QString>

#include "common/CodeList.h"

// A choice of a short code from a list that shows each code with its meaning, the first entry
// empty for no code. The closed box shows the code alone; a code read from a file that is not in
// the list is shown as it stands, so that nothing read is lost or changed.
class CodeComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CodeComboBox(const CodeList& codes, QWidget* parent = nullptr);

    void SetCode(const QString& code);
    QString Code() const;

private:
    void AddCode(const QString& code, const QString& meaning);
};
