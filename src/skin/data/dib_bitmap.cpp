#include "skin/data/dib_bitmap.h"

#include <utility>

namespace tessaly::skin {

namespace {

DibFormat formatFor(const Picture& picture)
{
    bool opaque = true;
    for (std::uint32_t pixel : picture.pixels()) {
        if ((pixel >> 24) != 0xFF) {
            opaque = false;
            break;
        }
    }
    DibFormat format;
    format.bitsPerPixel = opaque ? 24 : 32;
    if (!opaque) {
        format.redMask = 0x00FF0000;
        format.greenMask = 0x0000FF00;
        format.blueMask = 0x000000FF;
        format.alphaMask = 0xFF000000;
    }
    return format;
}

} // namespace

DibBitmap::DibBitmap(Picture picture)
    : m_picture(std::move(picture))
    , m_format(formatFor(m_picture))
{
}

DibBitmap::DibBitmap(Picture picture, DibFormat format)
    : m_picture(std::move(picture))
    , m_format(std::move(format))
{
}

DibBitmap::DibBitmap(Picture picture, DibFormat format, std::vector<std::uint8_t> fileImage)
    : m_picture(std::move(picture))
    , m_format(std::move(format))
    , m_fileImage(std::move(fileImage))
{
}

Picture& DibBitmap::editPicture()
{
    m_fileImage.clear();
    m_fileImage.shrink_to_fit();
    return m_picture;
}

Picture DibBitmap::takePicture()
{
    Picture picture = std::move(m_picture);
    clear();
    return picture;
}

void DibBitmap::clear()
{
    m_picture = Picture();
    m_format = DibFormat();
    m_fileImage.clear();
    m_fileImage.shrink_to_fit();
}

} // namespace tessaly::skin
