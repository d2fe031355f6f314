#pragma once
#include "colourfont/ColourCube.h"
#include "colourfont/ColourMarkup.h"
#include "editing/widgets/InsertionEngine.h"

#include <QHash>
#include <QWidget>
#include <functional>

class QToolBar;
class QToolButton;

namespace ink {

class ColourBox;

// The palette on the side panel's "Colorcube" page: the page colour picker
// `background` with the text colour picker `fgpick` and the selection
// background picker `bgpick` drawn on it, sixteen swatches named after their
// start colours ("white", "black", ... "purple"), and the tool bar `Toolbar5`
// whose "Colorcube" button opens a colour cube file and whose menu also saves
// one.
//
// A swatch's left button applies its colour to the page, its right button
// recolours it through the colour dialog; a picker click chooses a colour and
// applies it. The page is the one the target provider names. Colours last for
// the run; a cube file keeps them across runs.
class ColourPanel : public QWidget {
    Q_OBJECT
public:
    explicit ColourPanel(QWidget* parent = nullptr);

    void setTargetProvider(std::function<EditTarget()> provider);

    // A swatch or picker by name; null for any other name.
    ColourBox* box(const QString& name) const;
    QToolButton* cubeButton() const { return cubeButton_; }

    // The swatch colours in cube file line order, and loading them back;
    // a line without a value leaves its swatch as it is.
    CubeValues cubeValues() const;
    void applyCube(const CubeReading& reading);

    // The Toolbar5 commands: "open" (the button), "opencc", "savecc".
    void runCubeCommand(const QString& key);
    void openCube();
    void saveCube();
    // The path of the last cube file chosen in this run.
    QString cubePath() const { return cubePath_; }

    QSize sizeHint() const override;

private:
    void buildPickers();
    void buildSwatches();
    void buildCubeBar();
    void swatchPressed(ColourBox* swatch, Qt::MouseButton button);
    void pickerClicked(ColourBox* picker, ColourTool tool);
    EditTarget target() const;

    std::function<EditTarget()> targetProvider_;
    QHash<QString, ColourBox*> boxes_;
    QToolBar* cubeBar_ = nullptr;
    QToolButton* cubeButton_ = nullptr;
    QString cubePath_;
};

}
