#pragma once

// A skin with a layered border, for the frame's tests (offscreen and on a
// real X server): the built-in skin written to a temporary folder, plus a
// small layer picture, its 8-bit mask, an inactive picture and a LAYERFRAME
// section, loaded back from the files.
//
// The 40 × 40 layer picture puts the window at (12, 12, 28, 28): a soft
// shadow 12 pixels wide all round, whose inner 6 pixels size the window
// (border rectangle 6 … 34), with 8 × 8 corner areas. The top band is 12
// rows high, the bottom band 12; the side pieces are the 16 rows between.
// Colours change with the position (red with x, green with y), so a piece
// put in the wrong place shows.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

#include "frame_test_support.h"
#include "skin/data/bmp_codec.h"
#include "skin/data/skin_description.h"
#include "skin/data/window_records.h"

namespace frametest {

inline constexpr int kLayerSize = 40;
inline constexpr tessaly::skin::Rect kLayerClient{12, 12, 28, 28};

// The mask: opaque over the window, fading out over the 12 pixels around.
inline uint8_t layerMaskGrey(int x, int y)
{
    const tessaly::skin::Rect& c = kLayerClient;
    const int d = std::max({c.left - x, x - (c.right - 1), c.top - y, y - (c.bottom - 1), 0});
    return d == 0 ? 255 : uint8_t(std::max(0, 230 - 19 * d));
}

inline tessaly::skin::DibBitmap layerPicture(bool active)
{
    tessaly::skin::Picture p(kLayerSize, kLayerSize);
    for (int y = 0; y < kLayerSize; ++y)
        for (int x = 0; x < kLayerSize; ++x)
            p.scanLine(y)[x] = 0xFF000000u | uint32_t(20 + x) << 16 | uint32_t(30 + y) << 8 | (active ? 120u : 60u);
    return tessaly::skin::DibBitmap(std::move(p));
}

inline tessaly::skin::DibBitmap layerMask()
{
    tessaly::skin::Picture p(kLayerSize, kLayerSize);
    for (int y = 0; y < kLayerSize; ++y)
        for (int x = 0; x < kLayerSize; ++x) {
            const uint32_t g = layerMaskGrey(x, y);
            p.scanLine(y)[x] = 0xFF000000u | g << 16 | g << 8 | g;
        }
    tessaly::skin::DibFormat grey;
    grey.bitsPerPixel = 8;
    for (uint32_t i = 0; i < 256; ++i)
        grey.palette.push_back(i << 16 | i << 8 | i);
    return tessaly::skin::DibBitmap(std::move(p), grey);
}

// The fixture's layer frame record; `pictureIndex` is the layer picture's
// place in the list (mask and inactive picture follow it).
inline tessaly::skin::DataSkinLayerFrame layerRecord(int pictureIndex)
{
    tessaly::skin::DataSkinLayerFrame r;
    r.pictureIndex = pictureIndex;
    r.maskPictureIndex = pictureIndex + 1;
    r.inActivePictureIndex = pictureIndex + 2;
    r.inActiveMaskPictureIndex = pictureIndex + 1;
    r.ltPoint = {16, 12};
    r.rtPoint = {24, 12};
    r.lbPoint = {16, 28};
    r.rbPoint = {24, 28};
    r.clRect = kLayerClient;
    r.alphaBlendValue = 255;
    r.inActiveAlphaBlendValue = 128;
    r.borderRect = {6, 6, 34, 34};
    r.hitTestEnable = true;
    r.hitTestSize = 4;
    r.hitTestLTPoint = {14, 14};
    r.hitTestRTPoint = {26, 14};
    r.hitTestLBPoint = {14, 26};
    r.hitTestRBPoint = {26, 26};
    return r;
}

// A temporary folder with the layered skin; removed with the object.
class LayerSkinFolder {
public:
    // `edit` may change the layer frame record before it is written.
    explicit LayerSkinFolder(const std::function<void(tessaly::skin::DataSkinLayerFrame&)>& edit = {})
    {
        namespace fs = std::filesystem;
        static int count = 0;
        m_folder = fs::temp_directory_path()
            / ("tessaly-layer-skin-" + std::to_string(::getpid()) + "-" + std::to_string(count++));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
        m_ini = m_folder / "skin.ini";
        pewter()->storeToDisk(m_ini);

        std::stringstream text;
        text << std::ifstream(m_ini, std::ios::binary).rdbuf();
        auto description = tessaly::skin::SkinDescription::fromText(text.str());
        std::vector<std::string> pictures = description.readStringList("PICTURES", "activepictures");
        const int index = int(pictures.size());
        for (const char* name : {"layer.bmp", "layer_mask.bmp", "layer_inactive.bmp"})
            pictures.push_back(name);
        description.writeStringList("PICTURES", "activepictures", pictures);
        tessaly::skin::DataSkinLayerFrame record = layerRecord(index);
        if (edit)
            edit(record);
        record.saveToFile(description);
        std::ofstream(m_ini, std::ios::binary | std::ios::trunc) << description.toText();

        tessaly::skin::saveBitmapFile(m_folder / "layer.bmp", layerPicture(true));
        tessaly::skin::saveBitmapFile(m_folder / "layer_mask.bmp", layerMask());
        tessaly::skin::saveBitmapFile(m_folder / "layer_inactive.bmp", layerPicture(false));
    }
    ~LayerSkinFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    LayerSkinFolder(const LayerSkinFolder&) = delete;
    LayerSkinFolder& operator=(const LayerSkinFolder&) = delete;

    const std::filesystem::path& ini() const { return m_ini; }
    // Loads the skin into a registry.
    void loadInto(tessaly::skin::SkinData& sd) const { sd.loadFromFile(m_ini); }
    std::unique_ptr<tessaly::skin::SkinData> load() const
    {
        auto sd = std::make_unique<tessaly::skin::SkinData>();
        loadInto(*sd);
        return sd;
    }

private:
    std::filesystem::path m_folder;
    std::filesystem::path m_ini;
};

} // namespace frametest
