#include "Console.h"

#include <QtGlobal>
#include <atomic>
#include <cstdio>

#if defined(Q_OS_WIN)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <csignal>
#include <unistd.h>
#endif

namespace {

std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

#if defined(Q_OS_WIN)
BOOL WINAPI onConsoleEvent(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    interrupted = true;
    return TRUE;
}
#else
extern "C" void onInterrupt(int)
{
    interrupted = true;
}

struct sigaction former
{
};
#endif

} // namespace

void PrepareConsole()
{
#if defined(Q_OS_WIN)
    SetConsoleOutputCP(CP_UTF8);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

bool StandardErrorIsTerminal()
{
#if defined(Q_OS_WIN)
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
#else
    return isatty(fileno(stderr)) == 1;
#endif
}

InterruptHandler::InterruptHandler()
{
#if defined(Q_OS_WIN)
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
#else
    struct sigaction action
    {
    };
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &former);
#endif
}

InterruptHandler::~InterruptHandler()
{
#if defined(Q_OS_WIN)
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
#else
    ::sigaction(SIGINT, &former, nullptr);
#endif
}

bool InterruptHandler::requested()
{
    return interrupted.load();
}

void InterruptHandler::reset()
{
    interrupted = false;
}
