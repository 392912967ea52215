#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// An order a rename could not write, which keeps the old name.
struct OrderLeft {
    QString file;  // "Vemo/vemo.7"
    QString reason;  // the system's, "нет места на диске"; empty when there is none to give

    bool operator==(const OrderLeft& other) const {
        return file == other.file && reason == other.reason;
    }
};

// How far a party's rename in its orders went, as its user is told.
struct OrdersRenamed {
    enum class Outcome {
        Nothing,         // no rename was left to finish
        UnderWay,        // another window or editor on the folder is renaming: left to it
        NotStarted,      // its record could not be written or read (*error): nothing changed
        BookNotWritten,  // the address book does not hold the new name: no order was renamed
        OrdersWritten,   // the orders were written; those that could not be are in failed
    };
    Outcome outcome = Outcome::Nothing;
    bool resumed = false;  // finishing a rename cut short, rather than the user's own just now
    int nKind = 0;
    QString oldName;
    QString newName;
    int total = 0;            // the orders that named the party by the old name
    int renamed = 0;          // of them, those that name it by the new one now
    QList<OrderLeft> failed;  // each order left with the old name, in file order
    QString error;

    // Whether every order names the party anew: nothing is left to do.
    bool Finished() const { return outcome == Outcome::OrdersWritten && failed.isEmpty(); }
};

// Told how many of a rename's orders are written so far, after each.
using RenameProgress = std::function<void(int done, int total)>;

// The orders' side of one address book, which the address books know nothing of otherwise: how
// many orders name a party of the book, and renaming the party in them. Whoever opens the book
// for editing (the main frame) hands it over, made on the working folder; without it a renamed
// record is renamed in its book alone.
struct OrdersOfParty {
    // How many orders name the party by exactly that name.
    std::function<int(const QString& name)> count;
    // Renames the party: records the rename, has writeBook write its address book, then writes
    // the new name into the orders, each order file in one step. A rename cut short is left
    // recorded, for resume.
    std::function<OrdersRenamed(const QString& oldName, const QString& newName,
                                const std::function<bool()>& writeBook,
                                const RenameProgress& progress)>
        rename;
    // Finishes the rename left recorded, if there is one.
    std::function<OrdersRenamed(const RenameProgress& progress)> resume;

    explicit operator bool() const { return count && rename && resume; }
};
