#pragma once

// The values of the document that the form shows, one place on the form each.
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
};

constexpr int kFormFieldCount = int(FormField::Basis) + 1;
