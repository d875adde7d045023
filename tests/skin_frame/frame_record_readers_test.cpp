// Every field of the frame's object records has a reader in the frame's
// drawing and behaviour. How the test knows: it takes the sampler skin, which
// uses every frame feature, changes one field of one record at a time
// through the record's own field list (the list the description is read
// with, so a key added there is changed here too), and watches what the
// frame makes of the records: the window's pictures in every state of every
// object (normal, hot, pressed, disabled, mid-fade, restore looks, each
// frame of the caption's animation and each step of its cross-fade, active
// and inactive; the window's picture and a full layered border's top
// strip), the hit test of every point of the caption bar, the
// objects' hints and the caption animation's timing. A field whose change
// shows in none of them has no reader, and the test names it. The few keys
// the frame leaves to others are listed below with the reason.

#include <QApplication>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "sampler_skin.h"
#include "skin/data/object_records.h"
#include "skin/frame/caption_button.h"
#include "skin/frame/frame_painter.h"
#include "skin/frame/layer_border_layout.h"
#include "skin/frame/system_menu.h"

using namespace tessaly::skin;

namespace frame_record_readers {

// Keys a frame object reads for something other than the frame's own
// pictures, hit tests and hints, each with where it goes.
const std::map<std::string, std::string> kReadElsewhere = {
    {"glowlayerpictureindex", "the glow window around a caption button (LayerManager)"},
    {"glowlayermaskpictureindex", "the glow window around a caption button (LayerManager)"},
    {"glowlayeroffsetx", "the glow window around a caption button (LayerManager)"},
    {"glowlayeroffsety", "the glow window around a caption button (LayerManager)"},
    {"glowlayeralphablendvalue", "the glow window around a caption button (LayerManager)"},
};

// Keys the frame does not draw yet. The test fails when one of them starts
// to show, so that this list stays true.
const std::set<std::string> kNotDrawnYet = {};

// Keys that mean nothing for one kind of object, by the kind's own rule.
const std::set<std::pair<std::string, std::string>> kNotForTheKind = {
    // The caption's inactive look is its skin rectangle.
    {"caption", "inactiveskinrect"},
    // The caption shows no hint of its own.
    {"caption", "hint"},
    // An animate object's hot look is its frames: it has no hot picture,
    // in its restore situation either.
    {"spinner", "activeskinrect"},
    {"spinner", "restoreactiverect"},
    // Alpha images show only on a full layered border's top strip, which
    // carries the caption buttons alone: a plain button has no place there.
    {"pinbutton", "alphamaskpictureindex"},
    {"pinbutton", "alphamaskactivepictureindex"},
    {"pinbutton", "alphamaskinactivepictureindex"},
    {"roundbutton", "alphamaskpictureindex"},
    {"roundbutton", "alphamaskactivepictureindex"},
    {"roundbutton", "alphamaskinactivepictureindex"},
    // An animate object plays frames and never cross-fades.
    {"spinner", "morphing"},
    {"spinner", "morphkind"},
};

// Fields that only matter while other fields are on: those are set first,
// in the skin as given and in the changed one alike.
using Needs = std::vector<std::pair<std::string, FieldValue>>;
const std::map<std::string, Needs> kNeeds = {
    {"glowsize", {{"gloweffect", true}}},
    {"glowcolor", {{"gloweffect", true}, {"glowinactiveeffect", true}}},
    {"glowactivecolor", {{"gloweffect", true}}},
    {"glowoffset", {{"gloweffect", true}}},
    {"glowinactiveeffect", {{"gloweffect", true}}},
    {"vistaglowinactiveeffect", {{"vistagloweffect", true}}},
    {"reflactioncolor", {{"reflectioneffect", true}}},
    {"reflactionactivecolor", {{"reflectioneffect", true}}},
    {"reflectionoffset", {{"reflectioneffect", true}}},
    {"lightcolor", {{"light", true}}},
    {"activelightcolor", {{"light", true}}},
    {"morphkind", {{"morphing", true}}},
};

// The same for the fields of one record. The sampler's animate button is a
// custom button in the caption buttons' row; its restore pictures show
// only for a command that has a restore situation, and only when the frame
// places it though a caption button of that command comes first: lying at
// its own place on the frame.
const Needs kAnimateRestore = {{"skinrectinapicture", false}, {"command", StdCommand::RollUp}};
const Needs kAnimateRestoreLooks = {{"skinrectinapicture", false},
                                    {"command", StdCommand::RollUp},
                                    {"restorerect", Rect{25, 0, 50, 19}}};
const std::map<std::pair<std::string, std::string>, Needs> kNeedsOf = {
    {{"spinner", "restorerect"}, kAnimateRestore},
    {{"spinner", "restorehint"}, kAnimateRestore},
    {{"spinner", "restoredownrect"}, kAnimateRestoreLooks},
    {{"spinner", "restoreinactiverect"}, kAnimateRestoreLooks},
};

// What a field needs switched on first (none: an empty list).
Needs needsOf(const std::string& record, const std::string& key)
{
    Needs needs;
    if (const auto found = kNeeds.find(key); found != kNeeds.end())
        needs = found->second;
    if (const auto found = kNeedsOf.find({record, key}); found != kNeedsOf.end())
        needs.insert(needs.end(), found->second.begin(), found->second.end());
    return needs;
}

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

// Changes one field, by key, to a value that differs and still makes sense.
class FieldChanger final : public FieldVisitor {
public:
    explicit FieldChanger(std::string key) : m_key(std::move(key)) {}
    void visit(const Field& field) override
    {
        if (field.key != m_key)
            return;
        std::visit(Overloaded{
                       [&](std::string* v) { *v = m_key == "fontname" ? "DejaVu Serif" : *v + " (changed)"; },
                       [&](int* v) { *v += 1; },
                       [&](Color* v) { *v = Color(v->value() ^ 0x00FFFFFFu); },
                       [&](bool* v) { *v = !*v; },
                       [&](Point* v) { *v = {v->x + 1, v->y + 1}; },
                       [&](Rect* v) { *v = v->isEmpty() ? Rect{0, 0, 4, 4} : v->translated(1, 1); },
                       [&](FontStyle* v) { v->bold = !v->bold; },
                       [&](StretchType* v) { *v = *v == StretchType::Full ? StretchType::Horz : StretchType::Full; },
                       [&](InActiveEffect* v) {
                           *v = *v == InActiveEffect::Invert ? InActiveEffect::GrayScale : InActiveEffect::Invert;
                       },
                       [&](MorphKind* v) { *v = *v == MorphKind::Push ? MorphKind::Default : MorphKind::Push; },
                       [&](Alignment* v) {
                           *v = *v == Alignment::LeftJustify ? Alignment::RightJustify : Alignment::LeftJustify;
                       },
                       [&](StdCommand* v) {
                           *v = *v == StdCommand::Close ? StdCommand::Minimize : StdCommand::Close;
                       },
                   },
                   field.ref);
        m_changed = true;
    }
    bool changed() const { return m_changed; }

private:
    std::string m_key;
    bool m_changed = false;
};

// Sets one field, by key, to a value.
class FieldSetter final : public FieldVisitor {
public:
    FieldSetter(std::string key, FieldValue value) : m_key(std::move(key)), m_value(std::move(value)) {}
    void visit(const Field& field) override
    {
        if (field.key != m_key)
            return;
        std::visit([&](auto* ref) { *ref = std::get<std::remove_pointer_t<decltype(ref)>>(m_value); }, field.ref);
    }

private:
    std::string m_key;
    FieldValue m_value;
};

constexpr int kWidth = 320, kHeight = 60;
const QString kTitle = QStringLiteral("Tessaly sampler");

// Everything the frame makes of a registry's object records, as a list of
// fingerprints (one per picture, hit map, hint list and animation run).
class Observer {
public:
    explicit Observer(const SkinData& sd) : m_sd(sd)
    {
        for (const auto& record : sd.objectList())
            if (std::optional<CaptionButton> b = CaptionButton::fromRecord(sd, *record)) {
                // Every caption button, custom ones too.
                b->applyBorderIcons(BorderIcon::SystemMenu | BorderIcon::Minimize | BorderIcon::Maximize
                                        | BorderIcon::RollUp | BorderIcon::MinimizeToTray,
                                    [](const std::string&) { return true; });
                m_objects.push_back(std::move(*b));
            }
        for (const CaptionButton& b : m_objects)
            m_infos.push_back(b.look().info);
        m_layout = layoutFrame(FrameSkinGeometry::from(sd), pixelView(sd.mask().picture()), kWidth, kHeight, m_infos);
        // A full layered border whose top strip is kStripHeight high, with
        // the caption across it.
        LayerBorderGeometry g;
        g.picWidth = kWidth;
        g.picHeight = kStripHeight;
        g.fullBorder = true;
        g.captionRect = {4, 2, kWidth - 4, kStripHeight - 2};
        m_stripRects = arrangeLayerObjects(g, kWidth, m_infos, sd.buttonsOffset);
    }

    std::vector<uint64_t> observe()
    {
        for (bool active : {true, false}) {
            for (bool restore : {false, true}) {
                compose(m_objects, active, restore);
                for (std::size_t i = 0; i < m_objects.size(); ++i)
                    if (!m_objects[i].isCaption())
                        buttonStates(i, active, restore);
            }
            captionStates(active);
        }
        hitMap();
        hints();
        animationTiming();
        return m_prints;
    }

private:
    // With `captionAsSet` the caption keeps the moment it was given;
    // otherwise it shows the activation settled.
    void compose(std::vector<CaptionButton> objects, bool active, bool restore, bool captionAsSet = false)
    {
        for (CaptionButton& o : objects)
            if (o.isCaption() && !captionAsSet)
                o.settle(active);
        FramePaintState state;
        state.active = active;
        state.title = kTitle;
        state.morphEnabled = true;
        state.maximized = state.minimized = state.rolledUp = restore;
        for (CaptionButton& o : objects)
            if (o.isCaption())
                o.setWindowActive(active);
        composeFrame(m_image, &m_sd, m_layout, objects, state);
        printPixels(m_image);
        // The same objects on the top strip of a full layered border.
        Bitmap strip(kWidth, kStripHeight);
        strip.fillRect({0, 0, kWidth, kStripHeight}, 0xFF808080u);
        drawLayerObjects(strip, m_sd, objects, m_stripRects, state);
        printPixels(strip);
    }

    void printPixels(const Bitmap& b)
    {
        uint64_t h = kFnvStart;
        for (int y = 0; y < b.height(); ++y) {
            const uint32_t* row = b.rowPointer(y);
            for (int x = 0; x < b.width(); ++x)
                h = (h ^ row[x]) * kFnvPrime;
        }
        m_prints.push_back(h);
    }

    // The text gathered so far as one fingerprint.
    void print()
    {
        uint64_t h = kFnvStart;
        for (const char c : m_out.str())
            h = (h ^ uint8_t(c)) * kFnvPrime;
        m_prints.push_back(h);
        m_out.str({});
    }

    void buttonStates(std::size_t i, bool active, bool restore)
    {
        auto with = [&](auto change) {
            std::vector<CaptionButton> objects = m_objects;
            change(objects[i]);
            compose(std::move(objects), active, restore);
        };
        with([](CaptionButton& b) { b.showHot(); });
        with([](CaptionButton& b) {
            b.enter(true);
            b.setPressed(true, true);
        });
        with([](CaptionButton& b) { b.setEnabled(false); });
        with([](CaptionButton& b) {
            b.enter(true);
            b.fadeTick(true);
            b.fadeTick(true);
        });
    }

    void captionStates(bool active)
    {
        for (std::size_t i = 0; i < m_objects.size(); ++i) {
            if (!m_objects[i].isCaption() || !m_objects[i].look().caption)
                continue;
            const int frames = std::max(m_objects[i].look().caption->frameCount, 0);
            for (int k = 1; k <= frames + 1; ++k)
                for (int step : {0, CrossFade::kSteps}) {
                    std::vector<CaptionButton> objects = m_objects;
                    objects[i].settle(active);
                    objects[i].showCaptionAt(k, step);
                    compose(std::move(objects), active, false, true);
                }
            for (int step = 1; step < CrossFade::kSteps; ++step) {
                std::vector<CaptionButton> objects = m_objects;
                objects[i].settle(active);
                objects[i].showCaptionAt(0, step);
                compose(std::move(objects), active, false, true);
            }
        }
    }

    void hitMap()
    {
        for (int y = 0; y < m_layout.clientRect.top; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const FrameHitResult r = m_layout.hitTest(x, y, m_infos);
                m_out << int(r.hit) << ':' << r.objectIndex << ',';
            }
        print();
    }

    void hints()
    {
        for (const CaptionButton& b : m_objects)
            if (!b.isCaption())
                m_out << b.hintFor(false, false, false) << '|' << b.hintFor(true, true, true) << '\n';
        print();
    }

    // How many 25 ms ticks the caption's animation takes, each way, and the
    // frames it passes; for an animate object, the frames it passes while
    // the pointer rests on it and after it leaves.
    void animationTiming()
    {
        for (CaptionButton b : m_objects) {
            if (b.isAnimate()) {
                b.enter(true);
                framesPassed(b, 60);
                b.leave(true);
                framesPassed(b, 1000);
                continue;
            }
            if (!b.isCaption())
                continue;
            for (bool active : {true, false}) {
                b.settle(!active);
                b.activate(active, true);
                bool stepped = false;
                int ticks = 0;
                while (ticks < 1000 && b.animateTick(true, stepped)) {
                    ++ticks;
                    m_out << b.look().currentFrame << ';';
                }
                m_out << ticks << '\n';
            }
        }
        print();
    }

    void framesPassed(CaptionButton& b, int most)
    {
        bool stepped = false;
        int ticks = 0;
        while (ticks < most && b.animateTick(true, stepped)) {
            ++ticks;
            m_out << b.look().animation.frame << ';';
        }
        m_out << ticks << '\n';
    }

    const SkinData& m_sd;
    std::vector<CaptionButton> m_objects;
    std::vector<FrameObjectInfo> m_infos;
    FrameLayout m_layout;
    std::vector<Rect> m_stripRects;
    static constexpr int kStripHeight = 28;
    Bitmap m_image;
    std::ostringstream m_out;
    std::vector<uint64_t> m_prints;
    static constexpr uint64_t kFnvStart = 1469598103934665603ull;
    static constexpr uint64_t kFnvPrime = 1099511628211ull;
};

std::vector<std::string> keysOf(DataSkinObject& record)
{
    FieldKeys keys;
    record.visitFields(keys);
    return keys.keys();
}

// One record of each frame kind in the sampler.
const char* const kRecords[] = {"caption", "rollupbutton", "pinbutton", "roundbutton", "badge", "spinner"};

TEST(FrameRecordReaders, EveryFieldOfTheFrameRecordsShowsInWhatTheFrameMakes)
{
    // The sampler, with the field another field needs switched on.
    auto prepared = [](const char* name, const std::string& key) {
        auto sd = frametest::sampler();
        for (const auto& [field, value] : needsOf(name, key)) {
            FieldSetter set(field, value);
            sd->objectList()[std::size_t(sd->getIndex(name))]->visitFields(set);
        }
        return sd;
    };
    // What the frame makes of the sampler as given, by the field switched on.
    std::map<std::string, std::vector<uint64_t>> plain;
    auto plainFor = [&](const char* name, const std::string& key) -> const std::vector<uint64_t>& {
        std::string which;
        for (const auto& need : needsOf(name, key))
            which += std::string(name) + "." + need.first + ";";
        auto found = plain.find(which);
        if (found == plain.end())
            found = plain.emplace(which, Observer(*prepared(name, key)).observe()).first;
        return found->second;
    };

    auto base = frametest::sampler();
    std::vector<std::string> unread, drawnAfterAll;
    int checked = 0;
    for (const char* name : kRecords) {
        const int index = base->getIndex(name);
        ASSERT_GE(index, 0) << name;
        for (const std::string& key : keysOf(*base->objectList()[std::size_t(index)])) {
            if (kReadElsewhere.count(key) || kNotForTheKind.count({name, key}))
                continue;
            auto sd = prepared(name, key);
            FieldChanger change(key);
            sd->objectList()[std::size_t(index)]->visitFields(change);
            ASSERT_TRUE(change.changed()) << name << "." << key;
            const bool shows = Observer(*sd).observe() != plainFor(name, key);
            ++checked;
            if (kNotDrawnYet.count(key)) {
                if (shows)
                    drawnAfterAll.push_back(std::string(name) + "." + key);
            } else if (!shows) {
                unread.push_back(std::string(name) + "." + key);
            }
        }
    }
    EXPECT_GT(checked, 60);
    EXPECT_TRUE(unread.empty()) << "fields no part of the frame reads: " << testing::PrintToString(unread);
    EXPECT_TRUE(drawnAfterAll.empty()) << "listed as not drawn yet, but they show: "
                                       << testing::PrintToString(drawnAfterAll);
}

// Every kind of frame record the sampler has makes a frame object.
TEST(FrameRecordReaders, EveryFrameRecordOfTheSamplerMakesAFrameObject)
{
    auto sd = frametest::sampler();
    std::set<std::string> kinds;
    for (const auto& record : sd->objectList()) {
        const std::string type(record->typeName());
        if (type == "menuitem")
            continue; // the popup menus' record
        kinds.insert(type);
        EXPECT_TRUE(CaptionButton::fromRecord(*sd, *record).has_value()) << record->idName << ": " << type;
    }
    EXPECT_EQ(kinds, (std::set<std::string>{"caption", "stdbutton", "button", "userobject", "animate"}));
}

} // namespace frame_record_readers
