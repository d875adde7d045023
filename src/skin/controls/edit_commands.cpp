#include "skin/controls/edit_commands.h"

#include "skin/data/resource_str_data.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPointer>

namespace tessaly::skin {

namespace {

QString caption(const ResourceStrData* strings, const char* key, const char* builtIn)
{
    if (strings) {
        const std::string text = strings->getResStr(key);
        if (!text.empty())
            return QString::fromStdString(text);
    }
    return QString::fromLatin1(builtIn);
}

} // namespace

std::vector<MenuCommand> editContextCommands(QLineEdit* line, bool readOnly, const ResourceStrData* strings)
{
    const bool selection = line->hasSelectedText();
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const bool clipboardText = clipboard && !clipboard->text().isEmpty();
    const bool allSelected = line->text().isEmpty()
                             || (line->selectionStart() == 0 && line->selectedText().size() == line->text().size());
    QPointer<QLineEdit> target(line);
    auto run = [target](auto action) {
        return std::function<void()>([target, action] {
            if (target)
                action(target.data());
        });
    };
    std::vector<MenuCommand> commands;
    // Undo is offered only where the text may change.
    commands.push_back({caption(strings, "EDIT_UNDO", "Undo"), line->isUndoAvailable() && !readOnly,
                        run([](QLineEdit* l) { l->undo(); })});
    commands.push_back({QStringLiteral("-"), true, {}});
    commands.push_back({caption(strings, "EDIT_CUT", "Cut"), selection && !readOnly, run([](QLineEdit* l) { l->cut(); })});
    commands.push_back({caption(strings, "EDIT_COPY", "Copy"), selection, run([](QLineEdit* l) { l->copy(); })});
    commands.push_back({caption(strings, "EDIT_PASTE", "Paste"), clipboardText && !readOnly, run([](QLineEdit* l) { l->paste(); })});
    commands.push_back({caption(strings, "EDIT_DELETE", "Delete"), selection && !readOnly, run([](QLineEdit* l) { l->del(); })});
    commands.push_back({QStringLiteral("-"), true, {}});
    commands.push_back({caption(strings, "EDIT_SELECTALL", "Select All"), !allSelected, run([](QLineEdit* l) { l->selectAll(); })});
    return commands;
}

} // namespace tessaly::skin
