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
                               const CRequisiteArray& recipients) {
    OrderBatch batch;
    for (qsizetype i = 0; i < orders.size(); ++i) {
        const OrderRow& order = orders.at(i);
        auto doc = std::make_unique<CVemoDoc>();
        BankExport::Refusal refusal;
        refusal.index = i;
        refusal.number = order[kColumnNumber].trimmed();
        for (const OrderTransfer::MissingParty& party :
             OrderTransfer::TransferOrder(order, payers, recipients, *doc)) {
            refusal.reasons.append(OrderTransfer::MissingPartyMessage(party));
        }
        if (!OrderTransfer::HasAmountInWords(order[kColumnAmount])) {
            refusal.reasons.append(OrderTransfer::NoWordsMessage(order[kColumnAmount]));
        }
        if (refusal.reasons.isEmpty()) {
            batch.docs.push_back(std::move(doc));
        } else {
            batch.refused.append(refusal);
        }
    }
    return batch;
}
