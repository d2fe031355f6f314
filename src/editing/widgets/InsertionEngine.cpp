#include "editing/widgets/InsertionEngine.h"

#include "document/DocumentRoutines.h"
#include "platform/CodeEditor.h"
#include "platform/DesignSurface.h"

namespace ink {

void applyCodeEdit(const EditTarget& target, const CodeEdit& edit)
{
    if (!target.code)
        return;
    target.code->replaceSelectedText(edit.replacement);
    if (!edit.keys.empty())
        target.code->applyKeys(edit.keys);
}

void replaceCodeSelection(const EditTarget& target, const QString& text)
{
    applyCodeEdit(target, replaceCodeSelection(text));
}

void wrapCodeSelection(const EditTarget& target, const QString& opening, const QString& closing)
{
    if (target.code)
        applyCodeEdit(target, wrapCodeSelection(target.code->selectedText(), opening, closing));
}

void toggleCodeTag(const EditTarget& target, const QString& tag)
{
    if (target.code)
        applyCodeEdit(target, toggleCodeTag(target.code->selectedText(), tag));
}

void insertAroundCodeSelection(const EditTarget& target, const QString& opening,
                               const QString& closing)
{
    CodeEditor* code = target.code;
    if (!code)
        return;
    CodeUndoGroup oneStep(code);
    const QString selected = code->selectedText();
    code->replaceSelectedText(opening + closing);
    code->runCommand(CodeCmd::CharRight);
    for (int i = 0; i < closing.size(); ++i)
        code->runCommand(CodeCmd::CharLeft);
    code->replaceSelectedText(selected);
}

void runDesignCommand(const EditTarget& target, int id)
{
    if (target.design)
        target.design->execCommand(id);
}

void runDesignCommand(const EditTarget& target, int id, const QString& value)
{
    if (target.design)
        target.design->execCommand(id, DesignOpt::Default, value);
}

void pasteAtDesignSelection(const EditTarget& target, const QString& html)
{
    if (target.design)
        target.design->pasteHtml(html);
}

QString selectedDesignHtml(const EditTarget& target)
{
    if (!target.design)
        return QString();
    const QString type = target.design->selectionType();
    if (type == QLatin1String("None") || type == QLatin1String("Text"))
        return target.design->selectionHtmlText();
    if (type == QLatin1String("Control"))
        return target.design->controlOuterHtml();
    return QString();
}

void wrapDesignSelection(const EditTarget& target, const QString& opening, const QString& closing,
                         DesignWrapOptions options)
{
    DesignSurface* design = target.design;
    if (!design)
        return;
    // The selected nodes move into the new element, so that the page's own
    // markup in them is kept as written.
    if (options.reselect && design->wrapSelection(opening, closing, options.stripBlock)) {
        focusDocument(target);
        return;
    }
    QString html = selectedDesignHtml(target);
    if (options.stripBlock)
        html = stripBlockWrapper(html);
    // The surface selects the wrapped content itself: counting characters of
    // the HTML would select more than the user sees when it holds markup.
    if (options.reselect)
        design->pasteHtmlSelectingInner(opening, html, closing);
    else
        design->pasteHtml(opening + html + closing);
    focusDocument(target);
}

void focusDocument(const EditTarget& target)
{
    if (target.focusDocument)
        target.focusDocument();
    else if (target.design && target.designView)
        target.design->setFocus();
    else if (target.code)
        target.code->setFocus();
}

}
