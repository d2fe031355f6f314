// Print Code and Print Webpage through the print dialog's test seam, into
// PDF files.
#include "MainWindowFixture.h"
#include "base/widgets/PrintDialogs.h"

#include <QDir>
#include <QPrinter>

using namespace inktest;

class Printing : public MainWindowTest {
protected:
    int dialogs = 0;
    QString pdfPath;

    void SetUp() override
    {
        MainWindowTest::SetUp();
        ink::setPrintDialogTestResponder([this](QPrinter& printer) {
            ++dialogs;
            if (pdfPath.isEmpty())
                return false;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdfPath);
            return true;
        });
    }
    void TearDown() override
    {
        ink::setPrintPreviewTestResponder(nullptr);
        ink::setPrintDialogTestResponder(nullptr);
        MainWindowTest::TearDown();
    }
    QStringList pageFolderFiles() const
    {
        return QDir(slotOf(active()).folder).entryList(QDir::Files | QDir::Hidden);
    }
};

TEST_F(Printing, PrintCodePrintsFromMemoryAndReportsFailures)
{
    struct Case {
        const char* name;
        const char* pdf; // "" = the dialog is cancelled
        bool printed;
        int messages;
    } cases[] = {
        {"toPdf", "code.pdf", true, 0},
        {"cancelled", "", false, 0},
        {"unwritableFolder_reported", "missing/folder/code.pdf", false, 1},
    };
    ink::DocumentWindow* w = codePageWithBody("<P>printed text</P>");
    ASSERT_NE(w, nullptr);
    const QStringList filesBefore = pageFolderFiles();
    for (const Case& c : cases) {
        prompts.messages.clear();
        pdfPath = *c.pdf ? pagesDir.filePath(c.pdf) : QString();
        main->runCommand("printcode");
        if (c.printed) {
            EXPECT_TRUE(readBytes(pdfPath).startsWith("%PDF")) << c.name;
        }
        EXPECT_EQ(prompts.messages.size(), c.messages) << c.name;
    }
    EXPECT_EQ(dialogs, 3);
    EXPECT_EQ(pageFolderFiles(), filesBefore);
}

TEST_F(Printing, PrintWebpageAfterAnEditPrintsTheEditedPage)
{
    ink::DocumentWindow* w = codePageWithBody("<P>old text</P>");
    ASSERT_NE(w, nullptr);
    w->switchToDesign();
    waitIdle(w);
    w->switchToCode();
    QString text = w->code()->text();
    text.replace("old text", "new text");
    w->code()->setText(text);
    pdfPath = pagesDir.filePath("page.pdf");
    main->runCommand("printwebpage");
    EXPECT_TRUE(waitUntil([this] { return readBytes(pdfPath).startsWith("%PDF"); }, 20000));
    EXPECT_TRUE(readBytes(w->preview()->locationPath()).contains("new text"));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('|').toStdString();
}

TEST_F(Printing, PrintPreviewFromTheCodeViewShowsTheTextAsItStands)
{
    int previews = 0;
    bool painted = false;
    ink::setPrintPreviewTestResponder([&](QPrinter& printer, const ink::PaintRequest& paint) {
        ++previews;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pagesDir.filePath("preview.pdf"));
        painted = paint(&printer);
        return painted;
    });
    ink::DocumentWindow* w = codePageWithBody("<P>edited in code</P>");
    ASSERT_NE(w, nullptr);
    main->runCommand("printpreview");
    EXPECT_EQ(previews, 1);
    EXPECT_TRUE(painted);
    EXPECT_TRUE(readBytes(pagesDir.filePath("preview.pdf")).startsWith("%PDF"));
    EXPECT_TRUE(readBytes(w->preview()->locationPath()).contains("edited in code"));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('|').toStdString();
}
