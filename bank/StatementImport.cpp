#include "bank/StatementImport.h"

#include <QFileInfo>

#include "common/RegularFile.h"

namespace {

bool ReadBytes(const QString& path, QByteArray* bytes, QString* error) {
    const QFileInfo info(path);
    if (info.isDir()) {
        *error = QStringLiteral("это папка, а не файл");
        return false;
    }
    switch (RegularFile::Read(path, bytes)) {
        case RegularFile::ReadResult::Ok:
            return true;
        case RegularFile::ReadResult::Missing:
            *error = QStringLiteral("файла нет");
            return false;
        case RegularFile::ReadResult::Unreadable:
            break;
    }
    *error = info.exists() && !info.isFile() ? QStringLiteral("это не обычный файл")
                                             : QStringLiteral("файл не читается");
    return false;
}

}  // namespace

bool StatementImport::Take(const WorkingFolder& folder, const QString& path, const QDateTime& now) {
    QByteArray bytes;
    if (!ReadBytes(path, &bytes, &refusal) || !ExchangeFile::Read(bytes, &file, &refusal)) {
        return false;
    }
    kept = KeptFiles::Keep(folder, KeptFiles::Kind::Statement, bytes, now);
    return true;
}

void StatementImport::HoldAgainst(const StoredOrders& stored, const AddressBooks& books,
                                  const BikDirectory& directory) {
    orders = stored;
    unreadable = books.Unreadable() + stored.unreadable;
    report =
        StatementReport::Of(file, orders.rows, books.payers.Records(), books.recipients.Records());
    parties = StatementParty::Of(file, report, books.payers.Records(), books.recipients.Records(),
                                 directory);
}

StatementImport StatementImport::Run(const WorkingFolder& folder, const QString& path,
                                     const BikDirectory& directory, const QDateTime& now) {
    StatementImport result;
    if (result.Take(folder, path, now)) {
        result.HoldAgainst(folder.ReadOrders(), folder.ReadBooks(), directory);
    }
    return result;
}

StatementImport StatementImport::Run(const WorkingFolder& folder, const QString& path,
                                     const StoredOrders& orders, const AddressBooks& books,
                                     const BikDirectory& directory, const QDateTime& now) {
    StatementImport result;
    if (result.Take(folder, path, now)) {
        result.HoldAgainst(orders, books, directory);
    }
    return result;
}
