#include "skin/controls/skin_tab_control.h"

#include "skin/controls/button_look.h"
#include "skin/data/control_records.h"
#include "skin/data/skin_data.h"
#include "skin/data/system_colors.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/compose.h"
#include "skin/paint/pixel_view.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>

namespace tessaly::skin {

namespace {

// Room on either side of a caption inside its tab.
constexpr int captionPadding = 10;
// The built-in face: tabs other than the chosen one stand this much lower.
constexpr int restingDrop = 2;

} // namespace

SkinTabControl::SkinTabControl(QWidget* parent)
    : SkinControl(parent)
{
    m_binding.name = "tab";
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    resize(200, 20);
}

void SkinTabControl::setTabs(const QStringList& captions)
{
    m_tabs = captions;
    m_current = std::clamp(m_current, 0, std::max(0, int(m_tabs.size()) - 1));
    update();
}

void SkinTabControl::setTabText(int index, const QString& caption)
{
    if (index < 0 || index >= m_tabs.size() || m_tabs[index] == caption)
        return;
    m_tabs[index] = caption;
    update();
}

void SkinTabControl::setCurrentIndex(int index)
{
    index = std::clamp(index, 0, std::max(0, int(m_tabs.size()) - 1));
    if (index == m_current)
        return;
    m_current = index;
    update();
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent changed(this, m_tabs.value(index));
        QAccessible::updateAccessibility(&changed);
    }
    if (m_onCurrentChanged)
        m_onCurrentChanged(index);
}

const DataSkinTabControl* SkinTabControl::tabRecord() const
{
    return dynamic_cast<const DataSkinTabControl*>(record());
}

bool SkinTabControl::getSkinData()
{
    if (!SkinControl::getSkinData())
        return false;
    // A record of another kind has no tabs to draw with.
    const DataSkinTabControl* tab = tabRecord();
    m_picture = tab ? m_binding.registry->activePicture(tab->pictureIndex) : nullptr;
    return tab && m_picture;
}

Font SkinTabControl::captionFont() const
{
    const DataSkinTabControl* tab = m_picture ? tabRecord() : nullptr;
    if (!tab || !m_useSkinFont)
        return m_defaultFont;
    return Font{tab->fontName, tab->fontHeight, tab->fontStyle, tab->fontColor};
}

Color SkinTabControl::captionColour(int index) const
{
    const DataSkinTabControl* tab = m_picture ? tabRecord() : nullptr;
    if (!tab)
        return m_defaultFont.color;
    if (index == m_current)
        return hasFocus() ? tab->focusFontColor : tab->activeFontColor;
    return index == m_hot ? tab->mouseInFontColor : tab->fontColor;
}

QRect SkinTabControl::tabRect(int index) const
{
    if (index < 0 || index >= m_tabs.size())
        return {};
    const QFontMetrics metrics(fontOf(captionFont()));
    int x = 0;
    for (int i = 0; i < index; ++i)
        x += metrics.horizontalAdvance(m_tabs[i]) + 2 * captionPadding;
    return QRect(x, 0, metrics.horizontalAdvance(m_tabs[index]) + 2 * captionPadding, height());
}

int SkinTabControl::tabAt(const QPoint& point) const
{
    for (int i = 0; i < m_tabs.size(); ++i)
        if (tabRect(i).contains(point))
            return i;
    return -1;
}

void SkinTabControl::drawCaption(Bitmap& face, int index, Color colour) const
{
    const QRect r = tabRect(index);
    const Rect text{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
    drawButtonCaption(face, text, m_tabs[index], captionFont(), colour, false);
    if (index == m_current && hasFocus())
        drawFocusFrame(face, Rect{text.left + 3, text.top + 3, text.right - 3, text.bottom - 2}, colour);
}

void SkinTabControl::drawSkinFace(Bitmap& face)
{
    const DataSkinTabControl& tab = *tabRecord();
    const PixelView picture = pixelView(*m_picture);
    const Rect back = tab.tabsBGRect.isEmpty() ? tab.skinRect : tab.tabsBGRect;
    if (!back.isEmpty())
        copyPiece(picture, back, face, Rect::sized(face.width(), face.height()));
    // The chosen tab last: it stands in front of its neighbours.
    auto drawTab = [&](int i) {
        const Rect& source = i == m_current ? (hasFocus() && !tab.focusTabRect.isEmpty() ? tab.focusTabRect : tab.activeTabRect)
            : i == m_hot && !tab.mouseInTabRect.isEmpty()                             ? tab.mouseInTabRect
                                                                                      : tab.tabRect;
        const QRect r = tabRect(i);
        Bitmap piece;
        composeHorzSkinImage(tab.tabLeftOffset, tab.tabRightOffset, piece, picture, source, r.width(), r.height(),
                             tab.tabStretchEffect);
        copyPiece(piece.view(), Rect::sized(piece.width(), piece.height()), face,
                  Rect{r.left(), r.top(), r.left() + piece.width(), r.top() + std::min(piece.height(), r.height())});
        drawButtonCaption(face, Rect{r.left(), r.top(), r.right() + 1, r.bottom() + 1}, m_tabs[i], captionFont(),
                          captionColour(i), false);
        if (i == m_current && hasFocus() && tab.showFocus)
            drawFocusFrame(face, Rect{r.left() + 3, r.top() + 3, r.right() - 2, r.bottom() - 2}, captionColour(i));
    };
    for (int i = 0; i < m_tabs.size(); ++i)
        if (i != m_current)
            drawTab(i);
    if (m_current < m_tabs.size())
        drawTab(m_current);
}

void SkinTabControl::drawDefaultFace(Bitmap& face)
{
    const Color faceColour = systemColorValue(SystemColor::BtnFace);
    const Color shadow = systemColorValue(SystemColor::BtnShadow);
    const Color window = systemColorValue(SystemColor::Window);
    const int w = face.width(), h = face.height();
    face.fillRect(Rect::sized(w, h), colorFromValue(faceColour));
    face.fillRect(Rect{0, h - 1, w, h}, colorFromValue(shadow));
    for (int i = 0; i < m_tabs.size(); ++i) {
        const QRect r = tabRect(i);
        const bool chosen = i == m_current;
        const Rect plate{r.left(), r.top() + (chosen ? 0 : restingDrop), r.right() + 1, h - (chosen ? 0 : 1)};
        drawFramedFill(face, Rect{plate.left, plate.top, plate.right, plate.bottom + 1}, shadow,
                       chosen ? window : faceColour);
        if (chosen)
            face.fillRect(Rect{plate.left + 1, h - 1, plate.right - 1, h}, colorFromValue(window));
        drawCaption(face, i, m_defaultFont.color);
    }
}

void SkinTabControl::setHot(int index)
{
    if (index == m_hot)
        return;
    m_hot = index;
    update();
}

void SkinTabControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return SkinControl::mousePressEvent(event);
    const int index = tabAt(event->position().toPoint());
    if (index >= 0)
        setCurrentIndex(index);
}

void SkinTabControl::mouseMoveEvent(QMouseEvent* event)
{
    setHot(tabAt(event->position().toPoint()));
    SkinControl::mouseMoveEvent(event);
}

void SkinTabControl::leaveEvent(QEvent* event)
{
    setHot(-1);
    SkinControl::leaveEvent(event);
}

void SkinTabControl::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        setCurrentIndex(m_current - 1);
        break;
    case Qt::Key_Right:
        setCurrentIndex(m_current + 1);
        break;
    case Qt::Key_Home:
        setCurrentIndex(0);
        break;
    case Qt::Key_End:
        setCurrentIndex(int(m_tabs.size()) - 1);
        break;
    default:
        SkinControl::keyPressEvent(event);
    }
}

void SkinTabControl::focusInEvent(QFocusEvent* event)
{
    SkinControl::focusInEvent(event);
    update();
}

void SkinTabControl::focusOutEvent(QFocusEvent* event)
{
    SkinControl::focusOutEvent(event);
    update();
}

} // namespace tessaly::skin
