// The Style menu: the five style target options, New Style, Import and
// Export Style, and the property commands with their dialogs.
#include "app/widgets/MainWindow.h"

#include "colourfont/ColourModel.h"
#include "colourfont/widgets/ColourDialog.h"
#include "document/widgets/DocumentWindow.h"
#include "styles/widgets/StyleCommands.h"

#include <QAction>

namespace ink {

namespace {
const struct {
    const char* item;
    StyleOption option;
} styleOptionItems[] = {
    {"insertbrackets", StyleOption::Brackets}, {"styleequals", StyleOption::StyleEquals},
    {"tagapply", StyleOption::TagApply},       {"classapply", StyleOption::ClassApply},
    {"idapply", StyleOption::IdApply},
};
}

void MainWindow::registerStyleCommands()
{
    for (const auto& entry : styleOptionItems) {
        const StyleOption option = entry.option;
        commands_.insert(QString::fromLatin1(entry.item), [this, option] { styleOptionClicked(option); });
    }
    commands_.insert(QStringLiteral("style"), [this] { newStyle(editTarget()); });
    commands_.insert(QStringLiteral("importstyle"), [this] { importStyle(editTarget(), this); });
    commands_.insert(QStringLiteral("exportstyle"), [this] {
        DocumentWindow* doc = activeWindow();
        exportStyle(editTarget(), doc ? table_.at(doc->slot()).folder : QString(), this);
    });
    // The options are read when a declaration is written, not when its
    // dialog opens.
    CssDialogServices services;
    services.write = [this](const QString& declaration) {
        insertStyleRule(editTarget(), styleMarks_, declaration);
    };
    services.askColour = [](QWidget* owner) -> std::optional<QString> {
        const std::optional<ColourValue> colour = chooseColour(owner);
        if (!colour)
            return std::nullopt;
        return clrlong2hex(*colour);
    };
    for (const StyleCommand& command : styleCommands())
        commands_.insert(QString::fromLatin1(command.menuItem),
                         [this, &command, services] { runStyleCommand(command, this, services); });
}

void MainWindow::styleOptionClicked(StyleOption option)
{
    // The menu's own toggling of the clicked mark is overwritten: the marks
    // follow the option rules from what they were before the click.
    styleMarks_ = clickStyleOption(styleMarks_, option);
    showStyleMarks();
}

void MainWindow::showStyleMarks()
{
    for (const auto& entry : styleOptionItems)
        if (QAction* a = action(QString::fromLatin1(entry.item)))
            a->setChecked(styleOption(styleMarks_, entry.option));
}

}
