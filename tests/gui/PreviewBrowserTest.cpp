// The preview browser on the real web engine.
#include "GuiTestSupport.h"

#include "platform/widgets/WebEnginePreviewBrowser.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <gtest/gtest.h>

using namespace ink;

namespace {

void writeFile(const QString& path, const QByteArray& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

TEST(PreviewBrowserTest, NavigatesRefreshesAndNamesTheFileShown)
{
    QTemporaryDir folder;
    WebEnginePreviewBrowser browser(nullptr);
    browser.widget()->resize(400, 300);
    browser.widget()->show();
    EXPECT_EQ(browser.locationName(), QString());
    EXPECT_EQ(browser.locationPath(), QString());

    const QString path = folder.filePath(QStringLiteral("temp.html"));
    // The browser view runs the page's scripts.
    writeFile(path, "<html><head><title>Before</title></head><body>"
                    "<script>document.title = 'Scripted';</script></body></html>");
    browser.navigate(path);
    EXPECT_EQ(browser.locationName(), QStringLiteral("temp.html"));
    EXPECT_EQ(browser.locationPath(), path);
    auto* view = static_cast<QWebEngineView*>(browser.widget());
    EXPECT_TRUE(inktest::waitUntil([&] { return view->title() == QLatin1String("Scripted"); }));

    writeFile(path, "<html><head><title>Changed</title></head><body></body></html>");
    browser.refresh();
    EXPECT_TRUE(inktest::waitUntil([&] { return view->title() == QLatin1String("Changed"); }));
    EXPECT_EQ(browser.locationName(), QStringLiteral("temp.html"));
}

TEST(PreviewBrowserTest, ReportsWhenItGetsTheFocus)
{
    QTemporaryDir folder;
    WebEnginePreviewBrowser browser(nullptr);
    browser.widget()->show();
    const QString path = folder.filePath(QStringLiteral("page.html"));
    writeFile(path, "<html><body>x</body></html>");
    browser.navigate(path);
    auto* view = static_cast<QWebEngineView*>(browser.widget());
    ASSERT_TRUE(inktest::waitUntil([&] { return view->focusProxy() != nullptr; }));
    int focused = 0;
    QObject::connect(&browser, &PreviewBrowser::focused, [&] { ++focused; });
    view->activateWindow();
    QApplication::setActiveWindow(view);
    view->setFocus();
    EXPECT_TRUE(inktest::waitUntil([&] { return focused > 0; }, 3000));
}

}
