#pragma once
#include <QString>
#include <QVariant>
#include <QVariantList>

class QWebEnginePage;

namespace ink {

// The design surface's own script. It runs in the editor's isolated world of
// each document the surface loads and publishes its entry points there as
// `inkSurface`; the page's scripts neither see it nor run.
const QString& designLibrarySource();

// Script text that calls inkSurface.<function>(args...). When the document
// has not got the library yet the script answers a marker instead, which
// isMissingLibraryAnswer() recognises.
QString designLibraryCall(const QString& function, const QVariantList& args = {});
bool isMissingLibraryAnswer(const QVariant& answer);

// The library and the call that makes a new document editable, with the
// detail display given. `lazyLayout`: blocks of the body out of sight are
// laid out only once scrolled near (for big pages, which then show at once).
QString designCreateScript(bool details, bool borders, bool lazyLayout = false);

// From now on every document of `page` gets the library and design mode as
// it is created, before it is parsed (so that it is laid out only once,
// already editable), and starts tracking its changes once parsed. Neither
// needs the page's own scripts to be enabled. Run again when the detail
// display changes.
void installDesignScripts(QWebEnginePage* page, bool details, bool borders,
                          bool lazyLayout = false);

}
