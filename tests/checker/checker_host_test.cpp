// The checker host over its pipes, with a stand-in for the checker's
// command-line class whose behaviour follows the book's file name.
#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct Answer {
    QByteArray output;   // what the checker wrote, record taken off
    QByteArray record;   // the end record line, without its line feed
    QList<QByteArray> fields; // tessaly-end TOKEN STATUS CODE ADDED REASON TOKEN
};

class Host {
public:
    explicit Host(int idleSeconds = 600, const char* heap = "-Xmx64m")
    {
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(QStringLiteral(TESSALY_JAVA),
            {QString::fromLatin1(heap), QStringLiteral("-XX:+UseSerialGC"),
                QStringLiteral("-Djava.security.manager=allow"),
                QStringLiteral("-Dtessaly.checker.idleSeconds=%1").arg(idleSeconds), QStringLiteral("-cp"),
                QStringLiteral(TESSALY_HOST_CLASS_PATH), QStringLiteral("tessaly.checker.CheckerHost")});
        EXPECT_TRUE(m_process.waitForStarted(10000));
        // Whatever comes before the answer to the first request is not a report.
        ask("ping warm");
    }
    ~Host()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    std::optional<Answer> ask(const QByteArray& request, int timeoutMs = 30000)
    {
        const QByteArray token = request.split(' ').value(1);
        m_process.write(request + "\r\n");
        const QByteArray start = "\x1etessaly-end " + token + " ";
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeoutMs) {
            const qsizetype at = m_buffer.indexOf(start);
            const qsizetype end = at >= 0 ? m_buffer.indexOf('\n', at) : -1;
            if (end >= 0) {
                Answer answer;
                answer.record = m_buffer.mid(at, end - at);
                answer.fields = answer.record.mid(1).split(' ');
                answer.output = m_buffer.left(at);
                if (answer.fields.value(4) == "1" && answer.output.endsWith('\n'))
                    answer.output.chop(1);
                m_buffer.remove(0, end + 1);
                return answer;
            }
            if (!m_process.waitForReadyRead(200) && m_process.state() == QProcess::NotRunning)
                return std::nullopt;
            m_buffer += m_process.readAll();
        }
        return std::nullopt;
    }

    bool endsWithin(int ms) { return m_process.waitForFinished(ms); }
    void closeInput() { m_process.closeWriteChannel(); }
    QProcess& process() { return m_process; }

private:
    QProcess m_process;
    QByteArray m_buffer;
};

TEST(CheckerHost, OutputOfBothStreamsComesInOrderAndTheRecordOnALineOfItsOwn)
{
    Host host;
    const auto answer = host.ask("check t1 /books/mixed");
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->output, QByteArray("out 1\nerr 1\nout 2 err 2\nno line feed at the end"));
    const QList<QByteArray> expected{"tessaly-end", "t1", "exit", "3", "1", "-", "t1"};
    EXPECT_EQ(answer->fields, expected) << answer->record.toStdString();
}

TEST(CheckerHost, ExitCallEndsOnlyTheCheckWithItsCode)
{
    Host host;
    const auto exited = host.ask("check t1 /books/exit");
    ASSERT_TRUE(exited.has_value());
    EXPECT_EQ(exited->output, QByteArray("before the exit call\n"));
    EXPECT_EQ(exited->fields.value(2), "exit");
    EXPECT_EQ(exited->fields.value(3), "7");
    const auto next = host.ask("check t2 /books/next.epub");
    ASSERT_TRUE(next.has_value()) << "the host goes on";
    EXPECT_EQ(next->output, QByteArray("path=/books/next.epub\n"));
}

TEST(CheckerHost, StackOverflowAndUnexpectedErrorsFailOnlyThatCheck)
{
    Host host;
    const auto deep = host.ask("check t1 /books/deep");
    ASSERT_TRUE(deep.has_value());
    EXPECT_EQ(deep->fields.value(2), "failed");
    EXPECT_EQ(deep->fields.value(5), "stack-overflow");
    const auto thrown = host.ask("check t2 /books/throw");
    ASSERT_TRUE(thrown.has_value());
    EXPECT_EQ(thrown->fields.value(2), "failed");
    EXPECT_EQ(thrown->fields.value(5), "uncaught-java.lang.IllegalStateException");
    const auto next = host.ask("check t3 /books/a.epub");
    ASSERT_TRUE(next.has_value());
    EXPECT_EQ(next->fields.value(2), "exit");
}

TEST(CheckerHost, RunningOutOfMemoryFailsTheCheckAndEndsTheHost)
{
    Host host;
    const auto answer = host.ask("check t1 /books/memory");
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->fields.value(2), "failed");
    EXPECT_EQ(answer->fields.value(5), "out-of-memory");
    EXPECT_TRUE(host.endsWithin(10000)) << "a host whose heap ran out does not take more checks";
}

TEST(CheckerHost, PathsComeThroughByteForByte)
{
    Host host;
    const auto answer = host.ask("check t1 /books/50%25 off%0Anew line caf\xc3\xa9 \"x\".epub");
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->output, QByteArray("path=/books/50% off\nnew line caf\xc3\xa9 \"x\".epub\n"));
    // A broken escape is taken as it stands.
    const auto broken = host.ask("check t2 /books/%zz%4");
    ASSERT_TRUE(broken.has_value());
    EXPECT_EQ(broken->output, QByteArray("path=/books/%zz%4\n"));
}

TEST(CheckerHost, EndsWhenItsInputEnds)
{
    Host host;
    host.closeInput();
    EXPECT_TRUE(host.endsWithin(10000));
    EXPECT_EQ(host.process().exitCode(), 0);
}

TEST(CheckerHost, EndsWhenItsInputEndsEvenDuringACheck)
{
    Host host;
    host.process().write("check t1 /books/slow\n");
    ASSERT_TRUE(host.process().waitForReadyRead(10000));
    host.closeInput();
    EXPECT_TRUE(host.endsWithin(10000));
}

TEST(CheckerHost, EndsAfterItsIdleTime)
{
    Host host(2);
    ASSERT_TRUE(host.ask("check t1 /books/a.epub").has_value());
    EXPECT_TRUE(host.endsWithin(15000));
}

} // namespace
