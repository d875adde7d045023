#include "skin/frame/layer_border_layout.h"

#include <algorithm>

#include "skin/data/window_records.h"

namespace tessaly::skin {

namespace {

bool contains(const Rect& r, const Point& p)
{
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// The pieces of a horizontal band (top or bottom strip): the rows
// [rowTop, rowTop + height) of the picture, its left part (up to leftEnd)
// and right part (from rightStart) kept at their size, the middle stretched
// between them. When the strip is narrower than the two ends together the
// middle goes and the right end, drawn last, covers the left one.
std::vector<LayerPiece> bandPieces(int picWidth, int rowTop, int height, int leftEnd, int rightStart, int width)
{
    std::vector<LayerPiece> pieces;
    if (height <= 0 || width <= 0)
        return pieces;
    const int leftW = std::clamp(leftEnd, 0, picWidth);
    const int rightW = std::clamp(picWidth - rightStart, 0, picWidth);
    const int rowBottom = rowTop + height;
    if (leftW > 0)
        pieces.push_back({{0, rowTop, leftW, rowBottom}, {0, 0, leftW, height}});
    const Rect middleSource{leftW, rowTop, picWidth - rightW, rowBottom};
    const Rect middleSpan{leftW, 0, width - rightW, height};
    if (!middleSource.isEmpty() && !middleSpan.isEmpty())
        pieces.push_back({middleSource, middleSpan});
    if (rightW > 0)
        pieces.push_back({{picWidth - rightW, rowTop, picWidth, rowBottom}, {width - rightW, 0, width, height}});
    return pieces;
}

// The piece of a side strip: the picture's columns [left, right) between the
// top and bottom bands, tiled downwards (or stretched with fullStretch).
// Bands that leave no rows between them give the last row of the top band,
// stretched, so the side still shows a border and no piece is empty.
std::vector<LayerPiece> sidePieces(const LayerBorderGeometry& g, int left, int right, int bandTop, int bandBottom,
                                   int height)
{
    std::vector<LayerPiece> pieces;
    if (height <= 0 || right <= left)
        return pieces;
    const int sourceTop = bandTop, sourceBottom = g.picHeight - bandBottom;
    if (sourceBottom > sourceTop) {
        pieces.push_back({{left, sourceTop, right, sourceBottom}, {0, 0, right - left, height}, !g.fullStretch});
    } else {
        const int row = std::clamp(bandTop - 1, 0, g.picHeight - 1);
        pieces.push_back({{left, row, right, row + 1}, {0, 0, right - left, height}, false});
    }
    return pieces;
}

// The sizing areas of the four strips for a window with the bounds w.
void addHitAreas(LayerBorderLayout& l, const LayerBorderGeometry& g)
{
    using Hit = FormLayerBorderHit;
    // Without a mouse-sensitive border the strips only decorate.
    if (g.borderRect.isEmpty())
        return;
    const Rect& w = l.window;
    const int outerLeft = w.left - g.leftSize, outerTop = w.top - g.topSize;
    const int outerRight = w.right + g.rightSize, outerBottom = w.bottom + g.bottomSize;

    LayerStrip& left = l.strips[std::size_t(FormLayerBorderType::Left)];
    left.hitAreas = {{{outerLeft, left.screen.top, left.screen.right, left.screen.bottom}, Hit::Left, {}}};
    LayerStrip& right = l.strips[std::size_t(FormLayerBorderType::Right)];
    right.hitAreas = {{{right.screen.left, right.screen.top, outerRight, right.screen.bottom}, Hit::Right, {}}};

    LayerStrip& top = l.strips[std::size_t(FormLayerBorderType::Top)];
    const Rect tl{outerLeft, outerTop, outerLeft + g.hitTopLeftX, outerTop + g.hitTopLeftY};
    const Rect tr{outerRight - g.hitTopRightX, outerTop, outerRight, outerTop + g.hitTopRightY};
    // The caption area (it grows with the window, below the sizing band
    // along the top edge) moves the window instead: only that band sizes
    // over it.
    const Rect caption = Rect{g.captionRect.left, g.borderRect.top + g.hitTestSize,
                              g.captionRect.right + w.width() - g.clRect.width(), g.captionRect.bottom}
                             .translated(top.screen.left, top.screen.top);
    top.hitAreas = {{tl, Hit::TopLeft, caption},
                    {{tl.right, tl.top, tr.left, tl.top + g.hitTestSize}, Hit::Top, {}},
                    {tr, Hit::TopRight, caption},
                    {{tl.left, tl.bottom, tl.left + g.hitTestSize, top.screen.bottom}, Hit::Left, caption},
                    {{tr.left, tr.bottom, tr.right, top.screen.bottom}, Hit::Right, caption}};

    LayerStrip& bottom = l.strips[std::size_t(FormLayerBorderType::Bottom)];
    const Rect bl{outerLeft, outerBottom - g.hitBottomLeftY, outerLeft + g.hitBottomLeftX, outerBottom};
    const Rect br{outerRight - g.hitBottomRightX, outerBottom - g.hitBottomRightY, outerRight, outerBottom};
    bottom.hitAreas = {{bl, Hit::BottomLeft, {}},
                       {{bl.right, bl.top, br.left, outerBottom}, Hit::Bottom, {}},
                       {br, Hit::BottomRight, {}},
                       {{bl.left, bottom.screen.top, w.left, bl.top}, Hit::Left, {}},
                       {{w.right, bottom.screen.top, outerRight, br.top}, Hit::Right, {}}};
}

} // namespace

LayerBorderGeometry LayerBorderGeometry::from(const DataSkinLayerFrame& d, int picWidth, int picHeight)
{
    LayerBorderGeometry g;
    g.picWidth = std::max(picWidth, 0);
    g.picHeight = std::max(picHeight, 0);
    g.ltPoint = d.ltPoint;
    g.rtPoint = d.rtPoint;
    g.lbPoint = d.lbPoint;
    g.rbPoint = d.rbPoint;
    g.clRect = d.clRect;
    g.borderRect = d.borderRect;
    g.hitTestSize = std::max(d.hitTestSize, 0);
    g.fullStretch = d.fullStretch;
    g.leftOffset = d.leftOffset;
    g.topOffset = d.topOffset;
    g.widthOffset = d.widthOffset;
    g.heightOffset = d.heightOffset;
    g.fullBorder = d.fullBorder;
    g.captionRect = d.captionRect;
    g.buttonsRect = d.buttonsRect;
    g.sysMenuButtonRect = d.sysMenuButtonRect;
    g.buttonsTopOffset = d.buttonsTopOffset;
    g.sysButtonTopOffset = d.sysButtonTopOffset;
    g.rollUpFormHeight = std::max(d.rollUpFormHeight, 0);
    const Rect& b = d.borderRect;
    const Rect& c = d.clRect;
    if (!b.isEmpty()) {
        g.leftSize = c.left - b.left;
        g.topSize = c.top - b.top;
        g.rightSize = b.right - c.right;
        g.bottomSize = b.bottom - c.bottom;
        g.hitTopLeftX = d.hitTestLTPoint.x - b.left;
        g.hitTopLeftY = d.hitTestLTPoint.y - b.top;
        g.hitTopRightX = b.right - d.hitTestRTPoint.x;
        g.hitTopRightY = d.hitTestRTPoint.y - b.top;
        g.hitBottomLeftX = d.hitTestLBPoint.x - b.left;
        g.hitBottomLeftY = b.bottom - d.hitTestLBPoint.y;
        g.hitBottomRightX = b.right - d.hitTestRBPoint.x;
        g.hitBottomRightY = b.bottom - d.hitTestRBPoint.y;
    }
    return g;
}

LayerBorderLayout layoutLayerBorder(const LayerBorderGeometry& g, const Rect& window, bool rolledUp)
{
    LayerBorderLayout l;
    l.window = window;
    const int pw = g.picWidth, ph = g.picHeight;
    const Rect& c = g.clRect;

    // The picture's client rectangle lies over the window; the rest of the
    // picture grows around it.
    const int x = window.left + g.leftOffset - c.left;
    const int y = window.top + g.topOffset - c.top;
    const int aw = std::max(0, window.width() + g.widthOffset + pw - c.width());
    // Rolled up, a full border keeps its own height for the window: the
    // strip's caption stays whole.
    const int used = g.fullBorder && rolledUp ? g.rollUpFormHeight : window.height() + g.heightOffset;
    const int ah = std::max(0, used + ph - c.height());
    l.outer = {x, y, x + aw, y + ah};

    // Band heights in the picture, then as far as the outer height allows:
    // the top band first, the bottom band from what is left.
    const int topBand = std::clamp(std::max(g.ltPoint.y, g.rtPoint.y), 0, ph);
    const int bottomBand = std::clamp(ph - std::min(g.lbPoint.y, g.rbPoint.y), 0, ph);
    const int th = std::min(topBand, ah);
    const int bh = std::min(bottomBand, ah - th);
    const int sh = ah - th - bh;
    // Side strips no wider than the whole border (a window made narrower
    // than nothing by a negative width offset).
    const int lw = std::min(std::clamp(c.left, 0, pw), aw);
    const int rw = std::min(std::clamp(pw - c.right, 0, pw), aw);

    LayerStrip& top = l.strips[std::size_t(FormLayerBorderType::Top)];
    top.screen = {x, y, x + aw, y + th};
    top.pieces = bandPieces(pw, 0, th, g.ltPoint.x, g.rtPoint.x, aw);

    LayerStrip& bottom = l.strips[std::size_t(FormLayerBorderType::Bottom)];
    bottom.screen = {x, y + ah - bh, x + aw, y + ah};
    bottom.pieces = bandPieces(pw, ph - bh, bh, g.lbPoint.x, g.rbPoint.x, aw);

    if (sh > 0) {
        LayerStrip& left = l.strips[std::size_t(FormLayerBorderType::Left)];
        left.screen = {x, y + th, x + lw, y + th + sh};
        left.pieces = sidePieces(g, 0, lw, topBand, bottomBand, sh);
        LayerStrip& right = l.strips[std::size_t(FormLayerBorderType::Right)];
        right.screen = {x + aw - rw, y + th, x + aw, y + th + sh};
        right.pieces = sidePieces(g, pw - rw, pw, topBand, bottomBand, sh);
    }
    for (LayerStrip& s : l.strips)
        if (s.screen.isEmpty()) {
            s.screen = {};
            s.pieces.clear();
        }
    addHitAreas(l, g);
    return l;
}

FormLayerBorderHit LayerBorderLayout::hitTest(FormLayerBorderType type, const Point& q, bool sizable) const
{
    const LayerStrip& s = strip(type);
    if (!sizable || !contains(s.screen, q))
        return FormLayerBorderHit::Nowhere;
    for (const LayerStrip::HitArea& area : s.hitAreas)
        if (contains(area.rect, q) && !contains(area.except, q))
            return area.hit;
    return FormLayerBorderHit::Nowhere;
}

std::vector<Rect> arrangeLayerObjects(const LayerBorderGeometry& g, int topWidth,
                                      const std::vector<FrameObjectInfo>& objects, int buttonsOffset)
{
    std::vector<Rect> rects(objects.size());
    const int d = topWidth - g.picWidth;
    Rect caption = g.captionRect;
    caption.right += d;
    int x = caption.right;
    int y = g.buttonsTopOffset != 0 ? g.buttonsTopOffset : caption.top;
    if (!g.buttonsRect.isEmpty()) {
        x = g.buttonsRect.right + d;
        y = g.buttonsRect.top;
    }
    for (const std::size_t i : captionButtonsInPlacingOrder(objects)) {
        const Rect& s = objects[i].skinRect;
        rects[i] = {x - s.width(), y, x, y + s.height()};
        x -= s.width() + buttonsOffset;
    }
    Rect captionAt{caption.left, caption.top, x - buttonsOffset, caption.bottom};
    if (const int sysMenu = firstCaptionButton(objects, StdCommand::SysMenu); sysMenu >= 0) {
        const Rect& s = objects[std::size_t(sysMenu)].skinRect;
        const int w = s.width(), h = s.height();
        const Rect& own = g.sysMenuButtonRect;
        if (own.isEmpty()) {
            const int top = g.sysButtonTopOffset != 0 ? g.sysButtonTopOffset : y + caption.height() / 2 - h / 2;
            rects[std::size_t(sysMenu)] = {caption.left, top, caption.left + w, top + h};
            captionAt.left = caption.left + w + buttonsOffset;
        } else {
            const int top = own.top + own.height() / 2 - h / 2;
            rects[std::size_t(sysMenu)] = {own.left, top, own.left + w, top + h};
        }
    }
    for (std::size_t i = 0; i < objects.size(); ++i)
        if (objects[i].kind == FrameObjectInfo::Kind::Caption && objects[i].visible) {
            rects[i] = captionAt;
            break;
        }
    return rects;
}

namespace {

// The pieces' spans cover the whole strip image, so building it writes every
// pixel and it need not be cleared first (the layout gives every piece the
// strip's full height, and sources inside the picture).
bool piecesCoverStrip(const LayerStrip& strip)
{
    const int w = strip.screen.width(), h = strip.screen.height();
    std::vector<std::pair<int, int>> spans;
    for (const LayerPiece& piece : strip.pieces) {
        if (piece.span.top > 0 || piece.span.bottom < h)
            return false;
        spans.emplace_back(piece.span.left, piece.span.right);
    }
    std::sort(spans.begin(), spans.end());
    int covered = 0;
    for (const auto& [left, right] : spans) {
        if (left > covered)
            return false;
        covered = std::max(covered, right);
    }
    return covered >= w;
}

} // namespace

void buildLayerImage(Bitmap& image, PixelView picture, const LayerStrip& strip)
{
    if (strip.screen.isEmpty() || picture.isEmpty()) {
        image.clear();
        return;
    }
    // Cleared only where pieces leave gaps: an image of the same size keeps
    // its old pixels otherwise.
    if (piecesCoverStrip(strip)) {
        image.setSizeForOverwrite(strip.screen.width(), strip.screen.height());
    } else {
        image.setSize(strip.screen.width(), strip.screen.height());
        image.setAlphaBlend(false);
        image.fillRect({0, 0, image.width(), image.height()}, 0);
    }
    for (const LayerPiece& piece : strip.pieces)
        layPiece(picture, piece.source, image, piece.span, false, piece.tileY);
    // The border is always drawn with its alpha.
    image.setAlphaBlend(true);
}

} // namespace tessaly::skin
