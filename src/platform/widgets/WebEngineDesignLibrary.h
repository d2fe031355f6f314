#pragma once
#include <QString>
#include <QVariant>
#include <QVariantList>

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

}
