// qm-shellext-harness: the file manager's side of the copy hook, as a program,
// for tests that need a second process.
//   copy|move SRC DST      consult the registered hooks, copy/move on IDYES;
//                          prints IDYES, IDNO or IDCANCEL
//   register|unregister LIB   run the library's self-registration; prints the HRESULT
//   log LIB N              load LIB and ask DllCanUnloadNow N times (N log lines)
//   hold-mutex NAME        take the named mutex, print "held", keep it until
//                          standard input closes
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "compat/sync.h"
#include "compat/text.h"
#include "file_manager.h"

namespace {

int usage()
{
    fprintf(stderr, "usage: qm-shellext-harness copy|move SRC DST | register|unregister LIB | log LIB N | "
                    "hold-mutex NAME\n");
    return 2;
}

const char* answerName(UINT answer)
{
    return answer == IDYES ? "IDYES" : answer == IDNO ? "IDNO" : "IDCANCEL";
}

int copyCommand(UINT operation, const char* source, const char* destination)
{
    harness::FileManager manager;
    manager.loadHandlers();
    const UINT answer = manager.copyFolder(operation, source, destination);
    printf("%s\n", answerName(answer));
    return answer == IDYES ? 0 : 1;
}

int registerCommand(bool install, const char* library)
{
    harness::LoadedServer server;
    if (!server.load(library)) {
        fprintf(stderr, "%s\n", server.error().c_str());
        return 2;
    }
    const HRESULT hr = install ? server.registerServer() : server.unregisterServer();
    printf("0x%08x\n", static_cast<unsigned>(hr));
    return 0;
}

int logCommand(const char* library, int count)
{
    harness::LoadedServer server;
    if (!server.load(library)) {
        fprintf(stderr, "%s\n", server.error().c_str());
        return 2;
    }
    for (int i = 0; i < count; ++i)
        server.canUnloadNow();
    return 0;
}

int holdMutexCommand(const char* name)
{
    const std::u16string wide = compat::toUtf16(name);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, wide.c_str());
    const DWORD wait = mutex ? WaitForSingleObject(mutex, INFINITE) : WAIT_FAILED;
    if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) {
        fprintf(stderr, "cannot take %s\n", name);
        return 2;
    }
    printf("held\n");
    fflush(stdout);
    char buffer[64];
    while (read(STDIN_FILENO, buffer, sizeof(buffer)) > 0) {
    }
    ReleaseMutex(mutex);
    CloseHandle(mutex);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    const std::string command = argv[1];
    if ((command == "copy" || command == "move") && argc == 4)
        return copyCommand(command == "copy" ? FO_COPY : FO_MOVE, argv[2], argv[3]);
    if ((command == "register" || command == "unregister") && argc == 3)
        return registerCommand(command == "register", argv[2]);
    if (command == "log" && argc == 4)
        return logCommand(argv[2], atoi(argv[3]));
    if (command == "hold-mutex" && argc == 3)
        return holdMutexCommand(argv[2]);
    return usage();
}
