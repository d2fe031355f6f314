#pragma once
#include <QObject>
#include <QString>

class QWidget;

namespace ink {

// The browser view of a page, and the preview of the dialogs.
class PreviewBrowser : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~PreviewBrowser() override = default;

    virtual QWidget* widget() = 0;
    virtual void navigate(const QString& path) = 0;
    virtual void refresh() = 0;
    // File name (without folder) of the page shown, "" when none.
    virtual QString locationName() const = 0;
    // Full path of the page shown, "" when none.
    virtual QString locationPath() const = 0;
    virtual void print() = 0;
    virtual void printPreview() = 0;

signals:
    void focused();
};

} // namespace ink
