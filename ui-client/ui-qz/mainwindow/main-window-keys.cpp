#include "main-window-keys.h"

#include <QKeyEvent>
#include <QKeySequence>

#include "user-action-cache.h"

int userActionForKey(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Delete:
        return UAT_REMOVE;
    case Qt::Key_F2:
        return UAT_RENAME;
    case Qt::Key_F3:
        return UAT_MKDIR;
    case Qt::Key_F4:
        return UAT_DOWNLOAD;
    case Qt::Key_F6:
        return UAT_DOWNLOAD_TO;
    default:
        break;
    }
    if (event->matches(QKeySequence::Copy))
        return UAT_COPY;
    if (event->matches(QKeySequence::Paste))
        return UAT_PASTE;
    if (event->matches(QKeySequence::Cut))
        return UAT_CUT;
    return -1;
}

bool completesKeyPair(uint64_t& first_press, uint64_t now)
{
    // Unsigned difference: a clock that stepped back counts as a long pause.
    if (first_press == 0 || now - first_press > 499) {
        first_press = now;
        return false;
    }
    first_press = 0;
    return true;
}
