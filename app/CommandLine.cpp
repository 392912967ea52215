#include "app/CommandLine.h"

#include "orders/OrderTexts.h"

namespace {

CommandLine Fail(const QString& error) {
    CommandLine line;
    line.mode = CommandLine::Mode::Error;
    line.error = error;
    return line;
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine line;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            line.mode = CommandLine::Mode::Help;
            return line;
        }
        if (argument == QLatin1String("--pdf") || argument == QLatin1String("--words")) {
            if (!hasValue) {
                return Fail(QStringLiteral("%1 needs a value").arg(argument));
            }
            if (line.mode != CommandLine::Mode::Editor) {
                return Fail(QStringLiteral("--pdf and --words cannot be combined"));
            }
            const QString value = arguments.at(++i);
            if (argument == QLatin1String("--pdf")) {
                if (value.isEmpty()) {
                    return Fail(QStringLiteral("--pdf needs a file name"));
                }
                line.mode = CommandLine::Mode::Pdf;
                line.pdfPath = value;
            } else {
                line.mode = CommandLine::Mode::Words;
                line.amountText = value;
            }
            continue;
        }
        if (argument == QLatin1String("--order")) {
            if (!hasValue) {
                return Fail(QStringLiteral("--order needs an order number"));
            }
            const QString value = arguments.at(++i);
            if (!OrderTexts::ParseWholeNumber(value, &line.orderNumber) || line.orderNumber < 1) {
                return Fail(QStringLiteral("--order needs an order number of 1 or more, not %1")
                                .arg(value));
            }
            continue;
        }
        return Fail(QStringLiteral("unknown argument: %1").arg(argument));
    }
    if (line.orderNumber > 0 && line.mode != CommandLine::Mode::Pdf) {
        return Fail(QStringLiteral("--order goes with --pdf"));
    }
    return line;
}

QString CommandLineUsage() {
    return QStringLiteral(
        "Usage: vemo                     open the payment order editor\n"
        "       vemo --pdf OUT.pdf       write the form page (both copies) to a PDF file\n"
        "            [--order N]         with order N of Vemo/ and its requisites on it\n"
        "       vemo --words AMOUNT      print the amount in Russian words\n");
}
