#pragma once

#include <QPlainTextEdit>

// A text of one line shown wrapped at words over a few lines, for a field too long to read in a
// line edit. No line break can be typed into it: Enter goes to the dialog as from a line edit, and
// line breaks pasted or dropped become blanks. A text set is shown as it is, a stray line break
// read from a file included, so that the dialog can refuse it rather than change it unseen. It
// answers the calls of a line edit its dialogs use, so that a field can move to it without
// changing how it is read and written.
class WrappedLineEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    // Tall enough for `lines` lines of the widget's font.
    explicit WrappedLineEdit(int lines, QWidget* parent = nullptr);

    // As it was set or typed; a line break read from a file comes back as "\n".
    QString text() const;
    void setText(const QString& text);
    QString selectedText() const;
    // Selects length characters from start, the cursor at their end.
    void setSelection(int start, int length);
    void setCursorPosition(int position);

    // The text with every line break turned into a blank.
    static QString OneLine(QString text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};
