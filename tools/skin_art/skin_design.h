#pragma once

#include "palette.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <map>
#include <string>
#include <vector>

namespace skinart {

// Frame geometry in frame-picture pixels, the same for every design. The
// window keeps the top, left, right and bottom margins of the picture at any
// size; the parts between the corner points grow.
namespace frame {
constexpr int kWidth = 120;
constexpr int kHeight = 80;
constexpr int kBorder = 4;       // left, right and bottom margins
constexpr int kCaption = 29;     // top margin: caption bar plus its edge lines
constexpr int kCornerCut = 8;    // corner points sit this far in from the sides
constexpr int kButtonTop = 5;    // caption buttons: top edge and height
constexpr int kButtonHeight = 19;
constexpr int kButtonGap = 2;
constexpr int kMinWidth = 160;
constexpr int kMinHeight = kCaption + kBorder; // the caption bar alone
inline QRect clientRect() { return QRect(QPoint(kBorder, kCaption), QPoint(kWidth - kBorder - 1, kHeight - kBorder - 1)); }
} // namespace frame

enum class BmpKind { Colour24, Alpha32, Grey8, Mask4 };

struct SkinPicture {
    std::string fileName;
    QImage image;
    BmpKind kind;
};

// Where the layered border's window lies in its picture, and the points that
// cut the picture into the border's strips (see layer_frame.h).
struct LayerFrameGeometry {
    QRect client;        // the window itself: clear
    QRect border;        // the mouse-sensitive edge around the window
    QPoint lt, rt, lb, rb;
    QPoint hitLt, hitRt, hitLb, hitRb;
    // A full border's caption (buttons at its right end); empty otherwise.
    QRect caption;
    int rollUpHeight = 0; // the window's height while rolled up (full border)
    bool fullBorder() const { return !caption.isEmpty(); }
};

// Everything a skin is made of: the slot pictures, the active pictures in
// index order, the description text, and where the tiles lie (for
// previews).
struct SkinSources {
    const Palette* palette = nullptr;
    SkinPicture frame;
    SkinPicture frameMask;
    std::vector<SkinPicture> active;
    std::string description;
    std::map<std::string, QRect> tiles; // "picture/tile" -> rectangle
    std::optional<LayerFrameGeometry> layerFrame;
    int pictureIndex(const std::string& fileName) const;
};

// Draws every picture of the design and writes its description.
SkinSources buildSkin(const Palette& palette);
// The description text for the pictures and tiles of a built skin.
std::string describeSkin(const SkinSources& skin);

} // namespace skinart
