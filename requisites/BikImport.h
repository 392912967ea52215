#pragma once

#include <QString>

#include "requisites/BikDirectory.h"

// Taking a downloaded directory of BIKs into the program: the ED807 file itself or the zip
// archive it comes in. The directory is kept whole or not at all: a file that is not a full
// directory, or a failed save, leaves the kept one as it was.
namespace BikImport {

// Reads the directory in the file without keeping it. False, with *error in Russian, for a file
// that cannot be read or is not a full directory.
bool ReadFile(const QString& path, BikDirectory* directory, QString* error);

struct Result {
    bool imported = false;
    QString message;  // in Russian, for the user: what was taken, or why nothing was
};

// Reads the file and makes it the kept directory.
Result ImportFile(const QString& path);

}  // namespace BikImport
