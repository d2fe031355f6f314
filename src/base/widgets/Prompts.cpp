#include "base/widgets/Prompts.h"

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
