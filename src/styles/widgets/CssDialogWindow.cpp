#include "styles/widgets/CssDialogWindow.h"

#include "base/Twips.h"

namespace ink {

CssDialogWindow::CssDialogWindow(QWidget* owner, const char* name, const char* caption)
    : QDialog(owner)
{
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(QString::fromLatin1(caption));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    // Escape hides a dialog without closing it; it is gone either way.
    connect(this, &QDialog::finished, this, &QObject::deleteLater);
}

void CssDialogWindow::present()
{
    setFixedSize(sizeHint());
    if (QWidget* owner = parentWidget()) {
        // 2000 twips below and 5000 twips right of the main window's corner.
        const QPoint corner = owner->frameGeometry().topLeft();
        move(corner + QPoint(twipsToPixels(5000), twipsToPixels(2000)));
    }
    show();
    raise();
    activateWindow();
}

}
