#include "projects/CommonDialog.h"

#include "projects/PathHelpers.h"

#include <QDir>

namespace ink {

namespace {

const QChar nul(0);

cCommonDialog::Responder& responderSlot()
{
    static cCommonDialog::Responder responder;
    return responder;
}

QStringList filterPieces(const QString& filter)
{
    QString normalised = filter;
    normalised.replace(QLatin1Char(':'), QLatin1Char('|'));
    QStringList pieces = normalised.split(QLatin1Char('|'));
    const int firstEmpty = pieces.indexOf(QString());
    if (firstEmpty >= 0)
        pieces = pieces.mid(0, firstEmpty);
    return pieces;
}

// The folder and the name of one path, as ParseMultiFileName reports a
// single selection.
void splitSinglePath(const QString& path, QString& folder, QString& name)
{
    const int last = path.lastIndexOf(QLatin1Char('/'));
    if (last <= 0) {
        folder.clear();
        name = path;
        return;
    }
    folder = path.left(last);
    name = path.mid(last + 1);
}

}

QList<FileFilter> parseFileFilter(const QString& filter)
{
    const QStringList pieces = filterPieces(filter);
    QList<FileFilter> result;
    for (int i = 0; i + 1 < pieces.size(); i += 2)
        result.append({pieces[i], pieces[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)});
    return result;
}

void cCommonDialog::ParseMultiFileName(QString& folder, QStringList& names, int& count) const
{
    names.clear();
    const int pairAt = Filename.indexOf(QString(2, nul));
    const QStringList parts = pairAt < 0 ? QStringList() : Filename.left(pairAt).split(nul);
    if (parts.size() < 2) {
        QString name;
        splitSinglePath(parts.isEmpty() ? Filename : parts.first(), folder, name);
        names.append(name);
        count = 1;
        return;
    }
    folder = parts.first();
    names = parts.mid(1);
    count = names.size();
}

void cCommonDialog::acceptSelection(const QStringList& paths)
{
    const bool several = (flags & AllowMultiSelect) && paths.size() > 1;
    if (!several) {
        Filename = paths.value(0);
        FileTitle = fileNameOfPath(Filename);
        return;
    }
    // Names are given relative to the first file's folder, so that folder,
    // "/" and a name always make the chosen path again.
    const QString folder = folderOfPath(paths.first());
    const QDir dir(folder.isEmpty() ? QStringLiteral("/") : folder);
    QString list = folder + nul;
    for (const QString& path : paths)
        list += dir.relativeFilePath(path) + nul;
    Filename = list + nul;
    FileTitle.clear();
}

void cCommonDialog::applyCancel()
{
    Filename.clear();
    FileTitle.clear();
    flags = 0;
    FilterIndex = -1;
    Filter.clear();
}

QString cCommonDialog::withDefaultExtension(const QString& path) const
{
    if (DefaultExt.isEmpty() || fileNameOfPath(path).contains(QLatin1Char('.')))
        return path;
    return path + QLatin1Char('.') + DefaultExt;
}

void cCommonDialog::setTestResponder(Responder responder)
{
    responderSlot() = std::move(responder);
}

const cCommonDialog::Responder& cCommonDialog::testResponder()
{
    return responderSlot();
}

}
