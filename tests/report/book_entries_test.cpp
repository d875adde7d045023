// Reading a book's entries for the source excerpt: honest books give their
// bytes, once per check; hostile ones give a sentence, never a crash or a
// run without end.
#include "report/book_entries.h"
#include "zip_builder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

namespace {

using tessaly::report::BookEntries;
using tessaly::testing::writeFile;
using tessaly::testing::ZipEntry;
using tessaly::testing::zipArchive;

class BookEntriesTest : public testing::Test {
protected:
    std::string bookOf(const std::string& bytes, const std::string& name = "book.epub")
    {
        const std::string path = (m_folder / name).string();
        EXPECT_TRUE(writeFile(path, bytes));
        return path;
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::filesystem::path m_folder = [] {
        auto folder = std::filesystem::temp_directory_path()
                      / ("book-entries-" + std::to_string(::getpid()) + "-"
                         + testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        return folder;
    }();
};

const std::string kChapter = "<?xml version=\"1.0\"?>\n<html>\n<body><p>One</p></body>\n</html>\n";

TEST_F(BookEntriesTest, AnEntryIsInflatedOnceAndKeptForTheCheck)
{
    BookEntries book(bookOf(zipArchive({{"mimetype", "application/epub+zip", false},
                                        {"OEBPS/c1.xhtml", kChapter},
                                        {"OEBPS/caf\xC3\xA9 menu.xhtml", "caf\xC3\xA9"}})));
    for (int i = 0; i < 3; ++i) {
        const BookEntries::Entry entry = book.read("OEBPS/c1.xhtml");
        ASSERT_TRUE(entry.bytes) << entry.problem;
        EXPECT_EQ(*entry.bytes, kChapter);
    }
    EXPECT_EQ(book.inflations(), 1u);
    EXPECT_EQ(*book.read("OEBPS/caf\xC3\xA9 menu.xhtml").bytes, "caf\xC3\xA9") << "names with spaces and non-ASCII";
    EXPECT_EQ(book.inflations(), 2u);
    EXPECT_FALSE(book.changedOnDisk());
}

TEST_F(BookEntriesTest, ABookChangedOnDiskSinceTheCheckIsToldApart)
{
    const std::string path = bookOf(zipArchive({{"a.xhtml", kChapter}}));
    BookEntries book(path);
    EXPECT_FALSE(book.changedOnDisk());
    writeFile(path, zipArchive({{"a.xhtml", kChapter + "<!-- more -->\n"}}));
    EXPECT_TRUE(book.changedOnDisk());
    std::filesystem::remove(path);
    EXPECT_TRUE(book.changedOnDisk()) << "gone is changed too";
}

// Each hostile book, the entry asked for, and words the answer must hold.
struct HostileBook {
    const char* what;
    std::function<std::string()> bytes;
    std::string entry;
    const char* says; // empty: the bytes come, with `notice` above them
    const char* notice = "";
};

std::string manyEntries()
{
    std::vector<ZipEntry> entries;
    for (int i = 0; i < 10000; ++i)
        entries.push_back({"OEBPS/e" + std::to_string(i) + ".xhtml", "entry " + std::to_string(i), false});
    return zipArchive(entries);
}

const HostileBook kHostileBooks[] = {
    {"a zip bomb that says how big it is",
     [] { return zipArchive({{"OEBPS/bomb.xhtml", std::string(100u << 20, '\0')}}); }, "OEBPS/bomb.xhtml",
     "would inflate to 100 MiB, more than the 64 MiB"},
    {"a zip bomb that lies about its size",
     [] { return zipArchive({{"OEBPS/bomb.xhtml", std::string(100u << 20, '\0'), true, false, 1000}}); },
     "OEBPS/bomb.xhtml", "inflates to more than the 64 MiB"},
    {"a single line of 100 MB", [] { return zipArchive({{"OEBPS/line.xhtml", std::string(100u << 20, 'a')}}); },
     "OEBPS/line.xhtml", "more than the 64 MiB"},
    {"10,000 entries", manyEntries, "OEBPS/e9999.xhtml", ""},
    {"an encrypted entry", [] { return zipArchive({{"OEBPS/c1.xhtml", "\x01\x02\x03 secret", false, true}}); },
     "OEBPS/c1.xhtml", "is encrypted"},
    {"a truncated archive",
     [] {
         const std::string whole = zipArchive({{"OEBPS/c1.xhtml", kChapter}, {"OEBPS/c2.xhtml", kChapter}});
         return whole.substr(0, whole.size() / 2);
     },
     "OEBPS/c1.xhtml", "cannot be read as a zip archive"},
    {"no archive at all", [] { return std::string("plain text, not a zip"); }, "OEBPS/c1.xhtml",
     "cannot be read as a zip archive"},
    {"an empty file", [] { return std::string(); }, "OEBPS/c1.xhtml", "cannot be read as a zip archive"},
    {"a name climbing out", [] { return zipArchive({{"../../etc/passwd", "root"}}); }, "../../etc/passwd",
     "outside the book"},
    {"an absolute name", [] { return zipArchive({{"/etc/passwd", "root"}}); }, "/etc/passwd", "outside the book"},
    {"one name twice", [] { return zipArchive({{"OEBPS/c1.xhtml", "first"}, {"OEBPS/c1.xhtml", "second"}}); },
     "OEBPS/c1.xhtml", "", "holds 2 files named"},
    {"a damaged entry",
     [] {
         std::string book = zipArchive({{"OEBPS/c1.xhtml", std::string(4000, 'x') + kChapter}});
         for (std::size_t i = 50; i < 60; ++i) // inside the deflated data, after the 44 bytes of header and name
             book[i] = char(0xFF);
         return book;
     },
     "OEBPS/c1.xhtml", "damaged"},
    {"an entry the book lacks", [] { return zipArchive({{"OEBPS/c1.xhtml", kChapter}}); }, "OEBPS/c9.xhtml",
     "holds no file"},
};

TEST_F(BookEntriesTest, HostileBooksGiveASentenceInsteadOfBytes)
{
    for (const HostileBook& hostile : kHostileBooks) {
        SCOPED_TRACE(hostile.what);
        BookEntries book(bookOf(hostile.bytes()));
        const BookEntries::Entry entry = book.read(hostile.entry);
        if (*hostile.says) {
            EXPECT_FALSE(entry.bytes) << "bytes of " << (entry.bytes ? entry.bytes->size() : 0);
            EXPECT_NE(entry.problem.find(hostile.says), std::string::npos) << entry.problem;
        } else {
            ASSERT_NE(entry.bytes, nullptr) << entry.problem;
            EXPECT_NE(entry.notice.find(hostile.notice), std::string::npos) << entry.notice;
        }
        // Asked again, the same answer.
        EXPECT_EQ(book.read(hostile.entry).problem, entry.problem);
        std::printf("  %-36s %s\n", hostile.what, entry.bytes ? ("shown; " + entry.notice).c_str() : entry.problem.c_str());
    }
}

TEST_F(BookEntriesTest, ABookThatIsNotThereSaysSo)
{
    BookEntries book((m_folder / "gone.epub").string());
    EXPECT_NE(book.read("OEBPS/c1.xhtml").problem.find("cannot be read as a zip archive"), std::string::npos);
}

} // namespace
