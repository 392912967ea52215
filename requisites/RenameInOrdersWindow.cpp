#include "requisites/RenameInOrdersWindow.h"

#include <QCloseEvent>
#include <QHash>
#include <QProgressBar>
#include <QProgressDialog>

#include "common/QuotedValue.h"
#include "common/RussianPlural.h"
#include "widgets/MessageBoxes.h"

namespace RenameInOrdersWindow {
namespace {

// A rename that would take longer than this shows its progress; a short one never flashes it.
constexpr int kShowProgressAfterMs = 500;
// A message names at most this many orders left, then counts the rest.
constexpr qsizetype kMostNamesTold = 10;

// A progress window that stays until the rename ends: stopping half way is what it guards
// against.
class RenameProgressDialog : public QProgressDialog {
public:
    using QProgressDialog::QProgressDialog;

protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
    void reject() override {}
};

QString Orders(int count) {
    return RussianPlural(count, QStringLiteral("платежном поручении"),
                         QStringLiteral("платежных поручениях"),
                         QStringLiteral("платежных поручениях"));
}

QString Names(const OrdersRenamed& done) {
    return QStringLiteral("%1 → %2").arg(QuotedValue(done.oldName), QuotedValue(done.newName));
}

// Runs the step under a progress window; the window shows once the rename proves long, and from
// then on every order written lets the windows answer.
OrdersRenamed RunShowingProgress(QWidget* parent, const Step& step) {
    RenameProgressDialog progress(parent);
    progress.setWindowTitle(QStringLiteral("Переименование"));
    progress.setLabelText(QStringLiteral("Новое имя записывается в платежные поручения…"));
    auto* bar = new QProgressBar(&progress);
    bar->setFormat(QStringLiteral("%v из %m"));
    progress.setBar(bar);
    progress.setCancelButton(nullptr);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(kShowProgressAfterMs);
    progress.setAutoReset(false);
    return step([&progress](int written, int total) {
        progress.setMaximum(qMax(total, 1));
        progress.setValue(written);
    });
}

// The orders left with the old name, a paragraph for each reason in the order first met, each
// naming the first few orders of a long list: "Нет места на диске: Vemo/vemo.7, … и еще 23."
QString LeftList(const QList<OrderLeft>& failed) {
    QStringList reasons;
    QHash<QString, QStringList> files;
    for (const OrderLeft& order : failed) {
        if (!files.contains(order.reason)) {
            reasons.append(order.reason);
        }
        files[order.reason].append(order.file);
    }
    QStringList paragraphs;
    for (const QString& reason : reasons) {
        const QStringList& all = files.value(reason);
        QString named = all.mid(0, kMostNamesTold).join(QStringLiteral(", "));
        if (all.size() > kMostNamesTold) {
            named += QStringLiteral(" и еще %1").arg(all.size() - kMostNamesTold);
        }
        const QString why = reason.isEmpty() ? QStringLiteral("Не записаны") : reason;
        paragraphs.append(why.left(1).toUpper() + why.mid(1) + QStringLiteral(": ") + named +
                          QLatin1Char('.'));
    }
    return paragraphs.join(QStringLiteral("\n\n"));
}

// What the user chose after a rename: nothing more, the whole rename once more (it never
// started), or the orders it left.
enum class Next { Stop, Again, Rest };

bool AskRetry(QWidget* parent, const QString& text, const QString& no) {
    return MessageBoxes::AskChoice(parent, QStringLiteral("Переименование"), text,
                                   QStringLiteral("Повторить"), no,
                                   MessageBoxes::Choice::Second) == MessageBoxes::Choice::First;
}

// Tells what came of the rename, and asks whether to try again where something failed.
Next TellAndAskRetry(QWidget* parent, const OrdersRenamed& done) {
    switch (done.outcome) {
        case OrdersRenamed::Outcome::Nothing:
        case OrdersRenamed::Outcome::UnderWay:
            return Next::Stop;
        case OrdersRenamed::Outcome::NotStarted:
            if (done.resumed) {
                MessageBoxes::ShowError(parent, done.error);
                return Next::Stop;
            }
            return AskRetry(parent,
                            MessageBoxes::WithReason(
                                QStringLiteral("Платежки не переименованы, в них осталось %1")
                                    .arg(QuotedValue(done.oldName)),
                                done.error),
                            QStringLiteral("Не переименовывать"))
                       ? Next::Again
                       : Next::Stop;
        case OrdersRenamed::Outcome::BookNotWritten:
            // A rename of the user's own: why the book was not written is told already.
            MessageBoxes::ShowError(
                parent,
                done.resumed
                    ? QStringLiteral("Переименование %1 прервалось, не дойдя до реквизитов: "
                                     "реквизиты и платежки остались с %2.")
                          .arg(Names(done), QuotedValue(done.oldName))
                    : QStringLiteral("Платежки не переименованы: в них осталось %1.")
                          .arg(QuotedValue(done.oldName)));
            return Next::Stop;
        case OrdersRenamed::Outcome::OrdersWritten:
            break;
    }
    if (done.failed.isEmpty()) {
        if (done.resumed && done.total > 0) {
            MessageBoxes::ShowDone(
                parent, QStringLiteral("Прерванное переименование %1 закончено: новое имя "
                                       "записано еще в %2 %3.")
                            .arg(Names(done), QString::number(done.total), Orders(done.total)));
        }
        return Next::Stop;
    }
    const int left = int(done.failed.size());
    const QString text =
        QStringLiteral(
            "Переименование %1 не закончено: в %2 %3 из %4 осталось старое имя.\n\n"
            "%5\n\nКогда причина устранена (например, на диске освобождено место), "
            "нажмите «Повторить». Иначе программа допишет их при следующем запуске "
            "или открытии архива.")
            .arg(Names(done), QString::number(left), Orders(left), QString::number(done.total),
                 LeftList(done.failed));
    return AskRetry(parent, text, QStringLiteral("Позже")) ? Next::Rest : Next::Stop;
}

}  // namespace

void Run(QWidget* parent, const Step& step, const Step& retry) {
    OrdersRenamed done = RunShowingProgress(parent, step);
    for (Next next = TellAndAskRetry(parent, done); next != Next::Stop;
         next = TellAndAskRetry(parent, done)) {
        done = RunShowingProgress(parent, next == Next::Again ? step : retry);
    }
}

}  // namespace RenameInOrdersWindow
