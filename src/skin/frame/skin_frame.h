#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "skin/frame/caption_button.h"
#include "skin/frame/frame_layout.h"
#include "skin/frame/frame_painter.h"
#include "skin/frame/frame_sizing.h"
#include "skin/frame/pointer_sizing.h"
#include "skin/frame/system_menu.h"
#include "skin/frame/window_states.h"
#include "skin/menus/menu_frame.h"
#include "skin/paint/bitmap.h"

class QMouseEvent;

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
//
// The frame routes the window's events, applies the skin and keeps the
// window's picture; its parts do the rest: each CaptionButton its hover,
// press, fade and glow, WindowStates the window states, PointerSizing
// moving and sizing, SystemMenu the system menu.
class SkinFrame : public QObject, public MenuFrame {
public:
    using WindowState = skin::WindowState;

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
    // The caption and the caption buttons, in the layout's object order.
    const std::vector<CaptionButton>& objects() const { return m_objects; }
    std::vector<FrameObjectInfo> objectInfos() const;
    // Position of the first object named idName, or -1.
    int getIndex(std::string_view idName) const;
    // Where an object is on the screen (empty when it has no place).
    Rect objectOnScreen(int index) const;
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

    // --- parts
    WindowStates& windowStates() { return *m_windowStates; }
    const WindowStates& windowStates() const { return *m_windowStates; }
    PointerSizing& sizing() { return *m_sizing; }
    const PointerSizing& sizing() const { return *m_sizing; }
    SystemMenu& systemMenuPart() { return *m_systemMenu; }

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
    // Hands the limits to the window manager (again after a change of state).
    void applySizeLimits();
    // The work area of the window's screen.
    QRect workArea() const;
    // The part of the frame under a window point, for the current state.
    FrameHitResult hitTest(const QPoint& p) const;
    // A move or resize started by the frame runs (the window manager's, or
    // the frame's own tracking).
    bool sizeMoveRunning() const { return m_sizing->running(); }

    // The window state (see WindowStates).
    WindowState windowState() const { return m_windowStates->state(); }
    bool rollUpState() const { return m_windowStates->rollUpState(); }
    void changeWindowState(WindowState state) { m_windowStates->changeWindowState(state); }
    void switchRollUp(bool value) { m_windowStates->switchRollUp(value); }
    void setOnRestore(std::function<void()> handler) { m_windowStates->setOnRestore(std::move(handler)); }
    void setOnMinimize(std::function<void()> handler) { m_windowStates->setOnMinimize(std::move(handler)); }
    void setOnMaximize(std::function<void()> handler) { m_windowStates->setOnMaximize(std::move(handler)); }

    // --- the system menu (see SystemMenu)
    bool disableSystemMenu() const { return m_systemMenu->disabled(); }
    void setDisableSystemMenu(bool on) { m_systemMenu->setDisabled(on); }
    void showSystemMenu(const QPoint& global) { m_systemMenu->showAt(global); }
    void showSystemMenuBelowButton() { m_systemMenu->showBelowButton(); }
    SkinPopupMenu* systemMenu() const { return m_systemMenu->menu(); }
    bool inMenu() const { return m_systemMenu->inMenu(); }

    // MenuFrame
    SkinMenu& skinMenu() override;
    SkinData* menusSkinData() const override { return m_sd; }
    MenuSettings menuSettings() const override { return m_menuSettings; }
    bool layeredWindowsAvailable() const override;
    void skinMenuOpen() override;
    void skinMenuClose() override;

    // --- what the parts ask of the caption buttons and the picture
    // Buttons forget the pointer and their glows go.
    void quietButtons();
    // The glows go and the pointer is no longer watched (the window hides
    // or is minimised).
    void stopButtons();
    // The pointer is watched again while the window is active.
    void resumeButtons();
    // A move or resize starts: no hover, press or glow, no tracking.
    void releaseButtons();
    void sizeMoveEnded();
    // Lays out and repaints the whole window.
    void redrawWhole();

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
    // Skin changes.
    void skinNotice(const SkinNoticeEvent& notice);
    void relayToControls(const SkinNoticeEvent& notice);
    void beforeChange();
    void createObjects();
    void applyBorderIcons();
    void clearObjects();
    void applySize();
    void watchScreen();
    bool effectsOn() const;

    // The picture.
    void relayout();
    void invalidateImages();
    FramePaintState paintState(bool active) const;
    Bitmap& ensureImage(bool active);
    void paint(const QRegion& region);
    void repaint(const QRect& rect);
    void redrawObject(int index);
    void redrawButtons();

    // The caption buttons under the pointer.
    void follow(CaptionButton::Next next, int index);
    void testActiveObject(const QPoint& p, bool track);
    void deactivateAll() { testActiveObject(QPoint(-1, -1), false); }
    void mouseEnter(int index);
    void mouseLeave(int index);
    void mouseDown(int index);
    void mouseUp(int index);
    void setPressed(int index, bool value);
    void doCommand(int index);
    void onActivationChange();
    void showLayer(int index);
    void hideLayers();
    void updateCursor(FrameHit hit);

    // The window's events.
    bool windowEvent(QEvent* event);
    void shown();
    void hidden();
    void pointerEntered();
    void pointerLeft();
    bool mouseMove(QMouseEvent* e);
    bool mousePress(QMouseEvent* e, bool doubleClick);
    bool rightPress(const QPoint& p, const QPoint& global, bool doubleClick);
    bool leftPressOnButton(bool doubleClick);
    bool mouseRelease(QMouseEvent* e);

    platform::FramelessWindow* m_window;
    SkinData* m_sd = nullptr;
    unsigned m_borderIcons = BorderIcon::SystemMenu | BorderIcon::Minimize | BorderIcon::Maximize | BorderIcon::RollUp;
    bool m_skinSupport = false;
    bool m_stopPainting = false;
    bool m_layoutDirty = true;
    bool m_closing = false; // a close is on its way: the objects stay idle
    std::vector<CaptionButton> m_objects;
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

    bool m_resizable = true;
    FrameSizeSettings m_sizeSettings;
    bool m_screenWatched = false;
    Qt::CursorShape m_cursor = Qt::ArrowCursor;
    MenuSettings m_menuSettings;
    std::unique_ptr<SkinMenu> m_skinMenu;
    std::unique_ptr<WindowStates> m_windowStates;
    std::unique_ptr<PointerSizing> m_sizing;
    std::unique_ptr<SystemMenu> m_systemMenu;
    std::unique_ptr<FormLayerBorder> m_layerBorder;
};

} // namespace tessaly::skin
