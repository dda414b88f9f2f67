#pragma once
// Test hook for sheets. A program never installs a responder; a test does,
// through this C++ call only, so no setting or environment can make a shipped
// program answer a question by itself.
#include <functional>

#include <QList>
#include <QPair>
#include <QPointer>
#include <QString>

class QLineEdit;
class VexoSheet;

// What a responder sees of a sheet that has just come up.
struct SheetRequest {
    QPointer<VexoSheet> sheet;
    int type = -1;                          // VexoMessageSheet::MessageType, or kInputSheetType
    QString title;                          // empty unless the sheet has one
    QString text;                           // the sheet's text as given (rich text)
    QList<QPair<int, QString>> buttons;     // visible buttons: standard button and text
    QLineEdit* input = nullptr;             // the input sheet's line edit, else null
};

constexpr int kInputSheetType = 100;

// Returns the standard button to answer with (it is clicked as a user would),
// or 0 to leave the sheet open.
using SheetResponder = std::function<int(const SheetRequest&)>;

// Installs the responder for every sheet shown from now on; an empty function
// removes it. GUI thread only.
void installSheetResponder(SheetResponder responder);
bool hasSheetResponder();
