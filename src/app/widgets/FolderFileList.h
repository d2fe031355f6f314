#pragma once
#include <QListWidget>

namespace ink {

// A list of the files of one folder (`File1`: the page's folder, `File2`:
// its "images" folder), sorted by name. The program's own working files,
// whose names start with ".inkpress", are not listed.
class FolderFileList : public QListWidget {
    Q_OBJECT
public:
    explicit FolderFileList(QWidget* parent = nullptr);

    // Lists the files of `path`. An empty or missing folder name is refused:
    // the list keeps its folder and entries, and false is returned.
    bool setFolder(const QString& path);
    QString folder() const { return folder_; }
    // Reads the current folder again.
    void refresh();
    QStringList fileNames() const;

private:
    QString folder_;
};

}
