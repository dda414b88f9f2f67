// The program's qMain with stand-in windows, for the single-instance tests:
// the "login window" reports itself on standard output, and a line "quit"
// on standard input ends the event loop.
#include <QApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "client-manager.h"
#include "startup-main.h"

namespace {

class StandInWindows : public ClientWindows {
public:
    void createMainWindow() override {}
    void showMainWindow() override {}
    void showLoginWindow() override
    {
        std::printf("LOGIN_SHOWN=1\n");
        std::fflush(stdout);
        auto* input = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, qApp);
        QObject::connect(input, &QSocketNotifier::activated, [] {
            char buffer[64];
            const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof(buffer));
            if (got <= 0 || std::string(buffer, static_cast<size_t>(got)).find("quit") != std::string::npos)
                QApplication::quit();
        });
    }
    void showAboutWindow() override {}
    void showHelpWindow() override {}
    void generateDebugDump() override {}
};

}  // namespace

int main(int argc, char** argv)
{
    setClientWindowsFactory([] { return new StandInWindows; });
    const int result = qMain(argc, argv);
    std::printf("RESULT=%d\n", result);
    return result;
}
