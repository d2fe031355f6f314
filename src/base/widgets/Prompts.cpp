#include "base/widgets/Prompts.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace ink {
namespace {

class DialogPrompts : public Prompts {
public:
    void message(QWidget* owner, const QString& title, const QString& text) override
    {
        QMessageBox::information(owner, title, text);
    }
    void warning(QWidget* owner, const QString& title, const QString& text) override
    {
        QMessageBox::warning(owner, title, text);
    }
    bool askYesNo(QWidget* owner, const QString& title, const QString& text) override
    {
        return QMessageBox::question(owner, title, text, QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes;
    }
};

Prompts* installed = nullptr;

}

int Prompts::askChoice(QWidget* owner, const QString& title, const QString& text,
                       const QStringList& buttons)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, owner);
    QList<QAbstractButton*> pressable;
    for (const QString& caption : buttons)
        pressable << box.addButton(caption, QMessageBox::AcceptRole);
    if (!pressable.isEmpty())
        box.setDefaultButton(qobject_cast<QPushButton*>(pressable.first()));
    box.exec();
    return int(pressable.indexOf(box.clickedButton()));
}

std::optional<QString> Prompts::askText(QWidget* owner, const QString& title,
                                        const QString& prompt, const QString& defaultText)
{
    bool ok = false;
    const QString answer =
        QInputDialog::getText(owner, title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

Prompts& Prompts::current()
{
    static DialogPrompts dialogs;
    return installed ? *installed : dialogs;
}

void Prompts::install(Prompts* prompts)
{
    installed = prompts;
}

}
