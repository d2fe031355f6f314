#include "projects/widgets/FileView.h"

#include "projects/FolderListing.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileIconProvider>
#include <QImageReader>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QUrl>

namespace ink {

namespace {

// Entries added between two turns of the event loop while a folder fills.
constexpr int EntriesPerTurn = 32;

bool colourFromText(const QString& text, QColor* colour)
{
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok || value < 0 || value > 0xFFFFFF)
        return false;
    *colour = QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
    return true;
}

// Pictures larger than this are shown by their type's icon: reading them
// would hold up the list.
constexpr qint64 LargestPreviewedPicture = 16 * 1024 * 1024;

// The picture in `file` scaled to fit `size`; a null icon when the file is
// no picture that can be read.
QIcon picturePreview(const QFileInfo& file, const QSize& size)
{
    if (!file.isFile() || file.size() > LargestPreviewedPicture)
        return QIcon();
    QImageReader reader(file.filePath());
    if (!reader.canRead())
        return QIcon();
    const QSize full = reader.size();
    if (full.isValid())
        reader.setScaledSize(full.scaled(size, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    QImage picture = reader.read();
    if (picture.isNull())
        return QIcon();
    if (!full.isValid())
        picture = picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return QIcon(QPixmap::fromImage(picture));
}

}

FileView::FileView(QWidget* parent) : QWidget(parent)
{
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("LstView"));
    list_->setAccessibleName(QStringLiteral("Files"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setIconSize(QSize(32, 32));
    list_->setUniformItemSizes(true);
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);
}

bool FileView::ShowPath(const QString& path)
{
    bool exists = false;
    const QList<FolderEntry> entries = listFolderFiles(path, &exists);
    if (!exists)
        return false;
    folder_ = path;
    list_->clear();
    const int generation = ++fillGeneration_;
    QPointer<FileView> self(this);
    QFileIconProvider icons;
    int added = 0;
    for (const FolderEntry& entry : entries) {
        const QFileInfo file(path + QLatin1Char('/') + entry.fileName);
        QIcon icon;
        if (picturePreviews_.isValid())
            icon = picturePreview(file, picturePreviews_);
        if (icon.isNull())
            icon = icons.icon(file);
        auto* row = new QListWidgetItem(icon, entry.text);
        row->setToolTip(entry.fileName);
        list_->addItem(row);
        // A large folder fills progressively and the window stays responsive;
        // a newer ShowPath or the widget's end stops this fill.
        if (++added % EntriesPerTurn == 0) {
            QCoreApplication::processEvents();
            if (!self || generation != fillGeneration_)
                return true;
        }
    }
    return true;
}

QString FileView::item() const
{
    return entryPath(folder_, nameofitem());
}

QString FileView::nameofitem() const
{
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void FileView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    list_->setGeometry(0, 0, width(), height());
}

bool FileView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (!list_->itemAt(mouse->position().toPoint())) {
                list_->clearSelection();
                list_->setCurrentItem(nullptr);
            }
        } else if (event->type() == QEvent::MouseButtonRelease) {
            emit click();
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            emit dblclick();
        }
    } else if (watched == list_ && event->type() == QEvent::KeyRelease) {
        if (!static_cast<QKeyEvent*>(event)->isAutoRepeat())
            emit keyup();
    }
    return QWidget::eventFilter(watched, event);
}

void FileView::SetPicture(const QString& picturePath)
{
    picture_ = picturePath;
    applyBackground();
}

void FileView::SetPictureAlignment(int sort)
{
    if (sort < 1 || sort > 6)
        return;
    pictureAlignment_ = sort;
    applyBackground();
}

void FileView::applyBackground()
{
    if (picture_.isEmpty()) {
        list_->viewport()->setStyleSheet(QString());
        return;
    }
    static const char* const positions[] = {"bottom left", "bottom right", "center",
                                            "top left", "top right", "top left"};
    const QString repeat = pictureAlignment_ == 6 ? QStringLiteral("repeat") : QStringLiteral("no-repeat");
    QString url = picture_;
    url.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    list_->viewport()->setStyleSheet(
        QStringLiteral("background-image: url(\"%1\"); background-position: %2; background-repeat: %3;")
            .arg(url, QLatin1String(positions[pictureAlignment_ - 1]), repeat));
}

void FileView::SetTextColor(const QString& colour)
{
    QColor c;
    if (!colourFromText(colour, &c))
        return;
    QPalette p = list_->palette();
    p.setColor(QPalette::Text, c);
    list_->setPalette(p);
}

void FileView::SetBackColor(const QString& colour)
{
    QColor c;
    if (!colourFromText(colour, &c))
        return;
    QPalette p = list_->palette();
    p.setColor(QPalette::Base, c);
    list_->setPalette(p);
}

void FileView::SetIconView(int sort)
{
    if (sort == 1) {
        list_->setViewMode(QListView::ListMode);
        list_->setIconSize(QSize(16, 16));
    } else if (sort == 2) {
        list_->setViewMode(QListView::IconMode);
        list_->setIconSize(QSize(32, 32));
    } else if (sort == 3) {
        list_->setViewMode(QListView::IconMode);
        list_->setIconSize(QSize(16, 16));
    }
}

void FileView::setPicturePreviews(const QSize& size)
{
    picturePreviews_ = size;
    if (size.isValid())
        list_->setIconSize(size);
}

void FileView::SetTransparantBack(int trans)
{
    if (trans != -1 && trans != 0)
        return;
    QPalette p = list_->palette();
    p.setColor(QPalette::Base, trans == -1 ? QColor(Qt::transparent) : palette().color(QPalette::Base));
    list_->setPalette(p);
}

int FileView::ShellExecLaunchFile(const QString& pathFile, const QString& openInPath, const QString& arguments)
{
    Q_UNUSED(openInPath);
    Q_UNUSED(arguments);
    if (pathFile.isEmpty())
        return 0;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(pathFile)) ? 1 : 0;
}

}
