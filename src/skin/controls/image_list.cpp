#include "skin/controls/image_list.h"

namespace tessaly::skin {

int ImageList::add(const Bitmap& image)
{
    Bitmap& stored = m_images.emplace_back(m_width, m_height);
    for (int y = 0; y < m_height && y < image.height(); ++y)
        for (int x = 0; x < m_width && x < image.width(); ++x)
            stored.setPixel(x, y, image.getPixel(x, y));
    stored.setAlphaBlend(true);
    return count() - 1;
}

namespace {

// Grey of the same lightness (integer weights), alpha kept.
uint32_t greyed(uint32_t p)
{
    const uint32_t r = (p >> 16) & 0xFFu, g = (p >> 8) & 0xFFu, b = p & 0xFFu;
    const uint32_t v = (r * 77 + g * 150 + b * 29) >> 8;
    return (p & 0xFF000000u) | (v << 16) | (v << 8) | v;
}

} // namespace

void ImageList::draw(Bitmap& target, int x, int y, int index, bool enabled) const
{
    if (!has(index))
        return;
    const Bitmap& image = m_images[std::size_t(index)];
    if (enabled) {
        image.draw(target, x, y);
        return;
    }
    Bitmap grey(image);
    for (int row = 0; row < grey.height(); ++row) {
        uint32_t* p = grey.rowPointer(row);
        for (int col = 0; col < grey.width(); ++col)
            p[col] = greyed(p[col]);
    }
    grey.draw(target, x, y);
}

} // namespace tessaly::skin
