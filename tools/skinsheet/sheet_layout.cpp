#include "sheet_layout.h"

#include <QFont>
#include <QPainter>

#include <algorithm>

namespace skinsheet {
namespace {

constexpr int kMargin = 16;
constexpr int kGap = 14;
constexpr int kCaptionHeight = 16;
constexpr int kTitleHeight = 30;

QFont captionFont()
{
    QFont f("DejaVu Sans");
    f.setPixelSize(11);
    return f;
}

QFont titleFont()
{
    QFont f("DejaVu Sans");
    f.setPixelSize(15);
    f.setBold(true);
    return f;
}

} // namespace

SheetLayout::SheetLayout(int width)
    : m_width(width)
    , m_x(kMargin)
    , m_y(kMargin)
{
}

void SheetLayout::newRow()
{
    if (m_rowHeight == 0)
        return;
    m_y += m_rowHeight + kGap;
    m_x = kMargin;
    m_rowHeight = 0;
}

void SheetLayout::section(const QString& title)
{
    newRow();
    m_titles.push_back({title, m_y});
    m_y += kTitleHeight;
}

void SheetLayout::add(const QImage& tile, const QString& caption)
{
    const int captionWidth = QFontMetrics(captionFont()).horizontalAdvance(caption);
    const int width = std::max(tile.width(), captionWidth);
    if (m_x > kMargin && m_x + width > m_width - kMargin)
        newRow();
    m_items.push_back({tile, caption, m_x, m_y});
    m_x += width + kGap;
    m_rowHeight = std::max(m_rowHeight, tile.height() + kCaptionHeight);
}

QImage SheetLayout::render() const
{
    const int height = m_y + m_rowHeight + kMargin;
    QImage sheet(m_width, height, QImage::Format_ARGB32);
    sheet.fill(QColor(0xF3, 0xF4, 0xF6));
    QPainter p(&sheet);
    for (const Title& t : m_titles) {
        p.setPen(QColor(0x30, 0x38, 0x42));
        p.setFont(titleFont());
        p.drawText(QRect(kMargin, t.y, m_width - 2 * kMargin, kTitleHeight - 8), Qt::AlignLeft | Qt::AlignBottom,
                   t.text);
        p.fillRect(QRect(kMargin, t.y + kTitleHeight - 5, m_width - 2 * kMargin, 1), QColor(0xC4, 0xCA, 0xD1));
    }
    p.setFont(captionFont());
    for (const Item& item : m_items) {
        p.drawImage(item.x, item.y, item.tile);
        p.setPen(QColor(0x5A, 0x63, 0x6E));
        p.drawText(QRect(item.x, item.y + item.tile.height() + 2, 1000, kCaptionHeight - 2),
                   Qt::AlignLeft | Qt::AlignTop, item.caption);
    }
    return sheet;
}

} // namespace skinsheet
