#pragma once

// The built-in skin loaded once for the control tests, and helpers that
// compose a record's face straight from the composition functions, so the
// controls' pixels are checked against the records and not against
// themselves.

#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/embedded_pewter.h"
#include "skin/paint/bitmap.h"
#include "skin/paint/compose.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace tessaly::skin::test {

// A registry of its own holding the built-in skin (tests that change its
// records take one).
inline std::unique_ptr<SkinData> loadPewter()
{
    auto stored = std::make_unique<CompressedStoredSkin>();
    stored->loadFromCompressBytes(embedded_pewter());
    auto d = std::make_unique<SkinData>();
    d->loadCompressedStoredSkin(*stored);
    return d;
}

inline SkinData& pewter()
{
    static std::unique_ptr<SkinData> data = loadPewter();
    return *data;
}

// A record of `skin` to change.
template <class Record>
Record& editableRecord(SkinData& skin, const std::string& name)
{
    const int i = skin.getControlIndex(name);
    EXPECT_GE(i, 0) << name;
    auto* r = dynamic_cast<Record*>(skin.ctrlList()[std::size_t(i)].get());
    EXPECT_NE(r, nullptr) << name;
    return *r;
}

template <class Record>
const Record& recordOf(const std::string& name)
{
    const int i = pewter().getControlIndex(name);
    EXPECT_GE(i, 0) << name;
    const auto* r = dynamic_cast<const Record*>(pewter().ctrlList()[std::size_t(i)].get());
    EXPECT_NE(r, nullptr) << name;
    return *r;
}

inline PixelView pictureOfRecord(const DataSkinControl& r)
{
    const Picture* p = pewter().activePicture(r.pictureIndex);
    EXPECT_NE(p, nullptr);
    return p ? pixelView(*p) : PixelView{};
}

// The nine-piece face of a record at width × height from `source`.
inline Bitmap nineFace(const DataSkinCustomControl& r, const Rect& source, int width, int height)
{
    const int dW = width - r.skinRect.width();
    const int dH = height - r.skinRect.height();
    const NineGeometry cut{r.ltPoint, r.rtPoint, r.lbPoint, r.rbPoint, r.clRect};
    const NineGeometry target{r.ltPoint,
                              {r.rtPoint.x + dW, r.rtPoint.y},
                              {r.lbPoint.x, r.lbPoint.y + dH},
                              {r.rbPoint.x + dW, r.rbPoint.y + dH},
                              {r.clRect.left, r.clRect.top, r.clRect.right + dW, r.clRect.bottom + dH}};
    Bitmap face;
    composeSkinImage(face, pictureOfRecord(r), source, cut, target, width, height, true,
                     {r.leftStretch, r.topStretch, r.rightStretch, r.bottomStretch}, r.stretchEffect, r.stretchType);
    return face;
}

// Three pieces in a row: fixed left and right parts from the cut points.
inline Bitmap rowFace(const DataSkinCustomControl& r, const Rect& source, int width)
{
    Bitmap face;
    composeHorzSkinImage(r.ltPoint.x, r.skinRect.width() - r.rtPoint.x, face, pictureOfRecord(r), source, width,
                         source.height(), r.stretchEffect);
    return face;
}

// The pointer enters or leaves the widget.
inline void hover(QWidget& w)
{
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&w, &enter);
}

inline void unhover(QWidget& w)
{
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&w, &leave);
}

inline QImage grabbed(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

// Counts pixels of the image that differ (in colour) from the bitmap,
// inside `area` and, when the widget has a shape, inside it.
inline int differingPixels(const QImage& image, const Bitmap& face, const QRect& area, const QRegion& shape = {})
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            if (!shape.isEmpty() && !shape.contains(QPoint(x, y)))
                continue;
            if ((image.pixel(x, y) & 0xFFFFFFu) != (face.getPixel(x, y) & 0xFFFFFFu))
                ++count;
        }
    return count;
}

} // namespace tessaly::skin::test
