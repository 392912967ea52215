#include "bank/OrderChecks.h"

#include <algorithm>

#include "bank/BudgetChecks.h"
#include "common/QuotedValue.h"
#include "common/StorableText.h"
#include "orders/OrderAmount.h"
#include "orders/OrderFields.h"
#include "requisites/RequisitesFile.h"

namespace OrderChecks {
namespace {

void CheckParty(const QString& name, const std::optional<CRequisiteArray>& book, int kind,
                QStringList* problems) {
    if (name.isEmpty() || !book || FindRecord(*book, name)) {
        return;
    }
    problems->append(RequisitesFile::NotInBookMessage(kind, name));
}

// The amount as the bank reads it: roubles and kopecks above zero. An empty amount is one not
// written yet, like a party not chosen.
void CheckAmount(const QString& amount, QStringList* problems) {
    qint64 kopecks = 0;
    if (amount.isEmpty() || OrderAmount::ParseKopecks(amount, &kopecks)) {
        return;
    }
    problems->append(OrderAmount::NotAnAmountMessage(amount));
}

// Such text comes only from a file written by another program: the order dialog refuses it.
void CheckStorable(const OrderRow& row, QStringList* problems) {
    for (int column = 0; column < kOrderFieldCount; ++column) {
        const UnstorableText found = FindUnstorableText(row[column]);
        if (found.first >= 0) {
            problems->append(QStringLiteral("поле «%1»: недопустимые знаки %2")
                                 .arg(OrderFields::Caption(column), found.Names()));
        }
    }
}

bool AllDigits(const QString& text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// "номер «1234567»: what", or "номер: what" when it is empty; the field named by its label in
// the dialog, in lower case inside a line of the check.
FieldFault Fault(int column, const QString& value, const QString& what) {
    QString name = OrderFields::Of(column).Label();
    name[0] = name[0].toLower();
    const QString quoted = value.isEmpty() ? QString() : QLatin1Char(' ') + QuotedValue(value);
    return {column, name + quoted + QStringLiteral(": ") + what};
}

}  // namespace

QList<FieldFault> FieldFaults(const OrderRow& row) {
    QList<FieldFault> faults;
    const QString number = row[kColumnNumber].trimmed();
    const int mostDigits = OrderFields::Of(kColumnNumber).maxLength;
    if (!AllDigits(number) || number.size() > mostDigits ||
        std::all_of(number.begin(), number.end(), [](QChar c) { return c == u'0'; })) {
        faults.append(Fault(kColumnNumber, number,
                            QStringLiteral("нужно от 1 до %1 цифр, не 0").arg(mostDigits)));
    }
    const QString priority = row[kColumnPriority].trimmed();
    if (priority.size() != 1 || priority.at(0) < u'1' || priority.at(0) > u'5') {
        faults.append(Fault(kColumnPriority, priority, QStringLiteral("нужна цифра от 1 до 5")));
    }
    return faults;
}

QStringList MalformedFields(const OrderRow& row, const CRequisite* recipient) {
    QList<std::pair<int, QString>> found;
    for (const FieldFault& fault : FieldFaults(row)) {
        found.append({fault.column, fault.text});
    }
    for (const BudgetChecks::Problem& problem : BudgetChecks::MalformedFields(row, recipient)) {
        found.append({problem.column, problem.text});
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList texts;
    for (const auto& [column, text] : found) {
        texts.append(text);
    }
    return texts;
}

QStringList Check(const OrderRow& row, const AddressBooks& books) {
    QStringList problems;
    CheckParty(row[kColumnPayer], books.payers, kPayersKind, &problems);
    CheckParty(row[kColumnRecipient], books.recipients, kRecipientsKind, &problems);
    CheckAmount(row[kColumnAmount], &problems);
    for (const FieldFault& fault : FieldFaults(row)) {
        problems.append(fault.text);
    }
    CheckStorable(row, &problems);
    return problems;
}

}  // namespace OrderChecks
