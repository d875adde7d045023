#include "app/app_accessibility.h"

#include "app/message_list_view.h"
#include "app/messages_view.h"
#include "app/report_pages.h"
#include "app/source_pane.h"

#include <QAccessible>
#include <QAccessibleWidget>

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
