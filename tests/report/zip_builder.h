#pragma once

// Zip archives made byte by byte for tests: what a book may hold, honest
// or not (encrypted flags, sizes that lie, one name twice, a cut end).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessaly::testing {

struct ZipEntry {
    std::string name;
    std::string bytes;
    bool deflate = true;
    bool encryptedFlag = false;               // sets the "encrypted" bit, bytes as they are
    std::optional<std::uint32_t> claimedSize = {}; // the size written in the headers, if not the real one
};

// The archive's bytes: local headers and data, then the central directory.
std::string zipArchive(const std::vector<ZipEntry>& entries);

// Writes bytes to a file; false when it cannot.
bool writeFile(const std::string& path, const std::string& bytes);

} // namespace tessaly::testing
