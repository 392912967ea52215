#include "routine/TemplateFile.h"

#include "common/QuotedValue.h"

namespace TemplateFile {
namespace {

constexpr char kSignature[] = "VemoTemplate";
constexpr int kVersion = 1;
const QString kLastDay = QStringLiteral("last");
const QString kMonthFormat = QStringLiteral("yyyy-MM");

QString KindText(Recurrence::Kind kind) {
    switch (kind) {
        case Recurrence::Kind::Monthly:
            return QStringLiteral("monthly");
        case Recurrence::Kind::TwiceMonthly:
            return QStringLiteral("twice-monthly");
        case Recurrence::Kind::None:
            break;
    }
    return QStringLiteral("none");
}

bool ReadKind(const QString& text, Recurrence::Kind* kind) {
    for (Recurrence::Kind each :
         {Recurrence::Kind::None, Recurrence::Kind::Monthly, Recurrence::Kind::TwiceMonthly}) {
        if (text == KindText(each)) {
            *kind = each;
            return true;
        }
    }
    return false;
}

QString DayText(int day) {
    return day == Recurrence::kLastWorkingDay ? kLastDay : QString::number(day);
}

// A day of the month or the last working day; -1 for anything else.
int ReadDay(const QString& text) {
    if (text == kLastDay) {
        return Recurrence::kLastWorkingDay;
    }
    bool ok = false;
    const int day = text.toInt(&ok);
    return ok && day >= 1 ? day : -1;
}

QDate ReadMonth(const QString& text) {
    return QDate::fromString(text, kMonthFormat);
}

QString Line(const char* key, const QString& value) {
    return QLatin1String(key) + QLatin1Char('=') + value;
}

// Reads one "key=value" line of the head into the template; false when the value is wrong.
bool ReadHeadLine(const QString& key, const QString& value, OrderTemplate* t) {
    if (key == u"Name") {
        t->name = value;
    } else if (key == u"Month") {
        t->month = ReadMonth(value);
        return t->month.isValid();
    } else if (key == u"Repeat") {
        return ReadKind(value, &t->recurrence.kind);
    } else if (key == u"Every") {
        bool ok = false;
        t->recurrence.everyMonths = value.toInt(&ok);
        return ok;
    } else if (key == u"Day") {
        t->recurrence.day = ReadDay(value);
    } else if (key == u"SecondDay") {
        t->recurrence.secondDay = ReadDay(value);
    } else if (key == u"First") {
        t->recurrence.first = ReadMonth(value);
        return t->recurrence.first.isValid();
    } else if (key == u"Skipped") {
        t->skipped.append(value);
    } else if (key == u"Made") {
        const qsizetype blank = value.indexOf(QLatin1Char(' '));
        bool ok = false;
        const int number = value.mid(blank + 1).toInt(&ok);
        if (blank <= 0 || !ok) {
            return false;
        }
        t->made.insert(value.left(blank), number);
    }
    return true;
}

}  // namespace

QStringList ToLines(const OrderTemplate& t) {
    QStringList lines = {Line(kSignature, QString::number(kVersion)), Line("Name", t.name),
                         Line("Month", t.month.toString(kMonthFormat)),
                         Line("Repeat", KindText(t.recurrence.kind))};
    if (t.recurrence.Repeats()) {
        lines << Line("Every", QString::number(t.recurrence.everyMonths))
              << Line("Day", DayText(t.recurrence.day));
        if (t.recurrence.kind == Recurrence::Kind::TwiceMonthly) {
            lines << Line("SecondDay", DayText(t.recurrence.secondDay));
        }
        lines << Line("First", t.recurrence.first.toString(kMonthFormat));
    }
    for (const QString& key : t.skipped) {
        lines << Line("Skipped", key);
    }
    for (auto it = t.made.begin(); it != t.made.end(); ++it) {
        lines << Line("Made", it.key() + QLatin1Char(' ') + QString::number(it.value()));
    }
    const QStringList orderLines = t.order.Lines();
    lines << Line("Order", QString::number(orderLines.size()));
    return lines + orderLines;
}

bool FromLines(const QStringList& lines, OrderTemplate* t, QString* problem) {
    *t = OrderTemplate();
    if (lines.isEmpty() || !lines.first().startsWith(Line(kSignature, QString()))) {
        *problem = QStringLiteral("это не файл шаблона");
        return false;
    }
    if (lines.first() != Line(kSignature, QString::number(kVersion))) {
        *problem = QStringLiteral("шаблон записан другой версией программы");
        return false;
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        const QString key = line.left(equals);
        const QString value = equals < 0 ? QString() : line.mid(equals + 1);
        if (key == u"Order") {
            bool ok = false;
            const int count = value.toInt(&ok);
            if (!ok || count < kOrderColumnCount) {
                *problem = QStringLiteral("неверная строка %1").arg(QuotedValue(line));
                return false;
            }
            if (lines.size() - (i + 1) < count) {
                *problem = QStringLiteral("файл обрезан: в платежном поручении не все строки");
                return false;
            }
            t->order = OrderRow::FromLines(lines.mid(i + 1, count));
            if (t->name.trimmed().isEmpty() || !t->month.isValid()) {
                *problem = QStringLiteral("нет имени или месяца шаблона");
                return false;
            }
            const QString recurrence = t->recurrence.Problem();
            if (!recurrence.isEmpty()) {
                *problem = QStringLiteral("повтор платежа: ") + recurrence;
                return false;
            }
            return true;
        }
        if (equals < 0 || !ReadHeadLine(key, value, t)) {
            *problem = QStringLiteral("неверная строка %1").arg(QuotedValue(line));
            return false;
        }
    }
    *problem = QStringLiteral("файл обрезан: нет платежного поручения");
    return false;
}

}  // namespace TemplateFile
