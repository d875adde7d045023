#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>

typedef struct zip zip_t;

namespace tessaly::report {

// The entries of one checked book, read on demand for the source excerpt of
// a message. The archive is opened at the first read and kept open; each
// entry read is kept, so going back and forth between the messages of one
// check inflates each file once.
//
// A book is outside data: whatever it holds, a read gives the entry's bytes
// or a sentence saying why not (no archive, a truncated one, no such entry,
// an encrypted one, one that would inflate beyond the cap, a name that
// points outside the book), and never runs unbounded.
class BookEntries {
public:
    // What one entry may inflate to, at most.
    static constexpr std::uint64_t MaximumEntrySize = 64ull * 1024 * 1024;
    // What all kept entries together may hold before the oldest go.
    static constexpr std::uint64_t MaximumKeptSize = 128ull * 1024 * 1024;

    struct Entry {
        std::shared_ptr<const std::string> bytes; // the entry's bytes, or null
        std::string problem;                      // why there are none
        std::string notice;                       // said above the bytes (duplicate names)
    };

    // Remembers the book's size and time of change on disk now, as the
    // check saw it.
    explicit BookEntries(std::string bookPath);
    ~BookEntries();
    BookEntries(const BookEntries&) = delete;
    BookEntries& operator=(const BookEntries&) = delete;

    const std::string& bookPath() const { return m_bookPath; }
    // The entry named `name` (a path inside the book as the checker wrote it).
    Entry read(const std::string& name);
    // Whether the book on disk differs from the one the check read (its
    // size or time of change), or has gone.
    bool changedOnDisk() const;
    // How many times an entry was inflated (reads served from memory do not
    // count).
    std::size_t inflations() const { return m_inflations; }

private:
    struct FileStamp {
        std::int64_t size = -1;
        std::int64_t modifiedNanoseconds = 0;
        bool operator==(const FileStamp&) const = default;
    };
    static std::optional<FileStamp> stampOf(const std::string& path);

    bool open();
    Entry inflate(const std::string& name);
    void keep(const std::string& name, const Entry& entry);

    std::string m_bookPath;
    std::optional<FileStamp> m_stamp;
    zip_t* m_archive = nullptr;
    std::string m_openProblem;
    bool m_opened = false;
    // How many entries carry each name (a zip may hold one name twice).
    std::map<std::string, int> m_nameCounts;
    std::map<std::string, Entry> m_kept;
    std::uint64_t m_keptSize = 0;
    std::size_t m_inflations = 0;
};

} // namespace tessaly::report
