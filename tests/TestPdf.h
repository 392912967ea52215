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

// The number of pages, -1 when the file can't be read; *pageSize gets pdfinfo's description.
inline int PdfPages(const QString& path, QString* pageSize) {
    const QString info = RunPdfTool("pdfinfo", {path});
    const QRegularExpressionMatch pages = QRegularExpression("Pages:\\s+(\\d+)").match(info);
    *pageSize = QRegularExpression("Page size:\\s+(.*)\\n").match(info).captured(1);
    return pages.hasMatch() ? pages.captured(1).toInt() : -1;
}
