#pragma once
#include <QComboBox>

namespace ink {

// A drop-down list of the files in a page's images folder, filled afresh
// each time it drops down (the folder is made first when it is missing).
// A pick is reported by `picked` with "images/" + the file name.
class ImageListCombo : public QComboBox {
    Q_OBJECT
public:
    ImageListCombo(const QString& pageFolder, QWidget* parent = nullptr);

    void showPopup() override;

signals:
    // About to fill the list (before it drops down).
    void droppingDown();
    void picked(const QString& relativePath);

private:
    void fill();

    QString imagesFolder_;
};

}
