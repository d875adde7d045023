#pragma once

#include <QFont>
#include <QWidget>

#include "skin/data/geometry.h"
#include "skin/menus/drop_shadow.h"
#include "skin/data/skin_types.h"
#include "skin/paint/bitmap.h"
#include "skin/paint/device_picture.h"

namespace tessaly::skin {

class SkinData;

// How a hint is drawn: the registry (null: built-in look), the fonts, the
// line separator and the opacity settings.
struct HintLook {
    SkinData* skinData = nullptr;
    bool useSkinFont = true;
    Font defaultFont{"Arial", 14, {}, Color(0), 1};
    QString lineSeparator = QStringLiteral("@");
    bool alphaBlend = false;
    int alphaBlendValue = 0;
    // Translucency only where a compositing manager runs.
    bool layeredWindowsAvailable = false;
};

// The hint text with every line separator turned into a line break.
QString hintLines(const QString& text, const QString& separator);

// Size and placement of a hint window. Skinned: the hint record's client
// rectangle holds the text (picture pictureWidth × pictureHeight); the
// window never gets so small that the record's corner points would cross.
struct HintGeometry {
    int width = 0;
    int height = 0;
    Rect client;
};
struct HintFrame {
    bool skinned = false;
    int pictureWidth = 0;
    int pictureHeight = 0;
    Point lt;
    Point rt;
    Point lb;
    Point rb;
    Rect clRect;
};
HintGeometry hintSize(const HintFrame& frame, int textWidth, int textHeight);
// The window's top-left: at the point, moved left by its width + 2 or up by
// its height + 2 where it would pass the work area's right or bottom edge,
// and never beyond its left or top edge.
Point hintPosition(const Point& at, int width, int height, const Rect& workArea);

// What a hint shows: its text and, in the extended form, a title line (in
// the bold face of the hint's font) and an image.
struct HintContent {
    QString text;
    QString title;
    Bitmap image;
    bool extended() const { return !title.isEmpty() || !image.empty(); }
};

// Where the parts of an extended hint go, relative to the top-left of the
// block they make: the image on the left, centred against the column of
// the title over the text; the column centred against a taller image.
struct ExtendedHintLayout {
    int width = 0;
    int height = 0;
    Rect image;
    Rect title;
    Rect text;
};
inline constexpr int kHintImageSpacing = 4;
inline constexpr int kHintTitleSpacing = 2;
ExtendedHintLayout extendedHintLayout(int imageWidth, int imageHeight, int titleWidth, int titleHeight,
                                      int textWidth, int textHeight);

// The hint window: a Qt::ToolTip window that never takes the pointer or focus.
class SkinHintWindow : public QWidget {
public:
    SkinHintWindow();

    // Shows the hint with its top-left near the screen point.
    void activateHint(const QPoint& at, const QString& text, const HintLook& look);
    // Shows the hint against a screen rectangle: below it, or above it with `top`.
    void activateHintFromRect(const Rect& rect, const QString& text, const HintLook& look, bool top);
    // The extended hint: a title line and an image beside the text (a hint
    // without either is a plain one).
    void activateHintEx(const QPoint& at, const HintContent& content, const HintLook& look);
    void hideHint() { hide(); }
    // The shadow under the hint (only while layered windows are available).
    const DropShadow& shadow() const { return m_shadow; }

    const Bitmap& buffer() const { return m_buffer; }
    const QString& shownText() const { return m_text; }
    const QString& shownTitle() const { return m_title; }
    // The parts of the last extended hint in window coordinates (empty
    // rectangles for a plain hint).
    const ExtendedHintLayout& extendedLayout() const { return m_layout; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Lays out and draws the hint; returns its size.
    QSize prepare(const HintContent& content, const HintLook& look);
    void showAt(const Point& at, const QSize& size, const HintLook& look);

    Bitmap m_buffer;
    DevicePicture m_deviceBuffer; // the buffer at the screen's resolution
    QString m_text;
    QString m_title;
    ExtendedHintLayout m_layout;
    DropShadow m_shadow;
};

} // namespace tessaly::skin
