#pragma once
#include <QListWidget>

namespace ink {

// A vertical strip of tabs on the side panel (`TabStrip1` with one tab per
// font, `TabStrip2` with the code tools). A click on a tab, or Enter or Space
// on the current one, reports the tab's caption.
class SideTabList : public QListWidget {
    Q_OBJECT
public:
    explicit SideTabList(QWidget* parent = nullptr);

    // Replaces all tabs; a tool tip may be empty.
    void setTabs(const QStringList& captions, const QStringList& toolTips = {});
    QStringList captions() const;
    // The tab captioned `caption`; nullptr when there is none.
    QListWidgetItem* tab(const QString& caption) const;

signals:
    void tabClicked(const QString& caption);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}
