#include "bank/ExportBatches.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

#include "bank/BankExport.h"
#include "orders/OrderRow.h"
#include "requisites/RequisiteChecks.h"

QList<ExportBatch> ExportBatch::Of(const QList<OrderRow>& orders, const CRequisiteArray& payers) {
    QList<ExportBatch> batches;
    QHash<QString, qsizetype> batchOfBik;
    for (qsizetype i = 0; i < orders.size(); ++i) {
        const CRequisite* payer = FindRecord(payers, orders[i][kColumnPayer]);
        const QString bik = payer ? RequisiteChecks::WithoutBlanks(payer->m_strBik) : QString();
        auto place = batchOfBik.constFind(bik);
        if (place == batchOfBik.cend()) {
            place = batchOfBik.insert(bik, batches.size());
            batches.append({bik, payer ? payer->m_strBank : QString(), {}, QString()});
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
        QString fileName = name.chopped(4) + u'_' + tag + QStringLiteral(".txt");
        for (int count = 2; taken.contains(fileName); ++count) {
            fileName = name.chopped(4) + QStringLiteral("_%1_%2.txt").arg(tag).arg(count);
        }
        taken.append(fileName);
        batch.fileName = fileName;
    }
    return batches;
}
