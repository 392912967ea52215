#pragma once

#include <QString>

#include <QList>

#include "form/FormEdition.h"

class CVemoDoc;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// Draws the page in the edition with a painter whose device has dpiX × dpiY pixels per inch: the
// fonts, the canvas and the layout made for that resolution. The painter's own transformation (a
// scroll offset, say) applies on top.
void PaintFormPage(QPainter& painter, double dpiX, double dpiY, const CVemoDoc& doc,
                   FormEdition edition = FormEdition::Edition2001);

// Draws the page (both copies and the cut line) on a paint device: a printer, a PDF writer or an
// image. The origin is the device's top-left corner: on paper, that of the printable area.
void DrawFormPage(QPaintDevice& device, const CVemoDoc& doc,
                  FormEdition edition = FormEdition::Edition2001);

// Writes the page to an A4 PDF file. The file appears only when it is complete; on failure the
// path is left as it was and the reason is in *error. A path of "-" means standard output, and a
// pipe or a device at the path is written into as it stands.
bool WriteFormPdf(const QString& path, const CVemoDoc& doc, QString* error,
                  FormEdition edition = FormEdition::Edition2001);

// Draws each document on a page of its own, in the order given: one print job of as many pages.
void DrawFormPages(QPagedPaintDevice& device, const QList<const CVemoDoc*>& docs,
                   FormEdition edition = FormEdition::Edition2001);

// Writes the documents to an A4 PDF file of one page each, as WriteFormPdf writes one.
bool WriteFormPdf(const QString& path, const QList<const CVemoDoc*>& docs, QString* error,
                  FormEdition edition = FormEdition::Edition2001);
