#include "bank/OrderSanity.h"

#include <algorithm>

#include "common/QuotedValue.h"
#include "common/RussianPlural.h"
#include "orders/OrderAmount.h"
#include "orders/OrderTexts.h"

namespace OrderSanity {
namespace {

const QString kTenDays =
    QStringLiteral("банк принимает поручение в течение 10 дней со дня его составления");

QString Days(qint64 count) {
    return QStringLiteral("%1 %2").arg(count).arg(RussianPlural(
        count, QStringLiteral("день"), QStringLiteral("дня"), QStringLiteral("дней")));
}

QString Shown(const QDate& date) {
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

// Whether the date is questioned at all: a stored order keeps the date it was accepted with.
bool IsNewDate(const QDate& date, const Context& context) {
    return !context.stored || OrderTexts::DateFromText(context.storedDate) != date;
}

void CheckDate(const QDate& date, const QDate& today, QList<Warning>* warnings) {
    const qint64 ahead = today.daysTo(date);
    if (ahead < -kMostDaysBefore) {
        warnings->append(
            {Field::Date, QStringLiteral("Поручение датировано %1, %2 назад, а %3.\n"
                                         "Поставьте дату того дня, когда отдаете поручение в банк.")
                              .arg(Shown(date), Days(-ahead), kTenDays)});
    } else if (ahead > kMostDaysAhead) {
        warnings->append(
            {Field::Date, QStringLiteral("Поручение датировано %1, через %2 от сегодняшнего дня, "
                                         "а %3.\nПроверьте дату: не ошибка ли это в месяце или "
                                         "годе?")
                              .arg(Shown(date), Days(ahead), kTenDays)});
    }
}

// The other order to the same recipient for the same amount dated closest to the order, within
// kDuplicateDays of it; null for none.
const OrderRow* LikelyDuplicate(const OrderRow& order, const QDate& date,
                                const QList<OrderRow>& others) {
    qint64 kopecks = 0;
    if (!date.isValid() || !OrderAmount::ParseKopecks(order[kColumnAmount], &kopecks)) {
        return nullptr;
    }
    const OrderRow* closest = nullptr;
    qint64 closestDays = kDuplicateDays + 1;
    for (const OrderRow& other : others) {
        if (other[kColumnRecipient] != order[kColumnRecipient]) {
            continue;  // the cheap test first: an archive may hold a hundred thousand orders
        }
        const QDate otherDate = OrderTexts::DateFromText(other[kColumnDate]);
        const qint64 days = otherDate.isValid() ? qAbs(date.daysTo(otherDate)) : closestDays;
        qint64 otherKopecks = 0;
        if (days < closestDays && OrderAmount::ParseKopecks(other[kColumnAmount], &otherKopecks) &&
            otherKopecks == kopecks) {
            closest = &other;
            closestDays = days;
        }
    }
    return closest;
}

// "срочно", or a code of the bank's: digits and Latin letters, not a word such as "почтой" or
// "электронно", the ways of sending an order the edition of 2001 named there.
bool IsTodaysPaymentType(const QString& value) {
    const QString type = value.trimmed();
    if (type.isEmpty() || type.compare(QStringLiteral("срочно"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    return std::all_of(type.begin(), type.end(), [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    });
}

void CheckCurrentEdition(const OrderRow& order, QList<Warning>* warnings) {
    const QString type = order[kColumnPaymentType];
    if (!IsTodaysPaymentType(type)) {
        warnings->append(
            {Field::PaymentType,
             QStringLiteral("Вид платежа %1: по действующим правилам это поле оставляют пустым, "
                            "пишут «срочно» или код, который установил банк.\nОчистите поле, "
                            "если банк не просил иного.")
                 .arg(QuotedValue(type))});
    }
    const QString term = order[kColumnPaymentTerm];
    if (!term.trimmed().isEmpty()) {
        warnings->append({Field::PaymentTerm,
                          QStringLiteral("Срок платежа %1: по действующим правилам в платежном "
                                         "поручении это поле не заполняется.\nОчистите поле.")
                              .arg(QuotedValue(term))});
    }
}

}  // namespace

QList<Warning> Check(const OrderRow& order, const Context& context, const QDate& today) {
    QList<Warning> warnings;
    const QDate date = OrderTexts::DateFromText(order[kColumnDate]);
    if (IsNewDate(date, context)) {
        if (date.isValid()) {
            CheckDate(date, today, &warnings);
        }
        if (const OrderRow* other = LikelyDuplicate(order, date, context.others)) {
            warnings.append(
                {Field::Amount,
                 QStringLiteral("Похоже на поручение № %1 от %2: тому же получателю %3 на ту же "
                                "сумму %4.\nЕсли это тот же платеж, не сохраняйте его второй раз.")
                     .arg(other->Number())
                     .arg(Shown(OrderTexts::DateFromText((*other)[kColumnDate])),
                          QuotedValue(order[kColumnRecipient]),
                          (*other)[kColumnAmount].trimmed())});
        }
    }
    const qsizetype length = order[kColumnBasis].size();
    if (length > kMostPurposeChars) {
        warnings.append({Field::Basis,
                         QStringLiteral("В основании %1 %2, а банк принимает назначение платежа "
                                        "не длиннее %3 знаков.\nСократите основание до %3 "
                                        "знаков.")
                             .arg(length)
                             .arg(RussianPlural(length, QStringLiteral("знак"),
                                                QStringLiteral("знака"), QStringLiteral("знаков")))
                             .arg(kMostPurposeChars)});
    }
    if (context.edition == FormEdition::Current) {
        CheckCurrentEdition(order, &warnings);
    }
    return warnings;
}

}  // namespace OrderSanity
