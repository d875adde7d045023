#include "skin_design.h"

#include "art.h"
#include "animate_button.h"
#include "control_features.h"
#include "frame_features.h"

#include "skin/data/skin_data.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace skinart {
namespace {

// ---- description text ------------------------------------------------------

std::string rectText(const QRect& r)
{
    if (r.isNull())
        return "0,0,0,0";
    std::ostringstream s;
    s << r.left() << ',' << r.top() << ',' << r.left() + r.width() << ',' << r.top() + r.height();
    return s.str();
}

std::string pointText(int x, int y)
{
    return std::to_string(x) + "," + std::to_string(y);
}

// The description text. Sections of records take their keys from the
// record's field list in the program (skin_fields): every key written must
// be one the list names, so that a key renamed there stops this program
// (and the test that compares its output with the committed files) instead
// of drifting from it.
class Description {
public:
    void comment(const std::string& text) { m_out << "; " << text << "\r\n"; }
    // A section without a field list: index and picture lists.
    void section(const std::string& name) { section(name, {}); }
    void section(const std::string& name, std::vector<std::string> keys)
    {
        if (m_out.tellp() > 0)
            m_out << "\r\n";
        m_out << '[' << name << "]\r\n";
        m_section = name;
        m_keys = std::move(keys);
    }
    void key(const std::string& k, const std::string& v)
    {
        checkKey(k);
        m_out << k << '=' << v << "\r\n";
    }
    void key(const std::string& k, int v) { key(k, std::to_string(v)); }
    void rect(const std::string& k, const QRect& r) { key(k, rectText(r)); }
    void colour(const std::string& k, const QColor& c) { key(k, std::to_string(colourValue(c))); }
    // The four keys of a record's text font, in the order records list them.
    void font(int height, const std::string& style, const QColor& c)
    {
        key("fontname", "Arial");
        key("fontheight", height);
        key("fontstyle", style);
        colour("fontcolor", c);
    }
    void flag(const std::string& k, bool v) { key(k, v ? 1 : 0); }
    std::string text() const { return m_out.str(); }

private:
    void checkKey(const std::string& k)
    {
        if (!m_keys.empty() && std::find(m_keys.begin(), m_keys.end(), k) == m_keys.end())
            throw std::runtime_error("[" + m_section + "] " + k + ": not a key of the record's field list");
    }

    std::ostringstream m_out;
    std::string m_section;
    std::vector<std::string> m_keys;
};

// The keys of the program's field lists.
template <class Record>
std::vector<std::string> keysOf(Record& record)
{
    tessaly::skin::FieldKeys keys;
    record.visitFields(keys);
    return keys.keys();
}

std::vector<std::string> objectKeys(const char* type)
{
    return keysOf(*tessaly::skin::createObjectRecord(type, "keys"));
}

std::vector<std::string> controlKeys(const char* type)
{
    return keysOf(*tessaly::skin::createControlRecord(type, "keys"));
}

std::vector<std::string> versionKeys()
{
    tessaly::skin::SkinData data;
    tessaly::skin::FieldKeys keys;
    data.visitVersionFields(keys);
    std::vector<std::string> list{"ver"}; // written ahead of the list by the program too
    list.insert(list.end(), keys.keys().begin(), keys.keys().end());
    return list;
}

std::vector<std::string> formInfoKeys()
{
    tessaly::skin::SkinData data;
    tessaly::skin::FieldKeys keys;
    data.visitFormInfoFields(keys);
    return keys.keys();
}

// A rectangle of the tile, relative to the tile's own top-left corner.
QRect local(int x0, int y0, int x1, int y1)
{
    return QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
}

// VERSION, PICTURES and FORMINFO.
void describeGeneral(Description& d, const SkinSources& s)
{
    using namespace frame;
    const Palette& p = *s.palette;
    d.comment(p.displayName + ": a built-in skin of Tessaly.");
    d.comment("Written by tools/skin_art (" + p.name + ") together with the bitmaps beside it;");
    d.comment("edit the program and run it again rather than editing this file by hand.");
    d.comment("Colours are 0x00BBGGRR values in decimal; rectangles are left,top,right,bottom");
    d.comment("with right and bottom exclusive.");
    d.section("VERSION", versionKeys());
    d.key("ver", 1);
    d.key("skinname", p.displayName);
    d.key("skinauthor", "The Tessaly Authors");
    d.key("authoremail", "");
    d.key("authorurl", "");
    d.key("skincomments", p.comments);

    d.section("PICTURES");
    d.key("picture", s.frame.fileName);
    d.key("inactivepicture", "");
    d.key("mask", s.frameMask.fileName);
    d.key("activepicturescount", int(s.active.size()));
    for (size_t i = 0; i < s.active.size(); ++i)
        d.key(std::to_string(i), s.active[i].fileName);

    const QRect cl = clientRect();
    const int clRight = cl.left() + cl.width(), clBottom = cl.top() + cl.height();
    d.section("FORMINFO", formInfoKeys());
    d.key("lefttoppoint", pointText(kCornerCut, kCaption));
    d.key("righttoppoint", pointText(kWidth - kCornerCut, kCaption));
    d.key("leftbottompoint", pointText(kCornerCut, clBottom));
    d.key("rightbottompoint", pointText(kWidth - kCornerCut, clBottom));
    d.rect("clientrect", cl);
    d.key("bgpictureindex", -1);
    d.key("mdibgpictureindex", -1);
    d.flag("leftstretch", true);
    d.flag("rightstretch", true);
    d.flag("topstretch", true);
    d.flag("bottomstretch", true);
    d.flag("stretcheffect", true);
    d.key("stretchtype", "stfull");
    d.flag("mdibgstretcheffect", false);
    d.key("mdibgstretchtype", "stfull");
    // The shape is rounded only in the top rows; below them the whole width
    // inside the side borders is always in the window.
    d.rect("maskrectarea", QRect(QPoint(kBorder, p.frame.cornerRadius), QPoint(clRight - 1, clBottom - 1)));
    d.key("hittestlefttoppoint", pointText(12, 12));
    d.key("hittestrighttoppoint", pointText(kWidth - 12, 12));
    d.key("hittestleftbottompoint", pointText(12, kHeight - 12));
    d.key("hittestrightbottompoint", pointText(kWidth - 12, kHeight - 12));
    // No buttons rectangle: the buttons line up from the caption
    // rectangle's right end and the caption text ends at the leftmost one.
    d.rect("buttonsrect", QRect());
    d.rect("captionrect", QRect(QPoint(6, kButtonTop), QPoint(kWidth - 7, kButtonTop + kButtonHeight - 1)));
    d.key("buttonsoffset", kButtonGap);
    d.flag("buttonsinleft", false);
    d.flag("mainmenupopupup", false);
    d.key("borderwidth", kBorder);
    d.flag("autorenderinginactiveimage", true);
    d.key("inactiveeffect", "iegrayscale");
    d.key("formminwidth", kMinWidth);
    d.key("formminheight", kMinHeight);
    d.flag("mditabstransparent", false);
    d.flag("mainmenubartransparent", false);
}

// LAYERFRAME: the soft shadow around the window (see layer_frame.h). The
// border reacts to the mouse for resizing in a few pixels around the
// window. With a caption bar it is a full border: its top strip carries the
// caption, and the caption buttons right-aligned in the caption's rows.
void describeLayerFrame(Description& d, const SkinSources& s)
{
    const LayerFrameGeometry& g = *s.layerFrame;
    const LayerFramePalette& p = *s.palette->layerFrame;
    auto point = [&](const std::string& k, const QPoint& pt) { d.key(k, pointText(pt.x(), pt.y())); };
    tessaly::skin::DataSkinLayerFrame layerFrame;
    d.section("LAYERFRAME", keysOf(layerFrame));
    d.key("pictureindex", s.pictureIndex("layer_frame.bmp"));
    d.key("maskpictureindex", s.pictureIndex("layer_frame_mask.bmp"));
    d.key("inactivepictureindex", s.pictureIndex("layer_frame_inactive.bmp"));
    d.key("inactivemaskpictureindex", s.pictureIndex("layer_frame_inactive_mask.bmp"));
    point("lefttoppoint", g.lt);
    point("righttoppoint", g.rt);
    point("leftbottompoint", g.lb);
    point("rightbottompoint", g.rb);
    d.rect("clientrect", g.client);
    d.key("alphablendvalue", p.alpha);
    d.key("inactivealphablendvalue", p.inactiveAlpha);
    d.rect("borderrect", g.border);
    d.flag("hittestenable", true);
    d.flag("fullborder", g.fullBorder());
    d.key("hittestsize", p.resizeBorder);
    d.rect("captionrect", g.caption);
    point("hittestlefttoppoint", g.hitLt);
    point("hittestrighttoppoint", g.hitRt);
    point("hittestleftbottompoint", g.hitLb);
    point("hittestrightbottompoint", g.hitRb);
    // The strips beside the window are the same all along, so repeating
    // them is exact.
    d.flag("fullstretch", false);
    if (g.fullBorder())
        d.key("rollupformheight", g.rollUpHeight);
    d.key("blurmaskpictureindex", -1);
}

// POPUPWINDOW, HINTWINDOW and SKINCOLORS.
void describeWindows(Description& d, const SkinSources& s)
{
    const Palette& p = *s.palette;
    const QRect itemsRect(QPoint(3, 3), QPoint(36, 36));
    tessaly::skin::DataSkinPopupWindow popupWindow;
    d.section("POPUPWINDOW", keysOf(popupWindow));
    d.key("windowpictureindex", s.pictureIndex("popup.bmp"));
    d.key("maskpictureindex", -1);
    d.key("lefttoppoint", pointText(3 + kColumn + 3, 3));
    d.key("righttoppoint", pointText(37, 3));
    d.key("leftbottompoint", pointText(3 + kColumn + 3, 37));
    d.key("rightbottompoint", pointText(37, 37));
    d.rect("itemsrect", itemsRect);
    d.colour("scrollmarkercolor", p.text.scrollMarker);
    d.colour("scrollmarkeractivecolor", p.text.scrollMarkerActive);
    d.flag("leftstretch", true);
    d.flag("rightstretch", true);
    d.flag("topstretch", true);
    d.flag("bottomstretch", true);
    d.flag("stretcheffect", true);
    d.key("stretchtype", "stfull");

    if (s.layerFrame)
        describeLayerFrame(d, s);

    tessaly::skin::DataSkinHintWindow hintWindow;
    d.section("HINTWINDOW", keysOf(hintWindow));
    d.key("windowpictureindex", s.pictureIndex("hint.bmp"));
    d.key("maskpictureindex", -1);
    d.key("lefttoppoint", pointText(3, 3));
    d.key("righttoppoint", pointText(27, 3));
    d.key("leftbottompoint", pointText(3, 21));
    d.key("rightbottompoint", pointText(27, 21));
    d.rect("clientrect", local(3, 3, 27, 21));
    d.font(13, "", p.text.hint);
    d.flag("leftstretch", true);
    d.flag("rightstretch", true);
    d.flag("topstretch", true);
    d.flag("bottomstretch", true);
    d.flag("stretcheffect", true);
    d.key("stretchtype", "stfull");

    tessaly::skin::SkinColors colours;
    d.section("SKINCOLORS", keysOf(colours));
    const SkinColourPalette& c = p.colours;
    d.colour("cbtnface", c.btnFace);
    d.colour("cbtntext", c.btnText);
    d.colour("cwindow", c.window);
    d.colour("cwindowtext", c.windowText);
    d.colour("chighlight", c.highlight);
    d.colour("chighlighttext", c.highlightText);
    d.colour("cbtnhighlight", c.btnHighlight);
    d.colour("cbtnshadow", c.btnShadow);
}

// The caption's own pictures (sampler): an active image that cross-fades
// to the frame's caption on deactivation, an animation played on
// activation, a plate
// under the text and a divider, all in caption.bmp.
void describeCaptionFeatures(Description& d, const SkinSources& s)
{
    using namespace captionart;
    auto tile = [&](const std::string& name) { return s.tiles.at(name); };
    d.rect("activeskinrect", tile("caption/active"));
    d.flag("morphing", true);
    d.key("morphkind", "mkdefault");
    // The middle of the caption images is stretched (their grooves run
    // diagonally, so a tiled middle would look different).
    d.flag("stretcheffect", true);
    d.rect("animateskinrect", animationRect());
    d.key("framecount", kFrames);
    d.key("animateinterval", 50);
    // Deactivation cross-fades instead of playing the frames backwards, so
    // both transitions show.
    d.flag("inactiveanimation", false);
    d.rect("framerect", tile("caption/plate"));
    d.rect("activeframerect", tile("caption/plate.active"));
    d.rect("frametextrect", local(kPlateEnd, 1, kPlateWidth - kPlateEnd, kPlateHeight - 1));
    d.key("frameleftoffset", kPlateEnd);
    d.key("framerightoffset", kPlateEnd);
    d.flag("fullframe", false);
    d.rect("dividerrect", tile("caption/divider"));
    d.flag("dividertransparent", true);
    d.colour("dividertransparentcolor", kKey);
}

// Plain frame buttons (sampler): at rest part of the frame picture, their
// other looks in objects.bmp; the round one is hot only inside its circle.
// And a user object beside them.
void describeFrameButtons(Description& d, const SkinSources& s)
{
    auto tile = [&](const std::string& name) { return s.tiles.at(name); };
    for (const char* name : {"pin", "round"}) {
        const std::string o = std::string("objects/") + name;
        d.section(std::string(name) + "button", objectKeys("button"));
        d.key("hint", name == std::string("pin") ? "Pin" : "Round");
        d.key("activepictureindex", s.pictureIndex("objects.bmp"));
        d.key("activemaskpictureindex", name == std::string("pin") ? -1 : s.pictureIndex("round_mask.bmp"));
        d.flag("skinrectinapicture", false);
        d.rect("skinrect", tile(std::string("frame/") + name));
        d.rect("activeskinrect", tile(o + ".hot"));
        d.rect("downrect", tile(o + ".pressed"));
        d.rect("disableskinrsect", tile(o + ".disabled"));
        d.flag("morphing", false);
    }
    // A user object names only its place; the window draws it.
    d.section("badge", objectKeys("userobject"));
    d.rect("skinrect", buttonart::userRect());
}

// An animate caption button (sampler): a custom button in the caption
// buttons' row whose dial turns while the pointer rests on it and turns
// back when it leaves; tests link a menu to it.
void describeAnimateButton(Description& d, const SkinSources& s)
{
    using namespace spinnerart;
    d.section("spinner", objectKeys("animate"));
    d.key("hint", "Spinner");
    d.key("activepictureindex", s.pictureIndex("spinner.bmp"));
    d.key("activemaskpictureindex", -1);
    d.flag("skinrectinapicture", true);
    d.rect("skinrect", s.tiles.at("spinner/frame1"));
    d.rect("inactiveskinrect", s.tiles.at("spinner/inactive"));
    d.key("countframes", kFrames);
    d.flag("cycle", true);
    d.flag("buttonstyle", true);
    d.key("timerinterval", 50);
    d.key("command", "cmdefault");
    d.rect("downskinrect", s.tiles.at("spinner/pressed"));
}

// SKINOBJECTS: the caption buttons, the caption and the menu item.
void describeObjects(Description& d, const SkinSources& s)
{
    using namespace frame;
    const TextPalette& t = s.palette->text;
    auto tile = [&](const std::string& name) { return s.tiles.at(name); };
    const int capPic = s.pictureIndex("caption_buttons.bmp");
    const int ctlPic = s.pictureIndex("controls.bmp");
    struct CapButton {
        const char* name;
        const char* row;
        const char* restoreRow;
        const char* hint;
        const char* command;
        const char* glow;
    };
    const CapButton capButtons[] = {
        {"closebutton", "close", nullptr, "Close", "cmclose", "close_glow"},
        {"maxbutton", "max", "maxrestore", "Maximize", "cmmaximize", "caption_glow"},
        {"minbutton", "min", "minrestore", "Minimize", "cmminimize", "caption_glow"},
        {"rollupbutton", "rollup", "rollupdown", "Roll Up", "cmrollup", "caption_glow"},
        {"sysmenubutton", "sysmenu", nullptr, "System menu", "cmsysmenu", "sysmenu_glow"},
        {"traybutton", "tray", nullptr, "Minimize to Tray", "cmminimizetotray", "caption_glow"},
    };
    const bool features = s.palette->frameFeatures;
    d.section("SKINOBJECTS");
    d.key("count", int(std::size(capButtons)) + 2 + (features ? 4 : 0));
    int index = 0;
    for (const CapButton& b : capButtons)
        d.key(std::to_string(index++), std::string(b.name) + ":stdbutton");
    d.key(std::to_string(index++), "caption:caption");
    d.key(std::to_string(index++), "menuitem:menuitem");
    // Drawn after the caption, which they lie on.
    if (features) {
        d.key(std::to_string(index++), "pinbutton:button");
        d.key(std::to_string(index++), "roundbutton:button");
        d.key(std::to_string(index++), "badge:userobject");
        d.key(std::to_string(index++), "spinner:animate");
    }

    for (const CapButton& b : capButtons) {
        const std::string row = std::string("caption_buttons/") + b.row;
        d.section(b.name, objectKeys("stdbutton"));
        d.key("hint", b.hint);
        d.key("activepictureindex", capPic);
        d.key("activemaskpictureindex", -1);
        d.flag("skinrectinapicture", true);
        d.rect("skinrect", tile(row + ".normal"));
        d.rect("activeskinrect", tile(row + ".hot"));
        d.rect("inactiveskinrect", tile(row + ".inactive"));
        d.flag("morphing", true);
        d.key("morphkind", "mkdefault");
        d.key("glowlayerpictureindex", s.pictureIndex(std::string(b.glow) + ".bmp"));
        d.key("glowlayermaskpictureindex", s.pictureIndex(std::string(b.glow) + "_mask.bmp"));
        d.key("glowlayeroffsetx", kGlowMargin);
        d.key("glowlayeroffsety", kGlowMargin);
        d.key("glowlayeralphablendvalue", 255);
        d.rect("downrect", tile(row + ".pressed"));
        d.rect("disableskinrsect", tile(row + ".disabled"));
        d.key("alphamaskpictureindex", -1);
        d.key("alphamaskactivepictureindex", -1);
        d.key("alphamaskinactivepictureindex", -1);
        d.key("command", b.command);
        if (b.restoreRow) {
            const std::string restore = std::string("caption_buttons/") + b.restoreRow;
            d.rect("restorerect", tile(restore + ".normal"));
            d.rect("restoreactiverect", tile(restore + ".hot"));
            d.rect("restoredownrect", tile(restore + ".pressed"));
            d.rect("restoreinactiverect", tile(restore + ".inactive"));
            d.key("restorehint", "Restore");
        }
    }

    // The caption is part of the frame picture: it spans the caption bar
    // and grows with the window; its text is drawn straight on the frame.
    // The sampler's plain frame buttons lie in the caption bar of the frame
    // picture: its caption's inactive look is cut right of them, so that
    // its stretched middle is plain (the window places the caption between
    // its buttons whatever its skin rectangle).
    const int captionLeft = s.palette->frameFeatures ? buttonart::roundRect().left() + buttonart::kSize + 2 : 6;
    const QRect captionSkin(QPoint(captionLeft, 3), QPoint(kWidth - 7, 25));
    d.section("caption", objectKeys("caption"));
    d.key("hint", "");
    d.key("activepictureindex", s.palette->frameFeatures ? s.pictureIndex("caption.bmp") : -1);
    d.flag("skinrectinapicture", false);
    d.rect("skinrect", captionSkin);
    if (s.palette->frameFeatures)
        describeCaptionFeatures(d, s);
    d.rect("textrect", local(4, 1, captionSkin.width() - 4, captionSkin.height()));
    d.font(15, "fsbold", t.captionInactive);
    d.colour("activefontcolor", t.caption);
    d.key("alignment", "tacenter");
    d.flag("light", false);
    d.flag("shadow", t.captionShadow);
    d.colour("shadowcolor", t.captionShadowInactive);
    d.colour("activeshadowcolor", t.captionShadowColour);
    if (!s.palette->frameFeatures)
        d.flag("stretcheffect", false);
    d.flag("gloweffect", false);
    d.flag("glowinactiveeffect", false);
    d.flag("vistagloweffect", false);
    d.flag("reflectioneffect", false);

    if (features) {
        describeFrameButtons(d, s);
        describeAnimateButton(d, s);
    }

    d.section("menuitem", objectKeys("menuitem"));
    d.key("activepictureindex", ctlPic);
    d.flag("skinrectinapicture", true);
    d.rect("skinrect", tile("controls/menuitem.normal"));
    d.rect("activeskinrect", tile("controls/menuitem.active"));
    d.flag("morphing", true);
    d.key("morphkind", "mkdefault");
    d.key("itemleftoffset", kColumn + 2);
    d.key("itemrightoffset", 4);
    d.rect("dividerrect", tile("controls/menuitem.divider"));
    d.key("dividerleftoffset", kColumn + 4);
    d.key("dividerrightoffset", 4);
    d.rect("textrect", local(kColumn + 5, 0, kItemW - 4, kItemH));
    d.rect("imagerect", local(5, 3, 21, 19));
    d.font(14, "", t.text);
    d.colour("activefontcolor", t.textHot);
    d.colour("unenabledfontcolor", t.menuDisabled);
    d.flag("stretcheffect", true);
    d.flag("inactivestretcheffect", true);
    d.flag("dividerstretcheffect", true);
    d.flag("useimagecolor", false);
    d.flag("inactivetransparent", false);
    d.rect("checkimagerect", tile("controls/menuitem.check"));
    d.rect("activecheckimagerect", tile("controls/menuitem.checkactive"));
    d.rect("radioimagerect", tile("controls/menuitem.radio"));
    d.rect("activeradioimagerect", tile("controls/menuitem.radioactive"));
    d.rect("arrowimagerect", tile("controls/menuitem.arrow"));
    d.rect("activearrowimagerect", tile("controls/menuitem.arrowactive"));
    if (s.palette->controlFeatures) {
        // The highlight wipes in over four frames and back out.
        d.rect("animateskinrect", tile("controls/menuitem.frames"));
        d.key("framecount", kMenuItemFrames);
        d.key("animateinterval", 40);
        d.flag("inactiveanimation", true);
    }
}

// The control records only the sampler has (see control_features.h): a
// push button with animation frames, an edit with a side button, a panel
// with a caption bar, check box and roll-up marker.
void describeControlFeatures(Description& d, const SkinSources& s)
{
    using namespace controlart;
    const TextPalette& t = s.palette->text;
    auto tile = [&](const std::string& name) { return s.tiles.at("features/" + name); };
    const int pic = s.pictureIndex("control_features.bmp");
    auto nine = [&](const QRect& skin, const QRect& client) {
        const int r = client.left() + client.width(), b = client.top() + client.height();
        d.rect("skinrect", skin);
        d.key("lefttoppoint", pointText(client.left(), client.top()));
        d.key("righttoppoint", pointText(r, client.top()));
        d.key("leftbottompoint", pointText(client.left(), b));
        d.key("rightbottompoint", pointText(r, b));
        d.rect("clientrect", client);
        d.flag("leftstretch", true);
        d.flag("topstretch", true);
        d.flag("rightstretch", true);
        d.flag("bottomstretch", true);
        d.flag("stretcheffect", true);
        d.key("stretchtype", "stfull");
    };

    // The hot face is the last frame; no cross-fade, so the frames show.
    const QRect frames = tile("animation");
    // The frames are plates of the push button's size: its mask fits them.
    d.section("animbutton", controlKeys("button"));
    d.key("pictureindex", pic);
    d.key("maskpictureindex", s.pictureIndex("button_mask.bmp"));
    nine(tile("button.normal"), local(4, 4, kButtonW - 4, kButtonH - 4));
    d.key("fontname", "Arial");
    d.key("fontheight", 14);
    d.key("fontstyle", "");
    d.colour("fontcolor", t.text);
    d.colour("activefontcolor", t.textHot);
    d.colour("downfontcolor", t.textDown);
    d.colour("disabledfontcolor", t.textDisabled);
    d.rect("animateskinrect", frames);
    d.key("framecount", kFrames);
    d.key("animateinterval", 40);
    d.rect("activeskinrect", QRect(frames.left() + (kFrames - 1) * kButtonW, frames.top(), kButtonW, kButtonH));
    d.rect("downskinrect", tile("button.pressed"));
    d.rect("disabledskinrect", tile("button.disabled"));
    d.flag("morphing", false);
    d.flag("showfocus", true);

    // The side button lies in the fixed right part, so it keeps its place
    // at the right end at any width.
    const QRect editSkin = tile("edit.normal");
    d.section("buttonedit", controlKeys("edit"));
    d.key("pictureindex", pic);
    d.key("maskpictureindex", -1);
    d.rect("skinrect", editSkin);
    d.key("lefttoppoint", pointText(4, 2));
    d.key("righttoppoint", pointText(kEditRight, 2));
    d.key("leftbottompoint", pointText(4, kEditH - 2));
    d.key("rightbottompoint", pointText(kEditRight, kEditH - 2));
    d.rect("clientrect", local(2, 2, kEditRight - 1, kEditH - 2));
    d.flag("leftstretch", true);
    d.flag("topstretch", true);
    d.flag("rightstretch", true);
    d.flag("bottomstretch", true);
    d.flag("stretcheffect", true);
    d.key("stretchtype", "stfull");
    d.rect("activeskinrect", tile("edit.hot"));
    d.font(14, "", t.editText);
    d.rect("buttonrect", local(kEditRight + 1, 2, kEditRight + 1 + kSideButton, 2 + kSideButton));
    d.rect("activebuttonrect", tile("side.hot"));
    d.rect("downbuttonrect", tile("side.down"));
    d.rect("unenabledbuttonrect", tile("side.disabled"));
    d.colour("disabledfontcolor", t.textDisabled);
    d.colour("activefontcolor", t.editTextHot);

    // A caption bar 22 pixels high that grows with the width.
    d.section("captionpanel", controlKeys("panel"));
    d.key("pictureindex", pic);
    d.key("maskpictureindex", -1);
    nine(tile("panel"), local(3, kPanelCaption, kPanelW - 3, kPanelH - 3));
    d.key("bgpictureindex", -1);
    d.rect("captionrect", local(3, 3, kPanelW - 3, kPanelCaption - 2));
    d.key("alignment", "taleftjustify");
    d.font(14, "fsbold", t.text);
    const QRect check = tile("check");
    const QRect uncheck = tile("uncheck");
    d.rect("checkimagerect", check);
    d.rect("uncheckimagerect", uncheck);
    d.rect("markframerect", tile("marker"));
}

// SKINCONTROLS.
void describeControls(Description& d, const SkinSources& s)
{
    const TextPalette& t = s.palette->text;
    auto tile = [&](const std::string& name) { return s.tiles.at(name); };
    const int ctlPic = s.pictureIndex("controls.bmp");
    d.section("SKINCONTROLS");
    std::vector<std::string> controls = {"button:button", "toolbutton:button", "toolmenubutton:menubutton", "edit:edit",
                                         "statusbar:panel", "panel:panel", "stdlabel:stdlabel", "label:label",
                                         "tab:tab", "vscrollbar:scrollbar", "listview:listview"};
    if (s.palette->controlFeatures)
        controls.insert(controls.end(), {"animbutton:button", "buttonedit:edit", "captionpanel:panel"});
    d.key("count", int(controls.size()));
    for (size_t i = 0; i < controls.size(); ++i)
        d.key(std::to_string(i), controls[i]);

    // Nine pieces cut at the corners of the client rectangle; edges and
    // middle stretch, which keeps the vertical gradients smooth at any size.
    auto ninePiece = [&](const QRect& skin, const QRect& client) {
        const int r = client.left() + client.width(), b = client.top() + client.height();
        d.rect("skinrect", skin);
        d.key("lefttoppoint", pointText(client.left(), client.top()));
        d.key("righttoppoint", pointText(r, client.top()));
        d.key("leftbottompoint", pointText(client.left(), b));
        d.key("rightbottompoint", pointText(r, b));
        d.rect("clientrect", client);
        d.flag("leftstretch", true);
        d.flag("topstretch", true);
        d.flag("rightstretch", true);
        d.flag("bottomstretch", true);
        d.flag("stretcheffect", true);
        d.key("stretchtype", "stfull");
    };
    auto buttonFont = [&](int height) {
        d.key("fontname", "Arial");
        d.key("fontheight", height);
        d.key("fontstyle", "");
        d.colour("fontcolor", t.text);
        d.colour("activefontcolor", t.textHot);
        d.colour("downfontcolor", t.textDown);
        d.colour("disabledfontcolor", t.textDisabled);
    };

    d.section("button", controlKeys("button"));
    d.key("pictureindex", ctlPic);
    d.key("maskpictureindex", s.pictureIndex("button_mask.bmp"));
    ninePiece(tile("controls/button.normal"), local(4, 4, 44, 21));
    buttonFont(14);
    d.rect("activeskinrect", tile("controls/button.hot"));
    d.rect("downskinrect", tile("controls/button.pressed"));
    d.rect("focusedskinrect", tile("controls/button.focused"));
    d.rect("disabledskinrect", tile("controls/button.disabled"));
    d.flag("morphing", true);
    d.key("morphkind", "mkdefault");
    d.flag("showfocus", true);
    d.key("glowlayerpictureindex", s.pictureIndex("button_glow.bmp"));
    d.key("glowlayermaskpictureindex", s.pictureIndex("button_glow_mask.bmp"));
    d.key("glowlayeroffsetleft", 16);
    d.key("glowlayeroffsettop", 16);
    d.key("glowlayeroffsetright", 16);
    d.key("glowlayeroffsetbottom", 16);
    d.key("glowlayershowoffsetx", 8);
    d.key("glowlayershowoffsety", 8);
    d.key("glowlayeralphablendvalue", 255);

    d.section("toolbutton", controlKeys("button"));
    d.key("pictureindex", ctlPic);
    d.key("maskpictureindex", -1);
    ninePiece(tile("controls/toolbutton.normal"), local(3, 3, 21, 18));
    buttonFont(14);
    d.rect("activeskinrect", tile("controls/toolbutton.hot"));
    d.rect("downskinrect", tile("controls/toolbutton.pressed"));
    d.rect("disabledskinrect", tile("controls/toolbutton.disabled"));
    d.flag("morphing", true);
    d.key("morphkind", "mkdefault");

    // The drop-down arrow is part of the pictures, in the fixed right-hand
    // piece; at rest (flat) the marker tile draws the same arrow.
    const QRect marker = tile("controls/toolmenubutton.marker");
    d.section("toolmenubutton", controlKeys("menubutton"));
    d.key("pictureindex", ctlPic);
    d.key("maskpictureindex", -1);
    ninePiece(tile("controls/toolmenubutton.normal"), local(2, 2, 31, 16));
    buttonFont(13); // "About" and its arrow fit 45 pixels with room to spare
    d.rect("activeskinrect", tile("controls/toolmenubutton.hot"));
    d.rect("downskinrect", tile("controls/toolmenubutton.pressed"));
    d.rect("disabledskinrect", tile("controls/toolmenubutton.disabled"));
    d.flag("morphing", true);
    d.key("morphkind", "mkdefault");
    d.rect("menumarkerflatrect", marker);
    d.rect("menumarkerrect", marker);
    d.rect("menumarkeractiverect", marker);
    d.rect("menumarkerdownrect", marker);
    d.colour("menumarkertransparentcolor", kKey);
    d.rect("trackbuttonrect", local(31, 0, 40, 18));

    d.section("edit", controlKeys("edit"));
    d.key("pictureindex", ctlPic);
    d.key("maskpictureindex", -1);
    d.rect("skinrect", tile("controls/edit.normal"));
    d.key("lefttoppoint", pointText(4, 2));
    d.key("righttoppoint", pointText(36, 2));
    d.key("leftbottompoint", pointText(4, 16));
    d.key("rightbottompoint", pointText(36, 16));
    d.rect("clientrect", local(2, 2, 38, 16));
    d.flag("leftstretch", true);
    d.flag("topstretch", true);
    d.flag("rightstretch", true);
    d.flag("bottomstretch", true);
    d.flag("stretcheffect", true);
    d.key("stretchtype", "stfull");
    d.rect("activeskinrect", tile("controls/edit.hot"));
    d.font(14, "", t.editText);
    d.colour("disabledfontcolor", t.textDisabled);
    d.colour("activefontcolor", t.editTextHot);

    // The status bar: a fixed height, any width (left and right pieces
    // fixed, the middle stretched); its caption is never shown.
    d.section("statusbar", controlKeys("panel"));
    d.key("pictureindex", ctlPic);
    d.key("maskpictureindex", -1);
    d.rect("skinrect", tile("controls/statusbar"));
    d.key("lefttoppoint", pointText(4, 0));
    d.key("righttoppoint", pointText(36, 0));
    d.key("leftbottompoint", pointText(0, 0));
    d.key("rightbottompoint", pointText(0, 0));
    d.rect("clientrect", local(2, 2, 38, 19));
    d.flag("stretcheffect", true);
    d.key("stretchtype", "stfull");
    d.key("bgpictureindex", -1);
    d.rect("captionrect", QRect());
    d.key("alignment", "taleftjustify");
    d.font(14, "", t.text);
    d.rect("gripperrect", tile("controls/statusbar.grip"));
    d.flag("grippertransparent", true);
    d.colour("grippertransparentcolor", kKey);

    d.section("panel", controlKeys("panel"));
    d.key("pictureindex", ctlPic);
    d.key("maskpictureindex", -1);
    ninePiece(tile("controls/panel"), local(3, 3, 37, 37));
    d.key("bgpictureindex", -1);
    d.rect("captionrect", QRect());
    d.key("alignment", "tacenter");
    d.font(14, "", t.text);

    d.section("stdlabel", controlKeys("stdlabel"));
    d.key("pictureindex", -1);
    d.key("maskpictureindex", -1);
    d.font(14, "", t.label);
    d.colour("activefontcolor", t.link);

    d.section("label", controlKeys("label"));
    d.key("pictureindex", ctlPic);
    d.key("maskpictureindex", -1);
    d.rect("skinrect", tile("controls/label"));
    d.key("lefttoppoint", pointText(3, 0));
    d.key("righttoppoint", pointText(37, 0));
    d.key("leftbottompoint", pointText(0, 0));
    d.key("rightbottompoint", pointText(0, 0));
    d.rect("clientrect", local(3, 2, 37, 19));
    d.flag("stretcheffect", true);
    d.key("stretchtype", "stfull");
    d.font(14, "", t.fieldLabel);

    // The tabs over the report's pages: each tab a three-piece (fixed
    // rounded ends, the middle stretched to the caption), on a strip whose
    // base line the chosen tab breaks.
    d.section("tab", controlKeys("tab"));
    d.key("pictureindex", ctlPic);
    d.key("maskpictureindex", -1);
    d.rect("skinrect", tile("controls/tab.back"));
    d.rect("tabrect", tile("controls/tab.normal"));
    d.rect("activetabrect", tile("controls/tab.active"));
    d.rect("focustabrect", tile("controls/tab.focus"));
    d.rect("mouseintabrect", tile("controls/tab.hot"));
    d.rect("clientrect", local(0, 20, 40, 20));
    d.key("bgpictureindex", -1);
    d.key("tableftoffset", 4);
    d.key("tabrightoffset", 4);
    d.rect("tabsbgrect", tile("controls/tab.back"));
    d.flag("tabstretcheffect", true);
    d.font(14, "", t.text);
    d.colour("activefontcolor", t.editText);
    d.colour("focusfontcolor", t.editText);
    d.colour("mouseinfontcolor", t.textHot);
    d.flag("showfocus", true);

    // The vertical scroll bar: the track stretched between its ends, the
    // arrow buttons at either end, the thumb as three pieces (rounded ends
    // of 4 pixels, the grip in the middle kept whole by tiling none: the
    // middle is stretched).
    const QRect track = tile("controls/scroll.track");
    d.section("vscrollbar", controlKeys("scrollbar"));
    d.key("pictureindex", ctlPic);
    d.key("maskpictureindex", -1);
    ninePiece(track, local(0, 2, track.width(), track.height() - 2));
    d.rect("trackarea", local(0, 0, track.width(), track.height()));
    d.rect("upbuttonrect", tile("controls/scroll.up.normal"));
    d.rect("activeupbuttonrect", tile("controls/scroll.up.hot"));
    d.rect("downupbuttonrect", tile("controls/scroll.up.pressed"));
    d.rect("downbuttonrect", tile("controls/scroll.down.normal"));
    d.rect("activedownbuttonrect", tile("controls/scroll.down.hot"));
    d.rect("downdownbuttonrect", tile("controls/scroll.down.pressed"));
    d.rect("thumbrect", tile("controls/scroll.thumb.normal"));
    d.rect("activethumbrect", tile("controls/scroll.thumb.hot"));
    d.rect("downthumbrect", tile("controls/scroll.thumb.pressed"));
    d.key("thumboffset1", 4);
    d.key("thumboffset2", 4);
    d.flag("thumbstretcheffect", true);
    d.key("thumbminsize", 16);

    // Lists of rows: the page's own colours and the controls' font.
    const SkinColourPalette& c = s.palette->colours;
    d.section("listview", controlKeys("listview"));
    d.key("pictureindex", -1);
    d.key("maskpictureindex", -1);
    d.font(13, "", c.windowText);
    d.colour("bgcolor", c.window);

    if (s.palette->controlFeatures)
        describeControlFeatures(d, s);
}

} // namespace

std::string describeSkin(const SkinSources& s)
{
    Description d;
    describeGeneral(d, s);
    describeWindows(d, s);
    describeObjects(d, s);
    describeControls(d, s);
    return d.text();
}

} // namespace skinart
