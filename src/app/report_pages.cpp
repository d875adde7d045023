#include "app/report_pages.h"

#include "app/message_list_view.h"
#include "app/messages_view.h"
#include "app/report_text_search.h"
#include "app/report_text_view.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_scroll_bar.h"
#include "skin/controls/skin_speed_button.h"
#include "skin/controls/skin_std_label.h"
#include "skin/controls/skin_tab_control.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>

namespace tessaly::app {

namespace {

constexpr int tabsHeight = 20;
constexpr int findEditWidth = 150;
constexpr int findButtonWidth = 21;
constexpr int matchLabelWidth = 86;

skin::Font findBarFont() { return skin::Font{"Arial", 14, {}, skin::rgbColor(0, 0, 0)}; }

} // namespace

ReportPages::ReportPages(ReportTextView* report, MessagesView* messages, QWidget* parent)
    : QWidget(parent)
    , m_report(report)
    , m_messages(messages)
    , m_reportSearch(std::make_unique<ReportTextSearch>(report))
{
    setObjectName(QStringLiteral("reportPages"));
    m_tabs = new skin::SkinTabControl(this);
    m_tabs->setObjectName(QStringLiteral("pageTabs"));
    m_tabs->setAccessibleName(QStringLiteral("Pages"));
    m_tabs->setDefaultFont(findBarFont());
    m_tabs->setTabs({QStringLiteral("Report"), QStringLiteral("Messages")});
    m_tabs->setOnCurrentChanged([this](int) {
        m_report->setVisible(currentPage() == ReportPage);
        m_messages->setVisible(currentPage() == MessagesPage);
        search();
    });
    m_report->setParent(this);
    m_report->setVerticalScrollBar(new skin::SkinScrollBar);
    m_messages->setParent(this);
    m_messages->hide();
    m_messages->setOnMatchesChanged([this] { showMatchCount(); });
    createFindBar();
    createShortcuts();
    showMatchCount();
}

ReportPages::~ReportPages() = default;

void ReportPages::createFindBar()
{
    m_findEdit = new skin::SkinEdit(this);
    m_findEdit->setObjectName(QStringLiteral("findEdit"));
    m_findEdit->lineEdit()->setAccessibleName(QStringLiteral("Find"));
    m_findEdit->setDefaultFont(findBarFont());
    m_findEdit->lineEdit()->installEventFilter(this);
    connect(m_findEdit->lineEdit(), &QLineEdit::textChanged, this, [this] { search(); });

    auto button = [this](const QString& caption, const QString& name, const QString& spoken, void (ReportPages::*go)()) {
        auto* b = new skin::SkinSpeedButton(caption, this);
        b->setObjectName(name);
        b->setAccessibleName(spoken);
        b->setUseSkinSize(false);
        b->setDefaultFont(findBarFont());
        b->setOnClick([this, go] { (this->*go)(); });
        return b;
    };
    m_previousButton = button(QStringLiteral("\u25B2"), QStringLiteral("findPreviousButton"),
                              QStringLiteral("Previous match"), &ReportPages::findPrevious);
    m_nextButton = button(QStringLiteral("\u25BC"), QStringLiteral("findNextButton"), QStringLiteral("Next match"),
                          &ReportPages::findNext);

    m_matchLabel = new skin::SkinStdLabel(QString(), this);
    m_matchLabel->setObjectName(QStringLiteral("matchLabel"));
    m_matchLabel->setDefaultFont(findBarFont());
}

void ReportPages::createShortcuts()
{
    auto add = [this](const QKeySequence& keys, auto handler) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, handler);
    };
    add(QKeySequence::Find, [this] { focusFind(); });
    add(QKeySequence(Qt::Key_F3), [this] { findNext(); });
    add(QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { findPrevious(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_PageDown), [this] { showPage(MessagesPage); });
    add(QKeySequence(Qt::CTRL | Qt::Key_PageUp), [this] { showPage(ReportPage); });
}

void ReportPages::setSkinData(skin::SkinData* skinData)
{
    m_tabs->setSkinData(skinData);
    m_findEdit->setSkinData(skinData);
    m_previousButton->setSkinData(skinData);
    m_nextButton->setSkinData(skinData);
    m_matchLabel->setSkinData(skinData);
    m_messages->setSkinData(skinData);
    if (auto* bar = dynamic_cast<skin::SkinScrollBar*>(m_report->verticalScrollBar()))
        bar->setSkinData(skinData);
}

ReportPages::Page ReportPages::currentPage() const { return Page(m_tabs->currentIndex()); }

void ReportPages::showPage(Page page) { m_tabs->setCurrentIndex(page); }

FindTarget& ReportPages::target() const
{
    if (currentPage() == MessagesPage)
        return *m_messages;
    return *m_reportSearch;
}

void ReportPages::focusFind()
{
    m_findEdit->lineEdit()->setFocus(Qt::ShortcutFocusReason);
    m_findEdit->lineEdit()->selectAll();
}

void ReportPages::search()
{
    target().find(m_findEdit->text());
    showMatchCount();
}

void ReportPages::findNext()
{
    target().findNext();
    showMatchCount();
}

void ReportPages::findPrevious()
{
    target().findPrevious();
    showMatchCount();
}

void ReportPages::showMatchCount()
{
    const FindTarget& t = target();
    // With nothing to find, the label says how to start (a placeholder in
    // the field would not take the skin's colours).
    if (m_findEdit->text().isEmpty())
        m_matchLabel->setText(QStringLiteral("Ctrl+F: find"));
    else if (t.matchCount() == 0)
        m_matchLabel->setText(QStringLiteral("No matches"));
    else
        m_matchLabel->setText(QStringLiteral("%1 of %2").arg(t.currentMatch().value_or(0)).arg(t.matchCount()));
}

bool ReportPages::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_findEdit->lineEdit() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ShiftModifier)
                findPrevious();
            else
                findNext();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            // Back to the page the search was for.
            if (currentPage() == MessagesPage)
                m_messages->list()->setFocus(Qt::ShortcutFocusReason);
            else
                m_report->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ReportPages::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int w = width();
    int x = w - matchLabelWidth;
    m_matchLabel->setGeometry(x, 2, matchLabelWidth, 16);
    x -= findButtonWidth + 2;
    m_nextButton->setGeometry(x, 0, findButtonWidth, 18);
    x -= findButtonWidth;
    m_previousButton->setGeometry(x, 0, findButtonWidth, 18);
    x -= findEditWidth + 2;
    m_findEdit->setGeometry(x, 0, findEditWidth, 18);
    m_tabs->setGeometry(0, 0, x - 4, tabsHeight);
    const QRect page(0, tabsHeight, w, height() - tabsHeight);
    m_report->setGeometry(page);
    m_messages->setGeometry(page);
}

} // namespace tessaly::app
