#include "app/app_accessibility.h"

#include "app/book_queue.h"
#include "app/book_queue_view.h"
#include "app/message_list_view.h"
#include "app/messages_view.h"
#include "app/report_pages.h"
#include "app/source_pane.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QScrollBar>

#include <map>

namespace tessaly::app {

namespace {

class AccessibleMessageList : public QAccessibleWidget {
public:
    explicit AccessibleMessageList(MessageListView* list) : QAccessibleWidget(list, QAccessible::List) {}
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value) {
            const auto* list = static_cast<MessageListView*>(widget());
            if (const auto message = list->currentMessage())
                return QString::fromStdString(list->table().list()[*message].reportLine);
            return {};
        }
        return QAccessibleWidget::text(t);
    }
};

// One book of the queue, a child of the list: its name is the row's text.
class AccessibleQueuedBook : public QAccessibleInterface {
public:
    AccessibleQueuedBook(BookQueueView* view, std::size_t index) : m_view(view), m_index(index) {}

    bool isValid() const override { return m_view && m_index < m_view->queue().size(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_view ? m_view->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_view.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    void setText(QAccessible::Text, const QString&) override {}
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && isValid() ? m_view->rowText(m_index) : QString();
    }
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const int top = (int(m_index) - m_view->verticalScrollBar()->value()) * m_view->rowHeight();
        const QWidget* port = m_view->viewport();
        return QRect(port->mapToGlobal(QPoint(0, top)), QSize(port->width(), m_view->rowHeight()));
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.selectable = true;
        state.focusable = true;
        if (isValid() && m_view->currentBook() == m_index) {
            state.selected = true;
            state.focused = m_view->hasFocus();
        }
        return state;
    }

private:
    QPointer<BookQueueView> m_view;
    std::size_t m_index;
};

// The queue: a list whose rows are its children, made when asked for and
// kept until the list's interface goes.
class AccessibleBookQueue : public QAccessibleWidget {
public:
    explicit AccessibleBookQueue(BookQueueView* view) : QAccessibleWidget(view, QAccessible::List, QStringLiteral("Books")) {}
    ~AccessibleBookQueue() override
    {
        for (const auto& [index, id] : m_rows)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return int(view()->queue().size()); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        auto [at, added] = m_rows.try_emplace(std::size_t(index), 0);
        if (added)
            at->second = QAccessible::registerAccessibleInterface(new AccessibleQueuedBook(view(), std::size_t(index)));
        return QAccessible::accessibleInterface(at->second);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (const auto& [index, id] : m_rows) {
            if (QAccessible::accessibleInterface(id) == child)
                return int(index);
        }
        return -1;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value) {
            const auto current = view()->currentBook();
            return current ? view()->rowText(*current) : QString();
        }
        return QAccessibleWidget::text(t);
    }

private:
    BookQueueView* view() const { return static_cast<BookQueueView*>(widget()); }
    mutable std::map<std::size_t, QAccessible::Id> m_rows;
};

// The source pane: static text whose description is all it shows.
class AccessibleSourcePane : public QAccessibleWidget {
public:
    explicit AccessibleSourcePane(SourcePane* pane) : QAccessibleWidget(pane, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description || t == QAccessible::Value)
            return static_cast<SourcePane*>(widget())->spokenText();
        return QAccessibleWidget::text(t);
    }
};

} // namespace

QAccessibleInterface* appWidgetAccessible(const QString&, QObject* object)
{
    // Told apart by their C++ type: they carry no meta-object of their own.
    if (auto* list = dynamic_cast<MessageListView*>(object))
        return new AccessibleMessageList(list);
    if (auto* queue = dynamic_cast<BookQueueView*>(object))
        return new AccessibleBookQueue(queue);
    if (auto* pane = dynamic_cast<SourcePane*>(object))
        return new AccessibleSourcePane(pane);
    if (auto* view = dynamic_cast<MessagesView*>(object))
        return new QAccessibleWidget(view, QAccessible::Grouping, QStringLiteral("Messages"));
    if (auto* pages = dynamic_cast<ReportPages*>(object))
        return new QAccessibleWidget(pages, QAccessible::Grouping, QStringLiteral("Report"));
    return nullptr;
}

void installAppAccessibility()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(appWidgetAccessible);
        installed = true;
    }
}

} // namespace tessaly::app
