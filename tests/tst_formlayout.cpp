// The drawing sequence of the form, checked on a recording canvas.
#include <QtTest>

#include "FormCaptions.h"
#include "RecordingCanvas.h"
#include "form/CFormLayout.h"
#include "form/CVemoDoc.h"
#include "form/FormPlaces.h"
#include "form/TextFit.h"

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
    void oneCopyHasEightySteps();
    void fontsAndTheBox();
    void pageHasTwoIdenticalCopiesAndTheCutLine();
    void valuesStandInTheirPlaces_data();
    void valuesStandInTheirPlaces();
    void textsKeepTheirRectanglesInsideTheForm();
    void valuesAreDrawnVerbatim();
    void breakingKeepsEveryCharacter_data();
    void breakingKeepsEveryCharacter();
    void fittingPrefersMoreLinesToNarrowerLetters();
    void ordinaryValuesAreDrawnAsTheyStand();
    void longValuesAreDrawnWholeInTheirRooms_data();
    void longValuesAreDrawnWholeInTheirRooms();
    void whatCannotFitIsCountedNotDropped_data();
    void whatCannotFitIsCountedNotDropped();
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
    QCOMPARE(steps.size(), kStepsPerCopy);
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
    QCOMPARE(steps.size(), kStepsPerCopy);
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

QTEST_GUILESS_MAIN(TestFormLayout)
#include "tst_formlayout.moc"
