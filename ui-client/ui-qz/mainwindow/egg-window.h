#pragma once
// The engine state dumps that F12 pressed twice asks for: the task store's
// state into "vcm.log" and the transfer service's into "tt.log", both in the
// log folder. No window is shown and nothing is reported.
class EggWindow {
public:
    static void genDebug();
};
