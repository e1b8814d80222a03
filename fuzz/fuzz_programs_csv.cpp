// The CSV import of programs on any bytes: programs, or a TCsvFileError.

#include <cstdint>
#include <cstdlib>
#include <model/ProgramsCsv.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const TProgList programs = varno::programscsv::Import(bytes, QStringLiteral("fuzz.csv"));
        // What was imported exports and imports back the same.
        const QByteArray again = varno::programscsv::Export(programs);
        const TProgList reread = varno::programscsv::Import(again, QStringLiteral("again.csv"));
        if (varno::programscsv::Export(reread) != again)
            std::abort();
    } catch (const varno::programscsv::TCsvFileError &) {
    }
    return 0;
}
