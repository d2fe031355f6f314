#include "colourfont/widgets/ColourCommands.h"

#include "editing/CodeEdits.h"
#include "platform/CodeEditor.h"
#include "platform/DesignSurface.h"

namespace ink {

namespace {

// One replacement of the selection, so that nothing can come between taking
// the text out and putting it back.
void wrapInFontColour(const QString& colour, const EditTarget& target)
{
    if (!target.code)
        return;
    applyCodeEdit(target, insertAroundCodeSelection(target.code->selectedText(),
                                                    fontColourOpening(colour),
                                                    QStringLiteral("</FONT>")));
}

}

void applyComboColour(const QString& colour, const EditTarget& target, ComboHost host)
{
    const bool mainWindow = host == ComboHost::MainWindow;
    if (target.designView) {
        if (!target.design)
            return;
        runDesignCommand(target, DesignCmd::SetForeColor, colour);
        focusDocument(target);
        if (mainWindow)
            target.design->applyKeys({Key::Tab});
        return;
    }
    wrapInFontColour(colour, target);
    if (mainWindow)
        focusDocument(target);
}

void applyToolColour(ColourTool tool, const QString& colour, const EditTarget& target)
{
    if (!target.designView) {
        replaceCodeSelection(target, colourToolCodeText(tool, colour));
        return;
    }
    if (!target.design)
        return;
    switch (tool) {
    case ColourTool::Swatch:
    case ColourTool::TextColour:
        runDesignCommand(target, DesignCmd::SetForeColor, colour);
        break;
    case ColourTool::SelectionBackground:
        runDesignCommand(target, DesignCmd::SetBackColor, colour);
        break;
    case ColourTool::PageBackground:
        target.design->setBgColor(colour);
        break;
    }
    focusDocument(target);
}

}
