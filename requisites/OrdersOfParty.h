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
    int total = 0;            // the orders to rename: those that named the party, sent ones aside
    int renamed = 0;          // of them, those that name it by the new one now
    QList<OrderLeft> failed;  // each order left with the old name, in file order
    QString error;

    // Whether every order names the party anew: nothing is left to do.
    bool Finished() const { return outcome == Outcome::OrdersWritten && failed.isEmpty(); }
};

// An order that names a party: what the user is told of it, and whether it went to the bank.
struct PartyOrder {
    QString file;       // "Vemo/vemo.7"
    QString number;     // "7"
    QString date;       // "08.12.2026"
    bool sent = false;  // the bank has it under the name it had then
};

// "№ 5, № 9" (withDates: "№ 5 от 08.12.2026, № 9 от 09.12.2026"), at most ten named and the
// rest counted: "… и еще 3".
QString PartyOrdersText(const QList<PartyOrder>& orders, bool withDates);

// Told how many of a rename's orders are written so far, after each.
using RenameProgress = std::function<void(int done, int total)>;

// The orders' side of one address book, which the address books know nothing of otherwise: how
// many orders name a party of the book, and renaming the party in them. Whoever opens the book
// for editing (the main frame) hands it over, made on the working folder; without it a renamed
// record is renamed in its book alone.
struct OrdersOfParty {
    // The orders that name the party by exactly that name, in file order.
    std::function<QList<PartyOrder>(const QString& name)> named;
    // Renames the party: records the rename, has writeBook write its address book, then writes
    // the new name into the orders that did not go to the bank, each order file in one step; the
    // orders sent keep the name the bank has. A rename cut short is left recorded, for resume.
    std::function<OrdersRenamed(const QString& oldName, const QString& newName,
                                const std::function<bool()>& writeBook,
                                const RenameProgress& progress)>
        rename;
    // Finishes the rename left recorded, if there is one.
    std::function<OrdersRenamed(const RenameProgress& progress)> resume;

    explicit operator bool() const { return named && rename && resume; }
};
