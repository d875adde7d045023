#include "app/report_folder.h"

#include "platform/error.h"

#include <QDir>
#include <QSaveFile>
#include <QString>
#include <filesystem>
#include <set>

namespace tessaly::app {

namespace {

std::string baseName(const std::string& book)
{
    std::string name = std::filesystem::path(book).filename().string();
    if (name.size() > 5) {
        std::string extension = name.substr(name.size() - 5);
        for (char& c : extension)
            c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        if (extension == ".epub")
            name.resize(name.size() - 5);
    }
    // A book named "." or ".." or "" (a folder's path given as a book).
    if (name.empty() || name == "." || name == "..")
        name = "book";
    return name;
}

} // namespace

ReportFolder::ReportFolder(std::string folder, const std::vector<std::string>& books)
    : m_folder(std::move(folder))
{
    if (!QDir().mkpath(QString::fromStdString(m_folder)))
        throw Error("Cannot create the folder " + m_folder);
    std::set<std::string> taken;
    for (const std::string& book : books) {
        const std::string base = baseName(book);
        std::string name = base + ".txt";
        for (int number = 2; !taken.insert(name).second; ++number)
            name = base + " (" + std::to_string(number) + ").txt";
        m_files[book] = (std::filesystem::path(m_folder) / name).string();
    }
}

std::string ReportFolder::fileFor(const std::string& book) const
{
    const auto file = m_files.find(book);
    return file == m_files.end() ? std::string() : file->second;
}

void ReportFolder::write(const std::string& book, const std::string& report) const
{
    const std::string path = fileFor(book);
    // Written beside its place and renamed over it once complete.
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(report.data(), qint64(report.size())) != qint64(report.size())
        || !file.commit())
        throw Error("Cannot write the report " + path + ": " + file.errorString().toStdString());
}

} // namespace tessaly::app
