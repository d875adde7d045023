#pragma once

#include <filesystem>

namespace tessaly::skin {

// The description of the small test skin beside these tests.
inline const std::filesystem::path kTestSkin = std::filesystem::path(TEST_SKIN_DIR) / "skin.ini";

} // namespace tessaly::skin
