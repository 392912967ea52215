#include "bank/ExportBatches.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStringList>

#include "bank/BankExport.h"
#include "orders/OrderRow.h"
#include "requisites/RequisiteChecks.h"

QList<ExportBatch> ExportBatch::Of(const QList<OrderRow>& orders, const CRequisiteArray& payers) {
    QList<const CRequisite*> payerOfOrder;
    payerOfOrder.reserve(orders.size());
    for (const OrderRow& order : orders) {
        payerOfOrder.append(FindRecord(payers, order[kColumnPayer]));
    }
    return ByPayer(payerOfOrder);
}

QList<ExportBatch> ExportBatch::ByPayer(const QList<const CRequisite*>& payerOfOrder) {
    QList<ExportBatch> batches;
    QHash<QString, qsizetype> batchOfBik;
    for (qsizetype i = 0; i < payerOfOrder.size(); ++i) {
        const CRequisite* payer = payerOfOrder[i];
        const QString bik = payer ? RequisiteChecks::WithoutBlanks(payer->m_strBik) : QString();
        auto place = batchOfBik.constFind(bik);
        if (place == batchOfBik.cend()) {
            place = batchOfBik.insert(bik, batches.size());
            batches.append({bik, payer ? payer->m_strBank : QString(), {}, QString(), QString()});
        }
        batches[*place].orders.append(i);
    }
    const QString name = QString::fromLatin1(BankExport::kDefaultFileName);
    if (batches.size() == 1) {
        batches.first().fileName = name;
        return batches;
    }
    QStringList taken;
    for (ExportBatch& batch : batches) {
        // A BIK typed with other characters than digits must still make a plain file name.
        QString tag = batch.bik;
        tag.remove(QRegularExpression(QStringLiteral("[^0-9A-Za-z]")));
        tag = tag.isEmpty() ? QStringLiteral("nobik") : tag;
        batch.tag = tag;
        for (int count = 2; taken.contains(batch.tag); ++count) {
            batch.tag = QStringLiteral("%1_%2").arg(tag).arg(count);
        }
        taken.append(batch.tag);
        batch.fileName = batch.PathFrom(name);
    }
    return batches;
}

QString ExportBatch::PathFrom(const QString& path) const {
    if (tag.isEmpty()) {
        return path;
    }
    // The extension is what follows the last dot of the file's own name, if it has one.
    const qsizetype nameStart = path.lastIndexOf(u'/') + 1;
    qsizetype dot = path.lastIndexOf(u'.');
    if (dot <= nameStart) {
        dot = path.size();
    }
    return path.left(dot) + u'_' + tag + path.mid(dot);
}
