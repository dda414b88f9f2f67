#include "vexo_menu.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

VexoMenu::VexoMenu(QWidget* parent)
    : QMenu(parent)
{
}

void VexoMenu::showEvent(QShowEvent* event)
{
    QMenu::showEvent(event);
    // Give the keys to the first line edit unless a child already has them.
    QWidget* focus = focusWidget();
    if (!focus || focus == this || !isAncestorOf(focus)) {
        if (auto* edit = findChild<QLineEdit*>())
            edit->setFocus(Qt::PopupFocusReason);
    }
}

void VexoMenu::keyPressEvent(QKeyEvent* event)
{
    QWidget* focus = focusWidget();
    const bool in_child = focus && focus != this && isAncestorOf(focus);
    if (in_child && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        // A line edit has had its returnPressed(); the panel stays open.
        event->accept();
        return;
    }
    if (in_child && event->key() != Qt::Key_Escape && event->key() != Qt::Key_Tab &&
        event->key() != Qt::Key_Backtab) {
        // Keys the child left alone must not move through or trigger actions.
        event->accept();
        return;
    }
    QMenu::keyPressEvent(event);
}

MouseReleaseFilter::MouseReleaseFilter(QObject* parent)
    : QObject(parent)
{
}

bool MouseReleaseFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* menu = qobject_cast<QMenu*>(watched);
        auto* mouse = static_cast<QMouseEvent*>(event);
        // A release inside the panel but on no action would close a QMenu.
        if (menu && menu->rect().contains(mouse->pos()) && !menu->actionAt(mouse->pos()))
            return true;
    }
    return QObject::eventFilter(watched, event);
}
