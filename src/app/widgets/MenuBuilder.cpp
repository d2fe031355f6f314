#include "app/widgets/MenuBuilder.h"

#include "app/MenuTable.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace ink {

namespace {

// Adds `action` to the menu bar or to the submenu that is its parent.
void attach(QMenuBar* bar, QMenu* parent, QAction* action)
{
    if (parent)
        parent->addAction(action);
    else
        bar->addAction(action);
}

QAction* makeSubmenu(QMenuBar* bar, QMenu* parent, const MenuEntry& e, BuiltMenus& built)
{
    auto* menu = new QMenu(QString::fromUtf8(e.caption), parent ? static_cast<QWidget*>(parent) : bar);
    menu->setObjectName(QString::fromLatin1(e.name));
    QAction* action = menu->menuAction();
    action->setObjectName(QString::fromLatin1(e.name));
    attach(bar, parent, action);
    built.menus.insert(QString::fromLatin1(e.name), menu);
    return action;
}

QAction* makeLeaf(QMenuBar* bar, QMenu* parent, const MenuEntry& e, const MenuDispatcher& dispatch)
{
    auto* action = new QAction(parent ? static_cast<QObject*>(parent) : bar);
    action->setObjectName(QString::fromLatin1(e.name));
    if (e.separator) {
        // A separator with text would be drawn as a titled section.
        action->setSeparator(true);
    } else {
        action->setText(QString::fromUtf8(e.caption));
        action->setShortcut(QKeySequence::fromString(QString::fromLatin1(e.shortcut),
                                                     QKeySequence::PortableText));
        action->setCheckable(e.checkable);
        action->setChecked(e.checked);
        const QString name = action->objectName();
        QObject::connect(action, &QAction::triggered, bar, [dispatch, name] {
            if (dispatch)
                dispatch(name);
        });
    }
    attach(bar, parent, action);
    return action;
}

}

// A QMenu keeps its entry's enabled state in step with its own, and a
// disabled menu cannot be opened, so a submenu is switched as a menu.
void BuiltMenus::setItemEnabled(const QString& name, bool enabled) const
{
    if (QMenu* m = menu(name))
        m->setEnabled(enabled);
    else if (QAction* a = action(name))
        a->setEnabled(enabled);
}

BuiltMenus buildMenus(QMenuBar* bar, const MenuDispatcher& dispatch)
{
    BuiltMenus built;
    for (const MenuEntry& e : menuTable()) {
        const QString name = QString::fromLatin1(e.name);
        QMenu* parent = built.menus.value(QString::fromLatin1(e.parent));
        QAction* action = isSubmenu(name) ? makeSubmenu(bar, parent, e, built)
                                          : makeLeaf(bar, parent, e, dispatch);
        action->setVisible(!e.hidden);
        built.actions.insert(name, action);
    }
    return built;
}

}
