#pragma once

// What varno-cli needs of the console it runs in, on every platform.

// Makes the console show UTF-8 and keeps "\n" as the line end of both standard
// streams (a Windows console otherwise uses its OEM code page and CR LF).
void PrepareConsole();

// True when the standard error stream is a terminal or console, where a
// progress bar redrawn in place makes sense.
bool StandardErrorIsTerminal();

// Ctrl+C (SIGINT, or the console's Ctrl+C and Ctrl+Break events on Windows)
// asks the transfers to stop instead of killing the process, for as long as
// one of these lives.
class InterruptHandler
{
public:
    InterruptHandler();
    ~InterruptHandler();
    InterruptHandler(const InterruptHandler &) = delete;
    InterruptHandler &operator=(const InterruptHandler &) = delete;

    // Set by Ctrl+C since the last reset(); read between two exchanges.
    static bool requested();
    static void reset();
};
