#include "skin/menus/menu_item.h"

namespace tessaly::skin {

MenuItem::MenuItem(QString caption, std::function<void()> onClick)
    : caption(std::move(caption))
    , onClick(std::move(onClick))
{
}

MenuItem& MenuItem::add(QString text, std::function<void()> command)
{
    auto item = std::make_unique<MenuItem>(std::move(text), std::move(command));
    item->m_parent = this;
    m_items.push_back(std::move(item));
    return *m_items.back();
}

std::unique_ptr<MenuItem> MenuItem::take(int index)
{
    std::unique_ptr<MenuItem> item = std::move(m_items[std::size_t(index)]);
    m_items.erase(m_items.begin() + index);
    item->m_parent = nullptr;
    return item;
}

MenuItem& MenuItem::insert(int index, std::unique_ptr<MenuItem> item)
{
    item->m_parent = this;
    return **m_items.insert(m_items.begin() + index, std::move(item));
}

bool MenuItem::isHeader() const
{
    return !enabled && caption.size() >= 2 && caption.startsWith(QLatin1Char('-')) &&
           caption.endsWith(QLatin1Char('-'));
}

QChar MenuItem::accelerator() const
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i; // "&&" is a plain "&"
            continue;
        }
        return caption[i + 1].toLower();
    }
    return {};
}

QString MenuItem::shortCutText() const { return shortCut.toString(QKeySequence::NativeText); }

void MenuItem::click() const
{
    if (onClick)
        onClick();
}

} // namespace tessaly::skin
