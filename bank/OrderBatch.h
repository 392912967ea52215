#pragma once

#include <QList>
#include <memory>
#include <vector>

#include "bank/OrderRefusal.h"
#include "common/CRequisiteArray.h"
#include "orders/OrderRow.h"

class CVemoDoc;

// Orders put on forms to be printed one a page: each order that can be drawn whole, in the order
// given, and each that cannot, with why (OrderTransfer says what "whole" is).
struct OrderBatch {
    OrderBatch();
    ~OrderBatch();
    OrderBatch(OrderBatch&&) noexcept;
    OrderBatch& operator=(OrderBatch&&) noexcept;

    std::vector<std::unique_ptr<CVemoDoc>> docs;
    QList<OrderRefusal> refused;

    QList<const CVemoDoc*> Pages() const;

    static OrderBatch Compose(const QList<OrderRow>& orders, const CRequisiteArray& payers,
                              const CRequisiteArray& recipients);
};
