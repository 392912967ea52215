#include "invoice/PaymentCode.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace {

constexpr qsizetype kHeaderLength = 8;  // "ST0001", the encoding digit, the separator
constexpr qsizetype kMostShown = 80;    // characters of a refused text quoted in its message

// The start of a text as a message quotes it: one line, cut where it is long.
QString Quoted(QStringView text) {
    QString line = text.left(kMostShown).toString().simplified();
    if (text.size() > kMostShown) {
        line += QChar(0x2026);
    }
    return QStringLiteral("«%1»").arg(line);
}

const char* EncodingName(PaymentCode::Encoding encoding) {
    switch (encoding) {
        case PaymentCode::Encoding::Windows1251:
            return "windows-1251";
        case PaymentCode::Encoding::Koi8R:
            return "KOI8-R";
        case PaymentCode::Encoding::Utf8:
            break;
    }
    return "UTF-8";
}

// What a text that does not start as a payment code is: a link of the fast payment system,
// a link to a site, or some other text.
QString NotPaymentCode(QStringView text) {
    const QString trimmed = text.trimmed().toString();
    if (trimmed.isEmpty()) {
        return QStringLiteral("Это пустой QR-код, в нем нет реквизитов.");
    }
    const QString lower = trimmed.toLower();
    if (lower.contains(QLatin1String("nspk.ru"))) {
        return QStringLiteral(
                   "Это QR-код Системы быстрых платежей (%1): по нему платят в приложении банка, "
                   "реквизитов для платежного поручения в нем нет.")
            .arg(Quoted(trimmed));
    }
    if (lower.startsWith(QLatin1String("http://")) || lower.startsWith(QLatin1String("https://")) ||
        lower.startsWith(QLatin1String("www."))) {
        return QStringLiteral("Это не платежный QR-код, а ссылка на сайт %1.").arg(Quoted(trimmed));
    }
    static const QRegularExpression kOtherVersion(QStringLiteral("^ST(\\d{4})"),
                                                  QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch match = kOtherVersion.match(trimmed); match.hasMatch()) {
        return QStringLiteral("Это платежный QR-код версии %1, а программа читает версию 0001.")
            .arg(match.captured(1));
    }
    return QStringLiteral("Это не платежный QR-код, а текст %1.").arg(Quoted(trimmed));
}

// A value as a field of an order holds it: on one line, without control characters, each run
// of blanks one blank.
QString CleanValue(QStringView value) {
    QString clean = value.toString();
    for (QChar& c : clean) {
        if (c.category() == QChar::Other_Control) {
            c = u' ';
        }
    }
    return clean.simplified();
}

bool IsAbsent(const QString& value) {
    return value.isEmpty() || value.compare(QLatin1String("null"), Qt::CaseInsensitive) == 0;
}

// What the mandatory keys stand for, for the message of a code that lacks them.
QString KeyMeaning(const QString& key) {
    static const QList<QPair<QString, QString>> kMeanings = {
        {QStringLiteral("Name"), QStringLiteral("получатель")},
        {QStringLiteral("PersonalAcc"), QStringLiteral("счет получателя")},
        {QStringLiteral("BankName"), QStringLiteral("банк")},
        {QStringLiteral("BIC"), QStringLiteral("БИК")},
        {QStringLiteral("CorrespAcc"), QStringLiteral("корр. счет")},
    };
    for (const auto& [name, meaning] : kMeanings) {
        if (name == key) {
            return QStringLiteral("%1 (%2)").arg(key, meaning);
        }
    }
    return key;
}

}  // namespace

const QStringList& PaymentCode::MandatoryKeys() {
    static const QStringList kKeys = {QStringLiteral("Name"), QStringLiteral("PersonalAcc"),
                                      QStringLiteral("BankName"), QStringLiteral("BIC"),
                                      QStringLiteral("CorrespAcc")};
    return kKeys;
}

QString PaymentCode::Value(const QString& key) const {
    for (const Pair& pair : m_pairs) {
        if (pair.key.compare(key, Qt::CaseInsensitive) == 0) {
            return pair.value;
        }
    }
    return {};
}

bool PaymentCode::TakePairs(QStringView body, QString* refusal) {
    for (QStringView piece : body.split(m_separator)) {
        const qsizetype equals = piece.indexOf(u'=');
        if (equals < 0) {
            continue;
        }
        const QString key = piece.left(equals).trimmed().toString();
        const QString value = CleanValue(piece.mid(equals + 1));
        if (key.isEmpty() || IsAbsent(value) || Has(key)) {
            continue;
        }
        m_pairs.append({key, value});
    }
    QStringList missing;
    for (const QString& key : MandatoryKeys()) {
        if (!Has(key)) {
            missing.append(KeyMeaning(key));
        }
    }
    if (missing.isEmpty()) {
        return true;
    }
    *refusal =
        QStringLiteral("Платежный QR-код оборван или неполон: нет обязательных реквизитов %1.")
            .arg(missing.join(QStringLiteral(", ")));
    return false;
}

namespace {

// Reads the header from the code's first eight characters (bytes taken one for one); an empty
// text when it is a payment code's header, else why the code is not one.
QString ReadHeader(QStringView text, PaymentCode::Encoding* encoding, QChar* separator) {
    if (!text.startsWith(QLatin1String("ST0001"), Qt::CaseInsensitive)) {
        return NotPaymentCode(text);
    }
    if (text.size() < kHeaderLength) {
        return QStringLiteral("Платежный QR-код оборван: в нем только %1.").arg(Quoted(text));
    }
    const QChar digit = text[6];
    if (digit < u'1' || digit > u'3') {
        return QStringLiteral(
                   "В платежном QR-коде неизвестная кодировка «%1»: после ST0001 бывает 1 "
                   "(windows-1251), 2 (UTF-8) или 3 (KOI8-R).")
            .arg(digit);
    }
    *encoding = PaymentCode::Encoding(digit.unicode() - u'0');
    *separator = text[7];
    if (separator->isLetterOrNumber() || separator->isSpace() || *separator == u'=' ||
        separator->unicode() < 0x20 || separator->unicode() > 0x7e) {
        return QStringLiteral("В платежном QR-коде нет разделителя после «ST0001%1».").arg(digit);
    }
    return {};
}

}  // namespace

PaymentCode::Reading PaymentCode::FromBytes(const QByteArray& bytes) {
    Reading reading;
    PaymentCode& code = reading.code;
    const QString head = QString::fromLatin1(bytes.left(kHeaderLength));
    if (!head.startsWith(QLatin1String("ST0001"), Qt::CaseInsensitive)) {
        // Links and other texts are written in UTF-8; this only names what was found.
        reading.refusal = NotPaymentCode(QString::fromUtf8(bytes));
        return reading;
    }
    reading.refusal = ReadHeader(head, &code.m_encoding, &code.m_separator);
    if (!reading.refusal.isEmpty()) {
        return reading;
    }
    // A code cut inside a character loses the character, so that it reads as cut, not as
    // written in another encoding.
    QStringDecoder decoder(EncodingName(code.m_encoding));
    const QString body = decoder.decode(bytes.mid(kHeaderLength));
    if (decoder.hasError()) {
        reading.refusal = QStringLiteral(
                              "Текст платежного QR-кода не в кодировке %1, которую называет его "
                              "заголовок «%2».")
                              .arg(QLatin1String(EncodingName(code.m_encoding)), head);
        return reading;
    }
    reading.isPaymentCode = code.TakePairs(body, &reading.refusal);
    return reading;
}

PaymentCode::Reading PaymentCode::FromText(const QString& text) {
    Reading reading;
    PaymentCode& code = reading.code;
    QStringView trimmed = QStringView(text).trimmed();
    if (trimmed.startsWith(QChar(0xFEFF))) {  // a byte order mark a text editor left
        trimmed = trimmed.mid(1).trimmed();
    }
    reading.refusal = ReadHeader(trimmed, &code.m_encoding, &code.m_separator);
    if (reading.refusal.isEmpty()) {
        reading.isPaymentCode = code.TakePairs(trimmed.mid(kHeaderLength), &reading.refusal);
    }
    return reading;
}
