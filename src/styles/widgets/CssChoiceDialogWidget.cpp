#include "styles/widgets/CssChoiceDialogWidget.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ink {

namespace {
// The option buttons stand in one column at a 24-pixel pitch.
constexpr int RowPitch = 24;
}

CssChoiceDialogWidget::CssChoiceDialogWidget(QWidget* owner, const CssChoiceDialog& table,
                                             CssDialogServices services)
    : CssDialogWindow(owner, table.name, table.caption), services_(std::move(services))
{
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    auto* group = new QButtonGroup(this);
    for (const CssChoice& choice : table.choices) {
        auto* button = new QRadioButton(QString::fromLatin1(choice.caption), this);
        button->setObjectName(QString::fromLatin1(choice.control));
        button->setAccessibleName(button->text());
        button->setMinimumHeight(RowPitch);
        button->setMinimumWidth(160);
        group->addButton(button);
        layout->addWidget(button);
        connect(button, &QRadioButton::clicked, this, [this, &choice] { choose(choice); });
    }
}

void CssChoiceDialogWidget::choose(const CssChoice& choice)
{
    // A second click arriving before the dialog is gone writes nothing more.
    if (committed_)
        return;
    committed_ = true;
    const QString declaration = QString::fromLatin1(choice.declaration);
    if (!choice.asksColour) {
        services_.write(declaration);
    } else if (services_.askColour) {
        if (const std::optional<QString> colour = services_.askColour(this))
            services_.write(declaration + *colour);
    }
    close();
}

}
