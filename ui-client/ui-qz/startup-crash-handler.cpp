#include "startup-crash-handler.h"

#include <dlfcn.h>
#include <execinfo.h>
#include <signal.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define QM_CRASH_HANDLER_DISABLED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define QM_CRASH_HANDLER_DISABLED 1
#endif
#endif

namespace {

const int kCrashSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
const int kMaxFrames = 128;

// Async-signal-safe formatting: no stdio, no allocation.
void writeText(const char* text)
{
    size_t length = std::strlen(text);
    while (length > 0) {
        const ssize_t written = ::write(STDERR_FILENO, text, length);
        if (written <= 0)
            return;
        text += written;
        length -= static_cast<size_t>(written);
    }
}

void writeDecimal(unsigned long value)
{
    char buffer[24];
    char* p = buffer + sizeof(buffer);
    *--p = '\0';
    do {
        *--p = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    writeText(p);
}

// At least 8 hexadecimal digits, upper case, as "0x%08LX" prints.
void writeHex(uint64_t value)
{
    char buffer[24];
    char* p = buffer + sizeof(buffer);
    *--p = '\0';
    int digits = 0;
    do {
        *--p = "0123456789ABCDEF"[value & 15];
        value >>= 4;
        ++digits;
    } while (value != 0 || digits < 8);
    writeText("0x");
    writeText(p);
}

void crashHandler(int signal_number)
{
    writeText("crashing!!\n");
    void* frames[kMaxFrames];
    const int count = ::backtrace(frames, kMaxFrames);
    for (int i = 0; i < count; ++i) {
        // dladdr takes no lock we could hold here and allocates nothing.
        Dl_info info;
        const bool found = ::dladdr(frames[i], &info) != 0;
        writeText("Frame ");
        writeDecimal(static_cast<unsigned long>(i));
        writeText(":\n    Symbol name:    ");
        writeText(found && info.dli_sname ? info.dli_sname : "(unknown)");
        writeText("\n    PC address:     ");
        writeHex(reinterpret_cast<uintptr_t>(frames[i]));
        // backtrace() gives program counters only: the stack and frame
        // addresses of a frame are unknown here.
        writeText("\n    Stack address:  ");
        writeHex(0);
        writeText("\n    Frame address:  ");
        writeHex(0);
        writeText("\n\n");
    }
    struct sigaction action;
    std::memset(&action, 0, sizeof(action));
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal_number, &action, nullptr);
    ::raise(signal_number);
}

}  // namespace

void installCrashHandler()
{
#ifndef QM_CRASH_HANDLER_DISABLED
    // A stack overflow leaves no stack for the handler: give it its own.
    static char* alternate_stack = nullptr;
    if (!alternate_stack) {
        const size_t size = 64 * 1024;
        alternate_stack = static_cast<char*>(std::malloc(size));
        if (alternate_stack) {
            stack_t stack;
            std::memset(&stack, 0, sizeof(stack));
            stack.ss_sp = alternate_stack;
            stack.ss_size = size;
            ::sigaltstack(&stack, nullptr);
        }
    }
    // backtrace() loads libgcc on its first call, which is not safe inside a
    // handler: make that first call now.
    void* warm_up[1];
    ::backtrace(warm_up, 1);

    struct sigaction action;
    std::memset(&action, 0, sizeof(action));
    action.sa_handler = crashHandler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_ONSTACK | SA_RESETHAND;
    for (int signal_number : kCrashSignals)
        ::sigaction(signal_number, &action, nullptr);
#endif
}
