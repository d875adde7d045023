#pragma once

#include <QString>

namespace tessaly::skin {

// A caption as a reader says it: without the "&" that marks its
// accelerator ("&&" is a plain "&").
QString spokenCaption(const QString& caption);

} // namespace tessaly::skin
