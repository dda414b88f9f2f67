#pragma once

#include <functional>

class ClientWindows;

// The windows the client manager shows; the main-window part registers its
// factory before qMain runs. Without one the client runs its workers only.
void setClientWindowsFactory(std::function<ClientWindows*()> factory);

// The program's main function: start-up, the event loop, shut-down. The
// result is the event loop's, or 0 after an early exit (another instance on
// the same user data folder, or a failed upgrade not moved aside), or 1
// after a message when the user data folder cannot be written.
int qMain(int argc, char** argv);
