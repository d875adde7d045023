#pragma once

#include <cstdint>
#include <sys/types.h>

namespace tessaly::process {

// Defines |, & and ~ for an enumeration used as a set of flag bits, and
// contains(set, flag).
#define TESSALY_FLAG_OPERATORS(Type)                                                            \
    constexpr Type operator|(Type a, Type b)                                                    \
    {                                                                                           \
        return Type(std::uint8_t(a) | std::uint8_t(b));                                         \
    }                                                                                           \
    constexpr Type operator&(Type a, Type b)                                                    \
    {                                                                                           \
        return Type(std::uint8_t(a) & std::uint8_t(b));                                         \
    }                                                                                           \
    constexpr Type operator~(Type a) { return Type(~std::uint8_t(a)); }                         \
    constexpr Type& operator|=(Type& a, Type b) { return a = a | b; }                           \
    constexpr bool contains(Type set, Type flag) { return (set & flag) == flag && flag != Type{}; }

enum class ProcessState : std::uint8_t {
    Ready,   // ready for run()
    Running, // child started and nobody waits for it
    Waiting, // worker threads of a run are active
};

enum class ProcessPriority : std::uint8_t { Idle, Normal, High, RealTime };

// Creation flags: bit n for the flag with ordinal n. On Linux NewProcGroup
// puts the child into a process group of its own, NewConsole and Detached
// start it in a new session without a controlling terminal; the others
// have no meaning here and are accepted and ignored.
enum class CPSFlags : std::uint8_t {
    None = 0,
    DefaultErrorMode = 1 << 0,
    NewConsole = 1 << 1,
    NewProcGroup = 1 << 2,
    SeparateWdm = 1 << 3,
    SharedWdm = 1 << 4,
    Suspended = 1 << 5,
    Unicode = 1 << 6,
    Detached = 1 << 7,
};
TESSALY_FLAG_OPERATORS(CPSFlags)

// OwnerData: do not keep consoleOutput(); Redirect: give the child pipes for
// its standard input, output and error; SeparateError: a pipe of its own for
// standard error (otherwise it shares the output pipe).
enum class ConsoleOptions : std::uint8_t {
    None = 0,
    OwnerData = 1 << 0,
    Redirect = 1 << 1,
    SeparateError = 1 << 2,
};
TESSALY_FLAG_OPERATORS(ConsoleOptions)

enum class CPSShowWindow : std::uint8_t { Hide, Minimize, Maximize, Normal };

// What a successful start leaves behind. processHandle is a pidfd that the
// runner holds while it watches the child (-1 otherwise); on Linux the
// child's main thread id is its process id.
struct ProcessInformation {
    int processHandle = -1;
    pid_t processId = 0;
    pid_t threadId = 0;
};

// The runner's refusal of a second run while one is active; whoever starts
// checks through it refuses with the same words.
inline constexpr const char* RunningMessage = "Cannot perform this operation when process is running";

// Exit code reported when a worker was told to stop instead of seeing the
// child end.
constexpr std::uint32_t StoppedExitCode = 0xFFFFFFFFu;

} // namespace tessaly::process
