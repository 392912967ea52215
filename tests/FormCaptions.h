#pragma once

#include <QStringList>

// The fixed captions that every copy of the form carries, as a reader of the page sees them.
inline QStringList FormCaptions() {
    return {"Приложение 1а",
            "ПЛАТЕЖНОЕ ПОРУЧЕНИЕ №",
            "Поступ. в. банк. плат.",
            "401060",
            "прописью",
            "Плательщик",
            "Банк плательщика",
            "Банк получателя",
            "Получатель",
            "Вид. оп.",
            "Назн. пл.",
            "Код",
            "Срок.пл.",
            "Очер.пл.",
            "Рез.поле",
            "подписи",
            "отметки банка",
            "М. П.",
            "NN и даты товарных документов, договоров, НДС."};
}
