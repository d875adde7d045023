#pragma once

#include <memory>

#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/embedded_pewter.h"

namespace frametest {

// A registry with the built-in skin loaded.
inline std::unique_ptr<tessaly::skin::SkinData> pewter()
{
    auto sd = std::make_unique<tessaly::skin::SkinData>();
    tessaly::skin::CompressedStoredSkin stored;
    stored.loadFromCompressBytes(tessaly::skin::embedded_pewter());
    sd->loadCompressedStoredSkin(stored);
    return sd;
}

} // namespace frametest
