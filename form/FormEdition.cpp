#include "form/FormEdition.h"

#include <QSettings>

namespace FormEditions {

const char* const kSettingsKey = "Form/Edition";

QString Name(FormEdition edition) {
    return edition == FormEdition::Current ? QStringLiteral("current") : QStringLiteral("2001");
}

bool FromName(const QString& name, FormEdition* edition) {
    for (FormEdition candidate : {FormEdition::Edition2001, FormEdition::Current}) {
        if (name == Name(candidate)) {
            *edition = candidate;
            return true;
        }
    }
    return false;
}

FormEdition Remembered(const QSettings& settings) {
    FormEdition edition = FormEdition::Edition2001;
    FromName(settings.value(QLatin1String(kSettingsKey)).toString(), &edition);
    return edition;
}

void Remember(QSettings& settings, FormEdition edition) {
    settings.setValue(QLatin1String(kSettingsKey), Name(edition));
}

}  // namespace FormEditions
