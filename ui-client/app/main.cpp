// QuillmarFileManager: start-up, the event loop and shut-down are qMain's;
// the program only chooses the windows.
#include "program-windows.h"
#include "startup-main.h"

int main(int argc, char** argv)
{
    installProgramWindows();
    return qMain(argc, argv);
}
