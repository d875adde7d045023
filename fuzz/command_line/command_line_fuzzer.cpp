// Fuzz target over the checker's command line: for any bytes used as the
// program's folder and as the book's name, splitting the command line
// gives back exactly the program, the archive and the book.
//
// The first input byte says where the rest is cut into folder and book.
#include "app/checker_command.h"
#include "process/command_line.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t cut = rest.empty() ? 0 : data[0] % (rest.size() + 1);
    const std::string folder = rest.substr(0, cut) + "/";
    const std::string book = rest.substr(cut);

    const std::vector<std::string> expected = {"java", "-jar", folder + "epubcheck/epubcheck.jar", book};
    if (tessaly::process::splitCommandLine(tessaly::app::checkerCommandLine(folder, book)) != expected)
        std::abort();
    return 0;
}
