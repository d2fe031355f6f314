#pragma once
#include "GuiTestSupport.h"
#include "app/widgets/MainWindow.h"
#include "base/widgets/Prompts.h"
#include "document/widgets/DocumentFiles.h"
#include "document/widgets/DocumentWindow.h"
#include "platform/CodeEditor.h"
#include "platform/DesignSurface.h"
#include "platform/PreviewBrowser.h"
#include "platform/widgets/WebEngineScriptWait.h"
#include "projects/CommonDialog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <gtest/gtest.h>
#include <memory>

namespace inktest {

// Answers the program's message boxes and remembers what they said.
class ScriptedPrompts : public ink::Prompts {
public:
    QStringList messages;
    QStringList questions;
    QStringList questionTitles;
    bool answerYes = true;
    QStringList choiceAnswers; // button captions of the next choices; none left = Escape
    QStringList textAnswers; // answers of the next input boxes; none left = Cancel
    QStringList textPrompts;

    void message(QWidget*, const QString&, const QString& text) override { messages << text; }
    void warning(QWidget*, const QString&, const QString& text) override { messages << text; }
    bool askYesNo(QWidget*, const QString& title, const QString& text) override
    {
        questionTitles << title;
        questions << text;
        return answerYes;
    }
    int askChoice(QWidget*, const QString& title, const QString& text,
                  const QStringList& buttons) override
    {
        questionTitles << title;
        questions << text;
        return choiceAnswers.isEmpty() ? -1 : int(buttons.indexOf(choiceAnswers.takeFirst()));
    }
    std::optional<QString> askText(QWidget*, const QString& title, const QString& prompt,
                                   const QString&) override
    {
        textPrompts << title + QLatin1Char('|') + prompt;
        if (textAnswers.isEmpty())
            return std::nullopt;
        return textAnswers.takeFirst();
    }
};

// Copies the program's resources into a fresh program folder.
inline void copyTree(const QString& from, const QString& to)
{
    QDir source(from);
    QDir().mkpath(to);
    for (const QFileInfo& info : source.entryInfoList(QDir::NoDotAndDotDot | QDir::AllEntries)) {
        const QString target = to + QLatin1Char('/') + info.fileName();
        if (info.isDir())
            copyTree(info.filePath(), target);
        else
            QFile::copy(info.filePath(), target);
    }
}

// The real main window in a fresh program folder of its own, with the file
// dialogs and message boxes answered by the test.
class MainWindowTest : public ::testing::Test {
protected:
    QTemporaryDir programDir;
    QTemporaryDir pagesDir;
    ScriptedPrompts prompts;
    std::unique_ptr<ink::MainWindow> main;
    QStringList nextFileAnswer; // what the next file dialog returns; empty = cancel
    int fileDialogs = 0;

    void SetUp() override
    {
        copyTree(QStringLiteral(INKPRESS_RESOURCES), programDir.path());
        qputenv("INKPRESS_PROGRAM_FOLDER", programDir.path().toUtf8());
        ink::Prompts::install(&prompts);
        ink::cCommonDialog::setTestResponder([this](const ink::cCommonDialog&) {
            ++fileDialogs;
            return nextFileAnswer;
        });
        startMain();
    }

    void TearDown() override
    {
        closeMain();
        ink::cCommonDialog::setTestResponder(nullptr);
        ink::Prompts::install(nullptr);
    }

    void startMain(const QString& commandLine = QString())
    {
        main = std::make_unique<ink::MainWindow>();
        main->startUp(commandLine);
    }

    // Closes the main window as the user would; false when it stayed open.
    bool closeMain()
    {
        if (!main)
            return true;
        prompts.answerYes = false;
        const bool closed = main->close();
        pump(50);
        main.reset();
        return closed;
    }

    ink::DocumentWindow* active() const { return main->activeWindow(); }
    ink::DocumentTable::Slot& slotOf(ink::DocumentWindow* w) const
    {
        return main->documents().at(w->slot());
    }

    ink::DocumentWindow* newPage()
    {
        main->runCommand(QStringLiteral("new"));
        ink::DocumentWindow* w = active();
        if (w)
            waitIdle(w);
        return w;
    }

    // Opens `path` through File > Open, as the user would.
    ink::DocumentWindow* openPage(const QString& path)
    {
        nextFileAnswer = {path};
        main->runCommand(QStringLiteral("open"));
        ink::DocumentWindow* w = active();
        if (w)
            waitIdle(w);
        return w;
    }

    void openFile(const QString& path) { ASSERT_NE(openPage(path), nullptr); }

    // Runs a script in the active page's Design view and waits for its answer.
    QVariant js(const QString& script) const
    {
        auto* view = static_cast<QWebEngineView*>(active()->design()->widget());
        return ink::runScriptAndWait(view->page(), script, 5000);
    }

    // Key events reach the page only in the active window.
    void focusPage()
    {
        main->show();
        main->activateWindow();
        active()->design()->setFocus();
        pump(100);
    }

    // A new page whose body holds `body` in place of the template's empty
    // DIV, shown in the Code view.
    ink::DocumentWindow* codePageWithBody(const QString& body)
    {
        ink::DocumentWindow* w = newPage();
        w->switchToCode();
        QString text = w->code()->text();
        text.replace(QStringLiteral("<div></div>"), body);
        w->code()->setText(text);
        return w;
    }

    // A new page in the Code view holding `text`, with from..to selected.
    ink::DocumentWindow* codePageWithSelection(const QString& text, int from, int to)
    {
        ink::DocumentWindow* w = newPage();
        w->switchToCode();
        w->code()->setText(text);
        w->code()->setSelection(from, to);
        return w;
    }

    static void waitIdle(ink::DocumentWindow* w)
    {
        waitUntil([w] { return !w->design()->busy(); });
        pump(30);
    }

    QString writePage(const QString& name, const QByteArray& bytes) const
    {
        const QString path = pagesDir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }

    static QByteArray readBytes(const QString& path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
};

}
