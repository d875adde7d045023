#include "process/reader.h"

#include "process/create_process.h"
#include "process/read_thread.h"

#include <cstring>

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
    m_currentLine.clear();
    m_cursorPosition = 0;
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
}

void Reader::drain()
{
    while (m_thread) {
        const std::size_t taken = m_thread->readBuffer(m_parseBuffer.data(), m_parseBuffer.size());
        if (taken == 0)
            return;
        try {
            parsePiece(std::string_view(m_parseBuffer.data(), taken));
        } catch (...) {
            // The rest of this piece is dropped; what is still stored gets
            // its own turn instead of waiting for the next read.
            if (m_thread)
                m_createProcess.mainThread().post(m_createProcess.receiver(), CreateProcess::DataMessage, m_index);
            throw;
        }
    }
}

void Reader::parsePiece(std::string_view piece)
{
    while (piece.size() > PieceSize) {
        parsePiece(piece.substr(0, PieceSize));
        piece.remove_prefix(PieceSize);
    }
    if (m_onRawRead)
        m_onRawRead(m_createProcess, std::string(piece));

    char* bytes = m_parseBuffer.data();
    if (piece.data() != bytes)
        std::memcpy(bytes, piece.data(), piece.size());
    const std::size_t size = piece.size();
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c > 13)
            continue;
        switch (c) {
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
            break;
        }
    }
    writeRun(bytes + runStart, size - runStart);
    report(false);
}

void Reader::writeRun(const char* run, std::size_t length)
{
    if (length == 0)
        return;
    if (m_currentLine.size() < m_cursorPosition + length)
        m_currentLine.resize(m_cursorPosition + length);
    std::memcpy(m_currentLine.data() + m_cursorPosition, run, length);
    m_cursorPosition += length;
}

void Reader::writeSpaces(std::size_t count)
{
    if (m_currentLine.size() < m_cursorPosition + count)
        m_currentLine.resize(m_cursorPosition + count);
    std::memset(m_currentLine.data() + m_cursorPosition, ' ', count);
    m_cursorPosition += count;
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
    }
    m_startsOnNewLine = lineEnded;
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
    std::exception_ptr error;
    try {
        drain();
        if (!m_currentLine.empty())
            report(false);
    } catch (...) {
        error = std::current_exception();
    }
    m_thread = nullptr;
    // The run is counted as ended whatever the handlers did.
    m_createProcess.mainThread().post(m_createProcess.receiver(), CreateProcess::WorkerEndMessage,
                                      m_createProcess.runSerial());
    if (error)
        std::rethrow_exception(error);
}

} // namespace tessaly::process
