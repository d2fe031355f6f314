#include "platform/widgets/CodeEditorProperties.h"

#include "platform/widgets/CodeDialogNaming.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ink {

CodeEditorProperties::CodeEditorProperties(const CodeEditorSettings& current, QWidget* parent)
    : QDialog(parent), baseFont_(current.font)
{
    setWindowTitle(tr("Properties"));
    build();
    family_->setCurrentFont(current.font);
    size_->setValue(current.font.pointSize() > 0 ? current.font.pointSize() : 10);
    tabWidth_->setValue(current.tabWidth);
    lineNumbers_->setChecked(current.lineNumbers);
}

void CodeEditorProperties::build()
{
    family_ = namedWidget(new QFontComboBox(this), "fontFamily", tr("Font"));
    size_ = namedWidget(new QSpinBox(this), "fontSize", tr("Font size"));
    size_->setRange(6, 72);
    tabWidth_ = namedWidget(new QSpinBox(this), "tabWidth", tr("Tab width"));
    tabWidth_->setRange(1, 16);
    lineNumbers_ = namedWidget(new QCheckBox(tr("Line numbers"), this), "lineNumbers", tr("Line numbers"));

    auto* form = new QFormLayout;
    form->addRow(tr("Font:"), family_);
    form->addRow(tr("Font size:"), size_);
    form->addRow(tr("Tab width:"), tabWidth_);
    form->addRow(QString(), lineNumbers_);

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Apply | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        emit applied(settings());
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            [this] { emit applied(settings()); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

CodeEditorSettings CodeEditorProperties::settings() const
{
    CodeEditorSettings result;
    result.font = baseFont_;
    result.font.setFamily(family_->currentFont().family());
    result.font.setPointSize(size_->value());
    result.tabWidth = tabWidth_->value();
    result.lineNumbers = lineNumbers_->isChecked();
    return result;
}

}
