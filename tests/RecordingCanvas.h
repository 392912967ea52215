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
        double heightScale = 1.0;
        LogicalRect rect;  // a text's or the box's rectangle; for a rule, its two end points
        int format = 0;
        FormFont font = FormFont::Default;  // the font in force (for SelectFont: the one chosen)
        FormInk ink = FormInk::Black;       // the ink in force; not in the lines below
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
        step.ink = m_ink;
        steps.append(step);
    }
    void DrawLines(const QStringList& lines, const LogicalRect& rect, int format, double widthScale,
                   double heightScale) override {
        Step step;
        step.kind = Kind::Lines;
        step.text = lines.join(QLatin1Char('\n'));
        step.lines = lines;
        step.rect = rect;
        step.format = format;
        step.widthScale = widthScale;
        step.heightScale = heightScale;
        step.font = m_font;
        step.ink = m_ink;
        steps.append(step);
    }
    void SetInk(FormInk ink) override { m_ink = ink; }
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

    // Every step as a line a reviewer can read, for instance
    //   font text
    //   text "Сумма" (500,-2000)-(5000,-3000) left
    //   line (500,-2900)-(18700,-2900)
    //   box (16800,-1300)-(18700,-1800)
    //   lines "first\nsecond" (500,-4000)-(11900,-4792) left width 0.850
    // Rectangles are (left,top)-(right,bottom), rules (x1,y1)-(x2,y2), in 0.01 mm with y up.
    QStringList Lines() const {
        QStringList lines;
        for (const Step& step : steps) {
            lines.append(Describe(step));
        }
        return lines;
    }

    static QString Describe(const Step& step) {
        const LogicalRect& r = step.rect;
        const QString where =
            QStringLiteral("(%1,%2)-(%3,%4)").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom);
        switch (step.kind) {
            case Kind::SelectFont:
                return QStringLiteral("font ") + FontName(step.font);
            case Kind::Text:
                return QStringLiteral("text %1 %2 %3")
                    .arg(Quoted(step.text), where, FormatName(step.format));
            case Kind::Lines: {
                const QString lines = QStringLiteral("lines %1 %2 %3 width %4")
                                          .arg(Quoted(step.text), where, FormatName(step.format))
                                          .arg(step.widthScale, 0, 'f', 3);
                return step.heightScale == 1.0
                           ? lines
                           : lines + QStringLiteral(" height %1").arg(step.heightScale, 0, 'f', 3);
            }
            case Kind::Rule:
                return QStringLiteral("line ") + where;
            case Kind::Box:
                return QStringLiteral("box ") + where;
        }
        return QString();
    }

    static QString FontName(FormFont font) {
        switch (font) {
            case FormFont::Text:
                return QStringLiteral("text");
            case FormFont::Title:
                return QStringLiteral("title");
            case FormFont::Caption:
                return QStringLiteral("caption");
            case FormFont::Value:
                return QStringLiteral("value");
            case FormFont::Heading:
                return QStringLiteral("heading");
            case FormFont::Narrow:
                return QStringLiteral("narrow");
            case FormFont::Default:
                break;
        }
        return QStringLiteral("default");
    }

    // The format's flags by name, joined with "+"; a format with no flag is "left".
    static QString FormatName(int format) {
        static const QList<QPair<int, QString>> kFlags{{DT_CENTER, "center"},
                                                       {DT_RIGHT, "right"},
                                                       {DT_VCENTER, "vcenter"},
                                                       {DT_WORDBREAK, "wordbreak"}};
        QStringList names;
        for (const auto& [flag, name] : kFlags) {
            if (format & flag) {
                names.append(name);
                format &= ~flag;
            }
        }
        if (format != 0) {
            names.append(QString::number(format));  // a flag without a name here
        }
        return names.isEmpty() ? QStringLiteral("left") : names.join(QLatin1Char('+'));
    }

    // The text in double quotes, with quotes, backslashes and line ends escaped.
    static QString Quoted(QString text) {
        text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
        text.replace(QLatin1Char('"'), QStringLiteral("\\\""));
        text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
        text.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
        return QLatin1Char('"') + text + QLatin1Char('"');
    }

    QList<Step> steps;

private:
    FormFont m_font = FormFont::Default;
    FormInk m_ink = FormInk::Black;
    int m_x = 0;
    int m_y = 0;
};
