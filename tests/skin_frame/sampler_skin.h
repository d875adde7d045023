#pragma once

// The sampler skin, which shows every frame feature (its users link
// tessaly_skin_sampler).

#include "frame_test_support.h"
#include "skin/embedded_sampler.h"

namespace frametest {

inline std::unique_ptr<tessaly::skin::SkinData> sampler() { return loaded(tessaly::skin::embedded_sampler()); }

} // namespace frametest
