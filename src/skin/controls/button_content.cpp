#include "skin/controls/button_content.h"

#include "platform/qt_canvas.h"
#include "skin/controls/image_list.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/glyph.h"

namespace tessaly::skin {

bool ButtonContent::showsImage() const
{
    return images && images->has(imageIndex) && (imageOverGlyph || glyph.empty());
}

int ButtonContent::cellWidth() const
{
    if (showsImage())
        return images->width();
    return glyph.empty() ? 0 : glyph.width() / numGlyphs;
}

int ButtonContent::cellHeight() const
{
    if (showsImage())
        return images->height();
    return glyph.empty() ? 0 : glyph.height();
}

int glyphCellFor(int numGlyphs, bool down, bool mouseIn, bool enabled)
{
    if (down && mouseIn && numGlyphs > 2)
        return 3;
    if (mouseIn && numGlyphs > 3)
        return 4;
    if (!enabled && numGlyphs >= 2)
        return 2;
    return 1;
}

ContentPlacement placeContent(const Rect& t, Point glyphSize, Point textSize, int margin, int spacing,
                              ButtonLayout layout)
{
    const int gw = glyphSize.x, gh = glyphSize.y;
    const int tw = textSize.x, th = textSize.y;
    if (gw == 0)
        spacing = 0;
    const int cx = t.left + t.width() / 2;
    const int cy = t.top + t.height() / 2;
    const int hw = (gw + tw + spacing) / 2;
    const int hh = (th + gh + spacing) / 2;
    ContentPlacement p;
    switch (layout) {
    case ButtonLayout::GlyphLeft:
        p.glyph = margin < 0 ? Point{cx - hw, cy - gh / 2} : Point{t.left + margin, cy - gh / 2};
        p.text = margin < 0 ? Point{cx + hw - tw, cy - th / 2} : Point{p.glyph.x + gw + spacing, cy - th / 2};
        break;
    case ButtonLayout::GlyphRight:
        p.glyph = margin < 0 ? Point{cx + hw - gw, cy - gh / 2} : Point{t.right - gw - margin, cy - gh / 2};
        p.text = margin < 0 ? Point{cx - hw, cy - th / 2} : Point{p.glyph.x - spacing - tw, cy - th / 2};
        break;
    case ButtonLayout::GlyphTop:
        p.glyph = margin < 0 ? Point{cx - gw / 2, cy - hh} : Point{cx - gw / 2, t.top + margin};
        p.text = margin < 0 ? Point{cx - tw / 2, cy + hh - th} : Point{cx - tw / 2, p.glyph.y + gh + spacing};
        break;
    case ButtonLayout::GlyphBottom:
        p.glyph = margin < 0 ? Point{cx - gw / 2, cy + hh - gh} : Point{cx - gw / 2, t.bottom - gh - margin};
        p.text = margin < 0 ? Point{cx - tw / 2, cy - hh} : Point{cx - tw / 2, p.glyph.y - spacing - th};
        break;
    }
    return p;
}

void drawButtonContent(Bitmap& face, const Rect& t, const QString& caption, const Font& font, Color colour,
                       const ButtonContent& content, int cell, bool pressed, bool enabled)
{
    if (t.isEmpty() || face.empty())
        return;
    const Point glyphSize{content.cellWidth(), content.cellHeight()};
    if (caption.isEmpty() && glyphSize.x == 0)
        return;
    namespace TF = platform::TextFormat;
    platform::QtCanvas canvas = canvasOf(face);
    canvas.setFont(fontOf(font));
    canvas.setTextColor(colorFromValue(colour));
    Point textSize;
    if (!caption.isEmpty()) {
        // The caption is measured in what the glyph leaves of the rectangle.
        const bool beside = content.layout == ButtonLayout::GlyphLeft || content.layout == ButtonLayout::GlyphRight;
        const int boxWidth = t.width() - (beside ? glyphSize.x : 0);
        const int boxHeight = t.height() - (beside ? 0 : glyphSize.y);
        const QRect box =
            canvas.measureText(QRect(0, 0, boxWidth, boxHeight), caption, TF::ExpandTabs | TF::WordBreak);
        textSize = {box.width(), box.height()};
    }
    ContentPlacement at = placeContent(t, glyphSize, textSize, content.margin, content.spacing, content.layout);
    if (pressed) {
        at.glyph = {at.glyph.x + 1, at.glyph.y + 1};
        at.text = {at.text.x + 1, at.text.y + 1};
    }
    if (!caption.isEmpty())
        canvas.drawText(QRect(at.text.x, at.text.y, textSize.x + 2, textSize.y), caption,
                        TF::ExpandTabs | TF::WordBreak | TF::VCenter | TF::Center);
    if (content.showsImage())
        content.images->draw(face, at.glyph.x, at.glyph.y, content.imageIndex, enabled);
    else if (glyphSize.x > 0)
        drawGlyphCell(face, at.glyph.x, at.glyph.y, cell, content.numGlyphs, content.glyph.view());
    face.markChanged();
}

} // namespace tessaly::skin
