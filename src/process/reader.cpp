#include "process/reader.h"

#include "process/create_process.h"
#include "process/read_thread.h"

#include <algorithm>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tessaly::process {

Reader::Reader(CreateProcess& createProcess, std::uintptr_t index)
    : m_createProcess(createProcess)
    , m_index(index)
{
}

Reader::~Reader() = default;

void Reader::createThread(UniqueFd readHandle)
{
    m_startsOnNewLine = true;
    m_openLineChanged = false;
    m_currentLine.clear();
    m_cursorPosition = 0;
    m_takenBegin = m_takenEnd = 0;
    auto thread = std::make_unique<ReadThread>(std::move(readHandle), CreateProcess::DataMessage, m_index);
    ReadThread* raw = thread.get();
    m_createProcess.launchWorker(std::move(thread), [this](WorkerThread& sender) {
        if (&sender == m_thread)
            threadEnded();
    });
    m_thread = raw;
}

void Reader::closeRead()
{
    if (m_thread)
        m_thread->closeRead();
}

void Reader::terminate()
{
    if (!m_thread)
        return;
    m_thread->detachEndNotification();
    m_thread->terminateThread();
    m_thread = nullptr;
    m_takenBegin = m_takenEnd = 0;
}

void Reader::drain()
{
    // Only what was stored when the message arrived: bytes stored while
    // this runs get a message of their own, so the main thread gets back to
    // painting between batches however fast the child writes.
    if (m_takenBegin == m_takenEnd && !takeStored())
        return;
    parseTaken();
    // More bytes waiting means the line is still streaming in: it is
    // reported again only when that is cheap next to what arrived.
    reportOpenLine(m_thread && m_thread->storedBytes() > 0);
}

void Reader::drainEverything()
{
    do {
        parseTaken();
    } while (takeStored());
    reportOpenLine();
}

bool Reader::takeStored()
{
    if (!m_thread)
        return false;
    if (m_taken.empty())
        m_taken.resize(ReadThread::MaximumStoreSize);
    m_takenBegin = 0;
    m_takenEnd = m_thread->readBuffer(m_taken.data(), m_taken.size());
    return m_takenEnd > 0;
}

void Reader::parseTaken()
{
    // In pieces of at most PieceSize bytes, as the console rules are defined.
    while (m_takenBegin < m_takenEnd) {
        const std::size_t size = std::min(PieceSize, m_takenEnd - m_takenBegin);
        char* piece = m_taken.data() + m_takenBegin;
        m_takenBegin += size;
        try {
            parseInPlace(piece, size);
        } catch (...) {
            // The rest of this piece is dropped; what is still waiting gets
            // its own turn instead of waiting for the next read.
            if (m_thread)
                m_createProcess.mainThread().post(m_createProcess.receiver(), CreateProcess::DataMessage, m_index);
            throw;
        }
    }
}

void Reader::parsePiece(std::string_view text)
{
    while (!text.empty()) {
        const std::size_t size = std::min(PieceSize, text.size());
        std::memcpy(m_parseBuffer.data(), text.data(), size);
        parseInPlace(m_parseBuffer.data(), size);
        text.remove_prefix(size);
    }
    reportOpenLine();
}

namespace {

// The position of the first byte at or after `from` that is below 14 (the
// console's control bytes are 0, 7, 8, 9, 10 and 13), or size. Ordinary
// text is skipped 16 or 8 bytes at a time.
inline std::size_t nextControlByte(const char* bytes, std::size_t from, std::size_t size)
{
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i limit = _mm_set1_epi8(13);
    for (; i + 16 <= size; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        // A byte is at most 13 exactly when min(byte, 13) equals it.
        const int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(block, limit), block));
        if (mask != 0)
            return i + std::size_t(__builtin_ctz(unsigned(mask)));
    }
#else
    constexpr std::uint64_t ones = 0x0101010101010101ull;
    constexpr std::uint64_t highs = 0x8080808080808080ull;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i, 8);
        if (((word - ones * 14) & ~word & highs) != 0)
            break;
    }
#endif
    for (; i < size; ++i) {
        if (static_cast<unsigned char>(bytes[i]) < 14)
            return i;
    }
    return size;
}

} // namespace

void Reader::parseInPlace(char* bytes, std::size_t size)
{
    if (m_onRawRead)
        m_onRawRead(m_createProcess, std::string(bytes, size));

    std::size_t runStart = 0;
    for (std::size_t i = nextControlByte(bytes, 0, size); i < size; i = nextControlByte(bytes, i + 1, size)) {
        switch (bytes[i]) {
        case 0:
        case 7:
            bytes[i] = ' ';
            break;
        case 8:
            writeRun(bytes + runStart, i - runStart);
            if (m_cursorPosition > 0)
                --m_cursorPosition;
            runStart = i + 1;
            break;
        case 9:
            writeRun(bytes + runStart, i - runStart);
            writeSpaces(8);
            runStart = i + 1;
            break;
        case 10:
            writeRun(bytes + runStart, i - runStart);
            runStart = i + 1;
            report(true);
            break;
        case 13:
            writeRun(bytes + runStart, i - runStart);
            m_cursorPosition = 0;
            runStart = i + 1;
            break;
        default:
            break; // 1 to 6, 11 and 12 are ordinary text
        }
    }
    writeRun(bytes + runStart, size - runStart);
}

void Reader::writeRun(const char* run, std::size_t length)
{
    if (length == 0)
        return;
    if (m_currentLine.size() < m_cursorPosition + length)
        m_currentLine.resize(m_cursorPosition + length);
    std::memcpy(m_currentLine.data() + m_cursorPosition, run, length);
    m_cursorPosition += length;
    m_openLineChanged = true;
}

void Reader::writeSpaces(std::size_t count)
{
    if (m_currentLine.size() < m_cursorPosition + count)
        m_currentLine.resize(m_cursorPosition + count);
    std::memset(m_currentLine.data() + m_cursorPosition, ' ', count);
    m_cursorPosition += count;
    m_openLineChanged = true;
}

void Reader::reportOpenLine(bool moreWaiting)
{
    // An open line has nothing new to show when it is empty or unchanged.
    if (m_currentLine.empty() || !m_openLineChanged)
        return;
    // While more output waits, a still-growing line is reported again only
    // when it has doubled or a while has passed (longer for lines whose
    // report took long), so that one long line costs time linear in its
    // length instead of one full copy per piece.
    if (moreWaiting) {
        const bool doubled = m_currentLine.size() >= 2 * m_openReportSize;
        const auto wait = std::max(MinimumOpenLineInterval, 20 * m_openReportDuration);
        if (!doubled && Clock::now() - m_openReportTime < wait)
            return;
    }
    const auto start = Clock::now();
    m_openReportSize = m_currentLine.size();
    report(false);
    m_openReportTime = Clock::now();
    m_openReportDuration = m_openReportTime - start;
}

void Reader::report(bool lineEnded)
{
    const bool startsOnNewLine = m_startsOnNewLine;
    // The line's state moves on before the handler runs, so that a handler
    // that fails does not leave an ended line behind to be continued.
    const std::string* text = &m_currentLine;
    if (lineEnded) {
        m_endedLine.swap(m_currentLine);
        m_currentLine.clear();
        m_cursorPosition = 0;
        text = &m_endedLine;
        m_openReportSize = 0;
    }
    m_startsOnNewLine = lineEnded;
    m_openLineChanged = false;
    if (!contains(m_createProcess.consoleOptions(), ConsoleOptions::OwnerData)) {
        if (startsOnNewLine || m_consoleOutput.empty())
            m_consoleOutput.push_back(*text);
        else
            m_consoleOutput.back() = *text;
    }
    if (m_onRead)
        m_onRead(m_createProcess, *text, startsOnNewLine);
}

void Reader::threadEnded()
{
    // Everything read is parsed and the run is counted as ended, whatever
    // the handlers do; the first error they raise is reported.
    std::exception_ptr error;
    auto attempt = [&](const auto& step) {
        try {
            step();
            return true;
        } catch (...) {
            if (!error)
                error = std::current_exception();
            return false;
        }
    };
    // A failing piece is consumed, so this ends.
    while (!attempt([this] { drainEverything(); })) {
    }
    m_thread = nullptr;
    m_takenBegin = m_takenEnd = 0;
    m_createProcess.mainThread().post(m_createProcess.receiver(), CreateProcess::WorkerEndMessage,
                                      m_createProcess.runSerial());
    if (error)
        std::rethrow_exception(error);
}

} // namespace tessaly::process
