#include "projects/PathHelpers.h"

#include <QDir>

namespace ink {

namespace {
const QChar separator = QLatin1Char('/');
}

QString folderOfPath(const QString& path)
{
    const int last = path.lastIndexOf(separator);
    if (last < 0)
        return QString();
    // Parts before the last one, each followed by "/", then the final "/"
    // removed: exactly the text before the last separator.
    return path.left(last);
}

QString fileNameOfPath(const QString& path)
{
    return path.mid(path.lastIndexOf(separator) + 1);
}

QString baseNameOfPath(const QString& path)
{
    const QString name = fileNameOfPath(path);
    const int lastDot = name.lastIndexOf(QLatin1Char('.'));
    if (lastDot < 0)
        return QString();
    return name.left(lastDot);
}

QString substr(const QString& text, int leftCount, int rightCount)
{
    if (leftCount < 0 || rightCount < 0)
        return QString();
    return text.left(leftCount).right(rightCount);
}

QString absolutePath(const QString& path)
{
    if (path.isEmpty())
        return path;
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

}
