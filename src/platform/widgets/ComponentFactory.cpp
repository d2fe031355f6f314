#include "platform/ComponentFactory.h"

#include "platform/widgets/ScintillaCodeEditor.h"
#include "platform/widgets/WebEngineDesignSurface.h"
#include "platform/widgets/WebEnginePreviewBrowser.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace ink {

namespace {

// Out of sight inside its host window, whatever the window's size.
constexpr int kOutOfSight = -30000;
// The engine has set up the view's drawing by then; the view is hidden
// again so that it never takes the keyboard focus while it waits.
constexpr int kShownMs = 400;

QPointer<DesignSurface>& preparedSurface()
{
    static QPointer<DesignSurface> surface;
    return surface;
}

}

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

void prepareDesignSurface(QWidget* host)
{
    if (!host || preparedSurface())
        return;
    DesignSurface* surface = createDesignSurface(host);
    QWidget* view = surface->widget();
    view->setObjectName(QStringLiteral("preparedDesign"));
    view->setAccessibleName(QStringLiteral("Design view"));
    view->setGeometry(kOutOfSight, kOutOfSight, 860, 560);
    view->show();
    preparedSurface() = surface;
    const QPointer<DesignSurface> guard(surface);
    QTimer::singleShot(kShownMs, view, [guard, view] {
        if (guard && guard == preparedSurface())
            view->hide();
    });
}

bool designSurfacePrepared()
{
    return !preparedSurface().isNull();
}

DesignSurface* takeDesignSurface(QWidget* parent)
{
    DesignSurface* surface = preparedSurface();
    if (!surface)
        return createDesignSurface(parent);
    preparedSurface() = nullptr;
    // The surface before its view among the new parent's children, as when
    // made there: it goes first when they are deleted, and never hears from
    // a view half gone.
    surface->setParent(parent);
    QWidget* view = surface->widget();
    view->hide();
    view->setParent(parent);
    view->setObjectName(QString());
    return surface;
}

}
