// The drawing sequence of the form, checked on a recording canvas: step by step against the
// checked-in recordings under golden/, and by the properties every page must have.
#include <QtTest>

#include <algorithm>

#include "FormDocuments.h"
#include "GoldenFile.h"
#include "RecordingCanvas.h"
#include "form/CFormLayout.h"
#include "form/CVemoDoc.h"
#include "form/FormPlaces.h"
#include "form/TextFit.h"

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

QStringList GoldenHeader(const QString& what, bool twoCopies) {
    return {what,
            twoCopies ? "One drawing step per line, in order: both copies of the form and the cut "
                        "line."
                      : "One drawing step per line, in order: the one copy of the form.",
            "Units 0.01 mm, x to the right, y up from the top-left corner of the page.",
            "text \"…\" (left,top)-(right,bottom) format; line (x1,y1)-(x2,y2); box (left,top)-"
            "(right,bottom); font: the one selected from there on."};
}

// Where a text step puts ink at most: its lines' cells, each character as wide as the font's.
struct Extent {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    QString text;
};

bool Overlap(const Extent& a, const Extent& b) {
    return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

QStringList LinesOf(const Step& step) {
    if (step.kind == Kind::Lines) {
        return step.lines;
    }
    if (step.format & DT_WORDBREAK) {
        const int charWidth = FormPlaces::CharWidth(step.font);
        return TextFit::BreakLines(step.text, (step.rect.right - step.rect.left) / charWidth);
    }
    return step.text.isEmpty() ? QStringList() : QStringList{step.text};
}

Extent ExtentOf(const Step& step) {
    const QStringList lines = LinesOf(step);
    qsizetype longest = 0;
    for (const QString& line : lines) {
        longest = qMax(longest, line.size());
    }
    const double width = longest * FormPlaces::CharWidth(step.font) * step.widthScale;
    Extent extent;
    extent.text = step.text;
    extent.top = step.rect.top;
    extent.bottom = step.rect.top - lines.size() * FormPlaces::kCellHeight;
    extent.left = step.rect.left;
    if ((step.format & DT_CENTER) && !(step.format & DT_WORDBREAK)) {
        extent.left = (step.rect.left + step.rect.right - width) / 2;
    } else if (step.format & DT_RIGHT) {
        extent.left = step.rect.right - width;
    }
    extent.right = extent.left + width;
    return extent;
}

// Where the text steps fail to show whole or run into each other or into a rule, in words.
// The captions of the date and the type hang into the amount's band by design; whether the
// amount in words keeps clear of their ink is checked on a rendered page.
QStringList Collisions(const QList<Step>& steps, const QString& amountInWords) {
    QStringList found;
    QList<Extent> texts;
    QList<Extent> rules;
    for (const Step& step : steps) {
        if (step.kind == Kind::Rule || step.kind == Kind::Box) {
            const LogicalRect& r = step.rect;
            if (step.kind == Kind::Rule) {
                rules.append(Extent{double(qMin(r.left, r.right)), double(qMax(r.top, r.bottom)),
                                    double(qMax(r.left, r.right)), double(qMin(r.top, r.bottom)),
                                    "rule"});
            } else {
                rules.append(
                    Extent{double(r.left), double(r.top), double(r.left), double(r.bottom), "box"});
                rules.append(Extent{double(r.left), double(r.bottom), double(r.right),
                                    double(r.bottom), "box"});
            }
            continue;
        }
        if (step.kind == Kind::SelectFont || LinesOf(step).isEmpty()) {
            continue;
        }
        const Extent extent = ExtentOf(step);
        // Nothing of it is clipped away.
        if (extent.left < step.rect.left - 0.5 || extent.right > step.rect.right + 0.5 ||
            extent.bottom < step.rect.bottom || extent.left < 500 || extent.right > 18700) {
            found << QStringLiteral("cut: %1").arg(step.text);
        }
        texts.append(extent);
    }
    const QStringList hanging{"дата", "вид платежа"};
    for (int i = 0; i < texts.size(); ++i) {
        for (int j = i + 1; j < texts.size(); ++j) {
            const bool byDesign = (hanging.contains(texts[i].text) &&
                                   texts[j].text.startsWith(amountInWords.left(10))) ||
                                  (hanging.contains(texts[j].text) &&
                                   texts[i].text.startsWith(amountInWords.left(10)));
            if (Overlap(texts[i], texts[j]) && !byDesign) {
                found << QStringLiteral("%1 over %2").arg(texts[i].text, texts[j].text);
            }
        }
        for (const Extent& rule : rules) {
            // A rule crosses a text when it passes through the inside of its extent.
            const bool across = rule.top == rule.bottom && rule.top < texts[i].top &&
                                rule.top > texts[i].bottom && rule.left < texts[i].right &&
                                rule.right > texts[i].left;
            const bool down = rule.left == rule.right && rule.left > texts[i].left &&
                              rule.left < texts[i].right && rule.bottom < texts[i].top &&
                              rule.top > texts[i].bottom;
            if (across || down) {
                found << QStringLiteral("%1 crosses %2").arg(rule.text, texts[i].text);
            }
        }
    }
    return found;
}

// Whether the drawn lines are the text, from its start, with only the blanks at line breaks
// left out; returns how many of the text's characters they show, or -1 when they are not.
int Reproduced(const QString& text, const QStringList& lines) {
    int pos = 0;
    for (int i = 0; i < lines.size(); ++i) {
        while (i > 0 && pos < text.size() && text.at(pos) == QLatin1Char(' ')) {
            ++pos;
        }
        if (text.mid(pos, lines.at(i).size()) != lines.at(i)) {
            return -1;
        }
        pos += int(lines.at(i).size());
    }
    return pos;
}

// The step that draws a value: the one whose lines begin with the value's start.
const Step* ValueStep(const QList<Step>& steps, const QString& value) {
    for (const Step& step : steps) {
        const QString text = step.lines.isEmpty() ? step.text : step.lines.join(' ');
        if ((step.kind == Kind::Text || step.kind == Kind::Lines) && !value.isEmpty() &&
            text.startsWith(value.left(12))) {
            return &step;
        }
    }
    return nullptr;
}

QString Words(int count, const QString& word) {
    QStringList words;
    for (int i = 0; i < count; ++i) {
        words << word;
    }
    return words.join(QLatin1Char(' '));
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
    void breakingKeepsEveryCharacter_data();
    void breakingKeepsEveryCharacter();
    void fittingPrefersMoreLinesToNarrowerLetters();
    void ordinaryValuesAreDrawnAsTheyStand();
    void longValuesAreDrawnWholeInTheirRooms_data();
    void longValuesAreDrawnWholeInTheirRooms();
    void whatCannotFitIsCountedNotDropped_data();
    void whatCannotFitIsCountedNotDropped();
    void placeholdersAreGreyAndOnlyThey_data();
    void placeholdersAreGreyAndOnlyThey();
    void longestUinIsAnotherFaceNotSqueezedLetters_data();
    void longestUinIsAnotherFaceNotSqueezedLetters();
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
    QTest::addColumn<FormEdition>("edition");
    QTest::addColumn<bool>("twoOnASheet");
    QTest::addColumn<bool>("filled");
    QTest::addColumn<QString>("file");
    QTest::newRow("fresh document")
        << FormEdition::Edition2001 << false << false << "form-fresh.txt";
    QTest::newRow("ordinary order")
        << FormEdition::Edition2001 << false << true << "form-filled.txt";
    QTest::newRow("current, fresh")
        << FormEdition::Current << false << false << "current-fresh.txt";
    QTest::newRow("current, tax payment")
        << FormEdition::Current << false << true << "current-filled.txt";
    QTest::newRow("current, tax payment, two on a sheet")
        << FormEdition::Current << true << true << "current-two-on-a-sheet.txt";
}

// Every caption, value, rule and box, with its place, format and font, as the reviewed recording
// has them: moving any of them, even by 1 mm, shows here with the line that changed.
void TestFormLayout::pageMatchesItsRecording() {
    QFETCH(FormEdition, edition);
    QFETCH(bool, twoOnASheet);
    QFETCH(bool, filled);
    QFETCH(QString, file);
    const bool current = edition == FormEdition::Current;
    CVemoDoc doc;
    if (filled) {
        current ? FillTaxPayment(doc) : FillOrdinaryOrder(doc);
    }
    RecordingCanvas canvas;
    CFormLayout layout(FormPaper(edition, twoOnASheet));
    layout.OnDraw(canvas, doc);
    const QString what =
        filled ? (current ? (twoOnASheet ? "The current edition's page for the single tax payment "
                                           "(ЕНП), two copies on a sheet."
                                         : "The current edition's page for the single tax "
                                           "payment (ЕНП), one copy at its full size.")
                          : "The page for an ordinary order.")
               : "The page for a fresh document: its placeholders in every place.";
    const QString differences = CompareWithGolden(
        canvas.Lines(), file, GoldenHeader(what, FormPaper(edition, twoOnASheet).TwoCopies()));
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

void TestFormLayout::breakingKeepsEveryCharacter_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("charsPerLine");
    QTest::addColumn<QString>("lines");  // joined by "|"

    QTest::newRow("fits") << "abc def" << 7 << "abc def";
    QTest::newRow("between words") << "abc def gh" << 7 << "abc def|gh";
    QTest::newRow("blank right after a full line") << "abcdefg hij" << 7 << "abcdefg|hij";
    QTest::newRow("run of blanks at the break") << "abc   defgh" << 5 << "abc|defgh";
    QTest::newRow("word longer than a line") << "abcdefghij kl" << 4 << "abcd|efgh|ij|kl";
    QTest::newRow("leading blanks kept") << "   7" << 4 << "   7";
    QTest::newRow("empty") << "" << 5 << "";
}

void TestFormLayout::breakingKeepsEveryCharacter() {
    QFETCH(QString, text);
    QFETCH(int, charsPerLine);
    QFETCH(QString, lines);
    const QStringList broken = TextFit::BreakLines(text, charsPerLine);
    QCOMPARE(broken.join('|'), lines);
    QCOMPARE(Reproduced(text, broken), text.size());
}

void TestFormLayout::fittingPrefersMoreLinesToNarrowerLetters() {
    const int charWidth = FormPlaces::kTextWidth;
    const QString text = Words(4, "abcd");  // 19 characters
    const int width = 15 * charWidth;

    // Room for two lines: broken, full width.
    TextFit::Result two = TextFit::Fit(text, width, 2, charWidth);
    QCOMPARE(two.lines.size(), 2);
    QCOMPARE(two.widthScale, 1.0);
    QVERIFY(two.whole);

    // One line: narrowed just enough for all of it.
    TextFit::Result one = TextFit::Fit(text, width, 1, charWidth);
    QCOMPARE(one.lines, QStringList{text});
    QVERIFY(one.widthScale < 1.0 && one.widthScale >= TextFit::kNarrowestScale);
    QVERIFY(text.size() * charWidth * one.widthScale <= width);
    QVERIFY(one.whole);

    // Too long even for the narrowest letters: the beginning, counted.
    const QString longer = Words(12, "abcd");
    TextFit::Result cut = TextFit::Fit(longer, width, 1, charWidth);
    QVERIFY(!cut.whole);
    QVERIFY(cut.widthScale >= TextFit::kNarrowestScale && cut.widthScale < 0.7);
    QVERIFY(cut.shownChars > 15 && cut.shownChars < longer.size());
    QCOMPARE(Reproduced(longer, cut.lines), cut.shownChars);
}

void TestFormLayout::ordinaryValuesAreDrawnAsTheyStand() {
    CVemoDoc doc;
    doc.m_payer.m_strName = QStringLiteral("ООО \"Ромашка\"");
    doc.m_payer.m_strBank = QStringLiteral("ПАО \"Северный банк\" г. Москва");
    doc.m_payer.m_strAccount1 = QStringLiteral("40702810900000012345");
    doc.m_recipient.m_strName =
        QStringLiteral("Общество с ограниченной ответственностью \"Альфа-Снаб\"");
    doc.m_strAmountInWords = QStringLiteral("Сорок восемь тысяч триста руб. 00 коп.");
    doc.m_strBasis = Words(30, QStringLiteral("оплата"));  // 209 characters, three lines
    const QList<Step> steps = DrawCopy(doc, 0);
    QCOMPARE(steps.size(), DrawCopy(CVemoDoc(), 0).size());  // the same steps, fitted
    for (const Step& step : steps) {
        QVERIFY2(step.kind != Kind::Lines, qPrintable(step.text));
    }
    QCOMPARE(Collisions(steps, doc.m_strAmountInWords), QStringList());
    // The placeholders of a fresh document too.
    QCOMPARE(Collisions(DrawCopy(CVemoDoc(), 0), QString()), QStringList());
}

void TestFormLayout::longValuesAreDrawnWholeInTheirRooms_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("value");

    const QString name70 =
        QStringLiteral("Общество с ограниченной ответственностью \"Северная торговая компания\"");
    const QString bank80 = QStringLiteral(
        "Публичное акционерное общество \"Межрегиональный коммерческий банк\" г. Москва");
    QTest::newRow("payer name, 70") << int(FormField::PayerName) << name70;
    QTest::newRow("payer bank, 80") << int(FormField::PayerBank) << bank80;
    QTest::newRow("recipient bank, 80") << int(FormField::RecipientBank) << bank80;
    QTest::newRow("recipient name, three lines")
        << int(FormField::RecipientName) << name70 + " " + name70;
    QTest::newRow("purpose, 210 in long words")
        << int(FormField::Basis) << Words(10, QStringLiteral("электротехническое")) + " 1234567";
    QTest::newRow("longest amount in words")
        << int(FormField::AmountInWords)
        << QStringLiteral(
               "Восемьсот восемьдесят восемь миллиардов восемьсот восемьдесят восемь "
               "миллионов восемьсот восемьдесят восемь тысяч восемьсот восемьдесят "
               "восемь руб. 88 коп.");
    QTest::newRow("INN/KPP, 60") << int(FormField::RecipientInnKpp) << QString(60, '7');
    QTest::newRow("priority, two lines") << int(FormField::Priority) << "очень срочно";
    QTest::newRow("kind, three") << int(FormField::PaymentKind) << "XYZ";
    QTest::newRow("date, long") << int(FormField::Date) << "5 марта 2026 года";
    QTest::newRow("account, 30") << int(FormField::PayerAccount2) << QString(30, '3');
}

void TestFormLayout::longValuesAreDrawnWholeInTheirRooms() {
    QFETCH(int, field);
    QFETCH(QString, value);
    CVemoDoc doc;
    QMap<FormField, QString*> members{
        {FormField::PayerName, &doc.m_payer.m_strName},
        {FormField::PayerBank, &doc.m_payer.m_strBank},
        {FormField::RecipientBank, &doc.m_recipient.m_strBank},
        {FormField::RecipientName, &doc.m_recipient.m_strName},
        {FormField::Basis, &doc.m_strBasis},
        {FormField::AmountInWords, &doc.m_strAmountInWords},
        {FormField::RecipientInnKpp, &doc.m_recipient.m_strInnKpp},
        {FormField::Priority, &doc.m_strPriority},
        {FormField::PaymentKind, &doc.m_strPaymentKind},
        {FormField::Date, &doc.m_strDate},
        {FormField::PayerAccount2, &doc.m_payer.m_strAccount2},
    };
    *members.value(FormField(field)) = value;

    const QList<Step> steps = DrawCopy(doc, 0);
    QCOMPARE(steps.size(), DrawCopy(CVemoDoc(), 0).size());  // the same steps, fitted
    const Step* step = ValueStep(steps, value);
    QVERIFY(step);
    QCOMPARE(Reproduced(value, LinesOf(*step)), value.size());  // whole
    QVERIFY(step->widthScale >= TextFit::kNarrowestScale);
    QCOMPARE(Collisions(steps, doc.m_strAmountInWords), QStringList());  // in its room
    QCOMPARE(FormPlaces::ShownChars(FormField(field), value), value.size());
}

void TestFormLayout::whatCannotFitIsCountedNotDropped_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("value");
    QTest::newRow("payer name") << int(FormField::PayerName) << Words(30, "Альфа");
    QTest::newRow("purpose") << int(FormField::Basis) << Words(200, "НДС");
    QTest::newRow("account") << int(FormField::RecipientAccount1) << QString(60, '4');
}

void TestFormLayout::whatCannotFitIsCountedNotDropped() {
    QFETCH(int, field);
    QFETCH(QString, value);
    const int shown = FormPlaces::ShownChars(FormField(field), value);
    QVERIFY(shown > 0 && shown < value.size());
    const FormPlaces::Fitted fitted = FormPlaces::Fit(FormField(field), value);
    QCOMPARE(Reproduced(value, fitted.lines), shown);
    QVERIFY(fitted.widthScale >= TextFit::kNarrowestScale);
    // What is shown fits whole.
    QCOMPARE(FormPlaces::ShownChars(FormField(field), value.left(shown)), shown);
}

void TestFormLayout::placeholdersAreGreyAndOnlyThey_data() {
    QTest::addColumn<FormEdition>("edition");
    QTest::addColumn<QString>("state");  // "fresh", "payer missing", "order" or "blank"
    QTest::addColumn<QStringList>("grey");
    const QStringList payer2001{"Банк плательщика", "ИНН/КПП плательщика", "БИК плательщика",
                                "Счет1 плательщика", "Счет2 плательщика"};
    const QStringList payerCurrent{"Банк плательщика", "ИНН плательщика",   "КПП плательщика",
                                   "БИК плательщика",  "Счет1 плательщика", "Счет2 плательщика"};
    QTest::newRow("2001, fresh: every value")
        << FormEdition::Edition2001 << "fresh" << QStringList();
    QTest::newRow("current, fresh: every value")
        << FormEdition::Current << "fresh" << QStringList();
    QTest::newRow("2001, payer missing")
        << FormEdition::Edition2001 << "payer missing" << payer2001;
    QTest::newRow("current, payer missing")
        << FormEdition::Current << "payer missing" << payerCurrent;
    QTest::newRow("2001, order") << FormEdition::Edition2001 << "order" << QStringList();
    QTest::newRow("current, blank") << FormEdition::Current << "blank" << QStringList();
}

// The screen shows a placeholder in grey where the document has no value, so that it reads as
// one; every value drawn is black. (A fresh document's grey texts are all its values.)
void TestFormLayout::placeholdersAreGreyAndOnlyThey() {
    QFETCH(FormEdition, edition);
    QFETCH(QString, state);
    QFETCH(QStringList, grey);
    CVemoDoc doc;
    if (state == "blank") {
        doc.MakeBlank();
    } else if (state != "fresh") {
        FillOrdinaryOrder(doc);
        if (state == "payer missing") {
            doc.ShowPartyMissing(kPayersKind);
        }
    }
    RecordingCanvas canvas;
    CFormLayout layout(edition);
    layout.m_nOffsetY = 0;
    layout.DrawForm(canvas, doc);
    const QStringList captions = FormCaptions(edition);
    QStringList drawnGrey;
    QStringList values;  // the texts that are not the form's own captions
    for (const Step& step : canvas.steps) {
        if (step.kind != Kind::Text && step.kind != Kind::Lines) {
            continue;
        }
        if (step.ink == FormInk::Placeholder) {
            drawnGrey << step.text;
        } else if (!step.text.isEmpty() && !captions.contains(step.text)) {
            values << step.text;
        }
    }
    if (state == "fresh") {
        QVERIFY(drawnGrey.size() >= 21);
        QVERIFY2(values.isEmpty(), qPrintable(values.join('|')));
        QVERIFY(drawnGrey.contains(QStringLiteral("Название плательщика")));
        return;
    }
    drawnGrey.sort();
    grey.sort();
    QCOMPARE(drawnGrey, grey);
    if (state == "payer missing") {
        QVERIFY(values.contains(QStringLiteral("ООО Ромашка")));  // the order's name, in black
    }
}

void TestFormLayout::longestUinIsAnotherFaceNotSqueezedLetters_data() {
    QTest::addColumn<bool>("twoOnASheet");
    QTest::addColumn<QString>("uin");
    QTest::newRow("full size, 25 digits") << false << "1881017726032512345600001";
    QTest::newRow("full size, 20 digits") << false << "18209965144380684245";
    QTest::newRow("two on a sheet, 25 digits") << true << "1881017726032512345600001";
}

// A УИН too long for "Код" is drawn whole in the narrower face, smaller but in its own
// proportions, inside its cell; never in letters narrowed to a fraction of their width.
void TestFormLayout::longestUinIsAnotherFaceNotSqueezedLetters() {
    QFETCH(bool, twoOnASheet);
    QFETCH(QString, uin);
    CVemoDoc doc;
    FillTaxPayment(doc);
    doc.m_strUin = uin;
    RecordingCanvas canvas;
    CFormLayout layout(FormPaper(FormEdition::Current, twoOnASheet));
    layout.m_nOffsetY = 0;
    layout.DrawForm(canvas, doc);
    const Step* step = ValueStep(canvas.steps, uin);
    QVERIFY(step);
    QCOMPARE(step->kind, Kind::Lines);
    QCOMPARE(step->lines, QStringList{uin});
    QCOMPARE(step->font, FormFont::Narrow);
    QCOMPARE(step->widthScale, step->heightScale);  // smaller, not squeezed
    QVERIFY(step->heightScale >= FormPlaces::kSmallestNarrow);
    const FormPlaces::Place place =
        FormPlaces::PlaceOf(FormField::Uin, FormPaper(FormEdition::Current, twoOnASheet));
    QVERIFY(Inside(step->rect, place.room));
    QVERIFY(uin.size() * FormPlaces::kNarrowWidth * step->widthScale <=
            place.room.right - place.room.left);
}

QTEST_GUILESS_MAIN(TestFormLayout)
#include "tst_formlayout.moc"
