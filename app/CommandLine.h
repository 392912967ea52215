#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "bank/OrderStates.h"
#include "form/FormEdition.h"

// What the program was asked to do on its command line.
struct CommandLine {
    enum class Mode {
        Editor,           // no arguments: open the editor
        Pdf,              // --pdf OUT.pdf [--order N]...: write the form page(s) to a PDF file
        Words,            // --words AMOUNT: print the amount in words
        Check,            // --check: check the data files of the working folder, writing nothing
        Export,           // --export OUT [--order N]...: write orders to a file for the bank
        Import,           // --import-bik FILE: take the Bank of Russia's directory of BIKs
        List,             // --list [--state=…]: print the archive with each order's state
        ImportStatement,  // --import-statement FILE: read the bank's statement
        ReadQr,           // --read-qr FILE: print what an invoice's payment QR code holds
        Register,  // --register OUT.csv|OUT.pdf [--order N]...: the register of orders for signing
        Backup,    // --backup OUT.zip: a copy of the working folder's data
        Help,      // --help
        Version,   // --version
        Error,     // bad arguments; the reason is in error
    };

    Mode mode = Mode::Editor;
    QString pdfPath;
    QList<int> pdfOrders;  // with --pdf: every order named, a page each, as given
    QString amountText;
    QString exportPath;       // "-" for standard output
    QList<int> exportOrders;  // with --export: the orders named, as given; empty for all not sent
    bool resend = false;      // with --export: orders that went to the bank before go again
    QString folder;           // --folder DIR: the working folder; empty for the current directory
    bool userFolder = false;  // --user-folder: the user's own folder, as the desktop menu starts
    // With --pdf or --words: the edition of the form given by --form; none for the one chosen
    // in the editor.
    std::optional<FormEdition> edition;
    QString bikPath;  // with --import-bik: the directory's XML file or its zip
    OrderStates::Filter listFilter = OrderStates::Filter::All;  // with --list: --state's choice
    QString statementPath;      // with --import-statement: the statement's file
    QString invoicePath;        // with --read-qr: a picture or a PDF of the invoice
    QString registerPath;       // with --register: a .pdf or .csv file
    QList<int> registerOrders;  // with --register: the orders named, as given; empty for all
    QString backupPath;         // with --backup: the zip file, or "-"
    // --today: the program's today for the editor, --register and --backup, for tests and
    // demonstrations; invalid for the system's.
    QDate today;
    QString error;
};

// Parses the arguments after the program name: long options as --name VALUE or --name=VALUE,
// and "--" to end the options.
CommandLine ParseCommandLine(const QStringList& arguments);

// The values of --state, as the archive's choice of what it shows: "all", "not-sent", "sent" (and
// not executed), "executed".
QString StateFilterName(OrderStates::Filter filter);

// The usage text printed by --help and after a bad argument.
QString CommandLineUsage();
