#include "widgets/WrappedLineEdit.h"

#include <QKeyEvent>
#include <QMimeData>

WrappedLineEdit::WrappedLineEdit(int lines, QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int margins = int(2 * document()->documentMargin()) + 2 * frameWidth() +
                        contentsMargins().top() + contentsMargins().bottom();
    setFixedHeight(lines * fontMetrics().lineSpacing() + margins);
}

QString WrappedLineEdit::text() const {
    // Not toPlainText(), which turns non-breaking spaces into blanks.
    return document()->toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

void WrappedLineEdit::setText(const QString& text) {
    setPlainText(text);
}

QString WrappedLineEdit::selectedText() const {
    return textCursor().selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

void WrappedLineEdit::setSelection(int start, int length) {
    QTextCursor cursor = textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void WrappedLineEdit::setCursorPosition(int position) {
    setSelection(position, 0);
}

QString WrappedLineEdit::OneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (const QChar lineBreak : {QChar(u'\n'), QChar(u'\r'), QChar(QChar::LineSeparator),
                                  QChar(QChar::ParagraphSeparator)}) {
        text.replace(lineBreak, QLatin1Char(' '));
    }
    return text;
}

void WrappedLineEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();  // the dialog's default button, as a line edit leaves it
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void WrappedLineEdit::insertFromMimeData(const QMimeData* source) {
    if (source->hasText()) {
        insertPlainText(OneLine(source->text()));
    }
}
