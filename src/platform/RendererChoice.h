#pragma once
#include <QString>

namespace ink {

// Whether an OpenGL renderer, by the names its driver reports, draws on the
// processor rather than on a graphics card. Windows holding web views are
// composited with OpenGL; on such a renderer that costs more than drawing
// them in software outright.
bool isSoftwareOpenGl(const QString& renderer, const QString& vendor);

}
