#pragma once

#include <QList>
#include <QString>

#include "form/FormEdition.h"

class CVemoDoc;
class QPageLayout;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QPrinter;

// The page the form is printed on, the one a bank takes: A4 upright, with margins of 10 mm.
QPageLayout FormPageLayout();
// Sets the printer to that page before its print dialog, where the user may still change it.
void PrepareFormPrinter(QPrinter& printer);

// How far right the drawing of the form is moved, in 0.01 mm, to stand in the middle of a
// printable area printableWidth units wide.
double FormLeftOffset(double printableWidth, FormEdition edition);

// Draws the page on the paper chosen with a painter whose device has dpiX × dpiY pixels per inch:
// the fonts, the canvas and the layout made for that resolution, the form centred across a
// printable area printableWidth units of 0.01 mm wide whose top-left corner is the painter's
// origin. The painter's own transformation (a scroll offset, say) applies on top. Every surface
// places the form so: the screen, the printer, the preview and the PDF.
void PaintFormPage(QPainter& painter, double dpiX, double dpiY, double printableWidth,
                   const CVemoDoc& doc, FormPaper paper = FormEdition::Edition2001);

// Draws the page on a paint device: a printer, a PDF writer or an image, whose width is the
// printable width. The origin is the device's top-left corner: on paper, that of the printable
// area.
void DrawFormPage(QPaintDevice& device, const CVemoDoc& doc,
                  FormPaper paper = FormEdition::Edition2001);

// Writes the page to an A4 PDF file. The file appears only when it is complete; on failure the
// path is left as it was and the reason is in *error. A path of "-" means standard output, and a
// pipe or a device at the path is written into as it stands.
bool WriteFormPdf(const QString& path, const CVemoDoc& doc, QString* error,
                  FormPaper paper = FormEdition::Edition2001);

// Draws each document on a page of its own, in the order given: one print job of as many pages.
void DrawFormPages(QPagedPaintDevice& device, const QList<const CVemoDoc*>& docs,
                   FormPaper paper = FormEdition::Edition2001);

// Writes the documents to an A4 PDF file of one page each, as WriteFormPdf writes one.
bool WriteFormPdf(const QString& path, const QList<const CVemoDoc*>& docs, QString* error,
                  FormPaper paper = FormEdition::Edition2001);
