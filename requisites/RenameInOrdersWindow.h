#pragma once

#include <functional>

#include "requisites/OrdersOfParty.h"

class QWidget;

// The windows around a party's rename in its orders: a progress window while a long rename writes
// the orders, the window answering meanwhile, and then what is left undone with the system's
// reason for each order, offering "Повторить" until every order is renamed or the user leaves the
// rest for the next start.
namespace RenameInOrdersWindow {

using Step = std::function<OrdersRenamed(const RenameProgress& progress)>;

// Runs the step, then, for as long as the user asks for it, the retry for the orders it left (or
// the step again where it could not start); tells what came of it over the parent.
void Run(QWidget* parent, const Step& step, const Step& retry);

}  // namespace RenameInOrdersWindow
