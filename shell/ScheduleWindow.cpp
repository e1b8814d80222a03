#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>
#include <captions/ScheduleTexts.h>
#include <model/Clock.h>
#include <model/Project.h>
#include <model/ProjectFile.h>
#include <shell/ScheduleWindow.h>
#include <text/text.h>

using namespace varno::schedule;

TScheduleWindow::TScheduleWindow(const TProject &project, QWidget *parent)
    : QWidget(parent, Qt::Window), project_(project)
{
    setObjectName(QStringLiteral("ScheduleWindow"));
    previous_ = new QPushButton(this);
    previous_->setObjectName(QStringLiteral("PreviousWeek"));
    next_ = new QPushButton(this);
    next_->setObjectName(QStringLiteral("NextWeek"));
    date_ = new QDateEdit(this);
    date_->setObjectName(QStringLiteral("WeekDate"));
    date_->setCalendarPopup(true);
    date_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    grid_ = new TWeekGrid;
    view_ = new TWeekView(grid_, this);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("ClashStatus"));
    problemsHeading_ = new QLabel(this);
    problems_ = new QListWidget(this);
    problems_->setObjectName(QStringLiteral("Problems"));

    auto *top = new QHBoxLayout;
    top->addWidget(previous_);
    top->addWidget(date_);
    top->addWidget(next_);
    top->addStretch();
    auto *below = new QWidget;
    auto *belowLayout = new QVBoxLayout(below);
    belowLayout->setContentsMargins(0, 0, 0, 0);
    belowLayout->addWidget(problemsHeading_);
    belowLayout->addWidget(problems_);
    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(view_);
    split->addWidget(below);
    // The grid takes most of the height; the list of problems keeps a few lines.
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 0);
    split->setSizes({470, 130});
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    layout->addWidget(status_);
    resize(TWeekGrid::TimeWidth + 7 * TWeekGrid::DayWidth + 40, 640);
    // Tab follows the window from left to right and top to bottom; the week
    // has the keyboard first, so that the arrows and Page Down scroll it.
    setTabOrder(previous_, date_);
    setTabOrder(date_, next_);
    setTabOrder(next_, view_);
    setTabOrder(view_, problems_);
    view_->setFocus();

    connect(previous_, &QPushButton::clicked, this, [this] { showWeek(weekStart_.addDays(-7)); });
    connect(next_, &QPushButton::clicked, this, [this] { showWeek(weekStart_.addDays(7)); });
    connect(date_, &QDateEdit::dateChanged, this, [this](const QDate &d) { showWeek(d); });
    connect(grid_, &TWeekGrid::programClicked, this, [this](int position) {
        if (OpenProgram)
            OpenProgram(position);
    });
    // Edits reach the project from many places; a cheap look at it while the
    // window is shown keeps the week current without hooks in every editor.
    poll_ = new QTimer(this);
    poll_->setInterval(400);
    connect(poll_, &QTimer::timeout, this, &TScheduleWindow::refresh);
    poll_->start();
    // A window of its own, closed as a dialog is.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    translate();
    showWeek(varno::CurrentDateTime().date());
}

void TScheduleWindow::setLanguage(text::Language language)
{
    language_ = language;
    translate();
    rebuild();
}

void TScheduleWindow::translate()
{
    using text::AddedTexts;
    setWindowTitle(text::Text(AddedTexts::ScheduleTitle, language_));
    previous_->setText(text::Text(AddedTexts::PreviousWeek, language_));
    next_->setText(text::Text(AddedTexts::NextWeek, language_));
    problemsHeading_->setText(text::Text(AddedTexts::ProblemsHeading, language_));
}

void TScheduleWindow::showWeek(const QDate &anyDayOfIt)
{
    const QDate start = WeekStart(anyDayOfIt);
    if (start == weekStart_ && !seen_.isNull())
        return;
    weekStart_ = start;
    {
        const QSignalBlocker block(date_);
        date_->setDate(anyDayOfIt);
    }
    rebuild();
}

void TScheduleWindow::refresh()
{
    if (!isVisible() && !seen_.isNull())
        return;
    if (varno::projectfile::Serialize(project_) != seen_)
        rebuild();
}

void TScheduleWindow::rebuild()
{
    seen_ = varno::projectfile::Serialize(project_);
    schedule_ = BuildSchedule(project_, weekStart_, 7);
    grid_->setSchedule(schedule_, project_, language_);
    view_->header()->setWeek(weekStart_, language_);
    status_->setText(
        text::Text(text::AddedTexts::ClashCount, language_).arg(schedule_.clashes.size()));
    status_->setStyleSheet(schedule_.clashes.isEmpty() ? QString()
                                                       : QStringLiteral("color: #b00000;"));
    problems_->clear();
    const QStringList lines = DescribeAll(schedule_, language_);
    problems_->addItems(
        lines.isEmpty() ? QStringList{text::Text(text::AddedTexts::NoProblem, language_)} : lines);
}
