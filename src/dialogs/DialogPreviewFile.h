#pragma once
#include "document/WorkingFile.h"

#include <QString>

namespace ink {

// The file through which an insert dialog shows its markup before inserting
// it. It lives in the active page's folder, so that the markup's relative
// references (images/...) resolve as they will in the page, under a hidden
// name of this program's own: a user's file there (a temp.htm, say) is never
// written. Only one insert dialog is open at a time, so one name serves all
// of them. The file is removed when this object goes.
class DialogPreviewFile {
public:
    // Writes the preview text plus one CR LF, replacing the file's contents.
    // Returns the path written, "" when the folder (and the temporary folder
    // standing in for it) cannot be written.
    QString write(const QString& folder, const QString& previewText);
    // The path of the last successful write.
    QString path() const { return file_.path(); }
    void remove() { file_.remove(); }

private:
    // Slot 0 never holds a page, so no document window's working file has
    // this name; the extension keeps it apart from the working files too.
    WorkingFile file_{0, QStringLiteral("htm")};
};

}
