#include "routine/RegisterDrawing.h"

#include <QBuffer>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <vector>

#include "bank/ChosenTotal.h"
#include "common/SafeSave.h"
#include "routine/RegisterCsv.h"

namespace RegisterDrawing {
namespace {

constexpr int kPdfResolution = 600;
constexpr double kPadding = 1.0;     // mm between a cell's text and its lines
constexpr double kFontPoints = 9.0;  // the table
constexpr double kTitlePoints = 13.0;

struct Column {
    QString caption;
    double width;  // mm
    Qt::Alignment alignment;
};

// The table's columns: the state's only when some order has one, its room given to the purpose
// otherwise. 185 mm: A4 between its margins.
std::vector<Column> Columns(bool withState) {
    std::vector<Column> columns = {
        {QStringLiteral("№"), 12, Qt::AlignRight},
        {QStringLiteral("Дата"), 20, Qt::AlignLeft},
        {QStringLiteral("Получатель"), 42, Qt::AlignLeft},
        {QStringLiteral("Назначение платежа"), withState ? 61.0 : 85.0, Qt::AlignLeft},
        {QStringLiteral("Сумма, руб."), 26, Qt::AlignRight},
    };
    if (withState) {
        columns.push_back({QStringLiteral("Состояние"), 24, Qt::AlignLeft});
    }
    return columns;
}

// What one stretch of the page holds, in the order the page is filled.
struct Block {
    enum class Kind { Title, Head, Payer, Row, GroupTotal, Total, Signature };
    Kind kind;
    QStringList cells;  // a row's cells; a total's label and amount; a title's or payer's text
    double height = 0;  // device pixels
};

bool InTable(Block::Kind kind) {
    return kind != Block::Kind::Title && kind != Block::Kind::Signature;
}

// Measures and draws the blocks on one device, in its pixels.
class Sheet {
public:
    Sheet(QPaintDevice& device, bool withState)
        : m_device(device), m_columns(Columns(withState)), m_dpi(device.logicalDpiX()) {
        m_font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                            QStringLiteral("DejaVu Sans"), QStringLiteral("Arial")});
        m_font.setPointSizeF(kFontPoints);
        m_bold = m_font;
        m_bold.setBold(true);
        m_title = m_bold;
        m_title.setPointSizeF(kTitlePoints);
    }

    double Px(double mm) const { return mm * m_dpi / 25.4; }
    double Width() const { return m_device.width(); }
    double Height() const { return m_device.height(); }
    double FooterHeight() const { return LineHeight(m_font) + Px(2); }

    void Measure(Block* block) const {
        switch (block->kind) {
            case Block::Kind::Title:
                block->height =
                    Paragraph(block->cells.first(), m_title, Width(), Qt::AlignHCenter).height +
                    Px(4);
                return;
            case Block::Kind::Head:
            case Block::Kind::Row:
                block->height = RowHeight(block->cells, FontOf(*block));
                return;
            case Block::Kind::Payer:
                block->height = SpanHeight(block->cells.first(), Width());
                return;
            case Block::Kind::GroupTotal:
            case Block::Kind::Total:
                block->height = qMax(SpanHeight(block->cells.at(0), LabelWidth()),
                                     SpanHeight(block->cells.at(1), AmountWidth()));
                return;
            case Block::Kind::Signature:
                block->height = Px(28);
                return;
        }
    }

    void Draw(QPainter& painter, const Block& block, double y) const {
        switch (block.kind) {
            case Block::Kind::Title:
                DrawText(painter, block.cells.first(), m_title, QPointF(0, y), Width(),
                         Qt::AlignHCenter);
                return;
            case Block::Kind::Head:
                painter.fillRect(QRectF(0, y, Width(), block.height), QColor(235, 235, 235));
                DrawRow(painter, block, y);
                return;
            case Block::Kind::Row:
                DrawRow(painter, block, y);
                return;
            case Block::Kind::Payer:
                painter.fillRect(QRectF(0, y, Width(), block.height), QColor(245, 245, 245));
                DrawText(painter, block.cells.first(), m_bold,
                         QPointF(Px(kPadding), y + Px(kPadding)), Width() - 2 * Px(kPadding),
                         Qt::AlignLeft);
                Frame(painter, {0, Width()}, y, block.height);
                return;
            case Block::Kind::GroupTotal:
            case Block::Kind::Total:
                DrawTotal(painter, block, y);
                return;
            case Block::Kind::Signature:
                DrawSignature(painter, y);
                return;
        }
    }

    void DrawFooter(QPainter& painter, int page, int pages) const {
        const QString text = QStringLiteral("Лист %1 из %2").arg(page).arg(pages);
        DrawText(painter, text, m_font, QPointF(0, Height() - LineHeight(m_font)), Width(),
                 Qt::AlignRight);
    }

private:
    struct Laid {
        double height;
    };

    const QFont& FontOf(const Block& block) const {
        return block.kind == Block::Kind::Row ? m_font : m_bold;
    }

    double LineHeight(const QFont& font) const {
        return Paragraph(QStringLiteral("Ж"), font, Width(), Qt::AlignLeft).height;
    }

    // Lays the text out in lines of the width, breaking between words and, for a word longer
    // than the line (an account number), inside it.
    Laid Paragraph(const QString& text, const QFont& font, double width, Qt::Alignment alignment,
                   QTextLayout* out = nullptr) const {
        QTextLayout local;
        QTextLayout& layout = out ? *out : local;
        layout.setText(text);
        layout.setFont(QFont(font, &m_device));
        QTextOption option(alignment);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        double height = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, height));
            height += line.height();
        }
        layout.endLayout();
        return {height};
    }

    void DrawText(QPainter& painter, const QString& text, const QFont& font, QPointF at,
                  double width, Qt::Alignment alignment) const {
        QTextLayout layout;
        Paragraph(text, font, width, alignment, &layout);
        painter.setPen(Qt::black);
        layout.draw(&painter, at);
    }

    double CellWidth(size_t column) const { return Px(m_columns[column].width); }
    double LabelWidth() const {
        double width = 0;
        for (size_t i = 0; i < 4; ++i) {
            width += CellWidth(i);
        }
        return width;
    }
    double AmountWidth() const { return CellWidth(4); }

    double SpanHeight(const QString& text, double width) const {
        return Paragraph(text, m_bold, width - 2 * Px(kPadding), Qt::AlignLeft).height +
               2 * Px(kPadding);
    }

    double RowHeight(const QStringList& cells, const QFont& font) const {
        double height = 0;
        for (size_t i = 0; i < m_columns.size(); ++i) {
            const double text =
                Paragraph(cells.value(int(i)), font, CellWidth(i) - 2 * Px(kPadding), Qt::AlignLeft)
                    .height;
            height = qMax(height, text);
        }
        return height + 2 * Px(kPadding);
    }

    // The lines around a stretch of the table and between its cells at the x positions.
    void Frame(QPainter& painter, const std::vector<double>& xs, double y, double height) const {
        painter.setPen(QPen(Qt::black, Px(0.2)));
        painter.drawLine(QPointF(0, y), QPointF(Width(), y));
        painter.drawLine(QPointF(0, y + height), QPointF(Width(), y + height));
        for (double x : xs) {
            painter.drawLine(QPointF(x, y), QPointF(x, y + height));
        }
    }

    void DrawRow(QPainter& painter, const Block& block, double y) const {
        std::vector<double> xs = {0};
        double x = 0;
        for (size_t i = 0; i < m_columns.size(); ++i) {
            const Qt::Alignment alignment =
                block.kind == Block::Kind::Head ? Qt::AlignHCenter : m_columns[i].alignment;
            DrawText(painter, block.cells.value(int(i)), FontOf(block),
                     QPointF(x + Px(kPadding), y + Px(kPadding)), CellWidth(i) - 2 * Px(kPadding),
                     alignment);
            x += CellWidth(i);
            xs.push_back(x);
        }
        Frame(painter, xs, y, block.height);
    }

    void DrawTotal(QPainter& painter, const Block& block, double y) const {
        const double amountAt = LabelWidth();
        DrawText(painter, block.cells.at(0), m_bold, QPointF(Px(kPadding), y + Px(kPadding)),
                 amountAt - 2 * Px(kPadding), Qt::AlignRight);
        DrawText(painter, block.cells.at(1), m_bold,
                 QPointF(amountAt + Px(kPadding), y + Px(kPadding)),
                 AmountWidth() - 2 * Px(kPadding), Qt::AlignRight);
        Frame(painter, {0, amountAt, amountAt + AmountWidth(), Width()}, y, block.height);
        if (block.kind == Block::Kind::Total) {
            painter.setPen(QPen(Qt::black, Px(0.5)));
            painter.drawLine(QPointF(0, y), QPointF(Width(), y));
        }
    }

    void DrawSignature(QPainter& painter, double y) const {
        const double line = LineHeight(m_font);
        const double top = y + Px(10);
        DrawText(painter, QStringLiteral("Руководитель"), m_font, QPointF(0, top), Px(40),
                 Qt::AlignLeft);
        painter.setPen(QPen(Qt::black, Px(0.2)));
        const double base = top + line;
        painter.drawLine(QPointF(Px(35), base), QPointF(Px(85), base));
        painter.drawLine(QPointF(Px(95), base), QPointF(Px(150), base));
        QFont small = m_font;
        small.setPointSizeF(kFontPoints - 2);
        DrawText(painter, QStringLiteral("(подпись)"), small, QPointF(Px(35), base), Px(50),
                 Qt::AlignHCenter);
        DrawText(painter, QStringLiteral("(расшифровка подписи)"), small, QPointF(Px(95), base),
                 Px(55), Qt::AlignHCenter);
        DrawText(painter, QStringLiteral("«____» ____________________ 20____ г."), m_font,
                 QPointF(0, base + Px(8)), Px(120), Qt::AlignLeft);
    }

    QPaintDevice& m_device;
    std::vector<Column> m_columns;
    double m_dpi;
    QFont m_font;
    QFont m_bold;
    QFont m_title;
};

QList<Block> Blocks(const OrderRegister& reg, bool withState) {
    QList<Block> blocks;
    blocks.append({Block::Kind::Title, {reg.Title()}});
    QStringList captions;
    for (const Column& column : Columns(withState)) {
        captions.append(column.caption);
    }
    blocks.append({Block::Kind::Head, captions});
    for (const OrderRegister::Group& group : reg.groups) {
        blocks.append({Block::Kind::Payer, {QStringLiteral("Плательщик: ") + group.payer}});
        for (const OrderRegister::Row& row : group.rows) {
            QStringList cells = {row.number, row.date, row.recipient, row.purpose,
                                 row.AmountShown()};
            if (withState) {
                cells.append(row.state);
            }
            blocks.append({Block::Kind::Row, cells});
        }
        blocks.append(
            {Block::Kind::GroupTotal,
             {OrderRegister::GroupTotalLabel(group), ChosenTotal::AmountText(group.kopecks)}});
    }
    blocks.append({Block::Kind::Total, {reg.TotalLabel(), ChosenTotal::AmountText(reg.kopecks)}});
    blocks.append({Block::Kind::Signature, {}});
    return blocks;
}

struct Placed {
    qsizetype block;  // -1 for the table's head repeated on a new page
    double y;
};

// The blocks page by page: a block that does not fit goes to the next page, where the table's
// head stands first; a payer's heading never stays alone at the foot of a page.
QList<QList<Placed>> Pages(const QList<Block>& blocks, const Block& head, double bodyHeight) {
    QList<QList<Placed>> pages(1);
    double y = 0;
    for (qsizetype i = 0; i < blocks.size(); ++i) {
        const Block& block = blocks.at(i);
        double needed = block.height;
        if (block.kind == Block::Kind::Payer && i + 1 < blocks.size()) {
            needed += blocks.at(i + 1).height;
        }
        if (y > 0 && y + needed > bodyHeight) {
            pages.append(QList<Placed>());
            y = 0;
            if (InTable(block.kind)) {
                pages.last().append({-1, y});
                y += head.height;
            }
        }
        pages.last().append({i, y});
        y += block.height;
    }
    return pages;
}

}  // namespace

void Draw(QPagedPaintDevice& device, const OrderRegister& reg) {
    const bool withState = reg.HasStates();
    const Sheet sheet(device, withState);
    QList<Block> blocks = Blocks(reg, withState);
    for (Block& block : blocks) {
        sheet.Measure(&block);
    }
    const Block& head = blocks.at(1);
    const QList<QList<Placed>> pages = Pages(blocks, head, sheet.Height() - sheet.FooterHeight());
    QPainter painter(&device);
    for (qsizetype page = 0; page < pages.size(); ++page) {
        if (page > 0) {
            device.newPage();
        }
        for (const Placed& placed : pages.at(page)) {
            sheet.Draw(painter, placed.block < 0 ? head : blocks.at(placed.block), placed.y);
        }
        sheet.DrawFooter(painter, int(page + 1), int(pages.size()));
    }
}

QByteArray Pdf(const OrderRegister& reg) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(reg.Title());
        writer.setCreator(QStringLiteral("Vemo"));
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(15, 12, 10, 12), QPageLayout::Millimeter));
        Draw(writer, reg);
    }  // the writer finishes the file when it goes
    return pdf;
}

bool WriteFile(const QString& path, const OrderRegister& reg, QString* error) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != u"csv" && suffix != u"pdf") {
        *error = QStringLiteral("%1: реестр сохраняется в файл .pdf или .csv").arg(path);
        return false;
    }
    const QByteArray bytes = suffix == u"csv" ? RegisterCsv::Bytes(reg) : Pdf(reg);
    if (bytes.isEmpty()) {
        *error = QStringLiteral("реестр не удалось нарисовать");
        return false;
    }
    QString reason;
    if (!SafeSave::WriteOutput(path, bytes, &reason)) {
        *error = QStringLiteral("не могу записать файл %1: %2").arg(path, reason);
        return false;
    }
    return true;
}

}  // namespace RegisterDrawing
