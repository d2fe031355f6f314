#include "platform/widgets/WebEngineDesignSurface.h"

#include <QWebEnginePage>
#include <QWebEngineScript>

namespace ink {

QPointF WebEngineDesignSurface::scrollPosition()
{
    return page() ? page()->scrollPosition() : QPointF();
}

// In the program's own script world: the page's scripts never run here.
void WebEngineDesignSurface::scrollTo(const QPointF& position)
{
    if (!page())
        return;
    page()->runJavaScript(QStringLiteral("window.scrollTo(%1, %2);")
                              .arg(position.x(), 0, 'f', 1)
                              .arg(position.y(), 0, 'f', 1),
                          QWebEngineScript::ApplicationWorld);
}

}
