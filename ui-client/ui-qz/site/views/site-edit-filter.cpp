#include "site-edit-filter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace siteviews {

EditFilterAction editFilterAction(const QWidget* editor, const QObject* watched, QEvent* event)
{
    if (!editor->isVisible())
        return EditFilterAction::Pass;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!editor->rect().contains(editor->mapFromGlobal(mouse->globalPos())))
            return EditFilterAction::CommitAndPass;
        return EditFilterAction::Pass;
    }
    case QEvent::KeyPress: {
        // A key press passes here once per object on its way; act on the
        // editor's own (it has the focus).
        if (watched != editor)
            return EditFilterAction::Pass;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return EditFilterAction::Commit;
        if (key == Qt::Key_Escape)
            return EditFilterAction::Cancel;
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
            return EditFilterAction::Swallow;
        return EditFilterAction::Pass;
    }
    case QEvent::ShortcutOverride: {
        // Enter, Esc and Tab belong to the editor while it edits.
        if (watched != editor)
            return EditFilterAction::Pass;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Tab) {
            event->accept();
            return EditFilterAction::Swallow;
        }
        return EditFilterAction::Pass;
    }
    default:
        return EditFilterAction::Pass;
    }
}

}  // namespace siteviews
