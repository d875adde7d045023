#pragma once

#include "sheet_layout.h"

#include "skin/data/skin_data.h"

#include <QImage>

namespace skinsheet {

// Lays every record of the loaded skin out on the sheet: the window frame
// at the sizes of the program's windows, active and inactive, the caption
// buttons and controls in each state, the popup menu and the hint window.
// `large` receives the frame at 1920 x 1080.
void buildSheet(const tessaly::skin::SkinData& skin, SheetLayout& sheet, QImage& large);

} // namespace skinsheet
