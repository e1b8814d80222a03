#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>
#include <model/Clock.h>
#include <model/Project.h>
#include <model/ProjectFile.h>
#include <report/ScheduleTexts.h>
#include <shell/ScheduleWindow.h>
#include <text/text.h>

using namespace varno::schedule;

namespace {

QColor recordColour(quint32 colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

} // namespace

TWeekGrid::TWeekGrid(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("WeekGrid"));
    setMinimumWidth(TimeWidth + 7 * DayWidth);
}

void TWeekGrid::setSchedule(const Schedule &schedule, const TProject &project, quint8 language)
{
    schedule_ = schedule;
    language_ = language;
    colours_.clear();
    for (const Firing &f : schedule_.firings)
        colours_ << project.Programs.at(f.position).Color;

    // Rows: each minute at which something fires, as tall as its busiest day.
    QList<int> minutes;
    for (const Firing &f : schedule_.firings)
        if (!minutes.contains(f.minuteOfDay))
            minutes << f.minuteOfDay;
    std::sort(minutes.begin(), minutes.end());
    blocks_.clear();
    rows_.clear();
    int top = HeaderHeight;
    for (int minute : minutes) {
        int tallest = 1;
        int stacked[7] = {};
        for (int i = 0; i < schedule_.firings.size(); ++i) {
            const Firing &f = schedule_.firings[i];
            if (f.minuteOfDay != minute)
                continue;
            const int day = int(schedule_.from.daysTo(f.date));
            const QRect rect(TimeWidth + day * DayWidth + 2, top + stacked[day] * BlockHeight + 1,
                             DayWidth - 4, BlockHeight - 2);
            blocks_ << Block{
                rect, i,
                QStringLiteral("%1 %2").arg(f.number, 3, 10, QLatin1Char('0')).arg(f.title)};
            tallest = qMax(tallest, ++stacked[day]);
        }
        rows_ << qMakePair(minute, top);
        top += tallest * BlockHeight + 2;
    }
    setMinimumHeight(top + 1);
    resize(width(), top + 1);
    update();
}

void TWeekGrid::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    p.setPen(palette().text().color());
    for (int d = 0; d < 7; ++d) {
        const QRect head(TimeWidth + d * DayWidth, 0, DayWidth, HeaderHeight);
        p.drawText(head, Qt::AlignCenter,
                   text::DayName(d + 1, language_) + QLatin1Char('\n') +
                       schedule_.from.addDays(d).toString(QStringLiteral("dd/MM/yyyy")));
        p.drawLine(head.topLeft(), QPoint(head.left(), height()));
    }
    for (const auto &[minute, top] : rows_) {
        p.drawLine(0, top, width(), top);
        p.drawText(QRect(2, top, TimeWidth - 4, BlockHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   TimeText(minute));
    }
    for (const Block &b : blocks_) {
        const Firing &f = schedule_.firings[b.firing];
        const QColor fill = recordColour(colours_[b.firing]);
        p.fillRect(b.rect, fill);
        if (f.clashes) {
            // Hatched at its end, so that the label stays legible.
            const QRect end = b.rect.adjusted(b.rect.width() * 2 / 3, 0, 0, 0);
            p.fillRect(end, QBrush(QColor(200, 0, 0), Qt::BDiagPattern));
            p.setPen(QPen(QColor(200, 0, 0), 3));
            p.drawRect(b.rect.adjusted(1, 1, -1, -1));
        }
        p.setPen(fill.lightness() < 128 ? Qt::white : Qt::black);
        p.drawText(b.rect.adjusted(4, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   p.fontMetrics().elidedText(b.label, Qt::ElideRight, b.rect.width() - 6));
    }
}

void TWeekGrid::mousePressEvent(QMouseEvent *event)
{
    for (const Block &b : blocks_)
        if (b.rect.contains(event->position().toPoint())) {
            emit programClicked(schedule_.firings[b.firing].position);
            return;
        }
    QWidget::mousePressEvent(event);
}

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
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(grid_);
    scroll_->setWidgetResizable(false);
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
    split->addWidget(scroll_);
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

    translate();
    showWeek(varno::currentDateTime().date());
}

void TScheduleWindow::setLanguage(quint8 language)
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
    if (varno::projectfile::serialize(project_) != seen_)
        rebuild();
}

void TScheduleWindow::rebuild()
{
    seen_ = varno::projectfile::serialize(project_);
    schedule_ = BuildSchedule(project_, weekStart_, 7);
    grid_->setSchedule(schedule_, project_, language_);
    status_->setText(
        text::Text(text::AddedTexts::ClashCount, language_).arg(schedule_.clashes.size()));
    status_->setStyleSheet(schedule_.clashes.isEmpty() ? QString()
                                                       : QStringLiteral("color: #b00000;"));
    problems_->clear();
    const QStringList lines = DescribeAll(schedule_, language_);
    problems_->addItems(
        lines.isEmpty() ? QStringList{text::Text(text::AddedTexts::NoProblem, language_)} : lines);
}
