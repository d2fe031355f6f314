#pragma once
class QWidget;

namespace ink {
class DesignSurface;
class CodeEditor;
class PreviewBrowser;

// The one place that names the concrete components. Everything else holds
// the interfaces. The widgets are parented to `parent`.
DesignSurface* createDesignSurface(QWidget* parent);
CodeEditor* createCodeEditor(QWidget* parent);
PreviewBrowser* createPreviewBrowser(QWidget* parent);

// A document window's design surface. The engine makes a view's drawing
// ready on the view's first showing, which takes longer than loading a
// short page: one surface is made ahead and shown once out of sight inside
// `host` (prepareDesignSurface, when the program has nothing else to do),
// and the next document window takes it. Without one ready, a new surface
// is made.
void prepareDesignSurface(QWidget* host);
bool designSurfacePrepared();
DesignSurface* takeDesignSurface(QWidget* parent);
}
