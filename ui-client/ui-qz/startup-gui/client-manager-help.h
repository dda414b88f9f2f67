#pragma once

#include "help_window.h"

// The help window the client manager shows (the window half fills its slot
// with this): the context of the help pages in the interface language, the
// program's title and icon, dialog flags and 700 x 500 scaled. Not shown.
HelpContext clientHelpContext();
HelpWindow* createClientHelpWindow();
