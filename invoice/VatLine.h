#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

class QSettings;

// The line that says how much VAT an amount holds, appended to an order's purpose: "В т.ч. НДС
// 22 % — 18033,61 руб.", or "Без налога (НДС)" for a supplier that charges none. Worked out from
// the amount in whole kopecks, so that no rounding but the one stated touches it.
namespace VatLine {

// The rate of a supplier that charges no VAT.
constexpr int kWithoutVat = -1;

// The rates in force, in percent, the general one first: 22, 10, 7, 5, 0.
const QList<int>& Rates();

// The VAT an amount holds at a rate: amount × rate / (100 + rate), rounded to the nearest
// kopeck, half a kopeck up. 0 without VAT.
qint64 IncludedKopecks(qint64 kopecks, int rate);

// The line for the amount at the rate, or without VAT.
QString Text(qint64 kopecks, int rate);

// The purpose with the line at its end, after a full stop; a line of this kind already at its
// end is replaced, so that choosing another rate does not add a second one.
QString Appended(const QString& purpose, qint64 kopecks, int rate);

// The rate last used, as the settings keep it: the general rate when they keep none, or one that
// is no longer in force.
int RememberedRate(const QSettings& settings);
void RememberRate(QSettings& settings, int rate);

}  // namespace VatLine
