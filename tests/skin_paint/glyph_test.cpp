#include "skin/paint/glyph.h"

#include <gtest/gtest.h>

#include <string>

#include "paint_test_util.h"

namespace tessaly::skin {
namespace {

constexpr uint32_t ink = 0xFF112233u;

// The glyph as text rows: '#' where the colour was drawn.
std::vector<std::string> shape(const Bitmap& b)
{
    std::vector<std::string> rows;
    for (int y = 0; y < b.height(); ++y) {
        std::string row;
        for (int x = 0; x < b.width(); ++x)
            row += b.getPixel(x, y) == ink ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

TEST(DrawDefaultGlyph, Shapes)
{
    struct Case {
        DefaultGlyph kind;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {DefaultGlyph::Close,
         {"...........", ".##.....##.", "..##...##..", "...##.##...", "....###....", "....###....",
          "...##.##...", "..##...##..", ".##.....##.", "...........", "..........."}},
        {DefaultGlyph::Maximize,
         {"###########", "###########", "#.........#", "#.........#", "#.........#", "#.........#",
          "#.........#", "#.........#", "#.........#", "###########", "..........."}},
        // The one-pixel line at the tip has no length and draws nothing.
        {DefaultGlyph::RollUp,
         {"...........", "...........", "...........", "....##.....", "...####....", "..######...",
          ".########..", "...........", "...........", "...........", "..........."}},
        {DefaultGlyph::MinimizeToTray,
         {"...........", "...........", "..#####....", "..#####....", "..#####....", "..#####....",
          "..#####....", "...........", "...........", "...........", "..........."}},
    };
    for (const Case& c : cases) {
        Bitmap b(11, 11);
        drawDefaultGlyph(b, c.kind, 0, 0, ink);
        EXPECT_EQ(shape(b), c.rows) << int(c.kind);
    }
}

TEST(DrawDefaultGlyph, ClippedAtTheEdges)
{
    Bitmap b(4, 4);
    drawDefaultGlyph(b, DefaultGlyph::Restore, -3, -2, ink);
    drawDefaultGlyph(b, DefaultGlyph::Close, 2, 2, ink);
    // Only the front window's top edge (rows 2 and 3 here) reaches the
    // bitmap; the close glyph starts outside it but for (3, 3).
    EXPECT_EQ(shape(b), (std::vector<std::string>{"....", "....", "####", "####"}));
    Bitmap none;
    drawDefaultGlyph(none, DefaultGlyph::Close, 0, 0, ink);
}

TEST(DrawGlyphCell, CellWithBottomLeftColourSkipped)
{
    constexpr uint32_t k = 0xFF00FF00u, a = 0x00AA0000u, b = 0x00BB0000u;
    // Three cells of 2 × 2; the strip's width 7 leaves one spare column.
    const Picture strip = test::pictureOf({{a, a, b, k, a, b, a}, {k, a, k, b, b, k, a}});
    Bitmap target(3, 3);
    drawGlyphCell(target, 1, 1, 2, 3, pixelView(strip));
    EXPECT_EQ(target.getPixel(1, 1), 0xFFBB0000u);
    EXPECT_EQ(target.getPixel(2, 1), 0u); // the key colour (green) is skipped
    EXPECT_EQ(target.getPixel(1, 2), 0u); // the bottom-left pixel itself
    EXPECT_EQ(target.getPixel(2, 2), 0xFFBB0000u);

    Bitmap untouched(3, 3);
    for (int index : {0, 4, -1})
        drawGlyphCell(untouched, 0, 0, index, 3, pixelView(strip));
    drawGlyphCell(untouched, 0, 0, 1, 0, pixelView(strip));
    drawGlyphCell(untouched, 0, 0, 1, 8, pixelView(strip)); // cells narrower than a pixel
    drawGlyphCell(untouched, 0, 0, 1, 1, PixelView{});
    EXPECT_EQ(untouched.getPixel(0, 0), 0u);
}

} // namespace
} // namespace tessaly::skin
