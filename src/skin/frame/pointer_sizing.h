#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QPoint>

#include <optional>

#include "skin/data/geometry.h"
#include "skin/frame/frame_layout.h"

namespace tessaly::skin {

class SkinFrame;

// Moving and sizing a skinned window by a press on its caption, its edges
// or its layered border. The move or resize is handed to the window
// manager where there is one; it tells nothing when the move ends, so the
// end is found from the pointer (its button released, the pointer back
// over the window). Where there is no window manager the window follows
// the pointer here ("own tracking") until the button is released.
class PointerSizing : public QObject {
public:
    static constexpr int kButtonWatchInterval = 50;

    explicit PointerSizing(SkinFrame& frame);

    // A move or resize started here runs (the window manager's or our own).
    bool running() const { return m_running; }
    bool ownTracking() const { return m_drag.active; }
    // The window was active when the move began (the window manager takes
    // the keyboard while it moves the window).
    bool startedActive() const { return m_running && m_activeAtStart; }
    FrameHit trackedGrip() const { return m_drag.grip; }
    // The window can be sized now: resizable, in the normal state and not
    // rolled up.
    bool sizableNow() const;

    // Moves (grip Caption) or sizes the window by the edges of `grip` from
    // a press at a screen point; `draggedBy`: how far the pointer has gone
    // since.
    void start(FrameHit grip, const QPoint& global, QPoint draggedBy = {});
    // A press on the caption: the move starts only once the pointer has
    // gone the drag distance with the button held (startOnceDragged), so a
    // click never hands the window to the window manager. A move handed
    // over while the click's release is already on its way would follow
    // the pointer until the next click.
    void arm(FrameHit grip, const QPoint& global);
    // The pointer moved: starts the armed move once it has gone far enough
    // (true: it started).
    bool startOnceDragged(const QPoint& global);
    void disarm() { m_armed.reset(); }
    bool armed() const { return m_armed.has_value(); }
    // Own tracking: the pointer moved (true: the window followed it).
    bool follow(const QPoint& global);
    // The pointer moved with the window manager's move on its way: false
    // while the button is still held; otherwise the move is over.
    bool endUnlessButtonHeld();
    // The layered border hands on the pointer while tracking.
    void trackBorder(const QPoint& global, bool released);
    // Ends a move that the window manager ran (a new press or the pointer
    // back over the window with the button up).
    void endHandedOver();
    void end();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    SkinFrame& m_frame;
    bool m_running = false;
    bool m_activeAtStart = false;
    QBasicTimer m_buttonWatch;
    struct Armed {
        FrameHit grip;
        QPoint pressGlobal;
    };
    std::optional<Armed> m_armed;
    struct Drag {
        bool active = false;
        FrameHit grip = FrameHit::Nowhere;
        QPoint startGlobal;
        Rect startBounds;
    } m_drag;
};

} // namespace tessaly::skin
