#pragma once
#include <QLatin1String>
#include <QString>

namespace ink {

// Gives a dialog widget the object name that tests and the window look it up
// by, and the accessible name screen readers announce.
template <typename W>
W* namedWidget(W* widget, const char* objectName, const QString& accessibleName)
{
    widget->setObjectName(QLatin1String(objectName));
    widget->setAccessibleName(accessibleName);
    return widget;
}

}
