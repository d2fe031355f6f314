#include "platform/ComponentFactory.h"

#include "platform/widgets/ScintillaCodeEditor.h"
#include "platform/widgets/WebEngineDesignSurface.h"
#include "platform/widgets/WebEnginePreviewBrowser.h"

#include <QWidget>

namespace ink {

DesignSurface* createDesignSurface(QWidget* parent)
{
    return new WebEngineDesignSurface(parent);
}

CodeEditor* createCodeEditor(QWidget* parent)
{
    return new ScintillaCodeEditor(parent);
}

PreviewBrowser* createPreviewBrowser(QWidget* parent)
{
    return new WebEnginePreviewBrowser(parent);
}

}
