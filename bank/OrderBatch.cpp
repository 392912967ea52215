#include "bank/OrderBatch.h"

#include "bank/OrderTransfer.h"
#include "form/CVemoDoc.h"

OrderBatch::OrderBatch() = default;
OrderBatch::~OrderBatch() = default;
OrderBatch::OrderBatch(OrderBatch&&) noexcept = default;
OrderBatch& OrderBatch::operator=(OrderBatch&&) noexcept = default;

QList<const CVemoDoc*> OrderBatch::Pages() const {
    QList<const CVemoDoc*> pages;
    for (const auto& doc : docs) {
        pages.append(doc.get());
    }
    return pages;
}

OrderBatch OrderBatch::Compose(const QList<OrderRow>& orders, const CRequisiteArray& payers,
                               const CRequisiteArray& recipients, const OffPaper& offPaper) {
    OrderBatch batch;
    for (qsizetype i = 0; i < orders.size(); ++i) {
        auto doc = std::make_unique<CVemoDoc>();
        OrderTransfer::TransferOrder(orders.at(i), payers, recipients, *doc);
        const QStringList reasons = offPaper(*doc);
        if (reasons.isEmpty()) {
            batch.docs.push_back(std::move(doc));
        } else {
            batch.refused.append(OrderRefusal::Of(i, orders.at(i), reasons));
        }
    }
    return batch;
}
