#pragma once
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace ink {

// Every message box and file-name question the program asks goes through
// here, so that tests can answer them. The default answers with real dialogs.
class Prompts {
public:
    virtual ~Prompts() = default;
    // An OK message box.
    virtual void message(QWidget* owner, const QString& title, const QString& text) = 0;
    // A warning with an OK button (a failure the user must know about).
    virtual void warning(QWidget* owner, const QString& title, const QString& text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool askYesNo(QWidget* owner, const QString& title, const QString& text) = 0;
    // A question answered with one of `buttons` (their captions, the first
    // the default): the index of the one pressed, -1 when the box was closed
    // without an answer (Escape).
    virtual int askChoice(QWidget* owner, const QString& title, const QString& text,
                          const QStringList& buttons);
    // An input box with a prompt and a default text. The answer, or nothing
    // on Cancel.
    virtual std::optional<QString> askText(QWidget* owner, const QString& title,
                                           const QString& prompt, const QString& defaultText);

    // The prompts in force; never null.
    static Prompts& current();
    // Installs another implementation (tests); nullptr restores the default.
    static void install(Prompts* prompts);
};

}
