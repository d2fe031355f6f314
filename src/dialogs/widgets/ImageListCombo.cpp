#include "dialogs/widgets/ImageListCombo.h"

#include "document/WorkingFile.h"

#include <QDir>

namespace ink {

ImageListCombo::ImageListCombo(const QString& pageFolder, QWidget* parent)
    : QComboBox(parent)
    , imagesFolder_(pageFolder.isEmpty() ? QString() : QDir(pageFolder).filePath(QStringLiteral("images")))
{
    setEditable(false);
    connect(this, &QComboBox::activated, this,
            [this](int index) { emit picked(QStringLiteral("images/") + itemText(index)); });
}

void ImageListCombo::fill()
{
    clear();
    if (imagesFolder_.isEmpty())
        return;
    QDir().mkpath(imagesFolder_);
    const QStringList names = QDir(imagesFolder_).entryList(QDir::Files, QDir::Name);
    for (const QString& name : names)
        if (!WorkingFile::isWorkingFileName(name))
            addItem(name);
}

void ImageListCombo::showPopup()
{
    emit droppingDown();
    fill();
    QComboBox::showPopup();
}

}
