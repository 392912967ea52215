// What may go on paper, in which edition of the form: one table of the edition, the kind of order
// and the output, each drawn or refused with its reason, through the use cases the windows call
// and through the command line.
#include <QtTest>

#include <QProcess>

#include "TestEnvironment.h"
#include "TestFolder.h"
#include "bank/BudgetPayment.h"
#include "bank/OrderUseCases.h"
#include "form/CVemoDoc.h"
#include "orders/OrderFiles.h"
#include "orders/WorkingFolder.h"
#include "requisites/RequisitesFile.h"

namespace {

const QString kNoRoom = QStringLiteral("на бланке редакции 2001 года нет места для полей");

CRequisite Party(const QString& name) {
    CRequisite party;
    party.m_strName = name;
    party.m_strBank = name + QStringLiteral(" банк");
    party.m_strInnKpp = QStringLiteral("7701234567/770101001");
    party.m_strBik = QStringLiteral("044525999");
    party.m_strAccount1 = QStringLiteral("40702810900000012345");
    party.m_strAccount2 = QStringLiteral("30101810400000000999");
    return party;
}

// The orders of the table by kind, numbered from 1 in this order.
const QStringList kKinds{"ordinary",      "tax payment", "income type",
                         "payer missing", "no words",    "tax payment, payer missing"};

OrderRow OrderOfKind(const QString& kind) {
    OrderRow row;
    row[kColumnNumber] = QStringLiteral("%1").arg(kKinds.indexOf(kind) + 1, 4);
    row[kColumnDate] = QStringLiteral(" 5. 3.2026");
    row[kColumnPayer] = kind.contains("payer missing") ? QStringLiteral("ООО Никто")
                                                       : QStringLiteral("ООО Ромашка");
    row[kColumnRecipient] = QStringLiteral("ООО Альфа");
    row[kColumnAmount] = kind == "no words" ? QStringLiteral("12,345") : QStringLiteral("1000");
    row[kColumnBasis] = QStringLiteral("Оплата");
    row[kColumnPaymentKind] = QStringLiteral("01");
    row[kColumnPriority] = QStringLiteral("5");
    if (kind.startsWith("tax payment")) {
        BudgetPayment::FillSingleTaxPayment(&row);
    }
    if (kind == "income type") {
        row[kColumnIncomeType] = QStringLiteral("1");
    }
    return row;
}

struct Outcome {
    bool made = false;
    QString told;
};

// The command line in a folder, with the edition remembered in settings of its own, or given.
Outcome RunPdf(const QString& folder, int number, FormEdition edition, bool given) {
    QTemporaryDir config;
    if (!given) {
        const QString settings =
            config.filePath("Local AppWizard-Generated Applications/Vemo.conf");
        QDir().mkpath(QFileInfo(settings).path());
        WriteBytes(settings, "[Form]\nEdition=" + FormEditions::Name(edition).toLatin1() + "\n");
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", config.path());
    environment.insert("XDG_RUNTIME_DIR", config.path());
    QProcess vemo;
    vemo.setProcessEnvironment(environment);
    vemo.setWorkingDirectory(folder);
    QStringList arguments{"--pdf", "out.pdf", "--order", QString::number(number)};
    if (given) {
        arguments << "--form=" + FormEditions::Name(edition);
    }
    vemo.start(VemoExecutable(), arguments);
    Outcome outcome;
    if (!vemo.waitForFinished(60000)) {
        outcome.told = QStringLiteral("<no answer>");
        return outcome;
    }
    outcome.told = QString::fromLocal8Bit(vemo.readAllStandardError());
    outcome.made = vemo.exitCode() == 0 && QFile::remove(QDir(folder).filePath("out.pdf"));
    return outcome;
}

}  // namespace

class TestPaper : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void ordersGoOnPaperOrAreRefusedWithTheReason_data();
    void ordersGoOnPaperOrAreRefusedWithTheReason();

private:
    std::unique_ptr<TestFolder> m_folder;
};

void TestPaper::initTestCase() {
    m_folder = std::make_unique<TestFolder>(TestFolder::Files{{"Vemo/", {}}});
    QVERIFY(m_folder->isValid());
    QVERIFY(RequisitesFile::Write("pltRecv.dat", {Party(QStringLiteral("ООО Ромашка"))}));
    QVERIFY(RequisitesFile::Write("polRecv.dat", {Party(QStringLiteral("ООО Альфа"))}));
    for (const QString& kind : kKinds) {
        const OrderRow row = OrderOfKind(kind);
        QVERIFY(OrderFiles::SaveOrder(row.Number(), row));
    }
}

void TestPaper::ordersGoOnPaperOrAreRefusedWithTheReason_data() {
    QTest::addColumn<FormEdition>("edition");
    QTest::addColumn<bool>("given");  // for this job alone, else the one remembered
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("output");    // "screen", "print" (the archive's) or "pdf"
    QTest::addColumn<bool>("made");         // drawn on the screen, or on paper
    QTest::addColumn<QStringList>("told");  // parts of what the user is told, in order
    const auto row = [](const char* name, FormEdition edition, bool given, const char* kind,
                        const char* output, bool made, const QStringList& told) {
        QTest::newRow(name) << edition << given << QString::fromUtf8(kind)
                            << QString::fromLatin1(output) << made << told;
    };
    const FormEdition old = FormEdition::Edition2001;
    const FormEdition current = FormEdition::Current;
    const QString nobody = QStringLiteral("плательщик «ООО Никто» не найден в pltRecv.dat");
    const QString noWords = QStringLiteral("сумма «12,345» не является суммой платежа");
    const QString hint = QStringLiteral("--form=2001 — на бланке 2001 года без этих полей");

    row("2001, ordinary, screen", old, false, "ordinary", "screen", true, {});
    row("2001, ordinary, pdf", old, false, "ordinary", "pdf", true, {});
    row("2001, tax, screen: drawn, the current edition offered", old, false, "tax payment",
        "screen", true, {kNoRoom});
    row("2001, tax, print", old, false, "tax payment", "print", false, {kNoRoom});
    row("2001, tax, pdf", old, false, "tax payment", "pdf", false, {kNoRoom, hint});
    row("2001 given, tax, pdf", old, true, "tax payment", "pdf", true, {});
    row("2001 given, tax, print", old, true, "tax payment", "print", true, {});
    row("2001, income type, pdf", old, false, "income type", "pdf", false, {kNoRoom});
    row("current, tax, screen", current, false, "tax payment", "screen", true, {});
    row("current, tax, pdf", current, false, "tax payment", "pdf", true, {});
    row("current given, income type, pdf", current, true, "income type", "pdf", true, {});
    row("current, income type, print", current, false, "income type", "print", true, {});
    row("current, payer missing, screen", current, false, "payer missing", "screen", true,
        {nobody});
    row("current, payer missing, print", current, false, "payer missing", "print", false, {nobody});
    row("current, payer missing, pdf", current, false, "payer missing", "pdf", false, {nobody});
    row("2001 given, payer missing, pdf", old, true, "payer missing", "pdf", false, {nobody});
    row("current, no words, pdf", current, false, "no words", "pdf", false, {noWords});
    row("2001, tax and payer missing, print: both", old, false, "tax payment, payer missing",
        "print", false, {nobody, kNoRoom});
}

void TestPaper::ordersGoOnPaperOrAreRefusedWithTheReason() {
    QFETCH(FormEdition, edition);
    QFETCH(bool, given);
    QFETCH(QString, kind);
    QFETCH(QString, output);
    QFETCH(bool, made);
    QFETCH(QStringList, told);
    const WorkingFolder folder;
    const OrderRow order = OrderOfKind(kind);
    const auto choice =
        given ? OrderUseCases::EditionChoice::Given : OrderUseCases::EditionChoice::Remembered;
    Outcome outcome;
    if (output == "screen") {
        CVemoDoc doc;
        const OrderUseCases::Drawing drawing =
            OrderUseCases::DrawOrder(folder, order, {}, doc, edition);
        outcome.made = doc.m_strNumber == order[kColumnNumber];
        outcome.told = (drawing.notices + QStringList{drawing.noRoom}).join('\n').trimmed();
    } else if (output == "print") {
        const OrderUseCases::Printing printing = OrderUseCases::PrintOrders(
            folder, {order}, OrderUseCases::Policy::LeaveOut, edition, choice);
        outcome.made = printing.batch.docs.size() == 1;
        outcome.told = OrderRefusal::ListText(printing.batch.refused);
    } else {
        outcome = RunPdf(m_folder->Path(), order.Number(), edition, given);
        outcome.told.remove(QRegularExpression("QStandardPaths: [^\n]*\n"));
    }
    QCOMPARE(outcome.made, made);
    QCOMPARE(outcome.told.isEmpty(), told.isEmpty());
    qsizetype from = 0;
    for (const QString& part : told) {
        const qsizetype at = outcome.told.indexOf(part, from);
        QVERIFY2(at >= 0, qPrintable(outcome.told));
        from = at + part.size();
    }
}

QTEST_GUILESS_MAIN(TestPaper)
#include "tst_paper.moc"
