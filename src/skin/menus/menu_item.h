#pragma once

#include <QImage>
#include <QRect>
#include <QKeySequence>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QPainter;

namespace tessaly::skin {

// One entry of a menu tree: what a popup menu shows and runs. A caption of
// "-" is a separator; "&" marks the accelerator character ("&&" is a plain
// "&"). A disabled item whose caption begins and ends with "-" (a word
// between two dashes) is a header.
class MenuItem {
public:
    // An owner-drawn item paints its own content: the callback gets a
    // painter on the item's face (the skin's face already drawn; the
    // painter set to the item's font and text colour), the text area and
    // whether the item is highlighted; nothing else is drawn over the face. The measure callback gets the width of the item's content
    // and its height as the menu would give them and may change both.
    using DrawItem = std::function<void(const MenuItem& item, QPainter& painter, const QRect& area, bool highlighted)>;
    using MeasureItem = std::function<void(const MenuItem& item, int& width, int& height)>;

    explicit MenuItem(QString caption = {}, std::function<void()> onClick = {});
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    QString caption;
    QString name;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    bool radioItem = false;
    QKeySequence shortCut;
    QString hint;
    // An index into the owning menu's image list (-1: none), or an own bitmap.
    int imageIndex = -1;
    QImage bitmap;
    std::function<void()> onClick;
    DrawItem onDrawItem;
    MeasureItem onMeasureItem;

    // Adds a sub-item and returns it.
    MenuItem& add(QString caption, std::function<void()> onClick = {});
    MenuItem& addSeparator() { return add(QStringLiteral("-")); }
    // Takes a sub-item out (the caller owns it); puts one in at a position.
    std::unique_ptr<MenuItem> take(int index);
    MenuItem& insert(int index, std::unique_ptr<MenuItem> item);
    int count() const { return int(m_items.size()); }
    MenuItem& at(int index) const { return *m_items[std::size_t(index)]; }
    bool hasItems() const { return !m_items.empty(); }
    MenuItem* parent() const { return m_parent; }

    bool isSeparator() const { return caption == QLatin1String("-"); }
    bool isHeader() const;
    // The accelerator character in lower case, or a null character.
    QChar accelerator() const;
    // The shortcut as text ("Ctrl+S"), empty without one.
    QString shortCutText() const;
    // Runs the item's command.
    void click() const;

private:
    MenuItem* m_parent = nullptr;
    std::vector<std::unique_ptr<MenuItem>> m_items;
};

// The images of a menu (the menu's image list): all of one size.
using MenuImages = std::vector<QImage>;

// What the menu that owns an item tree says about showing it.
struct MenuOwner {
    const MenuImages* images = nullptr;
    // Leading, trailing and doubled separators are left out.
    bool autoLineReduction = true;
};

} // namespace tessaly::skin
