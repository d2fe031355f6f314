// The page's source model: the parse with positions, the merge of a
// Design-view edit into the text, and the planner of Code-view edits.
#include "FuzzEntries.h"
#include "FuzzEntriesList.h"
#include "FuzzInput.h"

#include "markup/SourceMerge.h"
#include "markup/SourcePatch.h"
#include "markup/SourceSplice.h"
#include "markup/SourceTree.h"

#include <QJsonArray>
#include <QJsonObject>

namespace ink::fuzz {

namespace {

// The program parses only text it holds as a QString: valid UTF-8.
QByteArray pageText(const QByteArray& bytes)
{
    return QString::fromUtf8(bytes).toUtf8();
}

// Every node lies within the text, after its parent's start, and its
// children follow it in the numbering; every child's path finds it again.
void checkTree(const SourceTree& tree)
{
    const qsizetype length = tree.text().size();
    if (tree.size() == 0)
        return;
    if (tree.node(0).start != 0 || tree.node(0).end != length)
        fail("the document does not span the text");
    std::vector<std::pair<int, QString>> pending{{0, QString()}};
    while (!pending.empty()) {
        const auto [index, path] = pending.back();
        pending.pop_back();
        if (tree.find(path) != index)
            fail("a path does not find its node");
        const SourceNode& node = tree.node(index);
        if (node.start < 0 || node.start > node.end || node.end > length
            || node.openEnd < node.start || node.openEnd > node.end)
            fail("a node outside the text");
        // An end tag may stand before the element's first child: text after
        // </body> goes into the body.
        if (node.closeStart >= 0
            && (node.closeStart > node.closeEnd || node.closeEnd > length))
            fail("an end tag outside the text");
        for (size_t i = 0; i < node.children.size(); ++i) {
            const int child = node.children[i];
            if (child <= index || child >= tree.subtreeEnd(index))
                fail("a child numbered outside its parent's subtree");
            pending.emplace_back(child, path.isEmpty() ? QString::number(i)
                                                        : path + QLatin1Char('.') + QString::number(i));
        }
    }
}

void sourceTree(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    checkTree(SourceTree::parse(pageText(input.rest())));
}

// How deep a description goes before it names whole subtrees untouched:
// the surface's descriptions come through a JSON reader that refuses
// deeper nesting than this.
constexpr int kDescriptionDepth = 500;

QJsonObject untouched(const SourceTree& tree, int index, const QString& path)
{
    return QJsonObject{{QStringLiteral("p"), path}, {QStringLiteral("k"), tree.node(index).key}};
}

QString childPath(const QString& path, size_t i)
{
    return path.isEmpty() ? QString::number(i) : path + QLatin1Char('.') + QString::number(i);
}

// A description of the document with the input's choices for each node:
// untouched, opened up (its children described in turn), a text changed,
// a new node put before it, or left out. `plain` is true when the choices
// made keep the text as it was.
QJsonValue describe(const SourceTree& tree, FuzzInput& choices, int index, const QString& path,
                    int depth, bool& plain)
{
    const SourceNode& node = tree.node(index);
    QJsonObject item = untouched(tree, index, path);
    const int choice = choices.number(0, 5);
    const bool isText = node.key.startsWith(QLatin1Char('#')) || node.key.startsWith(QLatin1Char('!'));
    if (choice == 1 && isText) {
        item.insert(QStringLiteral("t"), choices.text());
        plain = false;
    } else if ((choice == 0 || index == 0) && depth < kDescriptionDepth && !isText) {
        QJsonArray items;
        for (size_t i = 0; i < node.children.size(); ++i) {
            const int child = node.children[i];
            const int what = choices.number(0, 7);
            if (what == 6) {
                items.append(choices.text());
                plain = false;
            }
            if (what == 7) {
                plain = false;
                continue;
            }
            items.append(describe(tree, choices, child, childPath(path, i), depth + 1, plain));
        }
        if (choices.number(0, 9) == 0) {
            item.insert(QStringLiteral("a"), choices.text());
            plain = false;
        } else {
            item.insert(QStringLiteral("a"), QJsonValue::Null);
        }
        item.insert(QStringLiteral("c"), items);
        item.insert(QStringLiteral("n"), qint64(node.children.size()));
    }
    return item;
}

// The input is a page, then the choices of the description. A description
// that names every node as it stands gives back the page itself.
void sourceMerge(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const SourceTree tree = SourceTree::parse(pageText(input.bytes()));
    if (tree.size() == 0)
        return;
    bool plain = true;
    const QJsonValue description = describe(tree, input, 0, QString(), 0, plain);
    const std::optional<QString> merged = mergeSource(tree, description);
    if (plain && merged && merged->toUtf8() != tree.text()) {
        const QByteArray out = merged->toUtf8();
        qsizetype at = 0;
        while (at < out.size() && at < tree.text().size() && out[at] == tree.text()[at])
            ++at;
        fail("an untouched description did not give back the page: from byte " + std::to_string(at)
             + " it gives [" + out.mid(at, 40).toStdString() + "] for ["
             + tree.text().mid(at, 40).toStdString() + "]");
    }
}

// Whether two parses hold the same nodes at the same places.
bool sameNodes(const SourceTree& a, const SourceTree& b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        const SourceNode& x = a.node(i);
        const SourceNode& y = b.node(i);
        if (x.key != y.key || x.start != y.start || x.end != y.end || x.openEnd != y.openEnd
            || x.closeStart != y.closeStart || x.closeEnd != y.closeEnd
            || x.children != y.children)
            return false;
    }
    return true;
}

// The input is the text before and after a Code-view edit. A patch names
// children of an element of the old parse, and the new parse has the nodes
// it promises there. An edit spliced into the old parse gives the new
// parse itself.
void sourcePatch(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const SourceTree before = SourceTree::parse(pageText(input.bytes()));
    const SourceTree after = SourceTree::parse(pageText(input.rest()));
    if (const std::optional<SplicedEdit> spliced = spliceSourceEdit(before, after.text())) {
        if (!sameNodes(spliced->after, after))
            fail("an edit spliced into the old parse differs from the new parse");
    }
    const std::optional<SourcePatch> patch = planSourcePatch(before, after);
    if (!patch)
        return;
    const int parent = before.find(patch->parentPath);
    if (parent < 0)
        fail("a patch names an element the page does not have");
    else if (patch->first < 0 || patch->count < 0
             || size_t(patch->first + patch->count) > before.node(parent).children.size())
        fail("a patch replaces children the element does not have");
    if (after.find(patch->parentPath) < 0)
        fail("a patch names an element the new page does not have");
}

}

void addSourceTargets(std::vector<Target>& list)
{
    list.push_back({"source_tree", sourceTree});
    list.push_back({"source_merge", sourceMerge});
    list.push_back({"source_patch", sourcePatch});
}

}
