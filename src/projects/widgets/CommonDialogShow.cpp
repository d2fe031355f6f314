// The dialogs behind cCommonDialog: a QFileDialog built from its properties.
#include "projects/CommonDialog.h"

#include <QFileDialog>
#include <QRegularExpression>
#include <algorithm>

namespace ink {

namespace {

QStringList qtNameFilters(const QString& filter)
{
    QStringList result;
    for (const FileFilter& entry : parseFileFilter(filter)) {
        // "*.*" means every file in the filter texts the program uses, but the
        // dialog would take it literally and hide names without a dot.
        QStringList list = entry.patterns;
        list.replaceInStrings(QRegularExpression(QStringLiteral("^\\*\\.\\*$")), QStringLiteral("*"));
        const QString patterns = list.isEmpty() ? QStringLiteral("*") : list.join(QLatin1Char(' '));
        result.append(entry.description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return result;
}

QFileDialog::FileMode fileModeFor(quint32 flags, bool saving)
{
    if (saving)
        return QFileDialog::AnyFile;
    if (flags & cCommonDialog::AllowMultiSelect)
        return QFileDialog::ExistingFiles;
    if (flags & cCommonDialog::FileMustExist)
        return QFileDialog::ExistingFile;
    return QFileDialog::AnyFile;
}

}

bool cCommonDialog::ShowOpen()
{
    return show(false);
}

bool cCommonDialog::ShowSave()
{
    return show(true);
}

bool cCommonDialog::show(bool saving)
{
    if (FilterIndex == 0)
        FilterIndex = 1;
    QStringList paths = testResponder() ? testResponder()(*this) : runDialog(saving);
    paths.removeAll(QString());
    if (paths.isEmpty()) {
        applyCancel();
        return false;
    }
    if (saving)
        std::transform(paths.begin(), paths.end(), paths.begin(),
                       [this](const QString& path) { return withDefaultExtension(path); });
    acceptSelection(paths);
    return true;
}

QStringList cCommonDialog::runDialog(bool saving)
{
    QFileDialog dialog(hwnd, DialogTitle, InitDir);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(fileModeFor(flags, saving));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, (flags & CallerConfirmsReplace) != 0);
    const QStringList nameFilters = qtNameFilters(Filter);
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
        dialog.selectNameFilter(nameFilters.value(FilterIndex - 1, nameFilters.first()));
    }
    if (!DefaultExt.isEmpty())
        dialog.setDefaultSuffix(DefaultExt);
    // The old single file name is offered again, as a starting point.
    if (!Filename.isEmpty() && !Filename.contains(QChar(0)))
        dialog.selectFile(Filename);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    if (!nameFilters.isEmpty())
        FilterIndex = nameFilters.indexOf(dialog.selectedNameFilter()) + 1;
    return dialog.selectedFiles();
}

}
