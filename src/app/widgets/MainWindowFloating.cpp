// The floating tool bar windows: docking and undocking the two strips, the
// floating bars' own commands, and the Formatting controls that follow the
// caret of the Design view on both the docked and the floating bar.
#include "app/widgets/MainWindow.h"

#include "app/widgets/FloatingToolWindow.h"
#include "app/widgets/ToolStrip.h"
#include "colourfont/widgets/ColorComboControl.h"
#include "colourfont/widgets/ColourCommands.h"
#include "colourfont/widgets/FontComboControl.h"
#include "document/widgets/DocumentWindow.h"
#include "editing/CaretFormatting.h"
#include "platform/DesignSurface.h"

#include <QComboBox>
#include <QSlider>
#include <QToolButton>

namespace ink {

void MainWindow::applyDocking(bool standard, const DockingOutcome& outcome)
{
    const QString prefix = standard ? QStringLiteral("st") : QStringLiteral("fo");
    if (QAction* a = action(prefix + QStringLiteral("docked")))
        a->setChecked(outcome.docked);
    if (QAction* a = action(prefix + QStringLiteral("visible")))
        a->setChecked(outcome.visible);
    ToolStrip* strip = standard ? stripB_ : stripFormatting_;
    QPointer<FloatingToolWindow>& floating = standard ? floatingStandard_ : floatingFormatting_;
    const bool wasFloating = floating && floating->isVisible();
    if (outcome.floatingShown && !wasFloating) {
        FloatingToolWindow* window = loadFloating(standard);
        if (!standard)
            copyFormattingChoices(stripFormatting_, window->strip());
        strip->setVisible(false);
        window->show();
        window->raise();
        return;
    }
    if (!outcome.floatingShown && wasFloating) {
        if (!standard && outcome.stripShown)
            copyFormattingChoices(floating->strip(), stripFormatting_);
        floating->hide();
    }
    strip->setVisible(outcome.stripShown);
}

FloatingToolWindow* MainWindow::loadFloating(bool standard)
{
    QPointer<FloatingToolWindow>& floating = standard ? floatingStandard_ : floatingFormatting_;
    if (floating)
        return floating;
    auto* window = standard
        ? new FloatingToolWindow(QStringLiteral("frmStandard"), QStringLiteral("Standard"), 4, this)
        : new FloatingToolWindow(QStringLiteral("frmFormatting"), QStringLiteral("Formatting"), 3, this);
    const ToolDispatcher dispatch = [this, standard](const QString& toolbar, const QString& key) {
        runFloatingButton(standard, toolbar, key);
    };
    StripWidgetFactories factories = stripFactories();
    factories.colorCombo = [this](QWidget* parent) -> QWidget* {
        auto* colour = new ColorComboControl(parent);
        connect(colour, &ColorComboControl::click, this,
                [this, colour] { floatingColourPicked(colour); });
        return colour;
    };
    ToolStrip* strip = standard ? createStandardStrip(dispatch, factories, window)
                                : createFormattingStrip(dispatch, factories, window);
    strip->setButtonMenu(QStringLiteral("Toolbar12"), QStringLiteral("bullets"),
                         menu(QStringLiteral("droppop")));
    window->setStrip(strip);
    if (!standard)
        connectFontControls(strip);
    window->applyPlacement();
    connect(window, &FloatingToolWindow::closedByUser, this, [this, standard] {
        DockingSwitches& pair = standard ? standardDocking_ : formattingDocking_;
        // At shutdown the Formatting bar keeps its menu marks for the next start.
        applyDocking(standard, pair.floatingClosed(!standard && flags_.appClosing));
    });
    floating = window;
    return window;
}

// The choices a Formatting bar shows move with it between the main window
// and the floating window: font, size text and slider, colour.
void MainWindow::copyFormattingChoices(ToolStrip* from, ToolStrip* to)
{
    const auto pair = [from, to](const char* name) {
        return std::make_pair(from->namedWidget(QString::fromLatin1(name)),
                              to->namedWidget(QString::fromLatin1(name)));
    };
    const auto [fontFrom, fontTo] = pair("FontComboControl1");
    auto* fontSource = qobject_cast<FontComboControl*>(fontFrom);
    auto* fontTarget = qobject_cast<FontComboControl*>(fontTo);
    if (fontSource && fontTarget) {
        if (fontSource->comboitem() > 0)
            fontTarget->setComboitem(fontSource->comboitem());
        else
            fontTarget->setTheFont(fontSource->CurFont());
    }
    const auto [sizeFrom, sizeTo] = pair("Combo1");
    auto* sizeSource = qobject_cast<QComboBox*>(sizeFrom);
    auto* sizeTarget = qobject_cast<QComboBox*>(sizeTo);
    if (sizeSource && sizeTarget)
        sizeTarget->setCurrentText(sizeSource->currentText());
    const auto [colourFrom, colourTo] = pair("ColorComboControl1");
    auto* colourSource = qobject_cast<ColorComboControl*>(colourFrom);
    auto* colourTarget = qobject_cast<ColorComboControl*>(colourTo);
    if (colourSource && colourTarget) {
        colourTarget->setColor(colourSource->Color());
        if (colourSource->comboitem() > 0)
            colourTarget->setComboitem(colourSource->comboitem());
    }
    const auto [sliderFrom, sliderTo] = pair("Slider1");
    auto* sliderSource = qobject_cast<QSlider*>(sliderFrom);
    auto* sliderTarget = qobject_cast<QSlider*>(sliderTo);
    if (sliderSource && sliderTarget) {
        sliderTarget->setRange(sliderSource->minimum(), sliderSource->maximum());
        sliderTarget->setValue(sliderSource->value());
    }
}

void MainWindow::runFloatingButton(bool standard, const QString& toolbar, const QString& key)
{
    if (standard) {
        if (toolbar == QLatin1String("Toolbar8")) {
            // Every button of this band docks the bar, "Preview in Browser" too.
            applyDocking(true, standardDocking_.dock());
        } else if (toolbar == QLatin1String("Toolbar2") && key == QLatin1String("cut")) {
            cut(false);
        } else if (toolbar == QLatin1String("Toolbar2") && key == QLatin1String("copy")) {
            copy(false);
        } else {
            runToolButton(toolbar, key);
        }
        return;
    }
    if (toolbar == QLatin1String("Toolbar12") && key == QLatin1String("undock"))
        applyDocking(false, formattingDocking_.dock());
    else if (toolbar == QLatin1String("Toolbar7"))
        return; // the floating slider keeps its range
    else if (toolbar == QLatin1String("Toolbar6") || key == QLatin1String("bullets"))
        runFloatingFormattingButton(key);
    else
        runToolButton(toolbar, key);
}

// Alignment and list buttons of the floating Formatting bar, which write
// their own markup in the Code view.
void MainWindow::runFloatingFormattingButton(const QString& key)
{
    const EditTarget t = editTarget();
    if (!t.code)
        return;
    if (key == QLatin1String("bullets")) {
        // The selection goes into the list item, as the docked button does.
        if (t.designView)
            wrapDesignSelection(t, QStringLiteral("<ul><li>"), QStringLiteral("</li></ul>"));
        else
            wrapCodeSelection(t, QStringLiteral("<ul><li>"), QStringLiteral("</li></ul>"));
        return;
    }
    const struct { const char* key; int id; const char* align; } aligns[] = {
        {"left", DesignCmd::JustifyLeft, "left"},
        {"center", DesignCmd::JustifyCenter, "center"},
        {"right", DesignCmd::JustifyRight, "right"},
    };
    for (const auto& a : aligns) {
        if (key != QLatin1String(a.key))
            continue;
        if (t.designView) {
            runDesignCommand(t, a.id);
            focusDocument(t);
        } else {
            wrapCodeSelection(t, QStringLiteral("<P align=%1>").arg(QLatin1String(a.align)),
                              QStringLiteral("</P>"));
        }
    }
}

// The floating bar's colour combo applies the picked colour in the
// main-window form. A text that names no colour ends the command: nothing is
// written, never an empty colour attribute.
void MainWindow::floatingColourPicked(ColorComboControl* combo)
{
    const std::optional<QString> colour = combo->chosenColourText(ColourForm::MainWindow, this);
    if (colour && !colour->isEmpty())
        applyComboColour(*colour, editTarget(), ComboHost::FormattingBar);
}

bool MainWindow::followCaret()
{
    QPointer<DocumentWindow> doc = activeWindow();
    if (!doc || !table_.at(doc->slot()).designViewShown || doc->design()->busy())
        return false;
    const bool docked = stripFormatting_->isVisible();
    const bool floating = floatingFormatting_ && floatingFormatting_->isVisible();
    if (!docked && !floating)
        return false;
    // One query for all of it, answered while the window goes on taking
    // input: a long page's engine may be busy for a while.
    doc->design()->queryStateLater(
        {DesignCmd::JustifyLeft, DesignCmd::JustifyRight, DesignCmd::JustifyCenter, DesignCmd::Bold,
         DesignCmd::Italic, DesignCmd::Underline},
        {DesignCmd::GetForeColor, DesignCmd::GetFontName, DesignCmd::GetFontSize}, this,
        [this, doc](const QStringList& state) {
            // The page may have closed, or another become active, meanwhile.
            if (doc && doc == activeWindow() && !state.isEmpty())
                showCaretState(state);
            caretFollowed();
        });
    return true;
}

void MainWindow::showCaretState(const QStringList& state)
{
    CaretReport report;
    report.alignLeft = state[0].toInt();
    report.alignRight = state[1].toInt();
    report.alignCenter = state[2].toInt();
    report.bold = state[3].toInt();
    report.italic = state[4].toInt();
    report.underline = state[5].toInt();
    report.foreColor = state[6];
    report.fontName = state[7];
    report.fontSize = state[8];
    const CaretFormatting formatting = caretFormatting(report);
    if (stripFormatting_->isVisible())
        showCaretFormatting(stripFormatting_, formatting);
    if (floatingFormatting_ && floatingFormatting_->isVisible())
        showCaretFormatting(floatingFormatting_->strip(), formatting);
}

// Shows the formatting without running any command: buttons are checked
// through their actions (no click), the combos are set, not activated.
void MainWindow::showCaretFormatting(ToolStrip* strip, const CaretFormatting& f)
{
    const struct { const char* toolbar; const char* key; bool pressed; } buttons[] = {
        {"Toolbar6", "left", f.alignLeft},   {"Toolbar6", "center", f.alignCenter},
        {"Toolbar6", "right", f.alignRight}, {"Toolbar4", "bold", f.bold},
        {"Toolbar4", "italic", f.italic},    {"Toolbar4", "underline", f.underline},
    };
    for (const auto& b : buttons) {
        QToolButton* button = strip->button(QLatin1String(b.toolbar), QLatin1String(b.key));
        if (QAction* action = button ? button->defaultAction() : nullptr)
            action->setChecked(b.pressed);
    }
    const auto named = [strip](const char* name) { return strip->namedWidget(QLatin1String(name)); };
    if (auto* colour = qobject_cast<ColorComboControl*>(named("ColorComboControl1")))
        colour->setComboitem(f.colourEntry);
    auto* font = qobject_cast<FontComboControl*>(named("FontComboControl1"));
    if (font && !f.fontName.isEmpty())
        font->setTheFont(f.fontName);
    if (f.fontSize) {
        if (auto* size = qobject_cast<QComboBox*>(named("Combo1")))
            size->setCurrentText(f.fontSizeText);
        if (auto* slider = qobject_cast<QSlider*>(named("Slider1")))
            slider->setValue(*f.fontSize);
    }
}

}
