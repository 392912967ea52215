#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTest>

// PDF files as poppler's tools read them: their text and their pages.

inline bool HavePdfTools() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

// Skips the test where poppler's tools are not installed, rather than failing on an empty text.
#define VEMO_SKIP_WITHOUT_PDF_TOOLS()                                                       \
    do {                                                                                    \
        if (!HavePdfTools()) {                                                              \
            QSKIP("pdftotext and pdfinfo (package poppler-utils) are needed to read PDFs"); \
        }                                                                                   \
    } while (false)

inline QString RunPdfTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of the PDF, line by line as laid out on the page.
inline QString PdfText(const QString& path) {
    return RunPdfTool("pdftotext", {"-layout", path, "-"});
}

// The text of the PDF in the order it was drawn, every run of white space made one blank, so
// that a value broken over lines reads as one.
inline QString PdfTextInDrawingOrder(const QString& path) {
    return RunPdfTool("pdftotext", {"-raw", path, "-"}).simplified();
}

// The words of the PDF's first page in drawing order, each with where it starts on the page in
// whole tenths of a millimetre: "0401060 @ 1650,49".
inline QStringList PdfWordPlaces(const QString& path) {
    const QString xhtml = RunPdfTool("pdftotext", {"-bbox", "-f", "1", "-l", "1", path, "-"});
    static const QRegularExpression word(
        R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)<)re");
    QStringList places;
    for (const QRegularExpressionMatch& m : word.globalMatch(xhtml)) {
        const auto tenths = [](const QString& points) {
            return qRound(points.toDouble() * 254.0 / 72.0);
        };
        places << QStringLiteral("%1 @ %2,%3")
                      .arg(m.captured(3))
                      .arg(tenths(m.captured(1)))
                      .arg(tenths(m.captured(2)));
    }
    return places;
}

// The number of pages, -1 when the file can't be read; *pageSize gets pdfinfo's description.
inline int PdfPages(const QString& path, QString* pageSize) {
    const QString info = RunPdfTool("pdfinfo", {path});
    const QRegularExpressionMatch pages = QRegularExpression("Pages:\\s+(\\d+)").match(info);
    *pageSize = QRegularExpression("Page size:\\s+(.*)\\n").match(info).captured(1);
    return pages.hasMatch() ? pages.captured(1).toInt() : -1;
}
