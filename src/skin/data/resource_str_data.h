#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaly::skin {

// The texts of skinned menus, buttons and dialogs, as "KEY=text" lines. A
// registry may point at one; without it each consumer uses a built-in text.
class ResourceStrData {
public:
    // Preloaded with every key and its English text.
    ResourceStrData();

    // The text after the first "=" of the first line whose key equals
    // resName without regard to letter case; empty when there is none.
    std::string getResStr(std::string_view resName) const;

    std::vector<std::string> resStrings;
    // A font character set number.
    int charSet = 1;
};

} // namespace tessaly::skin
