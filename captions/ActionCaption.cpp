#include <captions/ActionCaption.h>
#include <model/ProjectClasses.h>
#include <resources/ListGlyphs.h>
#include <text/text.h>

namespace varno::actions {
namespace {

QString padded(int n, int digits)
{
    return QStringLiteral("%1").arg(n, digits, 10, QLatin1Char('0'));
}

} // namespace

int TransportGlyph(int command)
{
    static constexpr int glyphs[] = {pictures::list::Play,
                                     pictures::list::Pause,
                                     pictures::list::Stop,
                                     pictures::list::Forward,
                                     pictures::list::Rewind,
                                     pictures::list::DirectoryNext,
                                     pictures::list::DirectoryPrevious,
                                     pictures::list::VolumeUp,
                                     pictures::list::VolumeDown,
                                     pictures::list::Usb};
    return command >= 1 && command <= 10 ? glyphs[command - 1] : pictures::list::Play;
}

ActionCaption CaptionOf(quint8 kind, quint8 number, quint8 value, text::Language language)
{
    using text::ActionTexts;
    const auto t = [language](ActionTexts key) { return text::Text(key, language); };
    ActionCaption c;
    switch (kind) {
    case akTimerFile:
        c.text = t(ActionTexts::TimerFilePrefix) + padded(number, 3);
        c.glyph = pictures::list::TimerFile;
        break;
    case akDirectory:
        c.text = number == 0 ? t(ActionTexts::DirectorySong)
                             : t(ActionTexts::DirectoryPrefix) + padded(number, 3);
        c.glyph = pictures::list::Directory;
        break;
    case akSleepMode:
        c.text = t(ActionTexts::SleepMode);
        c.glyph = pictures::list::Sleep;
        break;
    case akTransport: {
        const int command = number >= 1 && number <= 10 ? number : 1;
        c.text = t(ActionTexts::CommandLabel) + QStringLiteral(" : ") +
                 text::TransportCommandName(command);
        c.glyph = TransportGlyph(number);
        break;
    }
    case akVolume:
        c.text = t(ActionTexts::Volume) + QStringLiteral(" : -") + padded(number, 2) +
                 QStringLiteral(" dB");
        c.glyph = pictures::list::Volume;
        break;
    case akInternalOutput:
        c.text = t(ActionTexts::InternalOutput) + QStringLiteral(" : ") + padded(number, 2);
        c.glyph = pictures::list::InternalOutput;
        break;
    case akExternalOutput:
        c.text = t(ActionTexts::ExternalOutput) + QStringLiteral(" : ") + padded(number, 3);
        c.glyph = pictures::list::ExternalOutput;
        c.hasValue = true;
        c.valueText = t(ActionTexts::ValueLabel) + QStringLiteral(" : ") + padded(value, 3);
        c.valueGlyph = pictures::list::Value;
        break;
    case akGoToProgram:
        c.text = t(ActionTexts::GoToProgram) + QStringLiteral(" ") + padded(number, 3);
        c.glyph = pictures::list::GoToProgram;
        break;
    case akFtpClient:
        c.text = t(ActionTexts::FtpClient) + QStringLiteral(" ") + QString::number(number);
        break;
    case akSendEMail:
        c.text = t(ActionTexts::SendEmail) + QStringLiteral(" ") + padded(number, 3);
        break;
    default:
        c.text = t(ActionTexts::UnknownCommand);
        c.glyph = pictures::list::Blank;
        break;
    }
    return c;
}

} // namespace varno::actions
