// The project file reader on any bytes: a project, or a TProjectFileError.

#include <cstdint>
#include <cstdlib>
#include <model/Errors.h>
#include <model/ProjectFile.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const TProject project = varno::projectfile::Parse(bytes, QStringLiteral("fuzz.prg"));
        // What was read writes and reads back the same.
        const QByteArray again = varno::projectfile::Serialize(project);
        const TProject reread = varno::projectfile::Parse(again, QStringLiteral("again.prg"));
        if (varno::projectfile::Serialize(reread) != again)
            std::abort();
    } catch (const TProjectFileError &) {
    }
    return 0;
}
