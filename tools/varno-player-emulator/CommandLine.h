#pragma once

#include "EmulatorOptions.h"

#include <QString>
#include <QStringList>
#include <string>

namespace varno::emulator {

struct TCommandLine
{
    TEmulatorOptions Options; // without callbacks
    bool Log = false;
    std::string LinkPath; // symbolic link to make to the port device
    std::string LoadPath; // memory file to start from
    std::string SavePath; // memory file to write
};

enum class TParseOutcome
{
    Run,
    Help,
    Error
};

// Reads the arguments (the program name first). For Help, `message` is the
// usage text; for Error, what is wrong.
TParseOutcome ParseCommandLine(const QStringList &arguments, TCommandLine &commandLine,
                               QString &message);

} // namespace varno::emulator
