#include "app/messages_view.h"

#include "app/message_feed.h"
#include "app/message_list_view.h"
#include "app/source_pane.h"
#include "skin/controls/skin_speed_button.h"
#include "skin/controls/skin_toggle_button.h"

#include <QFileInfo>
#include <QLocale>

namespace tessaly::app {

namespace {

using report::MessageGrouping;
using report::Severity;

constexpr int toolbarHeight = 21;
constexpr int toolbarGap = 2;
// The source pane: its sentence and five lines of code.
constexpr int sourceLines = 6;

struct ToggleLook {
    const char* name;   // the caption before the count
    const char* object; // the widget's object name
    int width;
};
constexpr ToggleLook toggleLooks[report::severityCount] = {
    {"Fatal", "fatalToggle", 64},     {"Errors", "errorToggle", 96}, {"Warnings", "warningToggle", 104},
    {"Info", "infoToggle", 60},       {"Usage", "usageToggle", 70},
};

QString groupingCaption(MessageGrouping grouping)
{
    switch (grouping) {
    case MessageGrouping::File: return QStringLiteral("Group: file");
    case MessageGrouping::Code: return QStringLiteral("Group: code");
    case MessageGrouping::None: break;
    }
    return QStringLiteral("Group: none");
}

skin::Font toolbarFont() { return skin::Font{"Arial", 14, {}, skin::rgbColor(0, 0, 0)}; }

} // namespace

MessagesView::MessagesView(report::Report& report, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("messagesView"));
    createToolbar();
    m_listView = new MessageListView(m_table, this);
    m_listView->setObjectName(QStringLiteral("messageList"));
    m_listView->setAccessibleName(QStringLiteral("Messages"));
    m_sourcePane = new SourcePane(this);
    m_sourcePane->setObjectName(QStringLiteral("sourcePane"));
    m_sourcePane->setAccessibleName(QStringLiteral("Source"));
    m_listView->setOnCurrentChanged([this](std::optional<std::size_t> message) { showSource(message); });
    m_feed = std::make_unique<MessageFeed>(report, m_list, m_table, [this] { tableChanged(); });
    updateCounts();
}

MessagesView::~MessagesView() = default;

void MessagesView::createToolbar()
{
    int x = 0;
    for (std::size_t i = 0; i < report::severityCount; ++i) {
        auto* toggle = new skin::SkinToggleButton(QString(), this);
        toggle->setObjectName(QString::fromLatin1(toggleLooks[i].object));
        toggle->setDefaultFont(toolbarFont());
        toggle->setChecked(true);
        toggle->setGeometry(x, 0, toggleLooks[i].width, toolbarHeight);
        toggle->setOnToggled([this, i](bool on) { setShown(Severity(i), on); });
        x += toggleLooks[i].width + toolbarGap;
        m_toggles[i] = toggle;
    }
    m_groupButton = new skin::SkinSpeedButton(groupingCaption(MessageGrouping::None), this);
    m_groupButton->setObjectName(QStringLiteral("groupButton"));
    m_groupButton->setTabStop(true);
    m_groupButton->setUseSkinSize(false);
    m_groupButton->setDefaultFont(toolbarFont());
    m_groupButton->setGeometry(x + 6, 0, 96, toolbarHeight);
    m_groupButton->setOnClick([this] {
        // None, file, code, and round again.
        setGrouping(MessageGrouping((int(m_table.grouping()) + 1) % 3));
    });
}

void MessagesView::setSkinData(skin::SkinData* skinData)
{
    for (auto* toggle : m_toggles)
        toggle->setSkinData(skinData);
    m_groupButton->setSkinData(skinData);
    m_listView->setSkinData(skinData);
}

void MessagesView::setColours(const ReportTextView::Colours& colours)
{
    m_listView->setColours(colours);
    m_sourcePane->setColours(colours);
}

void MessagesView::showSource(std::optional<std::size_t> message)
{
    m_sourcePane->showMessage(message && *message < m_list.size() ? &m_list[*message] : nullptr);
}

void MessagesView::setBook(const QString& path)
{
    m_book = path;
    m_list.setBookName(QFileInfo(path).fileName().toStdString());
    // A new check: what the pane read of the last book goes.
    m_sourcePane->setBook(path);
}

std::vector<QWidget*> MessagesView::tabStops() const
{
    std::vector<QWidget*> stops(m_toggles.begin(), m_toggles.end());
    stops.push_back(m_groupButton);
    stops.push_back(m_listView);
    return stops;
}

void MessagesView::flush() { m_feed->flush(); }

void MessagesView::setGrouping(MessageGrouping grouping)
{
    m_table.setGrouping(grouping);
    m_groupButton->setText(groupingCaption(grouping));
    m_listView->tableChanged();
    search(false);
}

void MessagesView::setShown(Severity severity, bool shown)
{
    m_toggles[std::size_t(severity)]->setChecked(shown);
    m_table.setShown(severity, shown);
    m_listView->tableChanged();
    search(false);
}

void MessagesView::tableChanged()
{
    if (m_list.size() == 0)
        m_listView->cleared();
    else
        m_listView->tableChanged();
    updateCounts();
    search(false);
}

void MessagesView::updateCounts()
{
    const QLocale numbers(QLocale::English);
    for (std::size_t i = 0; i < report::severityCount; ++i)
        m_toggles[i]->setText(QString::fromLatin1(toggleLooks[i].name) + QLatin1Char(' ')
                              + numbers.toString(qulonglong(m_list.count(Severity(i)))));
}

std::size_t MessagesView::find(const QString& text)
{
    m_findText = text;
    search(true);
    return m_matches.count();
}

void MessagesView::search(bool show)
{
    const std::optional<std::size_t> before = m_matches.current();
    std::size_t from = before.value_or(0);
    if (show) {
        // From the message the list is on.
        from = 0;
        if (const auto current = m_listView->currentMessage()) {
            const auto& order = m_table.order();
            from = std::size_t(std::find(order.begin(), order.end(), *current) - order.begin());
        }
    }
    m_matches.setMatches(m_table.find(m_findText.toStdString()), from);
    if (show)
        showMatch(m_matches.current());
    if (m_onMatchesChanged)
        m_onMatchesChanged();
}

void MessagesView::findNext() { showMatch(m_matches.next()); }

void MessagesView::findPrevious() { showMatch(m_matches.previous()); }

void MessagesView::showMatch(std::optional<std::size_t> place)
{
    if (place && *place < m_table.order().size())
        m_listView->setCurrentMessage(m_table.order()[*place]);
    if (m_onMatchesChanged)
        m_onMatchesChanged();
}

void MessagesView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int top = toolbarHeight + toolbarGap;
    const int paneHeight = sourceLines * (QFontMetrics(m_sourcePane->font()).height() + 1) + 6;
    const int listHeight = std::max(0, height() - top - paneHeight - toolbarGap);
    m_listView->setGeometry(0, top, width(), listHeight);
    m_sourcePane->setGeometry(0, top + listHeight + toolbarGap, width(), height() - top - listHeight - toolbarGap);
}

} // namespace tessaly::app
