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
}
