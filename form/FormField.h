#pragma once

// The values of the document that the form shows, one place on the form each. The edition of 2001
// shows the fields up to Basis; the current edition shows ИНН and КПП in cells of their own in
// place of the two INN/KPP fields, and the budget fields after them.
enum class FormField {
    Number,
    Date,
    PaymentType,
    AmountInWords,
    PayerInnKpp,
    Amount,
    PayerAccount1,
    PayerName,
    PayerBik,
    PayerAccount2,
    PayerBank,
    RecipientBik,
    RecipientAccount1,
    RecipientBank,
    RecipientAccount2,
    RecipientInnKpp,
    RecipientName,
    PaymentKind,
    PaymentTerm,
    Priority,
    Basis,
    PayerInn,
    PayerKpp,
    RecipientInn,
    RecipientKpp,
    Status,        // 101
    Kbk,           // 104
    Oktmo,         // 105
    TaxBasis,      // 106
    TaxPeriod,     // 107
    TaxDocNumber,  // 108
    TaxDocDate,    // 109
    TaxType,       // 110
    Uin,           // 22, "Код"
    IncomeType,    // 20, "Наз. пл."
};

constexpr int kFormFieldCount = int(FormField::IncomeType) + 1;
