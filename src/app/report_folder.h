#pragma once

#include <map>
#include <string>
#include <vector>

namespace tessaly::app {

// The folder that keeps one report file per book: "NAME.txt" after the
// book's file name without ".epub", with " (2)", " (3)" ... added where
// books of the same name come from different folders. The names are given
// out for the whole list at once, in list order, so they do not depend on
// the order in which the checks end. Each file is written atomically: it
// appears whole under its name or not at all.
class ReportFolder {
public:
    // Creates the folder if need be. Throws an Error when it cannot.
    ReportFolder(std::string folder, const std::vector<std::string>& books);

    // The file's path for one of the books.
    std::string fileFor(const std::string& book) const;
    // Writes the book's report. Throws an Error when it cannot.
    void write(const std::string& book, const std::string& report) const;

private:
    std::string m_folder;
    std::map<std::string, std::string> m_files;
};

} // namespace tessaly::app
