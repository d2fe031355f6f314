#include "base/widgets/Prompts.h"

#include <QInputDialog>
#include <QMessageBox>

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
