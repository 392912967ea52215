// Bank details checked as a bank checks them, record by record and over a whole working folder,
// and what a bank or a second look would question in an order.
#include <QtTest>

#include <QProcess>
#include <memory>
#include "FolderSnapshot.h"
#include "TestFolder.h"

#include "bank/BudgetChecks.h"
#include "bank/OrderChecks.h"
#include "bank/OrderSanity.h"
#include "bank/PartyChecks.h"
#include "bank/WorkingFolderCheck.h"
#include "common/Cp1251.h"
#include "orders/OrderAmount.h"
#include "orders/OrderTexts.h"
#include "orders/WorkingFolder.h"
#include "requisites/BikChecks.h"
#include "requisites/RequisiteChecks.h"
#include "requisites/RequisitesFile.h"

using RequisiteChecks::Field;

Q_DECLARE_METATYPE(Field)

// The messages that quote a value taken from a file or typed into a field.
enum class Quoting {
    BudgetWarning,
    PartyNotInItsBook,
    NotAnAmount,
    WrongAmountTyped,
    FieldFault,
    TodaysRules
};
Q_DECLARE_METATYPE(Quoting)

namespace {

CRequisite Record(const QString& name, const QString& innKpp, const QString& bik,
                  const QString& account1, const QString& account2) {
    CRequisite record;
    record.m_strName = name;
    record.m_strBank = QStringLiteral("банк");
    record.m_strInnKpp = innKpp;
    record.m_strBik = bik;
    record.m_strAccount1 = account1;
    record.m_strAccount2 = account2;
    return record;
}

// Published bank details, each verified by hand:
//
// BIK 044525225, correspondent account 30101810400000000225. Key of 0 25 | 3010181040...0225 over
// the weights 7, 1, 3, ...: 0+2+15+21+0+3+0+1+24+7+0+12+0+...+0+6+14+5 = 110.
// Settlement account 40702810938000012345. Key of 225 | 40702810938000012345:
// 14+2+15+28+0+21+0+2+24+7+0+27+21+8+0+0+0+0+7+2+9+28+5 = 220.
// INN 7707083893: 2*7+4*7+10*0+3*7+5*0+9*8+4*3+6*8+8*9 = 267 = 24*11+3, check digit 3.
CRequisite Moscow() {
    return Record(QStringLiteral("ПАО Сбербанк"), QStringLiteral("7707083893/773601001"),
                  QStringLiteral("044525225"), QStringLiteral("40702810938000012345"),
                  QStringLiteral("30101810400000000225"));
}

// BIK 044030653, correspondent account 30101810500000000653. Key of 0 30 | 301...0653:
// 0+3+0+21+0+3+0+1+24+7+0+15+0+...+0+18+35+3 = 130.
// Settlement account 40702810155000098765. Key of 653 | 40702810155000098765:
// 42+5+9+28+0+21+0+2+24+7+0+3+35+5+0+0+0+0+63+8+21+42+5 = 320.
// INN 7830002293 alone: 14+32+30+0+0+0+8+12+72 = 168 = 15*11+3, check digit 3.
CRequisite StPetersburg() {
    return Record(QStringLiteral("ООО Нева"), QStringLiteral("7830002293"),
                  QStringLiteral("044030653"), QStringLiteral("40702810155000098765"),
                  QStringLiteral("30101810500000000653"));
}

// BIK 044525974, correspondent account 30101810145250000974. Key of 0 25 | 301...0974:
// 0+2+15+21+0+3+0+1+24+7+0+3+28+5+6+35+0+0+0+0+27+49+4 = 230.
// Settlement account 40802810900001234567. Key of 974 | 40802810900001234567:
// 63+7+12+28+0+24+0+2+24+7+0+27+0+0+0+0+1+6+21+4+15+42+7 = 290.
// INN 500100732259 of a person: 11th digit 7*5+2*0+4*0+10*1+3*0+5*0+9*7+4*3+6*2+8*2 = 148 =
// 13*11+5, so 5; 12th digit 3*5+7*0+2*0+4*1+10*0+3*0+5*7+9*3+4*2+6*2+8*5 = 141 = 12*11+9, so 9.
CRequisite Person() {
    return Record(QStringLiteral("ИП Соколова"), QStringLiteral("500100732259/"),
                  QStringLiteral("044525974"), QStringLiteral("40802810900001234567"),
                  QStringLiteral("30101810145250000974"));
}

// The single tax payment's recipient as the tax service publishes it: a treasury body, whose BIK
// starts with 01, its bank's account the single treasury account 40102… (key of 0 39 | 40102…
// adds up to a multiple of ten), its own a treasury account 03… that is not keyed against the BIK
// (key of 983 | 03100643000000018500 does not add up). INN 7727406020: 14+28+20+21+20+0+0+12+16
// = 131 = 11*11+10, check digit 0. As a recipients' book holds it: Счет1 the bank's account.
CRequisite TaxService() {
    CRequisite record;
    record.m_strName = QStringLiteral("Казначейство России (ФНС России)");
    record.m_strBank =
        QStringLiteral("ОКЦ № 7 ГУ Банка России по ЦФО//УФК по Тульской области, г Тула");
    record.m_strInnKpp = QStringLiteral("7727406020/770701001");
    record.m_strBik = QStringLiteral("017003983");
    record.m_strAccount1 = QStringLiteral("40102810445370000059");
    record.m_strAccount2 = QStringLiteral("03100643000000018500");
    return record;
}

// Treasury bodies whose BIKs do not begin with 01, as a recipients' book holds them: the Moscow
// treasury (004525988) and the interregional one customs payments go to (024501901). Their single
// treasury accounts key against "0" and the BIK's fifth and sixth digits (0 25 |
// 40102810545370000003 and 0 01 | 40102810045370000002 both add up to a multiple of ten); their
// treasury accounts 03… do not key against the BIK (988 | 03100643000000017300 leaves 3).
CRequisite MoscowTreasury() {
    return Record(QStringLiteral("УФК по г. Москве"), QStringLiteral("7710168360/771001001"),
                  QStringLiteral("004525988"), QStringLiteral("40102810545370000003"),
                  QStringLiteral("03100643000000017300"));
}

CRequisite CustomsTreasury() {
    return Record(QStringLiteral("МОУ ФК (ФТС России)"), QStringLiteral("7730176610/773001001"),
                  QStringLiteral("024501901"), QStringLiteral("40102810045370000002"),
                  QStringLiteral("03100643000000019502"));
}

QList<Field> Fields(const QList<RequisiteChecks::Problem>& problems) {
    QList<Field> fields;
    for (const RequisiteChecks::Problem& problem : problems) {
        fields.append(problem.field);
    }
    return fields;
}

QByteArray FileBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += Cp1251::Encode(line) + "\r\n";
    }
    return bytes;
}

// The same record as a recipients' book holds it: its bank's correspondent account first.
CRequisite AsRecipient(CRequisite record) {
    std::swap(record.m_strAccount1, record.m_strAccount2);
    return record;
}

// A requisites file's six lines of a record: BIK before INN/KPP.
QStringList BookLines(const CRequisite& record) {
    return {record.m_strName,   record.m_strBank,     record.m_strBik,
            record.m_strInnKpp, record.m_strAccount1, record.m_strAccount2};
}

QStringList OrderLines(int number, const QString& payer, const QString& recipient,
                       const QString& amount = QStringLiteral("1000,00")) {
    return {QStringLiteral("%1").arg(number, 4),
            QStringLiteral("12. 3.2026"),
            payer,
            recipient,
            amount,
            QStringLiteral("Оплата по счету № 5"),
            QStringLiteral("01"),
            QStringLiteral("12.03.2026"),
            QStringLiteral("5"),
            QStringLiteral("электронно")};
}

// When each file under the folder was last written.
QMap<QString, QDateTime> Stamps(const QString& root) {
    QMap<QString, QDateTime> stamps;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        stamps.insert(QDir(root).relativeFilePath(path), it.fileInfo().lastModified());
    }
    return stamps;
}

// Dates every file a day back, so that a rewrite within the same second still shows.
void Backdate(const QString& root) {
    const QDateTime yesterday = QDateTime::currentDateTime().addDays(-1);
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(yesterday, QFileDevice::FileModificationTime));
    }
}

struct CheckRun {
    int exitCode = -1;
    QStringList lines;
    QString errors;
};

// `vemo --check` run in the folder, as a user runs it there.
CheckRun RunCheck(const QString& folder) {
    CheckRun run;
    const QString program = qEnvironmentVariable("VEMO_EXECUTABLE");
    if (program.isEmpty()) {
        return run;
    }
    QProcess vemo;
    vemo.setWorkingDirectory(folder);
    vemo.start(program, {QStringLiteral("--check")});
    if (!vemo.waitForFinished(60000) || vemo.exitStatus() != QProcess::NormalExit) {
        return run;
    }
    run.exitCode = vemo.exitCode();
    const QString out = QString::fromLocal8Bit(vemo.readAllStandardOutput());
    run.lines = out.split(QLatin1Char('\n'));
    if (run.lines.last().isEmpty()) {
        run.lines.removeLast();  // each line ends with its line feed
    } else {
        run.lines.append(QStringLiteral("<no line feed at the end>"));
    }
    run.errors = QString::fromLocal8Bit(vemo.readAllStandardError());
    return run;
}

}  // namespace

class TestChecks : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void validRecordsPass_data();
    void validRecordsPass();
    void everySingleDigitChangeIsCaught_data();
    void everySingleDigitChangeIsCaught();
    void faultsAreNamed_data();
    void faultsAreNamed();
    void accountsMeanOneThingInEachBook_data();
    void accountsMeanOneThingInEachBook();
    void treasuryBodyIsTheDirectorysToSay_data();
    void treasuryBodyIsTheDirectorysToSay();

    void cleanFolderHasNoProblems();
    void faultyFolderNamesEveryProblem();
    void emptyFolderIsNamedAndStaysEmpty();
    void unreadableFilesAreNamed();

    void partiesAreTakenAsTheFormTakesThem_data();
    void partiesAreTakenAsTheFormTakesThem();

    void commandLineCheck();
    void demoDataPassesTheCheck();

    void orderWarnings_data();
    void orderWarnings();
    void todaysRulesQuestionTypeAndTerm_data();
    void todaysRulesQuestionTypeAndTerm();
    void longValuesAreQuotedByTheirStart_data();
    void longValuesAreQuotedByTheirStart();

private:
    void WriteFile(const QString& name, const QStringList& lines);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_elsewhere;
};

void TestChecks::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // The folder is passed in; the working directory is somewhere else and must not matter.
    m_elsewhere = std::make_unique<QTemporaryDir>();
    QVERIFY(m_elsewhere->isValid());
    QVERIFY(QDir::setCurrent(m_elsewhere->path()));
}

void TestChecks::cleanup() {
    QCOMPARE(FolderSnapshot(m_elsewhere->path()), (QMap<QString, QByteArray>{}));
    QDir::setCurrent(QDir::tempPath());
    m_dir.reset();
    m_elsewhere.reset();
}

void TestChecks::WriteFile(const QString& name, const QStringList& lines) {
    QDir(m_dir->path()).mkpath(QFileInfo(name).path());
    WriteBytes(m_dir->filePath(name), FileBytes(lines));
}

void TestChecks::validRecordsPass_data() {
    QTest::addColumn<CRequisite>("record");
    QTest::newRow("Moscow bank, INN/KPP") << Moscow();
    QTest::newRow("St Petersburg bank, INN alone") << StPetersburg();
    QTest::newRow("person, INN and an empty KPP after the slash") << Person();
    CRequisite person = Person();
    person.m_strInnKpp = QStringLiteral("500100732259");
    QTest::newRow("person, INN alone") << person;
    QTest::newRow("blanks inside the numbers are ignored")
        << Record(QStringLiteral("x"), QStringLiteral(" 7707 0838 93 / 7736 01 001 "),
                  QStringLiteral("04 45 25 225"), QStringLiteral("40702 810 9 3800 0012345"),
                  QStringLiteral("301 01 810 4 0000 0000225"));
    CRequisite letters = Moscow();
    letters.m_strInnKpp = QStringLiteral("7707083893/7707AB001");
    QTest::newRow("KPP with capital Latin letters") << letters;
    QTest::newRow("nothing filled") << CRequisite();
    QTest::newRow("name only") << Record(QStringLiteral("x"), {}, {}, {}, {});
    QTest::newRow("blanks only are nothing filled")
        << Record(QStringLiteral("x"), QStringLiteral("  "), QStringLiteral(" "),
                  QStringLiteral(" "), QStringLiteral("\t"));
    QTest::newRow("no BIK: the keys wait for it")
        << Record(QStringLiteral("x"), {}, {}, QStringLiteral("40702810000000012345"),
                  QStringLiteral("30101810000000000001"));
    // The INN rule takes the remainder mod 11 and then mod 10, so a remainder of 10 gives the
    // check digit 0 and is valid. It is also the rule's one blind spot: 7707000030 has 2*7+4*7+3*7
    // +8*3 = 87 = 7*11+10, and with its first digit changed to 2 the sum is 4+28+21+24 = 77 =
    // 7*11+0; the check digit 0 fits both.
    QTest::newRow("INN remainder 10") << Record({}, QStringLiteral("7707000030"), {}, {}, {});
    QTest::newRow("INN remainder 0") << Record({}, QStringLiteral("2707000030"), {}, {}, {});
    QTest::newRow("KPP without an INN yet")
        << Record(QStringLiteral("x"), QStringLiteral("/773601001"), {}, {}, {});
}

void TestChecks::validRecordsPass() {
    QFETCH(CRequisite, record);
    QCOMPARE(RequisiteChecks::Texts(RequisiteChecks::Check(record, kPayersKind)), QStringList());
}

// Each digit of a valid BIK, account or INN is changed to each of the nine other digits in turn.
// All changes must be caught, on the field whose rule sees them: BIK digit 1 by the "0" start;
// digit 2, which makes the BIK a treasury body's, through the correspondent account, which at a
// treasury body is the single treasury account 40102…; 5-6 through the correspondent account's
// key, 7-9 through the settlement account's key. BIK digits 3-4 (the region) are not covered by any
// rule and are left out. The account keys catch every change: each weight (7, 1 or 3) is prime to
// 10, so a change of d in one digit moves the sum by a non-multiple of 10. The INN's mod 11
// remainder always moves, since every weight is prime to 11; the check digit then stays only when
// the remainder moves between 0 and 10. The INNs here have remainders 3 and 5 (see their sums), so
// nothing escapes.
void TestChecks::everySingleDigitChangeIsCaught_data() {
    QTest::addColumn<CRequisite>("record");
    QTest::addColumn<int>("member");  // index into the members below
    QTest::addColumn<int>("position");
    QTest::addColumn<Field>("field");
    const std::pair<const char*, CRequisite> records[] = {
        {"Moscow", Moscow()}, {"St Petersburg", StPetersburg()}, {"person", Person()}};
    for (const auto& [name, record] : records) {
        QTest::addRow("%s BIK 1", name) << record << 0 << 0 << Field::Bik;
        for (int position : {1, 4, 5}) {
            QTest::addRow("%s BIK %d", name, position + 1)
                << record << 0 << position << Field::Account2;
        }
        for (int position : {6, 7, 8}) {
            QTest::addRow("%s BIK %d", name, position + 1)
                << record << 0 << position << Field::Account1;
        }
        for (int position = 0; position < 20; ++position) {
            QTest::addRow("%s Счет1 %d", name, position + 1)
                << record << 1 << position << Field::Account1;
            QTest::addRow("%s Счет2 %d", name, position + 1)
                << record << 2 << position << Field::Account2;
        }
        const int innLength = record.m_strInnKpp.indexOf(u'/') < 0
                                  ? record.m_strInnKpp.size()
                                  : record.m_strInnKpp.indexOf(u'/');
        for (int position = 0; position < innLength; ++position) {
            QTest::addRow("%s ИНН %d", name, position + 1)
                << record << 3 << position << Field::InnKpp;
        }
    }
}

void TestChecks::everySingleDigitChangeIsCaught() {
    QFETCH(CRequisite, record);
    QFETCH(int, member);
    QFETCH(int, position);
    QFETCH(Field, field);
    QString CRequisite::*const members[] = {&CRequisite::m_strBik, &CRequisite::m_strAccount1,
                                            &CRequisite::m_strAccount2, &CRequisite::m_strInnKpp};
    QVERIFY(RequisiteChecks::Check(record, kPayersKind).isEmpty());
    const QChar original = (record.*members[member])[position];
    for (char digit = '0'; digit <= '9'; ++digit) {
        if (digit == original) {
            continue;
        }
        CRequisite changed = record;
        (changed.*members[member])[position] = QLatin1Char(digit);
        const QList<RequisiteChecks::Problem> problems =
            RequisiteChecks::Check(changed, kPayersKind);
        const QString value = changed.*members[member];
        QVERIFY2(!problems.isEmpty(), qPrintable(value + QStringLiteral(" passed")));
        for (Field at : Fields(problems)) {
            QVERIFY2(at == field, qPrintable(value + QStringLiteral(": ") +
                                             RequisiteChecks::Texts(problems).join(u'|')));
        }
    }
}

void TestChecks::faultsAreNamed_data() {
    QTest::addColumn<CRequisite>("record");
    QTest::addColumn<QList<Field>>("fields");
    QTest::addColumn<QStringList>("texts");
    auto row = [](const char* name, const CRequisite& record, const QList<Field>& fields,
                  const QStringList& texts) { QTest::newRow(name) << record << fields << texts; };
    // A valid record with one field replaced, and a record with nothing else filled.
    auto with = [](QString CRequisite::*member, const char* value, CRequisite record = Moscow()) {
        record.*member = QString::fromUtf8(value);
        return record;
    };
    auto only = [&with](QString CRequisite::*member, const char* value) {
        return with(member, value, CRequisite());
    };
    const auto bik = &CRequisite::m_strBik;
    const auto account1 = &CRequisite::m_strAccount1;
    const auto account2 = &CRequisite::m_strAccount2;
    const auto innKpp = &CRequisite::m_strInnKpp;

    // A BIK that breaks its own rule leaves both keys unchecked: one warning, not three.
    row("BIK of 8 digits", with(bik, "04452522"), {Field::Bik}, {"БИК: 8 цифр вместо 9"});
    row("BIK of 1 digit", only(bik, "0"), {Field::Bik}, {"БИК: 1 цифра вместо 9"});
    row("BIK of 3 digits", only(bik, "044"), {Field::Bik}, {"БИК: 3 цифры вместо 9"});
    row("BIK with a Cyrillic О for a zero", with(bik, "О44525225"), {Field::Bik},
        {"БИК: «О» вместо цифры"});
    row("foreign BIK", only(bik, "123456789"), {Field::Bik},
        {"БИК: российский БИК начинается с 0"});

    row("settlement account's key", with(account1, "40702810938000012346"), {Field::Account1},
        {"Счет1: контрольный ключ не сходится с БИК 044525225"});
    row("key names the BIK without its blanks",
        with(bik, "044 525 225 ", with(account1, "40702810938000012346")), {Field::Account1},
        {"Счет1: контрольный ключ не сходится с БИК 044525225"});
    row("settlement account of 19 digits", with(account1, "4070281093800001234"), {Field::Account1},
        {"Счет1: 19 цифр вместо 20"});
    row("settlement account of 21 digits", with(account1, "407028109380000123450"),
        {Field::Account1}, {"Счет1: 21 цифра вместо 20"});
    row("settlement account of 22 digits", with(account1, "4070281093800001234500"),
        {Field::Account1}, {"Счет1: 22 цифры вместо 20"});
    row("settlement account with a letter", with(account1, "4070281093800001234S"),
        {Field::Account1}, {"Счет1: «S» вместо цифры"});
    row("correspondent account's key", with(account2, "30101810400000000226"), {Field::Account2},
        {"Счет2: контрольный ключ не сходится с БИК 044525225"});

    const QStringList checkDigit = {"ИНН: неверное контрольное число"};
    row("INN check digit", with(innKpp, "7707083894/773601001"), {Field::InnKpp}, checkDigit);
    row("person's INN, 12th digit", only(innKpp, "500100732258"), {Field::InnKpp}, checkDigit);
    row("person's INN, 11th digit", only(innKpp, "500100732269"), {Field::InnKpp}, checkDigit);
    row("INN of 11 digits", with(innKpp, "77070838931/773601001"), {Field::InnKpp},
        {"ИНН: 11 цифр вместо 10 или 12"});
    row("INN with a Cyrillic letter", only(innKpp, "770708389З"), {Field::InnKpp},
        {"ИНН: «З» вместо цифры"});
    row("KPP of 8 characters", with(innKpp, "7707083893/77360100"), {Field::InnKpp},
        {"КПП: 8 знаков вместо 9"});
    row("KPP of 2 characters", with(innKpp, "7707083893/77"), {Field::InnKpp},
        {"КПП: 2 знака вместо 9"});
    row("KPP with Cyrillic letters", with(innKpp, "7707083893/7707АВ001"), {Field::InnKpp},
        {"КПП: «А» на 5-м месте вместо цифры или заглавной латинской буквы"});
    row("KPP with small Latin letters", with(innKpp, "7707083893/77070b001"), {Field::InnKpp},
        {"КПП: «b» на 6-м месте вместо цифры или заглавной латинской буквы"});
    row("KPP with a letter where a digit belongs", with(innKpp, "7707083893/773601O01"),
        {Field::InnKpp}, {"КПП: «O» на 7-м месте вместо цифры"});
    row("KPP for a person", only(innKpp, "500100732259/773601001"), {Field::InnKpp},
        {"КПП: у ИНН из 12 цифр (физического лица) КПП не бывает"});
    row("two separators", with(innKpp, "7707083893/773601001\\1"), {Field::InnKpp},
        {"ИНН/КПП: пишется как ИНН/КПП или один ИНН"});
    // Split as the form and the export split it.
    row("INN and KPP apart by a blank", with(innKpp, "7707083893 773601001"), {}, {});
    row("INN and KPP apart by a backslash", with(innKpp, "7707083893\\773601001"), {}, {});
    row("INN and KPP both wrong", with(innKpp, "7707083890/7736"), {Field::InnKpp, Field::InnKpp},
        {"ИНН: неверное контрольное число", "КПП: 4 знака вместо 9"});

    // The dialog puts the focus on the first field at fault: the problems come in screen order.
    const CRequisite several =
        with(innKpp, "7707083894", with(bik, "04452522", with(account2, "3010181040000000022")));
    row("several fields, in the order of the dialog", several,
        {Field::InnKpp, Field::Bik, Field::Account2},
        {"ИНН: неверное контрольное число", "БИК: 8 цифр вместо 9", "Счет2: 19 цифр вместо 20"});
}

void TestChecks::faultsAreNamed() {
    QFETCH(CRequisite, record);
    QFETCH(QList<Field>, fields);
    QFETCH(QStringList, texts);
    const QList<RequisiteChecks::Problem> problems = RequisiteChecks::Check(record, kPayersKind);
    QCOMPARE(RequisiteChecks::Texts(problems), texts);
    QVERIFY(Fields(problems) == fields);
}

// Which account is a party's own and which its bank's depends on the book, and the checks key each
// as what it is: a payer's Счет1 is its own account, a recipient's Счет2.
void TestChecks::accountsMeanOneThingInEachBook_data() {
    QTest::addColumn<CRequisite>("record");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("correspondent");
    QTest::addColumn<QStringList>("texts");
    const QString moscowOwn = Moscow().m_strAccount1;
    const QString moscowBank = Moscow().m_strAccount2;
    const QString nevaOwn = StPetersburg().m_strAccount1;
    const QString nevaBank = StPetersburg().m_strAccount2;
    const QString tax = TaxService().m_strAccount2;
    const QString eks = TaxService().m_strAccount1;
    const QStringList swapped{"Счет1 и Счет2 переставлены"};
    auto recipient = [](CRequisite record) {
        std::swap(record.m_strAccount1, record.m_strAccount2);
        return record;
    };
    QTest::newRow("payer") << Moscow() << int(kPayersKind) << moscowOwn << moscowBank
                           << QStringList{};
    QTest::newRow("recipient") << recipient(StPetersburg()) << int(kRecipientsKind) << nevaOwn
                               << nevaBank << QStringList{};
    QTest::newRow("tax service as recipient")
        << TaxService() << int(kRecipientsKind) << tax << eks << QStringList{};
    CRequisite grouped = TaxService();
    grouped.m_strBik = QStringLiteral("017 003 983");
    grouped.m_strAccount1 = QStringLiteral("40102 810 4 4537 0000059");
    grouped.m_strAccount2 = QStringLiteral("03100 643 0 0000 0018500");
    QTest::newRow("tax service, numbers in groups")
        << grouped << int(kRecipientsKind) << grouped.m_strAccount2 << grouped.m_strAccount1
        << QStringList{};
    // Swapped: each account is then keyed in the place it belongs, with no further alarm.
    QTest::newRow("recipient typed the payer's way")
        << StPetersburg() << int(kRecipientsKind) << nevaBank << nevaOwn << swapped;
    QTest::newRow("payer typed the recipient's way")
        << recipient(Moscow()) << int(kPayersKind) << moscowBank << moscowOwn << swapped;
    QTest::newRow("tax service typed the payer's way")
        << recipient(TaxService()) << int(kRecipientsKind) << eks << tax << swapped;
    CRequisite wrongEks = TaxService();
    wrongEks.m_strAccount1 = QStringLiteral("40102810445370000058");
    QTest::newRow("single treasury account keyed like a bank's")
        << wrongEks << int(kRecipientsKind) << tax << wrongEks.m_strAccount1
        << QStringList{"Счет1: контрольный ключ не сходится с БИК 017003983"};
    CRequisite treasuryAtBank = recipient(Moscow());
    treasuryAtBank.m_strAccount2 = tax;
    QTest::newRow("an 03 account at a bank is keyed")
        << treasuryAtBank << int(kRecipientsKind) << tax << moscowBank
        << QStringList{"Счет2: контрольный ключ не сходится с БИК 044525225"};
    QTest::newRow("Moscow treasury as recipient")
        << MoscowTreasury() << int(kRecipientsKind) << MoscowTreasury().m_strAccount2
        << MoscowTreasury().m_strAccount1 << QStringList{};
    QTest::newRow("customs treasury as recipient")
        << CustomsTreasury() << int(kRecipientsKind) << CustomsTreasury().m_strAccount2
        << CustomsTreasury().m_strAccount1 << QStringList{};
    // A treasury body's BIK with a bank's correspondent account: one of the two is mistyped.
    CRequisite bankAtTreasury = CustomsTreasury();
    bankAtTreasury.m_strAccount1 = Moscow().m_strAccount2;
    QTest::newRow("a bank's correspondent account at a treasury body")
        << bankAtTreasury << int(kRecipientsKind) << bankAtTreasury.m_strAccount2
        << bankAtTreasury.m_strAccount1
        << QStringList{"Счет1: корреспондентский счет начинается с 301, у казначейства — с 40102",
                       "Счет1: контрольный ключ не сходится с БИК 024501901"};
    CRequisite twoOwn = recipient(Moscow());
    twoOwn.m_strAccount1 = moscowOwn;
    QTest::newRow("no correspondent account")
        << twoOwn << int(kRecipientsKind) << moscowOwn << moscowOwn
        << QStringList{"Счет1: корреспондентский счет начинается с 301, у казначейства — с 40102",
                       "Счет1: контрольный ключ не сходится с БИК 044525225"};
}

void TestChecks::accountsMeanOneThingInEachBook() {
    QFETCH(CRequisite, record);
    QFETCH(int, kind);
    QFETCH(QString, own);
    QFETCH(QString, correspondent);
    QFETCH(QStringList, texts);
    QCOMPARE(AccountsOf(record, kind).own, own);
    QCOMPARE(AccountsOf(record, kind).correspondent, correspondent);
    const QList<RequisiteChecks::Problem> problems = RequisiteChecks::Check(record, kind);
    QCOMPARE(RequisiteChecks::Texts(problems), texts);
    QCOMPARE(RequisiteChecks::HasSwappedAccounts(problems),
             texts.contains("Счет1 и Счет2 переставлены"));
}

// Where the directory lists a BIK, it says whether a treasury body holds it, whatever its first
// digits: a treasury account 03… there is then not keyed against the BIK, or is.
void TestChecks::treasuryBodyIsTheDirectorysToSay_data() {
    QTest::addColumn<bool>("withDirectory");
    QTest::addColumn<CRequisite>("record");  // a recipient
    QTest::addColumn<QStringList>("texts");
    CRequisite listedAsTreasury = MoscowTreasury();
    listedAsTreasury.m_strBik = QStringLiteral("044525988");
    CRequisite listedAsBank = TaxService();
    listedAsBank.m_strAccount1 = QStringLiteral("30101810300000000983");
    const QString ownKey = QStringLiteral("Счет2: контрольный ключ не сходится с БИК %1");
    QTest::newRow("Moscow treasury, listed") << true << MoscowTreasury() << QStringList{};
    QTest::newRow("Moscow treasury, no directory") << false << MoscowTreasury() << QStringList{};
    QTest::newRow("04 BIK the directory lists as a treasury body")
        << true << listedAsTreasury << QStringList{};
    QTest::newRow("04 BIK, no directory")
        << false << listedAsTreasury << QStringList{ownKey.arg("044525988")};
    QTest::newRow("01 BIK the directory lists as a bank")
        << true << listedAsBank << QStringList{ownKey.arg("017003983")};
    QTest::newRow("01 BIK, no directory") << false << listedAsBank
                                          << QStringList{
                                                 "Счет1: корреспондентский счет начинается "
                                                 "с 301, у казначейства — с 40102"};
    QTest::newRow("customs treasury, not listed")
        << true << CustomsTreasury()
        << QStringList{"БИК 024501901 нет в справочнике БИК от 08.12.2026"};
}

void TestChecks::treasuryBodyIsTheDirectorysToSay() {
    QFETCH(bool, withDirectory);
    QFETCH(CRequisite, record);
    QFETCH(QStringList, texts);
    BikDirectory directory;
    if (withDirectory) {
        directory.SetDate(QDate(2026, 12, 8));
        const auto add = [&directory](const char* bik, const char* type, const char* account) {
            BikDirectory::Participant participant;
            participant.bik = QString::fromLatin1(bik);
            participant.name = QStringLiteral("участник");
            participant.type = QString::fromLatin1(type);
            participant.accounts.append({QString::fromLatin1(account), QString(), {}});
            QVERIFY(directory.Add(participant));
        };
        add("004525988", "52", "40102810545370000003");
        add("044525988", "52", "40102810545370000003");
        add("017003983", "20", "30101810300000000983");
    }
    QCOMPARE(RequisiteChecks::Texts(BikChecks::CheckAll(record, kRecipientsKind, directory)),
             texts);
}

// Both books and every order as the program writes them, all in order: no line, nothing written.
void TestChecks::cleanFolderHasNoProblems() {
    WriteFile(QStringLiteral("pltRecv.dat"), BookLines(Moscow()) + BookLines(Person()));
    WriteFile(QStringLiteral("polRecv.dat"),
              BookLines(AsRecipient(StPetersburg())) + BookLines(TaxService()));
    // The single tax payment: lines 11 to 20 hold its budget fields.
    WriteFile(QStringLiteral("Vemo/vemo.1"),
              OrderLines(1, Moscow().m_strName, TaxService().m_strName) +
                  QStringList{"01", "18201061201010000510", "0", "0", "0", "0", "0", "", "0", ""});
    WriteFile(QStringLiteral("Vemo/vemo.12"),
              OrderLines(12, Person().m_strName, StPetersburg().m_strName));
    WriteFile(QStringLiteral("Vemo/vemo.2"), OrderLines(2, {}, {}));  // parties not chosen yet
    const QMap<QString, QByteArray> before = FolderSnapshot(m_dir->path());

    QCOMPARE(CheckWorkingFolder(WorkingFolder(QDir(m_dir->path()))), QStringList());
    QCOMPARE(FolderSnapshot(m_dir->path()), before);
}

void TestChecks::faultyFolderNamesEveryProblem() {
    CRequisite wrongKey = Moscow();
    wrongKey.m_strName = QStringLiteral("ООО \"Ромашка\"");
    wrongKey.m_strAccount1 = QStringLiteral("40702810938000012346");
    CRequisite nameless = StPetersburg();
    nameless.m_strName.clear();
    nameless.m_strBik = QStringLiteral("04403065");
    nameless.m_strInnKpp = QStringLiteral("7830002293/78");
    WriteFile(QStringLiteral("pltRecv.dat"), BookLines(Moscow()) + BookLines(wrongKey));
    WriteFile(QStringLiteral("polRecv.dat"),
              BookLines(AsRecipient(StPetersburg())) + BookLines(AsRecipient(nameless)));
    WriteFile(QStringLiteral("Vemo/vemo.10"),
              OrderLines(10, QStringLiteral("ООО Лютик"), QStringLiteral("ИП Пчелкин")));
    WriteFile(QStringLiteral("Vemo/vemo.3"),
              OrderLines(3, wrongKey.m_strName, QStringLiteral("ПАО Сбербанк")));
    WriteFile(QStringLiteral("Vemo/vemo.1"), OrderLines(1, Moscow().m_strName, QString()));
    // Names are exact: a trailing blank is another name.
    WriteFile(QStringLiteral("Vemo/vemo.7"),
              OrderLines(7, Moscow().m_strName + u' ', StPetersburg().m_strName));
    // Not order files: the archive never lists them, so they are not checked.
    WriteFile(QStringLiteral("Vemo/vemo.07"), OrderLines(7, QStringLiteral("нет"), {}));
    WriteFile(QStringLiteral("Vemo/vemo.0"), OrderLines(0, QStringLiteral("нет"), {}));
    WriteFile(QStringLiteral("Vemo/vemo.x"), OrderLines(0, QStringLiteral("нет"), {}));
    WriteFile(QStringLiteral("Vemo/vemo.5"), OrderLines(5, {}, {}, QStringLiteral("12,345")));
    WriteFile(QStringLiteral("Vemo/vemo.6"), OrderLines(6, {}, {}, QString()));  // not written yet
    WriteFile(QStringLiteral("Vemo/vemo.8"), OrderLines(8, {}, {}, QStringLiteral("0,00")));
    // A number and a priority a bank does not take; blanks around a priority are no part of it.
    WriteFile(QStringLiteral("Vemo/vemo.11"), OrderLines(1234567, {}, {}));
    QStringList inWords = OrderLines(12, {}, {});
    inWords[kColumnPriority] = QStringLiteral("пятая");
    WriteFile(QStringLiteral("Vemo/vemo.12"), inWords);
    QStringList spaced = OrderLines(13, {}, {});
    spaced[kColumnPriority] = QStringLiteral("5 ");
    WriteFile(QStringLiteral("Vemo/vemo.13"), spaced);
    // The archive lists these too: a number past the range of int, and a folder at an order's name.
    WriteFile(QStringLiteral("Vemo/vemo.2147483648"),
              OrderLines(1, QStringLiteral("ООО Лютик"), StPetersburg().m_strName));
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("Vemo/vemo.4")));
    const QMap<QString, QByteArray> before = FolderSnapshot(m_dir->path());

    const QStringList expected = {
        "pltRecv.dat: запись 2 «ООО \"Ромашка\"»: Счет1: контрольный ключ не сходится с БИК "
        "044525225",
        "polRecv.dat: запись 2 без наименования: КПП: 2 знака вместо 9",
        "polRecv.dat: запись 2 без наименования: БИК: 8 цифр вместо 9",
        "Vemo/vemo.3: получатель «ПАО Сбербанк» не найден в polRecv.dat",
        "Vemo/vemo.4: не удается прочитать файл",
        "Vemo/vemo.5: сумма «12,345» не является суммой платежа",
        "Vemo/vemo.7: плательщик «ПАО Сбербанк » не найден в pltRecv.dat",
        "Vemo/vemo.8: сумма «0,00» не является суммой платежа",
        "Vemo/vemo.10: плательщик «ООО Лютик» не найден в pltRecv.dat",
        "Vemo/vemo.10: получатель «ИП Пчелкин» не найден в polRecv.dat",
        "Vemo/vemo.11: номер «1234567»: нужно от 1 до 6 цифр, не 0",
        "Vemo/vemo.12: очередность платежа «пятая»: нужна цифра от 1 до 5",
        "Vemo/vemo.2147483648: плательщик «ООО Лютик» не найден в pltRecv.dat",
    };
    QCOMPARE(CheckWorkingFolder(WorkingFolder(QDir(m_dir->path()))), expected);
    QCOMPARE(FolderSnapshot(m_dir->path()), before);
}

// A working folder the program has never been started in: no books, no archive folder. The check
// says so rather than pass it in silence; a book alone, even empty, is a folder to check.
void TestChecks::emptyFolderIsNamedAndStaysEmpty() {
    const QString path = QDir(m_dir->path()).absolutePath();
    QCOMPARE(CheckWorkingFolder(WorkingFolder(QDir(m_dir->path()))),
             QStringList{QStringLiteral("в папке %1 нет ни реквизитов, ни платежек").arg(path)});
    QCOMPARE(FolderSnapshot(m_dir->path()), (QMap<QString, QByteArray>{}));
    WriteFile(QStringLiteral("polRecv.dat"), {});
    QCOMPARE(CheckWorkingFolder(WorkingFolder(QDir(m_dir->path()))), QStringList());
}

// A directory where a file should be cannot be read, even by root. An unreadable book is named
// once, and its parties are not looked up: every order would report them missing.
void TestChecks::unreadableFilesAreNamed() {
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("polRecv.dat")));
    WriteFile(QStringLiteral("pltRecv.dat"), BookLines(Moscow()));
    WriteFile(QStringLiteral("Vemo/vemo.1"),
              OrderLines(1, QStringLiteral("ООО Лютик"), QStringLiteral("ИП Пчелкин")));
    const QStringList expected = {
        "polRecv.dat: не удается прочитать файл",
        "Vemo/vemo.1: плательщик «ООО Лютик» не найден в pltRecv.dat",
    };
    QCOMPARE(CheckWorkingFolder(WorkingFolder(QDir(m_dir->path()))), expected);
}

void TestChecks::partiesAreTakenAsTheFormTakesThem_data() {
    QTest::addColumn<QString>("payer");
    QTest::addColumn<QString>("recipient");
    QTest::addColumn<QStringList>("faulty");  // the names told about, in their order

    CRequisite wrongKey = Moscow();
    wrongKey.m_strAccount1 = QStringLiteral("40702810938000012346");
    const QString moscow = Moscow().m_strName;
    const QString neva = StPetersburg().m_strName;
    QTest::newRow("both sound") << moscow << neva << QStringList{};
    QTest::newRow("faulty payer") << QStringLiteral("ООО Ромашка") << neva
                                  << QStringList{"ООО Ромашка"};
    QTest::newRow("faulty recipient")
        << moscow << QStringLiteral("ООО Лютик") << QStringList{"ООО Лютик"};
    QTest::newRow("both faulty, payer first")
        << QStringLiteral("ООО Ромашка") << QStringLiteral("ООО Лютик")
        << QStringList{"ООО Ромашка", "ООО Лютик"};
    // The first record of a name is the one on the form; the later one is never used.
    QTest::newRow("sound record first of two")
        << QStringLiteral("ООО Двойник") << neva << QStringList{};
    QTest::newRow("faulty record first of two")
        << QStringLiteral("ООО Тройник") << neva << QStringList{"ООО Тройник"};
    QTest::newRow("not chosen") << QString() << QString() << QStringList{};
    QTest::newRow("not in the book")
        << QStringLiteral("ООО Ромашка ") << QStringLiteral("ооо лютик") << QStringList{};
}

void TestChecks::partiesAreTakenAsTheFormTakesThem() {
    QFETCH(QString, payer);
    QFETCH(QString, recipient);
    QFETCH(QStringList, faulty);
    CRequisite romashka = Moscow();
    romashka.m_strName = QStringLiteral("ООО Ромашка");
    romashka.m_strAccount1 = QStringLiteral("40702810938000012346");
    CRequisite twinSound = Moscow();
    twinSound.m_strName = QStringLiteral("ООО Двойник");
    CRequisite twinFaulty = romashka;
    twinFaulty.m_strName = twinSound.m_strName;
    CRequisite tripletFaulty = romashka;
    tripletFaulty.m_strName = QStringLiteral("ООО Тройник");
    CRequisite tripletSound = Moscow();
    tripletSound.m_strName = tripletFaulty.m_strName;
    CRequisite lutik = StPetersburg();
    lutik.m_strName = QStringLiteral("ООО Лютик");
    lutik.m_strInnKpp = QStringLiteral("7830002294");
    const CRequisiteArray payers{Moscow(),   romashka,      twinSound,
                                 twinFaulty, tripletFaulty, tripletSound};
    const CRequisiteArray recipients{AsRecipient(StPetersburg()), AsRecipient(lutik)};

    const QList<PartyChecks::FaultyParty> found =
        PartyChecks::Check(payer, payers, recipient, recipients);
    QStringList names;
    for (const PartyChecks::FaultyParty& party : found) {
        names.append(party.name);
        QVERIFY(!party.problems.isEmpty());
        QCOMPARE(party.nKind, party.name == payer ? RequisitesFile::kPayersKind
                                                  : RequisitesFile::kRecipientsKind);
    }
    QCOMPARE(names, faulty);
}

// Through the program: its lines, its exit status, and a folder left exactly as it was, with
// not even the archive folder made. What the lines say is CheckWorkingFolder's.
void TestChecks::commandLineCheck() {
    if (qEnvironmentVariableIsEmpty("VEMO_EXECUTABLE")) {
        QSKIP("VEMO_EXECUTABLE is set by ctest: run this test through ctest");
    }
    CRequisite romashka = Moscow();
    romashka.m_strName = QStringLiteral("ООО Ромашка");
    romashka.m_strAccount1 = QStringLiteral("40702810938000012346");
    WriteFile(QStringLiteral("pltRecv.dat"), BookLines(Moscow()) + BookLines(romashka));
    WriteFile(QStringLiteral("polRecv.dat"), {});
    Backdate(m_dir->path());
    const QMap<QString, QByteArray> before = FolderSnapshot(m_dir->path());
    const QMap<QString, QDateTime> stampsBefore = Stamps(m_dir->path());

    const CheckRun run = RunCheck(m_dir->path());
    QCOMPARE(run.lines, QStringList{"pltRecv.dat: запись 2 «ООО Ромашка»: Счет1: контрольный ключ "
                                    "не сходится с БИК 044525225"});
    QCOMPARE(run.errors, QString());
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(FolderSnapshot(m_dir->path()), before);
    QCOMPARE(Stamps(m_dir->path()), stampsBefore);
}

// The folder `make run` opens for a newcomer is one the check finds in order.
void TestChecks::demoDataPassesTheCheck() {
    if (qEnvironmentVariableIsEmpty("VEMO_EXECUTABLE")) {
        QSKIP("VEMO_EXECUTABLE is set by ctest: run this test through ctest");
    }
    const QString demo = m_dir->filePath(QStringLiteral("demo"));
    QProcess script;
    script.start(QStringLiteral("bash"),
                 {QStringLiteral(VEMO_TESTS_SOURCE_DIR "/../scripts/make-demo-data.sh"), demo});
    QVERIFY(script.waitForFinished(60000));
    QCOMPARE(script.exitCode(), 0);
    QVERIFY(QFileInfo::exists(QDir(demo).filePath(QStringLiteral("Vemo/vemo.1"))));

    const CheckRun run = RunCheck(demo);
    QCOMPARE(run.lines, QStringList());
    QCOMPARE(run.exitCode, 0);
}

// Today is 20.03.2026; the archive holds orders 3 (15.03) and 5 (18.03) to ООО Лютик for 1 000.
void TestChecks::orderWarnings_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("recipient");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<int>("basisLength");
    QTest::addColumn<QDate>("stored");  // the stored order's date; none for a new one
    QTest::addColumn<QStringList>("warned");
    const QString lyutik = QStringLiteral("ООО Лютик");
    const auto row = [&](const char* name, const QDate& date, const QString& recipient,
                         const char* amount, int basis, const QDate& stored,
                         const QStringList& warned) {
        QTest::newRow(name) << date << recipient << QString::fromUtf8(amount) << basis << stored
                            << warned;
    };
    const QDate today(2026, 3, 20);
    row("sound", today, lyutik, "500", 0, {}, {});
    row("10 days back", today.addDays(-10), lyutik, "500", 0, {}, {});
    row("11 days back", today.addDays(-11), lyutik, "500", 0, {},
        {"Поручение датировано 09.03.2026, 11 дней назад"});
    row("30 days ahead", today.addDays(30), lyutik, "500", 0, {}, {});
    row("31 days ahead", today.addDays(31), lyutik, "500", 0, {}, {"через 31 день"});
    row("a stored order keeps its date", QDate(2001, 3, 5), lyutik, "500", 0, QDate(2001, 3, 5),
        {});
    row("a stored order redated", QDate(2001, 3, 6), lyutik, "500", 0, QDate(2001, 3, 5),
        {"датировано 06.03.2001"});
    row("the same recipient and amount, the closest named", today, lyutik, "1000", 0, {},
        {"Похоже на поручение № 5 от 18.03.2026"});
    row("another recipient", today, QStringLiteral("ООО Ромашка"), "1000", 0, {}, {});
    row("another amount", today, lyutik, "1000,01", 0, {}, {});
    row("11 days after", QDate(2026, 3, 29), lyutik, "1 000,00", 0, {}, {});
    row("a purpose of 210 characters", today, lyutik, "500", 210, {}, {});
    row("a stored order's purpose of 211", QDate(2001, 3, 5), lyutik, "1000", 211,
        QDate(2001, 3, 5), {"В основании 211 знаков"});
}

void TestChecks::orderWarnings() {
    QFETCH(QDate, date);
    QFETCH(QString, recipient);
    QFETCH(QString, amount);
    QFETCH(int, basisLength);
    QFETCH(QDate, stored);
    QFETCH(QStringList, warned);
    OrderSanity::Context context;
    for (const auto& [number, day] : {std::pair{3, 15}, std::pair{5, 18}}) {
        OrderRow other;
        other[kColumnNumber] = OrderTexts::NumberText(number);
        other[kColumnDate] = OrderTexts::DateText(QDate(2026, 3, day));
        other[kColumnRecipient] = QStringLiteral("ООО Лютик");
        other[kColumnAmount] = QStringLiteral("1 000");
        context.others.append(other);
    }
    context.stored = stored.isValid();
    context.storedDate = stored.isValid() ? OrderTexts::DateText(stored) : QString();
    OrderRow order;
    order[kColumnDate] = OrderTexts::DateText(date);
    order[kColumnRecipient] = recipient;
    order[kColumnAmount] = amount;
    order[kColumnBasis] = QString(basisLength, u'x');
    const QList<OrderSanity::Warning> warnings =
        OrderSanity::Check(order, context, QDate(2026, 3, 20));
    QCOMPARE(warnings.size(), warned.size());
    for (int i = 0; i < warned.size(); ++i) {
        QVERIFY2(warnings.at(i).text.contains(warned.at(i)), qPrintable(warnings.at(i).text));
    }
}

// Under today's rules the type of payment (5) is empty, "срочно" or a code the bank set, and the
// term (19) is not filled; the edition of 2001 asked for both.
void TestChecks::todaysRulesQuestionTypeAndTerm_data() {
    QTest::addColumn<bool>("current");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("term");
    QTest::addColumn<QStringList>("warned");  // the fields warned about
    const QStringList none;
    const QStringList typeOnly{"Вид платежа"};
    QTest::newRow("nothing") << true << ""
                             << "" << none;
    QTest::newRow("срочно") << true << "срочно"
                            << "" << none;
    QTest::newRow("СРОЧНО with a blank") << true << "СРОЧНО "
                                         << "" << none;
    QTest::newRow("the bank's code") << true << "0"
                                     << "" << none;
    QTest::newRow("the bank's code in letters") << true << "EL"
                                                << "" << none;
    QTest::newRow("электронно") << true << "электронно"
                                << "" << typeOnly;
    QTest::newRow("почтой") << true << "почтой"
                            << "" << typeOnly;
    QTest::newRow("a term") << true << ""
                            << "05.03.2026" << QStringList{"Срок платежа"};
    QTest::newRow("both") << true << "телеграфом"
                          << "5" << QStringList{"Вид платежа", "Срок платежа"};
    QTest::newRow("both, edition of 2001") << false << "почтой"
                                           << "05.03.2026" << none;
}

void TestChecks::todaysRulesQuestionTypeAndTerm() {
    QFETCH(bool, current);
    QFETCH(QString, type);
    QFETCH(QString, term);
    QFETCH(QStringList, warned);
    OrderRow order;
    order[kColumnPaymentType] = type;
    order[kColumnPaymentTerm] = term;
    OrderSanity::Context context;
    context.stored = true;
    context.edition = current ? FormEdition::Current : FormEdition::Edition2001;
    QStringList fields;
    for (const OrderSanity::Warning& warning :
         OrderSanity::Check(order, context, QDate(2026, 3, 20))) {
        fields.append(warning.text.section(QStringLiteral(" «"), 0, 0));
        QCOMPARE(warning.field, fields.last() == QStringLiteral("Вид платежа")
                                    ? OrderSanity::Field::PaymentType
                                    : OrderSanity::Field::PaymentTerm);
    }
    QCOMPARE(fields, warned);
}

void TestChecks::longValuesAreQuotedByTheirStart_data() {
    QTest::addColumn<Quoting>("message");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("quoted");
    const QString sixty(60, u'7');
    const QString megabyte(1 << 20, u'7');
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80");  // two UTF-16 units
    for (const auto& [name, message] :
         {std::pair{"budget warning", Quoting::BudgetWarning},
          std::pair{"party not in its book", Quoting::PartyNotInItsBook},
          std::pair{"not an amount", Quoting::NotAnAmount},
          std::pair{"wrong amount typed", Quoting::WrongAmountTyped},
          std::pair{"a field of an order file", Quoting::FieldFault},
          std::pair{"today's rules", Quoting::TodaysRules}}) {
        QTest::addRow("%s, a megabyte", name) << message << megabyte << "«" + sixty + "…»";
        QTest::addRow("%s, 60 characters whole", name) << message << sixty << "«" + sixty + "»";
        QTest::addRow("%s, 61 characters", name) << message << sixty + "7"
                                                 << "«" + sixty + "…»";
    }
    // The cut never parts the two halves of one character.
    QTest::newRow("a character across the cut")
        << Quoting::PartyNotInItsBook << sixty.left(59) + smile + "7"
        << "«" + sixty.left(59) + "…»";
}

// A message quoting a field's value shows its start, a few dozen characters: a value of a
// megabyte makes no box taller than the screen.
void TestChecks::longValuesAreQuotedByTheirStart() {
    QFETCH(Quoting, message);
    QFETCH(QString, value);
    QFETCH(QString, quoted);
    QString text;
    switch (message) {
        case Quoting::BudgetWarning: {
            OrderRow row;
            row[kColumnKbk] = value;
            text = BudgetChecks::Check(row, nullptr).value(0).text;
            break;
        }
        case Quoting::PartyNotInItsBook:
            text = RequisitesFile::NotInBookMessage(kPayersKind, value);
            break;
        case Quoting::NotAnAmount:
            text = OrderAmount::NotAnAmountMessage(value);
            break;
        case Quoting::WrongAmountTyped:
            text = OrderAmount::WrongAmountMessage(value);
            break;
        case Quoting::FieldFault: {
            OrderRow row;
            row[kColumnPriority] = value;
            for (const OrderChecks::FieldFault& fault : OrderChecks::FieldFaults(row)) {
                text += fault.column == kColumnPriority ? fault.text : QString();
            }
            break;
        }
        case Quoting::TodaysRules: {
            OrderRow row;
            row[kColumnPaymentTerm] = value;
            OrderSanity::Context context;
            context.stored = true;
            context.edition = FormEdition::Current;
            for (const OrderSanity::Warning& warning : OrderSanity::Check(row, context, {})) {
                text += warning.field == OrderSanity::Field::PaymentTerm ? warning.text : QString();
            }
            break;
        }
    }
    QVERIFY2(text.contains(quoted), qPrintable(text.left(200)));
    QVERIFY2(text.size() < 400, qPrintable(text.left(200)));
}

QTEST_GUILESS_MAIN(TestChecks)
#include "tst_checks.moc"
