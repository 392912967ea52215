#include "routine/KeptData.h"

#include <QFileInfo>

#include "bank/KeptFiles.h"
#include "orders/OrderFiles.h"
#include "requisites/RequisitesFile.h"
#include "routine/TemplateStore.h"

const QList<KeptData>& KeptData::All() {
    static const QList<KeptData> kAll = {
        {RequisitesFile::FileName(kPayersKind), Kind::Book,
         QStringLiteral("реквизиты плательщиков")},
        {RequisitesFile::FileName(kRecipientsKind), Kind::Book,
         QStringLiteral("реквизиты получателей")},
        {QFileInfo(OrderFiles::FileName(1)).path(), Kind::Folder,
         QStringLiteral("платежные поручения")},
        {TemplateStore::FolderName(), Kind::Folder, QStringLiteral("шаблоны")},
        {QString::fromLatin1(KeptFiles::kFolder), Kind::Folder,
         QStringLiteral("выгрузки в банк и выписки")},
    };
    return kAll;
}

int KeptData::PartOf(const QString& name, bool folder) {
    const QList<KeptData>& all = All();
    for (int i = 0; i < all.size(); ++i) {
        const KeptData& part = all.at(i);
        if (part.kind == Kind::Book) {
            if (!folder && name == part.name) {
                return i;
            }
        } else if ((folder && name == part.name) || name.startsWith(part.name + u'/')) {
            return i;
        }
    }
    return -1;
}
