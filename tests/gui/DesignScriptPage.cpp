#include "DesignScriptPage.h"

#include "GuiTestSupport.h"
#include "platform/widgets/WebEngineDesignLibrary.h"
#include "platform/widgets/WebEngineScriptWait.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace inktest {

namespace {

const int kAnswerMs = 5000;

// Takes the markers out of the body's text and selects what they mark.
// A text node left empty goes; its point is then the place it held, found
// once every marker is out so that removals do not shift it.
const char* const kSetMarkedSelection = R"JS(
(() => {
    const points = {};
    const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
    const texts = [];
    while (walker.nextNode())
        texts.push(walker.currentNode);
    const emptied = [];
    for (const text of texts) {
        let data = text.data;
        let at;
        const marks = [];
        while ((at = data.search(/[\^|]/)) >= 0) {
            marks.push({mark: data[at], offset: at});
            data = data.slice(0, at) + data.slice(at + 1);
        }
        if (!marks.length)
            continue;
        if (data === '') {
            for (const m of marks)
                points[m.mark] = {parent: text.parentNode, before: text.nextSibling};
            emptied.push(text);
        } else {
            text.data = data;
            for (const m of marks)
                points[m.mark] = {node: text, offset: m.offset};
        }
    }
    for (const text of emptied)
        text.remove();
    const resolve = p => p.node ? [p.node, p.offset]
        : [p.parent, p.before ? Array.prototype.indexOf.call(p.parent.childNodes, p.before)
                              : p.parent.childNodes.length];
    const anchor = points['^'] || points['|'];
    const focus = points['|'] || points['^'];
    const selection = getSelection();
    selection.removeAllRanges();
    if (anchor)
        selection.setBaseAndExtent(...resolve(anchor), ...resolve(focus));
    return true;
})();
)JS";

const char* const kMarkedBody = R"JS(
(() => {
    const selection = getSelection();
    const marks = selection.rangeCount
        ? [[selection.anchorNode, selection.anchorOffset, '^'],
           [selection.focusNode, selection.focusOffset, '|']] : [];
    const at = (node, offset) =>
        marks.filter(m => m[0] === node && m[1] === offset).map(m => m[2]).join('');
    const VOID = new Set(['area', 'base', 'br', 'col', 'embed', 'hr', 'img', 'input', 'link',
        'meta', 'source', 'track', 'wbr', 'param', 'basefont', 'bgsound', 'keygen']);
    const text = s => s.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;')
        .replace(/\u00a0/g, '&nbsp;').replace(/\u200b/g, '{ph}');
    const value = s => s.replace(/&/g, '&amp;').replace(/"/g, '&quot;')
        .replace(/\u00a0/g, '&nbsp;');
    const children = node => {
        let out = '';
        const kids = node.childNodes;
        for (let i = 0; i <= kids.length; ++i) {
            out += at(node, i);
            if (i < kids.length)
                out += write(kids[i]);
        }
        return out;
    };
    const write = node => {
        if (node.nodeType === Node.TEXT_NODE) {
            let out = '';
            for (let i = 0; i <= node.data.length; ++i)
                out += at(node, i) + (i < node.data.length ? text(node.data[i]) : '');
            return out;
        }
        if (node.nodeType === Node.COMMENT_NODE)
            return '<!--' + node.data + '-->';
        if (node.nodeType !== Node.ELEMENT_NODE)
            return '';
        let out = '<' + node.localName;
        for (const a of node.attributes)
            out += ' ' + a.name + '="' + value(a.value) + '"';
        out += '>';
        return VOID.has(node.localName) ? out : out + children(node) + '</' + node.localName + '>';
    };
    return document.body ? children(document.body) : '';
})();
)JS";

}

DesignScriptPage::DesignScriptPage() : view_(std::make_unique<QWebEngineView>())
{
    // As in the Design view: the page's own scripts never run.
    view_->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    ink::installDesignScripts(view_->page(), false, false);
    view_->resize(800, 600);
    view_->show();
}

DesignScriptPage::~DesignScriptPage() = default;

bool DesignScriptPage::load(const QString& markedBody)
{
    bool finished = false;
    bool ok = false;
    const auto connection = QObject::connect(view_->page(), &QWebEnginePage::loadFinished,
                                             [&](bool success) {
                                                 finished = true;
                                                 ok = success;
                                             });
    view_->page()->setHtml(QStringLiteral("<!DOCTYPE html><html><head><title>t</title></head>"
                                          "<body>")
                               + markedBody + QStringLiteral("</body></html>"),
                           QUrl(QStringLiteral("file:///")));
    const bool loaded = waitUntil([&] { return finished; });
    QObject::disconnect(connection);
    if (!loaded || !ok)
        return false;
    if (!waitUntil([this] { return run(QStringLiteral("typeof inkSurface")) == "object"; }))
        return false;
    return run(QLatin1String(kSetMarkedSelection)).toBool();
}

QVariant DesignScriptPage::call(const QString& function, const QVariantList& args)
{
    return run(ink::designLibraryCall(function, args));
}

QVariant DesignScriptPage::run(const QString& script)
{
    return ink::runScriptAndWait(view_->page(), script, kAnswerMs);
}

QString DesignScriptPage::markedBody()
{
    return run(QLatin1String(kMarkedBody)).toString();
}

QWidget* DesignScriptPage::input() const
{
    view_->activateWindow();
    view_->setFocus();
    return view_->focusProxy() ? view_->focusProxy() : view_.get();
}

void DesignScriptPage::type(const QString& text)
{
    for (const QChar letter : text) {
        run(QStringLiteral("document.execCommand('insertText', false, %1)")
                .arg(QString::fromUtf8(QJsonDocument(QJsonArray{QString(letter)})
                                           .toJson(QJsonDocument::Compact))
                         .mid(1)
                         .chopped(1)));
    }
}

bool DesignScriptPage::click(const QString& selector)
{
    const QVariantList centre =
        run(QStringLiteral("(() => { const e = document.querySelector('%1');"
                           " if (!e) return []; const r = e.getBoundingClientRect();"
                           " return [r.left + r.width / 2, r.top + r.height / 2]; })()")
                .arg(selector))
            .toList();
    if (centre.size() != 2)
        return false;
    QWidget* target = input();
    pump(50);
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier,
                      QPoint(centre[0].toInt(), centre[1].toInt()));
    pump(100);
    return true;
}

}
