#pragma once

#include <QCoreApplication>
#include <QString>

class QEvent;
class QObject;
class QWidget;

// What the in-place editors do with an event of the program while they edit
// (they watch the whole application): a click outside the editor commits
// and is still delivered, so that it also selects what it hit; Enter
// commits, Esc cancels, Tab does nothing.
namespace siteviews {

enum class EditFilterAction { Pass, Commit, CommitAndPass, Cancel, Swallow };

EditFilterAction editFilterAction(const QWidget* editor, const QObject* watched, QEvent* event);

// The editors' event filter: ends the edit with sigEndEdit as the action
// says (Esc gives back the text the edit started with); true consumes.
template <class Editor>
bool filterEditEvent(Editor* editor, const QString& original, QObject* watched, QEvent* event)
{
    switch (editFilterAction(editor, watched, event)) {
    case EditFilterAction::Pass:
        return false;
    case EditFilterAction::CommitAndPass:
        emit editor->sigEndEdit(editor->text(), false);
        return false;
    case EditFilterAction::Commit:
        emit editor->sigEndEdit(editor->text(), false);
        return true;
    case EditFilterAction::Cancel:
        emit editor->sigEndEdit(original, true);
        return true;
    case EditFilterAction::Swallow:
        return true;
    }
    return false;
}

// Start and end of an edit: the editor watches the whole program while
// it is shown, with its text selected and the focus.
template <class Editor>
void beginEdit(Editor* editor, bool& filtering)
{
    if (!filtering) {
        qApp->installEventFilter(editor);
        filtering = true;
    }
    editor->show();
    editor->raise();
    editor->setFocus(Qt::OtherFocusReason);
    editor->selectAll();
}

template <class Editor>
void finishEdit(Editor* editor, bool& filtering)
{
    if (filtering) {
        qApp->removeEventFilter(editor);
        filtering = false;
    }
    editor->hide();
}

}  // namespace siteviews
