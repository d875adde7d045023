#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace tessaly::testing {

// Output of the installed checker on small made books (remade by
// checker_messages/capture.sh).
inline std::vector<std::string> capturedCheckerOutput()
{
    std::ifstream file(TESSALY_CHECKER_MESSAGES_DIR "/checker_output.txt");
    EXPECT_TRUE(file) << "missing fixture";
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

} // namespace tessaly::testing
