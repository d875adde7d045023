#include "skin/paint/compose.h"

#include <cstring>
#include <span>
#include <vector>

#include "skin/paint/sampling.h"

namespace tessaly::skin {

namespace {


// Writes n pixels of a row that repeats `period` source pixels, starting
// `phase` pixels into the period. After the first period the row is
// extended by copying what is already written, doubling each time, so long
// rows cost a few large copies instead of one small copy per tile.
void fillPeriodic(uint32_t* d, int n, const uint32_t* s, int period, int phase)
{
    int done = std::min(n, period - phase);
    std::memcpy(d, s + phase, std::size_t(done) * 4);
    if (done < n) {
        const int rest = std::min(n - done, phase);
        std::memcpy(d + done, s, std::size_t(rest) * 4);
        done += rest;
    }
    while (done < n) {
        const int chunk = std::min(done, n - done);
        std::memcpy(d + done, d, std::size_t(chunk) * 4);
        done += chunk;
    }
}

// Maps destination coordinates along one axis to source coordinates.
struct AxisMap {
    bool tile;
    int start;      // the piece's first source coordinate
    int count;      // the piece's size
    int spanStart;  // the span's first destination coordinate
    int spanCount;  // the span's size

    int at(int i) const
    {
        const int r = i - spanStart;
        return tile ? start + px::wrap(r, count) : px::stretchIndex(r, start, count, spanCount);
    }
};

} // namespace

void layPiece(PixelView source, const Rect& piece, Bitmap& dest, const Rect& span, bool tileX, bool tileY)
{
    if (source.isEmpty() || dest.empty() || piece.isEmpty() || span.isEmpty())
        return;
    const Rect clip = span.intersected(Rect::sized(dest.width(), dest.height()));
    if (clip.isEmpty())
        return;
    const int pw = piece.width(), ph = piece.height();
    const AxisMap mx{tileX, piece.left, pw, span.left, span.width()};
    const AxisMap my{tileY, piece.top, ph, span.top, span.height()};
    const int n = clip.width();

    if (!Rect::sized(source.width, source.height).contains(piece)) {
        // Cut points outside the picture: only the pixels that exist are read.
        for (int y = clip.top; y < clip.bottom; ++y) {
            const int sy = my.at(y);
            if (sy < 0 || sy >= source.height)
                continue;
            uint32_t* row = dest.rowPointer(y);
            for (int x = clip.left; x < clip.right; ++x) {
                const int sx = mx.at(x);
                if (sx >= 0 && sx < source.width)
                    row[x] = source.pixel(sx, sy);
            }
        }
        return;
    }

    const bool sameWidth = !tileX && pw == span.width();
    std::vector<int> columns;
    if (!tileX && !sameWidth) {
        columns.resize(std::size_t(n));
        for (int x = clip.left; x < clip.right; ++x)
            columns[std::size_t(x - clip.left)] = mx.at(x);
    }

    int lastSourceRow = -1;
    int lastRow = -1;
    for (int y = clip.top; y < clip.bottom; ++y) {
        const int sy = my.at(y);
        uint32_t* row = dest.rowPointer(y) + clip.left;
        if (sy == lastSourceRow) {
            std::memcpy(row, dest.rowPointer(lastRow) + clip.left, std::size_t(n) * 4);
        } else if (tileY && y - ph >= clip.top) {
            std::memcpy(row, dest.rowPointer(y - ph) + clip.left, std::size_t(n) * 4);
        } else {
            const uint32_t* from = source.row(sy);
            if (tileX)
                fillPeriodic(row, n, from + piece.left, pw, px::wrap(clip.left - span.left, pw));
            else if (sameWidth)
                std::memcpy(row, from + piece.left + (clip.left - span.left), std::size_t(n) * 4);
            else
                for (int i = 0; i < n; ++i)
                    row[i] = from[columns[std::size_t(i)]];
        }
        lastSourceRow = sy;
        lastRow = y;
    }
}

void copyPiece(PixelView source, const Rect& srcRect, Bitmap& dest, const Rect& dstRect)
{
    layPiece(source, srcRect, dest, dstRect, false, false);
}

namespace {

// One piece of a composition: a source rectangle laid over a span.
struct Job {
    Rect source;
    Rect span;
    bool tileX = false;
    bool tileY = false;
};

// True when every job writes every pixel of its span: the source exists
// and lies inside the picture wherever there is a span to fill. Together
// with spans that tile the image, the composition then writes every pixel
// and the bitmap need not be cleared first.
bool writesWholeSpans(PixelView picture, std::span<const Job> jobs)
{
    if (picture.isEmpty())
        return false;
    const Rect whole = Rect::sized(picture.width, picture.height);
    for (const Job& job : jobs)
        if (!job.span.isEmpty() && (job.source.isEmpty() || !whole.contains(job.source)))
            return false;
    return true;
}

bool ordered(int a, int b, int c) { return a <= b && b <= c; }

// The nine-piece spans tile the image: the top band, the left column, the
// client, the right column and the bottom band each split in order.
bool nineSpansTile(const NineGeometry& t, int w, int h)
{
    const Rect& nc = t.client;
    return ordered(0, nc.left, nc.right) && nc.right <= w && ordered(0, nc.top, nc.bottom) && nc.bottom <= h &&
           ordered(0, t.lt.x, t.rt.x) && t.rt.x <= w && ordered(nc.top, t.lt.y, t.lb.y) && t.lb.y <= h &&
           ordered(nc.left, t.lb.x, t.rb.x) && t.rb.x <= w && ordered(nc.top, t.rt.y, t.rb.y) &&
           t.rb.y <= nc.bottom;
}

void run(PixelView picture, Bitmap& dest, std::span<const Job> jobs)
{
    for (const Job& job : jobs)
        layPiece(picture, job.source, dest, job.span, job.tileX, job.tileY);
}

// Sizes dest for a composition: without clearing when the jobs write every
// pixel, cleared otherwise (or kept as it is at the same size).
void prepareFor(Bitmap& dest, int width, int height, bool writesAll)
{
    if (writesAll)
        dest.setSizeForOverwrite(width, height);
    else
        dest.setSize(width, height);
}

} // namespace

void composeSkinImage(Bitmap& dest, PixelView picture, const Rect& skinRect, const NineGeometry& cut,
                      const NineGeometry& target, int width, int height, bool drawClient,
                      const EdgeStretch& stretch, bool clientStretch, StretchType stretchType)
{
    if (width <= 0 || height <= 0) {
        dest.clear();
        return;
    }
    if (cut.rb.x == cut.lt.x || cut.rb.y == cut.lt.y || picture.isEmpty()) {
        dest.setSize(width, height);
        return;
    }
    const int rx = skinRect.left, ry = skinRect.top, rr = skinRect.right, rb = skinRect.bottom;
    const int rw = skinRect.width(), rh = skinRect.height();
    const Rect& c = cut.client;
    const Rect& nc = target.client;
    const int w = width, h = height;
    auto piece = [&](const Rect& source, const Rect& span) { return Job{source.translated(rx, ry), span}; };

    std::vector<Job> jobs = {
        // Edges: stretched, or tiled along the edge.
        {Rect{rx + cut.lt.x, ry, rx + cut.rt.x, ry + c.top}, Rect{target.lt.x, 0, target.rt.x, nc.top}, !stretch.top},
        {Rect{rx + cut.lb.x, ry + c.bottom, rx + cut.rb.x, rb}, Rect{target.lb.x, nc.bottom, target.rb.x, h},
         !stretch.bottom},
        {Rect{rx, ry + cut.lt.y, rx + c.left, ry + cut.lb.y}, Rect{0, target.lt.y, nc.left, target.lb.y}, false,
         !stretch.left},
        {Rect{rx + c.right, ry + cut.rt.y, rr, ry + cut.rb.y}, Rect{nc.right, target.rt.y, w, target.rb.y}, false,
         !stretch.right},
        // The eight fixed pieces, in this order: where a narrow destination
        // makes corners overlap, the right-hand piece is drawn last.
        piece(Rect{0, 0, cut.lt.x, c.top}, Rect{0, 0, target.lt.x, nc.top}),
        piece(Rect{0, c.top, c.left, cut.lt.y}, Rect{0, nc.top, nc.left, target.lt.y}),
        piece(Rect{cut.rt.x, 0, rw, c.top}, Rect{target.rt.x, 0, w, nc.top}),
        piece(Rect{c.right, c.top, rw, cut.rt.y}, Rect{nc.right, nc.top, w, target.rt.y}),
        piece(Rect{0, cut.lb.y, c.left, rh}, Rect{0, target.lb.y, nc.left, h}),
        piece(Rect{c.left, c.bottom, cut.lb.x, rh}, Rect{nc.left, nc.bottom, target.lb.x, h}),
        piece(Rect{cut.rb.x, c.bottom, rw, rh}, Rect{target.rb.x, nc.bottom, w, h}),
        piece(Rect{c.right, cut.rb.y, rw, c.bottom}, Rect{nc.right, target.rb.y, w, nc.bottom}),
    };
    const Rect client = c.translated(rx, ry);
    if (drawClient && !clientStretch) {
        jobs.push_back({client, nc, true, true});
    } else if (drawClient && !nc.isEmpty()) {
        // Full stretches; Horz tiles a full-height strip across; Vert tiles
        // a full-width strip down.
        jobs.push_back({client, nc, stretchType == StretchType::Horz, stretchType == StretchType::Vert});
    }
    const bool clientCovered = drawClient || nc.isEmpty();
    prepareFor(dest, w, h, clientCovered && nineSpansTile(target, w, h) && writesWholeSpans(picture, jobs));
    run(picture, dest, jobs);
}

void composeSimpleSkinImage(Bitmap& dest, PixelView picture, const Rect& skinRect, bool drawClient,
                            const Rect& clRect)
{
    const int w = dest.width(), h = dest.height();
    const Rect& c = clRect;
    NineGeometry cut{{c.left, c.top}, {c.right, c.top}, {c.left, c.bottom}, {c.right, c.bottom}, c};
    const Rect nc = Rect{c.left, c.top, w - (skinRect.width() - c.right), h - (skinRect.height() - c.bottom)};
    NineGeometry target{{nc.left, nc.top}, {nc.right, nc.top}, {nc.left, nc.bottom}, {nc.right, nc.bottom}, nc};
    composeSkinImage(dest, picture, skinRect, cut, target, w, h, drawClient, EdgeStretch{true, true, true, true},
                     true, StretchType::Full);
}

void composeHorzSkinImage(int leftWidth, int rightWidth, Bitmap& dest, PixelView picture, const Rect& source,
                          int width, int /*height*/, bool stretch)
{
    const int a = leftWidth, b = rightWidth, w = width, h = source.height();
    if (w <= 0 || h <= 0) {
        dest.clear();
        return;
    }
    std::vector<Job> jobs;
    if (a != 0)
        jobs.push_back({Rect{source.left, source.top, source.left + a, source.bottom}, Rect{0, 0, a, h}});
    if (b != 0)
        jobs.push_back({Rect{source.right - b, source.top, source.right, source.bottom}, Rect{w - b, 0, w, h}});
    // The middle is drawn last, between the two ends.
    jobs.push_back({Rect{source.left + a, source.top, source.right - b, source.bottom}, Rect{a, 0, w - b, h}, !stretch});
    prepareFor(dest, w, h, a >= 0 && b >= 0 && a + b <= w && writesWholeSpans(picture, jobs));
    run(picture, dest, jobs);
}

void composeVertSkinImage(int topHeight, int bottomHeight, Bitmap& dest, PixelView picture, const Rect& source,
                          int /*width*/, int height, bool stretch)
{
    const int a = topHeight, b = bottomHeight, w = source.width(), h = height;
    if (w <= 0 || h <= 0) {
        dest.clear();
        return;
    }
    std::vector<Job> jobs;
    if (a != 0)
        jobs.push_back({Rect{source.left, source.top, source.right, source.top + a}, Rect{0, 0, w, a}});
    if (b != 0)
        jobs.push_back({Rect{source.left, source.bottom - b, source.right, source.bottom}, Rect{0, h - b, w, h}});
    jobs.push_back({Rect{source.left, source.top + a, source.right, source.bottom - b}, Rect{0, a, w, h - b}, false,
                    !stretch});
    prepareFor(dest, w, h, a >= 0 && b >= 0 && a + b <= h && writesWholeSpans(picture, jobs));
    run(picture, dest, jobs);
}

namespace {

// A strip about to be built: its size, every pixel 0, its memory kept.
void blankStrip(Bitmap& strip, int width, int height)
{
    strip.setSizeForOverwrite(width, height);
    std::memset(strip.rowPointer(0), 0, std::size_t(width) * std::size_t(height) * 4);
}

} // namespace

void buildFrameStrips(FrameStrips& strips, PixelView picture, const Rect& skinRect, const NineGeometry& cut,
                      const NineGeometry& target, int width, int height, const EdgeStretch& stretch)
{
    const Rect& c = cut.client;
    const Rect& nc = target.client;
    const int rx = skinRect.left, ry = skinRect.top;
    const int rw = skinRect.width(), rh = skinRect.height();
    const int w = width;
    const int t = nc.top, b = height - nc.bottom, l = nc.left, r = width - nc.right;
    auto src = [&](int left, int top, int right, int bottom) { return Rect{rx + left, ry + top, rx + right, ry + bottom}; };

    if (w > 0 && t > 0 && cut.rt.x > cut.lt.x) {
        Bitmap& s = strips.top;
        blankStrip(s, w, t);
        if (stretch.top)
            copyPiece(picture, src(cut.lt.x, 0, cut.rt.x, t), s, Rect{target.lt.x, 0, target.rt.x, t});
        else
            layPiece(picture, src(cut.lt.x, 0, cut.rt.x, t), s, Rect{0, 0, w, t}, true, false);
        copyPiece(picture, src(0, 0, cut.lt.x, t), s, Rect{0, 0, target.lt.x, t});
        copyPiece(picture, src(cut.rt.x, 0, rw, t), s, Rect{target.rt.x, 0, w, t});
    } else {
        strips.top.clear();
    }
    if (w > 0 && b > 0 && cut.rb.x > cut.lb.x) {
        Bitmap& s = strips.bottom;
        blankStrip(s, w, b);
        if (stretch.bottom)
            copyPiece(picture, src(cut.lb.x, rh - b, cut.rb.x, rh), s, Rect{target.lb.x, 0, target.rb.x, b});
        else
            layPiece(picture, src(cut.lb.x, rh - b, cut.rb.x, rh), s, Rect{0, 0, w, b}, true, false);
        copyPiece(picture, src(0, rh - b, cut.lb.x, rh), s, Rect{0, 0, target.lb.x, b});
        copyPiece(picture, src(cut.rb.x, rh - b, rw, rh), s, Rect{target.rb.x, 0, w, b});
    } else {
        strips.bottom.clear();
    }

    const int sideHeight = height - strips.top.height() - strips.bottom.height();
    // A side strip: its middle band stretched or tiled from row 0, then its
    // upper and lower ends.
    auto side = [&](Bitmap& s, int stripWidth, int srcLeft, int srcRight, int bandTop, int bandBottom,
                    bool stretched) {
        blankStrip(s, stripWidth, sideHeight);
        const Rect band = src(srcLeft, bandTop, srcRight, bandBottom);
        if (stretched)
            copyPiece(picture, band, s,
                      Rect{0, bandTop - c.top, stripWidth, sideHeight + bandBottom - c.bottom});
        else
            layPiece(picture, band, s, Rect{0, 0, stripWidth, sideHeight}, false, true);
        const int upper = bandTop - c.top;
        if (upper > 0)
            copyPiece(picture, src(srcLeft, c.top, srcRight, bandTop), s, Rect{0, 0, stripWidth, upper});
        const int lower = c.bottom - bandBottom;
        if (lower > 0)
            copyPiece(picture, src(srcLeft, bandBottom, srcRight, c.bottom), s,
                      Rect{0, sideHeight - lower, stripWidth, sideHeight});
    };
    if (l > 0 && sideHeight > 0 && cut.lb.y > cut.lt.y)
        side(strips.left, l, 0, l, cut.lt.y, cut.lb.y, stretch.left);
    else
        strips.left.clear();
    if (r >= 1 && sideHeight >= 1 && cut.rb.y > cut.rt.y)
        side(strips.right, r, c.right, rw, cut.rt.y, cut.rb.y, stretch.right);
    else
        strips.right.clear();
}

FrameStrips buildFrameStrips(PixelView picture, const Rect& skinRect, const NineGeometry& cut,
                             const NineGeometry& target, int width, int height, const EdgeStretch& stretch)
{
    FrameStrips strips;
    buildFrameStrips(strips, picture, skinRect, cut, target, width, height, stretch);
    return strips;
}

FrameStrips buildMaskStrips(PixelView mask, const NineGeometry& cut, const NineGeometry& target, int width)
{
    FrameStrips strips;
    if (mask.isEmpty())
        return strips;
    const Rect& c = cut.client;
    const Rect& nc = target.client;
    const int mw = mask.width, mh = mask.height, w = width;
    const int sideHeight = nc.height();

    auto side = [&](Bitmap& s, int srcLeft, int srcRight, int bandTop, int bandBottom) {
        const int sw = srcRight - srcLeft;
        if (sw <= 0 || sideHeight <= 0)
            return;
        s.setSize(sw, sideHeight);
        if (bandBottom != bandTop)
            layPiece(mask, Rect{srcLeft, bandTop, srcRight, bandBottom}, s, Rect{0, 0, sw, sideHeight}, true, true);
        const int upper = bandTop - c.top;
        if (upper > 0)
            copyPiece(mask, Rect{srcLeft, c.top, srcRight, bandTop}, s, Rect{0, 0, sw, upper});
        const int lower = c.bottom - bandBottom;
        if (lower > 0)
            copyPiece(mask, Rect{srcLeft, bandBottom, srcRight, c.bottom}, s,
                      Rect{0, sideHeight - lower, sw, sideHeight});
    };
    side(strips.left, 0, c.left, cut.lt.y, cut.lb.y);
    side(strips.right, c.right, mw, cut.rt.y, cut.rb.y);

    // A horizontal strip: the middle tiled from the left cut point and cut at
    // the right one, then the two corners.
    auto across = [&](Bitmap& s, int srcTop, int srcBottom, int leftCut, int rightCut, int newLeft, int newRight) {
        const int sh = srcBottom - srcTop;
        if (w <= 0 || sh <= 0)
            return;
        s.setSize(w, sh);
        if (rightCut != leftCut)
            layPiece(mask, Rect{leftCut, srcTop, rightCut, srcBottom}, s, Rect{newLeft, 0, newRight, sh}, true, true);
        copyPiece(mask, Rect{0, srcTop, leftCut, srcBottom}, s, Rect{0, 0, leftCut, sh});
        copyPiece(mask, Rect{rightCut, srcTop, mw, srcBottom}, s, Rect{newRight, 0, w, sh});
    };
    across(strips.top, 0, c.top, cut.lt.x, cut.rt.x, target.lt.x, target.rt.x);
    across(strips.bottom, c.bottom, mh, cut.lb.x, cut.rb.x, target.lb.x, target.rb.x);
    return strips;
}

} // namespace tessaly::skin
