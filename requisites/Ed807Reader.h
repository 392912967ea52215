#pragma once

#include <QByteArray>
#include <QString>

#include "requisites/BikDirectory.h"

// Reads the Bank of Russia's directory of BIKs as it publishes it: an ED807 electronic document,
// XML in the code page the file declares (1251), with one BICDirectoryEntry a BIK.
namespace Ed807Reader {

// The directory in the bytes of the file. False, with *error in Russian naming what is wrong, for
// bytes that are not one whole full directory: malformed or cut short, another kind of document,
// a list of changes, an entry without its BIK or name, or no entry at all.
bool Read(const QByteArray& xml, BikDirectory* directory, QString* error);

}  // namespace Ed807Reader
