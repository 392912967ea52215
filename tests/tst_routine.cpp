// The month's routine: moving a payment's period along, the payments of repeated templates that
// fall due as the clock moves, and the templates kept in the working folder.
#include <QtTest>

#include "TestFolder.h"
#include "common/Cp1251.h"
#include "orders/OrderTexts.h"
#include "orders/WorkingFolder.h"
#include "routine/DuePayments.h"
#include "routine/PeriodShift.h"
#include "routine/TemplateFile.h"
#include "routine/TemplateStore.h"

Q_DECLARE_METATYPE(OrderRow)
Q_DECLARE_METATYPE(Recurrence)

namespace {

QDate Day(const char* iso) {
    return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

OrderRow Order(int number, const QString& date, const QString& recipient, const QString& amount,
               const QString& purpose) {
    OrderRow row;
    row[kColumnNumber] = OrderTexts::NumberText(number);
    row[kColumnDate] = date;
    row[kColumnPayer] = QStringLiteral("ООО \"Ромашка\"");
    row[kColumnRecipient] = recipient;
    row[kColumnAmount] = amount;
    row[kColumnBasis] = purpose;
    row[kColumnPaymentKind] = QStringLiteral("01");
    row[kColumnPaymentTerm] = QString();
    row[kColumnPriority] = QStringLiteral("5");
    row[kColumnPaymentType] = QStringLiteral("электронно");
    return row;
}

Recurrence Monthly(int day, const char* first, int every = 1) {
    Recurrence recurrence;
    recurrence.kind = Recurrence::Kind::Monthly;
    recurrence.day = day;
    recurrence.everyMonths = every;
    recurrence.first = Day(first);
    return recurrence;
}

Recurrence TwiceMonthly(int day, int secondDay, const char* first) {
    Recurrence recurrence = Monthly(day, first);
    recurrence.kind = Recurrence::Kind::TwiceMonthly;
    recurrence.secondDay = secondDay;
    return recurrence;
}

const QString kLandlord = QStringLiteral("ООО \"Офис-Центр\"");
const QString kStaff = QStringLiteral("Сотрудники");

// Rent in advance on the 5th; wages for the month before on the 10th and on the last working
// day; a property tax every quarter, its field 107 the quarter paid.
QList<OrderTemplate> Templates() {
    OrderTemplate rent;
    rent.id = 1;
    rent.name = QStringLiteral("Аренда");
    rent.order =
        Order(7, QStringLiteral(" 5.11.2026"), kLandlord, QStringLiteral("185000"),
              QStringLiteral("Аренда офиса за ноябрь 2026 по договору № 12 от 01.02.2025"));
    rent.month = Day("2026-11-01");
    rent.recurrence = Monthly(5, "2026-12-01");

    OrderTemplate wages;
    wages.id = 2;
    wages.name = QStringLiteral("Зарплата");
    wages.order = Order(9, QStringLiteral("10.12.2026"), kStaff, QStringLiteral("100 000,00"),
                        QStringLiteral("Заработная плата за ноябрь 2026"));
    wages.month = Day("2026-12-01");
    wages.recurrence = TwiceMonthly(10, Recurrence::kLastWorkingDay, "2027-01-01");

    OrderTemplate tax;
    tax.id = 3;
    tax.name = QStringLiteral("Налог на имущество");
    tax.order = Order(11, QStringLiteral("28.01.2027"), QStringLiteral("Казначейство России"),
                      QStringLiteral("12 000"), QStringLiteral("Налог на имущество организаций"));
    tax.order[kColumnTaxPeriod] = QStringLiteral("КВ.04.2026");
    tax.month = Day("2027-01-01");
    tax.recurrence = Monthly(28, "2027-04-01", 3);
    return {rent, wages, tax};
}

// Each payment due as "text | due day | new or old", for a table to compare.
QStringList Described(const QList<DuePayment>& payments) {
    QStringList lines;
    for (const DuePayment& payment : payments) {
        lines.append(QStringLiteral("%1 | %2 | %3")
                         .arg(payment.Text(), payment.occurrence.due.toString("dd.MM.yyyy"),
                              payment.isNew ? QStringLiteral("new") : QStringLiteral("old")));
    }
    return lines;
}

QStringList Lines(const char* text) {
    return QString::fromUtf8(text).split(QLatin1Char('\n'));
}

}  // namespace

class TestRoutine : public QObject {
    Q_OBJECT
private slots:
    void movesPeriods_data();
    void movesPeriods();
    void newOrderFromTemplate();
    void dueAsTheClockMoves_data();
    void dueAsTheClockMoves();
    void templateFallsDue();
    void refusesTemplates_data();
    void refusesTemplates();
    void namesDamagedTemplates_data();
    void namesDamagedTemplates();
};

void TestRoutine::movesPeriods_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("months");
    QTest::addColumn<QString>("moved");
    const auto row = [](const char* name, const char* text, int months, const char* moved) {
        QTest::newRow(name) << QString::fromUtf8(text) << months << QString::fromUtf8(moved);
    };
    // A month's name with its year, in the forms and letter cases purposes use.
    row("month and year", "Аренда за ноябрь 2026", 1, "Аренда за декабрь 2026");
    row("year end", "за декабрь 2026", 1, "за январь 2027");
    row("back over year end", "за январь 2027", -1, "за декабрь 2026");
    row("three months", "за ноябрь 2026 г.", 3, "за февраль 2027 г.");
    row("a year", "за ноябрь 2026 года", 12, "за ноябрь 2027 года");
    row("capital", "Ноябрь 2026", 1, "Декабрь 2026");
    row("upper case", "ЗА НОЯБРЬ 2026", 1, "ЗА ДЕКАБРЬ 2026");
    row("genitive", "до конца ноября 2026", 1, "до конца декабря 2026");
    row("prepositional", "услуги связи в ноябре 2026", 1, "услуги связи в декабре 2026");
    row("march from february", "за февраль 2026", 1, "за март 2026");
    row("march genitive", "до конца марта", 1, "до конца апреля");
    row("into august", "в июле 2026", 1, "в августе 2026");
    row("may", "за апрель", 1, "за май");
    row("may genitive", "до конца мая 2026", 1, "до конца июня 2026");
    row("bare month", "ноябрь", 1, "декабрь");
    row("bare month at year end", "декабрь", 1, "январь");
    row("two periods", "Зарплата за ноябрь 2026, аванс за декабрь 2026", 1,
        "Зарплата за декабрь 2026, аванс за январь 2027");
    // In figures.
    row("figures", "за 11.2026", 1, "за 12.2026");
    row("figures at year end", "период 12.2026", 1, "период 01.2027");
    // Field 107.
    row("107 month", "МС.11.2026", 1, "МС.12.2026");
    row("107 month at year end", "МС.12.2026", 1, "МС.01.2027");
    row("107 quarter by a quarter", "КВ.04.2026", 3, "КВ.01.2027");
    row("107 quarter by a month", "КВ.02.2026", 1, "КВ.02.2026");
    row("107 quarter by two quarters", "КВ.03.2026", 6, "КВ.01.2027");
    row("107 half-year", "ПЛ.02.2026", 6, "ПЛ.01.2027");
    row("107 half-year by a quarter", "ПЛ.01.2026", 3, "ПЛ.01.2026");
    row("107 year by a year", "ГД.00.2026", 12, "ГД.00.2027");
    row("107 year by a month", "ГД.00.2026", 1, "ГД.00.2026");
    row("107 no such quarter", "КВ.05.2026", 3, "КВ.05.2026");
    row("107 date", "15.04.2026", 1, "15.04.2026");
    row("107 none", "0", 1, "0");
    // The same periods in words.
    row("quarter in words", "за 4 квартал 2026", 3, "за 1 квартал 2027");
    row("quarter in roman figures", "за IV квартал 2026 г.", 3, "за I квартал 2027 г.");
    row("quarter with ending", "за 3-й квартал 2026", 3, "за 4-й квартал 2026");
    row("half-year in words", "за 1 полугодие 2026", 6, "за 2 полугодие 2026");
    row("year in words", "Налог за 2026 год", 12, "Налог за 2027 год");
    row("year in words by a month", "Налог за 2026 год", 1, "Налог за 2026 год");
    // Dates and other numbers are not periods.
    row("date in figures", "по счету № 118 от 01.11.2026", 1, "по счету № 118 от 01.11.2026");
    row("date in words", "по договору от 1 ноября 2026", 1, "по договору от 1 ноября 2026");
    row("date range", "с 1 по 30 ноября 2026", 1, "с 1 по 30 ноября 2026");
    row("document of a year", "по договору 2026 года", 12, "по договору 2026 года");
    row("vat amount", "в т.ч. НДС 20% 2625-00", 1, "в т.ч. НДС 20% 2625-00");
    row("not a month", "Мартынов А. П., Маяк", 1, "Мартынов А. П., Маяк");
    row("number like a period", "договор № 11.2026.5", 1, "договор № 11.2026.5");
    row("period beside a date", "Аренда за ноябрь 2026 по договору от 01.11.2025", 1,
        "Аренда за декабрь 2026 по договору от 01.11.2025");
}

void TestRoutine::movesPeriods() {
    QFETCH(QString, text);
    QFETCH(int, months);
    QFETCH(QString, moved);
    QCOMPARE(PeriodShift::Move(text, months), moved);
}

void TestRoutine::newOrderFromTemplate() {
    const OrderTemplate tax = Templates().at(2);
    const OrderRow made = tax.NewOrder(42, Day("2027-04-27"));
    OrderRow expected = tax.order;
    expected[kColumnNumber] = QStringLiteral("  42");
    expected[kColumnDate] = QStringLiteral("27. 4.2027");
    expected[kColumnTaxPeriod] = QStringLiteral("КВ.01.2027");
    QCOMPARE(made.Lines(), expected.Lines());

    // A payment of January made on 31 December, before the holidays, is January's.
    const OrderTemplate rent = Templates().at(0);
    QCOMPARE(rent.NewOrder(8, Day("2026-12-31"), Day("2027-01-01"))[kColumnBasis],
             QStringLiteral("Аренда офиса за январь 2027 по договору № 12 от 01.02.2025"));
}

void TestRoutine::dueAsTheClockMoves_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("lastCheck");
    QTest::addColumn<QList<OrderRow>>("orders");
    QTest::addColumn<QStringList>("marks");  // "made 1 2026-12 20", "skipped 1 2026-12"
    QTest::addColumn<QStringList>("due");

    const QList<OrderRow> none;
    const OrderRow decemberRent =
        Order(20, QStringLiteral(" 4.12.2026"), kLandlord, QStringLiteral("185000"),
              QStringLiteral("Аренда офиса за декабрь 2026 по договору № 12 от 01.02.2025"));
    OrderRow otherRent = decemberRent;
    otherRent[kColumnRecipient] = QStringLiteral("ИП Соколова");
    // Another company of the user renting from the same landlord.
    OrderRow otherPayer = decemberRent;
    otherPayer[kColumnPayer] = QStringLiteral("АО \"Волжская мебельная фабрика\"");
    const OrderRow wages =
        Order(22, QStringLiteral("31.12.2026"), kStaff, QStringLiteral("100 000,00"),
              QStringLiteral("Заработная плата за декабрь 2026"));
    OrderRow secondWages = wages;
    secondWages[kColumnNumber] = OrderTexts::NumberText(23);

    QTest::newRow("nothing before the first day")
        << Day("2026-12-03") << QDate() << none << QStringList() << QStringList();
    // 5 December 2026 is a Saturday: the rent is due on the Friday before.
    QTest::newRow("due on the working day before")
        << Day("2026-12-04") << QDate() << none << QStringList()
        << Lines("Аренда за декабрь 2026 — 185 000,00 | 04.12.2026 | new");
    QTest::newRow("seen at the last check")
        << Day("2026-12-07") << Day("2026-12-04") << none << QStringList()
        << Lines(
               "Аренда за декабрь 2026 — 185 000,00 | "
               "04.12.2026 | old");
    // January's rent and the first wages of January fall on the New Year's holidays: they are
    // due on 31 December.
    QTest::newRow("a month later")
        << Day("2027-01-11") << Day("2026-12-07") << none << QStringList()
        << Lines(
               "Аренда за декабрь 2026 — 185 000,00 | 04.12.2026 | old\n"
               "Аренда за январь 2027 — 185 000,00 | 31.12.2026 | new\n"
               "Зарплата за декабрь 2026, первая выплата — 100 000,00 | 31.12.2026 | new");
    QTest::newRow("made from the list")
        << Day("2027-01-11") << Day("2026-12-07") << QList<OrderRow>{decemberRent}
        << QStringList{"made 1 2026-12 20"}
        << Lines(
               "Аренда за январь 2027 — 185 000,00 | 31.12.2026 | new\n"
               "Зарплата за декабрь 2026, первая выплата — 100 000,00 | 31.12.2026 | new");
    QTest::newRow("made by a copy")
        << Day("2027-01-11") << Day("2026-12-07") << QList<OrderRow>{decemberRent} << QStringList()
        << Lines(
               "Аренда за январь 2027 — 185 000,00 | 31.12.2026 | new\n"
               "Зарплата за декабрь 2026, первая выплата — 100 000,00 | 31.12.2026 | new");
    // Before the New Year's holidays: January's payments that fall on them are due on 31 December.
    QTest::newRow("before the holidays")
        << Day("2026-12-31") << Day("2026-12-07") << QList<OrderRow>{decemberRent} << QStringList()
        << Lines(
               "Аренда за январь 2027 — 185 000,00 | 31.12.2026 | new\n"
               "Зарплата за декабрь 2026, первая выплата — 100 000,00 | 31.12.2026 | new");
    // Order 20 made for December was deleted; November's order 7 does not answer December.
    QTest::newRow("made order deleted since")
        << Day("2026-12-07") << QDate() << QList<OrderRow>{Templates().at(0).order}
        << QStringList{"made 1 2026-12 20"}
        << Lines("Аренда за декабрь 2026 — 185 000,00 | 04.12.2026 | new");
    QTest::newRow("made order to another recipient")
        << Day("2026-12-07") << QDate() << QList<OrderRow>{otherRent}
        << QStringList{"made 1 2026-12 20"}
        << Lines("Аренда за декабрь 2026 — 185 000,00 | 04.12.2026 | new");
    QTest::newRow("another payer's order")
        << Day("2026-12-07") << QDate() << QList<OrderRow>{otherPayer}
        << QStringList{"made 1 2026-12 20"}
        << Lines("Аренда за декабрь 2026 — 185 000,00 | 04.12.2026 | new");
    QTest::newRow("copy of another month")
        << Day("2027-01-11") << Day("2027-01-11") << QList<OrderRow>{decemberRent}
        << QStringList{"skipped 2 2027-01"}
        << Lines(
               "Аренда за январь 2027 — 185 000,00 | "
               "31.12.2026 | old");
    QTest::newRow("skipped") << Day("2026-12-07") << QDate() << none
                             << QStringList{"skipped 1 2026-12"} << QStringList();
    // A month paid twice: each payment answered by its own order.
    QTest::newRow("both payments of the month due")
        << Day("2027-01-29") << Day("2027-01-11") << QList<OrderRow>{decemberRent}
        << QStringList{"skipped 1 2027-01"}
        << Lines(
               "Зарплата за декабрь 2026, первая выплата — 100 000,00 | 31.12.2026 | old\n"
               "Зарплата за декабрь 2026, вторая выплата — 100 000,00 | 29.01.2027 | new");
    QTest::newRow("first made from the list")
        << Day("2027-01-29") << Day("2027-01-11") << QList<OrderRow>{decemberRent, wages}
        << QStringList{"skipped 1 2027-01", "made 2 2027-01 22"}
        << Lines("Зарплата за декабрь 2026, вторая выплата — 100 000,00 | 29.01.2027 | new");
    QTest::newRow("second made from the list")
        << Day("2027-01-29") << Day("2027-01-11") << QList<OrderRow>{decemberRent, wages}
        << QStringList{"skipped 1 2027-01", "made 2 2027-01/2 22"}
        << Lines("Зарплата за декабрь 2026, первая выплата — 100 000,00 | 31.12.2026 | old");
    QTest::newRow("one copy answers one payment")
        << Day("2027-01-29") << Day("2027-01-11") << QList<OrderRow>{decemberRent, wages}
        << QStringList{"skipped 1 2027-01"}
        << Lines("Зарплата за декабрь 2026, вторая выплата — 100 000,00 | 29.01.2027 | new");
    QTest::newRow("two copies answer both") << Day("2027-01-29") << Day("2027-01-11")
                                            << QList<OrderRow>{decemberRent, wages, secondWages}
                                            << QStringList{"skipped 1 2027-01"} << QStringList();
    // The quarter's tax on 28 April is the first quarter's, as its field 107 will say.
    QTest::newRow("a quarter later")
        << Day("2027-04-28") << Day("2027-04-27") << QList<OrderRow>{decemberRent}
        << QStringList{"skipped 1 2027-01",   "skipped 1 2027-02",   "skipped 1 2027-03",
                       "skipped 1 2027-04",   "skipped 2 2027-01",   "skipped 2 2027-01/2",
                       "skipped 2 2027-02",   "skipped 2 2027-02/2", "skipped 2 2027-03",
                       "skipped 2 2027-03/2", "skipped 2 2027-04"}
        << Lines("Налог на имущество за 1 квартал 2027 — 12 000,00 | 28.04.2027 | new");
}

void TestRoutine::dueAsTheClockMoves() {
    QFETCH(QDate, today);
    QFETCH(QDate, lastCheck);
    QFETCH(QList<OrderRow>, orders);
    QFETCH(QStringList, marks);
    QFETCH(QStringList, due);

    QList<OrderTemplate> templates = Templates();
    for (const QString& mark : marks) {
        const QStringList parts = mark.split(QLatin1Char(' '));
        OrderTemplate& t = templates[parts.at(1).toInt() - 1];
        if (parts.at(0) == u"made") {
            t.made.insert(parts.at(2), parts.at(3).toInt());
        } else {
            t.skipped.append(parts.at(2));
        }
    }
    QCOMPARE(Described(DuePayments::Find(templates, orders, lastCheck, today)), due);
}

void TestRoutine::templateFallsDue() {
    TestFolder folder({{QStringLiteral("Vemo/"), {}}});
    QVERIFY(folder.isValid());
    const WorkingFolder working;
    const TemplateStore store;
    // Without a template nothing is due, and nothing is made in the folder for it.
    QString error;
    QVERIFY(store.RecordCheck(Day("2026-11-20"), &error));
    QCOMPARE(folder.Entries(), QStringList{"Vemo"});
    const OrderTemplate rent = Templates().at(0);
    QVERIFY(working.SaveOrder(7, rent.order));

    OrderTemplate added;
    QVERIFY2(store.Add(QStringLiteral("Аренда"), rent.order, rent.recurrence, Day("2026-11-20"),
                       &added, &error),
             qPrintable(error));
    QCOMPARE(added.month, Day("2026-11-01"));

    // A month later the rent is due; its order is made, and the list is empty.
    DueList due = DuePayments::Read(store, working.ReadOrders().rows, Day("2026-12-07"));
    QCOMPARE(due.payments.size(), 1);
    const OrderRow order = due.payments.first().NewOrder(8, Day("2026-12-07"));
    QCOMPARE(order[kColumnBasis],
             QStringLiteral("Аренда офиса за декабрь 2026 по договору № 12 от 01.02.2025"));
    QCOMPARE(order[kColumnDate], QStringLiteral(" 7.12.2026"));
    QVERIFY(working.SaveOrder(8, order));
    QVERIFY(store.MarkMade(added.id, due.payments.first().occurrence.Key(), 8, &error));
    QVERIFY(store.RecordCheck(Day("2026-12-07"), &error));
    due = DuePayments::Read(store, working.ReadOrders().rows, Day("2026-12-07"));
    QVERIFY(due.payments.isEmpty());
    QCOMPARE(store.LastCheck(), Day("2026-12-07"));

    // January's is skipped; the template file keeps both, and still reads as it was written.
    due = DuePayments::Read(store, working.ReadOrders().rows, Day("2027-01-11"));
    QCOMPARE(Described(due.payments),
             Lines("Аренда за январь 2027 — 185 000,00 | 31.12.2026 | new"));
    QVERIFY(store.Skip(added.id, due.payments.first().occurrence.Key(), &error));
    QVERIFY(
        DuePayments::Read(store, working.ReadOrders().rows, Day("2027-01-11")).payments.isEmpty());
    const TemplateList list = store.ReadAll();
    QCOMPARE(list.templates.size(), 1);
    OrderTemplate expected = added;
    expected.made.insert(QStringLiteral("2026-12"), 8);
    expected.skipped.append(QStringLiteral("2027-01"));
    QVERIFY(list.templates.first() == expected);
    const QByteArray bytes = folder.Read(TemplateStore::FileName(added.id));
    QVERIFY(bytes.contains(Cp1251::Encode(QStringLiteral("Name=Аренда\r\n"))));
}

void TestRoutine::refusesTemplates_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<Recurrence>("recurrence");
    QTest::addColumn<QString>("error");
    const Recurrence monthly = Monthly(5, "2026-12-01");
    QTest::newRow("no name") << QStringLiteral("  ") << monthly
                             << QStringLiteral("Напишите имя шаблона");
    QTest::newRow("taken name") << QStringLiteral("аренда ") << monthly
                                << QStringLiteral("Шаблон «Аренда» уже есть");
    QTest::newRow("line break") << QStringLiteral("Аренда\nофиса") << monthly
                                << QStringLiteral(
                                       "В имени шаблона есть знаки, которые нельзя "
                                       "записать в файл: перевод строки");
    QTest::newRow("day 32") << QStringLiteral("Связь") << Monthly(32, "2026-12-01")
                            << QStringLiteral(
                                   "Повтор платежа: день платежа — число от 1 до 31 "
                                   "или последний рабочий день");
    QTest::newRow("second day first")
        << QStringLiteral("Связь") << TwiceMonthly(25, 10, "2026-12-01")
        << QStringLiteral("Повтор платежа: второй платеж месяца должен быть позже первого");
    QTest::newRow("every 5 months") << QStringLiteral("Связь") << Monthly(5, "2026-12-01", 5)
                                    << QStringLiteral(
                                           "Повтор платежа: платеж повторяется раз в "
                                           "1, 2, 3, 6 или 12 месяцев");
    QTest::newRow("no first month") << QStringLiteral("Связь") << Monthly(5, "")
                                    << QStringLiteral(
                                           "Повтор платежа: не указан месяц первого "
                                           "платежа");
}

void TestRoutine::refusesTemplates() {
    QFETCH(QString, name);
    QFETCH(Recurrence, recurrence);
    QFETCH(QString, error);
    TestFolder folder;
    const TemplateStore store;
    OrderTemplate added;
    QString refusal;
    QVERIFY(store.Add(QStringLiteral("Аренда"), Templates().at(0).order, Recurrence(),
                      Day("2026-11-20"), &added, &refusal));
    QVERIFY(
        !store.Add(name, Templates().at(0).order, recurrence, Day("2026-11-20"), &added, &refusal));
    QCOMPARE(refusal, error);
    QCOMPARE(folder.Entries(TemplateStore::FolderName()), QStringList{"template.1"});
}

void TestRoutine::namesDamagedTemplates_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    OrderTemplate whole = Templates().at(0);
    const QByteArray good = Cp1251::Encode(TemplateFile::ToLines(whole).join("\r\n") + "\r\n");
    QTest::newRow("cut short") << good.left(good.lastIndexOf("\r\n", good.size() - 3))
                               << QStringLiteral(
                                      "файл обрезан: в платежном поручении не все "
                                      "строки");
    QTest::newRow("no order") << good.left(good.indexOf("Order="))
                              << QStringLiteral("файл обрезан: нет платежного поручения");
    QTest::newRow("not a template")
        << QByteArray("1CClientBankExchange\r\n") << QStringLiteral("это не файл шаблона");
    QTest::newRow("newer version") << QByteArray(good).replace("VemoTemplate=1", "VemoTemplate=2")
                                   << QStringLiteral("шаблон записан другой версией программы");
    QTest::newRow("wrong day") << QByteArray(good).replace("Day=5", "Day=fifth")
                               << QStringLiteral(
                                      "повтор платежа: день платежа — число от 1 до "
                                      "31 или последний рабочий день");
    QTest::newRow("empty") << QByteArray() << QStringLiteral("это не файл шаблона");
}

void TestRoutine::namesDamagedTemplates() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    OrderTemplate whole = Templates().at(0);
    TestFolder folder({{QStringLiteral("Templates/template.1"),
                        Cp1251::Encode(TemplateFile::ToLines(whole).join("\r\n") + "\r\n")},
                       {QStringLiteral("Templates/template.2"), bytes}});
    const TemplateStore store;
    const TemplateList list = store.ReadAll();
    QCOMPARE(list.templates.size(), 1);
    QCOMPARE(list.templates.first().name, whole.name);
    QCOMPARE(list.damaged.size(), 1);
    QCOMPARE(list.damaged.first().file, QStringLiteral("Templates/template.2"));
    QCOMPARE(list.damaged.first().reason, reason);

    // A new template never takes the damaged one's file.
    OrderTemplate added;
    QString error;
    QVERIFY(store.Add(QStringLiteral("Связь"), whole.order, Recurrence(), Day("2026-12-01"), &added,
                      &error));
    QCOMPARE(added.id, 3);
    QCOMPARE(folder.Read(QStringLiteral("Templates/template.2")), bytes);
}

QTEST_GUILESS_MAIN(TestRoutine)
#include "tst_routine.moc"
