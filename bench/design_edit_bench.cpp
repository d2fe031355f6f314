// Types one word into a paragraph of real pages in the Design view and
// prints how many bytes the written page changes outside that paragraph
// (the goal is 0 for every page), then the time to write back an edited
// 1 MB page. Prints; it asserts nothing.
#include "document/DocumentRoutines.h"
#include "markup/SourceTree.h"
#include "platform/widgets/EngineEnvironment.h"
#include "platform/widgets/WebEngineDesignSurface.h"
#include "platform/widgets/WebEngineScriptWait.h"

#include <QApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QWebEngineView>
#include <cstdio>

namespace {

constexpr int kMaxPages = 400;

// Puts " word" after the first text of the first paragraph (or, failing
// that, block) of the body and gives the path, as child indices, of the block
// the word went into (the engine may move the caret into a neighbour).
const char* const kTypeWord = R"((() => {
    const block = document.querySelector('body p') || document.querySelector('body div,body li');
    if (!block) return null;
    const walker = document.createTreeWalker(block, NodeFilter.SHOW_TEXT);
    let text = walker.nextNode();
    while (text && !text.data.trim()) text = walker.nextNode();
    if (!text) return null;
    const r = document.createRange();
    r.setStart(text, text.data.length);
    getSelection().removeAllRanges();
    getSelection().addRange(r);
    document.execCommand('insertText', false, ' word');
    const focus = getSelection().focusNode;
    const typed = (focus.nodeType === 1 ? focus : focus.parentElement)
        .closest('p,div,li,td,th,h1,h2,h3,h4,h5,h6,pre,dd,dt,blockquote,body');
    const path = [];
    for (let n = typed; n.parentNode; n = n.parentNode)
        path.unshift([...n.parentNode.childNodes].filter(c => c.nodeType !== 10).indexOf(n));
    return path.join('.');
})())";

void waitUntilIdle(ink::DesignSurface& surface)
{
    QElapsedTimer clock;
    clock.start();
    while (surface.busy() && clock.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(500);
    }
}

void load(ink::WebEngineDesignSurface& surface, const QString& path, const QString& text)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("\xEF\xBB\xBF" + text.toUtf8() + "\r\n");
    file.close();
    surface.loadDocument(path);
    waitUntilIdle(surface);
}

QString typeWord(ink::WebEngineDesignSurface& surface)
{
    auto* view = static_cast<QWebEngineView*>(surface.widget());
    return ink::runScriptAndWait(view->page(), QString::fromLatin1(kTypeWord), 5000).toString();
}

// Bytes of the changed stretch that lie outside [start, end).
qsizetype bytesOutside(const QByteArray& before, const QByteArray& after, qsizetype start,
                       qsizetype end)
{
    qsizetype prefix = 0;
    const qsizetype shorter = std::min(before.size(), after.size());
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix
           && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const qsizetype changedEnd = before.size() - suffix;
    if (prefix >= changedEnd && after.size() == before.size())
        return 0;
    return std::max<qsizetype>(0, start - prefix) + std::max<qsizetype>(0, changedEnd - end);
}

QStringList realPages()
{
    QStringList pages;
    QDirIterator it(QStringLiteral("/usr/share/doc"), {QStringLiteral("*.html")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        pages << it.next();
    pages.sort();
    return pages.mid(0, kMaxPages);
}

QString bigPage(int bytes)
{
    QString body;
    for (int i = 0; body.size() < bytes; ++i)
        body += QStringLiteral("<p>Paragraph %1 with <b>some bold</b> &amp; a <a href=\"x%1.html\">"
                               "link</a>.</p>\n").arg(i);
    return QString(ink::newPageTemplate()).replace(QStringLiteral("<div></div>"), body);
}

}

int main(int argc, char** argv)
{
    QTemporaryDir programDir;
    qputenv("INKPRESS_PROGRAM_FOLDER", programDir.path().toUtf8());
    ink::prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    ink::WebEngineDesignSurface surface(nullptr);
    surface.widget()->resize(800, 600);
    surface.widget()->show();
    QTemporaryDir work;
    const QString path = work.filePath(QStringLiteral("page.html"));

    int clean = 0;
    int measured = 0;
    for (const QString& page : realPages()) {
        QFile file(page);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        load(surface, path, text);
        const QString blockPath = typeWord(surface);
        if (blockPath.isEmpty())
            continue;
        const QByteArray source = (text + QStringLiteral("\r\n")).toUtf8();
        const ink::SourceTree tree = ink::SourceTree::parse(source);
        const int block = tree.find(blockPath);
        const QByteArray written = (surface.documentHtml() + QStringLiteral("\r\n")).toUtf8();
        const qsizetype outside = block < 0 ? written.size()
            : bytesOutside(source, written, tree.node(block).start, tree.node(block).end);
        ++measured;
        clean += outside == 0 ? 1 : 0;
        std::printf("%8lld bytes changed outside the paragraph  %s\n", (long long)outside,
                    qPrintable(page));
    }
    std::printf("%d of %d pages changed only inside the edited paragraph\n", clean, measured);

    load(surface, path, bigPage(1 << 20));
    typeWord(surface);
    QElapsedTimer clock;
    clock.start();
    const qsizetype size = surface.documentHtml().size();
    std::printf("1 MB page, one word typed, written back in %.1f ms (%lld characters)\n",
                clock.nsecsElapsed() / 1e6, (long long)size);
    clock.restart();
    surface.documentHtml();
    std::printf("the same again, its source already parsed: %.1f ms\n", clock.nsecsElapsed() / 1e6);
    auto* view = static_cast<QWebEngineView*>(surface.widget());
    clock.restart();
    ink::runScriptAndWait(view->page(), QStringLiteral("inkSurface.documentChanges().length"), 5000);
    std::printf("of which describing the changes in the page: %.1f ms\n", clock.nsecsElapsed() / 1e6);
    clock.restart();
    ink::runScriptAndWait(view->page(), QStringLiteral("inkSurface.documentHtml('').length"), 5000);
    std::printf("the whole page in the program's form, for comparison: %.1f ms\n",
                clock.nsecsElapsed() / 1e6);
    clock.restart();
    ink::SourceTree::parse(bigPage(1 << 20).toUtf8());
    std::printf("parsing the 1 MB source alone: %.1f ms\n", clock.nsecsElapsed() / 1e6);
    std::fflush(stdout);
    std::_Exit(0);
}
