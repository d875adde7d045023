// Loading a stored skin into the registry (inflating, decoding every bitmap,
// parsing the description and building every record) against unpacking the
// same stored skin alone (inflating and decoding the bitmaps), interleaved
// iteration by iteration on the thread's processor time; prints load time /
// unpack time.
#include "common/ratio_reporter.h"
#include "common/thread_clock.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_package.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>

using namespace tessaly::skin;

namespace {

using tessaly::bench::threadCpuSeconds;
using tessaly::bench::timed;

// Shaded art with bevels and a little grain, which deflates about as well
// as skin bitmaps do.
DibBitmap makeBitmap(int width, int height, int bitsPerPixel, unsigned seed)
{
    Picture picture(width, height);
    unsigned state = seed * 2654435761u + 1;
    const int levels = bitsPerPixel == 8 ? 6 : bitsPerPixel == 4 ? 2 : 256;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            state = state * 1103515245u + 12345u;
            const bool edge = x < 2 || y < 2 || x >= width - 2 || y >= height - 2;
            const int base = edge ? 60 : 150 + (y * 60) / height - (x * 20) / std::max(1, width);
            std::uint32_t pixel = 0xFF000000u;
            for (int shift : {16, 8, 0}) {
                int v = std::clamp(base + shift / 2 + int((state >> 16) & 3), 0, 255);
                v = v * (levels - 1) / 255 * 255 / (levels - 1);
                pixel |= std::uint32_t(v) << shift;
            }
            picture.setPixel(x, y, pixel);
        }
    }
    DibFormat format;
    format.bitsPerPixel = bitsPerPixel;
    return DibBitmap(std::move(picture), format);
}

// Sets every field of a record to a value of the usual length.
class FillFields final : public FieldVisitor {
public:
    void visit(const Field& field) override
    {
        ++m_k;
        std::visit(
            [this, &field](auto* value) {
                using T = std::remove_pointer_t<decltype(value)>;
                if constexpr (std::is_same_v<T, std::string>)
                    *value = std::string(field.key).find("font") != std::string::npos ? "Tahoma" : "item";
                else if constexpr (std::is_same_v<T, int> || std::is_same_v<T, Color>)
                    *value = T(m_k * 37 % 300);
                else if constexpr (std::is_same_v<T, bool>)
                    *value = m_k % 3 == 0;
                else if constexpr (std::is_same_v<T, Point>)
                    *value = {m_k % 40 + 1, m_k % 30 + 1};
                else if constexpr (std::is_same_v<T, Rect>)
                    *value = {m_k * 7 % 400, m_k * 5 % 500, m_k * 7 % 400 + 60, m_k * 5 % 500 + 24};
            },
            field.ref);
    }

private:
    int m_k = 0;
};

// A description the size of a full skin: the general sections, 13 object
// records and 59 control records of the kinds a skin has, every key set.
std::string makeDescription()
{
    SkinDescription d;
    d.writeInteger("VERSION", "ver", 1);
    d.writeString("VERSION", "skinname", "Bench");
    d.writeString("PICTURES", "picture", "main.bmp");
    d.writeString("PICTURES", "mask", "mask.bmp");
    std::vector<std::string> names;
    for (int i = 0; i < 13; ++i)
        names.push_back("picture" + std::to_string(i) + ".bmp");
    d.writeStringList("PICTURES", "activepictures", names);
    for (const char* key : {"lefttoppoint=9,25", "righttoppoint=282,25", "leftbottompoint=8,156",
                            "rightbottompoint=284,155", "clientrect=2,25,290,162", "buttonsrect=200,4,286,22",
                            "captionrect=30,4,190,22", "borderwidth=4", "inactiveeffect=iebrightness"}) {
        const std::string kv = key;
        d.writeString("FORMINFO", kv.substr(0, kv.find('=')), kv.substr(kv.find('=') + 1));
    }
    DataSkinPopupWindow().saveToFile(d);
    DataSkinHintWindow().saveToFile(d);
    SkinColors().saveToFile(d);

    const char* objects[] = {"stdbutton", "stdbutton", "stdbutton", "stdbutton", "stdbutton",
                             "stdbutton", "caption",   "menuitem",  "mainmenubaritem", "mainmenubarbutton",
                             "mainmenubarbutton", "mainmenubarbutton", "mainmenubarbutton"};
    d.writeInteger("SKINOBJECTS", "count", int(std::size(objects)));
    for (std::size_t i = 0; i < std::size(objects); ++i) {
        auto record = createObjectRecord(objects[i], "object" + std::to_string(i));
        FillFields fill;
        record->visitFields(fill);
        d.writeString("SKINOBJECTS", std::to_string(i), record->idName + ":" + objects[i]);
        record->saveToFile(d);
    }
    const char* controls[] = {"button", "menubutton", "edit", "memo", "panel", "label", "stdlabel", "updown",
                              "listbox", "checklistbox", "combobox", "scrollbar", "spinedit", "tab", "grid",
                              "gauge", "trackbar", "checkradio", "expanel", "splitter", "scrollbox",
                              "treeview", "listview", "richedit", "slider", "bevel", "mainmenubar",
                              "controlbar", "appmenu"};
    const int controlCount = 59;
    d.writeInteger("SKINCONTROLS", "count", controlCount);
    for (int i = 0; i < controlCount; ++i) {
        const char* type = controls[std::size_t(i) % std::size(controls)];
        auto record = createControlRecord(type, "control" + std::to_string(i));
        FillFields fill;
        record->visitFields(fill);
        d.writeString("SKINCONTROLS", std::to_string(i), record->idName + ":" + type);
        record->saveToFile(d);
    }
    return d.toText();
}

// About the size of a full stored skin: a 1.2 MB package of 15 bitmaps of
// mixed depths and a description of about 50 KB.
const CompressedStoredSkin& storedSkin()
{
    static const CompressedStoredSkin skin = [] {
        SkinPackage package;
        package.picture = makeBitmap(292, 165, 24, 1);
        package.mask = makeBitmap(292, 165, 4, 2);
        const struct {
            int w, h, bpp;
        } active[] = {{77, 172, 24}, {27, 17, 24}, {46, 42, 8},  {38, 118, 24}, {535, 583, 24},
                      {69, 23, 8},   {97, 49, 24}, {97, 49, 24}, {64, 63, 24},  {64, 63, 24},
                      {34, 39, 24},  {34, 39, 24}, {120, 80, 24}};
        unsigned seed = 3;
        for (const auto& a : active)
            package.activePictures.push_back(makeBitmap(a.w, a.h, a.bpp, seed++));
        package.description = makeDescription();
        CompressedStoredSkin stored;
        stored.storePackage(package);
        return stored;
    }();
    return skin;
}

// Both sides in every iteration, one after the other, so that whatever
// disturbs the machine meanwhile falls on both alike.
void LoadAgainstUnpack(benchmark::State& state)
{
    const CompressedStoredSkin& skin = storedSkin();
    SkinData data;
    double unpack = 0, load = 0;
    for (auto _ : state) {
        unpack += timed([&] {
            SkinPackage package;
            skin.readPackage(package);
            benchmark::DoNotOptimize(package.activePictures.back().picture().pixels().data());
        });
        load += timed([&] {
            data.loadCompressedStoredSkin(skin);
            benchmark::DoNotOptimize(data.ctrlList().back().get());
        });
    }
    state.counters["records"] = double(data.objectList().size() + data.ctrlList().size());
    state.counters["ratio"] = load / unpack;
}

BENCHMARK(LoadAgainstUnpack)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    SkinPackage package;
    storedSkin().readPackage(package);
    std::printf("stored skin: %zu bytes of stream, %zu bytes of description text\n",
                storedSkin().compressedStream().size(), package.description.size());
    tessaly::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (const double ratio = reporter.ratio("LoadAgainstUnpack"); ratio >= 0)
        std::printf("ratio registry load / unpack alone: %.3f (goal: at most 1.3)\n", ratio);
    return 0;
}
