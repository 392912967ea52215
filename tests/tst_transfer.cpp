// Putting an order on the form: from a row, from the archive's draw button, and from --order.
#include <QProcess>
#include <QtTest>
#include <memory>

#include "TestFiles.h"
#include "TestPdf.h"
#include "app/MessageBoxes.h"
#include "common/Cp1251.h"
#include "form/CVemoDoc.h"
#include "orders/COrderArchiveDlg.h"
#include "orders/OrderFiles.h"
#include "orders/OrderTransfer.h"
#include "requisites/RequisitesFile.h"

namespace {

CRequisite Party(const QString& name, const QString& tag) {
    CRequisite party;
    party.m_strName = name;
    party.m_strBank = tag + QStringLiteral(" банк");
    party.m_strInnKpp = tag + " 7701/7702";
    party.m_strBik = tag + " 044525225";
    party.m_strAccount1 = tag + " 40702";
    party.m_strAccount2 = tag + " 30101";
    return party;
}

OrderRow Order(const QString& payer, const QString& recipient) {
    OrderRow row;
    const QStringList fields{"   7",  " 5. 3.2001", payer,  recipient, "1234.56",
                             "Basis", "01",         "Term", "Prio",    "Type"};
    for (int column = 0; column < kOrderColumnCount; ++column) {
        row[column] = fields.at(column);
    }
    return row;
}

QStringList Details(const CRequisite& party) {
    return {party.m_strBank, party.m_strInnKpp, party.m_strBik, party.m_strAccount1,
            party.m_strAccount2};
}

// A requisites file in LF-only form, which any rewrite would turn into CRLF.
QByteArray LfFile(const CRequisiteArray& records) {
    QByteArray bytes;
    for (const QString& line : RequisitesFile::ToLines(records)) {
        bytes += Cp1251::Encode(line) + '\n';
    }
    return bytes;
}

}  // namespace

class TestTransfer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void fieldsGoToTheirPlaces();
    void amountIsReadWithADecimalComma_data();
    void amountIsReadWithADecimalComma();
    void firstRecordOfANameWins();
    void nameMustMatchExactly_data();
    void nameMustMatchExactly();
    void firstTransferOfAMissingPartyKeepsPlaceholders();
    void drawButtonNeedsARow();
    void drawButtonTransfersAndLeavesTheFiles();
    void orderOptionReadsOnly();
    void orderOptionRefusesMissingOrders();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    MessageBoxes::Log m_log;
};

void TestTransfer::initTestCase() {
    MessageBoxes::SetTestLog(&m_log);
}

void TestTransfer::init() {
    m_log = MessageBoxes::Log();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    QVERIFY(QDir().mkdir("Vemo"));
}

void TestTransfer::cleanup() {
    QDir::setCurrent(QDir::tempPath());
}

void TestTransfer::fieldsGoToTheirPlaces() {
    CVemoDoc doc;
    const CRequisite payer = Party("Payer", "P");
    const CRequisite recipient = Party("Recipient", "R");
    OrderTransfer::TransferOrder(Order("Payer", "Recipient"), {payer}, {recipient}, doc);
    QCOMPARE(doc.m_strNumber, QStringLiteral("   7"));  // with its blanks
    QCOMPARE(doc.m_strDate, QStringLiteral(" 5. 3.2001"));
    QCOMPARE(doc.m_strAmount, QStringLiteral("1234.56"));
    QCOMPARE(doc.m_strBasis, QStringLiteral("Basis"));
    QCOMPARE(doc.m_strPaymentKind, QStringLiteral("01"));
    QCOMPARE(doc.m_strPaymentTerm, QStringLiteral("Term"));
    QCOMPARE(doc.m_strPriority, QStringLiteral("Prio"));
    QCOMPARE(doc.m_strPaymentType, QStringLiteral("Type"));
    QCOMPARE(doc.m_payer, payer);
    QCOMPARE(doc.m_recipient, recipient);
}

void TestTransfer::amountIsReadWithADecimalComma_data() {
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("words");
    const QString words = QStringLiteral("Одна тысяча двести тридцать четыре руб. 56 коп.");
    QTest::newRow("point") << "1234.56" << words;
    QTest::newRow("comma") << "1234,56" << words;
    QTest::newRow("blanks between digits") << "1 234,56" << words;
    QTest::newRow("not a number") << QStringLiteral("сто") << QStringLiteral("Ноль руб. 0 коп.");
}

void TestTransfer::amountIsReadWithADecimalComma() {
    QFETCH(QString, amount);
    QFETCH(QString, words);
    OrderRow row = Order("P", "R");
    row[kColumnAmount] = amount;
    CVemoDoc doc;
    OrderTransfer::TransferOrder(row, {}, {}, doc);
    QCOMPARE(doc.m_strAmountInWords, words);
    QCOMPARE(doc.m_strAmount, amount);  // the figures stay as typed
}

void TestTransfer::firstRecordOfANameWins() {
    CVemoDoc doc;
    const CRequisiteArray payers{Party("Other", "O"), Party("Alfa", "first"),
                                 Party("Alfa", "second")};
    OrderTransfer::TransferOrder(Order("Alfa", "R"), payers, {}, doc);
    QCOMPARE(doc.m_payer, payers.at(1));
}

void TestTransfer::nameMustMatchExactly_data() {
    QTest::addColumn<QString>("orderName");
    QTest::newRow("letter case") << "alfa";
    QTest::newRow("trailing blank") << "Alfa ";
    QTest::newRow("prefix") << "Alf";
}

void TestTransfer::nameMustMatchExactly() {
    QFETCH(QString, orderName);
    CVemoDoc doc;
    const CRequisite earlier = Party("Earlier", "E");
    OrderTransfer::TransferOrder(Order("Earlier", "R"), {earlier}, {}, doc);
    OrderTransfer::TransferOrder(Order(orderName, "R"), {Party("Alfa", "A")}, {}, doc);
    // The order's name, with the details of the order before.
    QCOMPARE(doc.m_payer.m_strName, orderName);
    QCOMPARE(Details(doc.m_payer), Details(earlier));
}

void TestTransfer::firstTransferOfAMissingPartyKeepsPlaceholders() {
    CVemoDoc doc;
    OrderTransfer::TransferOrder(Order("P", "Missing"), {Party("P", "P")}, {}, doc);
    QCOMPARE(doc.m_recipient.m_strName, QStringLiteral("Missing"));
    QCOMPARE(Details(doc.m_recipient),
             (QStringList{"Банк получателя", "ИНН/КПП получателя", "БИК получателя",
                          "Счет1 получателя", "Счет2 получателя"}));
}

void TestTransfer::drawButtonNeedsARow() {
    QVERIFY(OrderFiles::SaveOrder(7, Order("P", "R")));
    const QByteArray payers = LfFile({Party("P", "P")});
    WriteBytes("pltRecv.dat", payers);
    CVemoDoc doc;
    {
        COrderArchiveDlg archive(doc);
        archive.OnOK();
        QCOMPARE(m_log.Texts(), QStringList{"Нет выделеной платежки"});
        QCOMPARE(archive.result(), int(QDialog::Rejected));
    }
    QCOMPARE(doc.m_strNumber, QStringLiteral("Номер"));
    QCOMPARE(ReadBytes("pltRecv.dat"), payers);  // not rewritten
    QVERIFY(!QFileInfo::exists("polRecv.dat"));  // nor created
}

void TestTransfer::drawButtonTransfersAndLeavesTheFiles() {
    QVERIFY(OrderFiles::SaveOrder(3, Order("X", "X")));
    QVERIFY(OrderFiles::SaveOrder(7, Order("P", "R")));
    const CRequisite payer = Party("P", "P");
    WriteBytes("pltRecv.dat", LfFile({payer}));
    CVemoDoc doc;
    COrderArchiveDlg archive(doc);
    archive.SelectRow(1);
    archive.OnOK();
    QVERIFY(m_log.entries.isEmpty());
    QCOMPARE(archive.result(), int(QDialog::Accepted));
    QCOMPARE(doc.m_strNumber, QStringLiteral("   7"));
    QCOMPARE(doc.m_payer, payer);
    QCOMPARE(doc.m_recipient.m_strBank, QStringLiteral("Банк получателя"));
    // Read only: the file keeps its LF line ends, and the missing one is not created.
    QCOMPARE(ReadBytes("pltRecv.dat"), LfFile({payer}));
    QVERIFY(!QFileInfo::exists("polRecv.dat"));
}

void TestTransfer::orderOptionReadsOnly() {
    QVERIFY(OrderFiles::SaveOrder(5, Order("Payer", "Recipient")));
    const QByteArray payers = LfFile({Party("Payer", "PayerTag")});
    WriteBytes("pltRecv.dat", payers);
    QProcess vemo;
    vemo.start(qEnvironmentVariable("VEMO_EXECUTABLE"), {"--pdf", "out.pdf", "--order", "5"});
    QVERIFY(vemo.waitForFinished(60000));
    QCOMPARE(vemo.exitCode(), 0);
    QCOMPARE(ReadBytes("pltRecv.dat"), payers);
    QCOMPARE(QDir().entryList(QDir::NoDotAndDotDot | QDir::AllEntries, QDir::Name),
             (QStringList{"Vemo", "out.pdf", "pltRecv.dat"}));
    QCOMPARE(QDir("Vemo").entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{"vemo.5"});

    const QString page = PdfText("out.pdf");
    for (const QString& shown :
         QStringList{"PayerTag 044525225", "PayerTag 40702", "Recipient", "Basis",
                     "Одна тысяча двести тридцать четыре руб. 56 коп."}) {
        QVERIFY2(page.count(shown) == 2, qPrintable(shown));
    }
}

void TestTransfer::orderOptionRefusesMissingOrders() {
    QVERIFY(QDir().mkdir("Vemo/vemo.6"));  // there, but not a readable file
    for (const QString& number : QStringList{"5", "6"}) {
        QProcess vemo;
        vemo.start(qEnvironmentVariable("VEMO_EXECUTABLE"),
                   {"--pdf", "out.pdf", "--order", number});
        QVERIFY(vemo.waitForFinished(60000));
        QCOMPARE(vemo.exitCode(), 1);
        QVERIFY(QString::fromLocal8Bit(vemo.readAllStandardError()).contains("vemo." + number));
        QVERIFY(!QFileInfo::exists("out.pdf"));
    }
}

QTEST_MAIN(TestTransfer)
#include "tst_transfer.moc"
