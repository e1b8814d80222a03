// The settings file reader on any bytes: it always gives settings, and what it
// gives writes and reads back the same.

#include <cstdint>
#include <cstdlib>
#include <shell/SettingsFile.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const TSettings settings = TSettingsFile::parse(bytes);
    if (settings.Language < 1 || settings.Language > 3)
        std::abort();
    const TSettings again = TSettingsFile::parse(TSettingsFile::format(settings));
    if (again.Language != settings.Language)
        std::abort();
    return 0;
}
