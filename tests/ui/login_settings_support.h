#pragma once
// Set-up shared by the login and settings tests: the widget library with the
// staged style sheets and images, and a responder that records each sheet
// and answers it from a script; busy sheets are left alone.
#include <QList>
#include <QString>

#include <functional>

#include "sheet_responder.h"

namespace lstest {

// Style sheets at the given scale and the staged images.
void initWidgets(double scale = 1.0);

struct SeenSheet {
    int type = -1;
    QString text;
    QString ok_text;
};

// Records every sheet shown and answers it with answer(request); the default
// answers Ok. An input sheet gets `input_text` typed in first.
class ScriptedResponder {
public:
    ScriptedResponder();
    ~ScriptedResponder();
    QList<SeenSheet> seen;
    std::function<int(const SheetRequest&)> answer;
    QString input_text;
};

}  // namespace lstest
