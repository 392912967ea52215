#include "bank/ExchangeFile.h"

#include <QMultiHash>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <array>

#include "common/Cp1251.h"
#include "requisites/RequisiteChecks.h"

namespace {

using RequisiteChecks::WithoutBlanks;

const QString kFirstLine = QStringLiteral("1CClientBankExchange");
const QString kFileEnd = QStringLiteral("КонецФайла");
const QString kDocumentStart = QStringLiteral("СекцияДокумент");
const QString kDocumentEnd = QStringLiteral("КонецДокумента");
const QString kBalanceStart = QStringLiteral("СекцияРасчСчет");
const QString kBalanceEnd = QStringLiteral("КонецРасчСчет");
const QString kEncodingKey = QStringLiteral("Кодировка=");
constexpr char kCp866[] = "IBM866";

// The keys the reader takes from a document as it reads; the rest stay in the text.
enum DocumentKey {
    kNumber,
    kDate,
    kAmount,
    kPayerAccount,
    kPayerSettlementAccount,
    kRecipientAccount,
    kRecipientSettlementAccount,
    kPayerInn,
    kRecipientInn,
    kDebited,
    kCredited,
    kDocumentKeyCount
};

const std::array<QString, kDocumentKeyCount> kDocumentKeys = {
    QStringLiteral("Номер"),
    QStringLiteral("Дата"),
    QStringLiteral("Сумма"),
    QStringLiteral("ПлательщикСчет"),
    QStringLiteral("ПлательщикРасчСчет"),
    QStringLiteral("ПолучательСчет"),
    QStringLiteral("ПолучательРасчСчет"),
    QStringLiteral("ПлательщикИНН"),
    QStringLiteral("ПолучательИНН"),
    QStringLiteral("ДатаСписано"),
    QStringLiteral("ДатаПоступило"),
};

enum BalanceKey {
    kFrom,
    kTo,
    kAccount,
    kOpening,
    kCreditedTotal,
    kDebitedTotal,
    kClosing,
    kBalanceKeyCount
};

const std::array<QString, kBalanceKeyCount> kBalanceKeys = {
    QStringLiteral("ДатаНачала"),      QStringLiteral("ДатаКонца"),
    QStringLiteral("РасчСчет"),        QStringLiteral("НачальныйОстаток"),
    QStringLiteral("ВсегоПоступило"),  QStringLiteral("ВсегоСписано"),
    QStringLiteral("КонечныйОстаток"),
};

template <size_t N>
int KeyIndex(const std::array<QString, N>& keys, QStringView key) {
    for (size_t i = 0; i < N; ++i) {
        if (keys[i].size() == key.size() && keys[i] == key) {
            return int(i);
        }
    }
    return -1;
}

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// "ДД.ММ.ГГГГ"; a one-digit day or month is read too. Null for anything else.
QDate ParseDate(QStringView text) {
    int parts[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int part = 0;
    for (QChar c : text) {
        if (IsDigit(c)) {
            parts[part] = parts[part] * 10 + (c.unicode() - u'0');
            if (++digits[part] > 4) {
                return QDate();
            }
        } else if (c == u'.' && part < 2) {
            ++part;
        } else {
            return QDate();
        }
    }
    if (part != 2 || digits[0] == 0 || digits[0] > 2 || digits[1] == 0 || digits[1] > 2 ||
        digits[2] != 4) {
        return QDate();
    }
    return QDate(parts[2], parts[1], parts[0]);
}

// Roubles with a point and one or two kopeck digits, or none: "1000", "13056.00", "107728.7"
// (a comma is read as the point). A balance may be negative. Counted in kopecks exactly.
bool ParseKopecks(QStringView text, qint64* kopecks) {
    qsizetype i = 0;
    const bool negative = !text.isEmpty() && text[0] == u'-';
    i += negative ? 1 : 0;
    qint64 roubles = 0;
    const qsizetype wholeStart = i;
    while (i < text.size() && IsDigit(text[i])) {
        roubles = roubles * 10 + (text[i].unicode() - u'0');
        if (++i - wholeStart > 15) {
            return false;  // beyond any amount of money, and near the end of the count's range
        }
    }
    if (i == wholeStart) {
        return false;
    }
    qint64 cents = 0;
    if (i < text.size() && (text[i] == u'.' || text[i] == u',')) {
        const qsizetype fractionStart = ++i;
        while (i < text.size() && IsDigit(text[i]) && i - fractionStart < 2) {
            cents = cents * 10 + (text[i++].unicode() - u'0');
        }
        if (i == fractionStart) {
            return false;
        }
        if (i - fractionStart == 1) {
            cents *= 10;  // "107728.7" is 107 728 roubles 70 kopecks
        }
    }
    if (i != text.size()) {
        return false;
    }
    *kopecks = (roubles * 100 + cents) * (negative ? -1 : 1);
    return true;
}

bool HasNonAscii(QByteArrayView bytes) {
    for (const char c : bytes) {
        if (uchar(c) >= 0x80) {
            return true;
        }
    }
    return false;
}

// The value of "Кодировка=" at the start of a line of the header, the key looked for in both
// single-byte code pages because the key itself is written in the file's own; null when there is
// none. The header stands at the top: the documents are not searched.
QByteArray DeclaredEncoding(QByteArrayView file) {
    constexpr qsizetype kHeader = 64 * 1024;
    const QByteArrayView bytes = file.first(std::min(file.size(), kHeader));
    QStringEncoder cp866(kCp866, QStringConverter::Flag::Stateless);
    const QByteArray keys[] = {Cp1251::Encode(kEncodingKey), cp866.encode(kEncodingKey)};
    qsizetype first = -1;
    qsizetype valueAt = -1;
    for (const QByteArray& key : keys) {
        for (qsizetype at = bytes.indexOf(key); at >= 0 && !key.isEmpty();
             at = bytes.indexOf(key, at + 1)) {
            if (at == 0 || bytes[at - 1] == '\n') {
                if (first < 0 || at < first) {
                    first = at;
                    valueAt = at + key.size();
                }
                break;
            }
        }
    }
    if (first < 0) {
        return QByteArray();
    }
    qsizetype end = bytes.indexOf('\n', valueAt);
    end = end < 0 ? bytes.size() : end;
    return bytes.sliced(valueAt, end - valueAt).toByteArray().trimmed();
}

// The text when the bytes are UTF-8 throughout. A file in a single-byte code page fails on its
// first Cyrillic letter, so its head is tried alone first and the whole is decoded only after.
bool IsUtf8(QByteArrayView bytes, QString* text) {
    constexpr qsizetype kHead = 64 * 1024;
    if (bytes.size() > kHead) {
        QStringDecoder head(QStringConverter::Utf8);  // a character cut at the end waits
        const QString decoded = head.decode(bytes.first(kHead));
        if (head.hasError()) {
            return false;
        }
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    *text = utf8.decode(bytes);
    return !utf8.hasError();
}

QString Shown(QStringView text) {
    constexpr qsizetype kMost = 60;
    return text.size() <= kMost ? text.toString() : text.left(kMost).toString() + u'…';
}

}  // namespace

// Reads the lines of the decoded text into the file, or says why the text is not a file.
class ExchangeParser {
public:
    explicit ExchangeParser(ExchangeFile* file) : m_file(file) {}

    bool Parse(QString* reason);

private:
    enum class Section { None, Balance, Document };

    bool Line(QStringView line, qsizetype start, qsizetype end);
    bool KeyValue(QStringView key, QStringView value);
    bool DocumentValue(QStringView key, QStringView value);
    bool BalanceValue(QStringView key, QStringView value);
    void HeaderValue(QStringView key, QStringView value);
    bool Open(Section section, QStringView kind, qsizetype start);
    bool Close(Section section, QStringView line, qsizetype end);
    bool Fail(const QString& reason);
    QString SectionName() const;

    ExchangeFile* m_file;
    QString m_reason;
    qsizetype m_lineNumber = 0;
    bool m_started = false;
    bool m_ended = false;
    qsizetype m_endLine = 0;
    Section m_section = Section::None;
    qsizetype m_sectionLine = 0;
    qsizetype m_sectionStart = 0;
    ExchangeDocument m_document;
    ExchangeBalance m_balance;
    unsigned m_seen = 0;  // the keys of the open section read so far, one bit each
    bool m_hasDate = false;
    bool m_hasAmount = false;
    // The text of every section kept, by a print of its values, for dropping exact repeats.
    QMultiHash<size_t, QStringView> m_sections;
};

bool ExchangeParser::Fail(const QString& reason) {
    m_reason = reason;
    return false;
}

QString ExchangeParser::SectionName() const {
    return m_section == Section::Document ? kDocumentStart : kBalanceStart;
}

bool ExchangeParser::Parse(QString* reason) {
    const QString& text = m_file->m_text;
    const QChar* data = text.constData();
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = text.indexOf(u'\n', pos);
        end = end < 0 ? text.size() : end + 1;
        ++m_lineNumber;
        if (!Line(QStringView(data + pos, end - pos).trimmed(), pos, end)) {
            *reason = m_reason;
            return false;
        }
        pos = end;
    }
    if (!m_started) {
        *reason = QStringLiteral("файл пуст");
        return false;
    }
    if (m_section != Section::None) {
        *reason = QStringLiteral("файл оборван: раздел «%1», начатый на строке %2, не закрыт")
                      .arg(SectionName())
                      .arg(m_sectionLine);
        return false;
    }
    if (!m_ended) {
        *reason = QStringLiteral("файл оборван: в конце нет строки «%1»").arg(kFileEnd);
        return false;
    }
    return true;
}

bool ExchangeParser::Line(QStringView line, qsizetype start, qsizetype end) {
    if (line.isEmpty()) {
        return true;
    }
    if (!m_started) {
        m_started = true;
        if (line != kFirstLine) {
            return Fail(QStringLiteral("это не файл обмена с банком: первая строка «%1», а должна "
                                       "быть «%2»")
                            .arg(Shown(line), kFirstLine));
        }
        return true;
    }
    if (m_ended) {
        return Fail(QStringLiteral("после строки «%1» (строка %2) есть ещё текст, на строке %3")
                        .arg(kFileEnd)
                        .arg(m_endLine)
                        .arg(m_lineNumber));
    }
    if (line == kFileEnd) {
        if (m_section != Section::None) {
            return Fail(QStringLiteral("раздел «%1», начатый на строке %2, не закрыт до строки "
                                       "«%3» (строка %4)")
                            .arg(SectionName())
                            .arg(m_sectionLine)
                            .arg(kFileEnd)
                            .arg(m_lineNumber));
        }
        m_ended = true;
        m_endLine = m_lineNumber;
        return true;
    }
    if (line == kDocumentEnd) {
        return Close(Section::Document, line, end);
    }
    if (line == kBalanceEnd) {
        return Close(Section::Balance, line, end);
    }
    const qsizetype equals = line.indexOf(u'=');
    const QStringView key = (equals < 0 ? line : line.left(equals)).trimmed();
    const QStringView value = equals < 0 ? QStringView() : line.mid(equals + 1).trimmed();
    if (key == kDocumentStart) {
        return Open(Section::Document, value, start);
    }
    if (key == kBalanceStart) {
        return Open(Section::Balance, value, start);
    }
    if (equals < 0) {
        return Fail(QStringLiteral("строка %1 «%2» — не вида «Ключ=Значение»")
                        .arg(m_lineNumber)
                        .arg(Shown(line)));
    }
    return KeyValue(key, value);
}

bool ExchangeParser::Open(Section section, QStringView kind, qsizetype start) {
    if (m_section != Section::None) {
        return Fail(QStringLiteral("раздел «%1», начатый на строке %2, не закрыт до строки %3, "
                                   "где начат следующий")
                        .arg(SectionName())
                        .arg(m_sectionLine)
                        .arg(m_lineNumber));
    }
    m_section = section;
    m_sectionLine = m_lineNumber;
    m_sectionStart = start;
    m_seen = 0;
    if (section == Section::Document) {
        m_document = ExchangeDocument();
        m_document.kind = kind.toString();
        m_document.line = m_lineNumber;
        m_document.begin = start;
        m_hasDate = false;
        m_hasAmount = false;
    } else {
        m_balance = ExchangeBalance();
        m_balance.line = m_lineNumber;
        m_balance.from = m_file->m_from;
        m_balance.to = m_file->m_to;
    }
    return true;
}

bool ExchangeParser::Close(Section section, QStringView line, qsizetype end) {
    if (m_section != section) {
        return Fail(QStringLiteral("строка %1 «%2» закрывает раздел, который не начат")
                        .arg(m_lineNumber)
                        .arg(line));
    }
    m_section = Section::None;
    if (section == Section::Document && !m_hasDate) {
        return Fail(QStringLiteral("в документе на строке %1 нет даты").arg(m_sectionLine));
    }
    if (section == Section::Document && !m_hasAmount) {
        return Fail(QStringLiteral("в документе на строке %1 нет суммы").arg(m_sectionLine));
    }
    // Only sections of the same values are compared whole.
    const ExchangeDocument& d = m_document;
    const ExchangeBalance& b = m_balance;
    const size_t print =
        section == Section::Document
            ? qHashMulti(0, d.kind, d.number, d.date.toJulianDay(), d.kopecks, d.payerAccount,
                         d.recipientAccount, d.debited.toJulianDay())
            : qHashMulti(1, b.account, b.from.toJulianDay(), b.to.toJulianDay(), b.opening,
                         b.closing);
    const QStringView whole(m_file->m_text.constData() + m_sectionStart, end - m_sectionStart);
    for (auto it = m_sections.constFind(print); it != m_sections.cend() && it.key() == print;
         ++it) {
        if (*it == whole) {
            ++m_file->m_droppedRepeats;
            return true;
        }
    }
    m_sections.insert(print, whole);
    if (section == Section::Document) {
        m_document.end = end;
        m_file->m_documents.append(std::move(m_document));
    } else {
        constexpr unsigned kAmounts =
            (1u << kOpening) | (1u << kCreditedTotal) | (1u << kDebitedTotal) | (1u << kClosing);
        m_balance.complete = (m_seen & kAmounts) == kAmounts;
        m_file->m_balances.append(std::move(m_balance));
    }
    return true;
}

bool ExchangeParser::KeyValue(QStringView key, QStringView value) {
    switch (m_section) {
        case Section::Document:
            return DocumentValue(key, value);
        case Section::Balance:
            return BalanceValue(key, value);
        case Section::None:
            HeaderValue(key, value);
            return true;
    }
    return true;
}

bool ExchangeParser::DocumentValue(QStringView key, QStringView value) {
    const int index = KeyIndex(kDocumentKeys, key);
    if (index < 0 || (m_seen & (1u << index))) {
        return true;  // a key read on demand, or a repeat: the first value counts
    }
    m_seen |= 1u << index;
    ExchangeDocument& document = m_document;
    const auto wrong = [&](const QString& what) {
        return Fail(QStringLiteral("в документе на строке %1 %2 «%3»")
                        .arg(m_sectionLine)
                        .arg(what, Shown(value)));
    };
    switch (DocumentKey(index)) {
        case kNumber:
            document.number = value.toString();
            break;
        case kDate:
            document.date = ParseDate(value);
            m_hasDate = !value.isEmpty();
            if (m_hasDate && !document.date.isValid()) {
                return wrong(QStringLiteral("неверная дата"));
            }
            break;
        case kAmount:
            m_hasAmount = !value.isEmpty();
            if (m_hasAmount && (!ParseKopecks(value, &document.kopecks) || document.kopecks < 0)) {
                return wrong(QStringLiteral("неверная сумма"));
            }
            break;
        case kPayerAccount:
            document.payerAccount = WithoutBlanks(value);
            break;
        case kPayerSettlementAccount:  // stands for the account where that one is not given
            if (document.payerAccount.isEmpty()) {
                document.payerAccount = WithoutBlanks(value);
            }
            break;
        case kRecipientAccount:
            document.recipientAccount = WithoutBlanks(value);
            break;
        case kRecipientSettlementAccount:
            if (document.recipientAccount.isEmpty()) {
                document.recipientAccount = WithoutBlanks(value);
            }
            break;
        case kPayerInn:
            document.payerInn = WithoutBlanks(value);
            break;
        case kRecipientInn:
            document.recipientInn = WithoutBlanks(value);
            break;
        case kDebited:
        case kCredited: {
            const QDate date = ParseDate(value);
            if (!value.isEmpty() && !date.isValid()) {
                return wrong(index == kDebited ? QStringLiteral("неверная дата списания")
                                               : QStringLiteral("неверная дата поступления"));
            }
            (index == kDebited ? document.debited : document.credited) = date;
            break;
        }
        case kDocumentKeyCount:
            break;
    }
    return true;
}

bool ExchangeParser::BalanceValue(QStringView key, QStringView value) {
    const int index = KeyIndex(kBalanceKeys, key);
    if (index < 0 || (m_seen & (1u << index))) {
        return true;
    }
    m_seen |= 1u << index;
    if (index == kAccount) {
        m_balance.account = WithoutBlanks(value);
        return true;
    }
    if ((index == kFrom || index == kTo) && value.isEmpty()) {
        return true;  // the file's period stands
    }
    if (index == kFrom || index == kTo) {
        const QDate date = ParseDate(value);
        if (!date.isValid()) {
            return Fail(QStringLiteral("в разделе остатков на строке %1 неверная дата %2 «%3»")
                            .arg(m_sectionLine)
                            .arg(key, Shown(value)));
        }
        (index == kFrom ? m_balance.from : m_balance.to) = date;
        return true;
    }
    qint64* const amounts[] = {&m_balance.opening, &m_balance.credited, &m_balance.debited,
                               &m_balance.closing};
    if (!ParseKopecks(value, amounts[index - kOpening])) {
        return Fail(QStringLiteral("в разделе остатков на строке %1 неверная сумма %2 «%3»")
                        .arg(m_sectionLine)
                        .arg(key, Shown(value)));
    }
    return true;
}

void ExchangeParser::HeaderValue(QStringView key, QStringView value) {
    ExchangeFile& file = *m_file;
    const bool first = file.HeaderValue(key).isNull();
    file.m_header.append({key.toString(), value.isEmpty() ? QStringLiteral("") : value.toString()});
    if (key == kBalanceKeys[kAccount]) {
        const QString account = WithoutBlanks(value);
        if (!account.isEmpty() && !file.m_accounts.contains(account)) {
            file.m_accounts.append(account);
        }
    } else if (first && key == kBalanceKeys[kFrom]) {
        file.m_from = ParseDate(value);
    } else if (first && key == kBalanceKeys[kTo]) {
        file.m_to = ParseDate(value);
    } else if (first && key == QStringLiteral("ДатаСоздания")) {
        file.m_created = ParseDate(value);
    }
}

QString ExchangeFile::EncodingName() const {
    switch (m_encoding) {
        case Encoding::Ascii:
            return QStringLiteral("ASCII");
        case Encoding::Utf8:
            return QStringLiteral("UTF-8");
        case Encoding::Cp1251:
            return QStringLiteral("Windows (1251)");
        case Encoding::Cp866:
            return QStringLiteral("DOS (866)");
    }
    return QString();
}

bool ExchangeFile::Read(const QByteArray& bytes, ExchangeFile* file, QString* reason) {
    *file = ExchangeFile();
    if (!Decode(bytes, file, reason)) {
        return false;
    }
    ExchangeParser parser(file);
    if (!parser.Parse(reason)) {
        *file = ExchangeFile();
        return false;
    }
    return true;
}

// Some banks write UTF-8 whatever the header says, and a single-byte code page takes any bytes,
// so UTF-8 is tried first; otherwise the header's "Кодировка" says, Windows when it says nothing.
bool ExchangeFile::Decode(const QByteArray& bytes, ExchangeFile* file, QString* reason) {
    QByteArrayView body(bytes);
    if (body.startsWith("\xEF\xBB\xBF")) {
        body = body.sliced(3);
    }
    if (!HasNonAscii(body)) {
        file->m_encoding = Encoding::Ascii;
        file->m_text = QString::fromLatin1(body);
        return true;
    }
    if (IsUtf8(body, &file->m_text)) {
        file->m_encoding = Encoding::Utf8;
        return true;
    }
    const QByteArray named = DeclaredEncoding(body);
    const QByteArray declared = named.toLower();
    if (declared.isEmpty() || declared == "windows" || declared == "windows-1251" ||
        declared == "cp1251" || declared == "1251") {
        file->m_encoding = Encoding::Cp1251;
        file->m_text = QString(body.size(), Qt::Uninitialized);
        Cp1251::DecodeInto(body.data(), body.size(), file->m_text.data());
        return true;
    }
    if (declared == "dos" || declared == "cp866" || declared == "866" || declared == "ibm866") {
        QStringDecoder cp866(kCp866, QStringConverter::Flag::Stateless);
        if (!cp866.isValid()) {
            *reason = QStringLiteral("кодировка DOS (866) не поддерживается в этой системе");
            return false;
        }
        file->m_encoding = Encoding::Cp866;
        file->m_text = cp866.decode(body);
        return true;
    }
    if (declared == "utf-8" || declared == "utf8") {
        *reason = QStringLiteral(
            "в заголовке сказано, что файл в UTF-8, но в нём есть байты, которых в UTF-8 не "
            "бывает");
    } else {
        *reason = QStringLiteral("неизвестная кодировка «%1»: бывают Windows и DOS")
                      .arg(Shown(Cp1251::Decode(named)));
    }
    return false;
}

QString ExchangeFile::HeaderValue(QStringView key) const {
    for (const auto& [name, value] : m_header) {
        if (name == key) {
            return value;
        }
    }
    return QString();
}

QStringList ExchangeFile::HeaderValues(QStringView key) const {
    QStringList values;
    for (const auto& [name, value] : m_header) {
        if (name == key) {
            values.append(value);
        }
    }
    return values;
}

QString ExchangeFile::Value(const ExchangeDocument& document, QStringView key) const {
    const QStringView section(m_text.constData() + document.begin, document.end - document.begin);
    for (qsizetype pos = 0; pos < section.size();) {
        qsizetype end = section.indexOf(u'\n', pos);
        end = end < 0 ? section.size() : end + 1;
        const QStringView line = section.mid(pos, end - pos).trimmed();
        pos = end;
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0 && line.left(equals).trimmed() == key) {
            const QStringView value = line.mid(equals + 1).trimmed();
            return value.isEmpty() ? QStringLiteral("") : value.toString();  // given, but empty
        }
    }
    return QString();
}
