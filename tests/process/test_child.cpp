// A small child program for the process runner's tests. It carries out the
// actions given on its command line, in order, writing with plain write()
// calls (no buffering), and exits with 0 unless an action says otherwise.
//
//   print TEXT       TEXT to standard output; \n \r \t \0 \a \b \\ \xHH decode
//   eprint TEXT      the same to standard error
//   args             every following argument, hex-encoded, one per line; then exit
//   flood BYTES LEN  BYTES bytes of numbered lines of LEN bytes each
//   sleep MS         sleep
//   cat              copy standard input to standard output until end of file
//                    or a line "quit"
//   closein          close standard input, then print "closed\n"
//   env NAME         the variable's value or "<unset>", then a line feed
//   cwd              the working folder, then a line feed
//   fds              "fds" and the open descriptor numbers, then a line feed
//   pid              the process id, then a line feed
//   nice             the nice value, then a line feed
//   pgid             "leader" when the child leads its process group, else "member"
//   sigpipe          "default" or "changed": the disposition of SIGPIPE
//   grandchild MS TEXT  fork a grandchild that keeps standard output open,
//                    sleeps MS and prints TEXT before it ends
//   exit CODE        exit with CODE
//   signal SIG       end by signal SIG
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

void writeAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            std::_Exit(90);
        }
        done += std::size_t(n);
    }
}

std::string decode(const char* text)
{
    std::string out;
    for (const char* p = text; *p; ++p) {
        if (*p != '\\' || !p[1]) {
            out.push_back(*p);
            continue;
        }
        ++p;
        switch (*p) {
        case 'n': out.push_back('\n'); break;
        case 'r': out.push_back('\r'); break;
        case 't': out.push_back('\t'); break;
        case '0': out.push_back('\0'); break;
        case 'a': out.push_back('\a'); break;
        case 'b': out.push_back('\b'); break;
        case 'x': {
            const char hex[3] = {p[1], p[1] ? p[2] : '\0', '\0'};
            out.push_back(char(std::strtol(hex, nullptr, 16)));
            p += 2;
            break;
        }
        default: out.push_back(*p); break;
        }
    }
    return out;
}

std::string hex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out.push_back(digits[c >> 4]);
        out.push_back(digits[c & 15]);
    }
    return out;
}

void flood(long long bytes, int lineLength)
{
    std::string chunk;
    long long line = 0;
    while (bytes > 0) {
        chunk.clear();
        while (chunk.size() < 65536 && bytes > 0) {
            std::string text = std::to_string(line++);
            const long long length = std::min<long long>(lineLength, bytes);
            text.resize(std::size_t(length - 1), '.');
            text.push_back('\n');
            chunk += text;
            bytes -= length;
        }
        writeAll(1, chunk);
    }
}

void copyInput()
{
    std::string pending;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(0, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        pending.append(buffer, std::size_t(n));
        std::size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            std::string line = pending.substr(0, end + 1);
            pending.erase(0, end + 1);
            if (line == "quit\n" || line == "quit\r\n")
                return;
            writeAll(1, line);
        }
    }
}

std::string openDescriptors()
{
    std::string out = "fds";
    DIR* dir = ::opendir("/proc/self/fd");
    if (!dir)
        return "fds ?";
    const int own = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.' || std::atoi(entry->d_name) == own)
            continue;
        out += " ";
        out += entry->d_name;
    }
    ::closedir(dir);
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string action = argv[i];
        auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : ""; };
        if (action == "print") {
            writeAll(1, decode(next()));
        } else if (action == "eprint") {
            writeAll(2, decode(next()));
        } else if (action == "args") {
            std::string out;
            for (++i; i < argc; ++i)
                out += hex(argv[i]) + "\n";
            writeAll(1, out);
            return 0;
        } else if (action == "flood") {
            const long long bytes = std::atoll(next());
            flood(bytes, std::atoi(next()));
        } else if (action == "sleep") {
            ::usleep(useconds_t(std::atol(next()) * 1000));
        } else if (action == "cat") {
            copyInput();
        } else if (action == "closein") {
            ::close(0);
            writeAll(1, "closed\n");
        } else if (action == "env") {
            const char* value = std::getenv(next());
            writeAll(1, std::string(value ? value : "<unset>") + "\n");
        } else if (action == "cwd") {
            char folder[4096];
            writeAll(1, std::string(::getcwd(folder, sizeof folder) ? folder : "?") + "\n");
        } else if (action == "fds") {
            writeAll(1, openDescriptors() + "\n");
        } else if (action == "pid") {
            writeAll(1, std::to_string(::getpid()) + "\n");
        } else if (action == "nice") {
            errno = 0;
            writeAll(1, std::to_string(::getpriority(PRIO_PROCESS, 0)) + "\n");
        } else if (action == "pgid") {
            writeAll(1, ::getpgrp() == ::getpid() ? "leader\n" : "member\n");
        } else if (action == "sigpipe") {
            struct sigaction current {};
            ::sigaction(SIGPIPE, nullptr, &current);
            sigset_t mask;
            ::sigprocmask(SIG_BLOCK, nullptr, &mask);
            const bool plain = current.sa_handler == SIG_DFL && !::sigismember(&mask, SIGPIPE);
            writeAll(1, plain ? "default\n" : "changed\n");
        } else if (action == "grandchild") {
            const long ms = std::atol(next());
            const std::string text = decode(next());
            if (::fork() == 0) {
                ::usleep(useconds_t(ms * 1000));
                writeAll(1, text);
                std::_Exit(0);
            }
        } else if (action == "grandchildcat") {
            // A grandchild that keeps the output open until its input ends.
            if (::fork() == 0) {
                copyInput();
                writeAll(1, "input ended\n");
                std::_Exit(0);
            }
        } else if (action == "exit") {
            std::_Exit(std::atoi(next()));
        } else if (action == "signal") {
            const int sig = std::atoi(next());
            std::signal(sig, SIG_DFL);
            ::raise(sig);
            std::_Exit(91);
        } else {
            writeAll(2, "test_child: unknown action " + action + "\n");
            return 92;
        }
    }
    return 0;
}
