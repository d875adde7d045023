#pragma once

#include <QImage>
#include <QString>

namespace pewter {

// Writers for the Windows bitmap files the skin package carries. Every file
// is bottom-up and uncompressed, with a 40-byte info header, so any bitmap
// reader (and the skin packer) takes it as it is.

// 24 bits per pixel: opaque pictures.
void writeBmp24(const QImage& image, const QString& path);
// 32 bits per pixel with the alpha byte kept: pictures that carry alpha.
void writeBmp32(const QImage& image, const QString& path);
// 8 bits per pixel with a 256-step grey palette: soft masks (the grey level
// of a pixel is its opacity).
void writeBmpGrey8(const QImage& image, const QString& path);
// 4 bits per pixel, black and white: shape masks (black = inside).
void writeBmpMask4(const QImage& image, const QString& path);

} // namespace pewter
