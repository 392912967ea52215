#include "routine/RegisterCsv.h"

#include <QStringList>

#include "common/Cp1251.h"
#include "common/SafeSave.h"
#include "orders/OrderAmount.h"

namespace RegisterCsv {
namespace {

// "48300,00": what a spreadsheet set to Russian reads as a number.
QString Amount(qint64 kopecks) {
    return OrderAmount::ExchangeText(kopecks).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString Line(const QStringList& fields) {
    QStringList written;
    for (const QString& field : fields) {
        written.append(Field(field));
    }
    return written.join(QLatin1Char(';')) + QStringLiteral("\r\n");
}

}  // namespace

QString Field(const QString& text) {
    QString field = text;
    if (!field.isEmpty() && QStringLiteral("=+-@").contains(field.at(0))) {
        field.prepend(QLatin1Char('\''));
    }
    if (field.contains(QLatin1Char(';')) || field.contains(QLatin1Char('"')) ||
        field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'))) {
        field.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        field = QLatin1Char('"') + field + QLatin1Char('"');
    }
    return field;
}

QByteArray Bytes(const OrderRegister& reg) {
    QString text = Line({QStringLiteral("№"), QStringLiteral("Дата"), QStringLiteral("Плательщик"),
                         QStringLiteral("Получатель"), QStringLiteral("Назначение платежа"),
                         QStringLiteral("Сумма"), QStringLiteral("Состояние")});
    for (const OrderRegister::Group& group : reg.groups) {
        for (const OrderRegister::Row& row : group.rows) {
            text += Line({row.number, row.date, group.payer, row.recipient, row.purpose,
                          row.isAmount ? Amount(row.kopecks) : row.amountText, row.state});
        }
    }
    text += QStringLiteral("\r\n");
    for (const OrderRegister::Group& group : reg.groups) {
        text += Line({QString(), QString(), group.payer, OrderRegister::GroupTotalLabel(group),
                      QString(), Amount(group.kopecks), QString()});
    }
    text += Line({QString(), QString(), QString(), reg.TotalLabel(), QString(), Amount(reg.kopecks),
                  QString()});
    return Cp1251::Encode(text);
}

bool Write(const QString& path, const OrderRegister& reg, QString* error) {
    return SafeSave::WriteOutput(path, Bytes(reg), error);
}

}  // namespace RegisterCsv
