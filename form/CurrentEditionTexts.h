#pragma once

#include <QString>

// How the current edition of the form shows texts that the document holds in the older
// edition's way.
namespace CurrentEditionTexts {

// The order's date as ДД.ММ.ГГГГ, zero-padded (" 8. 3.2026" becomes "08.03.2026"); a text that
// is not such a date is shown as it stands.
QString PaddedDate(const QString& text);

}  // namespace CurrentEditionTexts
