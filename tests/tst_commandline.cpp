// The command line: which mode each set of arguments asks for, and what is refused.
#include <QtTest>

#include "app/CommandLine.h"

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void parses_data();
    void parses();
};

void TestCommandLine::parses_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("value");
    using Mode = CommandLine::Mode;
    QTest::newRow("plain start") << QStringList{} << int(Mode::Editor) << QString();
    QTest::newRow("pdf") << QStringList{"--pdf", "out.pdf"} << int(Mode::Pdf) << "out.pdf";
    QTest::newRow("words") << QStringList{"--words", "1 234,56"} << int(Mode::Words) << "1 234,56";
    QTest::newRow("words of a negative amount")
        << QStringList{"--words", "-5"} << int(Mode::Words) << "-5";
    QTest::newRow("help") << QStringList{"--help"} << int(Mode::Help) << QString();
    QTest::newRow("pdf without a name") << QStringList{"--pdf"} << int(Mode::Error) << QString();
    QTest::newRow("empty pdf name") << QStringList{"--pdf", ""} << int(Mode::Error) << QString();
    QTest::newRow("unknown") << QStringList{"--frobnicate"} << int(Mode::Error) << QString();
    QTest::newRow("a document name") << QStringList{"file.vemo"} << int(Mode::Error) << QString();
    QTest::newRow("both") << QStringList{"--pdf", "a.pdf", "--words", "1"} << int(Mode::Error)
                          << QString();
}

void TestCommandLine::parses() {
    QFETCH(QStringList, arguments);
    QFETCH(int, mode);
    QFETCH(QString, value);
    const CommandLine line = ParseCommandLine(arguments);
    QCOMPARE(int(line.mode), mode);
    if (line.mode == CommandLine::Mode::Error) {
        QVERIFY(!line.error.isEmpty());
    } else if (line.mode == CommandLine::Mode::Pdf) {
        QCOMPARE(line.pdfPath, value);
    } else if (line.mode == CommandLine::Mode::Words) {
        QCOMPARE(line.amountText, value);
    }
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
