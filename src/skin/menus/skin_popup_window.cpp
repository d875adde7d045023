#include "skin/menus/skin_popup_window.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

#include "skin/data/skin_data.h"
#include "skin/data/system_colors.h"
#include "skin/paint/pixel_view.h"
#include "skin/menus/menu_accessibility.h"
#include "skin/menus/menu_painter.h"
#include "skin/menus/skin_menu.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/compose.h"
#include "skin/paint/device_picture.h"
#include "skin/paint/region.h"
#include "skin/paint/window_shape.h"
#include "platform/qt_geometry.h"

namespace tessaly::skin {

namespace {

constexpr int kMorphInterval = 20;
constexpr int kScrollInterval = 100;
constexpr int kFadeInterval = 5;

const DataSkinMenuItem* firstMenuItemRecord(const SkinData& sd)
{
    for (const auto& record : sd.objectList())
        if (const auto* item = dynamic_cast<const DataSkinMenuItem*>(record.get()))
            return item;
    return nullptr;
}

} // namespace

SkinPopupWindow::SkinPopupWindow(SkinMenu& engine, const DataSkinPopupWindow* record, int level)
    : QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint)
    , m_engine(engine)
{
    // A press outside closes the whole menu and is not passed on to the
    // window below; the window owning the menu stays active.
    setAttribute(Qt::WA_NoMouseReplay);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    reset(record, level);
}

void SkinPopupWindow::reset(const DataSkinPopupWindow* record, int level)
{
    m_level = level;
    m_closing = false;
    m_items.clear();
    m_heights.clear();
    m_itemsLayout = {};
    m_activeItem = -1;
    m_scrollCode = 0;
    m_hint.clear();
    m_menuItem = nullptr;
    if (!m_shape.isEmpty()) {
        m_shape = QRegion();
        setSkinWindowShape(this, std::nullopt);
    }
    if (windowOpacity() != 1.0)
        setWindowOpacity(1.0);
    m_look = {};
    m_record = nullptr;

    const SkinData* sd = m_engine.skinData();
    if (record && sd && !sd->empty() && sd->activePicture(record->windowPictureIndex))
        m_record = record;
    const MenuSettings settings = m_engine.settings();
    if (!m_record) {
        m_look.font = m_engine.font(settings.defaultMenuItemFont);
        return;
    }
    m_look.skinData = sd;
    // A menu item record without a picture of its own draws items built-in.
    const DataSkinMenuItem* item = firstMenuItemRecord(*sd);
    if (item && sd->activePicture(item->activePictureIndex)) {
        m_look.record = item;
        m_look.picture = sd->activePicture(item->activePictureIndex);
        m_look.morphing = item->morphing && sd->options().enableSkinEffects;
        m_look.animation = !item->animateSkinRect.isEmpty() && item->frameCount > 0
                           && sd->options().enableSkinEffects;
        if (item->animateInterval > 0)
            m_look.animateInterval = item->animateInterval;
    }
    m_look.font = m_engine.font(m_look.record && settings.useSkinFont
                                    ? Font{m_look.record->fontName, m_look.record->fontHeight, m_look.record->fontStyle, Color(0), 1}
                                    : settings.defaultMenuItemFont);
}

SkinPopupWindow::~SkinPopupWindow() = default;

bool SkinPopupWindow::showMenu(const Rect& anchor, MenuItem& parentItem, int startIndex, bool byItem, bool up)
{
    m_menuItem = &parentItem;
    buildItems(parentItem, startIndex);
    if (m_items.empty())
        return false;
    sizeWindow();
    layOut();

    if (m_record && m_record->maskPictureIndex >= 0) {
        if (const Picture* mask = m_look.skinData->activePicture(m_record->maskPictureIndex)) {
            const PopupFrameGeometry g = popupFrameGeometry(m_record, m_look);
            const NineGeometry cut{g.lt, g.rt, g.lb, g.rb, g.itemsRect};
            const NineGeometry moved{m_frame.lt, m_frame.rt, m_frame.lb, m_frame.rb, m_frame.itemsRect};
            if (auto region = createSkinRegion(pixelView(*mask), cut, moved, m_size.width, m_size.height)) {
                m_shape = toQRegion(*region);
                setSkinWindowShape(this, region);
            }
        }
    }

    PlacementInput place;
    place.anchor = anchor;
    place.workArea = m_engine.workArea();
    place.width = m_size.width;
    place.height = m_size.height;
    place.scroll = m_size.scroll;
    place.scroll2 = m_size.scroll2;
    place.byItem = byItem;
    place.up = up;
    place.itemsTop = m_frame.itemsRect.top;
    const Point at = placeMenu(place);
    setGeometry(at.x, at.y, m_size.width, m_size.height);

    const MenuSettings settings = m_engine.settings();
    if (m_engine.layeredWindowsAvailable() && settings.alphaBlend) {
        const int value = std::clamp(settings.alphaBlendValue, 0, 255);
        const bool fade = m_engine.first() && settings.alphaBlendAnimation;
        m_opacity = fade ? 0 : value;
        setWindowOpacity(m_opacity / 255.0);
        if (fade)
            m_fadeTimer.start(kFadeInterval, this);
    }

    m_activeItem = -1;
    paintMenu();
    // The shadow first, so that the menu shows above it.
    if (m_engine.layeredWindowsAvailable())
        m_shadow.showFor(geometry(), m_shape);
    else
        m_shadow.hide();
    show();
    tellMenuOpened(*this);
    // The menu opens with its first usable item highlighted.
    for (int i = 0; i < itemCount(); ++i) {
        if (!item(i).usable())
            continue;
        SkinMenuItem& first = item(i);
        first.waitCommand = true;
        m_activeItem = i;
        first.mouseEnter(true);
        tellItemHighlighted(*this, i);
        break;
    }
    return true;
}

void SkinPopupWindow::buildItems(MenuItem& parent, int startIndex)
{
    const MenuOwner& owner = m_engine.owner();
    m_look.images = owner.images && !owner.images->empty() ? owner.images : nullptr;
    m_look.glyphWidth = m_look.images ? m_look.images->front().width() + 5 : 19;
    m_items.clear();
    ++m_itemsBuild;
    for (int i = std::max(0, startIndex); i < parent.count(); ++i) {
        MenuItem& item = parent.at(i);
        if (!item.visible)
            continue;
        // A separator at the top or right after another one is left out.
        if (owner.autoLineReduction && item.isSeparator() &&
            (m_items.empty() || m_items.back()->menuItem().isSeparator()))
            continue;
        m_items.push_back(std::make_unique<SkinMenuItem>(*this, item));
    }
    if (owner.autoLineReduction && !m_items.empty() && m_items.back()->menuItem().isSeparator())
        m_items.pop_back();
}

void SkinPopupWindow::sizeWindow()
{
    const MenuSettings settings = m_engine.settings();
    const DataSkinMenuItem* r = m_record ? m_look.record : nullptr;
    MenuSizeInput in;
    in.frame = popupFrameGeometry(m_record, m_look);
    for (const auto& it : m_items) {
        const QString& caption = it->menuItem().caption;
        it->captionWidth = m_engine.textWidth(m_look.font, caption);
        int width = it->captionWidth;
        const QString shortCut = it->menuItem().shortCutText();
        if (!shortCut.isEmpty())
            width = m_engine.textWidth(m_look.font, caption + QStringLiteral("  ") + shortCut);
        const bool separator = it->menuItem().isSeparator();
        int height = r ? (separator ? r->dividerRect.height() : r->skinRect.height())
                       : (separator ? 4 : settings.defaultMenuItemHeight);
        // An owner-drawn item says how much room its drawing needs.
        if (it->menuItem().onMeasureItem) {
            it->menuItem().onMeasureItem(it->menuItem(), width, height);
            height = std::max(1, height);
        }
        in.captionWidth = std::max(in.captionWidth, width + 2);
        in.itemHeights.push_back(height);
    }
    in.glyphWidth = m_look.glyphWidth;
    in.textMargins = r ? r->textRct.left + r->skinRect.width() - r->textRct.right : 0;
    in.normalItemHeight = r ? r->skinRect.height() : settings.defaultMenuItemHeight;
    in.maxItemsInWindow = settings.maxMenuItemsInWindow;
    in.workAreaHeight = m_engine.workArea().height();
    m_heights = in.itemHeights;
    m_size = sizeMenu(in);
    m_frame = layoutFrame(in.frame, m_size.width, m_size.height);
}

void SkinPopupWindow::layOut()
{
    m_itemsLayout = layoutItems(m_frame.itemsRect, m_heights, m_itemsLayout.visibleStart, m_size.scroll);
    for (int i = 0; i < itemCount(); ++i) {
        SkinMenuItem& it = item(i);
        it.objectRect = m_itemsLayout.rects[std::size_t(i)];
        it.visible = m_itemsLayout.isVisible(i);
    }
}

Rect SkinPopupWindow::topMarker() const { return topScrollMarker(m_frame, skinned(), m_size.width); }

Rect SkinPopupWindow::bottomMarker() const
{
    return bottomScrollMarker(m_frame, skinned(), m_size.width, m_size.height);
}

Rect SkinPopupWindow::screenRect(const SkinMenuItem& it) const
{
    const Rect& r = it.objectRect;
    return {r.left + x(), r.top + y(), r.right + x(), r.bottom + y()};
}

MenuScene SkinPopupWindow::scene() const
{
    MenuScene scene;
    scene.record = m_record;
    scene.look = &m_look;
    scene.size = m_size;
    scene.frame = m_frame;
    scene.items = &m_items;
    scene.topMarker = topMarker();
    scene.bottomMarker = bottomMarker();
    scene.hotMarker = m_scrollCode;
    return scene;
}

void SkinPopupWindow::paintMenu()
{
    skin::paintMenu(m_buffer, m_paintBuffer, m_look, scene());
    update();
}

void SkinPopupWindow::redrawItem(const SkinMenuItem& it)
{
    it.draw(m_buffer);
    update(platform::toQRect(it.objectRect));
}

void SkinPopupWindow::startMorph()
{
    // One timer for the window's cross-fades and animation frames: the
    // frames set its pace where the record has them.
    if (!m_morphTimer.isActive())
        m_morphTimer.start(morphInterval(), this);
}

int SkinPopupWindow::morphInterval() const { return m_look.animation ? m_look.animateInterval : kMorphInterval; }

void SkinPopupWindow::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_morphTimer.timerId()) {
        bool changed = false;
        for (const auto& it : m_items) {
            if (!it->visible) {
                it->active = false;
                it->down = false;
                it->jumpFade(false);
                it->currentFrame = 0;
                continue;
            }
            const bool morphed = m_look.morphing && it->doMorphing();
            const bool animated = it->doAnimation();
            if (morphed || animated) {
                redrawItem(*it);
                changed = true;
            }
        }
        if (!changed)
            m_morphTimer.stop();
    } else if (event->timerId() == m_scrollTimer.timerId()) {
        scrollBy(m_scrollCode == 1 ? -1 : 1);
    } else if (event->timerId() == m_fadeTimer.timerId()) {
        const int value = std::clamp(m_engine.settings().alphaBlendValue, 0, 255);
        m_opacity = std::min(value, m_opacity + std::max(1, value / 15));
        setWindowOpacity(m_opacity / 255.0);
        if (m_opacity >= value)
            m_fadeTimer.stop();
    }
}

void SkinPopupWindow::scrollBy(int delta)
{
    const int start = m_itemsLayout.visibleStart;
    const bool canUp = start > 0;
    const bool canDown = start + m_itemsLayout.visibleCount < itemCount();
    if ((delta < 0 && !canUp) || (delta > 0 && !canDown)) {
        stopScrolling();
        return;
    }
    m_itemsLayout.visibleStart = start + delta;
    layOut();
    paintMenu();
}

void SkinPopupWindow::stopScrolling()
{
    m_scrollCode = 0;
    m_scrollTimer.stop();
    paintMenu();
}

bool SkinPopupWindow::holds(const QPoint& global) const
{
    if (!isVisible() || !geometry().contains(global))
        return false;
    return m_shape.isEmpty() || m_shape.contains(global - geometry().topLeft());
}

void SkinPopupWindow::trackPoint(const QPoint& local)
{
    if (m_size.scroll) {
        const bool inTop = topMarker().contains(platform::toPoint(local)), inBottom = bottomMarker().contains(platform::toPoint(local));
        const bool canUp = m_itemsLayout.visibleStart > 0;
        const bool canDown = m_itemsLayout.visibleStart + m_itemsLayout.visibleCount < itemCount();
        if (m_scrollCode == 0 && ((inTop && canUp) || (inBottom && canDown))) {
            m_scrollCode = inTop ? 1 : 2;
            paintMenu();
            m_engine.closeFrom(m_level + 1);
            m_scrollTimer.start(kScrollInterval, this);
        } else if (m_scrollCode != 0 && !inTop && !inBottom) {
            stopScrolling();
        }
    }
    int index = -1;
    for (int i = 0; i < itemCount(); ++i)
        if (item(i).visible && item(i).objectRect.contains(platform::toPoint(local))) {
            index = i;
            break;
        }
    if (index < 0)
        return;
    if (index == m_activeItem) {
        SkinMenuItem& it = item(index);
        if (it.waitCommand) {
            it.waitCommand = false;
            if (it.menuItem().hasItems())
                it.mouseEnter(false); // its sub-menu timer starts
        }
        return;
    }
    const int old = m_activeItem;
    m_activeItem = index;
    if (old >= 0 && item(old).usable())
        item(old).mouseLeave();
    if (item(index).usable())
        item(index).mouseEnter(false);
}

void SkinPopupWindow::pointerElsewhere()
{
    if (m_size.scroll && m_scrollCode != 0)
        stopScrolling();
}

void SkinPopupWindow::release(const QPoint& local, Qt::MouseButton button, bool choose)
{
    trackPoint(local);
    if (!choose || button != Qt::LeftButton || m_activeItem < 0)
        return;
    SkinMenuItem& it = item(m_activeItem);
    if (!it.visible || !it.objectRect.contains(platform::toPoint(local)) || it.menuItem().isSeparator())
        return;
    it.mouseDown(); // may close the menu: nothing may follow
}

void SkinPopupWindow::setActive(int index, bool keyboard)
{
    const int old = m_activeItem;
    m_activeItem = index;
    if (old >= 0 && old != index && item(old).usable())
        item(old).mouseLeave();
    item(index).mouseEnter(keyboard);
    if (index != old)
        tellItemHighlighted(*this, index);
}

void SkinPopupWindow::ensureVisible(int index)
{
    if (!m_size.scroll || m_itemsLayout.isVisible(index))
        return;
    if (index < m_itemsLayout.visibleStart) {
        m_itemsLayout.visibleStart = index;
    } else {
        // The start from which the item is the last one that fits.
        const int room = m_frame.itemsRect.height() - 2 * kScrollMarkerHeight;
        int start = index, used = m_heights[std::size_t(index)];
        while (start > 0 && used + m_heights[std::size_t(start - 1)] <= room)
            used += m_heights[std::size_t(--start)];
        m_itemsLayout.visibleStart = start;
    }
    layOut();
    paintMenu();
}

void SkinPopupWindow::nextItem()
{
    const int n = itemCount();
    const int from = (m_activeItem < 0 || m_activeItem >= n - 1) ? 0 : m_activeItem + 1;
    for (int i = from; i < n; ++i)
        if (item(i).usable()) {
            ensureVisible(i);
            setActive(i, true);
            return;
        }
}

void SkinPopupWindow::previousItem()
{
    const int n = itemCount();
    const int from = m_activeItem <= 0 ? n - 1 : m_activeItem - 1;
    for (int i = from; i >= 0; --i)
        if (item(i).usable()) {
            ensureVisible(i);
            setActive(i, true);
            return;
        }
}

void SkinPopupWindow::popupKeyDown(int key, const QString& text)
{
    if (!isVisible())
        return;
    // Accelerators compare the key's text, so they follow the keyboard layout.
    const QChar typed = text.isEmpty() ? QChar() : text.front().toLower();
    if (!typed.isNull() && typed.isPrint() && !typed.isSpace()) {
        for (int i = 0; i < itemCount(); ++i) {
            if (item(i).menuItem().accelerator() != typed)
                continue;
            setActive(i, true);
            item(i).mouseDown(); // a disabled item ignores it; the key is used up all the same
            return;
        }
    }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_activeItem >= 0 && item(m_activeItem).usable())
            item(m_activeItem).mouseDown();
        break;
    case Qt::Key_Escape:
        m_engine.closeLastLevel();
        break;
    case Qt::Key_Left:
        if (m_engine.levelCount() >= 2)
            m_engine.closeLastLevel();
        break;
    case Qt::Key_Up:
        previousItem();
        break;
    case Qt::Key_Down:
        nextItem();
        break;
    case Qt::Key_Right:
        if (m_activeItem >= 0 && item(m_activeItem).menuItem().hasItems() && item(m_activeItem).usable())
            item(m_activeItem).mouseDown();
        break;
    default:
        break;
    }
}

void SkinPopupWindow::closeMenuWindow()
{
    m_closing = true;
    m_morphTimer.stop();
    m_scrollTimer.stop();
    m_fadeTimer.stop();
    hide();
}

void SkinPopupWindow::paintEvent(QPaintEvent* event)
{
    if (m_buffer.empty())
        return;
    QPainter painter(this);
    painter.setClipRegion(event->region());
    // On a dense screen the items' text was kept out of the buffer.
    platform::TextRuns text;
    for (const auto& it : m_items)
        if (it->visible)
            text.append(it->shownText());
    drawDevicePicture(painter, m_deviceBuffer, m_buffer, text);
}

void SkinPopupWindow::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    m_engine.routeMouse(event);
}

void SkinPopupWindow::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    m_engine.routeMouse(event);
}

void SkinPopupWindow::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    m_engine.routeMouse(event);
}

void SkinPopupWindow::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    m_engine.keyDown(event);
}

void SkinPopupWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_shadow.hide();
    tellMenuClosed(*this);
    if (!m_closing)
        m_engine.windowLost();
}

} // namespace tessaly::skin
