#include "projects/widgets/Shell.h"

#include "base/widgets/Prompts.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>
#include <filesystem>
#include <system_error>

namespace ink {

namespace fs = std::filesystem;

namespace {

std::function<QString(const QString&, const QString&)>& folderResponder()
{
    static std::function<QString(const QString&, const QString&)> responder;
    return responder;
}

bool looksLikeAddress(const QString& file)
{
    return file.contains(QLatin1String("://")) || file.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive);
}

void openWithDesktop(const QString& file, const QString& parameters)
{
    if (looksLikeAddress(file)) {
        QDesktopServices::openUrl(QUrl(file));
        return;
    }
    const QFileInfo info(file);
    if (info.isFile() && info.isExecutable()) {
        QProcess::startDetached(file, QProcess::splitCommand(parameters));
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

void printWithLp(const QString& file)
{
    const QString lp = QStandardPaths::findExecutable(QStringLiteral("lp"));
    if (!lp.isEmpty())
        QProcess::startDetached(lp, {file});
}

fs::path toPath(const QString& text)
{
    return fs::path(text.toStdString());
}

// True when `inner` is `outer` or lies inside it: copying a folder into
// itself would never end.
bool isSameOrInside(const fs::path& inner, const fs::path& outer)
{
    std::error_code error;
    const fs::path a = fs::weakly_canonical(inner, error);
    const fs::path b = fs::weakly_canonical(outer, error);
    auto mismatch = std::mismatch(b.begin(), b.end(), a.begin(), a.end());
    return mismatch.first == b.end();
}

struct CopyRun {
    bool askBeforeReplacing = true;
    bool complete = true; // false once the user kept a file that was in the way
};

// Whether an existing file may be replaced: the user is asked unless the
// caller asked for no questions.
bool mayReplace(const fs::path& target, const CopyRun& run)
{
    if (!run.askBeforeReplacing)
        return true;
    const QString name = QString::fromStdString(target.string());
    return Prompts::current().askYesNo(
        nullptr, QStringLiteral("Copy"),
        QStringLiteral("The file \"%1\" already exists. Replace it?").arg(name));
}

bool copyOneFile(const fs::path& from, const fs::path& to, CopyRun& run)
{
    std::error_code error;
    if (fs::exists(to, error)) {
        if (fs::is_directory(to, error) || fs::equivalent(from, to, error))
            return false;
        if (!mayReplace(to, run)) {
            run.complete = false;
            return true;
        }
    }
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
    return !error;
}

// Copies a folder file by file; stops at the first failure, so that a copy
// that broke off part-way is reported as failed.
bool copyTree(const fs::path& from, const fs::path& to, CopyRun& run)
{
    std::error_code error;
    if (!fs::is_directory(to, error) && !fs::create_directories(to, error))
        return false;
    fs::directory_iterator entries(from, error);
    if (error)
        return false;
    for (const fs::directory_entry& entry : entries) {
        const fs::path target = to / entry.path().filename();
        const bool copied = entry.is_directory(error) ? copyTree(entry.path(), target, run)
                                                      : copyOneFile(entry.path(), target, run);
        if (!copied)
            return false;
    }
    return true;
}

}

void shellOpen(const QString& verb, const QString& file, const QString& parameters)
{
    if (file.isEmpty())
        return;
    if (verb.compare(QLatin1String("open"), Qt::CaseInsensitive) == 0)
        openWithDesktop(file, parameters);
    else if (verb.compare(QLatin1String("print"), Qt::CaseInsensitive) == 0)
        printWithLp(file);
}

QString browseForFolder(const QString& startFolder, QWidget* owner, const QString& prompt)
{
    if (folderResponder())
        return folderResponder()(startFolder, prompt);
    return QFileDialog::getExistingDirectory(owner, prompt, startFolder);
}

void setBrowseForFolderResponder(std::function<QString(const QString&, const QString&)> responder)
{
    folderResponder() = std::move(responder);
}

bool shellCopy(const QString& source, const QString& destination, bool noConfirmation)
{
    if (source.isEmpty() || destination.isEmpty())
        return false;
    const fs::path from = toPath(source);
    fs::path to = toPath(destination);
    std::error_code error;
    if (!fs::exists(from, error))
        return false;
    if (fs::is_directory(to, error))
        to /= from.filename().empty() ? from.parent_path().filename() : from.filename();
    CopyRun run;
    run.askBeforeReplacing = !noConfirmation;
    if (fs::is_directory(from, error)) {
        if (isSameOrInside(to, from))
            return false;
        return copyTree(from, to, run) && run.complete;
    }
    return copyOneFile(from, to, run) && run.complete;
}

}
