#pragma once

#include <QList>

#include "requisites/CRequisite.h"

// A list of counterparties' requisites, in file order, indexed from 0.
using CRequisiteArray = QList<CRequisite>;
