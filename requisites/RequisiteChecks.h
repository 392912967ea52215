#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "common/CRequisite.h"

// The bank details of a record checked the way a bank checks them: the lengths of the numbers,
// the control key of both accounts against the bank identification code, the check digits of the
// taxpayer number and the pattern of the reason code. Which account is the party's own and which
// its bank's correspondent account depends on the record's book (see AccountsOf). Treasury
// bodies pass as they are: a BIK starting with 0 but not 04 (01… for most regions, 00… for the
// Moscow treasury, 02… for the one customs payments go to), the single treasury account (40102…)
// as the correspondent account, and a treasury account (03…) that is not keyed against the BIK.
// The checks only warn: a record that breaks a rule is still kept, and an empty field is "not
// filled", not wrong.
//
// Blanks inside a number are ignored, so "4070 2810 ..." counts as its digits alone: bookkeepers
// copy numbers in groups from letters and invoices, and the bank reads only the digits.
namespace RequisiteChecks {

// The record's fields in the order of the record dialog, so the first problem of a record is the
// one on the field that comes first on the screen.
// Accounts stands for both account fields at once: their contents are the wrong way round for the
// book, and the dialog offers to swap them.
enum class Field { Name, Bank, InnKpp, Bik, Account1, Account2, Accounts };

// One broken rule: the field at fault and what is wrong, in words that name the field
// ("БИК: 8 цифр вместо 9").
struct Problem {
    Field field;
    QString text;
};

// A number as the bank reads it: the text without its blanks.
QString WithoutBlanks(QStringView text);

// Who holds a BIK, as the directory of BIKs says when it lists the BIK; Unknown otherwise, and
// then the BIK's first digits tell.
enum class BikHolder { Unknown, TreasuryBody, Other };

// Whether the BIK, by its first digits, is a treasury body's: it begins with 0 but not with 04,
// which a credit institution's and a Bank of Russia division's begin with.
bool IsTreasuryBik(QStringView bik);

// Every broken rule of a record of the book nKind, in the order of the fields; empty when all is
// well. Accounts that stand the wrong way round ("Счет1 и Счет2 переставлены") come before the
// accounts' own problems, which are then those of each account in the place it belongs. A BIK
// whose holder the directory names is not held to its first digits.
QList<Problem> Check(const CRequisite& record, int nKind, BikHolder holder = BikHolder::Unknown);
// Whether the problems say the two accounts are the wrong way round.
bool HasSwappedAccounts(const QList<Problem>& problems);

// The fields of the record that hold what neither the address book nor the bank's file may
// carry, in the order of the fields: a control character (NUL, Ctrl+Z, VT, ...) or a line break,
// as "Банк: недопустимые знаки ^K (код 11)". Such text comes only from a file written by another
// program: the record dialog refuses it.
QList<Problem> CheckStorable(const CRequisite& record);

// The texts of the problems, in their order.
QStringList Texts(const QList<Problem>& problems);

}  // namespace RequisiteChecks
