#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QList>
#include <QRegularExpression>

#include "app/UserFolder.h"
#include "common/QuotedValue.h"
#include "orders/OrderAmount.h"
#include "orders/OrderTexts.h"

namespace {

using Mode = CommandLine::Mode;

// The options that choose what the program does: at most one of them, given once. A new mode
// is a row here, its options below, and a case in ReadMode.
struct ModeOption {
    const char* name;
    Mode mode;
};
const ModeOption kModeOptions[] = {
    {"pdf", Mode::Pdf},
    {"words", Mode::Words},
    {"check", Mode::Check},
    {"export", Mode::Export},
    {"import-bik", Mode::Import},
    {"list", Mode::List},
    {"import-statement", Mode::ImportStatement},
    {"read-qr", Mode::ReadQr},
    {"register", Mode::Register},
    {"backup", Mode::Backup},
};

// Options that refine a mode, each with the mode option it goes with. An option that refines
// several modes has a row for each.
struct ModeDetail {
    const char* name;
    const char* modeOption;
};
const ModeDetail kModeDetails[] = {
    {"order", "pdf"},     {"order", "export"}, {"form", "pdf"},       {"form", "words"},
    {"resend", "export"}, {"state", "list"},   {"order", "register"},
};

const OrderStates::Filter kStateFilters[] = {
    OrderStates::Filter::All,
    OrderStates::Filter::NotSent,
    OrderStates::Filter::SentNotExecuted,
    OrderStates::Filter::Executed,
};

CommandLine Fail(const QString& error) {
    CommandLine line;
    line.mode = Mode::Error;
    line.error = error;
    return line;
}

QString Dashed(const char* name) {
    return QStringLiteral("--") + QLatin1String(name);
}

// An option as the user typed it, without its value: the parser reports bare names.
QString AsTyped(const QString& name, const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--")) {
            break;
        }
        const QString typed = argument.section(QLatin1Char('='), 0, 0);
        qsizetype dashes = 0;
        while (dashes < typed.size() && typed[dashes] == QLatin1Char('-')) {
            ++dashes;
        }
        if (dashes > 0 && typed.mid(dashes) == name) {
            return typed;
        }
    }
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// The parser's own error in Russian: it words the two that are left after unknown options, a value
// missing after an option and a value given to a switch, in English whatever the language.
QString ParseErrorText(const QCommandLineParser& parser) {
    static const QRegularExpression kQuoted(QStringLiteral("'([^']*)'"));
    const QString text = parser.errorText();
    const QString option = kQuoted.match(text).captured(1);
    if (text.startsWith(QLatin1String("Missing value"))) {
        return QStringLiteral("после %1 нужно значение").arg(option);
    }
    if (text.startsWith(QLatin1String("Unexpected value"))) {
        return QStringLiteral("у %1 не бывает значения").arg(option);
    }
    return text;
}

void AddOptions(QCommandLineParser& parser) {
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    parser.addOption(QCommandLineOption(QStringLiteral("version")));
    parser.addOption(QCommandLineOption(QStringLiteral("pdf"), QString(), QStringLiteral("OUT")));
    parser.addOption(QCommandLineOption(QStringLiteral("order"), QString(), QStringLiteral("N")));
    parser.addOption(
        QCommandLineOption(QStringLiteral("words"), QString(), QStringLiteral("AMOUNT")));
    parser.addOption(QCommandLineOption(QStringLiteral("check")));
    parser.addOption(
        QCommandLineOption(QStringLiteral("export"), QString(), QStringLiteral("OUT")));
    parser.addOption(
        QCommandLineOption(QStringLiteral("folder"), QString(), QStringLiteral("DIR")));
    parser.addOption(QCommandLineOption(QStringLiteral("user-folder")));
    parser.addOption(
        QCommandLineOption(QStringLiteral("form"), QString(), QStringLiteral("EDITION")));
    parser.addOption(
        QCommandLineOption(QStringLiteral("import-bik"), QString(), QStringLiteral("FILE")));
    parser.addOption(QCommandLineOption(QStringLiteral("resend")));
    parser.addOption(QCommandLineOption(QStringLiteral("list")));
    parser.addOption(
        QCommandLineOption(QStringLiteral("state"), QString(), QStringLiteral("STATE")));
    parser.addOption(
        QCommandLineOption(QStringLiteral("import-statement"), QString(), QStringLiteral("FILE")));
    parser.addOption(
        QCommandLineOption(QStringLiteral("read-qr"), QString(), QStringLiteral("FILE")));
    parser.addOption(
        QCommandLineOption(QStringLiteral("register"), QString(), QStringLiteral("OUT")));
    parser.addOption(
        QCommandLineOption(QStringLiteral("backup"), QString(), QStringLiteral("OUT")));
    parser.addOption(
        QCommandLineOption(QStringLiteral("today"), QString(), QStringLiteral("DATE")));
}

// The choice of --state, once at most; false with *error set for anything else.
bool ReadStateFilter(const QCommandLineParser& parser, OrderStates::Filter* filter,
                     QString* error) {
    const QStringList values = parser.values(QStringLiteral("state"));
    if (values.size() > 1) {
        *error = QStringLiteral("--state можно указать только один раз");
        return false;
    }
    if (values.isEmpty()) {
        return true;
    }
    QStringList names;
    for (OrderStates::Filter known : kStateFilters) {
        if (values.first() == StateFilterName(known)) {
            *filter = known;
            return true;
        }
        names.append(StateFilterName(known));
    }
    *error = QStringLiteral("--state: «%1» — такого выбора нет; укажите %2")
                 .arg(values.first(), names.join(QStringLiteral(", ")));
    return false;
}

// The program's today of --today, once at most and only where a day matters: the editor (the
// payments due), --list (an order sent long ago and not in the statements), the register's date
// and the copy's.
bool ReadToday(const QCommandLineParser& parser, CommandLine* line, QString* error) {
    const QStringList values = parser.values(QStringLiteral("today"));
    if (values.isEmpty()) {
        return true;
    }
    if (values.size() > 1) {
        *error = QStringLiteral("--today задан больше одного раза");
        return false;
    }
    if (line->mode != Mode::Editor && line->mode != Mode::List && line->mode != Mode::Register &&
        line->mode != Mode::Backup) {
        *error = QStringLiteral(
            "--today задается только для редактора, --list, --register или --backup");
        return false;
    }
    line->today = QDate::fromString(values.first(), QStringLiteral("yyyy-MM-dd"));
    if (!line->today.isValid()) {
        *error = QStringLiteral("--today: нужна дата ГГГГ-ММ-ДД, а не «%1»").arg(values.first());
        return false;
    }
    return true;
}

// Where the program works, for every mode: the folder given, the user's own, or the current one.
bool ReadFolder(const QCommandLineParser& parser, CommandLine* line, QString* error) {
    const QStringList folders = parser.values(QStringLiteral("folder"));
    line->userFolder = parser.isSet(QStringLiteral("user-folder"));
    if (folders.size() > 1) {
        *error = QStringLiteral("--folder задан больше одного раза");
        return false;
    }
    if (folders.isEmpty()) {
        return true;
    }
    if (line->userFolder) {
        *error = QStringLiteral("--folder и --user-folder нельзя задать вместе");
        return false;
    }
    line->folder = folders.first();
    if (line->folder.isEmpty()) {
        *error = QStringLiteral("после --folder нужно имя папки");
        return false;
    }
    return true;
}

// The edition of --form, once at most; false with *error set for anything else.
bool ReadEdition(const QCommandLineParser& parser, std::optional<FormEdition>* edition,
                 QString* error) {
    const QStringList values = parser.values(QStringLiteral("form"));
    if (values.size() > 1) {
        *error = QStringLiteral("--form можно указать только один раз");
        return false;
    }
    if (values.isEmpty()) {
        return true;
    }
    FormEdition chosen = FormEdition::Edition2001;
    if (!FormEditions::FromName(values.first(), &chosen)) {
        *error = QStringLiteral("--form: редакция бланка %1 неизвестна; укажите %2 или %3")
                     .arg(QuotedValue(values.first()), FormEditions::Name(FormEdition::Edition2001),
                          FormEditions::Name(FormEdition::Current));
        return false;
    }
    *edition = chosen;
    return true;
}

// The order numbers of all --order options, each 1 or more; false with *error set otherwise.
bool ReadOrderNumbers(const QCommandLineParser& parser, QList<int>* numbers, QString* error) {
    for (const QString& value : parser.values(QStringLiteral("order"))) {
        int number = 0;
        if (!OrderTexts::ParseWholeNumber(value, &number) || number < 1) {
            *error = QStringLiteral("после --order нужен номер платежного поручения от 1, а не %1")
                         .arg(QuotedValue(value));
            return false;
        }
        numbers->append(number);
    }
    return true;
}

// The one mode option given, Editor for none; false when there are several.
bool ChooseMode(const QCommandLineParser& parser, Mode* mode, QString* error) {
    QStringList given;
    *mode = Mode::Editor;
    for (const ModeOption& option : kModeOptions) {
        // Counted by name, which counts a switch as well as an option with a value.
        const qsizetype count = parser.optionNames().count(QLatin1String(option.name));
        if (count > 1) {
            *error = QStringLiteral("%1 задан больше одного раза").arg(Dashed(option.name));
            return false;
        }
        if (count == 1) {
            given.append(Dashed(option.name));
            *mode = option.mode;
        }
    }
    if (given.size() > 1) {
        *error = QStringLiteral("%1 нельзя задать вместе").arg(given.join(QStringLiteral(" и ")));
        return false;
    }
    return true;
}

// Refuses an option given without the mode option it refines.
bool DetailsFitMode(const QCommandLineParser& parser, QString* error) {
    for (const ModeDetail& detail : kModeDetails) {
        if (!parser.isSet(QLatin1String(detail.name))) {
            continue;
        }
        QStringList owners;
        bool fits = false;
        for (const ModeDetail& other : kModeDetails) {
            if (qstrcmp(other.name, detail.name) == 0) {
                owners.append(Dashed(other.modeOption));
                fits = fits || parser.isSet(QLatin1String(other.modeOption));
            }
        }
        if (!fits) {
            *error = QStringLiteral("%1 задается только вместе с %2")
                         .arg(Dashed(detail.name), owners.join(QStringLiteral(" или ")));
            return false;
        }
    }
    return true;
}

// Fills in the values of the chosen mode.
CommandLine ReadMode(const QCommandLineParser& parser, Mode mode) {
    CommandLine line;
    line.mode = mode;
    if (mode == Mode::Pdf || mode == Mode::Words) {
        QString error;
        if (!ReadEdition(parser, &line.edition, &error)) {
            return Fail(error);
        }
    }
    switch (mode) {
        case Mode::Pdf: {
            line.pdfPath = parser.value(QStringLiteral("pdf"));
            if (line.pdfPath.isEmpty()) {
                return Fail(QStringLiteral("после --pdf нужно имя файла"));
            }
            QString error;
            if (!ReadOrderNumbers(parser, &line.pdfOrders, &error)) {
                return Fail(error);
            }
            return line;
        }
        case Mode::Words: {
            // By the rule of the order dialog, the form and --check: a text that is not an
            // amount there has no words here either.
            line.amountText = parser.value(QStringLiteral("words"));
            qint64 kopecks = 0;
            if (!OrderAmount::ParseKopecks(line.amountText, &kopecks)) {
                return Fail(OrderAmount::WrongAmountMessage(line.amountText));
            }
            return line;
        }
        case Mode::Export: {
            line.exportPath = parser.value(QStringLiteral("export"));
            if (line.exportPath.isEmpty()) {
                return Fail(QStringLiteral(
                    "после --export нужно имя файла или «-» для стандартного вывода"));
            }
            QString error;
            if (!ReadOrderNumbers(parser, &line.exportOrders, &error)) {
                return Fail(error);
            }
            line.resend = parser.isSet(QStringLiteral("resend"));
            return line;
        }
        case Mode::List: {
            QString error;
            if (!ReadStateFilter(parser, &line.listFilter, &error)) {
                return Fail(error);
            }
            return line;
        }
        case Mode::Register: {
            line.registerPath = parser.value(QStringLiteral("register"));
            if (line.registerPath.isEmpty()) {
                return Fail(QStringLiteral("после --register нужно имя файла .pdf или .csv"));
            }
            QString error;
            if (!ReadOrderNumbers(parser, &line.registerOrders, &error)) {
                return Fail(error);
            }
            return line;
        }
        case Mode::Backup:
            line.backupPath = parser.value(QStringLiteral("backup"));
            if (line.backupPath.isEmpty()) {
                return Fail(QStringLiteral("после --backup нужно имя файла копии"));
            }
            return line;
        case Mode::ImportStatement:
            line.statementPath = parser.value(QStringLiteral("import-statement"));
            if (line.statementPath.isEmpty()) {
                return Fail(QStringLiteral("--import-statement: нужно имя файла выписки"));
            }
            return line;
        case Mode::Import:
            line.bikPath = parser.value(QStringLiteral("import-bik"));
            if (line.bikPath.isEmpty()) {
                return Fail(QStringLiteral("--import-bik: нужно имя файла справочника БИК"));
            }
            return line;
        case Mode::ReadQr:
            line.invoicePath = parser.value(QStringLiteral("read-qr"));
            if (line.invoicePath.isEmpty()) {
                return Fail(QStringLiteral("--read-qr: нужно имя файла счета (PNG, JPEG, PDF)"));
            }
            return line;
        case Mode::Editor:
        case Mode::Check:
        case Mode::Help:
        case Mode::Version:
        case Mode::Error:
            return line;
    }
    return line;
}

}  // namespace

QString StateFilterName(OrderStates::Filter filter) {
    switch (filter) {
        case OrderStates::Filter::All:
            return QStringLiteral("all");
        case OrderStates::Filter::NotSent:
            return QStringLiteral("not-sent");
        case OrderStates::Filter::SentNotExecuted:
            return QStringLiteral("sent");
        case OrderStates::Filter::Executed:
            return QStringLiteral("executed");
    }
    return QString();
}

CommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    AddOptions(parser);
    if (!parser.parse(QStringList{QStringLiteral("vemo")} + arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        return Fail(unknown.isEmpty() ? ParseErrorText(parser)
                                      : QStringLiteral("неизвестный параметр: %1")
                                            .arg(AsTyped(unknown.first(), arguments)));
    }
    if (parser.isSet(QStringLiteral("help"))) {
        return ReadMode(parser, Mode::Help);
    }
    if (parser.isSet(QStringLiteral("version"))) {
        return ReadMode(parser, Mode::Version);
    }
    const QStringList extra = parser.positionalArguments();
    if (!extra.isEmpty()) {
        return Fail(QStringLiteral("лишний аргумент: %1").arg(extra.first()));
    }
    Mode mode = Mode::Editor;
    QString error;
    if (!ChooseMode(parser, &mode, &error) || !DetailsFitMode(parser, &error)) {
        return Fail(error);
    }
    CommandLine line = ReadMode(parser, mode);
    if (line.mode != Mode::Error &&
        (!ReadFolder(parser, &line, &error) || !ReadToday(parser, &line, &error))) {
        return Fail(error);
    }
    return line;
}

QString CommandLineUsage() {
    return QStringLiteral(
               "Запуск: vemo                    открыть редактор платежных поручений\n"
               "        vemo --pdf OUT.pdf      записать пустой бланк в файл PDF\n"
               "             [--order N]...     с платежным поручением N из Vemo/ и его "
               "реквизитами;\n"
               "                                несколько --order — по странице на каждое\n"
               "        vemo --words СУММА      напечатать сумму прописью\n"
               "        --form=2001|current     с --pdf и --words: бланк редакции 2001 года или\n"
               "                                действующей (762-П); без него — выбранный в "
               "редакторе,\n"
               "                                а если он не выбран, действующий\n"
               "        vemo --check            проверить реквизиты и платежки рабочей папки: по "
               "строке\n"
               "                                на каждую ошибку, код выхода 1, если они есть\n"
               "        vemo --export OUT       выгрузить в файл для банка платежки, еще не "
               "выгруженные;\n"
               "                                по файлу на каждый банк плательщиков "
               "(OUT_БИК.txt)\n"
               "             [--order N]...     только названные платежки; «-» вместо OUT —\n"
               "                                стандартный вывод\n"
               "             [--resend]         выгрузить и уже выгруженные раньше\n"
               "        vemo --list             напечатать архив: номер, дата, плательщик, "
               "получатель,\n"
               "                                сумма, состояние — через табуляцию\n"
               "             [--state=S]        только all (все), not-sent (не отправленные),\n"
               "                                sent (отправленные, не исполненные), executed\n"
               "                                (исполненные)\n"
               "        vemo --import-statement ФАЙЛ  загрузить выписку банка и напечатать ее\n"
               "        vemo --folder=DIR ...   работать в папке DIR, а не в текущей (с любым "
               "режимом)\n"
               "        vemo --user-folder ...  работать в своей папке пользователя ~/%1, как при\n"
               "                                запуске из меню; редактор создает ее при первом "
               "запуске\n"
               "        vemo --import-bik ФАЙЛ  загрузить справочник БИК Банка России (XML или "
               "zip)\n"
               "        vemo --read-qr ФАЙЛ     напечатать, что в QR-коде счета (PNG, JPEG, "
               "PDF),\n"
               "                                по полю в строке; код выхода 1, если платежного\n"
               "                                QR-кода нет\n"
               "        vemo --register OUT     реестр платежек на подпись в файл .pdf или .csv\n"
               "             [--order N]...     только названные платежки; без --order — все\n"
               "        vemo --backup OUT.zip   копия данных рабочей папки в один файл zip\n"
               "        --today=ГГГГ-ММ-ДД      для проверок и показа: считать сегодня этот день\n"
               "                                (редактор, --list, --register, --backup)\n"
               "        vemo --help             напечатать эту справку\n"
               "        vemo --version          напечатать версию программы\n"
               "Значение параметра пишется следующим аргументом или после «=» (--pdf=OUT.pdf);\n"
               "«--» завершает параметры.\n")
        .arg(UserFolder::Name());
}
