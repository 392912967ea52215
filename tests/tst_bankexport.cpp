// Orders exported for the bank's client system, read back by a reader of the exchange format
// written here: code page 1251 decoded by hand, CRLF lines, "key=value" split at the first "=".
#include <QtTest>

#include "FileSizeLimit.h"
#include "TestFolder.h"
#include "bank/BankExport.h"
#include "bank/BudgetPayment.h"
#include "bank/KeptFiles.h"
#include "bank/OrderUseCases.h"
#include "form/CVemoDoc.h"
#include "orders/OrderFiles.h"
#include "orders/WorkingFolder.h"
#include "requisites/RequisitesFile.h"

Q_DECLARE_METATYPE(OrderRow)

namespace {

using Fields = QMap<QString, QString>;

struct WrittenFile {
    QList<QPair<QString, QString>> header;
    QList<Fields> sections;
};

// Code page 1251 for what the tests write: ASCII, the Cyrillic alphabet, Ё, ё, №, « and ».
// Any other byte fails the test, so text written in another encoding cannot pass.
QString DecodeCp1251(const QByteArray& bytes) {
    QString text;
    for (const char c : bytes) {
        const uchar b = uchar(c);
        if (b < 0x80) {
            text += QChar(b);
        } else if (b >= 0xC0) {
            text += QChar(0x0410 + (b - 0xC0));
        } else if (b == 0xA8) {
            text += QChar(0x0401);
        } else if (b == 0xB8) {
            text += QChar(0x0451);
        } else if (b == 0xB9) {
            text += QChar(0x2116);
        } else if (b == 0xAB || b == 0xBB) {
            text += QChar(b);
        } else {
            qWarning("byte 0x%02x is not expected in the file", b);
            return QStringLiteral("<undecodable>");
        }
    }
    return text;
}

QPair<QString, QString> KeyValue(const QString& line) {
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0) {
        return {line, QString()};
    }
    return {line.left(equals), line.mid(equals + 1)};
}

// Every line must end with CR LF, and neither byte may stand anywhere else.
void ReadExchangeFile(const QByteArray& bytes, WrittenFile* file) {
    QVERIFY(bytes.endsWith("\r\n"));
    QList<QByteArray> rawLines = bytes.split('\n');
    rawLines.removeLast();
    QStringList lines;
    for (QByteArray raw : rawLines) {
        QVERIFY2(raw.endsWith('\r'), raw.constData());
        raw.chop(1);
        QVERIFY2(!raw.contains('\r'), raw.constData());
        lines.append(DecodeCp1251(raw));
    }
    QVERIFY(lines.size() >= 2);
    QCOMPARE(lines.takeFirst(), QStringLiteral("1CClientBankExchange"));
    QCOMPARE(lines.takeLast(), QStringLiteral("КонецФайла"));
    Fields* section = nullptr;
    for (const QString& line : std::as_const(lines)) {
        const auto [key, value] = KeyValue(line);
        if (key == QStringLiteral("СекцияДокумент")) {
            QVERIFY2(!section, "a section opens inside another");
            QCOMPARE(value, QStringLiteral("Платежное поручение"));
            file->sections.append(Fields());
            section = &file->sections.last();
        } else if (line == QStringLiteral("КонецДокумента")) {
            QVERIFY2(section, "a section ends that was not opened");
            section = nullptr;
        } else if (section) {
            QVERIFY2(!section->contains(key), qPrintable(key));
            section->insert(key, value);
        } else {
            QVERIFY2(file->sections.isEmpty(), qPrintable(line));  // header lines come first
            file->header.append({key, value});
        }
    }
    QVERIFY2(!section, "the last section is not closed");
}

CRequisite Party(const QString& name, const QString& bank, const QString& innKpp,
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

OrderRow Order(const QStringList& fields) {
    return OrderRow::FromLines(fields);
}

const QString kRomashka = QStringLiteral("ООО \"Ромашка & Co\"");
const QString kYolkin = QStringLiteral("ИП Ёлкин Пётр");
const QString kAlfa = QStringLiteral("ЗАО «Альфа-Снаб»");
const QString kYozh = QStringLiteral("ООО \"Ёж\" = Ёжики");
const QString kBlank = QStringLiteral("ООО Пробел");

CRequisiteArray Payers() {
    return {
        // A name that differs by a trailing blank is another party.
        Party(kRomashka + u' ', QStringLiteral("Не тот банк"), QStringLiteral("1/2"),
              QStringLiteral("000000000"), QStringLiteral("1"), QStringLiteral("2")),
        Party(kRomashka, QStringLiteral("ПАО \"Банк №1\" г. Москва"),
              QStringLiteral("7701234567/770101001"), QStringLiteral("044525999"),
              QStringLiteral("40702810900000012345"), QStringLiteral("30101810400000000999")),
        Party(kYolkin, QStringLiteral("АО \"Кредит=Доверие\" г. Самара"),
              QStringLiteral("631234567890/"), QStringLiteral("043601888"),
              QStringLiteral("40802810500000004321"), QStringLiteral("30101810200000000888")),
        // INN and KPP apart by a blank, as people copy them.
        Party(kBlank, QStringLiteral("ПАО \"Банк №1\" г. Москва"),
              QStringLiteral("7701234560 770101001"), QStringLiteral("044525999"),
              QStringLiteral("40702810600000012345"), QStringLiteral("30101810600000000999")),
    };
}

// A recipient's book holds its bank's correspondent account first and its own account second, as
// the form prints them; the numbers may be written in groups, as people copy them.
CRequisiteArray Recipients() {
    return {
        Party(kAlfa, QStringLiteral("ПАО \"Уральский банк\" г. Екатеринбург"),
              QStringLiteral("6659876543/665901001"), QStringLiteral("046577777"),
              QStringLiteral("30101810500000000777"), QStringLiteral("40702810100000067890")),
        Party(kYozh, QStringLiteral("АО Банк & Ко"), QStringLiteral(" 7705 000 001 "),
              QStringLiteral("044 525 111"), QStringLiteral("301 01 810 0 0000 0000111"),
              QStringLiteral("40702 810 0 0000 0000001")),
        // Only the first record of a name counts.
        Party(kAlfa, QStringLiteral("Второй банк"), QStringLiteral("1/2"),
              QStringLiteral("111111111"), QStringLiteral("3"), QStringLiteral("4")),
    };
}

QList<OrderRow> ThreeOrders() {
    return {
        Order({QStringLiteral("   1"), QStringLiteral(" 5. 3.2026"), kRomashka, kAlfa,
               QStringLiteral("1 234,56"),
               QStringLiteral("Оплата по счету № 118 за \"канцтовары\" & бумагу, НДС=20%"),
               QStringLiteral("01"), QStringLiteral("05.03.2026"), QStringLiteral("5"),
               QStringLiteral("электронно")}),
        Order({QStringLiteral("  12"), QStringLiteral("28.12.2025"), kYolkin, kYozh,
               QStringLiteral("15750"), QStringLiteral("Аванс за ЁЛКИ"), QStringLiteral("02"),
               QString(), QStringLiteral("3"), QStringLiteral("почтой")}),
        Order({QStringLiteral("1005"), QStringLiteral("12. 1.2026"), kRomashka, kYozh,
               QStringLiteral("0-50"), QStringLiteral("Возврат"), QStringLiteral("01"),
               QStringLiteral("12.01.2026"), QStringLiteral("5"), QStringLiteral("телеграфом")}),
    };
}

const QDateTime kNow(QDate(2026, 3, 7), QTime(9, 5, 3));

BankExport::Result Compose(const QList<OrderRow>& orders, const CRequisiteArray& payers = Payers(),
                           const CRequisiteArray& recipients = Recipients()) {
    return BankExport::Compose(orders, payers, recipients, QStringLiteral("Vemo"),
                               QStringLiteral("1.0"), kNow);
}

QStringList HeaderValues(const WrittenFile& file, const QString& key) {
    QStringList values;
    for (const auto& [k, v] : file.header) {
        if (k == key) {
            values.append(v);
        }
    }
    return values;
}

}  // namespace

class TestBankExport : public QObject {
    Q_OBJECT
private slots:
    void everyFieldComesBack();
    void budgetAndIncomeKeys_data();
    void budgetAndIncomeKeys();
    void headerNamesTheFileAndItsOrders();
    void bytesAreCodePage1251WithCrLf();
    void refusedOrdersAreListedAndLeftOut_data();
    void refusedOrdersAreListedAndLeftOut();
    void nothingExportableGivesNoFile();
    void jobsTakeOnlyWholeOrders_data();
    void jobsTakeOnlyWholeOrders();
    void exportsWrittenAsTheyAreMade_data();
    void exportsWrittenAsTheyAreMade();
    void fullDiskKeepsTheOldFile();

private:
    WrittenFile WriteAndRead(const QStringList& lines);
    QTemporaryDir m_dir;
};

WrittenFile TestBankExport::WriteAndRead(const QStringList& lines) {
    const QString path = m_dir.filePath(QStringLiteral("1c_to_kl.txt"));
    WrittenFile file;
    if (!BankExport::WriteFile(path, lines)) {
        qWarning("the file was not written");
        return file;
    }
    ReadExchangeFile(ReadBytes(path), &file);
    return file;
}

// The keys of an ordinary payment, a single tax payment and a wage payment, and the term of
// payment, which goes as a date or not at all.
void TestBankExport::budgetAndIncomeKeys_data() {
    QTest::addColumn<OrderRow>("order");
    QTest::addColumn<Fields>("keys");  // the keys that must hold these values
    QTest::addColumn<QStringList>("absent");
    const OrderRow ordinary = ThreeOrders().first();
    const Fields emptyBudget = {
        {"СтатусСоставителя", ""},   {"ПоказательКБК", ""},     {"ОКАТО", ""},
        {"ПоказательОснования", ""}, {"ПоказательПериода", ""}, {"ПоказательНомера", ""},
        {"ПоказательДаты", ""},      {"ПоказательТипа", ""},
    };
    QTest::newRow("ordinary payment") << ordinary << emptyBudget << QStringList{"КодНазПлатежа"};
    OrderRow tax = ordinary;
    BudgetPayment::FillSingleTaxPayment(&tax);
    tax[kColumnPaymentTerm].clear();
    QTest::newRow("single tax payment") << tax
                                        << Fields{{"СтатусСоставителя", "01"},
                                                  {"ПоказательКБК", "18201061201010000510"},
                                                  {"ОКАТО", "0"},
                                                  {"ПоказательОснования", "0"},
                                                  {"ПоказательПериода", "0"},
                                                  {"ПоказательНомера", "0"},
                                                  {"ПоказательДаты", "0"},
                                                  {"ПоказательТипа", ""},
                                                  {"Код", "0"},
                                                  {"Очередность", "5"},
                                                  {"СрокПлатежа", ""}}
                                        << QStringList{"КодНазПлатежа"};
    // A sole proprietor has no KPP; paying the budget it writes 0 there.
    OrderRow proprietorTax = ThreeOrders().at(1);
    BudgetPayment::FillSingleTaxPayment(&proprietorTax);
    QTest::newRow("sole proprietor's single tax payment")
        << proprietorTax << Fields{{"ПлательщикИНН", "631234567890"}, {"ПлательщикКПП", "0"}}
        << QStringList{};
    OrderRow blank = ordinary;
    blank[kColumnPayer] = kBlank;
    QTest::newRow("payer's INN and KPP apart by a blank")
        << blank << Fields{{"ПлательщикИНН", "7701234560"}, {"ПлательщикКПП", "770101001"}}
        << QStringList{};
    OrderRow spaced = ordinary;
    spaced[kColumnPriority] = " 5 ";
    QTest::newRow("priority typed with blanks")
        << spaced << Fields{{"Очередность", "5"}} << QStringList{};
    OrderRow wages = ordinary;
    wages[kColumnIncomeType] = "1";
    Fields wageKeys = emptyBudget;
    wageKeys.insert("КодНазПлатежа", "1");
    QTest::newRow("wages") << wages << wageKeys << QStringList{};
    for (const auto& [typed, sent] :
         {std::pair(" 9.12.2026", "09.12.2026"), std::pair("9.12.2026", "09.12.2026"),
          std::pair("09.12.2026", "09.12.2026"), std::pair(" 9. 3.2026", "09.03.2026"),
          std::pair("31.02.2026", ""), std::pair("до 10 числа", ""), std::pair("0", "")}) {
        OrderRow termed = ordinary;
        termed[kColumnPaymentTerm] = QString::fromUtf8(typed);
        QTest::addRow("term «%s»", typed)
            << termed << Fields{{"СрокПлатежа", sent}} << QStringList{};
    }
}

void TestBankExport::budgetAndIncomeKeys() {
    QFETCH(OrderRow, order);
    QFETCH(Fields, keys);
    QFETCH(QStringList, absent);
    const BankExport::Result result = Compose({order});
    QCOMPARE(result.exported, 1);
    const WrittenFile file = WriteAndRead(result.lines);
    QCOMPARE(file.sections.size(), 1);
    const Fields& section = file.sections.first();
    for (auto it = keys.begin(); it != keys.end(); ++it) {
        QVERIFY2(section.contains(it.key()), qPrintable(it.key()));
        QCOMPARE(section.value(it.key()), it.value());
    }
    for (const QString& key : absent) {
        QVERIFY2(!section.contains(key), qPrintable(key));
    }
}

void TestBankExport::everyFieldComesBack() {
    const BankExport::Result result = Compose(ThreeOrders());
    QVERIFY(result.refused.isEmpty());
    QCOMPARE(result.exported, 3);
    const WrittenFile file = WriteAndRead(result.lines);
    QCOMPARE(file.sections.size(), 3);

    const Fields first = {
        {"Номер", "1"},
        {"Дата", "05.03.2026"},
        {"Сумма", "1234.56"},
        {"ПлательщикСчет", "40702810900000012345"},
        {"ПлательщикРасчСчет", "40702810900000012345"},
        {"Плательщик", "ИНН 7701234567 ООО \"Ромашка & Co\""},
        {"ПлательщикИНН", "7701234567"},
        {"ПлательщикКПП", "770101001"},
        {"Плательщик1", "ООО \"Ромашка & Co\""},
        {"ПлательщикБанк1", "ПАО \"Банк №1\" г. Москва"},
        {"ПлательщикБанк2", ""},
        {"ПлательщикБИК", "044525999"},
        {"ПлательщикКорсчет", "30101810400000000999"},
        {"ПолучательСчет", "40702810100000067890"},
        {"ПолучательРасчСчет", "40702810100000067890"},
        {"Получатель", "ИНН 6659876543 ЗАО «Альфа-Снаб»"},
        {"ПолучательИНН", "6659876543"},
        {"ПолучательКПП", "665901001"},
        {"Получатель1", "ЗАО «Альфа-Снаб»"},
        {"ПолучательБанк1", "ПАО \"Уральский банк\" г. Екатеринбург"},
        {"ПолучательБанк2", ""},
        {"ПолучательБИК", "046577777"},
        {"ПолучательКорсчет", "30101810500000000777"},
        {"ВидПлатежа", "электронно"},
        {"ВидОплаты", "01"},
        {"Код", ""},
        // An ordinary payment carries the budget keys too, empty.
        {"СтатусСоставителя", ""},
        {"ПоказательКБК", ""},
        {"ОКАТО", ""},
        {"ПоказательОснования", ""},
        {"ПоказательПериода", ""},
        {"ПоказательНомера", ""},
        {"ПоказательДаты", ""},
        {"ПоказательТипа", ""},
        {"СрокПлатежа", "05.03.2026"},
        {"Очередность", "5"},
        {"НазначениеПлатежа", "Оплата по счету № 118 за \"канцтовары\" & бумагу, НДС=20%"},
    };
    QCOMPARE(file.sections[0], first);

    // The second and third differ from the first where the format could go wrong.
    const Fields& second = file.sections[1];
    QCOMPARE(second.size(), first.size());
    QCOMPARE(second["Номер"], "12");
    QCOMPARE(second["Дата"], "28.12.2025");
    QCOMPARE(second["Сумма"], "15750.00");
    QCOMPARE(second["Плательщик"], "ИНН 631234567890 ИП Ёлкин Пётр");
    QCOMPARE(second["ПлательщикКПП"], "");
    QCOMPARE(second["ПлательщикБанк1"], "АО \"Кредит=Доверие\" г. Самара");
    QCOMPARE(second["Получатель"], "ИНН 7705000001 ООО \"Ёж\" = Ёжики");
    QCOMPARE(second["ПолучательИНН"], "7705000001");
    // Numbers typed in groups go to the bank as their digits.
    QCOMPARE(second["ПолучательСчет"], "40702810000000000001");
    QCOMPARE(second["ПолучательКорсчет"], "30101810000000000111");
    QCOMPARE(second["ПолучательБИК"], "044525111");
    QCOMPARE(second["ПолучательКПП"], "");
    QCOMPARE(second["ПолучательКорсчет"], "30101810000000000111");
    QCOMPARE(second["ВидОплаты"], "02");
    QCOMPARE(second["СрокПлатежа"], "");
    QCOMPARE(second["НазначениеПлатежа"], "Аванс за ЁЛКИ");

    const Fields& third = file.sections[2];
    QCOMPARE(third["Номер"], "1005");
    QCOMPARE(third["Дата"], "12.01.2026");
    QCOMPARE(third["Сумма"], "0.50");
    QCOMPARE(third["Плательщик1"], kRomashka);
    QCOMPARE(third["Получатель1"], kYozh);
    QCOMPARE(third["ВидПлатежа"], "телеграфом");
}

void TestBankExport::headerNamesTheFileAndItsOrders() {
    const WrittenFile file = WriteAndRead(Compose(ThreeOrders()).lines);
    const QList<QPair<QString, QString>> expected = {
        {"ВерсияФормата", "1.03"},
        {"Кодировка", "Windows"},
        {"Отправитель", "Vemo 1.0"},
        {"Получатель", ""},
        {"ДатаСоздания", "07.03.2026"},
        {"ВремяСоздания", "09:05:03"},
        // Earliest and latest by the calendar, across a change of year.
        {"ДатаНачала", "28.12.2025"},
        {"ДатаКонца", "05.03.2026"},
        // Each payer's account once, though the first payer pays twice.
        {"РасчСчет", "40702810900000012345"},
        {"РасчСчет", "40802810500000004321"},
        {"Документ", "Платежное поручение"},
    };
    QCOMPARE(file.header, expected);
}

void TestBankExport::bytesAreCodePage1251WithCrLf() {
    const QStringList lines = Compose(ThreeOrders()).lines;
    const QString path = m_dir.filePath(QStringLiteral("bytes.txt"));
    QVERIFY(BankExport::WriteFile(path, lines));
    const QByteArray bytes = ReadBytes(path);
    // "№ 118", "Ёлкин" and "«" as single bytes of the code page, not as UTF-8.
    QVERIFY(bytes.contains("\xB9 118"));
    QVERIFY(bytes.contains("\xA8\xEB\xEA\xE8\xED"));
    QVERIFY(bytes.contains("\xAB\xC0\xEB\xFC\xF4\xE0"));
    QCOMPARE(bytes.count("\r\n"), lines.size());
    QCOMPARE(bytes.count('\n'), lines.size());
    QCOMPARE(bytes.count('\r'), lines.size());
    // What goes to standard output is the same file.
    QCOMPARE(BankExport::FileBytes(lines), bytes);
}

void TestBankExport::refusedOrdersAreListedAndLeftOut_data() {
    // Of the second order; -1: its payer's bank; -2: its recipient, another one whose accounts
    // stand the wrong way round; -3: the order made a single tax payment, then the value given
    // in its Код.
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("named");  // what the reason names

    QTest::newRow("payer missing")
        << int(kColumnPayer) << QStringLiteral("ИП Нет Такого") << QStringLiteral("ИП Нет Такого");
    QTest::newRow("payer in another letter case")
        << int(kColumnPayer) << QStringLiteral("ип ёлкин пётр") << QStringLiteral("ип ёлкин пётр");
    QTest::newRow("recipient missing")
        << int(kColumnRecipient) << QStringLiteral("ООО Пусто") << QStringLiteral("ООО Пусто");
    QTest::newRow("recipient only in the payers' book")
        << int(kColumnRecipient) << kYolkin << kYolkin;
    QTest::newRow("amount abc") << int(kColumnAmount) << QStringLiteral("abc")
                                << QStringLiteral("abc");
    QTest::newRow("amount with two separators")
        << int(kColumnAmount) << QStringLiteral("1,234.56") << QStringLiteral("1,234.56");
    QTest::newRow("no date") << int(kColumnDate) << QString() << QStringLiteral("дата");
    QTest::newRow("line break in purpose")
        << int(kColumnBasis) << QStringLiteral("Аванс\r\nКонецФайла")
        << QStringLiteral("Основание");
    QTest::newRow("line feed in term")
        << int(kColumnPaymentTerm) << QStringLiteral("01.\n02") << QStringLiteral("Срок платежа");
    QTest::newRow("character outside the code page")
        << int(kColumnBasis) << QStringLiteral("Аванс 中") << QStringLiteral("中");
    QTest::newRow("line break in payer's bank")
        << -1 << QStringLiteral("АО Банк\nг. Тверь") << QStringLiteral("плательщика");
    // Byte 0x98, which code page 1251 leaves without a letter, is read as U+0098.
    QTest::newRow("byte 0x98 in purpose")
        << int(kColumnBasis) << QStringLiteral("Аванс") + QChar(0x98) << QStringLiteral("M-^X");
    QTest::newRow("recipient's accounts swapped")
        << -2 << QString() << QStringLiteral("получателя Счет1 и Счет2 переставлены");
    // What the check names as malformed, in its words: one reader refuses a whole file for it.
    QTest::newRow("number of seven digits")
        << int(kColumnNumber) << QStringLiteral("1234567") << QStringLiteral("номер «1234567»");
    QTest::newRow("priority in words") << int(kColumnPriority) << QStringLiteral("пятая")
                                       << QStringLiteral("очередность платежа «пятая»");
    QTest::newRow("priority 6") << int(kColumnPriority) << QStringLiteral("6")
                                << QStringLiteral("от 1 до 5");
    QTest::newRow("no priority") << int(kColumnPriority) << QString()
                                 << QStringLiteral("очередность платежа: нужна цифра");
    QTest::newRow("document date that is none")
        << int(kColumnTaxDocDate) << QStringLiteral("2026-03-05")
        << QStringLiteral("Дата документа (109) «2026-03-05»");
    QTest::newRow("income type 7")
        << int(kColumnIncomeType) << QStringLiteral("7") << QStringLiteral("нужен код от 1 до 5");
    QTest::newRow("УИН with a wrong check digit")
        << int(kColumnUin) << QStringLiteral("18209965144380684246")
        << QStringLiteral("неверное контрольное число");
    // A payment to the budget without its Код is returned by the bank.
    QTest::newRow("tax payment without a Код")
        << -3 << QString() << QStringLiteral("Код (УИН): не заполнен");
}

void TestBankExport::refusedOrdersAreListedAndLeftOut() {
    QFETCH(int, column);
    QFETCH(QString, value);
    QFETCH(QString, named);

    QList<OrderRow> orders = ThreeOrders();
    CRequisiteArray payers = Payers();
    CRequisiteArray recipients = Recipients();
    if (column >= 0) {
        orders[1][column] = value;
    } else if (column == -1) {
        payers[2].m_strBank = value;  // the payer of the second order only
    } else if (column == -3) {
        BudgetPayment::FillSingleTaxPayment(&orders[1]);
        orders[1][kColumnUin] = value;
    } else {
        CRequisite swapped = recipients[0];
        swapped.m_strName = QStringLiteral("ООО Наоборот");
        std::swap(swapped.m_strAccount1, swapped.m_strAccount2);
        recipients.append(swapped);
        orders[1][kColumnRecipient] = swapped.m_strName;
    }
    const BankExport::Result result = Compose(orders, payers, recipients);

    QCOMPARE(result.refused.size(), 1);
    const OrderRefusal& refusal = result.refused[0];
    QCOMPARE(refusal.index, 1);
    QCOMPARE(refusal.number, orders[1][kColumnNumber].trimmed());
    QCOMPARE(refusal.reasons.size(), 1);
    QVERIFY2(refusal.reasons[0].contains(named, Qt::CaseInsensitive), qPrintable(refusal.Text()));
    QVERIFY2(refusal.Text().contains(QStringLiteral("12")), qPrintable(refusal.Text()));

    // The others go to the bank as if the refused order had never been chosen.
    QCOMPARE(result.exported, 2);
    const WrittenFile file = WriteAndRead(result.lines);
    QCOMPARE(file.sections.size(), 2);
    QCOMPARE(file.sections[0]["Номер"], "1");
    QCOMPARE(file.sections[1]["Номер"], "1005");
    QCOMPARE(HeaderValues(file, QStringLiteral("ДатаНачала")), QStringList{"12.01.2026"});
    QCOMPARE(HeaderValues(file, QStringLiteral("РасчСчет")), QStringList{"40702810900000012345"});
}

void TestBankExport::nothingExportableGivesNoFile() {
    QList<OrderRow> orders = ThreeOrders();
    for (OrderRow& order : orders) {
        order[kColumnPayer] = QStringLiteral("Никто");
    }
    orders[2][kColumnAmount] = QStringLiteral("1.234,56");
    const BankExport::Result result = Compose(orders);
    QVERIFY(result.lines.isEmpty());
    QCOMPARE(result.exported, 0);
    QCOMPARE(result.refused.size(), 3);
    // Every reason of an order is named, not only the first.
    QCOMPARE(result.refused[2].reasons.size(), 2);
    const QStringList texts = OrderRefusal::ListText(result.refused).split(u'\n');
    QCOMPARE(texts.size(), 3);
    QVERIFY2(texts[2].contains(QStringLiteral("1.234,56")), qPrintable(texts[2]));

    QVERIFY(Compose({}).lines.isEmpty());
}

// The one policy of every face: an order that cannot be taken whole is named; the archive's jobs
// make the others (and the screen shows the order all the same), the command line's nothing.
void TestBankExport::jobsTakeOnlyWholeOrders_data() {
    QTest::addColumn<QString>("job");         // "draw", "print" or "export"
    QTest::addColumn<bool>("refuseWhole");    // the command line's policy, else the archive's
    QTest::addColumn<QList<int>>("numbers");  // the orders, in the order given
    QTest::addColumn<QString>("unreadable");  // the book with a folder at its name
    QTest::addColumn<QStringList>("made");    // the orders on the pages or in the file
    QTest::addColumn<QStringList>("refused");
    QTest::addColumn<QString>("error");
    const QString nobody =
        QStringLiteral("Платежка 7: плательщик «ООО Никто» не найден в pltRecv.dat");
    const QString notAmount =
        QStringLiteral("Платежка 8: сумма «12,345» не является суммой платежа");
    const QString cannotRead = QStringLiteral("Не могу прочитать реквизиты: polRecv.dat");
    const QList<int> four{12, 7, 1, 8};
    QTest::newRow("print the others, in the order given")
        << "print" << false << four << "" << QStringList{"12", "1"}
        << QStringList{nobody, notAmount} << "";
    QTest::newRow("print all or nothing")
        << "print" << true << four << "" << QStringList{} << QStringList{nobody, notAmount} << "";
    QTest::newRow("export the others") << "export" << false << QList<int>{12, 7, 1} << ""
                                       << QStringList{"12", "1"} << QStringList{nobody} << "";
    QTest::newRow("export all or nothing") << "export" << true << QList<int>{12, 7} << ""
                                           << QStringList{} << QStringList{nobody} << "";
    QTest::newRow("draw on the screen all the same")
        << "draw" << false << QList<int>{7} << "" << QStringList{"7"} << QStringList{nobody} << "";
    QTest::newRow("print one from an unreadable book")
        << "print" << false << QList<int>{1} << "polRecv.dat" << QStringList{} << QStringList{}
        << cannotRead;
    QTest::newRow("print two from an unreadable book")
        << "print" << true << QList<int>{1, 12} << "polRecv.dat" << QStringList{} << QStringList{}
        << cannotRead;
    QTest::newRow("draw from an unreadable book")
        << "draw" << false << QList<int>{1} << "polRecv.dat" << QStringList{"1"}
        << QStringList{"Платежка 1: получатель «" + kAlfa + "» не найден в polRecv.dat"}
        << cannotRead;
    QTest::newRow("export of no order")
        << "export" << false << QList<int>{} << "" << QStringList{} << QStringList{}
        << QStringLiteral("Нет платежек для выгрузки");
}

void TestBankExport::jobsTakeOnlyWholeOrders() {
    QFETCH(QString, job);
    QFETCH(bool, refuseWhole);
    QFETCH(QList<int>, numbers);
    QFETCH(QString, unreadable);
    QFETCH(QStringList, made);
    QFETCH(QStringList, refused);
    QFETCH(QString, error);
    const TestFolder folder(TestFolder::Files{{"Vemo/", {}}});
    QVERIFY(RequisitesFile::Write("pltRecv.dat", Payers()));
    QVERIFY(RequisitesFile::Write("polRecv.dat", Recipients()));
    QList<OrderRow> stored = ThreeOrders();
    OrderRow nobody = stored.at(0);
    nobody[kColumnNumber] = QStringLiteral("   7");
    nobody[kColumnPayer] = QStringLiteral("ООО Никто");
    OrderRow notAmount = stored.at(0);
    notAmount[kColumnNumber] = QStringLiteral("   8");
    notAmount[kColumnAmount] = QStringLiteral("12,345");
    for (const OrderRow& row : stored + QList<OrderRow>{nobody, notAmount}) {
        QVERIFY(OrderFiles::SaveOrder(row.Number(), row));
    }
    if (!unreadable.isEmpty()) {
        QVERIFY(QFile::remove(unreadable) && QDir().mkdir(unreadable));
    }
    const WorkingFolder working;
    QList<OrderRow> orders;
    QString readError;
    QVERIFY(numbers.isEmpty() || working.ReadOrders(numbers, &orders, &readError));
    const auto policy =
        refuseWhole ? OrderUseCases::Policy::RefuseWhole : OrderUseCases::Policy::LeaveOut;
    QStringList madeNow;
    QStringList refusedNow;
    QString errorNow;
    const auto tell = [&refusedNow](const QList<OrderRefusal>& refusals) {
        for (const OrderRefusal& refusal : refusals) {
            refusedNow.append(refusal.Text());
        }
    };
    if (job == QLatin1String("draw")) {
        CVemoDoc doc;
        const OrderUseCases::Drawing drawing =
            OrderUseCases::DrawOrder(working, orders[0], {}, doc, FormEdition::Current);
        errorNow = drawing.error;
        madeNow.append(doc.m_strNumber.trimmed());
        tell(drawing.notices.isEmpty() ? QList<OrderRefusal>{}
                                       : QList{OrderRefusal::Of(0, orders[0], drawing.notices)});
    } else if (job == QLatin1String("print")) {
        const OrderUseCases::Printing printing =
            OrderUseCases::PrintOrders(working, orders, policy, FormEdition::Current,
                                       OrderUseCases::EditionChoice::Remembered);
        errorNow = printing.error;
        for (const CVemoDoc* page : printing.batch.Pages()) {
            madeNow.append(page->m_strNumber.trimmed());
        }
        tell(printing.batch.refused);
    } else {
        const OrderUseCases::Export done = OrderUseCases::ExportOrders(
            working, orders, {}, OrderUseCases::Resend::Refuse, policy, kNow);
        errorNow = done.error;
        for (const OrderUseCases::ExportFile& file : done.files) {
            for (qsizetype place : file.orders) {
                madeNow.append(orders[place][kColumnNumber].trimmed());
            }
        }
        tell(done.refused);
        QCOMPARE(done.total.Count(), madeNow.size());
    }
    QCOMPARE(madeNow, made);
    QCOMPARE(refusedNow, refused);
    QCOMPARE(errorNow, error);
}

// What an export writes, a piece at a time, is the file Compose makes, a file per payer's bank
// named by its BIK, and each is kept byte for byte; when one file cannot be written, none is,
// and nothing is kept.
void TestBankExport::exportsWrittenAsTheyAreMade_data() {
    QTest::addColumn<int>("copies");           // of the three orders: more than a piece of a file
    QTest::addColumn<bool>("folderInTheWay");  // a folder at the second file's name
    QTest::addColumn<QString>("out");          // the name given, in the folder
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QString>("error");
    QTest::newRow("two banks, two files")
        << 1 << false << "bank.txt" << QStringList{"bank_044525999.txt", "bank_043601888.txt"}
        << QString();
    QTest::newRow("a name without an extension")
        << 1 << false << "bank" << QStringList{"bank_044525999", "bank_043601888"} << QString();
    QTest::newRow("a file of several megabytes")
        << 1200 << false << "bank.txt" << QStringList{"bank_044525999.txt", "bank_043601888.txt"}
        << QString();
    QTest::newRow("the second file cannot be written")
        << 1 << true << "bank.txt" << QStringList{} << "Не могу записать файл выгрузки";
    QTest::newRow("two files to standard output")
        << 1 << false << "-" << QStringList{}
        << "Платежки плательщиков из 2 банков выгружаются в отдельные файлы";
}

void TestBankExport::exportsWrittenAsTheyAreMade() {
    QFETCH(int, copies);
    QFETCH(bool, folderInTheWay);
    QFETCH(QString, out);
    QFETCH(QStringList, written);
    QFETCH(QString, error);
    const TestFolder folder(TestFolder::Files{{"Vemo/", {}}});
    QVERIFY(RequisitesFile::Write("pltRecv.dat", Payers()));
    QVERIFY(RequisitesFile::Write("polRecv.dat", Recipients()));
    QList<OrderRow> orders;
    for (int copy = 0; copy < copies; ++copy) {
        orders += ThreeOrders();
    }
    if (folderInTheWay) {
        QVERIFY(QDir().mkdir("bank_043601888.txt"));
    }
    const WorkingFolder working;
    const OrderUseCases::Export done =
        OrderUseCases::ExportOrders(working, orders, {}, OrderUseCases::Resend::Refuse,
                                    OrderUseCases::Policy::RefuseWhole, kNow);
    QCOMPARE(done.files.size(), 2);
    const OrderUseCases::Written result =
        OrderUseCases::WriteExport(working, done, out == "-" ? out : folder.FilePath(out));
    QVERIFY2(result.error.startsWith(error), qPrintable(result.error));
    QStringList names;
    for (const QString& path : result.paths) {
        names.append(QFileInfo(path).fileName());
    }
    QCOMPARE(names, written);
    QStringList files = folder.Entries().filter(QRegularExpression("^bank_.*[0-9]$|^bank_.*txt$"));
    if (folderInTheWay) {
        files.removeOne(QStringLiteral("bank_043601888.txt"));
    }
    for (const QString& name : written) {
        QVERIFY2(files.removeOne(name), qPrintable(name));
    }
    QCOMPARE(files, QStringList());  // nothing else, nothing of a failed export
    const QList<KeptFiles::KeptFile> kept = KeptFiles::List(working);
    QCOMPARE(kept.size(), written.size());
    QCOMPARE(folder.Entries(QStringLiteral(".")).contains("Bank"), !written.isEmpty());
    for (qsizetype f = 0; f < written.size(); ++f) {
        QList<OrderRow> ofBank;
        for (qsizetype place : done.files[f].orders) {
            ofBank.append(orders[place]);
        }
        const QByteArray bytes = BankExport::FileBytes(
            BankExport::Compose(ofBank, Payers(), Recipients(), QCoreApplication::applicationName(),
                                QCoreApplication::applicationVersion(), kNow)
                .lines);
        QCOMPARE(folder.Read(written[f]), bytes);
        const auto copy = std::find_if(kept.begin(), kept.end(), [&](const auto& file) {
            return file.name.endsWith(done.files[f].bik + ".txt");
        });
        QVERIFY(copy != kept.end());
        QCOMPARE(folder.Read(copy->name), bytes);
    }
}

void TestBankExport::fullDiskKeepsTheOldFile() {
    const QStringList lines = Compose(ThreeOrders()).lines;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("1c_to_kl.txt"));
    WriteBytes(path, "old export\r\n");
    // The new file would be about 3 KiB; the child may write 1 KiB.
    QCOMPARE(SaveUnderFileSizeLimit(1024, [&] { return BankExport::WriteFile(path, lines); }),
             ChildSave::Failed);
    QCOMPARE(ReadBytes(path), QByteArray("old export\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"1c_to_kl.txt"});
}

QTEST_GUILESS_MAIN(TestBankExport)
#include "tst_bankexport.moc"
