#pragma once

// Gives qMain the program's windows: the main window, the login window and
// the windows the client manager shows. Call before qMain.
void installProgramWindows();
