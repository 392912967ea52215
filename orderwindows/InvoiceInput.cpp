#include "orderwindows/InvoiceInput.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "widgets/MessageBoxes.h"

namespace InvoiceInput {
namespace {

// Invoices are mostly downloaded from mail or a supplier's site.
QString DownloadsFolder() {
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    return QDir(downloads).exists() ? downloads : QDir::homePath();
}

QString ChooseFile(QWidget* parent) {
    return QFileDialog::getOpenFileName(
        parent, QStringLiteral("Счет с QR-кодом"), DownloadsFolder(),
        QStringLiteral("Счета (*.pdf *.png *.jpg *.jpeg *.PDF *.PNG *.JPG *.JPEG);;Все файлы (*)"));
}

// A PDF of several pages takes a moment; the user sees that it is being read.
template <class Read>
InvoiceReader::Result Reading(const Read& read) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    InvoiceReader::Result result = read();
    QApplication::restoreOverrideCursor();
    return result;
}

bool Told(QWidget* parent, const InvoiceReader::Result& result) {
    if (!result.ok) {
        MessageBoxes::ShowError(parent, result.refusal);
    }
    return result.ok;
}

// What was dropped, kept past the drop: the drag's own data goes with it.
std::shared_ptr<QMimeData> Copy(const QMimeData& data) {
    auto copy = std::make_shared<QMimeData>();
    if (data.hasImage()) {
        copy->setImageData(data.imageData());
    }
    if (data.hasUrls()) {
        copy->setUrls(data.urls());
    }
    if (data.hasText()) {
        copy->setText(data.text());
    }
    return copy;
}

// Takes the drags of files and pictures from the window and the fields it watches; text is left
// to the fields.
class DropFilter : public QObject {
public:
    DropFilter(QWidget* window, const std::function<void(const QMimeData&)>& read)
        : QObject(window), m_window(window), m_read(read) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
            return QObject::eventFilter(watched, event);
        }
        auto* drop = static_cast<QDropEvent*>(event);
        if (!CanDrop(drop->mimeData())) {
            return QObject::eventFilter(watched, event);
        }
        drop->acceptProposedAction();
        if (type == QEvent::Drop) {
            // Read once the drop is over: reading asks questions in windows of its own.
            QTimer::singleShot(0, m_window,
                               [read = m_read, data = Copy(*drop->mimeData())] { read(*data); });
        }
        return true;
    }

private:
    QWidget* m_window;
    std::function<void(const QMimeData&)> m_read;
};

}  // namespace

void AttachMenu(QPushButton* button, const std::function<void(Source)>& read) {
    auto* menu = new QMenu(button);
    menu->addAction(QStringLiteral("Файл счета (PNG, JPEG, PDF)…"), button,
                    [read] { read(Source::File); });
    menu->addAction(QStringLiteral("Из буфера обмена"), button,
                    [read] { read(Source::Clipboard); });
    button->setMenu(menu);
}

bool Read(QWidget* parent, Source source, const CRequisiteArray& recipients,
          const BikDirectory& directory, InvoiceReader::Result* result) {
    if (source == Source::Clipboard) {
        const QMimeData* held = QApplication::clipboard()->mimeData();
        const QMimeData empty;  // the reader says the clipboard holds nothing of use
        return ReadData(parent, held ? *held : empty, recipients, directory, result);
    }
    const QString path = ChooseFile(parent);
    if (path.isEmpty()) {
        return false;
    }
    *result = Reading([&] { return InvoiceReader::OrderFromFile(path, recipients, directory); });
    return Told(parent, *result);
}

bool CanDrop(const QMimeData* data) {
    return data && (data->hasImage() || (data->hasUrls() && !data->urls().isEmpty() &&
                                         data->urls().constFirst().isLocalFile()));
}

void AcceptDrops(QWidget* window, const std::function<void(const QMimeData&)>& read) {
    auto* filter = new DropFilter(window, read);
    window->setAcceptDrops(true);
    window->installEventFilter(filter);
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->acceptDrops()) {
            child->installEventFilter(filter);
        }
    }
}

bool ReadData(QWidget* parent, const QMimeData& data, const CRequisiteArray& recipients,
              const BikDirectory& directory, InvoiceReader::Result* result) {
    *result =
        Reading([&] { return InvoiceReader::OrderFromClipboard(data, recipients, directory); });
    return Told(parent, *result);
}

}  // namespace InvoiceInput
