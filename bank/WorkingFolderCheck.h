#pragma once

#include <QStringList>

#include "requisites/BikDirectory.h"

class WorkingFolder;

// Checks everything the working folder holds, reading only: both address books record by record
// (the bank details rules) and every order file of the archive (its parties are in the books).
// One line per problem, naming the file, the record or order, the field and what is wrong:
//   pltRecv.dat: запись 2 «ООО Ромашка»: Счет1: контрольный ключ не сходится с БИК 044525225
//   Vemo/vemo.3: плательщик «ООО Ромашка» не найден в pltRecv.dat
// The books come first, payers before recipients, then the orders by the number in their file
// names, each order file the archive lists (or names as unreadable). A missing book or archive
// folder is an empty one, but a folder with neither book nor archive folder is itself the problem
// ("в папке DIR нет ни реквизитов, ни платежек"): the check was run where the data is not. A file
// that is there but cannot be read is a problem. Empty when all is well. Nothing is written or
// created. The records are also held against the directory of BIKs, when one is given.
QStringList CheckWorkingFolder(const WorkingFolder& folder, const BikDirectory& directory = {});
