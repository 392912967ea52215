#include "common/StorableText.h"

#include <algorithm>

#include "common/Cp1251.h"

namespace {

bool HasUnstorableControl(const QString& text) {
    return std::any_of(text.begin(), text.end(), IsUnstorableControl);
}

constexpr char16_t kSecondRowFirst = 0x80;
constexpr char16_t kSecondRowLast = 0x9F;

// "^@" for NUL, "^K" for VT, "M-^X" for U+0098: the terminal's own way, which every font can show.
QString Caret(QChar c) {
    const char16_t code = c.unicode();
    const QString meta = code >= kSecondRowFirst ? QStringLiteral("M-") : QString();
    return meta + QLatin1Char('^') + QChar(char16_t(u'@' + (code & 0x1F)));
}

}  // namespace

bool IsUnstorableControl(QChar c) {
    const char16_t code = c.unicode();
    return (code < 0x20 && c != u'\t') || (code >= kSecondRowFirst && code <= kSecondRowLast);
}

QString ControlName(QChar c) {
    return QStringLiteral("%1 (код %2)").arg(Caret(c)).arg(c.unicode());
}

QString WithVisibleControls(const QString& text) {
    if (!HasUnstorableControl(text)) {
        return text;
    }
    QString shown;
    shown.reserve(text.size() + 8);
    for (QChar c : text) {
        if (IsUnstorableControl(c) && c != u'\n') {
            shown += Caret(c);
        } else {
            shown += c;
        }
    }
    return shown;
}

UnstorableText FindUnstorableText(const QString& text) {
    UnstorableText found;
    // Nearly every text can be stored: one encoder over the whole text says so, and only a text
    // that fails is looked at character by character.
    if (!HasUnstorableControl(text) && Cp1251::CanEncode(text)) {
        return found;
    }
    for (qsizetype i = 0, length = 1; i < text.size(); i += length) {
        length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        const QChar first = character.at(0);
        const bool lineBreak = first == u'\n' || first == u'\r';
        const bool control = IsUnstorableControl(first);
        if (!control && Cp1251::CanEncode(character)) {
            continue;
        }
        if (found.first < 0) {
            found.first = i;
            found.length = length;
        }
        QString shown = character;
        if (lineBreak) {
            shown = QStringLiteral("перевод строки");
        } else if (control) {
            shown = ControlName(first);
        }
        if (!found.shown.contains(shown)) {
            found.shown.append(shown);
        }
    }
    return found;
}
