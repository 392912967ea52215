#pragma once

#include <functional>

#include "invoice/InvoiceReader.h"

class QMimeData;
class QPushButton;
class QWidget;

// Where the orders' windows take a supplier's invoice from: a picture or a PDF chosen in the
// downloads folder, the clipboard, or a file or picture dropped on the window. Whatever brings
// it, InvoiceReader reads it into the order it makes.
namespace InvoiceInput {

enum class Source { File, Clipboard };

// Gives the button the menu of the two sources; choosing one calls `read` with it.
void AttachMenu(QPushButton* button, const std::function<void(Source)>& read);

// The invoice from the source: for a file, the user chooses it first, in the downloads folder.
// False when the user cancelled the choice, or, after telling the user why, when no order can be
// made of what was found.
bool Read(QWidget* parent, Source source, const CRequisiteArray& recipients,
          const BikDirectory& directory, InvoiceReader::Result* result);

// Whether a drag brings what an invoice comes in, a file or a picture, rather than text for a
// field.
bool CanDrop(const QMimeData* data);
// Lets a file or a picture be dropped anywhere on the window, on its fields too: `read` is called
// with what was dropped once the drop is over.
void AcceptDrops(QWidget* window, const std::function<void(const QMimeData& data)>& read);
// The same as Read for what was dropped on a window or taken from the clipboard.
bool ReadData(QWidget* parent, const QMimeData& data, const CRequisiteArray& recipients,
              const BikDirectory& directory, InvoiceReader::Result* result);

}  // namespace InvoiceInput
