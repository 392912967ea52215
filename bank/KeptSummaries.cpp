#include "bank/KeptSummaries.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <algorithm>
#include <type_traits>

#include "bank/ExchangeFile.h"
#include "bank/PaymentMatch.h"
#include "common/RegularFile.h"
#include "common/SafeSave.h"
#include "orders/WorkingFolder.h"

namespace {

// Documents and periods are written as they stand in memory: the cache is this machine's own.
static_assert(std::is_trivially_copyable_v<KeptSummary::Document> &&
              std::is_trivially_copyable_v<KeptSummary::Coverage>);

constexpr quint32 kMagic = 0x56454b53;  // "VEKS"
// Bumped whenever what a summary holds or how it is written changes.
constexpr quint32 kVersion = 2;

qint64 Day(const QDate& date) {
    return date.isValid() ? date.toJulianDay() : 0;
}

template <typename T>
void WriteRaw(QDataStream& out, const QList<T>& items) {
    out << quint32(items.size());
    out.writeRawData(reinterpret_cast<const char*>(items.constData()),
                     int(items.size() * qsizetype(sizeof(T))));
}

template <typename T>
bool ReadRaw(QDataStream& in, QList<T>* items) {
    quint32 count = 0;
    in >> count;
    const qint64 bytes = qint64(count) * qint64(sizeof(T));
    if (in.status() != QDataStream::Ok || bytes > in.device()->bytesAvailable()) {
        return false;
    }
    items->resize(count);
    return in.readRawData(reinterpret_cast<char*>(items->data()), int(bytes)) == bytes;
}

// The table of texts, each read only after its count is seen to fit in what is left: a damaged
// count must not make the reader reserve room for billions of texts.
bool ReadTexts(QDataStream& in, QStringList* texts) {
    quint32 count = 0;
    in >> count;
    if (in.status() != QDataStream::Ok || count > in.device()->bytesAvailable() / 4) {
        return false;
    }
    texts->clear();
    texts->reserve(count);
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        QString text;
        in >> text;
        texts->append(text);
    }
    return in.status() == QDataStream::Ok;
}

bool SameFile(const KeptSummary& summary, const KeptFiles::KeptFile& file) {
    return summary.name == file.name && summary.size == file.size &&
           summary.modified == file.modified.toMSecsSinceEpoch();
}

}  // namespace

qint32 KeptSummaries::Place(const QString& text) {
    if (text.isEmpty()) {
        return 0;
    }
    if (m_places.isEmpty()) {
        for (qsizetype i = 1; i < m_texts.size(); ++i) {
            m_places.insert(m_texts[i], qint32(i));
        }
    }
    const auto found = m_places.constFind(text);
    if (found != m_places.cend()) {
        return *found;
    }
    m_texts.append(text);
    return *m_places.insert(text, qint32(m_texts.size() - 1));
}

void KeptSummaries::Add(const KeptFiles::KeptFile& kept, const ExchangeFile& file) {
    KeptSummary summary;
    summary.name = kept.name;
    summary.size = kept.size;
    summary.modified = kept.modified.toMSecsSinceEpoch();
    summary.kind = kept.kind;
    const bool statement = kept.kind == KeptFiles::Kind::Statement;
    // An export is dated by the day the program wrote it, which its header says.
    summary.day = !statement && file.Created().isValid() ? file.Created() : kept.kept.date();
    const QSet<QString> own = PaymentMatch::OwnAccounts(file);
    for (const ExchangeDocument& document : file.Documents()) {
        if (!PaymentMatch::MayAnswer(document, PaymentMatch::DirectionOf(document, own))) {
            continue;
        }
        const PaymentMatch::Number number = PaymentMatch::Number::Of(document.number);
        summary.documents.append({Place(document.payerAccount), Place(document.recipientAccount),
                                  Place(document.recipientInn), Place(number.text), number.value,
                                  Day(document.date), document.kopecks,
                                  statement ? Day(document.debited) : 0, document.line});
    }
    if (statement) {
        for (const QString& account : file.Accounts()) {
            summary.coverage.append({Place(account), 0, Day(file.From()), Day(file.To())});
        }
        for (const ExchangeBalance& section : file.Balances()) {
            summary.coverage.append(
                {Place(section.account), 0, Day(section.from), Day(section.to)});
        }
    }
    m_files.append(summary);
}

void KeptSummaries::AddFrom(const KeptSummaries& other, const KeptSummary& summary) {
    KeptSummary copy = summary;
    for (KeptSummary::Document& document : copy.documents) {
        for (qint32* place : {&document.payerAccount, &document.recipientAccount,
                              &document.recipientInn, &document.numberText}) {
            *place = Place(other.m_texts[*place]);
        }
    }
    for (KeptSummary::Coverage& period : copy.coverage) {
        period.account = Place(other.m_texts[period.account]);
    }
    m_files.append(copy);
}

QString KeptSummaries::CachePath(const WorkingFolder& folder) {
    const QByteArray kept = QFileInfo(folder.PathOf(QString::fromLatin1(KeptFiles::kFolder)))
                                .absoluteFilePath()
                                .toUtf8();
    return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
        .filePath(QStringLiteral("kept-%1.bin")
                      .arg(QString::fromLatin1(
                          QCryptographicHash::hash(kept, QCryptographicHash::Sha1).toHex())));
}

KeptSummaries KeptSummaries::Read(const WorkingFolder& folder) {
    const QList<KeptFiles::KeptFile> files = KeptFiles::List(folder);
    const QString cachePath = CachePath(folder);
    KeptSummaries cached;
    QByteArray bytes;
    if (RegularFile::Read(cachePath, &bytes) != RegularFile::ReadResult::Ok ||
        !FromBytes(bytes, &cached)) {
        cached = KeptSummaries();
    }
    if (cached.m_files.size() == files.size() &&
        std::equal(files.begin(), files.end(), cached.m_files.begin(),
                   [](const auto& f, const auto& s) { return SameFile(s, f); })) {
        return cached;
    }
    QHash<QString, qsizetype> cachedPlace;
    for (qsizetype i = 0; i < cached.m_files.size(); ++i) {
        cachedPlace.insert(cached.m_files[i].name, i);
    }
    KeptSummaries summaries;
    for (const KeptFiles::KeptFile& kept : files) {
        const qsizetype place = cachedPlace.value(kept.name, -1);
        if (place >= 0 && SameFile(cached.m_files[place], kept)) {
            summaries.AddFrom(cached, cached.m_files[place]);
            continue;
        }
        ExchangeFile file;
        QString reason;
        if (!KeptFiles::Read(folder, kept, &bytes) || !ExchangeFile::Read(bytes, &file, &reason)) {
            summaries.m_unreadable.append(kept.name);
            continue;
        }
        summaries.Add(kept, file);
    }
    // A cache that cannot be written only makes the next opening read the files again.
    QString error;
    if (QDir().mkpath(QFileInfo(cachePath).absolutePath())) {
        SafeSave::ReplaceFile(cachePath, summaries.ToBytes(), &error);
    }
    return summaries;
}

QByteArray KeptSummaries::ToBytes() const {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << kMagic << kVersion << m_texts << quint32(m_files.size());
    for (const KeptSummary& summary : m_files) {
        out << summary.name << summary.size << summary.modified
            << quint8(summary.kind == KeptFiles::Kind::Statement) << summary.day;
        WriteRaw(out, summary.documents);
        WriteRaw(out, summary.coverage);
    }
    return bytes;
}

bool KeptSummaries::FromBytes(const QByteArray& bytes, KeptSummaries* summaries) {
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    quint32 version = 0;
    quint32 count = 0;
    KeptSummaries read;
    in >> magic >> version;
    if (in.status() != QDataStream::Ok || magic != kMagic || version != kVersion ||
        !ReadTexts(in, &read.m_texts) || read.m_texts.isEmpty() || !read.m_texts[0].isEmpty()) {
        return false;
    }
    in >> count;
    if (in.status() != QDataStream::Ok || count > quint32(bytes.size())) {
        return false;
    }
    for (quint32 i = 0; i < count; ++i) {
        KeptSummary summary;
        quint8 statement = 0;
        in >> summary.name >> summary.size >> summary.modified >> statement >> summary.day;
        summary.kind = statement ? KeptFiles::Kind::Statement : KeptFiles::Kind::Export;
        if (!ReadRaw(in, &summary.documents) || !ReadRaw(in, &summary.coverage)) {
            return false;
        }
        read.m_files.append(std::move(summary));
    }
    if (in.status() != QDataStream::Ok || !in.atEnd() || !read.IsWhole()) {
        return false;
    }
    *summaries = std::move(read);
    return true;
}

bool KeptSummaries::IsWhole() const {
    const auto named = [&](qint32 place) { return place >= 0 && place < m_texts.size(); };
    for (const KeptSummary& summary : m_files) {
        for (const KeptSummary::Document& document : summary.documents) {
            if (!named(document.payerAccount) || !named(document.recipientAccount) ||
                !named(document.recipientInn) || !named(document.numberText)) {
                return false;
            }
        }
        for (const KeptSummary::Coverage& period : summary.coverage) {
            if (!named(period.account)) {
                return false;
            }
        }
    }
    return true;
}
