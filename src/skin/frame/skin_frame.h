#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "skin/frame/caption_buttons.h"
#include "skin/frame/frame_layout.h"
#include "skin/frame/frame_painter.h"
#include "skin/frame/frame_size_limits.h"
#include "skin/frame/pointer_sizing.h"
#include "skin/frame/system_menu.h"
#include "skin/frame/window_states.h"
#include "skin/menus/menu_frame.h"
#include "skin/paint/bitmap.h"
#include "skin/paint/device_picture.h"

class QMouseEvent;

namespace tessaly::platform {
class FramelessWindow;
}

namespace tessaly::skin {

class FormLayerBorder;
class LayerManager;
class SkinData;
class SkinHint;
class SkinMenu;
class SkinPopupMenu;
class SkinNoticeEvent;
class SizeGripEvent;

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
// window's picture; its parts do the rest: CaptionButtons the pointer over
// the caption buttons (each CaptionButton its own hover, press, fade and
// glow), FrameSizeLimits the size limits, WindowStates the window states,
// PointerSizing moving and sizing, SystemMenu the system menu.
class SkinFrame : public QObject, public MenuFrame {
public:
    using WindowState = skin::WindowState;

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
    const std::vector<CaptionButton>& objects() const { return m_buttons->objects(); }
    // Position of the first object named idName, or -1.
    int getIndex(std::string_view idName) const { return m_buttons->getIndex(idName); }
    // Where an object is on the screen (empty when it has no place).
    Rect objectOnScreen(int index) const;
    // The object under the pointer, the object that has the mouse captured.
    int activeObject() const { return m_buttons->activeObject(); }
    int mouseCaptureObject() const { return m_buttons->mouseCaptureObject(); }
    // The picture of the whole window in its current state.
    const Bitmap& frameImage();
    // The glow of an object (null when it has none yet).
    LayerManager* glow(int index) const { return m_buttons->glow(index); }
    // The layered border around the window (its strip windows exist only
    // while the skin has one and it can be shown).
    FormLayerBorder* layerBorder() const { return m_layerBorder.get(); }

    // --- parts
    CaptionButtons& captionButtons() { return *m_buttons; }
    FrameSizeLimits& sizeLimits() { return *m_sizeLimits; }
    const FrameSizeLimits& sizeLimits() const { return *m_sizeLimits; }
    WindowStates& windowStates() { return *m_windowStates; }
    const WindowStates& windowStates() const { return *m_windowStates; }
    PointerSizing& sizing() { return *m_sizing; }
    const PointerSizing& sizing() const { return *m_sizing; }
    SystemMenu& systemMenuPart() { return *m_systemMenu; }

    // Enables or disables the frame object named idName (SetEnabled).
    void setEnabled(std::string_view idName, bool on) { m_buttons->setEnabled(idName, on); }
    // The menu the plain frame button (or animate button) named idName
    // opens when pressed, below it or (up) above it; null unlinks. The
    // menu is not owned.
    void linkMenu(const std::string& idName, SkinPopupMenu* menu, bool up = false)
    {
        m_buttons->linkMenu(idName, menu, up);
    }

    // Whether the window shows a custom caption button of the skin (one
    // whose command is cmDefault), asked by its name (OnActivateCustomObject);
    // without an answer they stay hidden.
    void setOnActivateCustomObject(CustomObjectOffer offer);

    // Draws the user objects of the skin (OnPaintEvent): called with the
    // object's name, the bitmap of the window's picture (or the frame strip
    // being composed) and the object's rectangle there.
    void setOnPaintEvent(UserObjectPainter painter);
    // Draws the user object named idName again now.
    void userObjectDraw(std::string_view idName) { redrawObject(getIndex(idName)); }

    // Hints of the frame objects shown through a skinned hint (not owned)
    // while the pointer rests on them; off unless both are set.
    bool showObjectHint() const { return m_showObjectHint; }
    void setShowObjectHint(bool on) { m_showObjectHint = on; }
    SkinHint* skinHint() const { return m_skinHint; }
    void setSkinHint(SkinHint* hint) { m_skinHint = hint; }

    // A picture drawn centred on the client background (none: an empty
    // bitmap); with `transparent`, the colour of its bottom-left pixel is
    // left out.
    void setLogo(const Bitmap& logo, bool transparent);
    const Bitmap& logo() const { return m_logo; }

    // --- behaviour
    // The window can be sized by its frame (default true).
    bool resizable() const { return m_resizable; }
    void setResizable(bool on) { m_resizable = on; }
    // The window's own size limits (0: none), and the limits in force (see
    // FrameSizeLimits).
    const FrameSizeSettings& sizeSettings() const { return m_sizeLimits->settings(); }
    void setSizeSettings(const FrameSizeSettings& settings) { m_sizeLimits->setSettings(settings); }
    int getMinWidth() const { return m_sizeLimits->getMinWidth(); }
    int getMinHeight() const { return m_sizeLimits->getMinHeight(); }
    int getMaxWidth() const { return m_sizeLimits->getMaxWidth(); }
    int getMaxHeight() const { return m_sizeLimits->getMaxHeight(); }
    // The part of the frame under a window point, for the current state.
    FrameHitResult hitTest(const QPoint& p) const;
    // The frame object under a point of the objects' own space (window
    // coordinates; the top strip's with a full layered border), or -1.
    int objectAt(const QPoint& p) const;
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
    // The window's own system menu (SystemMenu; null: the built-in one),
    // with the window commands merged in (UseDefaultSysMenu, default on).
    void setUserSystemMenu(SkinPopupMenu* menu) { m_systemMenu->setUserMenu(menu); }
    void setUseDefaultSysMenu(bool on) { m_systemMenu->setUseDefault(on); }
    bool inMenu() const { return m_systemMenu->inMenu(); }

    // MenuFrame
    SkinMenu& skinMenu() override;
    SkinData* menusSkinData() const override { return m_sd; }
    MenuSettings menuSettings() const override { return m_menuSettings; }
    bool layeredWindowsAvailable() const override;
    void skinMenuOpen() override;
    void skinMenuClose() override;

    // --- what the parts ask of the picture
    // The skin's effects (fades) are on.
    bool effectsOn() const;
    // Repaints one object in the window's picture.
    void redrawObject(int index);
    // Lays out and repaints the whole window.
    void redrawWhole();
    // A move or resize ended: the window's picture and the pointer are
    // made current.
    void sizeMoveEnded();
    // The layered border began or ceased to carry the frame (full border).
    void fullBorderChanged();
    // What the layered border's top strip draws the objects with, for the
    // border's activation.
    FramePaintState layerPaintState(bool active);

    bool mouseTimerActive() const { return m_buttons->mouseTimerActive(); }
    bool morphTimerActive() const { return m_buttons->morphTimerActive(); }
    bool animateTimerActive() const { return m_buttons->animateTimerActive(); }
    // Pixels asked to be repainted so far (benchmarks and tests).
    long long repaintedPixels() const { return m_repaintedPixels; }
    // How often a whole window picture was composed.
    int composeCount() const { return m_composeCount; }
    // The caption's text kept out of the active or inactive window picture
    // on a dense screen, to be drawn over it at the screen's resolution.
    const platform::TextRuns& keptText(bool active) const { return m_keptText[active ? 1 : 0]; }
    // Pixels of the window pictures scaled to a dense screen so far.
    long long deviceScaledPixels() const
    {
        return m_devicePictures[0].scaledPixels() + m_devicePictures[1].scaledPixels();
    }

    // The timers' ticks; tests and benchmarks call them directly.
    void morphTick() { m_buttons->morphTick(); }
    void mouseTick() { m_buttons->mouseTick(); }
    void animateTick() { m_buttons->animateTick(); }
    // Makes the layout and the picture current for the window's size now
    // (a resize of a hidden window reaches the frame only when shown).
    void updateFrame();
    // Re-reads the skin: objects, window size, layout, picture.
    void applySkin();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Skin changes.
    void skinNotice(const SkinNoticeEvent& notice);
    void beforeChange();
    void applyBorderIcons();
    void applySize();
    void watchScreen();
    std::optional<FrameSkinGeometry> skinGeometry() const;

    // The picture.
    void relayout();
    void invalidateImages();
    FramePaintState paintState(bool active);
    Bitmap& ensureImage(bool active);
    void paint(const QRegion& region);
    void repaint(const Rect& rect);
    void repaintWhole() { repaint(Rect::sized(m_layout.width, m_layout.height)); }
    // The caption drawn again, and what lies on it where the caption drew
    // over it; returns the part of the window drawn.
    Rect redrawCaptionAndWhatLiesOnIt(Bitmap& image, int index, const FramePaintState& state);
    // Text is kept out of the pictures on this window's screen.
    bool textApart() const;
    void followTextApart();
    void updateCursor(FrameHit hit);

    // The window's events.
    bool sizeGrip(SizeGripEvent& grip);
    bool windowEvent(QEvent* event);
    void shown();
    void hidden();
    void pointerEntered();
    QPoint pixelAt(const QMouseEvent* e) const;
    bool mouseMove(QMouseEvent* e);
    bool mousePress(QMouseEvent* e, bool doubleClick);
    bool mouseRelease(QMouseEvent* e);

    platform::FramelessWindow* m_window;
    SkinData* m_sd = nullptr;
    unsigned m_borderIcons = BorderIcon::SystemMenu | BorderIcon::Minimize | BorderIcon::Maximize | BorderIcon::RollUp;
    bool m_skinSupport = false;
    bool m_stopPainting = false;
    bool m_layoutDirty = true;
    FrameLayout m_layout;
    // The window's picture, inactive [0] and active [1], for the layout's
    // size; the inactive one is kept until the size or the skin changes.
    Bitmap m_images[2];
    bool m_imageValid[2] = {false, false};
    // The two pictures at the screen's resolution, and what was drawn again
    // in the window's picture since the last paint.
    DevicePicture m_devicePictures[2];
    // On a dense screen the caption's text kept out of m_images.
    platform::TextRuns m_keptText[2];
    bool m_textApart = false;
    QRegion m_changed;
    // The caption's finished pictures for each of the two.
    CaptionImages m_captionImages[2];
    Bitmap m_logo;
    UserObjectPainter m_userPainter;
    bool m_showObjectHint = false;
    SkinHint* m_skinHint = nullptr;
    long long m_repaintedPixels = 0;
    int m_composeCount = 0;

    bool m_resizable = true;
    bool m_screenWatched = false;
    Qt::CursorShape m_cursor = Qt::ArrowCursor;
    MenuSettings m_menuSettings;
    std::unique_ptr<SkinMenu> m_skinMenu;
    std::unique_ptr<CaptionButtons> m_buttons;
    std::unique_ptr<FrameSizeLimits> m_sizeLimits;
    std::unique_ptr<WindowStates> m_windowStates;
    std::unique_ptr<PointerSizing> m_sizing;
    std::unique_ptr<SystemMenu> m_systemMenu;
    std::unique_ptr<FormLayerBorder> m_layerBorder;
};

} // namespace tessaly::skin
