#include "app/widgets/SideTabList.h"

#include <QKeyEvent>

namespace ink {

SideTabList::SideTabList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setStyleSheet(QStringLiteral("QListWidget::item { padding: 3px 4px; }"));
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit tabClicked(item->text()); });
}

void SideTabList::setTabs(const QStringList& captions, const QStringList& toolTips)
{
    clear();
    for (int i = 0; i < captions.size(); ++i) {
        auto* item = new QListWidgetItem(captions[i], this);
        item->setToolTip(toolTips.value(i));
    }
}

QStringList SideTabList::captions() const
{
    QStringList result;
    for (int i = 0; i < count(); ++i)
        result << item(i)->text();
    return result;
}

QListWidgetItem* SideTabList::tab(const QString& caption) const
{
    for (int i = 0; i < count(); ++i) {
        if (item(i)->text() == caption)
            return item(i);
    }
    return nullptr;
}

void SideTabList::keyPressEvent(QKeyEvent* event)
{
    const bool press = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter
        || event->key() == Qt::Key_Space;
    if (press && currentItem()) {
        emit tabClicked(currentItem()->text());
        return;
    }
    QListWidget::keyPressEvent(event);
}

}
