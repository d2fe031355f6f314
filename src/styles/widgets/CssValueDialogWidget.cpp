#include "styles/widgets/CssValueDialogWidget.h"

#include "base/widgets/Prompts.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace ink {

CssValueDialogWidget::CssValueDialogWidget(QWidget* owner, const CssValueDialog& table,
                                           CssDialogServices services)
    : CssDialogWindow(owner, table.name, table.caption), table_(table), services_(std::move(services))
{
    auto* layout = new QGridLayout(this);
    auto* group = new QButtonGroup(this);
    for (int row = 0; row < int(table.choices.size()); ++row) {
        const CssValueChoice& choice = table.choices[row];
        auto* button = new QRadioButton(QString::fromLatin1(choice.caption), this);
        button->setObjectName(QString::fromLatin1(choice.control));
        button->setAccessibleName(button->text());
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(choice.box));
        box->setAccessibleName(button->text());
        box->setToolTip(button->text());
        box->setFixedWidth(80);
        group->addButton(button);
        layout->addWidget(button, row, 0);
        layout->addWidget(box, row, 1);
        buttons_.push_back(button);
        boxes_.push_back(box);
        connect(button, &QRadioButton::clicked, this, [this, row] { select(row); });
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setAccessibleName(ok->text());
    ok->setDefault(true);
    layout->addWidget(ok, int(table.choices.size()), 1);
    connect(ok, &QPushButton::clicked, this, &CssValueDialogWidget::accept);
    buttons_.front()->setChecked(true);
    for (size_t i = 1; i < boxes_.size(); ++i)
        boxes_[i]->setEnabled(false);
    boxes_.front()->setFocus();
}

void CssValueDialogWidget::select(int row)
{
    selected_ = row;
    for (int i = 0; i < int(boxes_.size()); ++i)
        boxes_[i]->setEnabled(i == row);
    boxes_[row]->setFocus();
}

void CssValueDialogWidget::accept()
{
    QString problem;
    const std::optional<QString> declaration
        = cssValueDeclaration(table_.choices[selected_], boxes_[selected_]->text(), &problem);
    if (!declaration) {
        Prompts::current().warning(this, windowTitle(), problem);
        boxes_[selected_]->setFocus();
        boxes_[selected_]->selectAll();
        return;
    }
    services_.write(*declaration);
    close();
}

}
