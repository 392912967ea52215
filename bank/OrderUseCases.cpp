#include "bank/OrderUseCases.h"

#include <QCoreApplication>

#include "bank/OrderTransfer.h"
#include "form/CVemoDoc.h"
#include "orders/WorkingFolder.h"
#include "requisites/RequisitesFile.h"

namespace OrderUseCases {
namespace {

// The records the orders' parties are looked up in, and the books that cannot be read.
struct PartyRecords {
    CRequisiteArray payers;
    CRequisiteArray recipients;
    QString error;
};

// Both books whole for several orders; for one, only each party's record, its book read no
// further than that record, so that one order from a large book costs what it does from a small.
PartyRecords ReadParties(const WorkingFolder& folder, const QList<OrderRow>& orders) {
    PartyRecords records;
    QStringList unreadable;
    if (orders.size() == 1) {
        const std::pair<int, CRequisiteArray*> books[] = {{kPayersKind, &records.payers},
                                                          {kRecipientsKind, &records.recipients}};
        for (const auto& [kind, found] : books) {
            const int column = kind == kPayersKind ? kColumnPayer : kColumnRecipient;
            const FoundParty party = folder.FindParty(kind, orders.constFirst()[column]);
            if (party.unreadable) {
                unreadable.append(RequisitesFile::FileName(kind));
            } else if (party.found) {
                found->append(party.record);
            }
        }
    } else {
        const AddressBooks books = folder.ReadBooks();
        records.payers = books.payers.Records();
        records.recipients = books.recipients.Records();
        unreadable = books.Unreadable();
    }
    if (!unreadable.isEmpty()) {
        records.error = RequisitesFile::CannotReadMessage() + QStringLiteral(": ") +
                        unreadable.join(QStringLiteral(", "));
    }
    return records;
}

}  // namespace

QStringList PaperCheck::Reasons() const {
    return noRoom.isEmpty() ? lacks : lacks + QStringList{noRoom};
}

QString NoRoomIn2001Message() {
    return QStringLiteral(
        "на бланке редакции 2001 года нет места для полей платежа в бюджет и кода вида дохода "
        "(101, 104–110, 20, 22): нужна действующая редакция бланка");
}

PaperCheck CheckPaper(const CVemoDoc& doc, FormEdition edition, EditionChoice choice) {
    PaperCheck check;
    check.lacks = doc.m_lacks;
    if (edition == FormEdition::Edition2001 && choice == EditionChoice::Remembered &&
        doc.HasBudgetFields()) {
        check.noRoom = NoRoomIn2001Message();
    }
    return check;
}

Drawing DrawOrder(const WorkingFolder& folder, const OrderRow& order, const BikDirectory& directory,
                  CVemoDoc& doc, FormEdition edition) {
    const PartyRecords records = ReadParties(folder, {order});
    Drawing drawing;
    drawing.error = records.error;
    drawing.notices = OrderTransfer::TransferOrder(order, records.payers, records.recipients, doc);
    drawing.noRoom = CheckPaper(doc, edition, EditionChoice::Remembered).noRoom;
    drawing.faulty = PartyChecks::Check(order[kColumnPayer], records.payers,
                                        order[kColumnRecipient], records.recipients, directory);
    return drawing;
}

Printing PrintOrders(const WorkingFolder& folder, const QList<OrderRow>& orders, Policy policy,
                     FormEdition edition, EditionChoice choice) {
    const PartyRecords records = ReadParties(folder, orders);
    Printing printing;
    printing.error = records.error;
    if (printing.error.isEmpty()) {
        printing.batch = OrderBatch::Compose(orders, records.payers, records.recipients,
                                             [edition, choice](const CVemoDoc& doc) {
                                                 return CheckPaper(doc, edition, choice).Reasons();
                                             });
    }
    if (policy == Policy::RefuseWhole && !printing.batch.refused.isEmpty()) {
        printing.batch.docs.clear();
    }
    return printing;
}

Export ExportOrders(const WorkingFolder& folder, const QList<OrderRow>& orders, Policy policy,
                    const QDateTime& now) {
    Export done;
    if (orders.isEmpty()) {
        done.error = QStringLiteral("Нет платежек для выгрузки");
        return done;
    }
    const PartyRecords records = ReadParties(folder, orders);
    done.error = records.error;
    if (!done.error.isEmpty()) {
        return done;
    }
    done.file = BankExport::Compose(orders, records.payers, records.recipients,
                                    QCoreApplication::applicationName(),
                                    QCoreApplication::applicationVersion(), now);
    if (policy == Policy::RefuseWhole && !done.file.refused.isEmpty()) {
        done.file.lines.clear();
        done.file.exported = 0;
        return done;
    }
    QList<bool> refused(orders.size(), false);
    for (const OrderRefusal& refusal : done.file.refused) {
        refused[refusal.index] = true;
    }
    for (qsizetype i = 0; i < orders.size(); ++i) {
        if (!refused.at(i)) {
            done.total.Add(orders.at(i)[kColumnAmount]);
        }
    }
    return done;
}

}  // namespace OrderUseCases
