#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/embedded_pewter.h"

namespace frametest {

// A registry with a built-in skin loaded.
inline std::unique_ptr<tessaly::skin::SkinData> loaded(std::span<const std::uint8_t> bytes)
{
    auto sd = std::make_unique<tessaly::skin::SkinData>();
    tessaly::skin::CompressedStoredSkin stored;
    stored.loadFromCompressBytes(bytes);
    sd->loadCompressedStoredSkin(stored);
    return sd;
}

// The program's skin.
inline std::unique_ptr<tessaly::skin::SkinData> pewter() { return loaded(tessaly::skin::embedded_pewter()); }

} // namespace frametest
