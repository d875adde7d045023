#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <vector>

namespace skinsheet {

// Lays out captioned tiles in titled sections, left to right, wrapping at
// the sheet's width, and paints the whole sheet at the end.
class SheetLayout {
public:
    explicit SheetLayout(int width);

    void section(const QString& title);
    // A tile with a caption under it; a new row starts when it does not fit.
    void add(const QImage& tile, const QString& caption);
    // Ends the current row early.
    void newRow();

    QImage render() const;

private:
    struct Item {
        QImage tile;
        QString caption;
        int x;
        int y;
    };
    struct Title {
        QString text;
        int y;
    };
    int m_width;
    int m_x;
    int m_y;
    int m_rowHeight = 0;
    std::vector<Item> m_items;
    std::vector<Title> m_titles;
};

} // namespace skinsheet
