#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace ink {

// One entry of a file dialog's type list.
struct FileFilter {
    QString description;
    QStringList patterns;
};

// The type list of a filter text such as "HTML Files|*.html;*.htm|All Files|*.*":
// descriptions and pattern lists alternate, separated by "|" and also by ":"
// (so a ":" inside a description shifts the pairs); patterns are separated by
// ";". An empty piece ends the list, and a description left without a
// pattern list is dropped.
QList<FileFilter> parseFileFilter(const QString& filter);

// The program's file dialog object: set the properties, call ShowOpen or
// ShowSave, read the results back from the same properties. The property
// names are the ones every caller uses.
class cCommonDialog {
public:
    // Option bits of `flags` that reach the dialog.
    enum Flag : quint32 {
        ReadOnlyChecked = 1,   // kept and reported back unchanged
        HideReadOnly = 4,      // there is no read-only box to hide
        AllowMultiSelect = 512,
        PathMustExist = 2048,  // implied by FileMustExist
        FileMustExist = 4096,
        // The caller asks before an existing file is replaced (it may still
        // change the chosen name), so the save dialog does not ask itself.
        CallerConfirmsReplace = 0x10000,
    };

    QString DialogTitle;
    bool CancelError = false;  // kept; a cancel never raises anything
    QWidget* hwnd = nullptr;   // owner of the dialog
    quint32 flags = 0;
    QString InitDir;
    QString Filter;
    int FilterIndex = 1;       // 1-based; 0 is taken as 1
    QString Filename;
    QString FileTitle;
    QString DefaultExt;        // without the dot

    // Shows the open-file dialog, modal to hwnd. Returns true when files were
    // chosen. Filename then holds one full path, or (several files with
    // AllowMultiSelect) the folder and the names, each ended by a NUL, the
    // list ended by a second NUL. On cancel Filename, FileTitle and Filter
    // become empty, flags 0 and FilterIndex -1.
    bool ShowOpen();
    // The save-file dialog with the same properties; DefaultExt is added to a
    // chosen name without an extension.
    bool ShowSave();

    // Splits Filename into a folder and names (names[0] is the first). A
    // single path gives count 1, the text after the last "/" as the name and
    // the text before it as the folder (a path whose only "/" is its first
    // character, or that has none, gives folder "" and the whole path as
    // name). A cancelled dialog therefore gives count 1 and an empty name.
    void ParseMultiFileName(QString& folder, QStringList& names, int& count) const;

    // Turning a dialog's answer into the properties, as ShowOpen does.
    void acceptSelection(const QStringList& paths);
    void applyCancel();

    // When set, ShowOpen and ShowSave call this instead of showing a dialog;
    // it returns the chosen full paths, an empty list meaning cancel. Tests
    // use it to drive the commands that ask for files.
    using Responder = std::function<QStringList(const cCommonDialog&)>;
    static void setTestResponder(Responder responder);
    static const Responder& testResponder();

private:
    bool show(bool saving);
    QStringList runDialog(bool saving);
    QString withDefaultExtension(const QString& path) const;
};

}
