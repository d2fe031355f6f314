#pragma once
#include "dialogs/DialogPreviewFile.h"

#include <QString>
#include <QWidget>

class QWebEngineView;

namespace ink {

// The preview browser `WebBrowser1` of an insert dialog, written once for
// all of them. How a dialog uses it:
//
//   auto* preview = new DialogPreview(pageFolder, finishPage);
//   connect(preview, &DialogPreview::loaded, this, [okButton](bool ok) {
//       okButton->setEnabled(ok);  // what OK inserts is now on screen
//   });
//   preview->showText("<html><body>" + markup + "</body></html>");
//   ...
//   on OK: insert preview->shownText() (or the markup it was built from).
//
// showText() writes the text to the dialog preview file (a hidden file of
// this program's own in the page's folder) and points the browser at it;
// loaded() follows once the browser has it. The page's scripts never run in
// the preview. The file is removed when the widget is destroyed, so a dialog
// that owns one should be deleted when it closes (Qt::WA_DeleteOnClose).
class DialogPreview : public QWidget {
    Q_OBJECT
public:
    explicit DialogPreview(const QString& pageFolder, QWidget* parent = nullptr);
    ~DialogPreview() override;

    // Writes `previewText` as the preview file's one line and shows it. When
    // the file cannot be written the browser is left as it was and loaded()
    // reports false.
    void showText(const QString& previewText);
    // True once the last text asked for is on screen.
    bool isLoaded() const { return loaded_; }
    // The text now on screen; "" before the first load finishes.
    QString shownText() const { return shown_; }
    QString filePath() const { return file_.path(); }
    QWebEngineView* view() const { return view_; }

signals:
    void loaded(bool ok);

private:
    void loadFinished(bool ok);

    QString folder_;
    DialogPreviewFile file_;
    QWebEngineView* view_;
    QString pending_;
    QString shown_;
    bool loaded_ = false;
};

}
