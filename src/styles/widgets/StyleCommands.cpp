#include "styles/widgets/StyleCommands.h"

#include "base/widgets/Prompts.h"
#include "document/PageFile.h"
#include "platform/CodeEditor.h"
#include "projects/CommonDialog.h"
#include "projects/PathHelpers.h"
#include "styles/widgets/CssChoiceDialogWidget.h"
#include "styles/widgets/CssValueDialogWidget.h"

#include <QFileInfo>

namespace ink {

namespace {

cCommonDialog styleFileDialog(const QString& title, QWidget* owner)
{
    cCommonDialog dialog;
    dialog.DialogTitle = title;
    dialog.hwnd = owner;
    dialog.Filter = styleSheetFilter();
    return dialog;
}

// False when the file exists and the user does not want it replaced.
bool mayReplace(const QString& path, QWidget* owner)
{
    if (!QFileInfo::exists(path))
        return true;
    return Prompts::current().askYesNo(
        owner, QStringLiteral("Export Style"),
        QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(fileNameOfPath(path)));
}

}

void insertStyleRule(const EditTarget& target, const StyleOptions& options,
                     const QString& declaration)
{
    CodeEditor* code = target.code;
    if (!code)
        return;
    CodeUndoGroup oneStep(code);
    code->replaceSelectedText(styleRuleText(options, declaration));
    // The written text is left selected with its anchor at its start.
    const int start = std::min(code->selectionAnchor(), code->caretPosition());
    const RuleSelection selection = styleRuleSelection(options, declaration);
    code->setSelection(start + selection.anchor, start + selection.caret);
    focusDocument(target);
}

void newStyle(const EditTarget& target)
{
    if (target.designView) {
        pasteAtDesignSelection(target, styleBlockText());
        return;
    }
    if (!target.code)
        return;
    CodeUndoGroup oneStep(target.code);
    target.code->replaceSelectedText(styleBlockText());
    // After "</style>", then two lines up to the start of the empty line.
    target.code->applyKeys({Key::Right, Key::Up, Key::Up, Key::Home});
    focusDocument(target);
}

void importStyle(const EditTarget& target, QWidget* owner)
{
    if (!target.code)
        return;
    cCommonDialog dialog = styleFileDialog(QStringLiteral("Open"), owner);
    dialog.flags = cCommonDialog::FileMustExist | cCommonDialog::HideReadOnly;
    if (!dialog.ShowOpen() || dialog.Filename.isEmpty())
        return;
    const PageFileContent content = readPageFile(dialog.Filename);
    if (!content.ok) {
        Prompts::current().warning(owner, QStringLiteral("Import Style"), content.error);
        return;
    }
    target.code->replaceSelectedText(content.text);
    focusDocument(target);
}

void exportStyle(const EditTarget& target, const QString& pageFolder, QWidget* owner)
{
    if (!target.code)
        return;
    cCommonDialog dialog = styleFileDialog(QStringLiteral("Save As"), owner);
    dialog.flags = cCommonDialog::HideReadOnly | cCommonDialog::CallerConfirmsReplace;
    if (!dialog.ShowSave() || dialog.Filename.isEmpty())
        return;
    const QString path = styleSheetPath(dialog.Filename);
    if (!mayReplace(path, owner))
        return;
    QString error;
    if (!writePageFile(path, target.code->selectedText(), PageEncoding{}, &error)) {
        Prompts::current().warning(owner, QStringLiteral("Export Style"), error);
        return;
    }
    target.code->replaceSelectedText(styleSheetLink(path, pageFolder));
    focusDocument(target);
}

CssDialogWindow* openCssDialog(const QString& name, QWidget* owner, const CssDialogServices& services)
{
    CssDialogWindow* dialog = nullptr;
    if (const CssChoiceDialog* table = cssChoiceDialog(name))
        dialog = new CssChoiceDialogWidget(owner, *table, services);
    else if (const CssValueDialog* valueTable = cssValueDialog(name))
        dialog = new CssValueDialogWidget(owner, *valueTable, services);
    if (dialog)
        dialog->present();
    return dialog;
}

void runStyleCommand(const StyleCommand& command, QWidget* owner, const CssDialogServices& services)
{
    const QString text = QString::fromLatin1(command.text);
    switch (command.kind) {
    case StyleCommand::Fixed:
        services.write(text);
        break;
    case StyleCommand::Colour:
        if (const std::optional<QString> colour = services.askColour(owner))
            services.write(text + *colour);
        break;
    case StyleCommand::Dialog:
        openCssDialog(text, owner, services);
        break;
    }
}

}
