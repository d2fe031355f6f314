#include "projects/widgets/Shell.h"

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
    // There are no questions to ask: an existing file is replaced either way.
    Q_UNUSED(noConfirmation);
    if (source.isEmpty() || destination.isEmpty())
        return false;
    const fs::path from = toPath(source);
    fs::path to = toPath(destination);
    std::error_code error;
    if (!fs::exists(from, error))
        return false;
    if (fs::is_directory(to, error))
        to /= from.filename().empty() ? from.parent_path().filename() : from.filename();
    if (fs::is_directory(from, error)) {
        if (isSameOrInside(to, from))
            return false;
        fs::create_directories(to, error);
        if (error)
            return false;
    }
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
    return !error;
}

}
