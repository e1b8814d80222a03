// The schedule window, the project report and the programs as CSV: the model
// and report libraries do the work, the window asks and shows.

#include <QBuffer>
#include <QMenu>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <editor/LittleOneProg.h>
#include <editor/OneProg.h>
#include <editor/UserDialogs.h>
#include <model/Clock.h>
#include <model/HeldProject.h>
#include <model/ProgramsCsv.h>
#include <report/ProjectReport.h>
#include <report/SaveBytes.h>
#include <resources/Pictures.h>
#include <shell/Main.h>
#include <shell/ReportPages.h>
#include <shell/ScheduleWindow.h>
#include <shell/WindowPlacement.h>
#include <text/text.h>

namespace {

const QString kReportFilter = QStringLiteral("HTML (*.html);;PDF (*.pdf)");
const QString kCsvFilter = QStringLiteral("CSV (*.csv)");

QAction *namedItem(QObject *parent, const char *name)
{
    auto *action = new QAction(parent);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

// The report on A4 pages.
void writePdf(const QString &fileName, const QString &html)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        // Printing keeps 2 cm white inside the printable part: little more around it.
        pdf.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
        pdf.setResolution(300);
        reportpages::Print(html, pdf);
    }
    varno::report::SaveBytes(fileName, buffer.data());
}

} // namespace

void TForm1::buildScheduleCommands()
{
    Schedule1 = namedItem(this, "Schedule1");
    ExportReport1 = namedItem(this, "ExportReport1");
    ExportCsv1 = namedItem(this, "ExportCsv1");
    ImportCsv1 = namedItem(this, "ImportCsv1");
    PrintReport1 = namedItem(this, "PrintReport1");
    // In the File menu before its last group (Exit), in the Edit menu after Vérif.
    QMenu *file = File1->menu();
    QAction *beforeExit = nullptr;
    for (QAction *a : file->actions())
        if (a->isSeparator())
            beforeExit = a;
    file->insertActions(beforeExit, {ExportReport1, PrintReport1, ExportCsv1, ImportCsv1});
    file->insertSeparator(ExportReport1);
    Edit1->menu()->insertAction(
        Edit1->menu()->actions().value(Edit1->menu()->actions().indexOf(Verif1) + 1), Schedule1);

    ScheduleButton = new QToolButton(ToolBar1);
    ScheduleButton->setObjectName(QStringLiteral("ScheduleButton"));
    ScheduleButton->setAutoRaise(true);
    ScheduleButton->setFixedSize(40, 40);
    ScheduleButton->setIconSize(QSize(32, 32));
    ScheduleButton->setIcon(QIcon(pictures::pixmap(pictures::PanelIcon::EveryWeekRow, 2.0)));
    // Before the web address, which closes the tool bar.
    const QList<QAction *> items = ToolBar1->actions();
    ToolBar1->insertWidget(items.isEmpty() ? nullptr : items.last(), ScheduleButton);

    connect(Schedule1, &QAction::triggered, this, &TForm1::Schedule1Click);
    connect(ScheduleButton, &QToolButton::clicked, this, &TForm1::Schedule1Click);
    connect(ExportReport1, &QAction::triggered, this, &TForm1::ExportReport1Click);
    connect(PrintReport1, &QAction::triggered, this, &TForm1::PrintReport1Click);
    connect(ExportCsv1, &QAction::triggered, this, &TForm1::ExportCsv1Click);
    connect(ImportCsv1, &QAction::triggered, this, &TForm1::ImportCsv1Click);
}

void TForm1::translateScheduleCommands()
{
    using text::AddedTexts;
    const text::Language l = CurrentLanguage;
    Schedule1->setText(text::Text(AddedTexts::ScheduleItem, l));
    ScheduleButton->setToolTip(text::Text(AddedTexts::ScheduleItem, l).remove(QLatin1Char('&')));
    ExportReport1->setText(text::Text(AddedTexts::ExportReport, l));
    PrintReport1->setText(text::Text(AddedTexts::PrintReport, l));
    ExportCsv1->setText(text::Text(AddedTexts::ExportCsv, l));
    ImportCsv1->setText(text::Text(AddedTexts::ImportCsv, l));
    if (ScheduleWindow1)
        ScheduleWindow1->setLanguage(l);
}

void TForm1::Schedule1Click()
{
    if (!ScheduleWindow1) {
        ScheduleWindow1 = new TScheduleWindow(document_.project(), this);
        ScheduleWindow1->setLanguage(CurrentLanguage);
        ScheduleWindow1->OpenProgram = [this](int position) { openProgramAt(position); };
        restoreSchedulePlacement();
    }
    ProgPanel->ValidateEdits();
    ScheduleWindow1->show();
    // Its frame is known once it is shown: the title bar stays in reach.
    QTimer::singleShot(0, ScheduleWindow1,
                       [window = ScheduleWindow1] { placement::keepOnScreen(*window); });
    ScheduleWindow1->refresh();
    ScheduleWindow1->raise();
    ScheduleWindow1->activateWindow();
}

void TForm1::openProgramAt(int position)
{
    if (position < 0 || position >= ProgList().count())
        return;
    const TVARNOProg *program = &ProgList().at(position);
    for (TFrame1 *panel : PanelList()) {
        if (panel->Prog != program)
            continue;
        ActiveSelected(panel);
        ActualizeOneProg(panel);
        rows_->scrollToSelected();
        raise();
        activateWindow();
        return;
    }
}

QString TForm1::reportHtml()
{
    ProgPanel->ValidateEdits();
    const QDate week =
        ScheduleWindow1 ? ScheduleWindow1->weekStart() : varno::CurrentDateTime().date();
    return varno::report::ProjectReportHtml(document_.project(), week, CurrentLanguage);
}

void TForm1::ExportReport1Click()
{
    const QString fileName = dialogs_.saveFileNameFor(this, kReportFilter, QStringLiteral("html"),
                                                      proposedFileName(QStringLiteral("html")));
    if (fileName.isEmpty() || refusedAsExport(fileName))
        return;
    try {
        if (fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
            writePdf(fileName, reportHtml());
        else
            varno::report::SaveBytes(fileName, reportHtml().toUtf8());
    } catch (const TVarnoError &e) {
        dialogs_.showError(this, e.message());
        return;
    }
    showFileWritten(fileName);
}

void TForm1::PrintReport1Click()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialogs_.exec(&dialog) != QDialog::Accepted)
        return;
    // Printing to a file writes it as an export does.
    if (!printer.outputFileName().isEmpty() && refusedAsExport(printer.outputFileName()))
        return;
    reportpages::Print(reportHtml(), printer);
}

void TForm1::ExportCsv1Click()
{
    ProgPanel->ValidateEdits();
    const QString fileName = dialogs_.saveFileNameFor(this, kCsvFilter, QStringLiteral("csv"),
                                                      proposedFileName(QStringLiteral("csv")));
    if (fileName.isEmpty() || refusedAsExport(fileName))
        return;
    try {
        varno::report::SaveBytes(fileName, varno::programscsv::Export(ProgList()));
    } catch (const TVarnoError &e) {
        dialogs_.showError(this, e.message());
        return;
    }
    showFileWritten(fileName);
}

void TForm1::ImportCsv1Click()
{
    using text::AddedTexts;
    if (transferRunning())
        return;
    const QString fileName = dialogs_.openFileName(this, kCsvFilter);
    if (fileName.isEmpty())
        return;
    TProgList imported;
    try {
        imported = varno::programscsv::ImportFile(fileName);
    } catch (const TVarnoError &e) {
        dialogs_.showError(this, e.message());
        return;
    }
    // As the programmer holds programs it opens.
    varno::actions::HoldPrograms(imported);
    const text::Language l = CurrentLanguage;
    // Adding is the default: a project is never replaced by a key pressed in haste.
    const int choice = dialogs_.askChoice(
        this, text::Text(AddedTexts::ReplaceOrAdd, l).arg(imported.count()),
        {text::Text(AddedTexts::ImportAdd, l), text::Text(AddedTexts::ImportReplace, l)});
    if (choice < 0)
        return; // neither add nor replace was chosen
    const bool replace = choice == 1;
    const int total = imported.count() + (replace ? 0 : ProgList().count());
    if (total > TProgList::MaxPrograms) {
        dialogs_.warn(this, text::Text(AddedTexts::TooManyPrograms, l).arg(total));
        return;
    }

    ProgPanel->ValidateEdits();
    QString message = text::Text(AddedTexts::ImportDone, l).arg(imported.count());
    // The whole import is one step: undoing it gives the list back as it was.
    const auto renumbered = document_.importPrograms(std::move(imported), replace);
    QStringList changes;
    for (const auto &[from, to] : renumbered)
        changes << QStringLiteral("%1 \u2192 %2").arg(from).arg(to);
    if (!changes.isEmpty())
        message += QLatin1Char('\n') +
                   text::Text(AddedTexts::Renumbered, l).arg(changes.join(QStringLiteral(", ")));
    dialogs_.warn(this, message);
}
