#include "invoice/PaymentCode.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

#include "common/QuotedValue.h"

namespace {

constexpr qsizetype kHeaderLength = 8;  // "ST0001", the encoding digit, the separator

// A refused text as a message quotes it: in one line, its start only when it is long.
QString Quoted(QStringView text) {
    return QuotedValue(text.toString().simplified());
}

// The encodings the header's seventh character names.
const char* EncodingOfDigit(QChar digit) {
    switch (digit.unicode()) {
        case u'1':
            return "windows-1251";
        case u'2':
            return "UTF-8";
        case u'3':
            return "KOI8-R";
        default:
            return nullptr;
    }
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

// The keys without which a code is not a payment code, and what they stand for.
const struct {
    const char* key;
    const char* meaning;
} kMandatoryKeys[] = {
    {"Name", "получатель"}, {"PersonalAcc", "счет получателя"}, {"BankName", "банк"},
    {"BIC", "БИК"},         {"CorrespAcc", "корр. счет"},
};

// The header, the code's first eight characters (bytes taken one for one).
struct Header {
    const char* encoding = nullptr;
    QChar separator;
    QString refusal;  // why the code is not a payment code; empty when it may be one
};

Header ReadHeader(QStringView text) {
    Header header;
    if (!text.startsWith(QLatin1String("ST0001"), Qt::CaseInsensitive)) {
        header.refusal = NotPaymentCode(text);
        return header;
    }
    if (text.size() < kHeaderLength) {
        header.refusal =
            QStringLiteral("Платежный QR-код оборван: в нем только %1.").arg(Quoted(text));
        return header;
    }
    const QChar digit = text[6];
    header.encoding = EncodingOfDigit(digit);
    header.separator = text[7];
    const ushort separator = header.separator.unicode();
    if (!header.encoding) {
        header.refusal = QStringLiteral(
                             "В платежном QR-коде неизвестная кодировка «%1»: после ST0001 бывает "
                             "1 (windows-1251), 2 (UTF-8) или 3 (KOI8-R).")
                             .arg(digit);
    } else if (separator <= u' ' || separator > u'~' || separator == u'=' ||
               header.separator.isLetterOrNumber()) {
        header.refusal =
            QStringLiteral("В платежном QR-коде нет разделителя после «ST0001%1».").arg(digit);
    }
    return header;
}

}  // namespace

QString PaymentCode::Value(const QString& key) const {
    for (const Pair& pair : m_pairs) {
        if (pair.key.compare(key, Qt::CaseInsensitive) == 0) {
            return pair.value;
        }
    }
    return {};
}

bool PaymentCode::TakePairs(QStringView body, QChar separator, QString* refusal) {
    for (QStringView piece : body.split(separator)) {
        const qsizetype equals = piece.indexOf(u'=');
        if (equals < 0) {
            continue;
        }
        const QString key = piece.left(equals).trimmed().toString();
        const QString value = CleanValue(piece.mid(equals + 1));
        if (!key.isEmpty() && !IsAbsent(value)) {
            m_pairs.append({key, value});
        }
    }
    QStringList missing;
    for (const auto& [key, meaning] : kMandatoryKeys) {
        if (!Has(QString::fromLatin1(key))) {
            missing.append(
                QStringLiteral("%1 (%2)").arg(QLatin1String(key), QString::fromUtf8(meaning)));
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

PaymentCode::Reading PaymentCode::FromBytes(const QByteArray& bytes) {
    Reading reading;
    const QString head = QString::fromLatin1(bytes.left(kHeaderLength));
    if (!head.startsWith(QLatin1String("ST0001"), Qt::CaseInsensitive)) {
        // Links and other texts are written in UTF-8; this only names what was found.
        reading.refusal = NotPaymentCode(QString::fromUtf8(bytes));
        return reading;
    }
    const Header header = ReadHeader(head);
    reading.refusal = header.refusal;
    if (!reading.refusal.isEmpty()) {
        return reading;
    }
    // A code cut inside a character loses the character, so that it reads as cut, not as
    // written in another encoding.
    QStringDecoder decoder(header.encoding);
    const QString body = decoder.decode(bytes.mid(kHeaderLength));
    if (decoder.hasError()) {
        reading.refusal = QStringLiteral(
                              "Текст платежного QR-кода не в кодировке %1, которую называет его "
                              "заголовок «%2».")
                              .arg(QLatin1String(header.encoding), head);
        return reading;
    }
    reading.isPaymentCode = reading.code.TakePairs(body, header.separator, &reading.refusal);
    return reading;
}

PaymentCode::Reading PaymentCode::FromText(const QString& text) {
    Reading reading;
    QStringView trimmed = QStringView(text).trimmed();
    if (trimmed.startsWith(QChar(0xFEFF))) {  // a byte order mark a text editor left
        trimmed = trimmed.mid(1).trimmed();
    }
    const Header header = ReadHeader(trimmed);
    reading.refusal = header.refusal;
    if (reading.refusal.isEmpty()) {
        reading.isPaymentCode =
            reading.code.TakePairs(trimmed.mid(kHeaderLength), header.separator, &reading.refusal);
    }
    return reading;
}
