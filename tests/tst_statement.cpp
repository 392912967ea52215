// The bank's statement read back and held against the archive: statements made from the
// program's own export and given the quirks of real banks' files, each with the states of the
// orders it must give; the files that are refused whole; the balances; the parties offered.
#include <QtTest>

#include "StatementFiles.h"
#include "bank/AccountBalances.h"
#include "bank/ExchangeFile.h"
#include "bank/ExportBatches.h"
#include "bank/KeptSummaries.h"
#include "bank/OrderStates.h"
#include "bank/StatementAnswers.h"
#include "bank/StatementParties.h"
#include "bank/StatementReport.h"
#include "requisites/BikDirectory.h"

namespace {

using Quirk = void (*)(StatementText*);

const QDateTime kExported(QDate(2026, 3, 6), QTime(10, 0));
const QDate kToday(2026, 3, 20);

// A payment the bank adds to the statement: from one account to another on 05.03.2026.
QStringList Payment(const QString& kind, const QString& number, const QString& amount,
                    const QString& payerAccount, const QString& recipientAccount,
                    const QStringList& more = {}) {
    return QStringList{QStringLiteral("СекцияДокумент=") + kind,
                       QStringLiteral("Номер=") + number,
                       QStringLiteral("Дата=05.03.2026"),
                       QStringLiteral("Сумма=") + amount,
                       QStringLiteral("ПлательщикСчет=") + payerAccount,
                       QStringLiteral("ПолучательСчет=") + recipientAccount} +
           more + QStringList{QStringLiteral("КонецДокумента")};
}

const QString kOrderKind = QStringLiteral("Платежное поручение");
const QString kBuyerAccount = QStringLiteral("40702810600000055555");

KeptFiles::KeptFile Kept(KeptFiles::Kind kind, const QDateTime& when, const QString& name) {
    KeptFiles::KeptFile file;
    file.kind = kind;
    file.kept = when;
    file.name = name;
    return file;
}

ExchangeFile Read(const QByteArray& bytes) {
    ExchangeFile file;
    QString reason;
    if (!ExchangeFile::Read(bytes, &file, &reason)) {
        qWarning("refused: %s", qPrintable(reason));
    }
    return file;
}

}  // namespace

Q_DECLARE_METATYPE(Quirk)
Q_DECLARE_METATYPE(OrderRow)

class TestStatement : public QObject {
    Q_OBJECT
private slots:
    void statesFromAStatementOfOurExport_data();
    void statesFromAStatementOfOurExport();
    void aDocumentFittingTwoOrdersDecidesNeither();
    void theUsersAnswersDecide_data();
    void theUsersAnswersDecide();
    void overdueCountsTheBankHolidays_data();
    void overdueCountsTheBankHolidays();
    void theSameDocumentInTwoStatementsCountsOnce();
    void refusedFiles_data();
    void refusedFiles();
    void valuesAsTheFileGivesThem();
    void balancesAddUp_data();
    void balancesAddUp();
    void partiesOffered_data();
    void partiesOffered();
    void batchesByPayersBank();
};

// Orders 1, 2 and 7 of Ромашка and order 3 of Ёлкин go to the bank in one export on 06.03;
// the statement of Ромашка's account shows 1, 2 and 7 debited on their dates. Each row gives the
// statement one quirk of real banks' files.
void TestStatement::statesFromAStatementOfOurExport_data() {
    QTest::addColumn<Quirk>("quirk");
    QTest::addColumn<QStringList>("states");  // of orders 1, 2, 3, 7
    QTest::addColumn<int>("incoming");
    QTest::addColumn<int>("bankOperations");
    QTest::addColumn<int>("notInArchive");
    QTest::addColumn<int>("ambiguities");

    const QString sent = QStringLiteral("отправлено 06.03");
    const QStringList plain = {QStringLiteral("исполнено 05.03"), QStringLiteral("исполнено 05.03"),
                               sent, QStringLiteral("исполнено 06.03")};
    QTest::newRow("as a bank writes it, ДатаПоступило empty")
        << Quirk([](StatementText*) {}) << plain << 0 << 0 << 0 << 0;
    QTest::newRow("ДатаСписано missing") << Quirk([](StatementText* s) {
        StatementText::Remove(s->Document("1"), QStringLiteral("ДатаСписано"));
    }) << QStringList{QStringLiteral("исполнено"), plain[1], sent, plain[3]}
                                         << 0 << 0 << 0 << 0;
    QTest::newRow("ДатаСписано empty and ДатаПоступило filled on our own debit")
        << Quirk([](StatementText* s) {
               StatementText::SetValue(s->Document("1"), QStringLiteral("ДатаСписано"), QString());
               StatementText::SetValue(s->Document("1"), QStringLiteral("ДатаПоступило"),
                                       QStringLiteral("05.03.2026"));
           })
        << QStringList{QStringLiteral("исполнено"), plain[1], sent, plain[3]} << 0 << 0 << 0 << 0;
    QTest::newRow("number collision: an incoming № 1 of the same day and amount")
        << Quirk([](StatementText* s) {
               s->documents << Payment(kOrderKind, QStringLiteral("1"), QStringLiteral("1234.50"),
                                       kBuyerAccount, kRomashkaAccount,
                                       {QStringLiteral("ДатаПоступило=05.03.2026")});
           })
        << plain << 1 << 0 << 0 << 0;
    QTest::newRow("number collision: an outgoing № 1 to a party not in the archive")
        << Quirk([](StatementText* s) {
               s->documents << Payment(kOrderKind, QStringLiteral("1"), QStringLiteral("1234.50"),
                                       kRomashkaAccount, kBuyerAccount,
                                       {QStringLiteral("ДатаСписано=05.03.2026")});
           })
        << plain << 0 << 0 << 1 << 0;
    QTest::newRow("a bank fee") << Quirk([](StatementText* s) {
        s->documents << Payment(
            QStringLiteral("Банковский ордер"), QStringLiteral("88"), QStringLiteral("150"),
            kRomashkaAccount, QStringLiteral("70601810000000012345"),
            {QStringLiteral("ВидОплаты=17"), QStringLiteral("ДатаСписано=05.03.2026")});
    }) << plain << 0 << 1 << 0 << 0;
    QTest::newRow("a second account's section") << Quirk([](StatementText* s) {
        s->header << QStringLiteral("РасчСчет=") + kYolkinAccount;
        const StatementText other =
            StatementText::FromExport(ComposeLines({TestOrders()[2]}, kExported));
        s->documents += other.documents;
    }) << QStringList{plain[0], plain[1], QStringLiteral("исполнено 06.03"), plain[3]}
                                                << 0 << 0 << 0 << 0;
    QTest::newRow("daily sections")
        << Quirk([](StatementText* s) { s->daily = true; }) << plain << 0 << 0 << 0 << 0;
    QTest::newRow("a non-numeric number and an empty priority") << Quirk([](StatementText* s) {
        s->documents << Payment(kOrderKind, QStringLiteral("FDC240"), QStringLiteral("107728.7"),
                                QStringLiteral("40817810"), kRomashkaAccount,
                                {QStringLiteral("Очередность="), QStringLiteral("ПлательщикИНН=4"),
                                 QStringLiteral("ДатаПоступило=05.03.2026")});
    }) << plain << 1 << 0 << 0 << 0;
    QTest::newRow("number with leading zeros") << Quirk([](StatementText* s) {
        StatementText::SetValue(s->Document("7"), QStringLiteral("Номер"), QStringLiteral("0007"));
    }) << plain << 0 << 0 << 0 << 0;
    QTest::newRow("one-decimal amount") << Quirk([](StatementText* s) {
        StatementText::SetValue(s->Document("1"), QStringLiteral("Сумма"),
                                QStringLiteral("1234.5"));
    }) << plain << 0 << 0 << 0 << 0;
    QTest::newRow("an amount a kopeck off") << Quirk([](StatementText* s) {
        StatementText::SetValue(s->Document("1"), QStringLiteral("Сумма"),
                                QStringLiteral("1234.51"));
    }) << QStringList{sent, plain[1], sent, plain[3]}
                                            << 0 << 0 << 1 << 0;
    QTest::newRow("UTF-8 with a BOM, header saying Windows")
        << Quirk([](StatementText* s) { s->encoding = StatementText::Encoding::Utf8WithBom; })
        << plain << 0 << 0 << 0 << 0;
    QTest::newRow("code page 866") << Quirk([](StatementText* s) {
        s->encoding = StatementText::Encoding::Cp866;
        StatementText::SetValue(&s->header, QStringLiteral("Кодировка"), QStringLiteral("DOS"));
    }) << plain << 0 << 0 << 0 << 0;
    QTest::newRow("an incoming payment marked with ДатаСписано") << Quirk([](StatementText* s) {
        s->documents << Payment(kOrderKind, QStringLiteral("2"), QStringLiteral("700"),
                                kBuyerAccount, kRomashkaAccount,
                                {QStringLiteral("ДатаСписано=05.03.2026")});
    }) << plain << 1 << 0 << 0 << 0;
    QTest::newRow("a payment order (платежный ордер) in place of order 7")
        << Quirk([](StatementText* s) {
               StatementText::SetValue(s->Document("7"), QStringLiteral("СекцияДокумент"),
                                       QStringLiteral("Платежный ордер"));
           })
        << QStringList{plain[0], plain[1], sent, sent} << 0 << 0 << 1 << 0;
    QTest::newRow("the recipient's INN differs") << Quirk([](StatementText* s) {
        StatementText::SetValue(s->Document("1"), QStringLiteral("ПолучательИНН"),
                                QStringLiteral("7700000000"));
    }) << QStringList{sent, plain[1], sent, plain[3]}
                                                 << 0 << 0 << 1 << 0;
    QTest::newRow("the recipient's INN left out") << Quirk([](StatementText* s) {
        StatementText::Remove(s->Document("1"), QStringLiteral("ПолучательИНН"));
    }) << plain << 0 << 0 << 0 << 0;
    QTest::newRow("one order debited twice") << Quirk([](StatementText* s) {
        QStringList again = *s->Document("1");
        StatementText::SetValue(&again, QStringLiteral("КвитанцияВремя"),
                                QStringLiteral("12:00:00"));
        s->documents << again;
    }) << QStringList{QStringLiteral("отправлено 06.03, исполнено?"), plain[1], sent, plain[3]}
                                             << 0 << 0 << 0 << 1;
    QTest::newRow("a document section repeated exactly")
        << Quirk([](StatementText* s) { s->documents << *s->Document("1"); }) << plain << 0 << 0
        << 0 << 0;
    QTest::newRow("statement up to the third working day without order 7")
        << Quirk([](StatementText* s) {
               s->documents.removeOne(*s->Document("7"));
               StatementText::SetValue(&s->header, QStringLiteral("ДатаКонца"),
                                       QStringLiteral("11.03.2026"));
           })
        << QStringList{plain[0], plain[1], sent, QStringLiteral("отправлено 06.03, нет в выписке")}
        << 0 << 0 << 0 << 0;
    QTest::newRow("statement up to the second working day without order 7")
        << Quirk([](StatementText* s) {
               s->documents.removeOne(*s->Document("7"));
               StatementText::SetValue(&s->header, QStringLiteral("ДатаКонца"),
                                       QStringLiteral("10.03.2026"));
           })
        << QStringList{plain[0], plain[1], sent, sent} << 0 << 0 << 0 << 0;
}

void TestStatement::statesFromAStatementOfOurExport() {
    QFETCH(Quirk, quirk);
    QFETCH(QStringList, states);
    QFETCH(int, incoming);
    QFETCH(int, bankOperations);
    QFETCH(int, notInArchive);
    QFETCH(int, ambiguities);
    const QList<OrderRow> orders = TestOrders();
    StatementText statement =
        StatementText::FromExport(ComposeLines({orders[0], orders[1], orders[3]}, kExported));
    quirk(&statement);
    const ExchangeFile file = Read(statement.Bytes());
    const ExchangeFile exported = Read(BankExport::FileBytes(ComposeLines(orders, kExported)));

    KeptSummaries kept;
    kept.Add(Kept(KeptFiles::Kind::Export, kExported, QStringLiteral("e")), exported);
    kept.Add(Kept(KeptFiles::Kind::Statement, QDateTime(kToday, QTime(9, 0)), QStringLiteral("s")),
             file);
    QStringList texts;
    for (const OrderStates::State& state :
         OrderStates::Compute(orders, TestPayers(), TestRecipients(), kept, kToday)) {
        texts.append(OrderStates::Text(state));
    }
    QCOMPARE(texts, states);

    const StatementReport report =
        StatementReport::Of(file, orders, TestPayers(), TestRecipients());
    qsizetype incomingCount = 0;
    qsizetype bankCount = 0;
    for (const AccountStatement& account : report.accounts) {
        QVERIFY2(account.balances.mismatches.isEmpty(),
                 qPrintable(account.balances.mismatches.join(u'\n')));
        incomingCount += account.incoming.size();
        bankCount += account.bankOperations.size();
    }
    QCOMPARE(incomingCount, incoming);
    QCOMPARE(bankCount, bankOperations);
    QCOMPARE(report.notInArchive.size(), notInArchive);
    QCOMPARE(report.ambiguities.size(), ambiguities);
    QVERIFY(report.unplaced.isEmpty());
}

// Two orders alike in every value the bank repeats: the document of either answers neither.
void TestStatement::aDocumentFittingTwoOrdersDecidesNeither() {
    QList<OrderRow> orders = TestOrders();
    orders.append(orders[0]);
    orders.last()[kColumnBasis] = QStringLiteral("Тот же платеж ещё раз");
    const ExchangeFile file =
        Read(StatementText::FromExport(ComposeLines({orders[0]}, kExported)).Bytes());
    const StatementReport report =
        StatementReport::Of(file, orders, TestPayers(), TestRecipients());
    QVERIFY(report.answers.isEmpty());
    QCOMPARE(report.ambiguities.size(), 1);
    QCOMPARE(report.ambiguities[0].orders, (QList<qsizetype>{0, 4}));

    KeptSummaries kept;
    kept.Add(Kept(KeptFiles::Kind::Statement, QDateTime(kToday, QTime(9, 0)), QStringLiteral("s")),
             file);
    const QList<OrderStates::State> states =
        OrderStates::Compute(orders, TestPayers(), TestRecipients(), kept, kToday);
    QCOMPARE(OrderStates::Text(states[0]), QStringLiteral("исполнено?"));
    QCOMPARE(OrderStates::Text(states[4]), QStringLiteral("исполнено?"));
    // The bank executed one of them: neither is offered as not sent.
    QVERIFY(OrderStates::Shows(OrderStates::Filter::SentNotExecuted, states[4]));
    QVERIFY(!OrderStates::Shows(OrderStates::Filter::NotSent, states[4]));
}

// Where the rule cannot pair them, the user's answer about each document decides; an answer
// that names an order the document cannot answer decides nothing.
void TestStatement::theUsersAnswersDecide_data() {
    QTest::addColumn<bool>("twoOrders");       // else one order debited twice
    QTest::addColumn<QStringList>("answers");  // per document of the order, in file order
    QTest::addColumn<QStringList>("states");   // of the order and, with two, its twin
    const QString sent = QStringLiteral("отправлено 06.03");
    QTest::newRow("debited twice, not answered")
        << false << QStringList{} << QStringList{sent + QStringLiteral(", исполнено?")};
    QTest::newRow("debited twice, the second is not this order")
        << false << QStringList{"Vemo/vemo.1", ""} << QStringList{"исполнено 05.03"};
    QTest::newRow("debited twice, both said to be it")
        << false << QStringList{"Vemo/vemo.1", "Vemo/vemo.1"}
        << QStringList{sent + QStringLiteral(", исполнено?")};
    QTest::newRow("debited twice, neither") << false << QStringList{"", ""} << QStringList{sent};
    QTest::newRow("fits two orders, not answered")
        << true << QStringList{} << QStringList{"исполнено?", "исполнено?"};
    // The export fits both as well: which one it sent is not known either.
    QTest::newRow("fits two orders, the twin chosen")
        << true << QStringList{"Vemo/vemo.9"} << QStringList{"отправлено?", "исполнено 05.03"};
    QTest::newRow("fits two orders, an order it cannot answer named")
        << true << QStringList{"Vemo/vemo.3"} << QStringList{"исполнено?", "исполнено?"};
}

void TestStatement::theUsersAnswersDecide() {
    QFETCH(bool, twoOrders);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, states);
    QList<OrderRow> orders = TestOrders();
    QStringList files = {"Vemo/vemo.1", "Vemo/vemo.2", "Vemo/vemo.3", "Vemo/vemo.7"};
    StatementText statement = StatementText::FromExport(ComposeLines({orders[0]}, kExported));
    if (twoOrders) {
        orders.append(orders[0]);  // a file whose first line repeats another order's number
        files.append("Vemo/vemo.9");
    } else {
        QStringList again = *statement.Document("1");
        StatementText::SetValue(&again, QStringLiteral("КвитанцияВремя"),
                                QStringLiteral("12:00:00"));
        statement.documents << again;
    }
    const ExchangeFile file = Read(statement.Bytes());
    KeptSummaries kept;
    kept.Add(Kept(KeptFiles::Kind::Export, kExported, QStringLiteral("e")),
             Read(BankExport::FileBytes(ComposeLines(TestOrders(), kExported))));
    kept.Add(Kept(KeptFiles::Kind::Statement, QDateTime(kToday, QTime(9, 0)), QStringLiteral("s")),
             file);
    StatementAnswers told;
    for (qsizetype d = 0; d < answers.size(); ++d) {
        told.Set(QStringLiteral("s"), file.Documents()[d].line, answers[d]);
    }
    const QList<OrderStates::State> computed =
        OrderStates::Compute(orders, TestPayers(), TestRecipients(), kept, kToday, told, files);
    QStringList texts = {OrderStates::Text(computed[0])};
    if (twoOrders) {
        texts.append(OrderStates::Text(computed[4]));
    }
    QCOMPARE(texts, states);
}

// An order is overdue once three working days of the bank have passed without it in a statement
// that covers them; the public holidays are not working days.
void TestStatement::overdueCountsTheBankHolidays_data() {
    QTest::addColumn<QString>("covered");  // the statement's last day
    QTest::addColumn<QString>("state");
    // Sent on Thursday 30 April 2026: 1 May is a holiday, then the weekend; the third working
    // day after is Wednesday 6 May.
    QTest::newRow("to the second working day") << "05.05.2026"
                                               << "отправлено 30.04";
    QTest::newRow("to the third working day") << "06.05.2026"
                                              << "отправлено 30.04, нет в выписке";
}

void TestStatement::overdueCountsTheBankHolidays() {
    QFETCH(QString, covered);
    QFETCH(QString, state);
    const QDateTime sentAt(QDate(2026, 4, 30), QTime(16, 0));
    const QList<OrderRow> orders = {TestOrder(QStringLiteral("   1"), QStringLiteral("30. 4.2026"),
                                              kRomashka, kAlfa, QStringLiteral("500"))};
    StatementText statement = StatementText::FromExport(ComposeLines(orders, sentAt));
    statement.documents.clear();  // the bank did not execute it
    StatementText::SetValue(&statement.header, QStringLiteral("ДатаКонца"), covered);
    KeptSummaries kept;
    kept.Add(Kept(KeptFiles::Kind::Export, sentAt, QStringLiteral("e")),
             Read(BankExport::FileBytes(ComposeLines(orders, sentAt))));
    kept.Add(Kept(KeptFiles::Kind::Statement, QDateTime(kToday, QTime(9, 0)), QStringLiteral("s")),
             Read(statement.Bytes()));
    const QList<OrderStates::State> states =
        OrderStates::Compute(orders, TestPayers(), TestRecipients(), kept, QDate(2026, 5, 20));
    QCOMPARE(OrderStates::Text(states[0]), state);
}

// A day's statement and the month's hold the same debit: one execution, not two.
void TestStatement::theSameDocumentInTwoStatementsCountsOnce() {
    const QList<OrderRow> orders = TestOrders();
    StatementText day = StatementText::FromExport(ComposeLines({orders[0]}, kExported));
    StatementText month = day;
    StatementText::SetValue(&month.header, QStringLiteral("ДатаКонца"),
                            QStringLiteral("31.03.2026"));
    KeptSummaries kept;
    kept.Add(Kept(KeptFiles::Kind::Statement, QDateTime(kToday, QTime(9, 0)), "a"),
             Read(day.Bytes()));
    kept.Add(Kept(KeptFiles::Kind::Statement, QDateTime(kToday, QTime(9, 5)), "b"),
             Read(month.Bytes()));
    const QList<OrderStates::State> states =
        OrderStates::Compute(orders, TestPayers(), TestRecipients(), kept, kToday);
    QCOMPARE(OrderStates::Text(states[0]), QStringLiteral("исполнено 05.03"));
    QVERIFY(OrderStates::Shows(OrderStates::Filter::Executed, states[0]));
}

void TestStatement::refusedFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const QByteArray whole =
        StatementText::FromExport(ComposeLines(TestOrders(), kExported)).Bytes();
    const auto cp1251 = [](const char* text) { return Cp1251::Encode(QString::fromUtf8(text)); };
    const qsizetype lastEnd = whole.lastIndexOf(cp1251("КонецДокумента"));
    QTest::newRow("empty") << QByteArray() << QStringLiteral("файл пуст");
    QTest::newRow("another format")
        << QByteArray("<?xml version=\"1.0\"?>\r\n<ED807/>\r\n")
        << QStringLiteral("это не файл обмена с банком: первая строка «<?xml version=\"1.0\"?>»");
    QTest::newRow("cut short in a document")
        << whole.left(lastEnd)
        << QStringLiteral("файл оборван: раздел «СекцияДокумент», начатый на строке");
    QTest::newRow("no КонецФайла")
        << whole.left(whole.lastIndexOf(cp1251("КонецФайла")))
        << QStringLiteral("файл оборван: в конце нет строки «КонецФайла»");
    QByteArray unclosed = whole;
    unclosed.replace(cp1251("КонецРасчСчет\r\n"), QByteArray());
    QTest::newRow("a section not closed before the next")
        << unclosed
        << QStringLiteral(
               "раздел «СекцияРасчСчет», начатый на строке 12, не закрыт "
               "до строки 20, где начат следующий");
    QByteArray stray = whole;
    stray.replace(cp1251("СекцияРасчСчет\r\n"), QByteArray());
    QTest::newRow("an end without a start")
        << stray << QStringLiteral("«КонецРасчСчет» закрывает раздел, который не начат");
    QTest::newRow("a line that is not key=value")
        << QByteArray(whole).insert(whole.indexOf("\r\n") + 2, "garbage\r\n")
        << QStringLiteral("строка 2 «garbage» — не вида «Ключ=Значение»");
    QTest::newRow("text after the end") << whole + "1CClientBankExchange\r\n"
                                        << QStringLiteral("после строки «КонецФайла»");
    QByteArray noAmount = whole;
    noAmount.replace(cp1251("Сумма=700.00\r\n"), QByteArray());
    QTest::newRow("a document without an amount") << noAmount << QStringLiteral("нет суммы");
    QTest::newRow("an amount with a thousands comma")
        << QByteArray(whole).replace("15000.00", "15,000.00")
        << QStringLiteral("неверная сумма «15,000.00»");
    QTest::newRow("a date that is no date")
        << QByteArray(whole).replace(cp1251("Дата=06.03.2026"), cp1251("Дата=31.02.2026"))
        << QStringLiteral("неверная дата «31.02.2026»");
    QTest::newRow("a balance that is no amount")
        << QByteArray(whole).replace("1000000.00", cp1251("миллион"))
        << QStringLiteral("неверная сумма НачальныйОстаток «миллион»");
    QTest::newRow("an encoding no bank uses") << QByteArray(whole).replace("=Windows", "=KOI8-R")
                                              << QStringLiteral("неизвестная кодировка «KOI8-R»");
}

// A file that is not a whole statement is refused, with the reason the user reads.
void TestStatement::refusedFiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    ExchangeFile file;
    QString why;
    QVERIFY(!ExchangeFile::Read(bytes, &file, &why));
    QVERIFY2(why.contains(reason), qPrintable(why));
    QVERIFY(file.Documents().isEmpty());
}

// What a reader must tolerate: keys in any order, a value holding "=", keys it does not know, a
// key given empty and one left out, amounts with no, one or two kopeck digits, LF line ends.
void TestStatement::valuesAsTheFileGivesThem() {
    const QByteArray bytes = Cp1251::Encode(QStringLiteral(
        "1CClientBankExchange\n\nКодировка=Windows\nРасчСчет=40702 810 9 0000 0012345\n"
        "СекцияДокумент=Платежное поручение\nСумма=1000\nНомер=12\nДатаПоступило=\n"
        "Дата=5.3.2026\nПлательщикКорСчет=30101810400000000225\n"
        "НазначениеПлатежа=Оплата = аванс\nКонецДокумента\n"
        "СекцияДокумент=Банковский ордер\nДата=05.03.2026\nСумма=13056.00\nКонецДокумента\n"
        "СекцияДокумент=Платежное поручение\nДата=06.03.2026\nСумма=107728.7\nНомер=FDC240\n"
        "КонецДокумента\nКонецФайла\n"));
    const ExchangeFile file = Read(bytes);
    QCOMPARE(file.TextEncoding(), ExchangeFile::Encoding::Cp1251);
    QCOMPARE(file.Accounts(), QStringList{kRomashkaAccount});
    QCOMPARE(file.Documents().size(), 3);
    const ExchangeDocument& first = file.Documents()[0];
    QCOMPARE(first.kopecks, 100000);
    QCOMPARE(first.date, QDate(2026, 3, 5));
    QCOMPARE(first.number, QStringLiteral("12"));
    QCOMPARE(file.Value(first, QStringLiteral("НазначениеПлатежа")),
             QStringLiteral("Оплата = аванс"));
    QCOMPARE(file.Value(first, QStringLiteral("ПлательщикКорСчет")),
             QStringLiteral("30101810400000000225"));
    QVERIFY(!file.Value(first, QStringLiteral("ДатаПоступило")).isNull());
    QVERIFY(file.Value(first, QStringLiteral("ДатаПоступило")).isEmpty());
    QVERIFY(file.Value(first, QStringLiteral("ДатаСписано")).isNull());
    QVERIFY(!first.credited.isValid());
    QCOMPARE(file.Documents()[1].kind, QStringLiteral("Банковский ордер"));
    QCOMPARE(file.Documents()[1].kopecks, 1305600);
    QCOMPARE(file.Documents()[2].kopecks, 10772870);
    QCOMPARE(file.Documents()[2].number, QStringLiteral("FDC240"));
}

void TestStatement::balancesAddUp_data() {
    QTest::addColumn<QStringList>("sections");  // "from to opening credited debited closing"
    QTest::addColumn<QString>("period");
    QTest::addColumn<QStringList>("totals");  // opening credited debited closing
    QTest::addColumn<QStringList>("mismatches");
    QTest::addColumn<QStringList>("documents");  // "out 200" leaves the account, "in 500.5" comes
    QTest::newRow("one section") << QStringList{"01.03.2026 31.03.2026 1000 500.5 200 1300.5"}
                                 << QStringLiteral("01.03.2026–31.03.2026")
                                 << QStringList{"1 000,00", "500,50", "200,00", "1 300,50"}
                                 << QStringList() << QStringList{"out 150", "out 50", "in 500.5"};
    QTest::newRow("documents that do not make up the totals")
        << QStringList{"01.03.2026 31.03.2026 1000 500.5 200 1300.5"}
        << QStringLiteral("01.03.2026–31.03.2026")
        << QStringList{"1 000,00", "500,50", "200,00", "1 300,50"}
        << QStringList{"документы списали 150,00, а всего списано 200,00",
                       "документы зачислили 0,00, а всего поступило 500,50"}
        << QStringList{"out 150"};
    QTest::newRow("days in any order, each opening with the day before's closing")
        << QStringList{"02.03.2026 02.03.2026 1300.5 0 0.5 1300",
                       "01.03.2026 01.03.2026 1000 500.5 200 1300.5"}
        << QStringLiteral("01.03.2026–02.03.2026")
        << QStringList{"1 000,00", "500,50", "200,50", "1 300,00"} << QStringList()
        << QStringList();
    QTest::newRow("a section repeated exactly")
        << QStringList{"01.03.2026 01.03.2026 1000 500.5 200 1300.5",
                       "01.03.2026 01.03.2026 1000 500.5 200 1300.5"}
        << QStringLiteral("01.03.2026–01.03.2026")
        << QStringList{"1 000,00", "500,50", "200,00", "1 300,50"} << QStringList()
        << QStringList();
    QTest::newRow("a day that does not add up")
        << QStringList{"01.03.2026 01.03.2026 1000 500 200 1400"}
        << QStringLiteral("01.03.2026–01.03.2026")
        << QStringList{"1 000,00", "500,00", "200,00", "1 400,00"}
        << QStringList{"за 01.03.2026: 1 000,00 + 500,00 − 200,00 = 1 300,00, а конечный "
                       "остаток 1 400,00"}
        << QStringList();
    QTest::newRow("a day that does not open with the day before's closing")
        << QStringList{"01.03.2026 01.03.2026 1000 0 0 1000",
                       "02.03.2026 02.03.2026 -1000 0 0 -1000"}
        << QStringLiteral("01.03.2026–02.03.2026")
        << QStringList{"1 000,00", "0,00", "0,00", "-1 000,00"}
        << QStringList{"остаток на начало 02.03.2026 — -1 000,00, а на конец 01.03.2026 — "
                       "1 000,00"}
        << QStringList();
}

void TestStatement::balancesAddUp() {
    QFETCH(QStringList, sections);
    QFETCH(QString, period);
    QFETCH(QStringList, totals);
    QFETCH(QStringList, mismatches);
    QFETCH(QStringList, documents);
    QString text = QStringLiteral("1CClientBankExchange\r\nРасчСчет=%1\r\n").arg(kRomashkaAccount);
    for (const QString& section : sections) {
        const QStringList v = section.split(u' ');
        text += QStringLiteral(
                    "СекцияРасчСчет\r\nДатаНачала=%1\r\nДатаКонца=%2\r\nРасчСчет=%3\r\n"
                    "НачальныйОстаток=%4\r\nВсегоПоступило=%5\r\nВсегоСписано=%6\r\n"
                    "КонечныйОстаток=%7\r\nКонецРасчСчет\r\n")
                    .arg(v[0], v[1], kRomashkaAccount, v[2], v[3], v[4], v[5]);
    }
    for (const QString& document : documents) {
        const bool out = document.startsWith(QStringLiteral("out"));
        text += Payment(QStringLiteral("Платежное поручение"), QStringLiteral("1"),
                        document.section(u' ', 1), out ? kRomashkaAccount : kBuyerAccount,
                        out ? kBuyerAccount : kRomashkaAccount)
                    .join(QStringLiteral("\r\n")) +
                QStringLiteral("\r\n");
    }
    text += QStringLiteral("КонецФайла\r\n");
    const QList<AccountBalances> accounts = AccountBalances::Of(Read(Cp1251::Encode(text)));
    QCOMPARE(accounts.size(), 1);
    const AccountBalances& account = accounts[0];
    QVERIFY(account.known);
    QCOMPARE(QStringLiteral("%1–%2").arg(account.from.toString("dd.MM.yyyy"),
                                         account.to.toString("dd.MM.yyyy")),
             period);
    QCOMPARE((QStringList{AccountBalances::MoneyText(account.opening),
                          AccountBalances::MoneyText(account.credited),
                          AccountBalances::MoneyText(account.debited),
                          AccountBalances::MoneyText(account.closing)}),
             totals);
    QCOMPARE(account.mismatches, mismatches);
}

void TestStatement::partiesOffered_data() {
    QTest::addColumn<QStringList>("document");  // lines between the section's first and last
    QTest::addColumn<QString>("party");  // "book|name|ИНН/КПП|bank|БИК|Счет1|Счет2", or ""
    QTest::addColumn<bool>("nameTaken");
    QTest::addColumn<bool>("directory");  // a directory of BIKs that knows 044525974
    const QStringList outgoing = {QStringLiteral("ПлательщикСчет=") + kRomashkaAccount,
                                  QStringLiteral("Номер=5"),
                                  QStringLiteral("Получатель=ИНН 7712345678 ООО \"Вектор\""),
                                  QStringLiteral("ПолучательИНН=7712345678"),
                                  QStringLiteral("ПолучательКПП=771201001"),
                                  QStringLiteral("ПолучательБанк1=АО \"Тинькофф Банк\""),
                                  QStringLiteral("ПолучательБанк2=г. Москва"),
                                  QStringLiteral("ПолучательБИК=044525974"),
                                  QStringLiteral("ПолучательКорсчет=30101810145250000974"),
                                  QStringLiteral("ДатаСписано=05.03.2026")};
    const auto to = [&](const QString& account) {
        return outgoing + QStringList{QStringLiteral("ПолучательСчет=") + account};
    };
    QTest::newRow("the recipient of an outgoing payment")
        << to(kBuyerAccount)
        << QStringLiteral(
               "recipients|ООО \"Вектор\"|7712345678/771201001|АО \"Тинькофф Банк\" г. "
               "Москва|044525974|30101810145250000974|40702810600000055555")
        << false << false;
    QTest::newRow("Получатель1 is the name")
        << to(kBuyerAccount) + QStringList{QStringLiteral("Получатель1=ООО \"Ёж\" = Ёжики")}
        << QStringLiteral(
               "recipients|ООО \"Ёж\" = Ёжики|7712345678/771201001|АО \"Тинькофф "
               "Банк\" г. Москва|044525974|30101810145250000974|40702810600000055555")
        << true << false;
    QTest::newRow("the payer of an incoming payment")
        << QStringList{QStringLiteral("ПлательщикСчет=") + kBuyerAccount,
                       QStringLiteral("Плательщик1=ООО \"Вектор\""),
                       QStringLiteral("ПлательщикИНН=7712345678"),
                       QStringLiteral("ПлательщикБИК=044525974"),
                       QStringLiteral("ПолучательСчет=") + kRomashkaAccount}
        << QStringLiteral("payers|ООО \"Вектор\"|7712345678||044525974|40702810600000055555|")
        << false << false;
    QTest::newRow("held under another name: same INN and account")
        << QStringList{QStringLiteral("ПлательщикСчет=") + kRomashkaAccount,
                       QStringLiteral("Получатель1=Альфа"),
                       QStringLiteral("ПолучательИНН=") + kAlfaInn,
                       QStringLiteral("ПолучательСчет=") + kAlfaAccount}
        << QString() << false << false;
    QTest::newRow("the same INN at another account")
        << QStringList{QStringLiteral("ПлательщикСчет=") + kRomashkaAccount,
                       QStringLiteral("Получатель1=Альфа"),
                       QStringLiteral("ПолучательИНН=") + kAlfaInn,
                       QStringLiteral("ПолучательСчет=") + kBuyerAccount}
        << QStringLiteral("recipients|Альфа|6659876543||||40702810600000055555") << false << false;
    QTest::newRow("the client's other account")
        << to(kYolkinAccount) << QString() << false << false;
    const QStringList bikOnly = {QStringLiteral("ПлательщикСчет=") + kRomashkaAccount,
                                 QStringLiteral("Получатель1=ООО \"Вектор\""),
                                 QStringLiteral("ПолучательИНН=7712345678"),
                                 QStringLiteral("ПолучательБИК=044525974"),
                                 QStringLiteral("ПолучательСчет=") + kBuyerAccount};
    QTest::newRow("the directory fills the bank the statement leaves out")
        << bikOnly
        << QStringLiteral(
               "recipients|ООО \"Вектор\"|7712345678|АО «ТБанк», г Москва|044525974|"
               "30101810145250000974|40702810600000055555")
        << false << true;
    QTest::newRow("the statement's own bank stands")
        << to(kBuyerAccount)
        << QStringLiteral(
               "recipients|ООО \"Вектор\"|7712345678/771201001|АО \"Тинькофф Банк\" г. "
               "Москва|044525974|30101810145250000974|40702810600000055555")
        << false << true;
    for (const char* internal :
         {"30232810000000000001", "47422810000000000001", "70601810000000012345"}) {
        QTest::addRow("the bank's account %.3s…", internal)
            << to(QString::fromLatin1(internal)) << QString() << false << false;
    }
}

// A party the statement names that neither book holds is offered to the right book, filled
// from the statement; never the client's accounts or the bank's own.
void TestStatement::partiesOffered() {
    QFETCH(QStringList, document);
    QFETCH(QString, party);
    QFETCH(bool, nameTaken);
    QFETCH(bool, directory);
    BikDirectory bik;
    if (directory) {
        BikDirectory::Participant bank;
        bank.bik = QStringLiteral("044525974");
        bank.name = QStringLiteral("АО «ТБанк»");
        bank.settlementType = QStringLiteral("г");
        bank.settlement = QStringLiteral("Москва");
        bank.accounts.append({QStringLiteral("30101810145250000974"), QStringLiteral("CRSA"), {}});
        bik.Add(bank);
    }
    const QStringList lines =
        QStringList{QStringLiteral("1CClientBankExchange"),
                    QStringLiteral("РасчСчет=") + kRomashkaAccount,
                    QStringLiteral("РасчСчет=") + kYolkinAccount,
                    QStringLiteral("СекцияДокумент=Платежное поручение"),
                    QStringLiteral("Дата=05.03.2026"),
                    QStringLiteral("Сумма=10")} +
        document + QStringList{QStringLiteral("КонецДокумента"), QStringLiteral("КонецФайла")};
    // The same document twice, a minute apart: the party is offered once.
    QStringList twice = lines;
    twice.insert(twice.size() - 1, QStringLiteral("СекцияДокумент=Платежное поручение"));
    twice.insert(twice.size() - 1, QStringLiteral("КвитанцияВремя=10:01"));
    for (const QString& line : lines.mid(4, lines.size() - 5)) {
        twice.insert(twice.size() - 1, line);
    }
    const ExchangeFile file = Read(Cp1251::Encode(twice.join(QStringLiteral("\r\n"))));
    QCOMPARE(file.Documents().size(), 2);
    const StatementReport report = StatementReport::Of(file, {}, TestPayers(), TestRecipients());
    const QList<StatementParty> parties =
        StatementParty::Of(file, report, TestPayers(), TestRecipients(), bik);
    QStringList found;
    for (const StatementParty& offered : parties) {
        const CRequisite& r = offered.record;
        found << QStringList{offered.nKind == kPayersKind ? "payers" : "recipients",
                             r.m_strName,
                             r.m_strInnKpp,
                             r.m_strBank,
                             r.m_strBik,
                             r.m_strAccount1,
                             r.m_strAccount2}
                     .join(u'|');
        QCOMPARE(offered.nameTaken, nameTaken);
    }
    QCOMPARE(found, party.isEmpty() ? QStringList() : QStringList{party});
}

// Orders go into one file per payer's bank, each named by the bank's BIK; one bank keeps the
// name the bank's system expects.
void TestStatement::batchesByPayersBank() {
    const QList<OrderRow> orders = TestOrders();
    const QList<ExportBatch> one = ExportBatch::Of({orders[0], orders[1]}, TestPayers());
    QCOMPARE(one.size(), 1);
    QCOMPARE(one[0].fileName, QStringLiteral("1c_to_kl.txt"));

    QList<OrderRow> mixed = orders;
    mixed.append(TestOrder("8", "07.03.2026", QStringLiteral("Нет такого"), kAlfa, "1"));
    CRequisiteArray payers = TestPayers();
    payers.append(Party(QStringLiteral("Ромашка, второй счет"), QStringLiteral("Сбербанк"),
                        QString(), QStringLiteral("044 525 225"), "40702810000000000002", ""));
    mixed.append(TestOrder("9", "07.03.2026", payers.last().m_strName, kAlfa, "2"));
    QStringList batches;
    for (const ExportBatch& batch : ExportBatch::Of(mixed, payers)) {
        QStringList places;
        for (qsizetype order : batch.orders) {
            places << QString::number(order);
        }
        batches << batch.fileName + u':' + places.join(u',');
    }
    QCOMPARE(batches, (QStringList{"1c_to_kl_044525225.txt:0,1,3,5", "1c_to_kl_043601888.txt:2",
                                   "1c_to_kl_nobik.txt:4"}));
}

QTEST_GUILESS_MAIN(TestStatement)
#include "tst_statement.moc"
