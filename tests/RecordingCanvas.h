#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "form/FormCanvas.h"

// A canvas that keeps every drawing step, so tests can check what the form draws and in what
// order. A MoveTo followed by a LineTo is kept as one rule; lines drawn together are one step.
class RecordingCanvas : public FormCanvas {
public:
    enum class Kind { SelectFont, Text, Lines, Rule, Box };

    struct Step {
        Kind kind = Kind::Text;
        QString text;       // for Lines: the lines joined by line breaks
        QStringList lines;  // for Lines
        double widthScale = 1.0;
        LogicalRect rect;  // a text's or the box's rectangle; for a rule, its two end points
        int format = 0;
        FormFont font = FormFont::Default;  // the font in force (for SelectFont: the one chosen)
    };

    FormFont SelectFont(FormFont font) override {
        const FormFont previous = m_font;
        m_font = font;
        Step step;
        step.kind = Kind::SelectFont;
        step.font = font;
        steps.append(step);
        return previous;
    }
    void DrawText(const QString& text, const LogicalRect& rect, int format) override {
        Step step;
        step.kind = Kind::Text;
        step.text = text;
        step.rect = rect;
        step.format = format;
        step.font = m_font;
        steps.append(step);
    }
    void DrawLines(const QStringList& lines, const LogicalRect& rect, int format,
                   double widthScale) override {
        Step step;
        step.kind = Kind::Lines;
        step.text = lines.join(QLatin1Char('\n'));
        step.lines = lines;
        step.rect = rect;
        step.format = format;
        step.widthScale = widthScale;
        step.font = m_font;
        steps.append(step);
    }
    void MoveTo(int x, int y) override {
        m_x = x;
        m_y = y;
    }
    void LineTo(int x, int y) override {
        Step step;
        step.kind = Kind::Rule;
        step.rect = LogicalRect{m_x, m_y, x, y};
        step.font = m_font;
        steps.append(step);
        m_x = x;
        m_y = y;
    }
    void Rectangle(const LogicalRect& rect) override {
        Step step;
        step.kind = Kind::Box;
        step.rect = rect;
        step.font = m_font;
        steps.append(step);
    }

    FormFont CurrentFont() const { return m_font; }

    QList<Step> steps;

private:
    FormFont m_font = FormFont::Default;
    int m_x = 0;
    int m_y = 0;
};
