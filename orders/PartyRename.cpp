#include "orders/PartyRename.h"

#include "common/LineFile.h"
#include "orders/OrderTexts.h"
#include "orders/RenameRecord.h"
#include "orders/WorkingFolder.h"
#include "requisites/RequisitesFile.h"

namespace PartyRename {
namespace {

int ColumnOf(int nKind) {
    return nKind == kPayersKind ? kColumnPayer : kColumnRecipient;
}

OrdersRenamed Outcome(const RenameRecord& record, bool resumed) {
    OrdersRenamed done;
    done.resumed = resumed;
    done.nKind = record.nKind;
    done.oldName = record.oldName;
    done.newName = record.newName;
    return done;
}

// Writes the new name into every order that still names the party by the old one, read again
// right before, so that each file keeps what it holds now but the name. The record goes once
// every one is written.
void RenameOrders(const WorkingFolder& folder, const QStringList& kept,
                  const RenameProgress& progress, OrdersRenamed* done) {
    done->outcome = OrdersRenamed::Outcome::OrdersWritten;
    StoredOrders orders = folder.ReadOrders();
    const int column = ColumnOf(done->nKind);
    QList<qsizetype> naming;
    for (qsizetype i = 0; i < orders.rows.size(); ++i) {
        if (orders.rows.at(i)[column] == done->oldName && !kept.contains(orders.files.at(i))) {
            naming.append(i);
        }
    }
    done->total = int(naming.size());
    if (progress) {
        progress(0, done->total);
    }
    for (qsizetype i : naming) {
        OrderRow& row = orders.rows[i];
        row[column] = done->newName;
        QString error;
        if (folder.SaveOrderFile(orders.files.at(i), row, &error)) {
            ++done->renamed;
        } else {
            done->failed.append({orders.files.at(i), error});
        }
        if (progress) {
            progress(done->renamed + int(done->failed.size()), done->total);
        }
    }
    if (done->failed.isEmpty()) {
        RenameRecord::Remove(folder);
    }
}

}  // namespace

QStringList FilesNaming(const WorkingFolder& folder, int nKind, const QString& name) {
    QStringList files;
    for (const PartyOrder& order : Named(folder, nKind, name)) {
        files.append(order.file);
    }
    return files;
}

QList<PartyOrder> Named(const WorkingFolder& folder, int nKind, const QString& name,
                        const SentOrders& sent) {
    StoredOrders orders = folder.ReadOrders();
    const int column = ColumnOf(nKind);
    StoredOrders naming;
    for (qsizetype i = 0; i < orders.rows.size(); ++i) {
        if (orders.rows.at(i)[column] == name) {
            naming.rows.append(orders.rows.at(i));
            naming.files.append(orders.files.at(i));
        }
    }
    const QStringList sentFiles = sent && !naming.rows.isEmpty() ? sent(naming) : QStringList();
    QList<PartyOrder> named;
    for (qsizetype i = 0; i < naming.rows.size(); ++i) {
        const OrderRow& row = naming.rows.at(i);
        named.append({naming.files.at(i), row[kColumnNumber].trimmed(),
                      OrderTexts::ShownDate(row[kColumnDate]),
                      sentFiles.contains(naming.files.at(i))});
    }
    return named;
}

OrdersRenamed Rename(const WorkingFolder& folder, int nKind, const QString& oldName,
                     const QString& newName, const std::function<bool()>& writeBook,
                     const RenameProgress& progress, const QStringList& kept) {
    const RenameRecord record{nKind, oldName, newName, LineFile::Digest(folder.Book(nKind).Path()),
                              kept};
    OrdersRenamed done = Outcome(record, false);
    // One rename at a time: a record written over would leave the orders of the earlier one.
    RenameRecord earlier;
    QString error;
    if (RenameRecord::Read(folder, &earlier, &error) != RenameRecord::Found::None) {
        done.outcome = OrdersRenamed::Outcome::NotStarted;
        done.error = QStringLiteral("не закончено прежнее переименование (%1)")
                         .arg(RenameRecord::FileName());
        return done;
    }
    if (!record.Write(folder, &error)) {
        done.outcome = OrdersRenamed::Outcome::NotStarted;
        done.error = QStringLiteral("не могу записать %1").arg(RenameRecord::FileName()) +
                     (error.isEmpty() ? QString() : QStringLiteral(": ") + error);
        return done;
    }
    FileDescriptor held;
    RenameRecord::Hold(folder, &held);
    if (!writeBook()) {
        RenameRecord::Remove(folder);
        done.outcome = OrdersRenamed::Outcome::BookNotWritten;
        return done;
    }
    RenameOrders(folder, kept, progress, &done);
    return done;
}

OrdersRenamed Resume(const WorkingFolder& folder, const RenameProgress& progress) {
    RenameRecord record;
    QString problem;
    switch (RenameRecord::Read(folder, &record, &problem)) {
        case RenameRecord::Found::None:
            return OrdersRenamed();
        case RenameRecord::Found::Unreadable: {
            OrdersRenamed done;
            done.resumed = true;
            done.outcome = OrdersRenamed::Outcome::NotStarted;
            done.error = QStringLiteral("Запись о прерванном переименовании %1 не читается: %2.")
                             .arg(RenameRecord::FileName(), problem);
            return done;
        }
        case RenameRecord::Found::Read:
            break;
    }
    OrdersRenamed done = Outcome(record, true);
    FileDescriptor held;
    if (!RenameRecord::Hold(folder, &held)) {
        done.outcome = OrdersRenamed::Outcome::UnderWay;
        return done;
    }
    const FoundParty named = folder.FindParty(record.nKind, record.newName);
    if (named.unreadable) {
        done.outcome = OrdersRenamed::Outcome::NotStarted;
        done.error = RequisitesFile::CannotReadMessage() + QStringLiteral(" ") +
                     RequisitesFile::FileName(record.nKind);
        return done;
    }
    // The book as it was before the rename, or without the new name, was never written by it.
    if (LineFile::Digest(folder.Book(record.nKind).Path()) == record.bookBefore || !named.found) {
        RenameRecord::Remove(folder);
        done.outcome = OrdersRenamed::Outcome::BookNotWritten;
        return done;
    }
    RenameOrders(folder, record.kept, progress, &done);
    return done;
}

OrdersOfParty OrdersOf(const WorkingFolder& folder, int nKind, const SentOrders& sent) {
    OrdersOfParty orders;
    orders.named = [folder, nKind, sent](const QString& name) {
        return Named(folder, nKind, name, sent);
    };
    orders.rename = [folder, nKind, sent](const QString& oldName, const QString& newName,
                                          const std::function<bool()>& writeBook,
                                          const RenameProgress& progress) {
        // Told before the book is written: the bank's documents name the parties as it was.
        QStringList kept;
        for (const PartyOrder& order : Named(folder, nKind, oldName, sent)) {
            if (order.sent) {
                kept.append(order.file);
            }
        }
        return Rename(folder, nKind, oldName, newName, writeBook, progress, kept);
    };
    orders.resume = [folder](const RenameProgress& progress) { return Resume(folder, progress); };
    return orders;
}

}  // namespace PartyRename
