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

StatementImport StatementImport::Run(const WorkingFolder& folder, const QString& path,
                                     const BikDirectory& directory, const QDateTime& now) {
    StatementImport result;
    QByteArray bytes;
    QString reason;
    if (!ReadBytes(path, &bytes, &reason) || !ExchangeFile::Read(bytes, &result.file, &reason)) {
        result.refusal = reason;
        return result;
    }
    result.kept = KeptFiles::Keep(folder, KeptFiles::Kind::Statement, bytes, now);
    const AddressBooks books = folder.ReadBooks();
    result.orders = folder.ReadOrders();
    result.unreadable = books.Unreadable() + result.orders.unreadable;
    result.report = StatementReport::Of(result.file, result.orders.rows, books.payers.Records(),
                                        books.recipients.Records());
    result.parties = StatementParty::Of(result.file, result.report, books.payers.Records(),
                                        books.recipients.Records(), directory);
    return result;
}
