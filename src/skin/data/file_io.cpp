#include "skin/data/file_io.h"

#include "platform/error.h"
#include "skin/data/byte_stream.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace tessaly::skin {

namespace {

std::string systemText(int errorCode)
{
    char buffer[256];
    return strerror_r(errorCode, buffer, sizeof buffer);
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::string lowerAscii(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return text;
}

} // namespace

std::string fileOpenErrorMessage(const std::filesystem::path& path, int errorCode)
{
    return "Cannot open file \"" + path.string() + "\". " + systemText(errorCode);
}

std::string fileCreateErrorMessage(const std::filesystem::path& path, int errorCode)
{
    return "Cannot create file \"" + path.string() + "\". " + systemText(errorCode);
}

std::vector<std::uint8_t> readWholeFile(const std::filesystem::path& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw Error(fileOpenErrorMessage(path, EISDIR));
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw Error(fileOpenErrorMessage(path, errno));
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        bytes.insert(bytes.end(), buffer, buffer + got);
        if (got < sizeof buffer) {
            if (std::ferror(file.get()))
                throw Error(kStreamReadErrorMessage);
            break;
        }
    }
    return bytes;
}

void writeWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    FilePtr file(std::fopen(path.c_str(), "wb"));
    if (!file)
        throw Error(fileCreateErrorMessage(path, errno));
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        throw Error("Stream write error");
    if (std::fclose(file.release()) != 0)
        throw Error("Stream write error");
}

std::string fileNamePart(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::filesystem::path resolveSkinFile(const std::filesystem::path& folder, const std::string& name)
{
    std::string relative = name;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    const std::filesystem::path wanted = folder / relative;
    std::error_code ec;
    if (name.empty() || std::filesystem::exists(wanted, ec))
        return wanted;
    const std::filesystem::path dir = wanted.parent_path();
    const std::string lowered = lowerAscii(wanted.filename().string());
    std::filesystem::path found;
    int matches = 0;
    for (std::filesystem::directory_iterator it(dir.empty() ? "." : dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (lowerAscii(it->path().filename().string()) == lowered) {
            found = it->path();
            ++matches;
        }
    }
    return matches == 1 ? found : wanted;
}

} // namespace tessaly::skin
