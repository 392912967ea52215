// The drawing sequence of the form, checked on a recording canvas: step by step against the
// checked-in recordings under golden/, and by the properties every page must have.
#include <QtTest>

#include <algorithm>

#include "FormDocuments.h"
#include "GoldenFile.h"
#include "RecordingCanvas.h"
#include "form/CFormLayout.h"
#include "form/CVemoDoc.h"

using Kind = RecordingCanvas::Kind;
using Step = RecordingCanvas::Step;

namespace {

QList<Step> DrawCopy(const CVemoDoc& doc, int offsetY) {
    RecordingCanvas canvas;
    CFormLayout layout;
    layout.m_nOffsetY = offsetY;
    layout.DrawForm(canvas, doc);
    return canvas.steps;
}

int IndexOfText(const QList<Step>& steps, const QString& text) {
    for (int i = 0; i < steps.size(); ++i) {
        if (steps.at(i).kind == Kind::Text && steps.at(i).text == text) {
            return i;
        }
    }
    return -1;
}

int CountTexts(const QList<Step>& steps, const QString& text) {
    return int(std::count_if(steps.begin(), steps.end(), [&text](const Step& step) {
        return step.kind == Kind::Text && step.text == text;
    }));
}

bool Inside(const LogicalRect& inner, const LogicalRect& outer) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top <= outer.top &&
           inner.bottom >= outer.bottom;
}

// The extent of the rules of a recording: the form has no frame, its rules bound it.
LogicalRect RulesExtent(const QList<Step>& steps) {
    LogicalRect extent{INT_MAX, INT_MIN, INT_MIN, INT_MAX};
    for (const Step& step : steps) {
        if (step.kind != Kind::Rule) {
            continue;
        }
        extent.left = qMin(extent.left, qMin(step.rect.left, step.rect.right));
        extent.right = qMax(extent.right, qMax(step.rect.left, step.rect.right));
        extent.top = qMax(extent.top, qMax(step.rect.top, step.rect.bottom));
        extent.bottom = qMin(extent.bottom, qMin(step.rect.top, step.rect.bottom));
    }
    return extent;
}

QStringList GoldenHeader(const QString& what) {
    return {what, "One drawing step per line, in order: both copies of the form and the cut line.",
            "Units 0.01 mm, x to the right, y up from the top-left corner of the page.",
            "text \"…\" (left,top)-(right,bottom) format; line (x1,y1)-(x2,y2); box (left,top)-"
            "(right,bottom); font: the one selected from there on."};
}

}  // namespace

class TestFormLayout : public QObject {
    Q_OBJECT
private slots:
    void formRectMovesOnlyY();
    void pageMatchesItsRecording_data();
    void pageMatchesItsRecording();
    void titleFontOnlyForTheTitleAndTheNumber();
    void fontBeforeTheFormIsRestored_data();
    void fontBeforeTheFormIsRestored();
    void boxCoversTheNumberButNotItsCode();
    void pageHasTwoIdenticalCopiesAndTheCutLine();
    void everyValueIsDrawnOnceInEachCopy();
    void textsKeepTheirRectanglesInsideTheForm();
    void captionsDoNotDependOnTheDocument();
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

void TestFormLayout::pageMatchesItsRecording_data() {
    QTest::addColumn<bool>("filled");
    QTest::addColumn<QString>("file");
    QTest::newRow("fresh document") << false << "form-fresh.txt";
    QTest::newRow("ordinary order") << true << "form-filled.txt";
}

// Every caption, value, rule and box, with its place, format and font, as the reviewed recording
// has them: moving any of them, even by 1 mm, shows here with the line that changed.
void TestFormLayout::pageMatchesItsRecording() {
    QFETCH(bool, filled);
    QFETCH(QString, file);
    CVemoDoc doc;
    if (filled) {
        FillOrdinaryOrder(doc);
    }
    RecordingCanvas canvas;
    CFormLayout layout;
    layout.OnDraw(canvas, doc);
    const QString what = filled ? "The page for an ordinary order."
                                : "The page for a fresh document: its placeholders in every place.";
    const QString differences = CompareWithGolden(canvas.Lines(), file, GoldenHeader(what));
    QVERIFY2(differences.isEmpty(), qPrintable(differences));
}

void TestFormLayout::titleFontOnlyForTheTitleAndTheNumber() {
    CVemoDoc doc;
    FillOrdinaryOrder(doc);
    const QList<Step> steps = DrawCopy(doc, 0);
    QStringList inTitleFont;
    for (const Step& step : steps) {
        if (step.kind == Kind::Text && step.font == FormFont::Title) {
            inTitleFont.append(step.text);
        }
        if (step.kind != Kind::SelectFont) {
            QVERIFY(step.font != FormFont::Default);  // the form chooses its font first
        }
    }
    QCOMPARE(inTitleFont.size(), 2);
    QVERIFY(inTitleFont.first().startsWith(QStringLiteral("ПЛАТЕЖНОЕ ПОРУЧЕНИЕ")));
    QCOMPARE(inTitleFont.last(), doc.m_strNumber);
}

void TestFormLayout::fontBeforeTheFormIsRestored_data() {
    QTest::addColumn<int>("before");
    QTest::newRow("surface's own font") << int(FormFont::Default);
    QTest::newRow("a font chosen before") << int(FormFont::Title);
}

void TestFormLayout::fontBeforeTheFormIsRestored() {
    QFETCH(int, before);
    CVemoDoc doc;
    RecordingCanvas canvas;
    canvas.SelectFont(FormFont(before));
    CFormLayout layout;
    layout.DrawForm(canvas, doc);
    QCOMPARE(canvas.CurrentFont(), FormFont(before));
    QCOMPARE(canvas.steps.last().kind, Kind::SelectFont);
}

void TestFormLayout::boxCoversTheNumberButNotItsCode() {
    CVemoDoc doc;
    const QList<Step> steps = DrawCopy(doc, 0);
    const auto box = std::find_if(steps.begin(), steps.end(),
                                  [](const Step& step) { return step.kind == Kind::Box; });
    QVERIFY(box != steps.end());
    QCOMPARE(std::count_if(steps.begin(), steps.end(),
                           [](const Step& step) { return step.kind == Kind::Box; }),
             1);
    const int boxIndex = int(box - steps.begin());
    const int number = IndexOfText(steps, doc.m_strNumber);
    const int code = IndexOfText(steps, QStringLiteral("401060"));
    QVERIFY(number >= 0 && code >= 0);
    // Its white fill covers the end of a long number, and its code is drawn on it.
    QVERIFY(number < boxIndex && boxIndex < code);
    QVERIFY(steps.at(number).rect.right > box->rect.left);
    QVERIFY(Inside(steps.at(code).rect,
                   LogicalRect{box->rect.left, box->rect.top, box->rect.right, INT_MIN}));
}

void TestFormLayout::pageHasTwoIdenticalCopiesAndTheCutLine() {
    CVemoDoc doc;
    RecordingCanvas canvas;
    CFormLayout layout;
    layout.OnDraw(canvas, doc);
    const QList<Step>& steps = canvas.steps;
    const int perCopy = int(DrawCopy(doc, 0).size());
    QCOMPARE(steps.size(), 2 * perCopy + 1);
    QCOMPARE(layout.m_nOffsetY, CFormLayout::kSecondCopyOffsetY);

    const int distance = CFormLayout::kFirstCopyOffsetY - CFormLayout::kSecondCopyOffsetY;
    for (int i = 0; i < perCopy; ++i) {
        const Step& first = steps.at(i);
        const Step& second = steps.at(perCopy + 1 + i);
        QCOMPARE(second.kind, first.kind);
        QCOMPARE(second.text, first.text);
        QCOMPARE(second.format, first.format);
        QCOMPARE(second.font, first.font);
        if (first.kind == Kind::SelectFont) {
            continue;
        }
        QCOMPARE(second.rect.left, first.rect.left);
        QCOMPARE(second.rect.right, first.rect.right);
        QCOMPARE(second.rect.top, first.rect.top - distance);
        QCOMPARE(second.rect.bottom, first.rect.bottom - distance);
    }

    // The cut line: level, between the copies' rules, as wide as the form.
    const Step& cut = steps.at(perCopy);
    QCOMPARE(cut.kind, Kind::Rule);
    QCOMPARE(cut.rect.top, cut.rect.bottom);
    const LogicalRect first = RulesExtent(steps.mid(0, perCopy));
    const LogicalRect second = RulesExtent(steps.mid(perCopy + 1));
    QVERIFY(cut.rect.top < first.bottom && cut.rect.top > second.top);
    QCOMPARE(qMin(cut.rect.left, cut.rect.right), first.left);
    QCOMPARE(qMax(cut.rect.left, cut.rect.right), first.right);

    // The scrollable page holds the whole drawing.
    QVERIFY(first.top < 0 && first.left >= 0);
    QVERIFY(second.bottom >= -CFormLayout::kPageHeight);
    QVERIFY(first.right <= CFormLayout::kPageWidth);
}

void TestFormLayout::everyValueIsDrawnOnceInEachCopy() {
    CVemoDoc doc;
    FillOrdinaryOrder(doc);
    const QMap<QString, QString*> fields = DocumentFields(doc);
    QCOMPARE(fields.size(), 21);
    const QList<Step> steps = DrawCopy(doc, 0);
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        QVERIFY2(CountTexts(steps, *it.value()) == 1, qPrintable(it.key()));
    }
    const QList<Step> page = RecordPage(doc);
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        QVERIFY2(CountTexts(page, *it.value()) == 2, qPrintable(it.key()));
    }
}

void TestFormLayout::textsKeepTheirRectanglesInsideTheForm() {
    CVemoDoc doc;
    const QList<Step> steps = DrawCopy(doc, 0);
    const LogicalRect form = RulesExtent(steps);
    for (const Step& step : steps) {
        if (step.kind == Kind::SelectFont) {
            continue;
        }
        const QString line = RecordingCanvas::Describe(step);
        QVERIFY2(qMin(step.rect.left, step.rect.right) >= form.left, qPrintable(line));
        QVERIFY2(qMax(step.rect.left, step.rect.right) <= form.right, qPrintable(line));
        if (step.kind == Kind::Text || step.kind == Kind::Box) {
            QVERIFY2(step.rect.top > step.rect.bottom, qPrintable(line));
            QVERIFY2(step.rect.left < step.rect.right, qPrintable(line));
            QVERIFY2(step.rect.top <= form.top, qPrintable(line));  // nothing above the top rule
        }
    }
}

void TestFormLayout::captionsDoNotDependOnTheDocument() {
    const QStringList captions = FormCaptions();
    QVERIFY(captions.size() >= 20);
    QVERIFY(captions.contains(QStringLiteral("401060")));  // the form's code
    QVERIFY(captions.contains(QStringLiteral("Плательщик")));
    QVERIFY(captions.contains(QStringLiteral("Получатель")));

    CVemoDoc fresh;
    CVemoDoc filled;
    FillOrdinaryOrder(filled);
    for (const CVemoDoc* doc : {&fresh, &filled}) {
        const QList<Step> steps = DrawCopy(*doc, 0);
        for (const QString& caption : captions) {
            QVERIFY2(CountTexts(steps, caption) >= captions.count(caption), qPrintable(caption));
        }
    }
}

void TestFormLayout::valuesAreDrawnVerbatim() {
    CVemoDoc doc;
    const int numberStep = IndexOfText(DrawCopy(doc, 0), doc.m_strNumber);
    QVERIFY(numberStep >= 0);
    doc.m_payer.m_strName = QStringLiteral("Рога & Копыта");
    doc.m_strNumber.clear();
    const QList<Step> steps = DrawCopy(doc, 0);
    QVERIFY(IndexOfText(steps, QStringLiteral("Рога & Копыта")) >= 0);
    // An empty value is still a step: nothing is left out of the sequence.
    CVemoDoc fresh;
    QCOMPARE(steps.size(), DrawCopy(fresh, 0).size());
    QCOMPARE(steps.at(numberStep).kind, Kind::Text);
    QCOMPARE(steps.at(numberStep).text, QString());
}

QTEST_GUILESS_MAIN(TestFormLayout)
#include "tst_formlayout.moc"
