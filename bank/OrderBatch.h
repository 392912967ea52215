#pragma once

#include <QList>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "bank/OrderRefusal.h"
#include "common/CRequisiteArray.h"
#include "orders/OrderRow.h"

class CVemoDoc;

// Orders put on forms to be printed one a page: each order whose form may go on paper, in the
// order given, and each whose form may not, with why.
struct OrderBatch {
    OrderBatch();
    ~OrderBatch();
    OrderBatch(OrderBatch&&) noexcept;
    OrderBatch& operator=(OrderBatch&&) noexcept;

    std::vector<std::unique_ptr<CVemoDoc>> docs;
    QList<OrderRefusal> refused;

    QList<const CVemoDoc*> Pages() const;

    // What keeps an order's form off paper, in the user's words; nothing when it may go.
    using OffPaper = std::function<QStringList(const CVemoDoc&)>;
    // Each order drawn on a form of its own from the books given, then held to offPaper.
    static OrderBatch Compose(const QList<OrderRow>& orders, const CRequisiteArray& payers,
                              const CRequisiteArray& recipients, const OffPaper& offPaper);
};
