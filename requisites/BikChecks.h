#pragma once

#include <QList>
#include <QString>

#include "common/CRequisite.h"
#include "requisites/BikDirectory.h"
#include "requisites/RequisiteChecks.h"

// A record's bank details held against the Bank of Russia's directory of BIKs: a BIK the
// directory does not hold, a participant that cannot take payments, a correspondent account that
// is not the directory's. A record's book (kind) says which of its accounts is the bank's. With an
// empty directory, or a BIK that is not nine digits (the bank rules tell about that), nothing is
// said.
namespace BikChecks {

// The problems in the form of the bank rules, each on the field at fault, in the order of the
// fields.
QList<RequisiteChecks::Problem> Check(const CRequisite& record, int nKind,
                                      const BikDirectory& directory);

// The bank rules' problems of the record and the directory's together, in the order of the
// fields (the accounts standing the wrong way round before the accounts themselves). While the
// accounts are the wrong way round the directory says nothing of the correspondent account:
// swapping them comes first. Where the directory lists the BIK, it says whether the participant
// is a treasury body, not the BIK's first digits.
QList<RequisiteChecks::Problem> CheckAll(const CRequisite& record, int nKind,
                                         const BikDirectory& directory);

// One field as the record holds it and as the directory gives it.
struct FieldValue {
    QString CRequisite::*member;
    QString caption;  // "Банк", "Счет1", "Счет2"
    QString current;
    QString directory;
};

// What the directory gives for the record's BIK: the fields it would fill because they are empty,
// and those it would correct because they differ. The correspondent account is left alone while
// the two accounts stand the wrong way round, so that no correction overwrites the party's own. A
// bank name differs only in its letters and digits: "ПАО Сбербанк г. Москва" is "ПАО СБЕРБАНК, г
// Москва".
struct Suggestions {
    QList<FieldValue> fills;
    QList<FieldValue> corrections;
};
Suggestions Suggest(const CRequisite& record, int nKind, const BikDirectory& directory);

// "справочнике БИК от 08.12.2026", for messages.
QString DirectoryName(const BikDirectory& directory);

}  // namespace BikChecks
