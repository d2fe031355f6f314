#pragma once
#include <QString>

namespace ink {

// The page's background colour as its text gives it: the value of the body's
// bgcolor attribute, as written, found the way the web engine parses the
// page (the first body tag's attributes win; a body written without a tag
// has none). "" when the body has no bgcolor.
QString pageBackgroundInText(const QString& html);

}
