// The form on real surfaces: fonts, clipping, the text background, the view's scrolling, the PDF
// page and --pdf.
#include <QtTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <QPainter>
#include <QProcess>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

#include "FileSizeLimit.h"
#include "FormDocuments.h"
#include "TestEnvironment.h"
#include "TestFolder.h"
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
    QByteArray output;
};

// Runs the program in the folder; its files may not grow past fileSizeLimit bytes.
Run RunVemo(const QString& workDir, const QStringList& arguments,
            rlim_t fileSizeLimit = RLIM_INFINITY) {
    QProcess process;
    process.setWorkingDirectory(workDir);
    if (fileSizeLimit != RLIM_INFINITY) {
        LimitFileSize(process, fileSizeLimit);
    }
    process.start(VemoExecutable(), arguments);
    Run run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit) {
        run.exitCode = process.exitCode();
        run.errors = QString::fromLocal8Bit(process.readAllStandardError());
        run.output = process.readAllStandardOutput();
    }
    return run;
}

// A whole PDF file: its header at the start and its end-of-file mark at the end.
bool WholePdf(const QByteArray& bytes) {
    return bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF");
}

bool IsCharacterDevice(const QString& path) {
    struct stat status {};
    return stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISCHR(status.st_mode);
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

// The first copy of the form drawn at 254 dpi over an image filled with the given colour.
QImage RenderFormOver(const CVemoDoc& doc, const QColor& under) {
    const QSize size(CFormLayout::kPageWidth / 10 + 1, CFormLayout::kPageHeight / 20);
    const FormFonts fonts(kTestDpi, kTestDpi);
    QImage image(size, QImage::Format_RGB32);
    image.fill(under);
    QPainter painter(&image);
    QtFormCanvas canvas(painter, fonts, kTestDpi, kTestDpi);
    CFormLayout layout;
    layout.m_nOffsetY = CFormLayout::kFirstCopyOffsetY;
    layout.DrawForm(canvas, doc);
    return image;
}

// The smallest rectangle holding every pixel in which the two images differ.
QRect DifferingArea(const QImage& a, const QImage& b) {
    QRect area;
    for (int y = 0; y < a.height(); ++y) {
        const auto* lineA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lineB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (lineA[x] != lineB[x]) {
                area |= QRect(x, y, 1, 1);
            }
        }
    }
    return area;
}

// Black ink, its grey anti-aliased edges, or white paper: no trace of a colour beneath.
bool InkOrWhite(QRgb pixel) {
    const int high = qMax(qRed(pixel), qMax(qGreen(pixel), qBlue(pixel)));
    const int low = qMin(qRed(pixel), qMin(qGreen(pixel), qBlue(pixel)));
    return high - low <= 16;
}

// How many pixels differ between the view as first shown and as shown scrolled by (dx, dy): the
// scrolled picture must be the first one moved up and left.
int PixelsNotMovedBy(const QImage& first, const QImage& scrolled, int dx, int dy) {
    int wrong = 0;
    for (int y = 0; y + dy < first.height(); ++y) {
        for (int x = 0; x + dx < first.width(); ++x) {
            wrong += scrolled.pixel(x, y) != first.pixel(x + dx, y + dy);
        }
    }
    return wrong;
}

int InkedPixels(const QImage& image) {
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            inked += qGray(image.pixel(x, y)) < 128;
        }
    }
    return inked;
}

// The whole page drawn on a white image at 254 dpi, as wide as this.
constexpr int kRenderPageWidth = CFormLayout::kPageWidth / 10 + 10;

QImage RenderPage(const CVemoDoc& doc) {
    const int dotsPerMeter = 10000;  // 254 dpi
    QImage image(kRenderPageWidth, CFormLayout::kPageHeight / 10, QImage::Format_RGB32);
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

// A room of a field on both copies, in pixels of RenderPage, where the form stands in the middle.
QList<QRect> RoomsInPixels(FormField field) {
    const LogicalRect room = FormPlaces::PlaceOf(field).room;
    const int left = qRound(FormLeftOffset(kRenderPageWidth * 10.0, FormEdition::Edition2001));
    QList<QRect> rooms;
    for (int offset : {CFormLayout::kFirstCopyOffsetY, CFormLayout::kSecondCopyOffsetY}) {
        rooms << QRect(QPoint((room.left + left) / 10, -(room.top + offset) / 10),
                       QPoint((room.right + left) / 10, -(room.bottom + offset) / 10));
    }
    return rooms;
}

// A word of a PDF page where pdftotext -bbox places it, in points from the page's top left.
struct PdfWord {
    QString text;
    double left, top, right, bottom;
};

// The words of the PDF's first page in reading order: lines top to bottom (words whose tops
// lie within 1 mm share a line), each line left to right.
QList<PdfWord> PdfWordsInReadingOrder(const QString& path) {
    const QString xhtml = RunPdfTool("pdftotext", {"-bbox", "-f", "1", "-l", "1", path, "-"});
    static const QRegularExpression word(
        R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re");
    QList<PdfWord> words;
    for (const QRegularExpressionMatch& m : word.globalMatch(xhtml)) {
        words.append({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                      m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    const double lineTolerance = 72.0 / 25.4;
    std::sort(words.begin(), words.end(), [&](const PdfWord& a, const PdfWord& b) {
        if (qAbs(a.top - b.top) > lineTolerance) {
            return a.top < b.top;
        }
        return a.left < b.left;
    });
    return words;
}

// The current edition's page of a PDF as poppler draws it at 254 dpi without smoothing, where a
// pixel is 0.1 mm: its rules, found as runs of ink, and its words; all measured from the top-left
// corner of the grid, where the first rule across the whole form starts.
struct MeasuredPage {
    struct Run {
        int at, from, to;  // the row (or column) and its first and last pixel
    };
    bool found = false;
    QRect grid;  // on the page: the first rule across the whole form, from its left end
    QSize pageSize;
    QList<Run> across;
    QList<Run> down;
    QList<std::pair<QString, QRectF>> words;

    static MeasuredPage Of(const QString& pdf) {
        MeasuredPage page;
        const QString prefix = QFileInfo(pdf).absoluteDir().filePath("measured");
        RunPdfTool("pdftoppm", {"-r", "254", "-gray", "-aa", "no", "-aaVector", "no", "-singlefile",
                                pdf, prefix});
        const QImage image(prefix + ".pgm");
        const auto ink = [&image](int px, int py) { return qGray(image.pixel(px, py)) < 128; };
        page.across =
            Runs(image.height(), image.width(), 20, [&](int at, int i) { return ink(i, at); });
        page.down =
            Runs(image.width(), image.height(), 35, [&](int at, int i) { return ink(at, i); });
        QPoint origin;
        for (const Run& run : page.across) {
            if (run.to - run.from >= 1700) {  // the first rule across the whole form
                origin = QPoint(run.from, run.at);
                page.grid = QRect(QPoint(run.from, run.at), QPoint(run.to, run.at));
                page.found = true;
                break;
            }
        }
        page.pageSize = image.size();
        for (Run& run : page.across) {
            run = Run{run.at - origin.y(), run.from - origin.x(), run.to - origin.x()};
        }
        for (Run& run : page.down) {
            run = Run{run.at - origin.x(), run.from - origin.y(), run.to - origin.y()};
        }
        const double pixelsPerPoint = 254.0 / 72.0;
        for (const PdfWord& word : PdfWordsInReadingOrder(pdf)) {
            page.words.append(
                {word.text,
                 QRectF(QPointF(word.left, word.top) * pixelsPerPoint - QPointF(origin),
                        QPointF(word.right, word.bottom) * pixelsPerPoint - QPointF(origin))});
        }
        return page;
    }

    // The runs of ink at least minimum pixels long along each of count lines of length pixels.
    static QList<Run> Runs(int count, int length, int minimum,
                           const std::function<bool(int, int)>& ink) {
        QList<Run> runs;
        for (int at = 0; at < count; ++at) {
            int start = -1;
            for (int i = 0; i <= length; ++i) {
                const bool here = i < length && ink(at, i);
                if (here && start < 0) {
                    start = i;
                } else if (!here && start >= 0) {
                    if (i - start >= minimum) {
                        runs.append(Run{at, start, i - 1});
                    }
                    start = -1;
                }
            }
        }
        return runs;
    }

    // Where the rule nearest to at runs within 1 mm of it, from within 1 mm of from to within
    // 1 mm of to.
    static std::optional<int> Along(const QList<Run>& runs, int at, int from, int to) {
        std::optional<int> nearest;
        for (const Run& run : runs) {
            if (qAbs(run.at - at) <= 10 && run.from <= from + 10 && run.to >= to - 10 &&
                (!nearest || qAbs(run.at - at) < qAbs(*nearest - at))) {
                nearest = run.at;
            }
        }
        return nearest;
    }
    std::optional<int> Across(int y, int from, int to) const { return Along(across, y, from, to); }
    std::optional<int> Down(int x, int from, int to) const { return Along(down, x, from, to); }

    bool HasWordIn(const QString& text, const QRect& cell) const {
        for (const auto& [word, box] : words) {
            if (word == text && QRectF(cell).contains(box)) {
                return true;
            }
        }
        return false;
    }
};
}  // namespace

class TestFormView : public QObject {
    Q_OBJECT
public:
    // Run by hand, the program still needs no display.
    static void initMain() { UseOffscreenPlatformUnlessSet(); }

private slots:
    void init();
    void fontsHaveTheFormsMetrics_data();
    void fontsHaveTheFormsMetrics();
    void textIsClippedToItsRectangle();
    void wrappedLinesAreOneCellApart();
    void boxCoversWhatLiesBeneath();
    void textBackgroundIsOpaqueWhite_data();
    void textBackgroundIsOpaqueWhite();
    void viewFitsThePageToItsWidth();
    void ctrlWheelZoomsAboutTheMouse();
    void viewShowsTheScrolledPart();
    void pdfHoldsOnePageWithBothCopies();
    void pdfDrawsValuesVerbatim();
    void currentEditionCellsStandWithin1Mm_data();
    void currentEditionCellsStandWithin1Mm();
    void pdfCentresTheFormAcrossThePage_data();
    void pdfCentresTheFormAcrossThePage();
    void pdfFailureLeavesNothing();
    void longestAmountInWordsPrintsWholeOnBothCopies();
    void longValuesPrintWholeInThePdf();
    void pdfCommandLine();
    void pdfOnAFullDisk_data();
    void pdfOnAFullDisk();
    void pdfToStandardOutput();
    void pdfIntoDeviceAndPipe();

private:
    std::unique_ptr<TestFolder> m_folder;  // where the PDF files go
};

void TestFormView::init() {
    m_folder.reset();
    m_folder = std::make_unique<TestFolder>(TestFolder::Files{}, TestFolder::Enter::No);
    QVERIFY(m_folder->isValid());
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

void TestFormView::textBackgroundIsOpaqueWhite_data() {
    QTest::addColumn<QString>("member");
    QTest::newRow("number, in the title font") << "m_strNumber";
    QTest::newRow("amount") << "m_strAmount";
    QTest::newRow("payer's name") << "payer.m_strName";
    QTest::newRow("basis, wrapped") << "m_strBasis";
}

// Each text covers what lies beneath its line with white, as the form's paper would be: drawn
// over red, the area a value changes holds only ink and white.
void TestFormView::textBackgroundIsOpaqueWhite() {
    QFETCH(QString, member);
    CVemoDoc doc;
    FillOrdinaryOrder(doc);
    const QColor red(255, 0, 0);
    const QImage with = RenderFormOver(doc, red);
    DocumentFields(doc).value(member)->clear();
    const QImage without = RenderFormOver(doc, red);

    // The outermost pixels are only partly covered by the text's box, which starts and ends
    // between pixels.
    const QRect area = DifferingArea(with, without).adjusted(1, 1, -1, -1);
    QVERIFY(!area.isEmpty());
    int ink = 0;
    int white = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = with.pixel(x, y);
            QVERIFY2(InkOrWhite(pixel), qPrintable(QStringLiteral("(%1,%2) is %3 in %4")
                                                       .arg(x)
                                                       .arg(y)
                                                       .arg(QColor(pixel).name())
                                                       .arg(QDebug::toString(area))));
            ink += qGray(pixel) < 128;
            white += pixel == qRgb(255, 255, 255);
        }
    }
    QVERIFY(ink > 0);
    QVERIFY(white > ink);  // between the letters and around them
}

void TestFormView::viewFitsThePageToItsWidth() {
    CVemoDoc doc;
    CVemoView view(&doc);
    view.resize(600, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.horizontalScrollBar()->maximum(), 0);  // nothing to scroll across
    QVERIFY(qAbs(view.PageSizeInPixels().width() - view.viewport()->width()) <= 1);
    // A window twice as wide draws the page twice as large.
    const double narrow = view.PixelsPerInch();
    const int narrowWidth = view.viewport()->width();
    view.resize(1200, 400);
    QTRY_VERIFY(view.viewport()->width() > narrowWidth);
    QVERIFY(qAbs(view.PixelsPerInch() / narrow - double(view.viewport()->width()) / narrowWidth) <
            0.001);
}

namespace {

void Wheel(CVemoView& view, QPointF at, int notches, Qt::KeyboardModifiers modifiers) {
    QWheelEvent event(at, view.viewport()->mapToGlobal(at), QPoint(), QPoint(0, notches * 120),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &event);
}

// The point of the page under a point of the view, in inches from the page's top-left corner.
QPointF OnPage(const CVemoView& view, QPointF at) {
    const double dpi = view.PixelsPerInch();
    const double margin = qMax(0, (view.viewport()->width() - view.PageSizeInPixels().width()) / 2);
    return QPointF(at.x() - margin + view.horizontalScrollBar()->value(),
                   at.y() + view.verticalScrollBar()->value()) /
           dpi;
}

}  // namespace

// The wheel scrolls; with Ctrl it zooms, the point under the mouse staying under it, between the
// smallest and the largest zoom.
void TestFormView::ctrlWheelZoomsAboutTheMouse() {
    CVemoDoc doc;
    CVemoView view(&doc);
    view.resize(600, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QPointF mouse(200, 150);

    Wheel(view, mouse, -1, Qt::NoModifier);
    QCOMPARE(view.Zoom(), 1.0);
    QVERIFY(view.verticalScrollBar()->value() > 0);

    const QPointF before = OnPage(view, mouse);
    Wheel(view, mouse, 2, Qt::ControlModifier);
    QVERIFY(view.Zoom() > 1.2);
    QVERIFY(view.horizontalScrollBar()->maximum() > 0);
    const QPointF after = OnPage(view, mouse);
    const double pixel = 1.0 / view.PixelsPerInch();
    QVERIFY2(qAbs(after.x() - before.x()) <= pixel && qAbs(after.y() - before.y()) <= pixel,
             qPrintable(QDebug::toString(before) + " " + QDebug::toString(after)));

    Wheel(view, mouse, 40, Qt::ControlModifier);
    QCOMPARE(view.Zoom(), CVemoView::kLargestZoom);
    Wheel(view, mouse, -80, Qt::ControlModifier);
    QCOMPARE(view.Zoom(), CVemoView::kSmallestZoom);
    // A page narrower than the window stands in its middle.
    QCOMPARE(view.horizontalScrollBar()->maximum(), 0);
    QVERIFY(qAbs(view.PageSizeInPixels().width() - view.viewport()->width() / 2) <= 1);
}

void TestFormView::viewShowsTheScrolledPart() {
    CVemoDoc doc;
    CVemoView view(&doc);
    view.resize(300, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.SetZoom(2.0);  // wider than the window
    const QImage first = view.viewport()->grab().toImage();
    QVERIFY(InkedPixels(first) > 100);  // the top-left corner of the form, not blank paper

    for (const QPoint& by : {QPoint(0, 53), QPoint(37, 0), QPoint(37, 53)}) {
        view.horizontalScrollBar()->setValue(by.x());
        view.verticalScrollBar()->setValue(by.y());
        QCOMPARE(view.horizontalScrollBar()->value(), by.x());
        QCOMPARE(view.verticalScrollBar()->value(), by.y());
        const QImage scrolled = view.viewport()->grab().toImage();
        QCOMPARE(scrolled.size(), first.size());
        QVERIFY2(PixelsNotMovedBy(first, scrolled, by.x(), by.y()) == 0,
                 qPrintable(QDebug::toString(by)));
        view.horizontalScrollBar()->setValue(0);
        view.verticalScrollBar()->setValue(0);
    }
}

void TestFormView::pdfHoldsOnePageWithBothCopies() {
    VEMO_SKIP_WITHOUT_PDF_TOOLS();
    CVemoDoc doc;
    const QString path = m_folder->FilePath("form.pdf");
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
    for (const QString& placeholder : DocumentTexts(doc)) {
        QVERIFY2(text.count(placeholder) >= 2, qPrintable(placeholder));
    }
}

void TestFormView::pdfDrawsValuesVerbatim() {
    VEMO_SKIP_WITHOUT_PDF_TOOLS();
    CVemoDoc doc;
    doc.m_payer.m_strName = QStringLiteral("Рога & Копыта");
    doc.m_strBasis = QStringLiteral("Оплата по счету && договору");
    const QString path = m_folder->FilePath("form.pdf");
    QString error;
    QVERIFY(WriteFormPdf(path, doc, &error));
    const QString text = PdfText(path);
    QCOMPARE(text.count(QStringLiteral("Рога & Копыта")), 2);
    QCOMPARE(text.count(QStringLiteral("Оплата по счету && договору")), 2);
}

// The cells of the current edition as its published drawing gives them, in millimetres from the
// form's left edge and the top of its grid (the top of the amount in words), and the rules that
// bound each: t, b, l, r for the top, bottom, left and right. A word of the single tax payment
// stands in each cell that holds one. The drawing places the four lines above the grid only by
// their rows: there the form's own heights stand.
void TestFormView::currentEditionCellsStandWithin1Mm_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("w");
    QTest::addColumn<double>("h");
    QTest::addColumn<QString>("rules");
    QTest::addColumn<QString>("word");
    const auto row = [](const char* what, double x, double y, double w, double h, const char* rules,
                        const QString& word) {
        QTest::newRow(what) << x << y << w << h << QString::fromLatin1(rules) << word;
    };
    row("Сумма прописью, caption", 0, 0, 20.2, 14.4, "tbr", "прописью");
    row("6 amount in words", 20.2, 0, 159.8, 14.4, "tbl", "Сорок");
    row("60 payer's ИНН", 0, 14.4, 50.2, 4.5, "tbr", "7701234567");
    row("102 payer's КПП", 50.2, 14.4, 50.1, 4.5, "tblr", "770101001");
    row("8 payer", 0, 18.9, 100.3, 24.7, "tbr", "Ромашка");
    row("8 its caption, in the last 4.5 mm", 0, 39.1, 100.3, 4.5, "b", "Плательщик");
    row("Сумма, caption", 100.3, 14.4, 15.0, 14.5, "tblr", "Сумма");
    row("7 amount", 115.3, 14.4, 64.7, 14.5, "tbl", "48300-00");
    row("9 Сч. №, caption", 100.3, 28.9, 15.0, 14.7, "tblr", "Сч.");
    row("9 payer's account", 115.3, 28.9, 64.7, 14.7, "tl", "40702810900000012345");
    row("10 payer's bank", 0, 43.6, 100.3, 14.2, "tbr", "Северный");
    row("10 its caption, in the last 4.5 mm", 0, 53.3, 100.3, 4.5, "b", "плательщика");
    row("11 БИК, caption", 100.3, 43.6, 15.0, 4.8, "tblr", "БИК");
    row("11 payer's BIK", 115.3, 43.6, 64.7, 4.8, "l", "044525999");
    row("12 Сч. №, caption", 100.3, 48.4, 15.0, 9.4, "tblr", "Сч.");
    row("12 payer's bank's account", 115.3, 48.4, 64.7, 9.4, "lb", "30101810400000000999");
    row("13 recipient's bank", 0, 57.8, 100.3, 15.2, "tbr", "ОКЦ");
    row("13 its caption, in the last 4.5 mm", 0, 68.5, 100.3, 4.5, "b", "получателя");
    row("14 БИК, caption", 100.3, 57.8, 15.0, 4.9, "tblr", "БИК");
    row("14 recipient's BIK", 115.3, 57.8, 64.7, 4.9, "tl", "017003983");
    row("15 Сч. №, caption", 100.3, 62.7, 15.0, 10.3, "tblr", "Сч.");
    row("15 recipient's bank's account", 115.3, 62.7, 64.7, 10.3, "l", "40102810445370000059");
    row("61 recipient's ИНН", 0, 73.0, 50.2, 4.5, "tbr", "7727406020");
    row("103 recipient's КПП", 50.2, 73.0, 50.1, 4.5, "tblr", "770701001");
    row("16 recipient", 0, 77.5, 100.3, 23.8, "tbr", "Казначейство");
    row("16 its caption, in the last 4.6 mm", 0, 96.7, 100.3, 4.6, "b", "Получатель");
    row("17 Сч. №, caption", 100.3, 73.0, 15.0, 14.3, "tblr", "Сч.");
    row("17 recipient's account", 115.3, 73.0, 64.7, 14.3, "lb", "03100643000000018500");
    row("18 Вид оп., caption", 100.3, 87.3, 15.0, 4.7, "tblr", "оп.");
    row("18 kind of operation", 115.3, 87.3, 20.0, 4.7, "tblr", "01");
    row("19 Срок плат., caption", 135.3, 87.3, 20.0, 4.7, "tblr", "Срок");
    row("19 term, never printed", 155.3, 87.3, 24.7, 4.7, "tbl", QString());
    row("20 Наз. пл., caption", 100.3, 92.0, 15.0, 4.7, "tblr", "Наз.");
    row("21 Очер. плат., caption", 135.3, 92.0, 20.0, 4.7, "tblr", "Очер.");
    row("21 priority", 155.3, 92.0, 24.7, 4.7, "tbl", "5");
    row("22 Код, caption", 100.3, 96.7, 15.0, 4.6, "tblr", "Код");
    row("22 Код", 115.3, 96.7, 20.0, 4.6, "tblr", "0");
    row("23 Рез. поле, caption", 135.3, 96.7, 20.0, 4.6, "tblr", "Рез.");
    row("104 КБК", 0, 101.3, 45.2, 4.5, "tbr", "18201061201010000510");
    row("105 ОКТМО", 45.2, 101.3, 30.0, 4.5, "tblr", "0");
    row("106 basis", 75.2, 101.3, 10.0, 4.5, "tblr", "0");
    row("107 period", 85.2, 101.3, 25.1, 4.5, "tblr", "0");
    row("108 document number", 110.3, 101.3, 35.0, 4.5, "tblr", "0");
    row("109 document date", 145.3, 101.3, 25.0, 4.5, "tblr", "0");
    row("110", 170.3, 101.3, 9.7, 4.5, "tbl", QString());
    row("24 purpose", 0, 105.8, 180.0, 24.6, "t", "Единый");
    row("24 its caption, with a rule under it", 0, 130.4, 180.0, 4.6, "b", "Назначение");
    row("101 status box", 173.0, -12.8, 7.0, 6.3, "tblr", "01");
    row("line of Поступ. в банк плат.", 0, -16.6, 35.1, 3.5, "t", "Поступ.");
    row("line of Списано со сч. плат.", 47.6, -16.6, 35.1, 3.5, "t", "Списано");
    row("line of Дата, caption under it", 90.0, -6.5, 35.2, 3.5, "t", "Дата");
    row("line of Вид платежа, caption under it", 130.1, -6.5, 35.1, 3.5, "t", "платежа");
    row("first signature line", 60.3, 149.0, 60.1, 0, "t", QString());
    row("second signature line", 60.3, 164.0, 60.1, 0, "t", QString());
}

// Measured on the PDF's page rendered at 254 dpi, one pixel a tenth of a millimetre: each rule of
// a cell within 1 mm of where the edition's drawing puts it, and its word inside it.
void TestFormView::currentEditionCellsStandWithin1Mm() {
    VEMO_SKIP_WITHOUT_PDF_TOOLS();
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, w);
    QFETCH(double, h);
    QFETCH(QString, rules);
    QFETCH(QString, word);
    static const MeasuredPage page = [this] {
        CVemoDoc doc;
        FillTaxPayment(doc);
        const QString path = m_folder->FilePath("current.pdf");
        QString error;
        return WriteFormPdf(path, doc, &error, FormEdition::Current) ? MeasuredPage::Of(path)
                                                                     : MeasuredPage();
    }();
    QVERIFY2(page.found, "no grid on the page");
    const int left = qRound(x * 10);
    const int top = qRound(y * 10);
    const int right = qRound((x + w) * 10);
    const int bottom = qRound((y + h) * 10);
    const QList<std::pair<QChar, std::optional<int>>> edges{{'t', page.Across(top, left, right)},
                                                            {'b', page.Across(bottom, left, right)},
                                                            {'l', page.Down(left, top, bottom)},
                                                            {'r', page.Down(right, top, bottom)}};
    QStringList measured;
    for (const auto& [edge, at] : edges) {
        if (rules.contains(edge)) {
            QVERIFY2(at, qPrintable(QStringLiteral("no rule at %1").arg(edge)));
            measured << QStringLiteral("%1 %2").arg(edge).arg(*at / 10.0, 0, 'f', 1);
        }
    }
    if (qEnvironmentVariableIsSet("VEMO_SHOW_MEASURES")) {
        qInfo("%s: %s", QTest::currentDataTag(), qPrintable(measured.join(", ")));
    }
    if (!word.isEmpty()) {
        QVERIFY2(page.HasWordIn(
                     word, QRect(QPoint(left - 10, top - 10), QPoint(right + 10, bottom + 10))),
                 qPrintable(word));
    }
}

void TestFormView::pdfCentresTheFormAcrossThePage_data() {
    QTest::addColumn<FormEdition>("edition");
    QTest::addColumn<bool>("twoOnASheet");
    QTest::addColumn<double>("left");  // mm from the paper's edge: (210 - the form's width) / 2
    QTest::newRow("current") << FormEdition::Current << false << 15.0;
    QTest::newRow("current, two on a sheet") << FormEdition::Current << true << 15.0;
    QTest::newRow("2001") << FormEdition::Edition2001 << false << 14.0;
}

// The form stands in the middle of the page, as on the screen and from the print dialog.
void TestFormView::pdfCentresTheFormAcrossThePage() {
    VEMO_SKIP_WITHOUT_PDF_TOOLS();
    QFETCH(FormEdition, edition);
    QFETCH(bool, twoOnASheet);
    QFETCH(double, left);
    CVemoDoc doc;
    doc.MakeBlank();
    const QString path = m_folder->FilePath("page.pdf");
    QString error;
    QVERIFY(WriteFormPdf(path, doc, &error, FormPaper(edition, twoOnASheet)));
    const MeasuredPage page = MeasuredPage::Of(path);
    QVERIFY(page.found);
    QCOMPARE(page.pageSize.width(), 2100);  // A4 at 254 dpi
    const int right = page.pageSize.width() - 1 - page.grid.right();
    QVERIFY2(qAbs(page.grid.left() - left * 10) <= 3 && qAbs(page.grid.left() - right) <= 3,
             qPrintable(QStringLiteral("%1 and %2").arg(page.grid.left()).arg(right)));
}

void TestFormView::pdfFailureLeavesNothing() {
    CVemoDoc doc;
    QString error;
    QVERIFY(!WriteFormPdf(m_folder->FilePath("no/such/folder/form.pdf"), doc, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QDir(m_folder->Path()).mkdir("taken"));
    QVERIFY(!WriteFormPdf(m_folder->FilePath("taken"), doc, &error));
    QVERIFY(QFileInfo(m_folder->FilePath("taken")).isDir());
    QCOMPARE(m_folder->Entries(), QStringList{"taken"});
}

void TestFormView::longestAmountInWordsPrintsWholeOnBothCopies() {
    // The most letters any amount up to 999 999 999 999,99 takes in words.
    const QString words = AmountToWords(888888888888.88);
    QVERIFY(words.endsWith(QStringLiteral("руб. 88 коп.")));
    CVemoDoc doc;
    doc.m_strAmountInWords = words;
    const QString path = m_folder->FilePath("form.pdf");
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
    const QString path = m_folder->FilePath("form.pdf");
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

// Without an order, the blank form: every caption and no placeholder, to be filled in by hand.
// The command line's answers are tst_commandline's.
void TestFormView::pdfCommandLine() {
    const QString work = m_folder->Path();
    QCOMPARE(RunVemo(work, {"--pdf", "out.pdf"}).exitCode, 0);
    QCOMPARE(m_folder->Entries(), QStringList{"out.pdf"});  // no order folder, no data files
    VEMO_SKIP_WITHOUT_PDF_TOOLS();
    const QString page = PdfText(m_folder->FilePath("out.pdf"));
    for (const QString& caption : {QStringLiteral("ПЛАТЕЖНОЕ ПОРУЧЕНИЕ №"),
                                   QStringLiteral("Плательщик"), QStringLiteral("0401060")}) {
        QVERIFY2(page.count(caption) == 1, qPrintable(caption));
    }
    for (const QString& placeholder :
         {QStringLiteral("Название получателя"), QStringLiteral("Счет1 плательщика"),
          QStringLiteral("Налог ..."), QStringLiteral("Номер"), QStringLiteral("КБК")}) {
        QVERIFY2(!page.contains(placeholder), qPrintable(placeholder));
    }
}

// A disk that fills up while the PDF is written (a file size limit on the program): it says so,
// exits with 1, and leaves the path as it was, with no temporary file beside it. Cut near its end,
// the page once came out short with a success.
void TestFormView::pdfOnAFullDisk_data() {
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<double>("room");  // the limit, as a share of the whole PDF
    const QByteArray old = "%PDF- an older page";
    QTest::newRow("replacing a file, cut near the end") << old << 0.9;
    QTest::newRow("replacing a file, cut early") << old << 0.2;
    QTest::newRow("a new file") << QByteArray() << 0.9;
}

void TestFormView::pdfOnAFullDisk() {
    QFETCH(QByteArray, old);
    QFETCH(double, room);
    QTemporaryDir sizing;
    QCOMPARE(RunVemo(sizing.path(), {"--pdf", "whole.pdf"}).exitCode, 0);
    const qint64 whole = QFileInfo(sizing.filePath("whole.pdf")).size();
    QVERIFY(whole > 0);

    const QString work = m_folder->Path();
    if (!old.isEmpty()) {
        WriteBytes(m_folder->FilePath("out.pdf"), old);
    }
    const QStringList before = FolderEntries(work);
    const Run run = RunVemo(work, {"--pdf", "out.pdf"}, rlim_t(whole * room));
    QCOMPARE(run.exitCode, 1);
    // The system's reason, never "Unknown error".
    QVERIFY2(run.errors.contains("out.pdf: превышен допустимый размер файла"),
             qPrintable(run.errors));
    QCOMPARE(FolderEntries(work), before);
    if (!old.isEmpty()) {
        QCOMPARE(ReadBytes(m_folder->FilePath("out.pdf")), old);
    }
}

void TestFormView::pdfToStandardOutput() {
    const QString work = m_folder->Path();
    const Run run = RunVemo(work, {"--pdf", "-"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(WholePdf(run.output));
    QVERIFY(FolderEntries(work).isEmpty());  // no file named "-"
    WriteBytes(m_folder->FilePath("piped.pdf"), run.output);
    QString size;
    QCOMPARE(PdfPages(m_folder->FilePath("piped.pdf"), &size), 1);
}

// Not regular files: written into, never replaced by a regular file. The device is a null
// device node of the test's own, so that a fault here cannot take the system's /dev/null.
void TestFormView::pdfIntoDeviceAndPipe() {
    const QString device = m_folder->FilePath("null");
    if (mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0 ||
        !QFile(device).open(QIODevice::WriteOnly)) {
        QSKIP("no device node can be made and opened here (needs root and a device mount)");
    }
    Run run = RunVemo(m_folder->Path(), {"--pdf", "null"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(IsCharacterDevice(device));
    QVERIFY(QFile::remove(device));

    const QString fifo = m_folder->FilePath("page.fifo");
    QVERIFY(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QProcess reader;  // reads the pipe as another program would
    reader.setWorkingDirectory(m_folder->Path());
    reader.start("timeout", {"60", "cat", "page.fifo"});
    QVERIFY(reader.waitForStarted());
    run = RunVemo(m_folder->Path(), {"--pdf", "page.fifo"});
    QVERIFY(reader.waitForFinished(60000));
    QCOMPARE(run.exitCode, 0);
    QVERIFY(WholePdf(reader.readAllStandardOutput()));
    QFileInfo info(fifo);
    QVERIFY(info.exists() && !info.isFile());
    QCOMPARE(FolderEntries(m_folder->Path()), QStringList{"page.fifo"});
}

QTEST_MAIN(TestFormView)
#include "tst_formview.moc"
