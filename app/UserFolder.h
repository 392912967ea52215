#pragma once

#include <QDir>
#include <QString>

// Where the editor keeps its data when the desktop menu starts it (vemo --user-folder): a folder
// of its own in the user's home, made at the first start, so that the home itself gains no data
// files.
namespace UserFolder {

// The folder's name in the home.
QString Name();

// The folder to work in for that home: the program's own folder; or, while there is none, the
// home itself when it holds an earlier start's data (an address book or the orders' folder), so
// that the orders and records kept there stay found.
QDir Choose(const QDir& home);

}  // namespace UserFolder
