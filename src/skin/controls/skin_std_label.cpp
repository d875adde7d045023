#include "skin/controls/skin_std_label.h"

#include "skin/data/skin_data.h"
#include "skin/paint/bitmap_canvas.h"

#include <QPainter>

namespace tessaly::skin {

SkinStdLabel::SkinStdLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
    , SkinBound("stdlabel")
{
    m_defaultFont.color = rgbColor(0, 0, 0);
    changeSkinData();
}

void SkinStdLabel::setSkinData(SkinData* skinData)
{
    m_binding.registry = skinData;
    if (m_binding.registry)
        changeSkinData();
}

void SkinStdLabel::setDefaultFont(const Font& font)
{
    m_defaultFont = font;
    changeSkinData();
}

void SkinStdLabel::setUseSkinFont(bool on)
{
    m_useSkinFont = on;
    changeSkinData();
}

void SkinStdLabel::setUseSkinColor(bool on)
{
    m_useSkinColor = on;
    changeSkinData();
}

void SkinStdLabel::beforeChangeSkinData() { m_binding.unbind(); }

void SkinStdLabel::setEllipsType(EllipsType type)
{
    if (m_ellipsType == type)
        return;
    m_ellipsType = type;
    update();
}

QString SkinStdLabel::shownText() const
{
    // A wrapping label breaks its lines instead.
    if (wordWrap())
        return text();
    return shortenedText(text(), fontMetrics(), contentsRect().width(), m_ellipsType);
}

void SkinStdLabel::paintEvent(QPaintEvent* event)
{
    if (!isEnabled()) {
        paintEmbossedText(*this, !m_binding.isBound() ? nullptr : m_binding.registry, shownText());
        return;
    }
    const QString shown = shownText();
    if (shown == text()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect(), int(alignment()), shown);
}

void paintEmbossedText(QLabel& label, const SkinData* skinData, const QString& text)
{
    const bool skinned = skinData && !skinData->empty();
    const QColor highlight = qColorOf(skinned ? skinData->skinColors().cBtnHighLight
                                              : systemColorValue(SystemColor::BtnHighlight));
    const QColor shadow
        = qColorOf(skinned ? skinData->skinColors().cBtnShadow : systemColorValue(SystemColor::BtnShadow));
    QPainter painter(&label);
    painter.setFont(label.font());
    const int flags = int(label.alignment()) | (label.wordWrap() ? Qt::TextWordWrap : 0);
    const QRect area = label.contentsRect();
    painter.setPen(highlight);
    painter.drawText(area.translated(1, 1), flags, text);
    painter.setPen(shadow);
    painter.drawText(area, flags, text);
}

namespace {

// The font fields of the record the label is bound to: a "stdlabel" record,
// or a panel's (the status bar's text, for a label standing on the bar).
template <typename Record>
Font recordFont(const Record& r, Font font, bool useSkinFont, bool useSkinColor)
{
    if (useSkinFont) {
        font.name = r.fontName;
        font.height = r.fontHeight;
        font.style = r.fontStyle;
    }
    if (useSkinColor)
        font.color = r.fontColor;
    return font;
}

} // namespace

Font SkinStdLabel::drawFont() const
{
    if (!m_binding.isBound())
        return m_defaultFont;
    const DataSkinControl* record = m_binding.record();
    if (const auto* label = dynamic_cast<const DataSkinStdLabelControl*>(record))
        return recordFont(*label, m_defaultFont, m_useSkinFont, m_useSkinColor);
    if (const auto* panel = dynamic_cast<const DataSkinPanelControl*>(record))
        return recordFont(*panel, m_defaultFont, m_useSkinFont, m_useSkinColor);
    return m_defaultFont;
}

void SkinStdLabel::changeSkinData()
{
    m_binding.lookUp();
    const Font font = drawFont();
    setFont(fontOf(font));
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, qColorOf(font.color));
    setPalette(palette);
    update();
}

bool SkinStdLabel::event(QEvent* event)
{
    // Skin notices relayed by the window's frame.
    return handleSkinNoticeEvent(*this, event) || QLabel::event(event);
}

} // namespace tessaly::skin
