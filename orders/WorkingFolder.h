#pragma once

#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>

#include "common/DesktopTrash.h"
#include "common/LineFile.h"
#include "orders/OrderRow.h"
#include "requisites/AddressBook.h"

// Both address books of a working folder, as they were read at one moment.
struct AddressBooks {
    AddressBook payers;
    AddressBook recipients;

    const AddressBook& Of(int nKind) const { return nKind == kPayersKind ? payers : recipients; }
    // The file names of the books that are there but could not be read, payers first.
    QStringList Unreadable() const;
};

// The orders of a working folder, as they were read at one moment.
struct StoredOrders {
    QList<OrderRow> rows;    // in ascending order of the number in their file names
    QStringList files;       // the name of the file each row was read from ("Vemo/vemo.7")
    QStringList unreadable;  // the names of the order files that could not be read
};

// A party looked up by name in its address book.
struct FoundParty {
    bool found = false;
    bool unreadable = false;  // the book is there but could not be read: nothing is found
    CRequisite record;        // set when found
};

// The folder the program keeps its data in: the two address books, "pltRecv.dat" and
// "polRecv.dat", and the order files under "Vemo". Every window and every command reads the
// folder through here and is handed what was read; none opens a data file itself. Reading never
// writes or creates anything; writing is the order archive's and the requisites archive's alone.
class WorkingFolder {
public:
    // The process's working directory unless another folder is given.
    explicit WorkingFolder(const QDir& dir = QDir::current());

    const QDir& Dir() const { return m_dir; }
    // The path of a data file by the name the program gives it ("pltRecv.dat", "Vemo/vemo.7").
    QString PathOf(const QString& name) const;
    // Whether anything stands at the name of an address book or of the order files' folder: a
    // folder without any is not one the program has worked in.
    bool HoldsData() const;

    // The address book of the kind on its file, not read yet: the requisites archive loads it,
    // changes it and saves it.
    AddressBook Book(int nKind) const;
    AddressBooks ReadBooks() const;
    // The first record of exactly that name in the kind's book (FindRecord's rule), reading the
    // book only as far as that record, so that a large book costs what a small one does.
    FoundParty FindParty(int nKind, const QString& name) const;
    // Adds the record at the end of the kind's book as the file holds it now, written at once;
    // false, the file as it was, when the book cannot be read or written, and *error says why.
    bool AddRecord(int nKind, const CRequisite& record, QString* error = nullptr) const;

    // Every order file, read at once (the fast listing of a large archive).
    StoredOrders ReadOrders() const;
    // Order file N alone; an empty row unless Ok.
    LineFile::ReadResult ReadOrder(int number, OrderRow* row) const;
    // An order file by the name StoredOrders gives it, read again: another program may have
    // changed it since.
    LineFile::ReadResult ReadOrderFile(const QString& file, OrderRow* row) const;
    // The orders named, in the order given and each once; all of them for none. False, with the
    // reason in the user's words in *error, when one is missing or a file cannot be read.
    bool ReadOrders(const QList<int>& numbers, QList<OrderRow>* rows, QString* error) const;
    // The same, with the name of the file each order was read from.
    bool ReadOrders(const QList<int>& numbers, StoredOrders* orders, QString* error) const;

    // Writes the order to the file of its number, in one step; false when it could not be
    // written, the file then as it was, and *error says why (a link at the name, a full disk).
    bool SaveOrder(int number, const OrderRow& row, QString* error = nullptr) const;
    // The same into an order file by its name ("Vemo/vemo.7"), whatever number the row holds.
    bool SaveOrderFile(const QString& file, const OrderRow& row, QString* error = nullptr) const;
    // Removes an order file by its name: into the desktop's trash where it can go, else for good;
    // which of the two, or Failed with the reason in *error.
    DesktopTrash::Removal RemoveOrder(const QString& file, QString* error = nullptr) const;
    // Whether anything stands at the name of order N, a link to nothing included.
    bool OrderExists(int number) const;
    // Makes the folder of the order files when it is not there.
    void MakeOrdersFolder() const;

private:
    QDir m_dir;
};
