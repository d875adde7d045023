#include "preview.h"

#include "art.h"
#include "layer_frame.h"
#include "skin_bitmaps.h"

#include "skin/paint/compose.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <stdexcept>

namespace skinart {
namespace {

using tessaly::skin::Bitmap;
using tessaly::skin::NineGeometry;

tessaly::skin::Rect rectOf(const QRect& r)
{
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

tessaly::skin::Point pointOf(const QPoint& p)
{
    return {p.x(), p.y()};
}

// The picture's pixels for the program's composition (the previews are
// few, so every call converts afresh).
struct Source {
    explicit Source(const QImage& image) : picture(pictureOf(image)) {}
    tessaly::skin::Picture picture;
};

// A piece of the picture at a new size, stretched the way the skin's
// consumers copy pieces.
QImage piece(const QImage& pic, const QRect& s, int w, int h)
{
    const Source source(pic);
    Bitmap out(w, h);
    tessaly::skin::copyPiece(pixelView(source.picture), rectOf(s), out, {0, 0, w, h});
    return imageOf(out.view());
}

// Pastes a piece of the picture into the rectangle d of dst, stretched.
void copyScaled(const QImage& src, const QRect& s, QImage& dst, const QRect& d)
{
    if (s.isEmpty() || d.isEmpty())
        return;
    QPainter p(&dst);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(d.topLeft(), piece(src, s, d.width(), d.height()));
}

struct Nine {
    QPoint lt, rt, lb, rb;
    QRect c;
};

// Nine pieces, every piece stretched: the program's own composition with
// the stretch flags this skin sets everywhere.
QImage compose(const QImage& pic, const QRect& r, const Nine& g, int w, int h, bool client = true)
{
    const int dw = w - r.width(), dh = h - r.height();
    const NineGeometry cut{pointOf(g.lt), pointOf(g.rt), pointOf(g.lb), pointOf(g.rb), rectOf(g.c)};
    const NineGeometry target{pointOf(g.lt),
                              {g.rt.x() + dw, g.rt.y()},
                              {g.lb.x(), g.lb.y() + dh},
                              {g.rb.x() + dw, g.rb.y() + dh},
                              {cut.client.left, cut.client.top, cut.client.right + dw, cut.client.bottom + dh}};
    const Source source(pic);
    Bitmap out(w, h);
    out.fillRect({0, 0, w, h}, 0xFFFF00FFu); // magenta shows anything left undrawn
    tessaly::skin::composeSkinImage(out, pixelView(source.picture), rectOf(r), cut, target, w, h, client,
                                    {true, true, true, true}, true, tessaly::skin::StretchType::Full);
    return imageOf(out.view());
}

Nine cutAtClient(const QRect& c)
{
    const int r = c.left() + c.width(), b = c.top() + c.height();
    return {c.topLeft(), QPoint(r, c.top()), QPoint(c.left(), b), QPoint(r, b), c};
}

// Three pieces in a row, the middle stretched.
QImage horz(const QImage& pic, const QRect& r, int left, int right, int w)
{
    const Source source(pic);
    Bitmap out;
    tessaly::skin::composeHorzSkinImage(left, right, out, pixelView(source.picture), rectOf(r), w, r.height(), true);
    return imageOf(out.view());
}

QFont arial(int cellHeight, bool bold = false)
{
    QFont f("Liberation Sans");
    f.setPixelSize(std::max(1, int(cellHeight / 1.149 + 0.5)));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

QImage keyed(const QImage& img, QRgb key)
{
    QImage out = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            if ((out.pixel(x, y) & 0xFFFFFF) == (key & 0xFFFFFF))
                out.setPixel(x, y, 0);
    return out;
}

class Mock {
public:
    explicit Mock(const SkinSources& s)
        : skin(s)
        , palette(*s.palette)
        , caps(s.active[size_t(s.pictureIndex("caption_buttons.bmp"))].image)
        , ctl(s.active[size_t(s.pictureIndex("controls.bmp"))].image)
    {
    }

    QRect tile(const std::string& name) const { return skin.tiles.at(name); }

    QColor textColour(const std::string& state) const
    {
        if (state == "disabled")
            return palette.text.textDisabled;
        if (state == "hot")
            return palette.text.textHot;
        if (state == "pressed")
            return palette.text.textDown;
        return palette.text.text;
    }

    // A whole window: frame, caption, buttons, client background.
    QImage window(int clientW, int clientH, const QString& title, bool sysAndMin, bool active,
                  const std::string& hotButton = "")
    {
        using namespace frame;
        const int w = clientW + 2 * kBorder, h = clientH + kCaption + kBorder;
        const QRect cl = clientRect();
        const Nine g{{kCornerCut, kCaption}, {kWidth - kCornerCut, kCaption},
                     {kCornerCut, cl.bottom() + 1}, {kWidth - kCornerCut, cl.bottom() + 1}, cl};
        QImage img = compose(skin.frame.image, skin.frame.image.rect(), g, w, h);
        const QImage mask = compose(skin.frameMask.image, skin.frameMask.image.rect(), g, w, h);

        // caption buttons from the right end of the caption rectangle
        int x = w - 6;
        auto place = [&](const std::string& row, int bw) {
            const std::string state = !active ? "inactive" : (row == hotButton ? "hot" : "normal");
            const QRect s = tile("caption_buttons/" + row + "." + state);
            copyScaled(caps, s, img, QRect(x - bw, kButtonTop, bw, kButtonHeight));
            x -= bw + kButtonGap;
        };
        place("close", 31);
        if (sysAndMin)
            place("min", 25);
        const int captionRight = x + kButtonGap;
        int captionLeft = 6;
        if (sysAndMin) {
            const std::string state = active ? "normal" : "inactive";
            copyScaled(caps, tile("caption_buttons/sysmenu." + state), img, QRect(6, kButtonTop, 19, kButtonHeight));
            captionLeft = 25;
        }
        if (!title.isEmpty()) {
            QPainter p(&img);
            p.setFont(arial(15, true));
            const QRect tr(captionLeft + 4, 4, captionRight - captionLeft - 8, 22);
            if (palette.text.captionShadow) {
                p.setPen(active ? palette.text.captionShadowColour : palette.text.captionShadowInactive);
                p.drawText(tr.translated(1, 1), Qt::AlignCenter, title);
            }
            p.setPen(active ? palette.text.caption : palette.text.captionInactive);
            p.drawText(tr, Qt::AlignCenter, title);
        }
        if (!active) {
            // the inactive effect greys the frame, leaving the client alone
            QImage grey = inactiveGrey(img);
            QPainter p(&grey);
            p.drawImage(QRect(kBorder, kCaption, clientW, clientH), img,
                        QRect(kBorder, kCaption, clientW, clientH));
            p.end();
            img = grey;
        }
        for (int y = 0; y < h; ++y)
            for (int xx = 0; xx < w; ++xx)
                if (qGray(mask.pixel(xx, y)) >= 128)
                    img.setPixel(xx, y, palette.desktop.rgb());
        return img;
    }

    QImage pushButton(const std::string& state, int w, int h, const QString& text)
    {
        QImage img = compose(ctl, tile("controls/button." + state), cutAtClient(QRect(4, 4, 40, 17)), w, h);
        // the window region cuts the corners
        const QImage m = compose(skin.active[size_t(skin.pictureIndex("button_mask.bmp"))].image, QRect(0, 0, 48, 25),
                                 cutAtClient(QRect(4, 4, 40, 17)), w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (qGray(m.pixel(x, y)) >= 128)
                    img.setPixel(x, y, palette.frame.client.rgb());
        QPainter painter(&img);
        painter.setFont(arial(14));
        const int d = state == "pressed" ? 1 : 0;
        painter.setPen(textColour(state));
        painter.drawText(QRect(4 + d, 4 + d, w - 8, h - 8), Qt::AlignCenter, text);
        return img;
    }

    QImage toolButton(const std::string& state, int w, int h, const QString& text)
    {
        QImage img = compose(ctl, tile("controls/toolbutton." + state), cutAtClient(QRect(3, 3, 18, 15)), w, h);
        QPainter painter(&img);
        painter.setFont(arial(14));
        painter.setPen(textColour(state));
        painter.drawText(QRect(3, 3, w - 6, h - 6), Qt::AlignCenter, text);
        return img;
    }

    // The status bar with the flat "About" menu button on it.
    QImage statusBar(int w, const std::string& aboutState)
    {
        const QRect s = tile("controls/statusbar");
        QImage img = horz(ctl, s, 4, 4, w);
        QPainter painter(&img);
        const QRect b(w - 53, 2, 45, 18);
        if (aboutState != "flat") {
            painter.drawImage(b, compose(ctl, tile("controls/toolmenubutton." + aboutState),
                                   cutAtClient(QRect(2, 2, 29, 14)), 45, 18));
        } else {
            const QRect m = tile("controls/toolmenubutton.marker");
            painter.drawImage(QPoint(b.left() + 36 + 4 - 3, b.top() + 9 - 2), keyed(ctl.copy(m), qRgb(255, 0, 255)));
        }
        painter.setFont(arial(14));
        painter.setPen(textColour(aboutState));
        painter.drawText(QRect(b.left() + 2, b.top() + 2, 34, 14), Qt::AlignCenter, "About");
        return img;
    }

    QImage edit(bool hot, int w, const QString& text)
    {
        QImage img = horz(ctl, tile(hot ? "controls/edit.hot" : "controls/edit.normal"), 4, 4, w);
        QPainter painter(&img);
        painter.setFont(arial(14));
        painter.setPen(hot ? palette.text.editTextHot : palette.text.editText);
        painter.drawText(QRect(4, 2, w - 6, 14), Qt::AlignVCenter | Qt::AlignLeft, text);
        return img;
    }

    QImage menu(int hotIndex)
    {
        const QImage popup = skin.active[size_t(skin.pictureIndex("popup.bmp"))].image;
        const QStringList items{"Visit Our Website", "-", "About"};
        const int w = 170;
        int h = 6;
        for (const QString& i : items)
            h += i == "-" ? 7 : 22;
        const Nine g{{32, 3}, {37, 3}, {32, 37}, {37, 37}, QRect(3, 3, 34, 34)};
        QImage img = compose(popup, popup.rect(), g, w, h, false);
        QPainter painter(&img);
        int y = 3;
        for (int i = 0; i < items.size(); ++i) {
            if (items[i] == "-") {
                painter.drawImage(QPoint(3, y), horz(ctl, tile("controls/menuitem.divider"), 30, 4, w - 6));
                y += 7;
                continue;
            }
            const bool hot = i == hotIndex;
            painter.drawImage(QPoint(3, y),
                        horz(ctl, tile(hot ? "controls/menuitem.active" : "controls/menuitem.normal"), 28, 4, w - 6));
            painter.setFont(arial(14));
            painter.setPen(hot ? palette.text.textHot : palette.text.text);
            painter.drawText(QRect(3 + 31, y, w - 40, 22), Qt::AlignVCenter | Qt::AlignLeft, items[i]);
            y += 22;
        }
        return img;
    }

    QImage mainWindow(bool active, const std::string& hot = "")
    {
        QImage img = window(581, 343, "Tessaly 1.0", true, active, hot);
        QPainter p(&img);
        const QPoint o(frame::kBorder, frame::kCaption);
        // memo: a plain white text box
        const QRect memo = QRect(8, 8, 565, 280).translated(o);
        p.fillRect(memo, palette.colours.window);
        p.setPen(palette.edit.border);
        p.drawRect(memo.adjusted(0, 0, -1, -1));
        p.setFont(QFont("DejaVu Sans", 8));
        p.setPen(palette.colours.windowText);
        p.drawText(memo.adjusted(4, 3, -4, -3), Qt::AlignLeft | Qt::AlignTop,
                   "Validating using EPUB version 3.3 rules.\nPassed! No errors or warnings detected");
        p.drawImage(QPoint(8, 294) + o, edit(false, 433, "/home/reader/Books/sample.epub"));
        p.drawImage(QPoint(442, 294) + o, toolButton("normal", 33, 21, QString::fromUtf8("\u2026")));
        p.drawImage(QPoint(498, 293) + o, pushButton("normal", 75, 25, "Validate"));
        p.drawImage(QPoint(0, 322) + o, statusBar(581, "flat"));
        return img;
    }

    QImage aboutWindow(bool active)
    {
        QImage img = window(319, 175, "", false, active);
        QPainter p(&img);
        const QPoint o(frame::kBorder, frame::kCaption);
        p.setPen(palette.text.label);
        p.setFont(arial(-14 * -1 + 2, true));
        p.drawText(QRect(43, 58, 241, 16).translated(o), Qt::AlignCenter, "Tessaly");
        p.setFont(arial(14));
        p.drawText(QRect(43, 83, 241, 13).translated(o), Qt::AlignCenter, "Version 1.0");
        p.drawText(QRect(42, 104, 241, 13).translated(o), Qt::AlignCenter, "The Tessaly Authors, 2010-2012");
        p.setFont(QFont("DejaVu Sans", 8));
        p.drawText(QPoint(71, 136) + o, "Web site:");
        QFont link = arial(14);
        link.setUnderline(true);
        p.setFont(link);
        p.setPen(palette.text.link);
        p.drawText(QPoint(122, 137) + o, "https://tessaly.example/");
        return img;
    }

    const SkinSources& skin;
    const Palette& palette;
    QImage caps;
    QImage ctl;
};

// The layered border around a window image, cut into its four strips the
// way the border windows show it, over a plain desktop: the window's outer
// top-left corner lands at (margin, margin) of the result.
QImage withLayerFrame(const SkinSources& skin, const QImage& window, bool active, const QColor& desktop, int margin)
{
    const LayerFrameGeometry& g = *skin.layerFrame;
    const LayerFramePalette& lf = *skin.palette->layerFrame;
    const std::string name = active ? "layer_frame.bmp" : "layer_frame_inactive.bmp";
    // The pictures hold colours already multiplied by the opacity.
    QImage pic = skin.active[size_t(skin.pictureIndex(name))].image.convertToFormat(QImage::Format_ARGB32);
    pic.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
    const int pw = pic.width(), ph = pic.height();
    const QRect c = g.client;
    const int cr = c.left() + c.width();
    const int aw = window.width() + pw - c.width(), ah = window.height() + ph - c.height();
    const int th = std::max(g.lt.y(), g.rt.y());
    const int bh = ph - std::min(g.lb.y(), g.rb.y());

    QImage out = blank(window.width() + 2 * margin, window.height() + 2 * margin, desktop);
    const QPoint outer(margin - c.left(), margin - c.top());
    QPainter p(&out);
    p.setOpacity((active ? lf.alpha : lf.inactiveAlpha) / 255.0);
    auto row = [&](int top, int height, const QPoint& l, const QPoint& r, int y) {
        p.drawImage(QRect(outer.x(), y, l.x(), height), pic, QRect(0, top, l.x(), height));
        p.drawImage(QRect(outer.x() + l.x(), y, aw - (pw - r.x()) - l.x(), height), pic,
                    QRect(l.x(), top, r.x() - l.x(), height));
        p.drawImage(QRect(outer.x() + aw - (pw - r.x()), y, pw - r.x(), height), pic, QRect(r.x(), top, pw - r.x(), height));
    };
    row(0, th, g.lt, g.rt, outer.y());
    row(ph - bh, bh, g.lb, g.rb, outer.y() + ah - bh);
    // the side strips repeat the picture's rows beside the window
    const int sourceH = ph - bh - th;
    for (int y = 0; y < ah - th - bh; y += sourceH) {
        const int hgt = std::min(sourceH, ah - th - bh - y);
        p.drawImage(QPoint(outer.x(), outer.y() + th + y), pic, QRect(0, th, c.left(), hgt));
        p.drawImage(QPoint(outer.x() + aw - (pw - cr), outer.y() + th + y), pic, QRect(cr, th, pw - cr, hgt));
    }
    p.setOpacity(1);
    // the window's shape: pixels painted in the preview's desktop colour stay
    // see-through
    QImage shaped = window.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < shaped.width(); ++x)
            if (shaped.pixel(x, y) == skin.palette->desktop.rgb())
                shaped.setPixel(x, y, 0);
    p.drawImage(margin, margin, shaped);
    return out;
}

void save(const QImage& image, const QString& path)
{
    if (!image.save(path))
        throw std::runtime_error("cannot write " + path.toStdString());
}

QImage zoom(const QImage& img, int factor)
{
    return img.scaled(img.width() * factor, img.height() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

} // namespace

void writePreviews(const SkinSources& skin, const QString& directory)
{
    Mock m(skin);
    save(m.mainWindow(true), directory + "/main_active.png");
    save(m.mainWindow(false), directory + "/main_inactive.png");
    save(m.aboutWindow(true), directory + "/about_active.png");

    // controls in every state, three times enlarged
    QImage sheet = blank(420, 260, skin.palette->frame.client);
    {
        QPainter p(&sheet);
        int x = 4;
        for (const char* st : {"normal", "hot", "pressed", "focused", "disabled"}) {
            p.drawImage(QPoint(x, 4), m.pushButton(st, 75, 25, "Validate"));
            x += 80;
        }
        x = 4;
        for (const char* st : {"normal", "hot", "pressed", "disabled"}) {
            p.drawImage(QPoint(x, 36), m.toolButton(st, 33, 21, QString::fromUtf8("\u2026")));
            x += 40;
        }
        p.drawImage(QPoint(4, 64), m.edit(false, 200, "normal edit"));
        p.drawImage(QPoint(210, 64), m.edit(true, 200, "hot edit"));
        int y = 88;
        for (const char* st : {"flat", "hot", "pressed"}) {
            p.drawImage(QPoint(4, y), m.statusBar(200, st));
            y += 24;
        }
        p.drawImage(QPoint(220, 88), m.menu(0));
        p.drawImage(QPoint(220, 170), m.menu(2));
    }
    save(sheet, directory + "/controls.png");
    save(zoom(sheet.copy(0, 0, 420, 160), 3), directory + "/controls_x3.png");

    const QImage caps = skin.active[size_t(skin.pictureIndex("caption_buttons.bmp"))].image;
    save(zoom(caps, 4), directory + "/caption_buttons_x4.png");
    save(zoom(m.mainWindow(true, "close").copy(0, 0, 589, 40), 2), directory + "/caption_close_hot_x2.png");
    save(zoom(m.mainWindow(true, "min").copy(380, 0, 209, 34), 4), directory + "/caption_corner_x4.png");
    save(zoom(m.mainWindow(true).copy(0, 0, 120, 34), 4), directory + "/caption_left_x4.png");

    // (A full border's caption bar would lie over the mock window's own.)
    if (skin.layerFrame && !skin.layerFrame->fullBorder()) {
        // on a dark and on a light desktop, active and inactive
        for (auto [desktop, suffix] : {std::pair{hex(0x1B1E23), QString("dark")}, std::pair{hex(0x8A96A3), QString("light")}}) {
            save(withLayerFrame(skin, m.mainWindow(true), true, desktop, 32), directory + "/layer_active_" + suffix + ".png");
            save(withLayerFrame(skin, m.aboutWindow(false), false, desktop, 32),
                 directory + "/layer_inactive_" + suffix + ".png");
        }
        for (auto [desktop, suffix] : {std::pair{hex(0x1B1E23), QString("dark")}, std::pair{hex(0x8A96A3), QString("light")}}) {
            QImage corner = withLayerFrame(skin, m.aboutWindow(true), true, desktop, 32);
            save(zoom(corner.copy(0, 0, 90, 70), 5), directory + "/layer_corner_" + suffix + "_x5.png");
        }
    }
}

} // namespace skinart
