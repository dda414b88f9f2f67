#pragma once
#include <QString>

class QWidget;

// A modal question with a title and a text (rich text), over the parent's
// window or, without parent, as a window of its own. Returns
// QMessageBox::Ok (1024) when the user agrees, another button otherwise.
int showConfirmMsg(const QString& title, const QString& text, QWidget* parent);
// A modal notice with one OK button; returns the closing button.
int showInfoMsg(const QString& title, const QString& text, QWidget* parent);
