#include "app/book_list.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

namespace tessaly::app {

namespace {

bool isEpubName(const std::filesystem::path& file)
{
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
        [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return extension == ".epub";
}

std::vector<std::string> booksInFolder(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::vector<std::string> books;
    std::error_code error;
    // A subfolder that cannot be read is passed over, not the whole search.
    for (fs::recursive_directory_iterator entry(folder, fs::directory_options::skip_permission_denied, error), end;
         !error && entry != end; entry.increment(error)) {
        std::error_code typeError;
        if (entry->is_regular_file(typeError) && isEpubName(entry->path()))
            books.push_back(entry->path().string());
    }
    std::sort(books.begin(), books.end());
    return books;
}

} // namespace

std::vector<std::string> collectBooks(const std::vector<std::string>& paths)
{
    std::vector<std::string> books;
    std::set<std::string> seen;
    const auto add = [&](const std::string& book) {
        if (seen.insert(book).second)
            books.push_back(book);
    };
    for (const std::string& path : paths) {
        std::error_code error;
        if (std::filesystem::is_directory(path, error)) {
            for (const std::string& book : booksInFolder(path))
                add(book);
        } else {
            add(path);
        }
    }
    return books;
}

} // namespace tessaly::app
