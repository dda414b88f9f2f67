#include "module_state.h"

#include <atomic>
#include <climits>
#include <cstdio>

#include "compat/module.h"
#include "compat/trace.h"
#include "shell_ext_log.h"

namespace shellext {

namespace {

// Hosts create and release objects on several threads.
std::atomic<long> g_objects{0};
std::atomic<TickSource> g_tick_source{&GetTickCount};
// Plain storage: the attach function may run before dynamic initialisers.
char g_module_path[PATH_MAX];

void traceToLog(compat::TraceLevel, const char* message)
{
    WriteLogLine(message);
}

// Process attach: what DllMain does for DLL_PROCESS_ATTACH on Windows.
__attribute__((constructor)) void processAttach()
{
    snprintf(g_module_path, sizeof(g_module_path), "%s",
             compat::modulePathOf(reinterpret_cast<const void*>(&processAttach)).c_str());
    compat::setTraceSink(&traceToLog);
    logProcessAttach();
}

// Process detach (and dlclose).
__attribute__((destructor)) void processDetach()
{
    logProcessDetach();
    compat::setTraceSink(nullptr);
}

} // namespace

void objectCreated()
{
    g_objects.fetch_add(1);
}

void objectDestroyed()
{
    g_objects.fetch_sub(1);
}

long objectCount()
{
    return g_objects.load();
}

DWORD tickNow()
{
    return g_tick_source.load()();
}

void setTickSource(TickSource source)
{
    g_tick_source.store(source ? source : &GetTickCount);
}

const char* modulePath()
{
    return g_module_path;
}

} // namespace shellext
