#include "app/check_results.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QXmlStreamWriter>

namespace tessaly::app {

namespace {

const char* kindName(report::VerdictKind kind)
{
    switch (kind) {
    case report::VerdictKind::Passed:
        return "passed";
    case report::VerdictKind::Warnings:
        return "warnings";
    case report::VerdictKind::Errors:
        return "errors";
    case report::VerdictKind::CheckerFailed:
        break;
    }
    return "failed";
}

// Text from outside (paths, the checker's output) as Unicode: invalid UTF-8
// becomes U+FFFD instead of failing.
QString fromOutside(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

std::string oneLine(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() + "\n";
}

double seconds(std::chrono::milliseconds elapsed) { return double(elapsed.count()) / 1000.0; }

// XML 1.0 allows no control characters but tab, line feed and carriage
// return, not even escaped; the checker's output may have any.
QString xmlText(const std::string& text)
{
    QString out = fromOutside(text);
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != '\t' && u != '\n' && u != '\r') || u == 0xFFFE || u == 0xFFFF)
            c = QChar(0xFFFD);
    }
    return out;
}

} // namespace

void BatchSummary::add(const BookOutcome& outcome)
{
    ++books;
    switch (outcome.verdict.kind) {
    case report::VerdictKind::Passed:
        ++passed;
        break;
    case report::VerdictKind::Warnings:
        ++warnings;
        break;
    case report::VerdictKind::Errors:
        ++errors;
        break;
    case report::VerdictKind::CheckerFailed:
        ++failed;
        break;
    }
}

std::string textLine(const BookOutcome& outcome) { return outcome.book + ": " + outcome.verdict.text + "\n"; }

std::string textSummary(const BatchSummary& summary)
{
    std::string text = std::to_string(summary.books) + (summary.books == 1 ? " book: " : " books: ")
        + std::to_string(summary.passed) + " passed";
    if (summary.warnings > 0)
        text += ", " + std::to_string(summary.warnings) + " with warnings";
    text += ", " + std::to_string(summary.errors) + " with errors";
    if (summary.failed > 0)
        text += ", " + std::to_string(summary.failed) + (summary.failed == 1 ? " check" : " checks") + " failed";
    return text + "\n";
}

std::string jsonLine(const BookOutcome& outcome, const std::string& reportFile)
{
    const report::MessageCounts& counts = outcome.verdict.counts;
    QJsonObject object{
        {QStringLiteral("book"), fromOutside(outcome.book)},
        {QStringLiteral("result"), QLatin1String(kindName(outcome.verdict.kind))},
        {QStringLiteral("verdict"), fromOutside(outcome.verdict.text)},
        {QStringLiteral("fatals"), counts.fatals},
        {QStringLiteral("errors"), counts.errors},
        {QStringLiteral("warnings"), counts.warnings},
        {QStringLiteral("infos"), counts.infos},
        {QStringLiteral("exitCode"), qint64(outcome.exitCode)},
        {QStringLiteral("seconds"), seconds(outcome.elapsed)},
    };
    if (!reportFile.empty())
        object.insert(QStringLiteral("report"), fromOutside(reportFile));
    return oneLine(object);
}

std::string jsonSummary(const BatchSummary& summary)
{
    return oneLine(QJsonObject{{QStringLiteral("summary"),
        QJsonObject{
            {QStringLiteral("books"), summary.books},
            {QStringLiteral("passed"), summary.passed},
            {QStringLiteral("warnings"), summary.warnings},
            {QStringLiteral("errors"), summary.errors},
            {QStringLiteral("failed"), summary.failed},
        }}});
}

std::string junitDocument(const std::vector<BookOutcome>& outcomes)
{
    BatchSummary summary;
    std::chrono::milliseconds total{0};
    for (const BookOutcome& outcome : outcomes) {
        summary.add(outcome);
        total += outcome.elapsed;
    }
    QString document;
    QXmlStreamWriter xml(&document);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("testsuites"));
    xml.writeStartElement(QStringLiteral("testsuite"));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("EPUB check"));
    xml.writeAttribute(QStringLiteral("tests"), QString::number(summary.books));
    xml.writeAttribute(QStringLiteral("failures"), QString::number(summary.errors));
    xml.writeAttribute(QStringLiteral("errors"), QString::number(summary.failed));
    xml.writeAttribute(QStringLiteral("skipped"), QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("time"), QString::number(seconds(total), 'f', 3));
    for (const BookOutcome& outcome : outcomes) {
        xml.writeStartElement(QStringLiteral("testcase"));
        xml.writeAttribute(QStringLiteral("classname"), QStringLiteral("epub"));
        xml.writeAttribute(QStringLiteral("name"), xmlText(outcome.book));
        xml.writeAttribute(QStringLiteral("time"), QString::number(seconds(outcome.elapsed), 'f', 3));
        const report::VerdictKind kind = outcome.verdict.kind;
        if (kind == report::VerdictKind::Errors || kind == report::VerdictKind::CheckerFailed) {
            xml.writeStartElement(kind == report::VerdictKind::Errors ? QStringLiteral("failure") : QStringLiteral("error"));
            xml.writeAttribute(QStringLiteral("message"), xmlText(outcome.verdict.text));
            xml.writeAttribute(QStringLiteral("type"), QLatin1String(kindName(kind)));
            xml.writeEndElement();
        }
        xml.writeTextElement(QStringLiteral("system-out"), xmlText(outcome.output));
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return document.toStdString();
}

} // namespace tessaly::app
