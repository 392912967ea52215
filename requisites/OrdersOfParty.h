#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The orders' side of one address book, which the address books know nothing of otherwise: how
// many orders name a party of the book, and renaming the party in them. Whoever opens the book
// for editing (the main frame) hands it over, made on the working folder; without it a renamed
// record is renamed in its book alone.
struct OrdersOfParty {
    // How many orders name the party by exactly that name.
    std::function<int(const QString& name)> count;
    // Writes the new name into those orders, each order file in one step; the names of the files
    // that could not be written, which keep the old name.
    std::function<QStringList(const QString& oldName, const QString& newName)> rename;

    explicit operator bool() const { return count && rename; }
};
