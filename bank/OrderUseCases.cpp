#include "bank/OrderUseCases.h"

#include <QCoreApplication>
#include <QHash>
#include <algorithm>
#include <memory>
#include <vector>

#include "bank/ExportBatches.h"
#include "bank/KeptFiles.h"
#include "bank/OrderTransfer.h"
#include "common/RussianPlural.h"
#include "common/SafeSave.h"
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

namespace {

// The orders that went to the bank before are refused with the others unless sent again.
void RefuseSentBefore(const QList<OrderRow>& orders, const QList<OrderStates::State>& states,
                      Export* done, BankExport::Checked* checked) {
    QHash<qsizetype, qsizetype> refusalOf;
    for (qsizetype r = 0; r < checked->refused.size(); ++r) {
        refusalOf.insert(checked->refused[r].index, r);
    }
    for (qsizetype i = 0; i < orders.size() && i < states.size(); ++i) {
        if (!OrderStates::SentBefore(states[i])) {
            continue;
        }
        done->sentBefore.append(i);
        const QString reason =
            QStringLiteral("уже выгружена в банк (%1)").arg(OrderStates::Text(states[i]));
        const auto found = refusalOf.constFind(i);
        if (found != refusalOf.cend()) {
            checked->refused[*found].reasons.append(reason);
        } else {
            checked->refused.append(OrderRefusal::Of(i, orders[i], {reason}));
        }
    }
    checked->orders.removeIf([&done](const BankExport::CheckedOrder& order) {
        return std::binary_search(done->sentBefore.begin(), done->sentBefore.end(), order.order);
    });
    std::sort(checked->refused.begin(), checked->refused.end(),
              [](const OrderRefusal& a, const OrderRefusal& b) { return a.index < b.index; });
}

// The checked orders in one file per payer's bank.
QList<ExportFile> FilesByBank(const Export& done) {
    QList<const CRequisite*> payerOf;
    payerOf.reserve(done.checked.size());
    for (const BankExport::CheckedOrder& order : done.checked) {
        payerOf.append(&done.payers[order.payer]);
    }
    QList<ExportFile> files;
    for (const ExportBatch& batch : ExportBatch::ByPayer(payerOf)) {
        ExportFile file{batch.bik, batch.bank, batch.tag, {}, {}};
        for (qsizetype place : batch.orders) {
            const BankExport::CheckedOrder& order = done.checked[place];
            file.orders.append(order.order);
            file.total.AddKopecks(true, order.kopecks);
        }
        files.append(file);
    }
    return files;
}

}  // namespace

QStringList Export::Paths(const QString& path) const {
    QStringList paths;
    for (const ExportFile& file : files) {
        ExportBatch batch;
        batch.tag = files.size() > 1 ? file.tag : QString();
        paths.append(batch.PathFrom(path));
    }
    return paths;
}

Export ExportOrders(const WorkingFolder& folder, const QList<OrderRow>& orders,
                    const QList<OrderStates::State>& states, Resend resend, Policy policy,
                    const QDateTime& now) {
    Export done;
    if (orders.isEmpty()) {
        done.error = QStringLiteral("Нет платежек для выгрузки");
        return done;
    }
    PartyRecords records = ReadParties(folder, orders);
    done.error = records.error;
    if (!done.error.isEmpty()) {
        return done;
    }
    BankExport::Checked checked =
        BankExport::CheckOrders(orders, records.payers, records.recipients);
    if (resend == Resend::Refuse) {
        RefuseSentBefore(orders, states, &done, &checked);
    }
    done.refused = std::move(checked.refused);
    if (policy == Policy::RefuseWhole && !done.refused.isEmpty()) {
        return done;
    }
    done.orders = orders;
    done.payers = std::move(records.payers);
    done.recipients = std::move(records.recipients);
    done.checked = std::move(checked.orders);
    done.now = now;
    done.files = FilesByBank(done);
    for (const BankExport::CheckedOrder& order : done.checked) {
        done.total.AddKopecks(true, order.kopecks);
    }
    return done;
}

namespace {

// One file of an export on its way: where it goes and its copy, the bytes made so far given to
// both a piece at a time.
struct Writing {
    SafeSave::PendingFile out;
    std::unique_ptr<KeptFiles::Keeping> copy;
    QByteArray bytes;

    bool Flush(QString* error) {
        const bool written = out.Write(bytes, error) && copy->Write(bytes, error);
        bytes.clear();
        return written;
    }
};

// A piece of this size is written at once: large enough for few writes, small beside any file.
constexpr qsizetype kPiece = 1 << 20;

QString CannotWrite(const QString& path, const QString& reason) {
    return QStringLiteral("Не могу записать файл выгрузки %1: %2").arg(path, reason);
}

}  // namespace

Written WriteExport(const WorkingFolder& folder, const Export& done, const QString& path) {
    Written written;
    const QStringList paths = done.Paths(path);
    std::vector<std::unique_ptr<Writing>> files;
    const QString sender = BankExport::Sender(QCoreApplication::applicationName(),
                                              QCoreApplication::applicationVersion());
    if (done.files.size() > 1 && path == QLatin1String("-")) {
        written.error = QStringLiteral(
                            "Платежки плательщиков из %1 банков выгружаются в отдельные файлы, по "
                            "файлу на банк: укажите имя файла, а не «-»")
                            .arg(done.files.size());
        return written;
    }
    QString reason;
    for (qsizetype f = 0; f < done.files.size(); ++f) {
        const ExportFile& file = done.files[f];
        auto writing = std::make_unique<Writing>();
        writing->copy = std::make_unique<KeptFiles::Keeping>(folder, KeptFiles::Kind::Export,
                                                             done.now, file.tag);
        if (!writing->out.OpenOutput(paths[f], &reason)) {
            written.error = CannotWrite(paths[f], reason);
            return written;
        }
        if (!writing->copy->Begin(&reason)) {
            written.error =
                QStringLiteral(
                    "Не могу сохранить копию выгрузки в папке %1: %2, ничего не записано")
                    .arg(QString::fromLatin1(KeptFiles::kFolder), reason);
            return written;
        }
        QList<BankExport::CheckedOrder> checked;
        for (const BankExport::CheckedOrder& order : done.checked) {
            if (std::binary_search(file.orders.begin(), file.orders.end(), order.order)) {
                checked.append(order);
            }
        }
        Writing& to = *writing;
        const bool made =
            BankExport::WriteLines(done.orders, done.payers, done.recipients, checked, sender,
                                   done.now, [&to, &reason](const QString& line) {
                                       BankExport::AppendLineBytes(line, &to.bytes);
                                       return to.bytes.size() < kPiece || to.Flush(&reason);
                                   });
        if (!made || !to.Flush(&reason) || !to.out.Finish(&reason) || !to.copy->Finish(&reason)) {
            written.error = CannotWrite(paths[f], reason);
            return written;
        }
        files.push_back(std::move(writing));
    }
    // Every file is on disk under a name of its own: now each takes its name.
    for (size_t f = 0; f < files.size(); ++f) {
        if (!files[f]->out.Commit(&reason)) {
            written.error = CannotWrite(paths[qsizetype(f)], reason);
            return written;
        }
        written.paths.append(paths[qsizetype(f)]);
    }
    for (const auto& file : files) {
        const KeptFiles::Outcome kept = file->copy->Keep();
        if (kept.kept) {
            written.kept.append(kept.name);
        } else {
            written.keptError = kept.error;
        }
    }
    return written;
}

QList<qsizetype> NotSent(const QList<OrderStates::State>& states) {
    QList<qsizetype> places;
    for (qsizetype i = 0; i < states.size(); ++i) {
        if (!OrderStates::SentBefore(states[i])) {
            places.append(i);
        }
    }
    return places;
}

QString WrittenText(const Export& done, const Written& written) {
    if (written.paths.size() == 1) {
        return QStringLiteral("%1, в файл %2").arg(done.total.ExportedText(), written.paths[0]);
    }
    const qsizetype files = written.paths.size();
    QStringList lines = {
        QStringLiteral("%1, в %2 %3, по файлу на банк плательщика:")
            .arg(done.total.ExportedText())
            .arg(files)
            .arg(RussianPlural(files, QStringLiteral("файл"), QStringLiteral("файла"),
                               QStringLiteral("файлов")))};
    for (qsizetype f = 0; f < written.paths.size() && f < done.files.size(); ++f) {
        const ExportFile& file = done.files[f];
        const qsizetype count = file.orders.size();
        lines.append(
            QStringLiteral("%1 — %2 %3 на сумму %4 руб. (%5, БИК %6)")
                .arg(written.paths[f])
                .arg(count)
                .arg(RussianPlural(count, QStringLiteral("поручение"), QStringLiteral("поручения"),
                                   QStringLiteral("поручений")),
                     ChosenTotal::AmountText(file.total.Kopecks()), file.bank, file.bik));
    }
    return lines.join(u'\n');
}

Listing ListOrders(const WorkingFolder& folder, const QDate& today) {
    Listing listing;
    listing.orders = folder.ReadOrders();
    listing.states.resize(listing.orders.rows.size());
    if (KeptFiles::List(folder).isEmpty()) {
        return listing;  // nothing went to the bank yet, as far as the program knows
    }
    const AddressBooks books = folder.ReadBooks();
    if (!books.Unreadable().isEmpty()) {
        listing.error = RequisitesFile::CannotReadMessage() + QStringLiteral(": ") +
                        books.Unreadable().join(QStringLiteral(", "));
    }
    OrderStates::Reading reading = OrderStates::Read(folder, listing.orders, books.payers.Records(),
                                                     books.recipients.Records(), today);
    listing.states = std::move(reading.states);
    listing.unreadable = std::move(reading.unreadable);
    return listing;
}

QList<OrderStates::State> StatesOf(const WorkingFolder& folder, const StoredOrders& orders,
                                   const QDate& today) {
    const PartyRecords records = ReadParties(folder, orders.rows);
    return OrderStates::Read(folder, orders, records.payers, records.recipients, today).states;
}

QStringList SentFiles(const WorkingFolder& folder, const StoredOrders& orders, const QDate& today) {
    QStringList sent;
    if (KeptFiles::List(folder).isEmpty()) {
        return sent;  // nothing went to the bank, as far as the program knows
    }
    const QList<OrderStates::State> states = StatesOf(folder, orders, today);
    for (qsizetype i = 0; i < states.size(); ++i) {
        if (OrderStates::SentBefore(states.at(i))) {
            sent.append(orders.files.at(i));
        }
    }
    return sent;
}

}  // namespace OrderUseCases
