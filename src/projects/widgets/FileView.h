#pragma once
#include <QWidget>

class QListWidget;

namespace ink {

// A list of the files of one folder, each shown by its name without
// extension and with the icon the desktop gives its type. The host sets the
// folder, reads the selected entry, and hears of clicks, double-clicks and
// key releases in the list (whatever the selection is).
class FileView : public QWidget {
    Q_OBJECT
public:
    explicit FileView(QWidget* parent = nullptr);

    // Fills the list with the files of `path` (no trailing "/"). A folder
    // that does not exist leaves the list as it was and returns false.
    bool ShowPath(const QString& path);
    // The folder, "/" and the selected entry's text; "" when nothing is
    // selected or the entry has no text (a file without extension).
    QString item() const;
    // The selected entry's text; "" when nothing is selected.
    QString nameofitem() const;
    QString folder() const { return folder_; }
    QListWidget* list() const { return list_; }

    // Appearance, for hosts that want it. Values outside the tables change nothing.
    void SetPicture(const QString& picturePath);
    // 1 bottom left, 2 bottom right, 3 centred, 4 top left, 5 top right, 6 tiled.
    void SetPictureAlignment(int sort);
    // Colours as decimal texts of 0x00BBGGRR values; other texts change nothing.
    void SetTextColor(const QString& colour);
    void SetBackColor(const QString& colour);
    // 1 list, 2 large icons, 3 small icons.
    void SetIconView(int sort);
    // Shows each picture file by the picture itself, at `size`, in place of
    // its type's icon (as a desktop's file manager shows thumbnails); takes
    // effect at the next ShowPath.
    void setPicturePreviews(const QSize& size);
    // -1 texts drawn without a background box, 0 with the list's background.
    void SetTransparantBack(int trans);
    // Opens a file with the desktop's handler, in `openInPath` when the
    // handler cares. Returns 1 when the desktop took it, 0 otherwise.
    int ShellExecLaunchFile(const QString& pathFile, const QString& openInPath, const QString& arguments);

signals:
    void click();
    void dblclick();
    void keyup();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyBackground();

    QListWidget* list_ = nullptr;
    QString folder_;
    QString picture_;
    int pictureAlignment_ = 3;
    int fillGeneration_ = 0;
    QSize picturePreviews_;
};

}
