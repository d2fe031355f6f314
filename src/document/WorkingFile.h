#pragma once
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace ink {

// The working file through which a page travels from the code editor to the
// design surface and the preview browser. It lives in the page's folder, so
// that the page's relative references (images/...) resolve, under a hidden
// name of this program's own that carries the process and window number: a
// user's file (say temp.html, or a page named like that) is never written.
// When the page's folder cannot be written, a private temporary folder holds
// it instead.
class WorkingFile {
public:
    WorkingFile(int slot, const QString& extension = QStringLiteral("html"));
    ~WorkingFile();
    WorkingFile(const WorkingFile&) = delete;
    WorkingFile& operator=(const WorkingFile&) = delete;

    // The window number in the file's name, for a window made before it had
    // one; only before the first write.
    void setSlot(int slot) { slot_ = slot; }

    // Writes the text plus one CR LF, as UTF-8 with a byte order mark (the
    // engine then decodes it right whatever charset the page declares).
    // Returns the path written, "" on failure. The same text again for the
    // same folder is not written again while the file is there as written.
    // `utf8`, when given, is the text's own UTF-8: written as it is, the
    // text is not encoded again.
    QString write(const QString& folder, const QString& text, QByteArrayView utf8 = {});
    // Writes what write() would, for a window not made yet, under a name of
    // its own in `folder` (or the private folder) for that window to
    // adopt(). Safe on any thread: a long page's file is written away from
    // the window's thread. "" on failure.
    static QString writeAhead(const QString& folder, const QString& text, QByteArrayView utf8 = {},
                              const QString& extension = QStringLiteral("html"));
    // Makes a file written ahead for `text` in `folder` this window's working
    // file, renamed to its name beside it. "" when there is none or that
    // fails; a file written ahead is gone either way.
    QString adopt(const QString& folder, const QString& text, const QString& aheadPath);
    // The path of the last successful write, and the text it wrote.
    QString path() const { return path_; }
    QString text() const { return text_; }
    // File name that marks the program's working files in a folder listing.
    static bool isWorkingFileName(const QString& fileName);
    // Removes the files this object wrote.
    void remove();

private:
    QString nameFor() const;
    static QStringList candidates(const QString& folder, const QString& name);
    static bool writeTo(const QString& path, const QString& text, QByteArrayView utf8);
    void written(const QString& path, const QString& folder, const QString& text);

    int slot_;
    QString extension_;
    QString path_;
    QStringList written_;
    // What the last write was asked for, and the size it left the file at.
    QString folder_;
    QString text_;
    qint64 size_ = -1;
};

}
