#include "form/FormEdition.h"

#include <QSettings>

namespace FormEditions {

const char* const kSettingsKey = "Form/Edition";
const char* const kTwoOnASheetKey = "Form/TwoOnASheet";

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
    FormEdition edition = FormEdition::Current;
    FromName(settings.value(QLatin1String(kSettingsKey)).toString(), &edition);
    return edition;
}

FormPaper RememberedPaper(const QSettings& settings) {
    return FormPaper(Remembered(settings),
                     settings.value(QLatin1String(kTwoOnASheetKey), false).toBool());
}

void Remember(QSettings& settings, FormPaper paper) {
    settings.setValue(QLatin1String(kSettingsKey), Name(paper.edition));
    settings.setValue(QLatin1String(kTwoOnASheetKey), paper.twoOnASheet);
}

}  // namespace FormEditions
