#pragma once

#include <QFile>
#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Checked-in recordings under tests/golden/, one line per item, in UTF-8. Lines starting with "#"
// describe the file and are not compared. With VEMO_UPDATE_GOLDEN=1 in the environment a
// comparison rewrites the file with what was produced (and the header given) instead.

inline QString GoldenPath(const QString& name) {
    return QStringLiteral(VEMO_TESTS_SOURCE_DIR "/golden/") + name;
}

inline bool UpdatingGolden() {
    return qEnvironmentVariable("VEMO_UPDATE_GOLDEN") == QLatin1String("1");
}

// Returns an empty string when the lines match the file; otherwise a report of the first
// differing lines, with the file's line numbers.
inline QString CompareWithGolden(const QStringList& actual, const QString& name,
                                 const QStringList& header) {
    const QString path = GoldenPath(name);
    if (UpdatingGolden()) {
        QSaveFile file(path);
        QString text;
        for (const QString& line : header) {
            text += QStringLiteral("# ") + line + QLatin1Char('\n');
        }
        text += actual.join(QLatin1Char('\n')) + QLatin1Char('\n');
        if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
            return QStringLiteral("cannot rewrite %1: %2").arg(path, file.errorString());
        }
        qInfo("rewrote %s", qPrintable(path));
        return QString();
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("cannot read %1 (VEMO_UPDATE_GOLDEN=1 writes it)").arg(path);
    }
    QStringList expected;
    QList<int> lineNumbers;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (!lines.at(i).startsWith(QLatin1Char('#')) &&
            !(i == lines.size() - 1 && lines.at(i).isEmpty())) {
            expected.append(lines.at(i));
            lineNumbers.append(i + 1);
        }
    }

    constexpr int kShown = 5;
    QStringList report;
    const int count = qMax(expected.size(), actual.size());
    for (int i = 0; i < count && report.size() < 3 * kShown; ++i) {
        const QString want = i < expected.size() ? expected.at(i) : QStringLiteral("<nothing>");
        const QString got = i < actual.size() ? actual.at(i) : QStringLiteral("<nothing>");
        if (want != got) {
            // A line produced beyond the file's end is numbered as if appended to it.
            const int lastLine = lineNumbers.isEmpty() ? 0 : lineNumbers.last();
            const int lineNumber = i < lineNumbers.size()
                                       ? lineNumbers.at(i)
                                       : lastLine + i - int(lineNumbers.size()) + 1;
            report << QStringLiteral("%1:%2").arg(name).arg(lineNumber)
                   << QStringLiteral("  expected: ") + want << QStringLiteral("  actual:   ") + got;
        }
    }
    if (report.isEmpty()) {
        return QString();
    }
    report.prepend(QStringLiteral("differs from %1 (%2 lines expected, %3 produced); first "
                                  "differences:")
                       .arg(path)
                       .arg(expected.size())
                       .arg(actual.size()));
    report.append(
        QStringLiteral("if the change is meant, rerun with VEMO_UPDATE_GOLDEN=1 and "
                       "review the file's diff"));
    return report.join(QLatin1Char('\n'));
}
