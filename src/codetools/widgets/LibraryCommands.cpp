#include "codetools/widgets/LibraryCommands.h"

#include "base/widgets/Prompts.h"
#include "codetools/LibraryFiles.h"
#include "document/PageFile.h"
#include "platform/CodeEditor.h"
#include "projects/CommonDialog.h"
#include "projects/PathHelpers.h"

#include <QFileInfo>

namespace ink {

namespace {

const QString ImportTitle = QStringLiteral("Import File");
const QString ExportTitle = QStringLiteral("Export File");

cCommonDialog libraryDialog(QWidget* owner, const QString& title)
{
    cCommonDialog dialog;
    dialog.DialogTitle = title;
    dialog.hwnd = owner;
    dialog.InitDir = libraryFolder();
    dialog.Filter = libraryFilter();
    dialog.FilterIndex = 1;
    return dialog;
}

}

void importLibraryFile(CodeEditor* code, QWidget* owner)
{
    if (!code)
        return;
    cCommonDialog dialog = libraryDialog(owner, QStringLiteral("Open"));
    dialog.flags = cCommonDialog::FileMustExist | cCommonDialog::HideReadOnly;
    if (!dialog.ShowOpen() || dialog.Filename.isEmpty())
        return;
    const PageFileContent content = readPageFile(dialog.Filename);
    if (!content.ok) {
        Prompts::current().warning(owner, ImportTitle, content.error);
        return;
    }
    code->replaceSelectedText(content.text);
}

void exportLibraryFile(CodeEditor* code, QWidget* owner)
{
    if (!code)
        return;
    cCommonDialog dialog = libraryDialog(owner, QStringLiteral("Save As"));
    dialog.flags |= cCommonDialog::CallerConfirmsReplace;
    if (!dialog.ShowSave() || dialog.Filename.isEmpty())
        return;
    const QString path = dialog.Filename;
    const QString problem = snippetNameProblem(path);
    if (!problem.isEmpty()) {
        Prompts::current().warning(owner, ExportTitle, problem);
        return;
    }
    if (QFileInfo::exists(path)
        && !Prompts::current().askYesNo(owner, ExportTitle,
                                         QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                             .arg(fileNameOfPath(path))))
        return;
    const QString text = code->selectedText();
    QString error;
    if (!writePageFile(path, text, detectPageEncoding(text.toUtf8()), &error))
        Prompts::current().warning(owner, ExportTitle, error);
}

}
