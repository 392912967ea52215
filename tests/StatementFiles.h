#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringEncoder>
#include <QStringList>

#include "bank/BankExport.h"
#include "common/CRequisiteArray.h"
#include "common/Cp1251.h"
#include "orders/OrderFiles.h"
#include "orders/OrderRow.h"
#include "requisites/RequisitesFile.h"

// Statements as banks write them back, made from the program's own export of test orders: the
// same accounts, numbers, dates and amounts, each document marked with the day of its debit.

inline CRequisite Party(const QString& name, const QString& bank, const QString& innKpp,
                        const QString& bik, const QString& account1, const QString& account2) {
    CRequisite party;
    party.m_strName = name;
    party.m_strBank = bank;
    party.m_strInnKpp = innKpp;
    party.m_strBik = bik;
    party.m_strAccount1 = account1;
    party.m_strAccount2 = account2;
    return party;
}

inline const QString kRomashka = QStringLiteral("ООО \"Ромашка\"");
inline const QString kYolkin = QStringLiteral("ИП Ёлкин Пётр");
inline const QString kAlfa = QStringLiteral("ЗАО «Альфа-Снаб»");
inline const QString kYozh = QStringLiteral("ООО \"Ёж\" = Ёжики");
inline const QString kRomashkaAccount = QStringLiteral("40702810900000012345");
inline const QString kYolkinAccount = QStringLiteral("40802810500000004321");
inline const QString kAlfaAccount = QStringLiteral("40702810100000067890");
inline const QString kAlfaInn = QStringLiteral("6659876543");

// The payers are the client's own accounts at two banks.
inline CRequisiteArray TestPayers() {
    return {
        Party(kRomashka, QStringLiteral("ПАО Сбербанк г. Москва"),
              QStringLiteral("7701234567/770101001"), QStringLiteral("044525225"), kRomashkaAccount,
              QStringLiteral("30101810400000000225")),
        Party(kYolkin, QStringLiteral("АО \"Кредит\" г. Самара"), QStringLiteral("631234567890"),
              QStringLiteral("043601888"), kYolkinAccount, QStringLiteral("30101810200000000888")),
    };
}

// A recipient's book holds its bank's account first and its own second, as the form prints them.
inline CRequisiteArray TestRecipients() {
    return {
        Party(kAlfa, QStringLiteral("ПАО \"Уральский банк\" г. Екатеринбург"),
              kAlfaInn + QStringLiteral("/665901001"), QStringLiteral("046577777"),
              QStringLiteral("30101810500000000777"), kAlfaAccount),
        Party(kYozh, QStringLiteral("АО Банк & Ко"), QStringLiteral("7705000001"),
              QStringLiteral("044525111"), QStringLiteral("30101810000000000111"),
              QStringLiteral("40702 810 0 0000 0000001")),
    };
}

inline OrderRow TestOrder(const QString& number, const QString& date, const QString& payer,
                          const QString& recipient, const QString& amount) {
    OrderRow row;
    row[kColumnNumber] = number;
    row[kColumnDate] = date;
    row[kColumnPayer] = payer;
    row[kColumnRecipient] = recipient;
    row[kColumnAmount] = amount;
    row[kColumnBasis] = QStringLiteral("Оплата по счету ") + number.trimmed();
    row[kColumnPaymentKind] = QStringLiteral("01");
    row[kColumnPriority] = QStringLiteral("5");
    return row;
}

// Four orders of two payers on two days (Thursday 5 and Friday 6 March 2026).
inline QList<OrderRow> TestOrders() {
    return {
        TestOrder(QStringLiteral("   1"), QStringLiteral(" 5. 3.2026"), kRomashka, kAlfa,
                  QStringLiteral("1 234,50")),
        TestOrder(QStringLiteral("   2"), QStringLiteral(" 5. 3.2026"), kRomashka, kYozh,
                  QStringLiteral("700")),
        TestOrder(QStringLiteral("   3"), QStringLiteral(" 6. 3.2026"), kYolkin, kAlfa,
                  QStringLiteral("99,99")),
        TestOrder(QStringLiteral("   7"), QStringLiteral(" 6. 3.2026"), kRomashka, kAlfa,
                  QStringLiteral("15000")),
    };
}

// An address book's file, as the program writes it.
inline QByteArray BookBytes(const CRequisiteArray& records) {
    QStringList lines;
    for (const CRequisite& r : records) {
        lines << r.m_strName << r.m_strBank << r.m_strBik << r.m_strInnKpp << r.m_strAccount1
              << r.m_strAccount2;
    }
    return Cp1251::Encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// A working folder's files: the test books and orders, by their names in it.
inline QMap<QString, QByteArray> ArchiveFiles() {
    QMap<QString, QByteArray> files = {
        {RequisitesFile::FileName(kPayersKind), BookBytes(TestPayers())},
        {RequisitesFile::FileName(kRecipientsKind), BookBytes(TestRecipients())},
    };
    for (const OrderRow& order : TestOrders()) {
        files.insert(OrderFiles::FileName(order.Number()),
                     Cp1251::Encode(order.Lines().join(QStringLiteral("\r\n")) + "\r\n"));
    }
    return files;
}

inline QStringList ComposeLines(const QList<OrderRow>& orders, const QDateTime& now) {
    return BankExport::Compose(orders, TestPayers(), TestRecipients(), QStringLiteral("Vemo"),
                               QStringLiteral("1.0"), now)
        .lines;
}

// A statement being made: its header, its documents, and how it is written.
struct StatementText {
    enum class Encoding { Cp1251, Utf8WithBom, Cp866 };

    QStringList header;
    QList<QStringList> documents;  // each from "СекцияДокумент=" to "КонецДокумента"
    bool daily = false;  // one balance section per account and day
    Encoding encoding = Encoding::Cp1251;

    // The value of a key in a document's lines; the lines are changed through SetValue.
    static qsizetype Find(const QStringList& lines, const QString& key) {
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (lines[i].startsWith(key + u'=')) {
                return i;
            }
        }
        return -1;
    }
    static QString Value(const QStringList& lines, const QString& key) {
        const qsizetype at = Find(lines, key);
        return at < 0 ? QString() : lines[at].mid(key.size() + 1);
    }
    static void SetValue(QStringList* lines, const QString& key, const QString& value) {
        const qsizetype at = Find(*lines, key);
        if (at >= 0) {
            (*lines)[at] = key + u'=' + value;
        } else {
            lines->insert(lines->size() - 1, key + u'=' + value);
        }
    }
    static void Remove(QStringList* lines, const QString& key) {
        const qsizetype at = Find(*lines, key);
        if (at >= 0) {
            lines->removeAt(at);
        }
    }
    // The document of the order with that number.
    QStringList* Document(const QString& number) {
        for (QStringList& lines : documents) {
            if (Value(lines, QStringLiteral("Номер")) == number) {
                return &lines;
            }
        }
        return nullptr;
    }

    // The statement of an export: each document debited on its date, nothing credited yet.
    static StatementText FromExport(const QStringList& exported) {
        StatementText text;
        for (const QString& line : exported) {
            if (line.startsWith(QStringLiteral("СекцияДокумент="))) {
                text.documents.append(QStringList());
            }
            if (line == QStringLiteral("КонецФайла")) {
                break;
            }
            if (text.documents.isEmpty()) {
                if (!line.startsWith(QStringLiteral("Документ="))) {
                    text.header.append(line);
                }
                continue;
            }
            QStringList& lines = text.documents.last();
            if (line == QStringLiteral("КонецДокумента")) {
                lines << QStringLiteral("ДатаСписано=") + Value(lines, QStringLiteral("Дата"))
                      << QStringLiteral("ДатаПоступило=");
            }
            lines.append(line);
        }
        return text;
    }

    static qint64 Kopecks(const QString& amount) {
        const QStringList parts = amount.split(u'.');
        const QString cents = parts.value(1).leftJustified(2, u'0');
        return parts[0].toLongLong() * 100 + cents.toLongLong();
    }
    static QString Money(qint64 kopecks) {
        return QStringLiteral("%1.%2")
            .arg(kopecks / 100)
            .arg(kopecks % 100, 2, 10, QLatin1Char('0'));
    }

    // Balance sections that the documents add up to: one per account of the header, for the
    // period or for each day of it.
    QStringList Balances() const {
        QStringList lines;
        const QDate from = QDate::fromString(Value(header, QStringLiteral("ДатаНачала")),
                                             QStringLiteral("dd.MM.yyyy"));
        const QDate to = QDate::fromString(Value(header, QStringLiteral("ДатаКонца")),
                                           QStringLiteral("dd.MM.yyyy"));
        for (const QString& line : header) {
            if (!line.startsWith(QStringLiteral("РасчСчет="))) {
                continue;
            }
            const QString account = line.mid(9);
            qint64 balance = 100000000;
            for (QDate day = from; day <= to; day = daily ? day.addDays(1) : to.addDays(1)) {
                const QDate last = daily ? day : to;
                qint64 credited = 0;
                qint64 debited = 0;
                for (qsizetype d = 0; d < documents.size(); ++d) {
                    const QStringList& document = documents[d];
                    if (documents.indexOf(document) < d) {
                        continue;  // a section repeated exactly is one document
                    }
                    const QDate date = QDate::fromString(Value(document, QStringLiteral("Дата")),
                                                         QStringLiteral("dd.MM.yyyy"));
                    if (date < day || date > last) {
                        continue;
                    }
                    const qint64 sum = Kopecks(Value(document, QStringLiteral("Сумма")));
                    debited +=
                        Value(document, QStringLiteral("ПлательщикСчет")) == account ? sum : 0;
                    credited +=
                        Value(document, QStringLiteral("ПолучательСчет")) == account ? sum : 0;
                }
                lines << QStringLiteral("СекцияРасчСчет")
                      << QStringLiteral("ДатаНачала=") + day.toString(QStringLiteral("dd.MM.yyyy"))
                      << QStringLiteral("ДатаКонца=") + last.toString(QStringLiteral("dd.MM.yyyy"))
                      << QStringLiteral("РасчСчет=") + account
                      << QStringLiteral("НачальныйОстаток=") + Money(balance)
                      << QStringLiteral("ВсегоСписано=") + Money(debited)
                      << QStringLiteral("ВсегоПоступило=") + Money(credited);
                balance += credited - debited;
                lines << QStringLiteral("КонечныйОстаток=") + Money(balance)
                      << QStringLiteral("КонецРасчСчет");
            }
        }
        return lines;
    }

    QStringList Lines() const {
        QStringList lines = header + Balances();
        for (const QStringList& document : documents) {
            lines += document;
        }
        lines << QStringLiteral("КонецФайла");
        return lines;
    }

    QByteArray Bytes() const {
        const QString text = Lines().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
        switch (encoding) {
            case Encoding::Cp1251:
                return Cp1251::Encode(text);
            case Encoding::Utf8WithBom:
                return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
            case Encoding::Cp866: {
                QStringEncoder encoder("IBM866");
                return encoder.encode(text);
            }
        }
        return QByteArray();
    }
};
