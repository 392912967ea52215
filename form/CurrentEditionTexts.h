#pragma once

#include <QString>

// How the current edition of the form shows texts that the document holds in the older
// edition's way.
namespace CurrentEditionTexts {

struct InnKpp {
    QString inn;
    QString kpp;
};

// A record's "ИНН/КПП" text as the two cells of the current edition: the INN is what stands before
// the first "/", "\" or blank, the KPP what follows that run of separators. A text with one number
// is the INN alone (a 12-digit INN has no KPP). Only the separators between the two are dropped:
// whatever else the text holds is shown in one cell or the other.
InnKpp SplitInnKpp(const QString& text);

// The order's date as ДД.ММ.ГГГГ, zero-padded (" 8. 3.2026" becomes "08.03.2026"); a text that
// is not such a date is shown as it stands.
QString PaddedDate(const QString& text);

}  // namespace CurrentEditionTexts
