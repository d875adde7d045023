#pragma once

#include "skin/controls/popup_menu_opener.h"

#include <vector>

class QLineEdit;

namespace tessaly::skin {

class ResourceStrData;

// The path field's context menu: Undo, Cut, Copy, Paste, Delete and Select
// All with separators, each enabled by the line's state. A read-only field
// offers only Copy and Select All. Captions come from the registry's
// strings when it has them.
std::vector<MenuCommand> editContextCommands(QLineEdit* line, bool readOnly, const ResourceStrData* strings);

} // namespace tessaly::skin
