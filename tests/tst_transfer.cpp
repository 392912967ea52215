// Putting an order on the form: from a row, from the archive's draw button, and from --order.
#include <QProcess>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "RecordingCanvas.h"
#include "TestEnvironment.h"
#include "TestFolder.h"
#include "TestPdf.h"
#include "bank/BudgetPayment.h"
#include "bank/OrderTransfer.h"
#include "common/Cp1251.h"
#include "form/CFormLayout.h"
#include "form/CVemoDoc.h"
#include "orders/OrderFiles.h"
#include "orderwindows/COrderArchiveDlg.h"
#include "requisites/RequisitesFile.h"
#include "widgets/MessageBoxes.h"

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

// A party whose bank details pass the bank's checks, so that drawing says nothing about them.
CRequisite SoundParty(const QString& name, const QString& tag) {
    CRequisite party = Party(name, tag);
    party.m_strInnKpp = "7707083893/773601001";
    party.m_strBik = "044525225";
    party.m_strAccount1 = "40702810938000012345";
    party.m_strAccount2 = "30101810400000000225";
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

// Every text the page shows, both copies.
QStringList PageTexts(const CVemoDoc& doc) {
    RecordingCanvas canvas;
    CFormLayout layout;
    layout.OnDraw(canvas, doc);
    QStringList texts;
    for (const RecordingCanvas::Step& step : canvas.steps) {
        if (step.kind == RecordingCanvas::Kind::Text) {
            texts << step.text;
        }
    }
    return texts;
}

}  // namespace

class TestTransfer : public QObject {
    Q_OBJECT
public:
    // Run by hand, the program still needs no display.
    static void initMain() { UseOffscreenPlatformUnlessSet(); }

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void fieldsGoToTheirPlaces();
    void payerWithoutKppPaysTheBudgetWithZero_data();
    void payerWithoutKppPaysTheBudgetWithZero();
    void wordsAreThoseOfTheStrictAmount_data();
    void wordsAreThoseOfTheStrictAmount();
    void firstRecordOfANameWins();
    void missingPartyAfterAFoundOneGetsPlaceholders_data();
    void missingPartyAfterAFoundOneGetsPlaceholders();
    void screenShowsAndPaperRefusesWhatIsNotWhole_data();
    void screenShowsAndPaperRefusesWhatIsNotWhole();

private:
    std::unique_ptr<TestFolder> m_folder;
    MessageBoxes::Log m_log;
};

void TestTransfer::initTestCase() {
    MessageBoxes::SetTestLog(&m_log);
}

void TestTransfer::init() {
    m_log = MessageBoxes::Log();
    m_folder.reset();
    m_folder = std::make_unique<TestFolder>(TestFolder::Files{{"Vemo/", {}}});
    QVERIFY(m_folder->isValid());
}

void TestTransfer::cleanup() {
    m_folder.reset();
}

void TestTransfer::fieldsGoToTheirPlaces() {
    CVemoDoc doc;
    const CRequisite payer = Party("Payer", "P");
    const CRequisite recipient = Party("Recipient", "R");
    OrderRow order = Order("Payer", "Recipient");
    const QStringList budget{"01", "104", "105", "106", "107", "108", "109", "110", "22", "1"};
    for (int column = kOrderColumnCount; column < kOrderFieldCount; ++column) {
        order[column] = budget.at(column - kOrderColumnCount);
    }
    OrderTransfer::TransferOrder(order, {payer}, {recipient}, doc);
    QCOMPARE((QStringList{doc.m_strStatus, doc.m_strKbk, doc.m_strOktmo, doc.m_strTaxBasis,
                          doc.m_strTaxPeriod, doc.m_strTaxDocNumber, doc.m_strTaxDocDate,
                          doc.m_strTaxType, doc.m_strUin, doc.m_strIncomeType}),
             budget);
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

// Field 102 of a payment to the budget is "0" where the payer has no KPP: the form's cells take
// the record's ИНН/КПП split, so the document's payer carries it.
void TestTransfer::payerWithoutKppPaysTheBudgetWithZero_data() {
    QTest::addColumn<QString>("innKpp");
    QTest::addColumn<bool>("singleTax");
    QTest::addColumn<QString>("kpp");  // on the form
    QTest::newRow("sole proprietor's ЕНП") << "631234567890" << true << "0";
    QTest::newRow("sole proprietor's ЕНП, a slash after the INN") << "631234567890/" << true << "0";
    QTest::newRow("sole proprietor's ordinary payment") << "631234567890" << false << "";
    QTest::newRow("company's ЕНП") << "7707083893 773601001" << true << "773601001";
}

void TestTransfer::payerWithoutKppPaysTheBudgetWithZero() {
    QFETCH(QString, innKpp);
    QFETCH(bool, singleTax);
    QFETCH(QString, kpp);
    CRequisite payer = SoundParty("ИП Ёлкин", "P");
    payer.m_strInnKpp = innKpp;
    OrderRow order = Order(payer.m_strName, "Recipient");
    if (singleTax) {
        BudgetPayment::FillSingleTaxPayment(&order);
    }
    CVemoDoc doc;
    OrderTransfer::TransferOrder(order, {payer}, {Party("Recipient", "R")}, doc);
    const InnKpp shown = SplitInnKpp(doc.m_payer.m_strInnKpp);
    QCOMPARE(shown.inn, SplitInnKpp(innKpp).inn);
    QCOMPARE(shown.kpp, kpp);
}

void TestTransfer::wordsAreThoseOfTheStrictAmount_data() {
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("words");
    const QString words = QStringLiteral("Одна тысяча двести тридцать четыре руб. 56 коп.");
    QTest::newRow("point") << "1234.56" << words;
    QTest::newRow("comma") << "1234,56" << words;
    QTest::newRow("blanks between digits") << "1 234,56" << words;
    QTest::newRow("dash of the paper form") << "1234-56" << words;
    QTest::newRow("one kopeck digit") << "12,5" << QStringLiteral("Двенадцать руб. 50 коп.");
    // Stored before amounts were checked: no words, rather than those of another amount.
    QTest::newRow("not a number") << QStringLiteral("сто") << QString();
    QTest::newRow("comma groups, point kopecks") << "1,234.56" << QString();
    QTest::newRow("negative") << "-5" << QString();
    QTest::newRow("zero") << "0" << QString();
    QTest::newRow("number, then text") << "12abc" << QString();
}

void TestTransfer::wordsAreThoseOfTheStrictAmount() {
    QFETCH(QString, amount);
    QFETCH(QString, words);
    OrderRow row = Order("P", "R");
    row[kColumnAmount] = amount;
    CVemoDoc doc;
    const QStringList reasons =
        OrderTransfer::TransferOrder(row, {Party("P", "P")}, {Party("R", "R")}, doc);
    QCOMPARE(doc.m_strAmountInWords, words);
    QCOMPARE(doc.m_strAmount, amount);  // the figures stay as typed
    // Without words the form is not whole.
    QCOMPARE(reasons, words.isEmpty()
                          ? QStringList{"сумма «" + amount + "» не является суммой платежа"}
                          : QStringList{});
}

void TestTransfer::firstRecordOfANameWins() {
    CVemoDoc doc;
    const CRequisiteArray payers{Party("Other", "O"), Party("Alfa", "first"),
                                 Party("Alfa", "second")};
    OrderTransfer::TransferOrder(Order("Alfa", "R"), payers, {}, doc);
    QCOMPARE(doc.m_payer, payers.at(1));
}

void TestTransfer::missingPartyAfterAFoundOneGetsPlaceholders_data() {
    QTest::addColumn<QString>("payerName");
    QTest::addColumn<QString>("recipientName");
    QTest::newRow("payer") << "Renamed payer"
                           << "Recipient";
    QTest::newRow("recipient") << "Payer"
                               << "Renamed recipient";
    QTest::newRow("both") << "Renamed payer"
                          << "Renamed recipient";
    // A name is found only exactly as it stands.
    QTest::newRow("letter case") << "payer"
                                 << "Recipient";
    QTest::newRow("trailing blank") << "Payer "
                                    << "Recipient";
    QTest::newRow("prefix") << "Paye"
                            << "Recipient";
}

void TestTransfer::missingPartyAfterAFoundOneGetsPlaceholders() {
    QFETCH(QString, payerName);
    QFETCH(QString, recipientName);
    const CRequisite payer = Party("Payer", "P");
    const CRequisite recipient = Party("Recipient", "R");
    CVemoDoc doc;
    QVERIFY(OrderTransfer::TransferOrder(Order("Payer", "Recipient"), {payer}, {recipient}, doc)
                .isEmpty());

    const bool payerMissing = payerName != payer.m_strName;
    const bool recipientMissing = recipientName != recipient.m_strName;
    const QStringList missing =
        OrderTransfer::TransferOrder(Order(payerName, recipientName), {payer}, {recipient}, doc);

    // On the document: the order's names, and placeholders for what was not found.
    QCOMPARE(doc.m_payer.m_strName, payerName);
    QCOMPARE(doc.m_recipient.m_strName, recipientName);
    QCOMPARE(Details(doc.m_payer),
             payerMissing ? Details(CVemoDoc::PayerPlaceholders()) : Details(payer));
    QCOMPARE(Details(doc.m_recipient),
             recipientMissing ? Details(CVemoDoc::RecipientPlaceholders()) : Details(recipient));
    QStringList expected;
    if (payerMissing) {
        expected << "плательщик «" + payerName + "» не найден в pltRecv.dat";
    }
    if (recipientMissing) {
        expected << "получатель «" + recipientName + "» не найден в polRecv.dat";
    }
    QCOMPARE(missing, expected);

    // On the page: nothing of a missing party's earlier details is drawn anywhere. (The bank's
    // placeholder is a caption of the form as well, hence "at least".)
    const QStringList page = PageTexts(doc);
    const auto drawnTwice = [&page](const QStringList& texts) {
        for (const QString& text : texts) {
            if (page.count(text) < 2) {
                return false;
            }
        }
        return true;
    };
    for (const QString& detail : Details(payer)) {
        QCOMPARE(page.contains(detail), !payerMissing);
    }
    for (const QString& detail : Details(recipient)) {
        QCOMPARE(page.contains(detail), !recipientMissing);
    }
    QVERIFY(drawnTwice(Details(doc.m_payer)));
    QVERIFY(drawnTwice(Details(doc.m_recipient)));
    QVERIFY(drawnTwice({payerName, recipientName}));
}

void TestTransfer::screenShowsAndPaperRefusesWhatIsNotWhole_data() {
    QTest::addColumn<bool>("onPaper");  // vemo --pdf out.pdf --order 5, else the draw button
    QTest::addColumn<QString>("amount");
    QTest::addColumn<bool>("recipientInBook");
    QTest::addColumn<QString>("told");  // the notice after drawing, or the refusal on paper
    const QString noRecipient = QStringLiteral("олучатель «Recipient» не найден в polRecv.dat");
    QTest::newRow("screen, whole") << false << "1234.56" << true << QString();
    QTest::newRow("screen, recipient not in its book")
        << false << "1234.56" << false << QStringLiteral("П") + noRecipient;
    QTest::newRow("screen, amount without words")
        << false << "1,234.56" << true
        << QStringLiteral("Сумма «1,234.56» не является суммой платежа");
    QTest::newRow("paper, whole") << true << "1234.56" << true << QString();
    QTest::newRow("paper, recipient not in its book")
        << true << "1234.56" << false << QStringLiteral("Платежка 7: п") + noRecipient;
    QTest::newRow("paper, amount without words")
        << true << "1.234,56" << true
        << QStringLiteral("Платежка 7: сумма «1.234,56» не является суммой платежа");
}

// The archive's draw button shows the order on the screen whatever is missing, and says what it
// is; paper never carries a placeholder: the command line refuses, writing nothing. Both only read
// the data files.
void TestTransfer::screenShowsAndPaperRefusesWhatIsNotWhole() {
    QFETCH(bool, onPaper);
    QFETCH(QString, amount);
    QFETCH(bool, recipientInBook);
    QFETCH(QString, told);
    OrderRow stored = Order("Payer", "Recipient");
    stored[kColumnAmount] = amount;
    QVERIFY(OrderFiles::SaveOrder(5, stored));
    const CRequisite payer = SoundParty("Payer", "PayerTag");
    WriteBytes("pltRecv.dat", LfFile({payer}));  // any rewrite would end its lines with CRLF
    if (recipientInBook) {
        CRequisite recipient = SoundParty("Recipient", "R");
        std::swap(recipient.m_strAccount1, recipient.m_strAccount2);  // its bank's account first
        WriteBytes("polRecv.dat", LfFile({recipient}));
    }
    const QStringList files = QDir().entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    const QByteArray payers = ReadBytes("pltRecv.dat");
    if (onPaper) {
        QProcess vemo;
        vemo.start(VemoExecutable(), {"--pdf", "out.pdf", "--order", "5"});
        QVERIFY(vemo.waitForFinished(60000));
        // What the program says, without what the toolkit says of its surroundings.
        const QString err = QString::fromLocal8Bit(vemo.readAllStandardError())
                                .remove(QRegularExpression("QStandardPaths: [^\n]*\n"));
        QCOMPARE(vemo.exitCode(), told.isEmpty() ? 0 : 1);
        QVERIFY2(told.isEmpty() ? err.isEmpty() : err.contains(told), qPrintable(err));
        if (told.isEmpty() && HavePdfTools()) {
            // The current edition, one copy a page, with nothing chosen in the editor.
            const QString page = PdfText("out.pdf");
            for (const QString& shown : {payer.m_strBank, QStringLiteral("Recipient"),
                                         QStringLiteral("Одна тысяча двести тридцать четыре "
                                                        "рубля 56 копеек")}) {
                QVERIFY2(page.count(shown) == 1, qPrintable(shown));
            }
        }
        QCOMPARE(QFile::remove("out.pdf"), told.isEmpty());
    } else {
        CVemoDoc doc;
        COrderArchiveDlg archive(doc, WorkingFolder());
        archive.SelectRow(0);
        archive.show();
        for (QPushButton* button : archive.findChildren<QPushButton*>()) {
            if (button->isDefault()) {  // "Нарисовать платежное поручение"
                QTest::mouseClick(button, Qt::LeftButton);
            }
        }
        QCOMPARE(archive.result(), int(QDialog::Accepted));
        QVERIFY(m_log.entries.isEmpty());
        QCOMPARE(archive.DrawingNotices(), told.isEmpty() ? QStringList{} : QStringList{told});
        QCOMPARE(doc.m_payer, payer);
        QCOMPARE(doc.m_strAmount, amount);  // as stored, with words only for an amount
        QCOMPARE(PageTexts(doc).join('|').contains(QStringLiteral("руб.")), amount == "1234.56");
        QCOMPARE(doc.m_recipient.m_strBank,
                 recipientInBook ? QStringLiteral("R банк") : QStringLiteral("Банк получателя"));
    }
    QCOMPARE(QDir().entryList(QDir::NoDotAndDotDot | QDir::AllEntries), files);
    QCOMPARE(ReadBytes("pltRecv.dat"), payers);
}

QTEST_MAIN(TestTransfer)
#include "tst_transfer.moc"
