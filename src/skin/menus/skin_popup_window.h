#pragma once

#include <QBasicTimer>
#include <QRegion>
#include <QWidget>

#include <memory>
#include <vector>

#include "skin/menus/drop_shadow.h"
#include "skin/menus/menu_layout.h"
#include "skin/menus/menu_painter.h"
#include "skin/menus/skin_menu_item.h"
#include "skin/paint/bitmap.h"
#include "skin/paint/device_picture.h"

namespace tessaly::skin {

class DataSkinPopupWindow;
class SkinMenu;

// One open level of a menu: a Qt::Popup window that shows the visible items
// of one menu item, drawn from the skin's popup-window record (or the
// built-in look), and handles the mouse and keys the engine routes to it.
// Windows are made and destroyed by the engine only.
class SkinPopupWindow : public QWidget {
public:
    // `record` is the registry's popup-window record, or null for the
    // built-in look (a record without a window picture counts as none).
    SkinPopupWindow(SkinMenu& engine, const DataSkinPopupWindow* record, int level);
    ~SkinPopupWindow() override;
    // Makes a hidden window ready to show another level (the engine keeps
    // closed windows for the next popup: making a new one costs more than
    // the whole drawing of a menu).
    void reset(const DataSkinPopupWindow* record, int level);

    SkinMenu& engine() const { return m_engine; }
    int level() const { return m_level; }
    bool skinned() const { return m_record != nullptr; }
    const MenuItemLook& look() const { return m_look; }

    // Builds the items of `item` from `startIndex` on, sizes and places the
    // window against `anchor` (screen coordinates) and shows it with its
    // first usable item highlighted. False when no item is visible.
    bool showMenu(const Rect& anchor, MenuItem& item, int startIndex, bool byItem, bool up);
    // Hides without moving or activating anything, and stops the timers.
    void closeMenuWindow();

    int itemCount() const { return int(m_items.size()); }
    // Counts the builds of the items: an item's index means another item
    // once the window has shown another menu.
    int itemsBuild() const { return m_itemsBuild; }
    SkinMenuItem& item(int index) const { return *m_items[std::size_t(index)]; }
    int activeItem() const { return m_activeItem; }
    MenuItem* menuItem() const { return m_menuItem; }
    // The item's place on the screen.
    Rect screenRect(const SkinMenuItem& item) const;
    bool scrolling() const { return m_size.scroll; }
    int visibleStart() const { return m_itemsLayout.visibleStart; }
    int visibleCount() const { return m_itemsLayout.visibleCount; }
    Rect topMarker() const;
    Rect bottomMarker() const;
    const QString& hintText() const { return m_hint; }
    void setHint(const QString& hint) { m_hint = hint; }

    // True when the screen point lies on the window (its shape included).
    bool holds(const QPoint& global) const;
    // The pointer moved to a point of this window / elsewhere.
    void trackPoint(const QPoint& local);
    void pointerElsewhere();
    // A button went up over this window; `choose`: a press was seen since
    // the menu opened, so the release may choose an item.
    void release(const QPoint& local, Qt::MouseButton button, bool choose);
    // A key for this level (the last one).
    void popupKeyDown(int key, const QString& text);

    // Redraws one item now; runs the cross-fade timer.
    void redrawItem(const SkinMenuItem& item);
    void startMorph();
    // The timer of the cross-fades and animation frames (it stops when
    // nothing moves): its id, whether it runs, and its interval.
    int morphTimerId() const { return m_morphTimer.timerId(); }
    bool morphRunning() const { return m_morphTimer.isActive(); }
    int morphInterval() const;
    // The highlight moves to the next / previous usable item (keyboard).
    void nextItem();
    void previousItem();

    // The shadow under the window (shown only while layered windows are
    // available).
    const DropShadow& shadow() const { return m_shadow; }

    // The whole window image (for tests and snapshots).
    const Bitmap& buffer() const { return m_buffer; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void buildItems(MenuItem& item, int startIndex);
    void sizeWindow();
    void layOut();
    MenuScene scene() const;
    void paintMenu();
    void scrollBy(int delta);
    void setActive(int index, bool keyboard);
    void ensureVisible(int index);
    void stopScrolling();

    SkinMenu& m_engine;
    const DataSkinPopupWindow* m_record = nullptr;
    int m_level = 0;
    MenuItemLook m_look;
    MenuItem* m_menuItem = nullptr;
    std::vector<std::unique_ptr<SkinMenuItem>> m_items;
    std::vector<int> m_heights;
    MenuSize m_size;
    MenuFrameLayout m_frame;
    ItemsLayout m_itemsLayout;
    Bitmap m_buffer;
    DevicePicture m_deviceBuffer; // the buffer at the screen's resolution
    Bitmap m_paintBuffer;
    QRegion m_shape;
    int m_activeItem = -1;
    int m_itemsBuild = 0;
    int m_scrollCode = 0;
    DropShadow m_shadow;
    QBasicTimer m_morphTimer;
    QBasicTimer m_scrollTimer;
    QBasicTimer m_fadeTimer;
    int m_opacity = 255;
    QString m_hint;
    bool m_closing = false;
};

} // namespace tessaly::skin
