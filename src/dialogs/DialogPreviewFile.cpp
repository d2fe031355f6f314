#include "dialogs/DialogPreviewFile.h"

namespace ink {

QString DialogPreviewFile::write(const QString& folder, const QString& previewText)
{
    return file_.write(folder, previewText);
}

}
