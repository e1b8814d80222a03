// image and check: what a project file holds and what a transmit would send.

#include "Commands.h"
#include "Output.h"

#include <link/EepromImage.h>
#include <link/ProjectCheckText.h>
#include <link/TransmitImage.h>
#include <model/Project.h>

namespace {

QString hexBytes(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

// Control characters (a name read back from a player holds zero bytes) are shown
// as escapes so that the output stays on its lines.
QString printable(const QString &text)
{
    QString shown;
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

} // namespace

int printImage(const TProject &project)
{
    const auto blocks = varno::eeprom::TransmitBlocks(project.Programs);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        out() << QStringLiteral("%1: ").arg(i + 1, 3, 10, QLatin1Char('0'))
              << hexBytes(varno::eeprom::ToBytes(blocks[i])) << '\n';
    }
    out() << "name: " << hexBytes(varno::eeprom::ProjectNameBlock(project.Group.Name)) << '\n';
    return ExitOk;
}

int printCheck(const TProject &project, const QList<TNarrowedNumber> &narrowed)
{
    out() << "Project: " << printable(project.Group.Name) << '\n';
    out() << "Programs: " << project.Programs.count() << '\n';
    QStringList numbers;
    for (const auto &program : project.Programs)
        numbers << QString::number(program->NumOfProg);
    out() << "Numbers: " << numbers.join(QStringLiteral(", ")) << '\n';
    for (const QString &warning : varno::projectcheck::CheckProject(project, narrowed))
        out() << "warning: " << warning << '\n';
    return ExitOk;
}
