// varno-cli: the programmer's command-line companion. It reads project files
// and talks to the player with the same code as the programmer.

#include "CommandLine.h"
#include "Commands.h"
#include "Console.h"
#include "Output.h"
#include "ScheduleCommands.h"

#include <QCoreApplication>
#include <link/ProjectCheckText.h>
#include <model/AppIdentity.h>
#include <model/Errors.h>
#include <model/HeldProject.h>

namespace {

// Every command sends, shows or compares the project as the programmer holds
// it once opened, so that it gives the programmer's bytes.
bool load(const QString &fileName, TProject &project, QList<TNarrowedNumber> &narrowed)
{
    try {
        project = varno::actions::LoadProjectAsHeld(fileName, &narrowed);
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
    if (call.command == QLatin1String("restore"))
        return restore(call.file, call.transfer);
    if (IsScheduleCommand(call.command))
        return RunScheduleCommand(call);
    TProject project;
    QList<TNarrowedNumber> narrowed;
    if (!load(call.file, project, narrowed))
        return ExitFailed;
    if (call.command == QLatin1String("image"))
        return printImage(project);
    if (call.command == QLatin1String("check"))
        return printCheck(project, narrowed);
    if (call.command == QLatin1String("transmit")) {
        // A transmit and its verify agree with each other even when the
        // project loses programs on the way: say so before the player is touched.
        for (const QString &warning : varno::projectcheck::CheckProject(project, narrowed))
            report(QStringLiteral("warning: ") + warning);
        return transmit(project, call.transfer);
    }
    return verify(project, call.transfer);
}

} // namespace

int main(int argc, char *argv[])
{
    PrepareConsole();
    QCoreApplication app(argc, argv);
    // The programmer's names: the folders it finds, its backups', are the programmer's.
    varno::identity::UseProgrammerNames();
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
