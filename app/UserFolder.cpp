#include "app/UserFolder.h"

#include <QFileInfo>

#include "orders/OrderFiles.h"
#include "requisites/RequisitesFile.h"

namespace UserFolder {

QString Name() {
    return QStringLiteral("Платежки");
}

QDir Choose(const QDir& home) {
    const QDir own(home.filePath(Name()));
    if (own.exists()) {
        return own;
    }
    const QString orders = QFileInfo(OrderFiles::FileName(1)).path();
    for (const QString& name : {RequisitesFile::FileName(kPayersKind),
                                RequisitesFile::FileName(kRecipientsKind), orders}) {
        const QFileInfo data(home.filePath(name));
        if (data.exists() || data.isSymLink()) {
            return home;
        }
    }
    return own;
}

}  // namespace UserFolder
