#pragma once

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QPoint>
#include <QRect>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "skin/frame/frame_layout.h"
#include "skin/frame/frame_object.h"
#include "skin/frame/frame_sizing.h"
#include "skin/frame/system_menu.h"
#include "skin/menus/menu_frame.h"
#include "skin/paint/bitmap.h"

class QMouseEvent;
class QShortcut;

namespace tessaly::platform {
class FramelessWindow;
}

namespace tessaly::skin {

class FormLayerBorder;
class LayerManager;
class SkinData;
class SkinMenu;
class SkinPopupMenu;
class SkinNoticeEvent;

// Which caption buttons a window has (bit masks, as stored).
namespace BorderIcon {
inline constexpr unsigned SystemMenu = 1;
inline constexpr unsigned Minimize = 2;
inline constexpr unsigned Maximize = 4;
inline constexpr unsigned RollUp = 8;
inline constexpr unsigned MinimizeToTray = 16;
} // namespace BorderIcon

// The skinned frame of one frameless window. It hooks the window with an
// event filter and from then on draws the whole window from the skin of its
// registry: borders and caption strip at any size, the shape from the mask
// picture, the client background, the caption with the title and the
// caption buttons (hover cross-fade, glow, press, commands). Without a
// loaded skin it draws the default look. The window's size is its design
// client size plus the frame's margins, applied again on every skin change.
//
// It also behaves as a window frame: the pointer shape follows the part
// under it, a press on the caption or an edge moves or sizes the window
// through the window manager (or by the frame's own tracking where there
// is none), the window's size limits reach the window manager, caption
// buttons and the system menu change the window state, and the system menu
// is a skinned popup menu run by the frame's own menu engine.
//
// Every rectangle it paints, shapes or hit-tests with comes from one
// FrameLayout, computed once per size.
class SkinFrame : public QObject, public MenuFrame {
public:
    enum class WindowState { Normal, Minimized, Maximized };

    static constexpr int kMouseTimerInterval = 50;
    static constexpr int kMorphInterval = 25;

    explicit SkinFrame(platform::FramelessWindow* window);
    ~SkinFrame() override;
    SkinFrame(const SkinFrame&) = delete;
    SkinFrame& operator=(const SkinFrame&) = delete;

    platform::FramelessWindow* window() const { return m_window; }

    // The registry (not owned; it must outlive the frame or be unset
    // first). Setting it applies its skin.
    SkinData* skinData() const { return m_sd; }
    void setSkinData(SkinData* sd);
    // BorderIcon bits; the default is system menu, minimise, maximise and
    // roll-up.
    unsigned borderIcons() const { return m_borderIcons; }
    void setBorderIcons(unsigned icons);

    // A loaded skin is in use (false: the default look).
    bool skinSupport() const { return m_skinSupport; }
    // The window counts as active.
    bool formActive() const;
    const FrameLayout& layout() const { return m_layout; }
    const std::vector<FrameObject>& objects() const { return m_objects; }
    std::vector<FrameObjectInfo> objectInfos() const;
    // Position of the first object named idName, or -1.
    int getIndex(std::string_view idName) const;
    // The object under the pointer, the object that has the mouse captured.
    int activeObject() const { return m_activeObject; }
    int mouseCaptureObject() const { return m_mouseCaptureObject; }
    // The picture of the whole window in its current state.
    const Bitmap& frameImage();
    // The glow of an object (null when it has none yet).
    LayerManager* glow(int index) const;
    // The layered border around the window (its strip windows exist only
    // while the skin has one and it can be shown).
    FormLayerBorder* layerBorder() const { return m_layerBorder.get(); }

    // --- behaviour
    // The window can be sized by its frame (default true).
    bool resizable() const { return m_resizable; }
    void setResizable(bool on) { m_resizable = on; }
    // The window's own size limits (0: none).
    const FrameSizeSettings& sizeSettings() const { return m_sizeSettings; }
    void setSizeSettings(const FrameSizeSettings& settings);
    int getMinWidth() const;
    int getMinHeight() const;
    int getMaxWidth() const;
    int getMaxHeight() const;
    // The part of the frame under a window point, for the current state.
    FrameHitResult hitTest(const QPoint& p) const;
    // A move or resize started by the frame runs (the window manager's, or
    // the frame's own tracking).
    bool sizeMoveRunning() const { return m_sizeMove; }
    bool ownTracking() const { return m_drag.active; }
    // The window can be sized now: resizable, in the normal state and not
    // rolled up.
    bool sizableNow() const;
    // A press on the layered border sizes the window by the edges of
    // `grip`, as a press on the frame's own edge does. Where the frame
    // tracks the pointer itself, the border hands on the pointer's moves and
    // the release (which ends the sizing).
    void startBorderResize(FrameHit grip, const QPoint& global) { startSizeMove(grip, global); }
    void trackBorderResize(const QPoint& global, bool released);
    FrameHit trackedGrip() const { return m_drag.grip; }

    // The frame's window state. Minimising the program's main window
    // minimises the program, and the frame's state stays normal.
    WindowState windowState() const { return m_windowState; }
    bool rollUpState() const { return m_rollUpState; }
    void changeWindowState(WindowState state);
    void switchRollUp(bool value);
    void setOnRestore(std::function<void()> handler) { m_onRestore = std::move(handler); }
    void setOnMinimize(std::function<void()> handler) { m_onMinimize = std::move(handler); }
    void setOnMaximize(std::function<void()> handler) { m_onMaximize = std::move(handler); }

    // --- the system menu
    bool disableSystemMenu() const { return m_disableSystemMenu; }
    void setDisableSystemMenu(bool on) { m_disableSystemMenu = on; }
    // Opens the system menu at a screen point / below the system-menu
    // button (nothing without an enabled, visible one).
    void showSystemMenu(const QPoint& global);
    void showSystemMenuBelowButton();
    // The menu last opened (null before the first).
    SkinPopupMenu* systemMenu() const { return m_sysMenu.get(); }
    bool inMenu() const { return m_inMenu; }

    // MenuFrame
    SkinMenu& skinMenu() override;
    SkinData* menusSkinData() const override { return m_sd; }
    MenuSettings menuSettings() const override { return m_menuSettings; }
    bool layeredWindowsAvailable() const override;
    void skinMenuOpen() override;
    void skinMenuClose() override;

    bool mouseTimerActive() const { return m_mouseTimer.isActive(); }
    bool morphTimerActive() const { return m_morphTimer.isActive(); }
    // Pixels asked to be repainted so far (benchmarks and tests).
    long long repaintedPixels() const { return m_repaintedPixels; }
    // How often a whole window picture was composed.
    int composeCount() const { return m_composeCount; }

    // The timers' ticks; tests and benchmarks call them directly.
    void morphTick();
    void mouseTick();
    // Makes the layout and the picture current for the window's size now
    // (a resize of a hidden window reaches the frame only when shown).
    void updateFrame();
    // Re-reads the skin: objects, window size, layout, picture.
    void applySkin();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void skinNotice(const SkinNoticeEvent& notice);
    void relayToControls(const SkinNoticeEvent& notice);
    void beforeChange();
    void createObjects();
    void createDefaultButtons();
    void applyBorderIcons();
    void clearObjects();
    void applySize();
    void relayout();
    void invalidateImages();
    Bitmap& ensureImage(bool active);
    void paint(const QRegion& region);
    void repaint(const QRect& rect);
    void redrawObject(int index);
    void redrawButtons();
    bool morphEnabled(const FrameObject& o) const;
    void startMorph(int index);

    // Tracking and mouse handling of the objects.
    void testActiveObject(const QPoint& p, bool track);
    void deactivateAll() { testActiveObject(QPoint(-1, -1), false); }
    void mouseEnter(int index);
    void mouseLeave(int index);
    void mouseDown(int index);
    void mouseUp(int index);
    void setPressed(int index, bool value);
    void doCommand(int index);
    void onMouseMove(const QPoint& p);
    void onActivationChange();
    void showLayer(int index);
    void hideLayers();

    // Moving, sizing and window states.
    void updateCursor(FrameHit hit);
    void applySizeLimits();
    void watchScreen();
    void startSizeMove(FrameHit grip, const QPoint& global);
    void beginSizeMove();
    void endSizeMove();
    bool dragTo(const QPoint& global);
    void captionDoubleClick();
    void minimizeWindow();
    void maximizeWindow();
    void restoreWindow();
    void windowStateChanged(Qt::WindowStates old);
    void exposed();
    void hideOwnedWindows();
    void showOwnedWindows();
    bool isMainWindow() const;
    SystemMenuActions systemMenuActions();
    void popupSystemMenu(const Rect& anchor);
    bool menuPress(QObject* watched, QEvent* event);
    bool mousePress(QMouseEvent* e, bool doubleClick);
    platform::FramelessWindow* m_window;
    SkinData* m_sd = nullptr;
    unsigned m_borderIcons = BorderIcon::SystemMenu | BorderIcon::Minimize | BorderIcon::Maximize | BorderIcon::RollUp;
    bool m_skinSupport = false;
    bool m_stopPainting = false;
    bool m_layoutDirty = true;
    bool m_closing = false; // a close is on its way: the objects stay idle
    std::vector<FrameObject> m_objects;
    std::vector<std::unique_ptr<LayerManager>> m_glows;
    std::unique_ptr<FormLayerBorder> m_layerBorder;
    FrameLayout m_layout;
    // The window's picture, inactive [0] and active [1], for the layout's
    // size; the inactive one is kept until the size or the skin changes.
    Bitmap m_images[2];
    bool m_imageValid[2] = {false, false};
    int m_activeObject = -1;
    int m_mouseCaptureObject = -1;
    QBasicTimer m_mouseTimer;
    QBasicTimer m_morphTimer;
    long long m_repaintedPixels = 0;
    int m_composeCount = 0;

    // Behaviour.
    bool m_resizable = true;
    FrameSizeSettings m_sizeSettings;
    Qt::CursorShape m_cursor = Qt::ArrowCursor;
    bool m_sizeMove = false;
    bool m_activeAtSizeMove = false;
    QBasicTimer m_sizeMoveTimer;
    struct Drag {
        bool active = false;
        FrameHit grip = FrameHit::Nowhere;
        QPoint startGlobal;
        Rect startBounds;
    } m_drag;
    WindowState m_windowState = WindowState::Normal;
    bool m_rollUpState = false;
    bool m_maxRollUpState = false;
    bool m_rollUpBeforeMaximize = false;
    QRect m_oldBounds;
    int m_oldHeight = 0;
    bool m_screenWatched = false;
    // Windows of this window hidden while it is minimised.
    std::vector<QPointer<QWidget>> m_hiddenOwned;
    std::function<void()> m_onRestore;
    std::function<void()> m_onMinimize;
    std::function<void()> m_onMaximize;

    // The system menu.
    bool m_disableSystemMenu = false;
    MenuSettings m_menuSettings;
    std::unique_ptr<SkinMenu> m_skinMenu;
    std::unique_ptr<SkinPopupMenu> m_sysMenu;
    QPointer<QShortcut> m_altSpace;
    bool m_inMenu = false;
    bool m_menuByButton = false;
    bool m_closeAfterMenu = false;
    QElapsedTimer m_menuOpened;
};

} // namespace tessaly::skin
