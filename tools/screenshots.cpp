// Takes the README's screenshots: the main window with a drawn order, the orders archive, the
// order dialog (also as an invoice's code fills it), a recipient's record and the bank's
// statement, run in the working directory (a demo folder, whose statement is loaded first, so that
// the archive shows what the bank did) and saved to the folder named on the command line.
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QMimeData>
#include <QTimer>
#include <cstdio>

#include "app/CMainFrame.h"
#include "app/CVemoApp.h"
#include "bank/StatementImport.h"
#include "form/CVemoDoc.h"
#include "invoice/InvoiceReader.h"
#include "orderwindows/COrderArchiveDlg.h"
#include "orderwindows/COrderDlg.h"
#include "orderwindows/CStatementDlg.h"
#include "requisites/CRequisitesDlg.h"

namespace {

bool Save(QWidget* window, const QString& folder, const QString& name) {
    const QString path = QDir(folder).filePath(name);
    const bool saved = window->grab().save(path);
    std::fprintf(stderr, "%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: vemo_screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);

    CVemoApp app;
    if (!app.InitInstance()) {
        return 1;
    }
    CMainFrame* frame = app.MainFrame();
    frame->showNormal();
    frame->resize(1000, 760);

    bool saved = true;
    {
        // Архив → Загрузить выписку… with the demo's statement.
        const StatementImport import =
            StatementImport::Run(WorkingFolder(), QStringLiteral("kl_to_1c.txt"), BikDirectory(),
                                 QDateTime::currentDateTime());
        CStatementDlg statement(import, WorkingFolder(), frame);
        statement.show();
        QApplication::processEvents();
        saved &= import.refusal.isEmpty() && Save(&statement, folder, "statement-window.png");
    }
    {
        // A recipient's record, as "Изменить" in the recipients' archive opens it.
        const AddressBooks books = WorkingFolder().ReadBooks();
        CRequisitesDlg record(frame);
        record.SetKind(kRecipientsKind);
        if (books.recipients.Count() > 0) {
            record.SetRecord(books.recipients.At(0));
        }
        record.show();
        QApplication::processEvents();
        saved &= Save(&record, folder, "record-dialog.png");
    }
    {
        COrderArchiveDlg archive(*app.Document(), WorkingFolder(), frame);
        archive.show();
        archive.SelectRow(0);
        QApplication::processEvents();
        saved &= Save(&archive, folder, "orders-archive.png");

        // The order dialog of the first order, as "Изменить" opens it.
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            saved &= qobject_cast<COrderDlg*>(dialog) && Save(dialog, folder, "order-dialog.png");
            dialog->close();
        });
        archive.OnEditOrder();
        // The single tax payment, with its budget fields.
        archive.SelectRow(3);
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            saved &=
                qobject_cast<COrderDlg*>(dialog) && Save(dialog, folder, "order-dialog-budget.png");
            dialog->close();
        });
        archive.OnEditOrder();
        archive.SelectRow(0);
        archive.OnOK();  // puts the first order on the form
    }
    {
        // A new order filled from the printing house's invoice, its code's text pasted, the
        // recipient found in the book by INN and account.
        const AddressBooks books = WorkingFolder().ReadBooks();
        COrderDlg order(books, frame);
        order.m_nNumber = 5;
        order.m_date = QDate(2026, 3, 16);
        order.SetFormEdition(FormEdition::Current);
        order.SetLastPayer(QStringLiteral("ООО \"Ромашка\""));
        order.OnInitDialog();
        QMimeData pasted;
        pasted.setText(QStringLiteral(
            "ST00012|Name=ООО «Типография Печатный двор»|PersonalAcc=40702810300000055123|"
            "BankName=АО «Невский торговый банк»|BIC=044030999|CorrespAcc=30101810400000000999|"
            "PayeeINN=7805123456|KPP=780501001|Sum=1850000|"
            "Purpose=Оплата по счету № 77 от 13.03.2026 за печать каталогов|PayerINN=7701234560"));
        const InvoiceReader::Result read =
            InvoiceReader::OrderFromClipboard(pasted, books.recipients.Records(), BikDirectory());
        saved &= read.ok;
        order.FillFromInvoice(read.order);
        order.show();
        QApplication::processEvents();
        saved &= Save(&order, folder, "order-dialog-invoice.png");
    }
    QApplication::processEvents();
    saved &= Save(frame, folder, "main-window.png");
    return saved ? 0 : 1;
}
