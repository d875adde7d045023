#pragma once

// A list of pictures of one size, picked by index: the pictures a button
// shows instead of its glyph and the side images of the edit. Drawn
// through their own alpha, or greyed for a disabled control.

#include "skin/paint/bitmap.h"

#include <vector>

namespace tessaly::skin {

class ImageList {
public:
    ImageList(int width, int height) : m_width(width), m_height(height) {}

    int width() const { return m_width; }
    int height() const { return m_height; }
    int count() const { return int(m_images.size()); }
    bool has(int index) const { return index >= 0 && index < count(); }
    // Adds a picture (cut or padded to the list's size); answers its index.
    int add(const Bitmap& image);
    // Picture `index` as stored (blended by its alpha); null for an index
    // not held.
    const Bitmap* image(int index) const { return has(index) ? &m_images[std::size_t(index)] : nullptr; }

    // Draws picture `index` with its top-left corner at (x, y): blended by
    // its alpha, in grey when not enabled. Nothing for an index not held.
    void draw(Bitmap& target, int x, int y, int index, bool enabled) const;

private:
    int m_width;
    int m_height;
    std::vector<Bitmap> m_images;
};

} // namespace tessaly::skin
