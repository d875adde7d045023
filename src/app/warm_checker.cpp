#include "app/warm_checker.h"

#include "app/checker_command.h"
#include "platform/error.h"
#include "process/create_process.h"

#include <QDir>
#include <QSettings>
#include <filesystem>
#include <random>
#include <system_error>

namespace tessaly::app {

namespace {

} // namespace

bool WarmChecker::enabledInSettings()
{
    const QSettings settings(QStringLiteral("Tessaly"), QStringLiteral("Tessaly"));
    return settings.value(QLatin1String(SettingsKey), true).toBool();
}

WarmChecker::WarmChecker(platform::MainThread& mainThread, Settings settings)
    : m_settings(std::move(settings))
    , m_host(std::make_unique<process::CreateProcess>(mainThread))
    , m_filter([this](const std::string& text, bool startsOnNewLine) {
        if (m_handlers.read)
            m_handlers.read(text, startsOnNewLine);
    })
{
    m_host->setConsoleOptions(process::ConsoleOptions::Redirect | process::ConsoleOptions::OwnerData);
    // Its input closing ends it when we end normally; killed outright, we
    // leave no half-checking host behind either.
    m_host->setEndsWithProgram(true);
    m_host->startupInfo().setDefaultWindowState(false);
    m_host->startupInfo().setShowWindow(process::CPSShowWindow::Hide);
    m_host->setOnRead([this](process::CreateProcess&, const std::string& text, bool startsOnNewLine) {
        hostRead(text, startsOnNewLine);
    });
    m_host->setOnRawRead([this](process::CreateProcess&, const std::string& bytes) { m_answerBytes.add(bytes); });
    m_host->setOnTerminate([this](process::CreateProcess&, std::uint32_t) { hostEnded(); });
    m_stallTimer.setSingleShot(true);
    connect(&m_stallTimer, &QTimer::timeout, this, &WarmChecker::stalled);
}

WarmChecker::~WarmChecker()
{
    m_host->setOnRead({});
    m_host->setOnRawRead({});
    m_host->setOnTerminate({});
    // The host ends when its input closes: now, or when the runner lets go
    // of the pipe just below.
    m_host->closeWrite();
    m_temporaryFolder.reset();
}

bool WarmChecker::available() const
{
    if (!m_settings.commandLine.empty())
        return true;
    std::error_code error;
    return std::filesystem::is_regular_file(checkerHostArchive(m_settings.programFolder), error);
}

bool WarmChecker::hostRunning() const
{
    return m_host->state() != process::ProcessState::Ready;
}

std::string WarmChecker::newToken()
{
    static const char digits[] = "0123456789abcdef";
    std::random_device random;
    std::string token;
    for (int i = 0; i < 32; ++i)
        token += digits[random() & 0xF];
    return token;
}

std::chrono::milliseconds WarmChecker::stallTimeout(const std::string& book) const
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(book, error);
    const std::uintmax_t megabytes = error ? 0 : (size + (1u << 20) - 1) >> 20;
    return m_settings.stallBase + m_settings.stallPerMegabyte * std::int64_t(megabytes);
}

void WarmChecker::start()
{
    if (hostRunning())
        return;
    m_filter.reset();
    m_answerBytes.reset();
    m_warm = false;
    m_temporaryFolder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tessaly-host-XXXXXX"));
    const std::string temporaryFolder = this->temporaryFolder();
    m_host->setCommandLine(m_settings.commandLine.empty()
            ? checkerHostCommandLine(m_settings.programFolder, temporaryFolder)
            : m_settings.commandLine);
    m_host->setEnvironment(m_settings.environment.empty() ? checkerEnvironment(currentEnvironment())
                                                          : m_settings.environment);
    m_host->setPriority(m_settings.priority);
    m_host->run();
    // Everything before the answer to this request (the host's own start-up
    // notices, its warm-up) is not part of any report.
    m_warmUpToken = newToken();
    m_filter.expect(m_warmUpToken, false);
    m_host->writeLn("ping " + m_warmUpToken);
}

void WarmChecker::check(const std::string& book)
{
    if (m_checking)
        throw Error(process::RunningMessage);
    m_book = book;
    if (!available())
        return fallBack();
    if (!hostRunning()) {
        try {
            start();
        } catch (const Error&) {
            return fallBack();
        }
    }
    m_checkToken = newToken();
    // A request that does not fit into the runner's input queue (a path of
    // about a kilobyte) is checked the usual way.
    if (!m_host->writeLn(checkerHostRequest(m_checkToken, book)))
        return fallBack();
    m_filter.expect(m_checkToken, true);
    m_checking = true;
    m_stallTimer.start(stallTimeout(book));
}

void WarmChecker::hostRead(const std::string& text, bool startsOnNewLine)
{
    if (m_checking)
        m_stallTimer.start(); // any sign of life counts
    const auto record = m_filter.add(text, startsOnNewLine);
    if (!record)
        return;
    // The raw bytes of the same output came before its lines.
    const std::string bytes = m_answerBytes.take(record->token, record->addedLineFeed);
    if (record->token == m_warmUpToken)
        m_warm = true;
    else if (m_checking && record->token == m_checkToken)
        checkEnded(*record, bytes);
}

void WarmChecker::checkEnded(const report::EndRecordFilter::EndRecord& record, const std::string& bytes)
{
    m_checking = false;
    m_stallTimer.stop();
    if (record.failed) {
        // The host could not run it to its end (out of memory, a stack
        // overflow, an unexpected error): a process of its own shows what
        // really happens with this book.
        return fallBack();
    }
    // A copy: whoever hears of the end may hand this checker to another
    // check (a batch gives back a borrowed one) and so replace them.
    const Handlers handlers = m_handlers;
    if (handlers.output)
        handlers.output(bytes);
    if (handlers.finished)
        handlers.finished(record.exitCode);
}

std::string WarmChecker::temporaryFolder() const
{
    return m_temporaryFolder && m_temporaryFolder->isValid() ? m_temporaryFolder->path().toStdString() : std::string();
}

void WarmChecker::hostEnded()
{
    // Whatever the host left there, also when it was killed, goes with it.
    m_temporaryFolder.reset();
    m_warm = false;
    m_filter.reset();
    m_answerBytes.reset();
    if (!m_checking)
        return;
    m_checking = false;
    m_stallTimer.stop();
    fallBack();
}

void WarmChecker::stalled()
{
    // The end of the host brings the fall-back (hostEnded).
    if (m_checking && hostRunning())
        m_host->terminate();
}

void WarmChecker::fallBack()
{
    // A copy, as for the end of a check: a fall-back that cannot start may
    // end a batch, which then gives this checker back.
    if (const auto handler = m_handlers.fallBack)
        handler(m_book);
}

void WarmChecker::fallbackEnded()
{
    if (hostRunning() || !available())
        return;
    try {
        start();
    } catch (const Error&) {
        // The next check tries again and falls back again.
    }
}

void WarmChecker::cancel()
{
    if (!m_checking)
        return;
    m_checking = false;
    m_stallTimer.stop();
    m_filter.reset();
    m_answerBytes.reset();
    if (hostRunning())
        m_host->terminate();
}

} // namespace tessaly::app
