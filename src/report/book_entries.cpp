#include "report/book_entries.h"

#include <zip.h>

#include <sys/stat.h>

namespace tessaly::report {

namespace {

// A name that could only point outside the book: absolute, or climbing out
// with "..". The checker reports paths inside the book; a book that names an
// entry so is hostile or broken, and its bytes are not shown as that file.
bool pointsOutside(const std::string& name)
{
    if (name.empty() || name.front() == '/' || name.find('\\') != std::string::npos)
        return true;
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = std::min(name.find('/', start), name.size());
        if (name.compare(start, end - start, "..") == 0)
            return true;
        start = end + 1;
    }
    return false;
}

std::string sizeText(std::uint64_t bytes)
{
    return std::to_string(bytes / (1024 * 1024)) + " MiB";
}

BookEntries::Entry problem(std::string text)
{
    return {nullptr, std::move(text), {}};
}

} // namespace

BookEntries::BookEntries(std::string bookPath)
    : m_bookPath(std::move(bookPath))
    , m_stamp(stampOf(m_bookPath))
{
}

BookEntries::~BookEntries()
{
    if (m_archive)
        zip_discard(m_archive);
}

std::optional<BookEntries::FileStamp> BookEntries::stampOf(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FileStamp{std::int64_t(st.st_size), std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

bool BookEntries::changedOnDisk() const
{
    return stampOf(m_bookPath) != m_stamp;
}

bool BookEntries::open()
{
    if (m_opened)
        return m_archive != nullptr;
    m_opened = true;
    int error = 0;
    m_archive = zip_open(m_bookPath.c_str(), ZIP_RDONLY, &error);
    if (!m_archive) {
        zip_error_t detail;
        zip_error_init_with_code(&detail, error);
        m_openProblem = "The book cannot be read as a zip archive: " + std::string(zip_error_strerror(&detail)) + ".";
        zip_error_fini(&detail);
        return false;
    }
    // One pass over the central directory: names read as they are stored.
    const zip_int64_t count = zip_get_num_entries(m_archive, 0);
    for (zip_int64_t i = 0; i < count; ++i)
        if (const char* name = zip_get_name(m_archive, zip_uint64_t(i), ZIP_FL_ENC_RAW))
            ++m_nameCounts[name];
    return true;
}

BookEntries::Entry BookEntries::read(const std::string& name)
{
    if (const auto kept = m_kept.find(name); kept != m_kept.end())
        return kept->second;
    if (pointsOutside(name))
        return problem("\"" + name + "\" names a place outside the book; it is not shown.");
    if (!open())
        return problem(m_openProblem);
    Entry entry = inflate(name);
    if (entry.bytes)
        keep(name, entry);
    return entry;
}

BookEntries::Entry BookEntries::inflate(const std::string& name)
{
    const auto counted = m_nameCounts.find(name);
    if (counted == m_nameCounts.end())
        return problem("The book holds no file \"" + name + "\".");
    const zip_int64_t index = zip_name_locate(m_archive, name.c_str(), ZIP_FL_ENC_RAW);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (index < 0 || zip_stat_index(m_archive, zip_uint64_t(index), ZIP_FL_ENC_RAW, &stat) != 0)
        return problem("The book's entry \"" + name + "\" cannot be read: " + zip_strerror(m_archive) + ".");
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        return problem("\"" + name + "\" is encrypted in the book; it cannot be shown.");
    // The size the entry claims is only a claim: the inflating below stops
    // at the cap whatever it says.
    if ((stat.valid & ZIP_STAT_SIZE) && stat.size > MaximumEntrySize)
        return problem("\"" + name + "\" would inflate to " + sizeText(stat.size) + ", more than the "
                       + sizeText(MaximumEntrySize) + " shown of one file.");
    zip_file_t* file = zip_fopen_index(m_archive, zip_uint64_t(index), 0);
    if (!file)
        return problem("The book's entry \"" + name + "\" cannot be opened: " + zip_strerror(m_archive) + ".");
    ++m_inflations;
    auto bytes = std::make_shared<std::string>();
    if (stat.valid & ZIP_STAT_SIZE)
        bytes->reserve(std::size_t(stat.size));
    char buffer[64 * 1024];
    std::string failure;
    for (;;) {
        const zip_int64_t got = zip_fread(file, buffer, sizeof buffer);
        if (got < 0) {
            failure = "The book's entry \"" + name + "\" is damaged: " + zip_file_strerror(file) + ".";
            break;
        }
        if (got == 0)
            break;
        if (bytes->size() + std::uint64_t(got) > MaximumEntrySize) {
            failure = "\"" + name + "\" inflates to more than the " + sizeText(MaximumEntrySize)
                      + " shown of one file.";
            break;
        }
        bytes->append(buffer, std::size_t(got));
    }
    zip_fclose(file);
    if (!failure.empty())
        return problem(failure);
    Entry entry{std::move(bytes), {}, {}};
    if (counted->second > 1)
        entry.notice = "The book holds " + std::to_string(counted->second) + " files named \"" + name
                       + "\"; this is the first.";
    return entry;
}

void BookEntries::keep(const std::string& name, const Entry& entry)
{
    // Simple and bounded: past the limit, everything kept so far goes.
    if (m_keptSize + entry.bytes->size() > MaximumKeptSize) {
        m_kept.clear();
        m_keptSize = 0;
    }
    m_kept.emplace(name, entry);
    m_keptSize += entry.bytes->size();
}

} // namespace tessaly::report
