#pragma once
// The warning text for a file operation that failed: chosen by the event's
// type and the operation's error code, filled from the event's names.
#include <QString>

struct Event;

// False when the event gets no message (a listing, or a type no view
// reports); otherwise the text, not yet escaped for rich text.
bool eventErrorText(const Event& event, int error, QString& text);
