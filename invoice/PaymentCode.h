#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

// The text of the payment QR code that invoices and bills carry: "ST0001", a digit naming the
// encoding of what follows (1 windows-1251, 2 UTF-8, 3 KOI8-R), the separator, whatever character
// stands eighth (usually "|"), then "Ключ=Значение" pairs joined by the separator.
//
// It is read as leniently as the writers in the wild require: keys in any letter case, an empty or
// blank value or "null" counting as absent, a pair without "=" skipped, a trailing separator
// allowed, keys this program does not use kept. A code without the five mandatory keys is not a
// payment code.
class PaymentCode {
public:
    struct Pair {
        QString key;  // as the code writes it
        QString value;
    };

    struct Reading;

    // A barcode's raw bytes, the text after the header decoded by the encoding it names.
    static Reading FromBytes(const QByteArray& bytes);
    // The code's text as characters already, as it is pasted: the encoding digit is checked but
    // does not decode anything.
    static Reading FromText(const QString& text);

    // Every present pair in the code's order.
    const QList<Pair>& Pairs() const { return m_pairs; }
    // The value of the key in any letter case, the first where the code repeats it; empty when
    // the code lacks it.
    QString Value(const QString& key) const;
    bool Has(const QString& key) const { return !Value(key).isEmpty(); }

private:
    // Takes the pairs of the text after the header; false, with *refusal, when the mandatory
    // keys are not all there.
    bool TakePairs(QStringView body, QChar separator, QString* refusal);

    QList<Pair> m_pairs;
};

// What a text read as a payment code gave: the code, or why the text is not one, in a sentence
// that says what it is instead ("Это не платежный QR-код, а ссылка на сайт …").
struct PaymentCode::Reading {
    bool isPaymentCode = false;
    PaymentCode code;
    QString refusal;
};
