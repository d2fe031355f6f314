#include "document/RunOwnership.h"

#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <sys/types.h>

namespace ink {

namespace {

qint64 ownerIn(const QRegularExpression& pattern, const QString& name)
{
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return 0;
    bool ok = false;
    const qint64 pid = match.captured(1).toLongLong(&ok);
    return ok && pid > 0 ? pid : 0;
}

}

bool processExists(qint64 pid)
{
    if (pid <= 0 || pid != qint64(pid_t(pid)))
        return false;
    if (::kill(pid_t(pid), 0) == 0)
        return true;
    return errno == EPERM;
}

qint64 workingFileOwner(const QString& fileName)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\.inkpress-work-([0-9]{1,10})-[0-9]{1,10}\\.[A-Za-z]{1,8}$"));
    return ownerIn(pattern, fileName);
}

qint64 privateFolderOwner(const QString& folderName)
{
    static const QRegularExpression pattern(QStringLiteral("^inkpress-([0-9]{1,10})-[A-Za-z0-9]{6,}$"));
    return ownerIn(pattern, folderName);
}

QString privateFolderTemplate(qint64 pid)
{
    return QStringLiteral("inkpress-%1-XXXXXX").arg(pid);
}

QStringList strayWorkingFiles(const QStringList& fileNames, qint64 ownPid, const ProcessAlive& alive)
{
    QStringList stray;
    for (const QString& name : fileNames) {
        const qint64 owner = workingFileOwner(name);
        if (isLeftByDeadRun(owner, ownPid, alive))
            stray << name;
    }
    return stray;
}

bool isLeftByDeadRun(qint64 writerPid, qint64 ownPid, const ProcessAlive& alive)
{
    return writerPid > 0 && writerPid != ownPid && !alive(writerPid);
}

}
