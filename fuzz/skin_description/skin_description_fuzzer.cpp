// Fuzz target over the skin description: the text parser, the value
// encodings and the registry that builds its records from a description.
// Besides not crashing, it checks that the parser's written form parses
// back to itself, and that a loaded description, written out and loaded
// again, writes the same text.
#include "platform/error.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_description.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "common/require.h"

using tessaly::fuzz::require;

using namespace tessaly::skin;

namespace {

// The registry's whole description after loading text, or nothing when
// the text does not load.
std::optional<std::string> loadAndWrite(const std::string& text)
{
    SkinPackage package;
    package.description = text;
    CompressedStoredSkin stored;
    stored.storePackage(package);
    SkinData data;
    try {
        data.loadCompressedStoredSkin(stored);
    } catch (const tessaly::Error&) {
        // A failed load leaves the registry cleared.
        require(data.empty() && !data.changeSkinDataProcess() && data.ctrlList().empty());
        return std::nullopt;
    }
    SkinDescription written;
    data.writeDescription(written);
    return written.toText();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    const std::string parsed = SkinDescription::fromText(text).toText();
    require(SkinDescription::fromText(parsed).toText() == parsed);

    if (const auto first = loadAndWrite(text)) {
        const auto second = loadAndWrite(*first);
        require(second.has_value());
        require(loadAndWrite(*second) == second);
    }
    return 0;
}
