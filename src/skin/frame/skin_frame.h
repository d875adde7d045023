#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <memory>
#include <string_view>
#include <vector>

#include "skin/frame/frame_layout.h"
#include "skin/frame/frame_object.h"
#include "skin/paint/bitmap.h"

namespace tessaly::platform {
class FramelessWindow;
}

namespace tessaly::skin {

class LayerManager;
class SkinData;
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
// Every rectangle it paints, shapes or hit-tests with comes from one
// FrameLayout, computed once per size.
class SkinFrame : public QObject {
public:
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
    std::vector<FrameObjectSpec> objectSpecs() const;
    // Position of the first object named idName, or -1.
    int getIndex(std::string_view idName) const;
    // The object under the pointer, the object that has the mouse captured.
    int activeObject() const { return m_activeObject; }
    int mouseCaptureObject() const { return m_mouseCaptureObject; }
    // The picture of the whole window in its current state.
    const Bitmap& frameImage();
    // The glow of an object (null when it has none yet).
    LayerManager* glow(int index) const;

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

    platform::FramelessWindow* m_window;
    SkinData* m_sd = nullptr;
    unsigned m_borderIcons = BorderIcon::SystemMenu | BorderIcon::Minimize | BorderIcon::Maximize | BorderIcon::RollUp;
    bool m_skinSupport = false;
    bool m_stopPainting = false;
    bool m_layoutDirty = true;
    bool m_closing = false; // a close is on its way: the objects stay idle
    std::vector<FrameObject> m_objects;
    std::vector<std::unique_ptr<LayerManager>> m_glows;
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
};

} // namespace tessaly::skin
