#include "editing/widgets/EditingCommands.h"

#include "base/Wait.h"
#include "editing/EditingCommandTable.h"
#include "editing/FontControls.h"
#include "platform/CodeEditor.h"
#include "platform/DesignSurface.h"

#include <QPointer>

namespace ink {

namespace {

void runCodePath(const EditingCommand& command, const EditTarget& target)
{
    if (!target.code)
        return;
    const std::optional<CodeEdit> edit = codeEditForCommand(command, target.code->selectedText());
    if (edit)
        applyCodeEdit(target, *edit);
}

// A list item holds the selected content, moved there with its own markup;
// an item made at a caret gets a non-breaking space so that it shows. What
// the item holds is left selected, so that typing replaces the blank.
void pasteDesignList(const EditingCommand& command, const EditTarget& target)
{
    if (target.design->wrapSelection(command.designOpening, command.designClosing, false))
        return;
    QString html = target.design->selectionHtmlText();
    if (html.isEmpty())
        html = QStringLiteral("&nbsp;");
    target.design->pasteHtmlSelectingInner(command.designOpening, html, command.designClosing);
}

void runDesignPath(const EditingCommand& command, const EditTarget& target)
{
    if (!target.design)
        return;
    switch (command.designOperation) {
    case DesignOperation::CodeOnly:
        return;
    case DesignOperation::Command:
        runDesignCommand(target, command.designCommand);
        break;
    case DesignOperation::Wrap:
        // Gives the focus back itself.
        wrapDesignSelection(target, command.designOpening, command.designClosing,
                            {command.stripBlock, command.reselect});
        return;
    case DesignOperation::Paste:
        pasteAtDesignSelection(target, command.designOpening);
        if (!command.designKeys.empty())
            target.design->applyKeys(command.designKeys);
        break;
    case DesignOperation::List:
        pasteDesignList(command, target);
        break;
    }
    if (command.focusAfter)
        focusDocument(target);
}

void runCommand(const EditingCommand& command, const EditTarget& target)
{
    if (target.designView && command.designOperation != DesignOperation::CodeOnly)
        runDesignPath(command, target);
    else
        runCodePath(command, target);
}

// The Design view's font commands leave the focus in the document window
// and move it on with Tab, as the font pickers always have.
void setDesignFont(const QString& font, const EditTarget& target)
{
    if (!target.design)
        return;
    runDesignCommand(target, DesignCmd::SetFontName, font);
    focusDocument(target);
    target.design->applyKeys({Key::Tab});
}

// The slider's recipe in the Code view: the empty element first, the caret
// put between its tags, then the old text put back there after a pause.
void sliderCodeRecipe(int value, const EditTarget& target)
{
    QPointer<CodeEditor> code = target.code;
    const QString selected = code->selectedText();
    code->beginUndoGroup();
    code->replaceSelectedText(fontSizeOpening(QString::number(value)) + fontClosing());
    KeySequence keys{Key::Right};
    appendKeys(keys, Key::Left, fontClosing().size());
    code->applyKeys(keys);
    waitSeconds(0.1);
    // The user may close the page during the pause.
    if (code) {
        code->replaceSelectedText(selected);
        code->endUndoGroup();
    }
}

}

bool runEditingCommand(const QString& name, const EditTarget& target)
{
    const EditingCommand* command = findEditingCommand(name);
    if (!command)
        return false;
    runCommand(*command, target);
    return true;
}

bool runEditingToolbarButton(const QString& key, const EditTarget& target)
{
    const EditingCommand* command = findEditingCommandForToolbarKey(key);
    if (!command)
        return false;
    runCommand(*command, target);
    return true;
}

std::optional<int> fontSizeComboChosen(const QString& text, const EditTarget& target)
{
    const std::optional<int> value = sliderValueForSizeText(text);
    if (target.designView) {
        if (target.design) {
            runDesignCommand(target, DesignCmd::SetFontSize, text);
            focusDocument(target);
        }
    } else {
        insertAroundCodeSelection(target, fontSizeOpening(text), fontClosing());
    }
    return value;
}

QString fontSizeSliderReleased(int value, const EditTarget& target)
{
    if (target.designView) {
        if (target.design) {
            runDesignCommand(target, DesignCmd::SetFontSize, QString::number(value));
            focusDocument(target);
        }
    } else if (target.code) {
        sliderCodeRecipe(value, target);
    }
    return QString::number(value);
}

void fontFaceChosen(const QString& font, const EditTarget& target)
{
    if (target.designView)
        setDesignFont(font, target);
    else
        insertAroundCodeSelection(target, fontFaceOpening(font), fontClosing());
}

void fontTabClicked(const QString& caption, const EditTarget& target)
{
    if (target.designView) {
        setDesignFont(caption, target);
        return;
    }
    if (!target.code)
        return;
    // The tab strip took the focus; it goes back to the page before the
    // caret keys run.
    const CodeEdit edit = wrapCodeSelection(target.code->selectedText(),
                                            fontFaceOpening(caption), fontClosing());
    target.code->replaceSelectedText(edit.replacement);
    focusDocument(target);
    target.code->applyKeys(edit.keys);
}

}
