#pragma once
#include <QString>

class QWidget;

namespace ink {

// Brings an image file into a page's images folder and returns the page's
// reference to it ("images/name.png", "/" separated), or "" when nothing
// was imported. A file already in the images folder is referenced, never
// copied onto itself; another file of the same name there is replaced only
// when the user says so; a failed copy is reported with the file name and
// the reason, and leaves the images folder as it was.
QString importIntoImages(const QString& source, const QString& pageFolder, QWidget* owner);

}
