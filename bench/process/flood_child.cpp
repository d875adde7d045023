// Writes BYTES bytes of numbered lines of LEN bytes each (line feed
// included) to standard output in 64 KiB writes: flood_child BYTES LEN
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    long long bytes = std::atoll(argv[1]);
    const long long lineLength = std::max(1, std::atoi(argv[2]));
    std::string chunk;
    long long line = 0;
    while (bytes > 0) {
        chunk.clear();
        while (chunk.size() < 65536 && bytes > 0) {
            std::string text = std::to_string(line++);
            const long long length = std::min(lineLength, bytes);
            text.resize(std::size_t(length - 1), '.');
            text.push_back('\n');
            chunk += text;
            bytes -= length;
        }
        std::size_t done = 0;
        while (done < chunk.size()) {
            const ssize_t n = ::write(1, chunk.data() + done, chunk.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return 1;
            done += std::size_t(n);
        }
    }
    return 0;
}
