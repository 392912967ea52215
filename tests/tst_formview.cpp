// The form on real surfaces: fonts, clipping, the view's scrolling, the PDF page and --pdf.
#include <QtTest>

#include <QPainter>
#include <QProcess>
#include <QScrollBar>
#include <functional>
#include <memory>

#include "FormCaptions.h"
#include "TestPdf.h"
#include "form/AmountToWords.h"
#include "form/CFormLayout.h"
#include "form/CVemoDoc.h"
#include "form/CVemoView.h"
#include "form/FormFonts.h"
#include "form/FormPlaces.h"
#include "form/FormPrinting.h"
#include "form/QtFormCanvas.h"

namespace {

struct Run {
    int exitCode = -1;
    QString errors;
};

Run RunVemo(const QString& workDir, const QStringList& arguments) {
    QProcess process;
    process.setWorkingDirectory(workDir);
    process.start(qEnvironmentVariable("VEMO_EXECUTABLE"), arguments);
    Run run;
    if (process.waitForFinished(60000)) {
        run.exitCode = process.exitCode();
        run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    }
    return run;
}

QStringList Placeholders(const CVemoDoc& doc) {
    QStringList texts{doc.m_strNumber,   doc.m_strDate,        doc.m_strAmountInWords,
                      doc.m_strAmount,   doc.m_strPaymentKind, doc.m_strPaymentTerm,
                      doc.m_strPriority, doc.m_strBasis,       doc.m_strPaymentType};
    for (const CRequisite* party : {&doc.m_recipient, &doc.m_payer}) {
        texts << party->m_strName << party->m_strBank << party->m_strInnKpp << party->m_strBik
              << party->m_strAccount1 << party->m_strAccount2;
    }
    return texts;
}

bool WhiteOutside(const QImage& image, const QRect& inside) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!inside.contains(x, y) && image.pixel(x, y) != qRgb(255, 255, 255)) {
                return false;
            }
        }
    }
    return true;
}

// What the canvas draws on a white image at 254 dpi, where one pixel is 10 units.
constexpr double kTestDpi = 254.0;

QImage Render(const QSize& size, const std::function<void(QtFormCanvas&)>& draw) {
    const FormFonts fonts(kTestDpi, kTestDpi);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QtFormCanvas canvas(painter, fonts, kTestDpi, kTestDpi);
    draw(canvas);
    return image;
}

// Where runs of ink begin along a line of pixels: rows (a whole row inked anywhere) or the
// columns of one row.
QList<int> InkStarts(const QImage& image, Qt::Orientation along, int row = 0) {
    QList<int> starts;
    bool inked = false;
    const int count = along == Qt::Vertical ? image.height() : image.width();
    for (int i = 0; i < count; ++i) {
        bool here = false;
        if (along == Qt::Vertical) {
            for (int x = 0; x < image.width() && !here; ++x) {
                here = qGray(image.pixel(x, i)) < 128;
            }
        } else {
            here = qGray(image.pixel(i, row)) < 128;
        }
        if (here && !inked) {
            starts.append(i);
        }
        inked = here;
    }
    return starts;
}

// The whole page drawn on a white image at 254 dpi.
QImage RenderPage(const CVemoDoc& doc) {
    const int dotsPerMeter = 10000;  // 254 dpi
    QImage image(CFormLayout::kPageWidth / 10 + 10, CFormLayout::kPageHeight / 10,
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    DrawFormPage(image, doc);
    return image;
}

bool Inked(const QImage& image, int x, int y) {
    return x >= 0 && y >= 0 && x < image.width() && y < image.height() &&
           qGray(image.pixel(x, y)) < 160;
}

// Where the page with a value differs from the page without it: every such pixel must lie in
// one of the value's rooms, no ink of the page without it may be lost, and the value's own ink
// must not touch any other.
QStringList InkOutsideRooms(const QImage& with, const QImage& without, const QList<QRect>& rooms) {
    QStringList faults;
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            const bool own = Inked(with, x, y) && !Inked(without, x, y);
            if (Inked(without, x, y) && !Inked(with, x, y)) {
                faults << QStringLiteral("erased at %1,%2").arg(x).arg(y);
            }
            if (!own) {
                continue;
            }
            bool inRoom = false;
            for (const QRect& room : rooms) {
                inRoom = inRoom || room.contains(x, y);
            }
            if (!inRoom) {
                faults << QStringLiteral("outside at %1,%2").arg(x).arg(y);
            }
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    if (Inked(without, x + dx, y + dy)) {
                        faults << QStringLiteral("touching at %1,%2").arg(x).arg(y);
                    }
                }
            }
        }
    }
    return faults.mid(0, 5);
}

// A room of a field on both copies, in pixels of RenderPage.
QList<QRect> RoomsInPixels(FormField field) {
    const LogicalRect room = FormPlaces::PlaceOf(field).room;
    QList<QRect> rooms;
    for (int offset : {CFormLayout::kFirstCopyOffsetY, CFormLayout::kSecondCopyOffsetY}) {
        rooms << QRect(QPoint(room.left / 10, -(room.top + offset) / 10),
                       QPoint(room.right / 10, -(room.bottom + offset) / 10));
    }
    return rooms;
}

}  // namespace

class TestFormView : public QObject {
    Q_OBJECT
private slots:
    void init();
    void fontsHaveTheFormsMetrics_data();
    void fontsHaveTheFormsMetrics();
    void textIsClippedToItsRectangle();
    void wrappedLinesAreOneCellApart();
    void boxCoversWhatLiesBeneath();
    void viewScrollsToTheWholeWidth();
    void pdfHoldsOnePageWithBothCopies();
    void pdfDrawsValuesVerbatim();
    void pdfFailureLeavesNothing();
    void longestAmountInWordsPrintsWholeOnBothCopies();
    void longValuesPrintWholeInThePdf();
    void pdfCommandLine();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestFormView::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestFormView::fontsHaveTheFormsMetrics_data() {
    QTest::addColumn<double>("dpi");
    QTest::newRow("screen") << 96.0;
    QTest::newRow("high-resolution screen") << 192.0;
    QTest::newRow("printer") << 600.0;
    QTest::newRow("pdf") << 1200.0;
}

void TestFormView::fontsHaveTheFormsMetrics() {
    QFETCH(double, dpi);
    const FormFonts fonts(dpi, dpi);
    const auto within1Percent = [](double actual, double wanted) {
        return qAbs(actual - wanted) <= wanted / 100.0;
    };
    for (FormFont font : {FormFont::Text, FormFont::Title}) {
        const QFontInfo info(fonts.Font(font));
        QVERIFY2(info.family().startsWith("Nimbus Mono PS") ||
                     info.family().startsWith("Liberation Mono"),
                 qPrintable(info.family()));
        QVERIFY(info.fixedPitch());
        QVERIFY2(within1Percent(fonts.CellHeight(font), FormFonts::kCellHeight),
                 qPrintable(QString::number(fonts.CellHeight(font))));
    }
    QVERIFY(within1Percent(fonts.AverageWidth(FormFont::Text), FormFonts::kTextWidth));
    QVERIFY(within1Percent(fonts.AverageWidth(FormFont::Title), FormFonts::kTitleWidth));
    QVERIFY(QFontInfo(fonts.Font(FormFont::Title)).weight() >
            QFontInfo(fonts.Font(FormFont::Text)).weight());
}

void TestFormView::textIsClippedToItsRectangle() {
    // At 254 dpi one pixel is 10 units: the rectangle 1000..3000 × -1000..-2000 is 100..300 ×
    // 100..200 in pixels.
    for (int format : {int(DT_LEFT), int(DT_CENTER), int(DT_RIGHT), int(DT_WORDBREAK)}) {
        const QImage image = Render(QSize(400, 300), [format](QtFormCanvas& canvas) {
            canvas.SelectFont(FormFont::Text);
            canvas.DrawText(QString(200, QLatin1Char('W')), LogicalRect{1000, -1000, 3000, -2000},
                            format);
        });
        QVERIFY2(WhiteOutside(image, QRect(100, 100, 200, 100)),
                 qPrintable(QString::number(format)));
        QVERIFY(!WhiteOutside(image, QRect()));  // and something was drawn
    }
}

void TestFormView::wrappedLinesAreOneCellApart() {
    // At 254 dpi one pixel is 10 units: a cell is 39.6 pixels high. The rectangle is narrower
    // than two letters, so each word takes a line of its own.
    const QImage lines = Render(QSize(100, 300), [](QtFormCanvas& canvas) {
        canvas.SelectFont(FormFont::Text);
        canvas.DrawText(QStringLiteral("Ж Ж Ж Ж"), LogicalRect{0, 0, 300, -3000}, DT_WORDBREAK);
    });
    const QList<int> lineTops = InkStarts(lines, Qt::Vertical);
    QCOMPARE(lineTops.size(), 4);
    for (int i = 1; i < lineTops.size(); ++i) {
        QVERIFY2(qAbs(lineTops.at(i) - lineTops.at(0) - i * 39.6) <= 1.5,
                 qPrintable(QString::number(lineTops.at(i))));
    }
    // And each letter is as wide as the form's cell: about 19.8 pixels from one to the next.
    const QImage bars = Render(QSize(100, 300), [](QtFormCanvas& canvas) {
        canvas.SelectFont(FormFont::Text);
        canvas.DrawText(QStringLiteral("||||"), LogicalRect{0, 0, 1000, -1000}, DT_LEFT);
    });
    const QList<int> strokes = InkStarts(bars, Qt::Horizontal, 20);
    QCOMPARE(strokes.size(), 4);
    QVERIFY2(qAbs((strokes.last() - strokes.first()) / 3.0 - 19.8) <= 0.5,
             qPrintable(QString::number(strokes.last() - strokes.first())));
}

void TestFormView::boxCoversWhatLiesBeneath() {
    const QImage image = Render(QSize(400, 300), [](QtFormCanvas& canvas) {
        canvas.SelectFont(FormFont::Title);
        canvas.DrawText(QString(40, QLatin1Char('M')), LogicalRect{0, 0, 4000, -1000}, DT_LEFT);
        canvas.Rectangle(LogicalRect{1000, 0, 3000, -1000});
    });
    // Inside the outline nothing of the text is left.
    for (int y = 2; y < 98; ++y) {
        for (int x = 102; x < 298; ++x) {
            QCOMPARE(image.pixel(x, y), qRgb(255, 255, 255));
        }
    }
    QVERIFY(image.pixel(100, 50) != qRgb(255, 255, 255));  // the outline
}

void TestFormView::viewScrollsToTheWholeWidth() {
    CVemoDoc doc;
    CVemoView view(&doc);
    view.resize(300, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const double unitsPerPixel = 2540.0 / view.logicalDpiX();
    const int reach =
        view.horizontalScrollBar()->maximum() + view.viewport()->width();  // in pixels
    QVERIFY(reach * unitsPerPixel >= 18700);
    const int depth = view.verticalScrollBar()->maximum() + view.viewport()->height();
    QVERIFY(qAbs(depth * 2540.0 / view.logicalDpiY() - 28000) < 30);
}

void TestFormView::pdfHoldsOnePageWithBothCopies() {
    CVemoDoc doc;
    const QString path = m_dir->filePath("form.pdf");
    QString error;
    QVERIFY2(WriteFormPdf(path, doc, &error), qPrintable(error));
    QString pageSize;
    QCOMPARE(PdfPages(path, &pageSize), 1);
    QVERIFY2(pageSize.contains("A4"), qPrintable(pageSize));

    const QString text = PdfText(path);
    QVERIFY(!text.isEmpty());
    for (const QString& caption : FormCaptions()) {
        QVERIFY2(text.count(caption) >= 2, qPrintable(caption));
    }
    for (const QString& placeholder : Placeholders(doc)) {
        QVERIFY2(text.count(placeholder) >= 2, qPrintable(placeholder));
    }
}

void TestFormView::pdfDrawsValuesVerbatim() {
    CVemoDoc doc;
    doc.m_payer.m_strName = QStringLiteral("Рога & Копыта");
    doc.m_strBasis = QStringLiteral("Оплата по счету && договору");
    const QString path = m_dir->filePath("form.pdf");
    QString error;
    QVERIFY(WriteFormPdf(path, doc, &error));
    const QString text = PdfText(path);
    QCOMPARE(text.count(QStringLiteral("Рога & Копыта")), 2);
    QCOMPARE(text.count(QStringLiteral("Оплата по счету && договору")), 2);
}

void TestFormView::pdfFailureLeavesNothing() {
    CVemoDoc doc;
    QString error;
    QVERIFY(!WriteFormPdf(m_dir->filePath("no/such/folder/form.pdf"), doc, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QDir(m_dir->path()).mkdir("taken"));
    QVERIFY(!WriteFormPdf(m_dir->filePath("taken"), doc, &error));
    QVERIFY(QFileInfo(m_dir->filePath("taken")).isDir());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{"taken"});
}

void TestFormView::longestAmountInWordsPrintsWholeOnBothCopies() {
    // The most letters any amount up to 999 999 999 999,99 takes in words.
    const QString words = AmountToWords(888888888888.88);
    QVERIFY(words.endsWith(QStringLiteral("руб. 88 коп.")));
    CVemoDoc doc;
    doc.m_strAmountInWords = words;
    const QString path = m_dir->filePath("form.pdf");
    QString error;
    QVERIFY(WriteFormPdf(path, doc, &error));
    QCOMPARE(PdfTextInDrawingOrder(path).count(words), 2);

    doc.m_strAmountInWords.clear();
    const QImage without = RenderPage(doc);
    doc.m_strAmountInWords = words;
    const QImage with = RenderPage(doc);
    QVERIFY(with != without);
    QCOMPARE(InkOutsideRooms(with, without, RoomsInPixels(FormField::AmountInWords)),
             QStringList());
}

void TestFormView::longValuesPrintWholeInThePdf() {
    CVemoDoc doc;
    doc.m_payer.m_strName =
        QStringLiteral("Общество с ограниченной ответственностью \"Северная торговая компания\"");
    doc.m_payer.m_strBank = QStringLiteral(
        "Публичное акционерное общество \"Межрегиональный коммерческий банк\" г. Москва");
    doc.m_recipient.m_strName = QStringLiteral(
        "Акционерное общество \"Научно-производственное объединение прикладной механики и "
        "автоматики имени академика В. П. Глушко\"");
    QString basis;
    while (basis.size() < 210) {
        basis +=
            QStringLiteral("Оплата по договору № 17/2026-ПО за электротехническое оборудование. ");
    }
    doc.m_strBasis = basis.left(210);
    const QString path = m_dir->filePath("form.pdf");
    QString error;
    QVERIFY(WriteFormPdf(path, doc, &error));
    const QString text = PdfTextInDrawingOrder(path);
    for (const QString& value : {doc.m_payer.m_strName, doc.m_payer.m_strBank,
                                 doc.m_recipient.m_strName, doc.m_strBasis.trimmed()}) {
        QVERIFY2(text.count(value) == 2, qPrintable(value));
    }

    // Each stays in its room on the rendered page, touching nothing.
    const QImage full = RenderPage(doc);
    const QList<std::pair<FormField, QString*>> values{
        {FormField::PayerName, &doc.m_payer.m_strName},
        {FormField::PayerBank, &doc.m_payer.m_strBank},
        {FormField::RecipientName, &doc.m_recipient.m_strName},
        {FormField::Basis, &doc.m_strBasis}};
    for (const auto& [field, member] : values) {
        const QString value = *member;
        member->clear();
        const QImage without = RenderPage(doc);
        *member = value;
        QCOMPARE(InkOutsideRooms(full, without, RoomsInPixels(field)), QStringList());
    }
}

void TestFormView::pdfCommandLine() {
    const QString work = m_dir->path();
    Run run = RunVemo(work, {"--pdf", "out.pdf"});
    QCOMPARE(run.exitCode, 0);
    // The page, and nothing else: no order directory, no data files.
    QCOMPARE(QDir(work).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"out.pdf"});
    QVERIFY(PdfText(m_dir->filePath("out.pdf")).count(QStringLiteral("Название получателя")) == 2);

    run = RunVemo(work, {"--pdf"});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.errors.contains("--pdf"));
    run = RunVemo(work, {"--bogus"});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.errors.contains("--bogus"));

    run = RunVemo(work, {"--pdf", "missing/out.pdf"});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.errors.contains("missing/out.pdf"));
    QCOMPARE(QDir(work).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"out.pdf"});
}

QTEST_MAIN(TestFormView)
#include "tst_formview.moc"
