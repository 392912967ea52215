#pragma once

#include <QList>

#include "common/CRequisite.h"

// A list of counterparties' requisites, in file order, indexed from 0.
using CRequisiteArray = QList<CRequisite>;

// The first record whose name is exactly the name, letter case and blanks included: the one
// lookup by which an order finds its parties, wherever it is drawn, checked or exported.
// Null when there is none.
const CRequisite* FindRecord(const CRequisiteArray& records, const QString& name);
