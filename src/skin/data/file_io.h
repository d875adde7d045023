#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace tessaly::skin {

// "Cannot open file \"<path>\". <system text>" for an errno value.
std::string fileOpenErrorMessage(const std::filesystem::path& path, int errorCode);
// "Cannot create file \"<path>\". <system text>" for an errno value.
std::string fileCreateErrorMessage(const std::filesystem::path& path, int errorCode);

// Reads a whole file. Throws Error(fileOpenErrorMessage) when it cannot be
// opened and Error("Stream read error") when reading fails.
std::vector<std::uint8_t> readWholeFile(const std::filesystem::path& path);
// Creates (or truncates) a file and writes the bytes. Throws
// Error(fileCreateErrorMessage) when it cannot be created and
// Error("Stream write error") when writing fails.
void writeWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// The file-name part of a path, after the last "/" or "\\".
std::string fileNamePart(const std::string& path);

// The file named by a skin description inside folder: folder / name, with
// backslashes in name taken as folder separators; when no such file exists,
// a file of the same name in other letter case is taken if there is exactly
// one. Returns folder / name when nothing matches.
std::filesystem::path resolveSkinFile(const std::filesystem::path& folder, const std::string& name);

} // namespace tessaly::skin
