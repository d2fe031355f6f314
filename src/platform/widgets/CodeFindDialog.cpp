#include "platform/widgets/CodeFindDialog.h"

#include "platform/widgets/CodeDialogNaming.h"
#include "platform/widgets/ScintillaSearch.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <Qsci/qsciscintillabase.h>

namespace ink {

CodeFindDialog::CodeFindDialog(QsciScintillaBase* editor, Mode mode, QWidget* parent)
    : QDialog(parent), editor_(editor), mode_(mode)
{
    setWindowTitle(mode == Mode::Find ? tr("Find") : tr("Replace"));
    setModal(false);
    build();
}

void CodeFindDialog::build()
{
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addLayout(buildFields());
    status_ = namedWidget(new QLabel(this), "status", tr("Search result"));
    left->addWidget(status_);
    left->addStretch();
    layout->addLayout(left);
    layout->addLayout(buildButtons());
}

QLayout* CodeFindDialog::buildFields()
{
    auto* grid = new QGridLayout;
    what_ = namedWidget(new QLineEdit(this), "findWhat", tr("Find what"));
    auto* whatLabel = new QLabel(tr("Find what:"), this);
    whatLabel->setBuddy(what_);
    grid->addWidget(whatLabel, 0, 0);
    grid->addWidget(what_, 0, 1);
    if (mode_ == Mode::Replace) {
        with_ = namedWidget(new QLineEdit(this), "replaceWith", tr("Replace with"));
        auto* withLabel = new QLabel(tr("Replace with:"), this);
        withLabel->setBuddy(with_);
        grid->addWidget(withLabel, 1, 0);
        grid->addWidget(with_, 1, 1);
    }
    matchCase_ = namedWidget(new QCheckBox(tr("Match case"), this), "matchCase", tr("Match case"));
    wholeWord_ = namedWidget(new QCheckBox(tr("Whole word"), this), "wholeWord", tr("Whole word"));
    grid->addWidget(matchCase_, 2, 0, 1, 2);
    grid->addWidget(wholeWord_, 3, 0, 1, 2);
    return grid;
}

QLayout* CodeFindDialog::buildButtons()
{
    auto* column = new QVBoxLayout;
    auto add = [this, column](const QString& caption, const char* objectName, auto slot) {
        auto* button = namedWidget(new QPushButton(caption, this), objectName, caption);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        column->addWidget(button);
        return button;
    };
    add(tr("Find Next"), "findNext", &CodeFindDialog::findNext)->setDefault(true);
    if (mode_ == Mode::Replace) {
        add(tr("Replace"), "replace", &CodeFindDialog::replace);
        add(tr("Replace All"), "replaceAll", &CodeFindDialog::replaceAll);
    }
    add(tr("Close"), "close", &QDialog::close);
    column->addStretch();
    return column;
}

void CodeFindDialog::present(const QString& what)
{
    if (!what.isEmpty() && !what.contains(QLatin1Char('\n')) && !what.contains(QLatin1Char('\r')))
        what_->setText(what);
    what_->selectAll();
    status_->clear();
    show();
    raise();
    activateWindow();
    what_->setFocus();
}

void CodeFindDialog::findNext()
{
    if (!editor_ || what_->text().isEmpty())
        return;
    ScintillaSearch search(*editor_, what_->text(), {matchCase_->isChecked(), wholeWord_->isChecked()});
    const bool found = search.findNext();
    emit editorTouched();
    if (found)
        status_->clear();
    else
        reportNotFound();
}

void CodeFindDialog::replace()
{
    if (!editor_ || what_->text().isEmpty())
        return;
    ScintillaSearch search(*editor_, what_->text(), {matchCase_->isChecked(), wholeWord_->isChecked()});
    const bool found = search.replaceAndFindNext(with_->text());
    emit editorTouched();
    if (found)
        status_->clear();
    else
        reportNotFound();
}

void CodeFindDialog::replaceAll()
{
    if (!editor_ || what_->text().isEmpty())
        return;
    ScintillaSearch search(*editor_, what_->text(), {matchCase_->isChecked(), wholeWord_->isChecked()});
    const int count = search.replaceAll(with_->text());
    emit editorTouched();
    if (count == 0)
        reportNotFound();
    else
        status_->setText(tr("%n occurrence(s) replaced.", nullptr, count));
}

void CodeFindDialog::reportNotFound()
{
    status_->setText(tr("Cannot find \"%1\".").arg(what_->text()));
}

}
