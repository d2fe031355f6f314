// Colour cube files of the palette: the Toolbar5 commands.
#include "colourfont/widgets/ColourPanel.h"

#include "base/widgets/Prompts.h"
#include "projects/CommonDialog.h"

#include <QFile>
#include <QSaveFile>

namespace ink {

namespace {

const char* const CubeFilter = "Colorcubes|*.cube|All Files|*.*";

// Asks for a cube path with the file dialog; empty when cancelled.
QString askCubePath(QWidget* owner, const QString& start, bool saving)
{
    cCommonDialog dialog;
    dialog.hwnd = owner;
    dialog.DialogTitle = saving ? QStringLiteral("Save As") : QStringLiteral("Open");
    dialog.Filter = QString::fromLatin1(CubeFilter);
    dialog.Filename = start;
    if (!saving)
        dialog.flags = cCommonDialog::FileMustExist;
    const bool chosen = saving ? dialog.ShowSave() : dialog.ShowOpen();
    return chosen ? dialog.Filename : QString();
}

bool writeWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // A short write on a full disk sets no error by itself.
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}

void ColourPanel::runCubeCommand(const QString& key)
{
    if (key == QLatin1String("open") || key == QLatin1String("opencc"))
        openCube();
    else if (key == QLatin1String("savecc"))
        saveCube();
}

void ColourPanel::openCube()
{
    const QString path = askCubePath(window(), cubePath_, false);
    if (path.isEmpty())
        return;
    cubePath_ = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Prompts::current().warning(window(), QStringLiteral("Open Colorcube"),
                                   QStringLiteral("Could not read the colour cube file %1.").arg(path));
        return;
    }
    // Sixteen short lines are all a cube holds; a huge file is not read whole.
    applyCube(readCubeContent(file.read(1 << 20)));
}

void ColourPanel::saveCube()
{
    const QString path = askCubePath(window(), cubePath_, true);
    if (path.isEmpty())
        return;
    cubePath_ = path;
    if (!writeWhole(path, cubeFileContent(cubeValues())))
        Prompts::current().warning(window(), QStringLiteral("Save Colorcube"),
                                   QStringLiteral("Could not save the colour cube file %1.").arg(path));
}

}
