// Every built-in skin's text must be readable: the contrast ratio (the
// usual relative-luminance ratio, 1 : 1 to 21 : 1) of each text colour its
// description names against every pixel its pictures put under that text
// (the flat menu button's text against the status bar it rests on, the
// button text colour against the face colour).
// Inactive caption text needs 3 : 1, active caption text and every
// control's text 4.5 : 1; disabled text is left out. Each folder of skins/
// is read, so a skin added later is held to the same rule.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <list>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "skin/data/control_records.h"
#include "skin/data/object_records.h"
#include "skin/data/skin_data.h"
#include "skin/data/system_colors.h"
#include "skin/paint/bitmap.h"
#include "skin/paint/effect_bmp.h"

namespace tessaly::skin {
namespace {

constexpr double kActiveText = 4.5;
constexpr double kInactiveCaption = 3.0;

double channel(int value)
{
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(int red, int green, int blue)
{
    return 0.2126 * channel(red) + 0.7152 * channel(green) + 0.0722 * channel(blue);
}

double contrast(double a, double b)
{
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

double luminanceOf(Color colour)
{
    const Color c = resolveColor(colour);
    return luminance(c.red(), c.green(), c.blue());
}

// One text colour over a part of a picture (or over one plain colour).
struct TextOnFace {
    std::string what;
    Color text;
    PixelView picture;
    Rect area;
    double limit;
};

struct Worst {
    double ratio = 21;
    int x = -1, y = -1;
};

// The lowest ratio over the pixels of the area (clipped to the picture).
Worst worstRatio(const TextOnFace& face)
{
    Worst worst;
    const double text = luminanceOf(face.text);
    const int right = std::min(face.area.right, face.picture.width);
    const int bottom = std::min(face.area.bottom, face.picture.height);
    for (int y = std::max(face.area.top, 0); y < bottom; ++y)
        for (int x = std::max(face.area.left, 0); x < right; ++x) {
            const uint32_t p = face.picture.pixel(x, y);
            const double r = contrast(text, luminance(redOf(p), greenOf(p), blueOf(p)));
            if (r < worst.ratio)
                worst = {r, x, y};
        }
    return worst;
}

Rect offset(const Rect& r, int dx, int dy)
{
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

bool isEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

// The client rectangle of a face that lies at `face` in its picture
// (empty when the record has no such face).
Rect clientOf(const Rect& face, const Rect& client)
{
    if (isEmpty(face))
        return {};
    return isEmpty(client) ? face : offset(client, face.left, face.top);
}

// A one-pixel picture of a plain colour, for text drawn on the window's
// own background.
class PlainColours {
public:
    PixelView of(Color colour)
    {
        const Color c = resolveColor(colour);
        m_pictures.emplace_back(1, 1);
        m_pictures.back().setPixel(0, 0, 0xFF000000u | uint32_t(c.red()) << 16 | uint32_t(c.green()) << 8 | c.blue());
        return pixelView(m_pictures.back());
    }

private:
    std::vector<Picture> m_pictures;
};

// Everything a skin writes as text, with what lies under it.
class SkinTexts {
public:
    explicit SkinTexts(const std::filesystem::path& description)
    {
        m_data.loadFromFile(description);
        m_inactiveFrame = inactiveFrame();
        addCaption();
        for (const auto& object : m_data.objectList())
            if (const auto* item = dynamic_cast<const DataSkinMenuItem*>(object.get()))
                addMenuItem(*item);
        for (const auto& control : m_data.ctrlList())
            addControl(*control);
        addFlatMenuButton();
        addHint();
        addSkinColours();
    }

    const std::vector<TextOnFace>& texts() const { return m_texts; }

private:
    // A picture as an inactive window shows it: with the skin's inactive
    // effect.
    Bitmap inactiveLook(PixelView picture) const
    {
        EffectBmp effect(picture);
        applyInActiveEffect(effect, m_data.inActiveEffect);
        Bitmap b(effect.width(), effect.height());
        effect.draw(b.surface(), 0, 0);
        return b;
    }

    // The frame as an inactive window shows it: the inactive picture, or
    // the frame with the skin's inactive effect.
    Bitmap inactiveFrame() const
    {
        if (!m_data.inActivePicture().isEmpty()) {
            Bitmap b;
            b.assign(pixelView(m_data.inActivePicture().picture()));
            return b;
        }
        EffectBmp effect(pixelView(m_data.picture().picture()));
        applyInActiveEffect(effect, m_data.inActiveEffect);
        Bitmap b(effect.width(), effect.height());
        effect.draw(b.surface(), 0, 0);
        return b;
    }

    PixelView pictureAt(int index) const
    {
        const Picture* p = m_data.activePicture(index);
        return p ? pixelView(*p) : PixelView{};
    }

    void add(std::string what, Color text, PixelView picture, const Rect& area, double limit)
    {
        if (!picture.isEmpty() && !isEmpty(area))
            m_texts.push_back({std::move(what), text, picture, area, limit});
    }

    // The title lies on the caption strip of the frame picture (or of the
    // caption's own picture).
    void addCaption()
    {
        for (const auto& object : m_data.objectList()) {
            const auto* caption = dynamic_cast<const DataSkinCaption*>(object.get());
            if (!caption)
                continue;
            const Rect strip = isEmpty(caption->textRct)
                ? caption->skinRect
                : offset(caption->textRct, caption->skinRect.left, caption->skinRect.top);
            if (!isEmpty(caption->frameRect) && !pictureAt(caption->activePictureIndex).isEmpty()) {
                // The title sits on its plate, cut from the caption's own
                // picture; an inactive window greys it by the skin's effect.
                const Rect& plate =
                    isEmpty(caption->activeFrameRect) ? caption->frameRect : caption->activeFrameRect;
                const Rect& inactivePlate = caption->frameRect;
                add("active caption", caption->activeFontColor, pictureAt(caption->activePictureIndex),
                    offset(caption->frameTextRect, plate.left, plate.top), kActiveText);
                m_inactivePlates.push_back(inactiveLook(pictureAt(caption->activePictureIndex)));
                add("inactive caption", caption->fontColor, m_inactivePlates.back().view(),
                    offset(caption->frameTextRect, inactivePlate.left, inactivePlate.top), kInactiveCaption);
            } else if (caption->skinRectInAPicture) {
                const PixelView picture = pictureAt(caption->activePictureIndex);
                add("active caption", caption->activeFontColor, picture, strip, kActiveText);
                add("inactive caption", caption->fontColor, picture,
                    isEmpty(caption->inActiveSkinRect) ? strip : offset(caption->textRct, caption->inActiveSkinRect.left, caption->inActiveSkinRect.top),
                    kInactiveCaption);
            } else {
                add("active caption", caption->activeFontColor, pixelView(m_data.picture().picture()), strip,
                    kActiveText);
                add("inactive caption", caption->fontColor, m_inactiveFrame.view(), strip, kInactiveCaption);
            }
        }
    }

    void addMenuItem(const DataSkinMenuItem& item)
    {
        const PixelView picture = pictureAt(item.activePictureIndex);
        const std::string name = "menu item " + item.idName;
        add(name, item.fontColor, picture, clientOf(item.skinRect, item.textRct), kActiveText);
        add(name + " (active)", item.activeFontColor, picture, clientOf(item.activeSkinRect, item.textRct),
            kActiveText);
    }

    void addControl(const DataSkinControl& control)
    {
        const PixelView picture = pictureAt(control.pictureIndex);
        const std::string name = control.idName;
        if (const auto* b = dynamic_cast<const DataSkinButtonControl*>(&control)) {
            add(name, b->fontColor, picture, clientOf(b->skinRect, b->clRect), kActiveText);
            add(name + " (hot)", b->activeFontColor, picture, clientOf(b->activeSkinRect, b->clRect), kActiveText);
            add(name + " (pressed)", b->downFontColor, picture, clientOf(b->downSkinRect, b->clRect), kActiveText);
            add(name + " (focused)", b->fontColor, picture, clientOf(b->focusedSkinRect, b->clRect), kActiveText);
        } else if (const auto* e = dynamic_cast<const DataSkinEditControl*>(&control)) {
            add(name, e->fontColor, picture, clientOf(e->skinRect, e->clRect), kActiveText);
            add(name + " (hot)", e->activeFontColor, picture, clientOf(e->activeSkinRect, e->clRect), kActiveText);
        } else if (const auto* p = dynamic_cast<const DataSkinPanelControl*>(&control)) {
            add(name, p->fontColor, picture, clientOf(p->skinRect, p->clRect), kActiveText);
        } else if (const auto* l = dynamic_cast<const DataSkinLabelControl*>(&control)) {
            add(name, l->fontColor, picture, clientOf(l->skinRect, l->clRect), kActiveText);
        } else if (const auto* s = dynamic_cast<const DataSkinStdLabelControl*>(&control)) {
            // Plain labels stand on the window's face colour.
            const PixelView face = m_plain.of(m_data.skinColors().cBtnFace);
            add(name, s->fontColor, face, {0, 0, 1, 1}, kActiveText);
            add(name + " (active)", s->activeFontColor, face, {0, 0, 1, 1}, kActiveText);
        }
    }

    const DataSkinControl* controlNamed(const std::string& name) const
    {
        const int i = m_data.getControlIndex(name);
        return i < 0 ? nullptr : m_data.ctrlList()[size_t(i)].get();
    }

    // The main window's "About" menu button rests flat on the status bar:
    // at rest its text stands on the status bar's face, not on its own, in
    // the skin's button text colour.
    void addFlatMenuButton()
    {
        const auto* button = dynamic_cast<const DataSkinMenuButtonControl*>(controlNamed("toolmenubutton"));
        const auto* bar = dynamic_cast<const DataSkinPanelControl*>(controlNamed("statusbar"));
        if (button && bar)
            add("toolmenubutton (flat, on the status bar)", m_data.skinColors().cBtnText,
                pictureAt(bar->pictureIndex), clientOf(bar->skinRect, bar->clRect), kActiveText);
    }

    // Text the program draws in the skin's colours without a picture: the
    // tool buttons' glyphs and arrows take the button text colour over the
    // window's face.
    void addSkinColours()
    {
        const SkinColors& c = m_data.skinColors();
        add("skin colours: button text on button face", c.cBtnText, m_plain.of(c.cBtnFace), {0, 0, 1, 1},
            kActiveText);
    }

    void addHint()
    {
        const DataSkinHintWindow& hint = m_data.hintWindow;
        const PixelView picture = pictureAt(hint.windowPictureIndex);
        if (!picture.isEmpty())
            add("hint", hint.fontColor, picture, clientOf({0, 0, picture.width, picture.height}, hint.clRect),
                kActiveText);
    }

    SkinData m_data;
    Bitmap m_inactiveFrame;
    std::list<Bitmap> m_inactivePlates; // the views taken of them stay valid
    PlainColours m_plain;
    std::vector<TextOnFace> m_texts;
};

std::vector<std::filesystem::path> skinDescriptions()
{
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(TESSALY_SKINS_DIR))
        if (entry.is_directory() && std::filesystem::exists(entry.path() / "skin.ini"))
            found.push_back(entry.path() / "skin.ini");
    std::sort(found.begin(), found.end());
    return found;
}

TEST(SkinContrast, RatioOfTheUsualFormula)
{
    EXPECT_NEAR(contrast(luminance(0, 0, 0), luminance(255, 255, 255)), 21.0, 1e-9);
    EXPECT_NEAR(contrast(luminance(119, 119, 119), luminance(255, 255, 255)), 4.48, 0.01);
    // The faint inactive title this rule was made for: grey 133 on 221.
    EXPECT_NEAR(contrast(luminance(133, 133, 133), luminance(221, 221, 221)), 2.7, 0.05);
}

TEST(SkinContrast, WorstPixelUnderTheTextCounts)
{
    Picture face(3, 1);
    face.pixels() = {0xFFFFFFFFu, 0xFF767676u, 0xFFFFFFFFu};
    const TextOnFace text{"grey stripe", Color(0x000000), pixelView(face), {0, 0, 3, 1}, kActiveText};
    const Worst worst = worstRatio(text);
    EXPECT_EQ(worst.x, 1);
    EXPECT_NEAR(worst.ratio, contrast(0, luminance(0x76, 0x76, 0x76)), 1e-9);
}

TEST(SkinContrast, EveryBuiltInSkinsTextIsReadable)
{
    const auto skins = skinDescriptions();
    ASSERT_FALSE(skins.empty()) << "no skin folder in " << TESSALY_SKINS_DIR;
    for (const auto& description : skins) {
        SCOPED_TRACE(description.parent_path().filename().string());
        const SkinTexts skin(description);
        // A skin without a caption or control text would pass unseen.
        ASSERT_GE(skin.texts().size(), 3u);
        bool activeCaption = false, inactiveCaption = false;
        for (const TextOnFace& text : skin.texts()) {
            activeCaption |= text.what == "active caption";
            inactiveCaption |= text.what == "inactive caption";
            const Worst worst = worstRatio(text);
            std::ostringstream where;
            where << text.what << ": " << worst.ratio << " : 1 at (" << worst.x << ", " << worst.y << ")";
            std::printf("  %s\n", where.str().c_str());
            EXPECT_GE(worst.ratio, text.limit) << where.str();
        }
        EXPECT_TRUE(activeCaption && inactiveCaption) << "no caption text found";
    }
}

} // namespace
} // namespace tessaly::skin
