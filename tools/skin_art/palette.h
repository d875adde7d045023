#pragma once

// What one design of a built-in skin chooses: its colours, a few shape
// parameters and its texts. The geometry and the drawing are shared by every
// design (skin_design.cpp, skin_description.cpp); a design is a Palette.

#include "art.h"

#include <optional>
#include <string>

namespace skinart {

// A colour blended into another by a share (0 leaves the base alone).
struct Tint {
    QColor colour = Qt::transparent;
    double amount = 0;
    QColor over(const QColor& base) const { return amount == 0 ? base : mix(base, colour, amount); }
};

// ---- the window frame ------------------------------------------------------

struct FramePalette {
    // The outer outline and the line between the borders and the client.
    QColor outline;
    QColor innerLine;
    // Side and bottom borders: the column next to the outline, the middle
    // and the column or row next to the inner line.
    QColor borderLight;
    QColor borderMid;
    QColor borderDark;
    QColor client; // client background, also the face colour of the controls

    // The caption bar, row by row: a highlight row under the outline, an
    // upper gradient (rows 2 .. 13) and a lower one (rows 14 .. 27).
    QColor captionHighlight;
    QColor captionUpperTop, captionUpperBottom;
    QColor captionLowerTop, captionLowerBottom;
    bool grain = false;      // brushed-metal grain, a fixed offset per row
    Tint captionLeftEdge;    // the caption's column next to the left outline
    Tint captionRightEdge;   // and next to the right outline
    Tint cornerHighlight;    // the highlight band in the rounded corners
    int cornerRadius = 6;
};

// ---- caption buttons -------------------------------------------------------

struct CaptionButtonPalette {
    Plate normal; // the quiet plate at rest (transparent colours: no plate)
    Plate hot;
    Plate pressed;
    Plate closeHot;
    Plate closePressed;

    QColor glyph;
    QColor glyphHot;
    QColor glyphPressed;
    QColor emboss;         // the glyph's copy one pixel lower
    QColor embossPressed;
    QColor closeGlyph;     // on the hot and pressed close plates
    QColor closeEmbossHot;
    QColor closeEmbossPressed;
    QColor inactiveGlyph;
    QColor inactiveEmboss;
    int disabledGlyphAlpha = 70;
    QColor disabledEmboss;

    // The program's mark on the system-menu button: a tile with a check.
    Plate markTile;
    QColor markCheck;
    QColor markCheckShadow;
    QColor markHotTint;
    QColor markPressedTint;
};

// ---- halos -----------------------------------------------------------------

struct Glow {
    QColor colour;
    int peak; // opacity next to the button
};

struct GlowPalette {
    Glow caption;
    Glow close;
    Glow sysMenu;
    Glow button;
};

// ---- controls --------------------------------------------------------------

struct ButtonPalette {
    Plate normal, hot, pressed, focused, disabled;
    QColor focusRing;
    QColor arrow;         // the menu tool button's drop-down arrow
    QColor arrowEmboss;
};

struct EditPalette {
    QColor face;
    // Outline: sides, top row and bottom row, at rest and under the pointer.
    QColor border, borderTop, borderBottom;
    QColor hotBorder, hotBorderTop, hotBorderBottom;
    // Lines just inside the outline.
    QColor innerTop, innerLeft, innerRight;
    QColor hotInnerTop, hotInnerBottom, hotInnerSides;
};

struct BarPalette {
    // Status bar: a rule, a highlight row and a gradient below them.
    QColor statusRule, statusHighlight, statusTop, statusBottom;
    // Grip dots: the dot, its lit side and the light below right.
    QColor gripDot, gripMid, gripLight;
    // Raised panel: outline light and dark sides, inner light and dark sides.
    QColor panelOuterLight, panelOuterDark, panelInnerLight, panelInnerDark;
    // Sunken label field: face, top and left edge, bottom and right edge,
    // and the shade under the top edge.
    QColor labelFace, labelShade, labelLight, labelInnerShade;
};

struct MenuPalette {
    QColor back;
    QColor column;      // the glyph column
    QColor columnLine;  // its right edge
    QColor columnLight; // and the line beside that edge
    Plate highlight;    // the item under the pointer
    QColor divider, dividerLight;
    // Popup window: outline top and left, bottom and right; inner light and
    // inner shade.
    QColor outlineLight, outlineDark, innerLight, innerShade;
    // Hint window: outline, gradient, top highlight, corner blend target.
    QColor hintBorder, hintTop, hintBottom, hintHighlight, hintCornerBlend;
};

// ---- texts -----------------------------------------------------------------

struct TextPalette {
    QColor text;         // control and menu text
    QColor textHot;
    QColor textDown;
    QColor textDisabled;
    QColor menuDisabled;
    QColor editText;
    QColor editTextHot;
    QColor label;        // plain label on the window face
    QColor link;
    QColor fieldLabel;   // text in the sunken label field
    QColor hint;
    QColor caption;
    QColor captionInactive;
    bool captionShadow = true;
    QColor captionShadowColour;
    QColor captionShadowInactive;
    QColor scrollMarker, scrollMarkerActive;
};

// The skin's colour set, for what the program draws without pictures.
struct SkinColourPalette {
    QColor btnFace, btnText, window, windowText, highlight, highlightText, btnHighlight, btnShadow;
};

// ---- the layered outer border ----------------------------------------------

// A soft shadow around the window, drawn in a picture of its own whose
// window area is clear. Margins are the picture's size beyond the window on
// each side; the shadow's opacity falls from `peak` next to the window to 0
// at the margin.
struct LayerFramePalette {
    QColor shadow;
    int left, top, right, bottom; // margins
    int peak;
    int inactivePeak;             // the inactive window's shallower shadow
    int resizeBorder;             // mouse-sensitive width outside the window
    int resizeCorner;             // corner resize areas reach this far along each edge
    int alpha;
    int inactiveAlpha;
    // Rows of caption bar above the window (0: a shadow only). With a caption
    // bar the border is a full border: its top strip carries the caption and
    // the caption buttons, and the window itself is all client area.
    int captionBand = 0;
};

// ---- a whole design --------------------------------------------------------

struct Palette {
    std::string name;        // "pewter": the program's command-line name
    std::string displayName; // "Pewter"
    std::string comments;    // the description's one-line summary
    FramePalette frame;
    CaptionButtonPalette captionButtons;
    GlowPalette glows;
    ButtonPalette buttons;
    EditPalette edit;
    BarPalette bars;
    MenuPalette menu;
    TextPalette text;
    SkinColourPalette colours;
    std::optional<LayerFramePalette> layerFrame;
    // Draws the frame features no window of the program uses (caption
    // images, animation, text plate, divider, logo): the sampler design,
    // which tests and the review sheet use to see them all.
    bool frameFeatures = false;
    // Draws the control features no window of the program uses (animation
    // frames, an edit's side button, a panel caption with check box and
    // roll-up marker): the sampler design.
    bool controlFeatures = false;
    QColor desktop; // behind the windows in the previews
};

const Palette& pewterPalette();
const Palette& slatePalette();
const Palette& samplerPalette();

// Shared constants of every design.
inline const QColor kKey = hex(0xFF00FF); // transparent colour of glyph tiles
// The popup menu's glyph column, and the size of one menu item picture.
constexpr int kColumn = 26;
constexpr int kItemW = 60;
constexpr int kItemH = 22;
constexpr int kMenuItemFrames = 4; // the sampler's menu item highlight frames
// Halos reach this far around the button they light.
constexpr int kGlowMargin = 8;

} // namespace skinart
