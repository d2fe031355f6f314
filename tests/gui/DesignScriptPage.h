#pragma once
// A bare web page in design mode running the Design view's own script, for
// case tests of that script: a body with selection markers goes in, one
// command runs, and the body comes out with the selection marked again.
//
// Markers: "^" is the selection's anchor and "|" its focus, so "a^bc|d"
// selects "bc" forwards, "a|bc^d" backwards, and "^|" is a caret. They are
// found in text only; a marker alone between two elements stands for the
// point between them ("<p>a</p>^|<p>b</p>").
//
// The body comes back in one plain form whatever the page said: lower-case
// names, every attribute value in double quotes, a non-breaking space as
// "&nbsp;" and the caret placeholder of new empty elements as "{ph}".
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <memory>

class QWebEnginePage;
class QWebEngineView;
class QWidget;

namespace inktest {

class DesignScriptPage {
public:
    DesignScriptPage();
    ~DesignScriptPage();

    // Loads a page with `markedBody` as its body and sets the marked
    // selection. False when the page or the script did not come up.
    bool load(const QString& markedBody);
    // Calls inkSurface.<function>(args...) and gives its answer.
    QVariant call(const QString& function, const QVariantList& args = {});
    // Runs any script in the page's editing world.
    QVariant run(const QString& script);
    QString markedBody();

    // Typing, one letter at a time through the engine's own typing command
    // (key events do not reach a bare view that no window manager
    // activated), and a real click in the middle of the first element
    // `selector` finds.
    void type(const QString& text);
    bool click(const QString& selector);

    QWebEngineView* view() const { return view_.get(); }

private:
    QWidget* input() const;

    std::unique_ptr<QWebEngineView> view_;
};

}
