#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QPoint>
#include <array>
#include <memory>
#include <optional>

#include "skin/frame/layer_border_layout.h"
#include "skin/paint/bitmap.h"

namespace tessaly::skin {

class FormLayerWindow;
class PointerSizing;
class SkinData;
class SkinFrame;

// The layered border of a skinned window: four translucent strip windows
// (left, top, right, bottom) around the window, cut from the skin's layer
// picture, a soft outer frame or shadow. Owned by the window's frame, which
// tells it when the skin, the window's place, size, state or activation
// change.
//
// The strip windows exist only while the border is in use and shown: the
// skin has a layer frame, the registry shows layered borders, a compositing
// manager runs (translucent windows would show black without one), and the
// window is visible and not minimised, nor maximised unless the border
// carries the caption (a full border). In every other case
// no strip window exists. While the skin has a layer frame the border also
// watches for a compositing manager that starts or stops.
//
// The source pictures (alpha from their masks) are prepared once per skin;
// the strip images are rebuilt only when the window's size or the picture
// in use (active or inactive) changes, and a move only moves the windows.
// Activation fades the opacity on a timer.
class FormLayerBorder : public QObject {
public:
    static constexpr int kFadeInterval = 20;
    static constexpr int kFadeSteps = 6;
    static constexpr int kCompositorCheckInterval = 1000;

    // Presses on the strips size the window through `sizing`.
    FormLayerBorder(SkinFrame* frame, PointerSizing& sizing);
    ~FormLayerBorder() override;
    FormLayerBorder(const FormLayerBorder&) = delete;
    FormLayerBorder& operator=(const FormLayerBorder&) = delete;

    // Reads the layer frame of the registry (null or a registry without one:
    // no border). Strip windows of an earlier skin go first.
    void initFrame(const SkinData* sd);
    bool hasLayerFrame() const { return m_geometry.has_value(); }
    // The skin has a layer frame, the registry shows layered borders and
    // layered windows are available.
    bool inUse() const;
    // Shows, places or removes the strips for the window as it is now: the
    // frame calls it for every change of the window's place, size,
    // visibility or state, and of the registry's switch.
    void update();
    // Removes the strip windows (the window hides or leaves the state in
    // which it has a border).
    void hide();
    // The window's activation: the picture and the opacity follow, the
    // opacity with a short fade.
    void setActive(bool active);
    bool active() const { return m_active; }

    bool isVisible() const { return m_visible; }
    // Full-border mode in use: the top strip carries the caption and the
    // caption buttons, and the window is all client area.
    bool fullBorder() const { return inUse() && m_geometry->fullBorder; }
    // The bounds of the maximised window in a work area: a full border's
    // strips carry the caption, so the window leaves them their sizes on
    // each side; otherwise the whole work area.
    Rect maximisedBounds(const Rect& workArea) const;
    // Where the frame objects stand on the top strip's image (full border).
    const std::vector<Rect>& objectRects() const { return m_objectRects; }
    // The top strip shows the objects' states again (full border).
    void redrawObjects();
    // The object under a point of the top strip's image: the first enabled
    // and visible one whose rectangle and shape hold it (-1: none).
    int objectAt(const Point& p) const;
    // Where an object stands on the screen (full border; empty: nowhere).
    Rect objectOnScreen(int index) const;
    // The strip window of a type while shown; null when it does not exist.
    FormLayerWindow* window(FormLayerBorderType type) const { return m_windows[std::size_t(type)].get(); }
    // How many strip windows exist.
    int windowCount() const;
    const LayerBorderLayout& layout() const { return m_layout; }
    const Bitmap& image(FormLayerBorderType type) const { return m_images[std::size_t(type)]; }
    // How often the strip images were built (tests and benchmarks).
    int buildCount() const { return m_buildCount; }

    // Opacity of the strips now, and where a fade is going.
    int alpha() const { return m_alpha; }
    int targetAlpha() const;
    bool fading() const { return m_fadeTimer.isActive(); }
    // One fade step (the timer's tick; tests call it directly).
    void fadeStep();
    // The compositor watch's tick (tests call it directly).
    void checkCompositor() { update(); }
    bool watchingCompositor() const { return m_compositorTimer.isActive(); }

    // What a press at the screen point on a strip would size.
    FormLayerBorderHit hitTest(FormLayerBorderType type, const QPoint& global) const;

    // The strip windows' mouse: a left press on a sizing part sizes the
    // window (through the window manager where there is one); a move
    // answers the cursor to show.
    // On a full border the top strip's objects take the pointer first: the
    // caption buttons as on the window's own frame, and the caption moves
    // the window (a double click maximises or rolls it up as the caption's
    // double click does).
    void stripPress(FormLayerBorderType type, const QPoint& global, Qt::MouseButton button, bool doubleClick = false);
    Qt::CursorShape stripMove(FormLayerBorderType type, const QPoint& global);
    void stripRelease(FormLayerBorderType type, const QPoint& global, Qt::MouseButton button);
    // The pointer left a strip.
    void stripLeft(FormLayerBorderType type);

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    bool shouldShow() const;
    Rect windowBounds() const;
    const Bitmap& picture() const;
    void show();
    void place(bool rebuild);
    std::unique_ptr<FormLayerWindow> createWindow(FormLayerBorderType type);
    void takePointerOnlyWhereItSizes(FormLayerWindow& window, FormLayerBorderType type, const LayerStrip& strip) const;
    // The strip carries the frame objects (a full border's top strip).
    bool carriesObjects(FormLayerBorderType type) const
    {
        return type == FormLayerBorderType::Top && m_geometry && m_geometry->fullBorder;
    }
    QPoint onTopStrip(const QPoint& global) const;
    void buildImages();
    void drawObjects();
    void applyImages();
    void startFade();
    void destroyWindows();

    SkinFrame* m_frame;
    PointerSizing& m_sizing;
    const SkinData* m_sd = nullptr;
    std::optional<LayerBorderGeometry> m_geometry;
    bool m_hitTestEnable = false;
    bool m_transparentForInput = true;
    int m_alphaBlendValue = 255;
    int m_inActiveAlphaBlendValue = 255;
    Bitmap m_sourceBitmap;
    Bitmap m_sourceInActiveBitmap;
    LayerBorderLayout m_layout;
    std::array<Bitmap, 4> m_images;
    std::array<std::unique_ptr<FormLayerWindow>, 4> m_windows;
    bool m_visible = false;
    bool m_active = true;
    bool m_imagesActive = true; // which picture the images were built from
    int m_alpha = 0;
    int m_fadeStep = 1;
    int m_buildCount = 0;
    std::vector<Rect> m_objectRects;
    bool m_fullBorderApplied = false; // the frame was told the full border is in use
    QBasicTimer m_fadeTimer;
    QBasicTimer m_compositorTimer;
};

} // namespace tessaly::skin
