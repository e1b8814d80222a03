// varno-cli: the programmer's command-line companion. It reads project files
// and talks to the player with the same code as the programmer.

#include "CommandLine.h"
#include "Commands.h"
#include "Output.h"

#include <QCoreApplication>
#include <model/Errors.h>
#include <model/ProjectFile.h>

namespace {

bool load(const QString &fileName, TProject &project)
{
    try {
        project = LoadProject(fileName);
        return true;
    } catch (const TVarnoError &e) {
        report(e.message());
        return false;
    }
}

int run(const Invocation &call)
{
    if (call.command == QLatin1String("receive"))
        return receive(call.output, call.outputDir, call.force, call.transfer);
    TProject project;
    if (!load(call.file, project))
        return ExitFailed;
    if (call.command == QLatin1String("image"))
        return printImage(project);
    if (call.command == QLatin1String("check"))
        return printCheck(project);
    if (call.command == QLatin1String("transmit"))
        return transmit(project, call.transfer);
    return verify(project, call.transfer);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("varno-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.1"));

    const Invocation call = ParseCommandLine(QCoreApplication::arguments());
    int status = ExitOk;
    switch (call.action) {
    case Invocation::Action::Help:
        out() << call.message;
        break;
    case Invocation::Action::Version:
        out() << "varno-cli " << QCoreApplication::applicationVersion() << '\n';
        break;
    case Invocation::Action::UsageError:
        report(call.message + QStringLiteral("; see 'varno-cli --help'"));
        status = ExitUsage;
        break;
    case Invocation::Action::Run:
        status = run(call);
        break;
    }
    out().flush();
    return status;
}
