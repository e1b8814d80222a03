#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <captions/ScheduleTexts.h>
#include <model/Project.h>
#include <shell/WeekGrid.h>
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
    setMinimumWidth(TimeWidth + 7 * MinDayWidth);
    resize(TimeWidth + 7 * DayWidth, 0);
}

int TWeekGrid::widthFor(int viewWidth)
{
    return qMax(TimeWidth + 7 * MinDayWidth, viewWidth);
}

int TWeekGrid::dayWidth() const
{
    return qMax(MinDayWidth, (width() - TimeWidth) / 7);
}

void TWeekGrid::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (event->oldSize().width() != width())
        layoutBlocks();
}

bool TWeekGrid::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        for (const Block &b : blocks_)
            if (b.rect.contains(help->pos())) {
                QToolTip::showText(help->globalPos(), b.label, this, b.rect);
                return true;
            }
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    return QWidget::event(event);
}

void TWeekGrid::setSchedule(const Schedule &schedule, const TProject &project,
                            text::Language language)
{
    schedule_ = schedule;
    language_ = language;
    colours_.clear();
    for (const Firing &f : schedule_.firings)
        colours_ << project.Programs.at(f.position).Color;

    layoutBlocks();
}

void TWeekGrid::layoutBlocks()
{
    const int day = dayWidth();
    // Rows: each minute at which something fires, as tall as its busiest day.
    QList<int> minutes;
    for (const Firing &f : schedule_.firings)
        if (!minutes.contains(f.minuteOfDay))
            minutes << f.minuteOfDay;
    std::sort(minutes.begin(), minutes.end());
    blocks_.clear();
    rows_.clear();
    int top = 0;
    for (int minute : minutes) {
        int tallest = 1;
        int stacked[7] = {};
        for (int i = 0; i < schedule_.firings.size(); ++i) {
            const Firing &f = schedule_.firings[i];
            if (f.minuteOfDay != minute)
                continue;
            const int d = int(schedule_.from.daysTo(f.date));
            const QRect rect(TimeWidth + d * day + 2, top + stacked[d] * BlockHeight + 1, day - 4,
                             BlockHeight - 2);
            blocks_ << Block{
                rect, i,
                QStringLiteral("%1 %2").arg(f.number, 3, 10, QLatin1Char('0')).arg(f.title)};
            tallest = qMax(tallest, ++stacked[d]);
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
        const int left = TimeWidth + d * dayWidth();
        p.drawLine(left, 0, left, height());
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

TWeekHeader::TWeekHeader(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("WeekHeader"));
    setAutoFillBackground(true);
}

void TWeekHeader::setWeek(const QDate &from, text::Language language)
{
    from_ = from;
    language_ = language;
    update();
}

void TWeekHeader::setDayWidth(int width)
{
    dayWidth_ = width;
    update();
}

void TWeekHeader::setOffset(int x)
{
    offset_ = x;
    update();
}

void TWeekHeader::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    p.setPen(palette().text().color());
    for (int d = 0; d < 7; ++d) {
        const QRect head(TWeekGrid::TimeWidth + d * dayWidth_ - offset_, 0, dayWidth_, Height);
        const auto fit = [&](const QString &s) {
            return p.fontMetrics().elidedText(s, Qt::ElideRight, dayWidth_ - 4);
        };
        p.drawText(head, Qt::AlignCenter,
                   fit(text::DayName(d + 1, language_)) + QLatin1Char('\n') +
                       fit(from_.addDays(d).toString(QStringLiteral("dd/MM/yyyy"))));
        p.drawLine(head.topLeft(), head.bottomLeft());
    }
    p.drawLine(0, height() - 1, width(), height() - 1);
}

TWeekView::TWeekView(TWeekGrid *grid, QWidget *parent)
    : QScrollArea(parent), header_(new TWeekHeader(this))
{
    setWidget(grid);
    setWidgetResizable(false);
    setViewportMargins(0, TWeekHeader::Height, 0, 0);
    // In the Tab chain, so that the arrows and Page Up/Down scroll the week.
    setFocusPolicy(Qt::StrongFocus);
}

void TWeekView::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    placeHeader();
}

// The days share the width of the view, so that a small screen shows the whole
// week without scrolling sideways.
bool TWeekView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Resize)
        fitGrid();
    return QScrollArea::viewportEvent(event);
}

void TWeekView::fitGrid()
{
    auto *grid = static_cast<TWeekGrid *>(widget());
    const int width = TWeekGrid::widthFor(viewport()->width());
    if (grid->width() != width)
        grid->resize(width, grid->height());
    header_->setDayWidth(grid->dayWidth());
}

void TWeekView::scrollContentsBy(int dx, int dy)
{
    QScrollArea::scrollContentsBy(dx, dy);
    header_->setOffset(horizontalScrollBar()->value());
}

void TWeekView::placeHeader()
{
    const QRect port = viewport()->geometry();
    header_->setGeometry(port.left(), port.top() - TWeekHeader::Height, port.width(),
                         TWeekHeader::Height);
}
