#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include "common/CRequisite.h"
#include "common/CodeList.h"

class OrderRow;

// What the program knows of payments to the budget (taxes, fees, fines, customs) and of income
// paid to a person: the codes the fields take and the details of the single tax payment. These
// change from time to time, and each is kept in one place here.
namespace BudgetPayment {

// The payer's statuses (101) a company or an entrepreneur uses, 19 among them: a company paying
// to the budget what it withheld from a debtor's wages.
const CodeList& Statuses();
// The income-type codes (20) of payments to a person's account.
const CodeList& IncomeTypes();
bool IsKnownCode(const CodeList& codes, const QString& code);

// The single tax payment (ЕНП): its budget classification code, and the tax service's details
// it is paid to, with the date they were last known to hold.
extern const char kSingleTaxKbk[];
extern const char kSingleTaxPurpose[];
CRequisite TaxServiceRecord();  // as the recipients' book holds it
QDate TaxServiceDetailsDate();

// Whether a record is the tax service's by its taxpayer number.
bool IsTaxService(const CRequisite& record);
// Whether a recipient's own account is a treasury account, to which budget payments go.
bool IsTreasuryAccount(const QString& account);
// Whether the order pays the budget: it names the payer's status (101).
bool IsBudgetPayment(const OrderRow& row);
// The payer's KPP (102) as the order carries it, given the payer's own: a payment to the budget
// writes "0" where the payer has none (a sole proprietor, a person), the form and the bank's
// file alike.
QString PayerKpp(const OrderRow& row, const QString& kpp);

// Fills the order as a single tax payment: status 01, the ЕНП's code, 105–109 "0", 110 empty,
// Код "0", priority 5, and the purpose when it is empty. The recipient is the caller's to set.
void FillSingleTaxPayment(OrderRow* row);

}  // namespace BudgetPayment
