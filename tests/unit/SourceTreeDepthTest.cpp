// Pages nested deeper than any stack would hold as calls: the source tree
// is built through them without recursion.
#include "markup/SourceTree.h"

#include <QThread>

#include <gtest/gtest.h>

using namespace ink;

namespace {

// Deep enough to overflow the small stack the test gives the parse, as
// a 100,000 level page would overflow a thread's usual one.
constexpr int kDepth = 10000;

QByteArray deepPage(const QByteArray& inner)
{
    return "<html><head></head><body>" + QByteArray("<div>").repeated(kDepth) + inner
        + QByteArray("</div>").repeated(kDepth) + "</body></html>";
}

TEST(SourceTreeDepthTest, DeeplyNestedPageParsesWithEveryLevelInPlace)
{
    const QByteArray text = deepPage("deep");
    SourceTree tree;
    QThread* parser = QThread::create([&] { tree = SourceTree::parse(text); });
    parser->setStackSize(1024 * 1024);
    parser->start();
    parser->wait();
    delete parser;
    // document, html, head, body, the divs and the text.
    ASSERT_EQ(tree.size(), 4 + kDepth + 1);
    const int body = tree.find(QStringLiteral("0.1"));
    ASSERT_GE(body, 0);
    int at = body;
    for (int level = 0; level < kDepth; ++level) {
        ASSERT_EQ(tree.node(at).children.size(), 1u) << level;
        at = tree.node(at).children[0];
        ASSERT_EQ(tree.node(at).key, QStringLiteral("DIV"));
    }
    const SourceNode& innermost = tree.node(at);
    EXPECT_EQ(innermost.start, text.indexOf("<div>deep"));
    EXPECT_EQ(innermost.end, text.indexOf("</div>") + 6);
    const SourceNode& outermost = tree.node(tree.node(body).children[0]);
    EXPECT_EQ(outermost.end, text.lastIndexOf("</div>") + 6);
    EXPECT_EQ(tree.node(innermost.children[0]).key, QStringLiteral("#4"));
    EXPECT_EQ(tree.subtreeEnd(0), tree.size());
}

}
