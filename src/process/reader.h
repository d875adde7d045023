#pragma once

#include "process/unique_fd.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly::process {

class CreateProcess;
class ReadThread;

// Turns the bytes a child writes into one pipe into text reports on the main
// thread. A read thread stores what it reads; the main thread takes the
// stored bytes in pieces of at most 1,024 bytes and assembles lines with the
// rules of a simple console:
//   NUL and BEL become a space; backspace moves the cursor one left (not
//   below 0); tab writes 8 spaces at the cursor; carriage return moves the
//   cursor to the start of the line; line feed ends the line.
// onRawRead gets every piece as it came. onRead gets the current line (no
// line break) when a line ends and, once the bytes taken in one go are
// parsed, the line still open if it has text that was not reported yet
// (while more output waits, a growing line only when it has doubled or a
// while has passed); startsOnNewLine false means the text replaces the line
// reported last time.
//
// Texts are the child's bytes as they are (the locale's narrow encoding,
// UTF-8 in practice); invalid sequences are passed through unchanged.
class Reader {
public:
    using ReadEvent = std::function<void(CreateProcess& sender, const std::string& text, bool startsOnNewLine)>;
    using RawReadEvent = std::function<void(CreateProcess& sender, const std::string& text)>;

    static constexpr std::size_t PieceSize = 1024;

    Reader(CreateProcess& createProcess, std::uintptr_t index);
    ~Reader();
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    const std::vector<std::string>& consoleOutput() const { return m_consoleOutput; }
    const ReadEvent& onRead() const { return m_onRead; }
    void setOnRead(ReadEvent handler) { m_onRead = std::move(handler); }
    const RawReadEvent& onRawRead() const { return m_onRawRead; }
    void setOnRawRead(RawReadEvent handler) { m_onRawRead = std::move(handler); }

    // Whether a read thread of the current run is attached.
    bool reading() const { return m_thread != nullptr; }

    // Starts reading the pipe end, which the read thread then owns. Resets
    // the current line; consoleOutput() keeps the lines of earlier runs.
    void createThread(UniqueFd readHandle);
    // Closes the read thread's pipe end, if there is a thread.
    void closeRead();
    // Stops and forgets the read thread without any further report.
    void terminate();
    // Takes and parses what is stored at this moment (message 1025); bytes
    // stored meanwhile are left for the next message.
    void drain();
    // Parses text in pieces of at most PieceSize bytes with the console
    // rules, then reports the open line, as one batch taken from the thread
    // would. Public so that the rules can be driven directly.
    void parsePiece(std::string_view text);

private:
    bool takeStored();
    void parseTaken();
    void drainEverything();
    void parseInPlace(char* bytes, std::size_t size);
    void reportOpenLine(bool moreWaiting = false);
    void writeRun(const char* run, std::size_t length);
    void writeSpaces(std::size_t count);
    void report(bool lineEnded);
    void threadEnded();

    CreateProcess& m_createProcess;
    std::uintptr_t m_index;
    std::vector<std::string> m_consoleOutput;
    RawReadEvent m_onRawRead;
    ReadEvent m_onRead;
    ReadThread* m_thread = nullptr;
    std::string m_currentLine;
    std::string m_endedLine; // the line just ended, kept to reuse its memory
    std::size_t m_cursorPosition = 0;
    bool m_startsOnNewLine = true;
    bool m_openLineChanged = false; // text written since the line was last reported
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration MinimumOpenLineInterval = std::chrono::milliseconds(100);
    std::size_t m_openReportSize = 0; // length of the open line when last reported
    Clock::time_point m_openReportTime;
    Clock::duration m_openReportDuration{};
    std::array<char, PieceSize> m_parseBuffer{};
    // Bytes taken from the read thread in one go and not parsed yet; parsed
    // in place, piece by piece.
    std::vector<char> m_taken;
    std::size_t m_takenBegin = 0;
    std::size_t m_takenEnd = 0;
};

} // namespace tessaly::process
