#include "common/StorableText.h"

#include "common/Cp1251.h"

UnstorableText FindUnstorableText(const QString& text) {
    UnstorableText found;
    // Nearly every text can be stored: one encoder over the whole text says so, and only a text
    // that fails is looked at character by character.
    if (!text.contains(u'\n') && !text.contains(u'\r') && Cp1251::CanEncode(text)) {
        return found;
    }
    for (qsizetype i = 0, length = 1; i < text.size(); i += length) {
        length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        const bool lineBreak = character == QLatin1String("\n") || character == QLatin1String("\r");
        if (!lineBreak && Cp1251::CanEncode(character)) {
            continue;
        }
        if (found.first < 0) {
            found.first = i;
            found.length = length;
        }
        const QString shown = lineBreak ? QStringLiteral("перевод строки") : character;
        if (!found.shown.contains(shown)) {
            found.shown.append(shown);
        }
    }
    return found;
}
