// The drawing sequence of the form, checked on a recording canvas.
#include <QtTest>

#include "FormCaptions.h"
#include "RecordingCanvas.h"
#include "form/CFormLayout.h"
#include "form/CVemoDoc.h"

using Kind = RecordingCanvas::Kind;
using Step = RecordingCanvas::Step;

namespace {

constexpr int kStepsPerCopy = 80;

QList<Step> DrawCopy(const CVemoDoc& doc, int offsetY) {
    RecordingCanvas canvas;
    CFormLayout layout;
    layout.m_nOffsetY = offsetY;
    layout.DrawForm(canvas, doc);
    return canvas.steps;
}

const Step* FindText(const QList<Step>& steps, const QString& text) {
    for (const Step& step : steps) {
        if (step.kind == Kind::Text && step.text == text) {
            return &step;
        }
    }
    return nullptr;
}

bool SameRect(const LogicalRect& a, const LogicalRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

class TestFormLayout : public QObject {
    Q_OBJECT
private slots:
    void formRectMovesOnlyY();
    void oneCopyHasEightySteps();
    void fontsAndTheBox();
    void pageHasTwoIdenticalCopiesAndTheCutLine();
    void valuesStandInTheirPlaces_data();
    void valuesStandInTheirPlaces();
    void textsKeepTheirRectanglesInsideTheForm();
    void valuesAreDrawnVerbatim();
};

void TestFormLayout::formRectMovesOnlyY() {
    CFormLayout layout;
    layout.m_nOffsetY = -13000;
    LogicalRect rect;
    layout.FormRect(rect, 500.9, -1700.0, 18700.0, -3000.7);
    QCOMPARE(rect.left, 500);  // truncated toward zero
    QCOMPARE(rect.right, 18700);
    QCOMPARE(rect.top, -14700);
    QCOMPARE(rect.bottom, -16000);
}

void TestFormLayout::oneCopyHasEightySteps() {
    CVemoDoc doc;
    const QList<Step> steps = DrawCopy(doc, 0);
    QCOMPARE(steps.size(), kStepsPerCopy);

    int texts = 0;
    int rules = 0;
    int boxes = 0;
    int fonts = 0;
    for (const Step& step : steps) {
        texts += step.kind == Kind::Text;
        rules += step.kind == Kind::Rule;
        boxes += step.kind == Kind::Box;
        fonts += step.kind == Kind::SelectFont;
    }
    QCOMPARE(texts, 53);  // 32 captions and 21 values
    QCOMPARE(rules, 22);
    QCOMPARE(boxes, 1);
    QCOMPARE(fonts, 4);
}

void TestFormLayout::fontsAndTheBox() {
    CVemoDoc doc;
    RecordingCanvas canvas;
    CFormLayout layout;
    layout.m_nOffsetY = 0;
    layout.DrawForm(canvas, doc);
    const QList<Step>& steps = canvas.steps;

    // Steps are numbered from 1 as the form's table numbers them.
    auto step = [&](int number) { return steps.at(number - 1); };
    QCOMPARE(step(1).kind, Kind::SelectFont);
    QCOMPARE(step(1).font, FormFont::Text);
    QCOMPARE(step(3).font, FormFont::Title);
    QCOMPARE(step(4).text, QStringLiteral("ПЛАТЕЖНОЕ ПОРУЧЕНИЕ №"));
    QCOMPARE(step(5).text, doc.m_strNumber);
    QCOMPARE(step(6).kind, Kind::Box);
    QVERIFY(SameRect(step(6).rect, LogicalRect{16800, -2300, 18700, -2800}));
    QCOMPARE(step(7).font, FormFont::Text);
    QCOMPARE(step(10).text, QStringLiteral("401060"));
    QCOMPARE(step(80).kind, Kind::SelectFont);
    QCOMPARE(step(80).font, FormFont::Default);
    QCOMPARE(canvas.CurrentFont(), FormFont::Default);  // what was selected before the form

    for (int i = 0; i < steps.size(); ++i) {
        if (steps.at(i).kind == Kind::Text) {
            const bool title = i + 1 == 4 || i + 1 == 5;
            QCOMPARE(steps.at(i).font, title ? FormFont::Title : FormFont::Text);
        }
    }
}

void TestFormLayout::pageHasTwoIdenticalCopiesAndTheCutLine() {
    CVemoDoc doc;
    RecordingCanvas canvas;
    CFormLayout layout;
    layout.OnDraw(canvas, doc);
    const QList<Step>& steps = canvas.steps;
    QCOMPARE(steps.size(), 2 * kStepsPerCopy + 1);
    QCOMPARE(layout.m_nOffsetY, -13000);

    const Step& cut = steps.at(kStepsPerCopy);
    QCOMPARE(cut.kind, Kind::Rule);
    QVERIFY(SameRect(cut.rect, LogicalRect{500, -13800, 18700, -13800}));

    for (int i = 0; i < kStepsPerCopy; ++i) {
        const Step& first = steps.at(i);
        const Step& second = steps.at(kStepsPerCopy + 1 + i);
        QCOMPARE(second.kind, first.kind);
        QCOMPARE(second.text, first.text);
        QCOMPARE(second.format, first.format);
        QCOMPARE(second.font, first.font);
        if (first.kind == Kind::SelectFont) {
            continue;
        }
        QCOMPARE(second.rect.left, first.rect.left);
        QCOMPARE(second.rect.right, first.rect.right);
        QCOMPARE(second.rect.top, first.rect.top - 14000);
        QCOMPARE(second.rect.bottom, first.rect.bottom - 14000);
    }
    // The first copy's top rule and the second copy's lowest rule, on the page.
    QCOMPARE(steps.at(7).rect.top, -650);
    QCOMPARE(steps.at(2 * kStepsPerCopy - 1).rect.top, -27500);
}

void TestFormLayout::valuesStandInTheirPlaces_data() {
    QTest::addColumn<QString>("member");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<int>("format");

    QTest::newRow("number") << "m_strNumber" << 6500 << -2300 << 18700 << -4000 << 0;
    QTest::newRow("date") << "m_strDate" << 500 << -2350 << 18700 << -4000 << 5;
    QTest::newRow("type") << "m_strPaymentType" << 12000 << -2350 << 16000 << -4000 << 1;
    QTest::newRow("words") << "m_strAmountInWords" << 3300 << -3400 << 18700 << -4000 << 0;
    QTest::newRow("amount") << "m_strAmount" << 14300 << -4000 << 18700 << -5000 << 0;
    QTest::newRow("kind") << "m_strPaymentKind" << 14000 << -8200 << 14500 << -9000 << 1;
    QTest::newRow("term") << "m_strPaymentTerm" << 16350 << -8200 << 18700 << -9000 << 0;
    QTest::newRow("priority") << "m_strPriority" << 16350 << -8800 << 18700 << -19000 << 0;
    QTest::newRow("basis") << "m_strBasis" << 500 << -10800 << 18700 << -12000 << 16;
    QTest::newRow("payer name") << "payer.m_strName" << 3000 << -4600 << 12000 << -6000 << 0;
    QTest::newRow("payer inn") << "payer.m_strInnKpp" << 2500 << -4000 << 10000 << -5000 << 0;
    QTest::newRow("payer bank") << "payer.m_strBank" << 500 << -5200 << 12000 << -7000 << 0;
    QTest::newRow("payer bik") << "payer.m_strBik" << 14300 << -5200 << 18700 << -7000 << 0;
    QTest::newRow("payer acc1") << "payer.m_strAccount1" << 14300 << -4600 << 18700 << -6000 << 0;
    QTest::newRow("payer acc2") << "payer.m_strAccount2" << 14300 << -5800 << 18700 << -7000 << 0;
    QTest::newRow("recip name") << "recipient.m_strName" << 500 << -8300 << 12000 << -19000 << 16;
    QTest::newRow("recip inn") << "recipient.m_strInnKpp" << 2500 << -7600 << 12000 << -9000 << 0;
    QTest::newRow("recip bank") << "recipient.m_strBank" << 500 << -6400 << 12000 << -9000 << 0;
    QTest::newRow("recip bik") << "recipient.m_strBik" << 14300 << -6400 << 18700 << -9000 << 0;
    QTest::newRow("recip acc1") << "recipient.m_strAccount1" << 14300 << -7000 << 18700 << -9000
                                << 0;
    QTest::newRow("recip acc2") << "recipient.m_strAccount2" << 14300 << -7600 << 18700 << -9000
                                << 0;
}

void TestFormLayout::valuesStandInTheirPlaces() {
    QFETCH(QString, member);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, right);
    QFETCH(int, bottom);
    QFETCH(int, format);

    // Give every field a text of its own, so that a value drawn in another's place shows.
    CVemoDoc doc;
    QMap<QString, QString*> fields{
        {"m_strNumber", &doc.m_strNumber},
        {"m_strDate", &doc.m_strDate},
        {"m_strPaymentType", &doc.m_strPaymentType},
        {"m_strAmountInWords", &doc.m_strAmountInWords},
        {"m_strAmount", &doc.m_strAmount},
        {"m_strPaymentKind", &doc.m_strPaymentKind},
        {"m_strPaymentTerm", &doc.m_strPaymentTerm},
        {"m_strPriority", &doc.m_strPriority},
        {"m_strBasis", &doc.m_strBasis},
    };
    for (CRequisite* party : {&doc.m_payer, &doc.m_recipient}) {
        const QString prefix = party == &doc.m_payer ? "payer." : "recipient.";
        fields.insert(prefix + "m_strName", &party->m_strName);
        fields.insert(prefix + "m_strBank", &party->m_strBank);
        fields.insert(prefix + "m_strInnKpp", &party->m_strInnKpp);
        fields.insert(prefix + "m_strBik", &party->m_strBik);
        fields.insert(prefix + "m_strAccount1", &party->m_strAccount1);
        fields.insert(prefix + "m_strAccount2", &party->m_strAccount2);
    }
    QCOMPARE(fields.size(), 21);
    // Tags short enough for the narrowest place, the kind of payment's two characters.
    QMap<QString, QString> tags;
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        const QString tag = QStringLiteral("*") + QChar(char16_t(u'A' + tags.size()));
        tags.insert(it.key(), tag);
        *it.value() = tag;
    }

    const QList<Step> steps = DrawCopy(doc, 0);
    const Step* step = FindText(steps, tags.value(member));
    QVERIFY2(step, qPrintable(member));
    QVERIFY(SameRect(step->rect, LogicalRect{left, top, right, bottom}));
    QCOMPARE(step->format, format);
    QCOMPARE(step->font, member == "m_strNumber" ? FormFont::Title : FormFont::Text);
}

void TestFormLayout::textsKeepTheirRectanglesInsideTheForm() {
    CVemoDoc doc;
    for (const Step& step : DrawCopy(doc, 0)) {
        if (step.kind == Kind::SelectFont) {
            continue;
        }
        QVERIFY(step.rect.left >= 500 && step.rect.right <= 18700);
        if (step.kind == Kind::Text || step.kind == Kind::Box) {
            QVERIFY2(step.rect.top > step.rect.bottom, qPrintable(step.text));
            QVERIFY(step.rect.left < step.rect.right);
        }
    }
    for (const QString& caption : FormCaptions()) {
        QVERIFY2(FindText(DrawCopy(doc, 0), caption), qPrintable(caption));
    }
}

void TestFormLayout::valuesAreDrawnVerbatim() {
    CVemoDoc doc;
    doc.m_payer.m_strName = QStringLiteral("Рога & Копыта");
    doc.m_strNumber.clear();
    const QList<Step> steps = DrawCopy(doc, 0);
    QVERIFY(FindText(steps, QStringLiteral("Рога & Копыта")));
    // An empty value is still a step: nothing is left out of the sequence.
    QCOMPARE(steps.size(), kStepsPerCopy);
    QCOMPARE(steps.at(4).text, QString());
}

QTEST_GUILESS_MAIN(TestFormLayout)
#include "tst_formlayout.moc"
