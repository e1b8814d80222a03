// The program list of the main window: creating, deleting, selecting, opening
// and folding programs, and stacking their rows.

#include <QFocusEvent>
#include <QGuiApplication>
#include <QHash>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleHints>
#include <QTimer>
#include <QToolTip>
#include <editor/ColumnGrid.h>
#include <editor/ColumnMenu.h>
#include <editor/EditStep.h>
#include <editor/LittleOneProg.h>
#include <editor/OneProg.h>
#include <editor/UserDialogs.h>
#include <shell/Main.h>
#include <shell/ProjectUndo.h>
#include <text/text.h>

TFrame1 *TForm1::createPanel(TVARNOProg *program)
{
    auto *panel = new TFrame1(rows_);
    panel->Prog = program;
    panel->Language = CurrentLanguage;
    PanelList.append(panel);
    bindPanel(panel);
    return panel;
}

void TForm1::bindPanel(TFrame1 *panel)
{
    panel->installEventFilter(this); // a row reached with Tab is selected
    connect(panel->SpeedButton2, &QToolButton::clicked, this, [this, panel] {
        rowClicked(panel);
        ActualizeOneProg(panel);
    });
    connect(panel, &TFrame1::clicked, this, [this, panel] {
        rowClicked(panel);
        ActiveSelected(panel);
    });
    connect(panel, &TFrame1::doubleClicked, this, [this, panel] { openDoubleClickedRow(panel); });
    connect(panel, &TFrame1::openRequested, this, [this, panel] {
        ActualizeOneProg(panel);
        ProgPanel->keyControls().constFirst()->setFocus(Qt::TabFocusReason);
    });
    connect(panel, &TFrame1::stepRequested, this, [this, panel](int step) {
        const qsizetype to = PanelList.indexOf(panel) + step;
        if (to < 0 || to >= PanelList.size())
            return;
        TFrame1 *row = PanelList.at(to);
        ActiveSelected(row);
        row->setFocus(Qt::TabFocusReason);
        ScrollBox1->ensureWidgetVisible(row, 0, 0);
    });
}

namespace {

// After the number of a go-to item that a program bears.
const QString kBorneMark = QStringLiteral(" \u25CF");

// Tab goes through the rows as they stand, through the open program's controls
// in the place of its row.
void chainRows(const QList<TFrame1 *> &rows, const TFrame2 *panel)
{
    QWidget *previous = nullptr;
    const auto append = [&previous](QWidget *next) {
        if (previous)
            QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (TFrame1 *row : rows) {
        if (row->isHidden() && !panel->isHidden()) {
            for (QWidget *control : panel->keyControls())
                append(control);
        } else {
            append(row);
        }
    }
}

} // namespace

void TForm1::rowClicked(TFrame1 *row)
{
    clickedRow_ = row;
    clickedAt_.start();
}

void TForm1::openDoubleClickedRow(TFrame1 *under)
{
    const bool sameGesture =
        clickedRow_ && clickedAt_.isValid() &&
        clickedAt_.elapsed() <= QGuiApplication::styleHints()->mouseDoubleClickInterval();
    TFrame1 *row = sameGesture ? clickedRow_.data() : under;
    clickedRow_.clear();
    if (row)
        ActualizeOneProg(row);
}

// A double click whose second press lands below the rows, once they moved up;
// the title of the program a go-to item names.
bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    // Tab onto a folded row selects it, so that the keys and the selection
    // stay on one row; with a program open, Tab goes through it and the rows
    // without folding it.
    // Checked once the event is handled: a row hidden under the program it
    // opens passes the focus on with the same reason.
    if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        QPointer<TFrame1> row = qobject_cast<TFrame1 *>(watched);
        if (row && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason))
            QTimer::singleShot(0, this, [this, row] {
                if (row && row->hasFocus() && row != SelectedPanel && ProgPanel->isHidden() &&
                    PanelList.contains(row.data()))
                    ActiveSelected(row);
            });
    }
    if (ProgPanel && event->type() == QEvent::ToolTip &&
        watched == ProgPanel->GoToProgramMenu->grid()) {
        const auto *help = static_cast<QHelpEvent *>(event);
        auto *grid = static_cast<varno::ColumnGrid *>(watched);
        const int index = grid->indexAt(help->pos());
        const QList<QAction *> &items = ProgPanel->GoToProgramMenu->items();
        if (index >= 0 && index < items.size() && items[index]->text().endsWith(kBorneMark))
            QToolTip::showText(help->globalPos(), items[index]->toolTip(), grid);
        else
            QToolTip::hideText();
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton &&
        (watched == rows_ || watched == ScrollBox1->viewport()) && ProgPanel &&
        ProgPanel->isHidden())
        openDoubleClickedRow(nullptr);
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::SpeedButton1Click()
{
    if (PanelList.size() >= TProgList::MaxPrograms) {
        dialogs_.warn(this,
                      text::Text(text::ProgramLimitMessage::TooManyPrograms, CurrentLanguage));
        return;
    }
    if (!ProgPanel->isHidden() && !PanelList.isEmpty())
        ActualizeBVProg();
    document_.addProgram(); // shown open by programInserted
}

void TForm1::SpeedButton2Click()
{
    if (PanelList.isEmpty() || !SelectedPanel || !SelectedPanel->Prog)
        return;
    // The question names the program it deletes: the selected one, whatever
    // the keys were doing.
    const TVARNOProg &program = *SelectedPanel->Prog;
    const QString question = text::Text(text::MainMessages::DeleteConfirm, CurrentLanguage) +
                             QStringLiteral("\n%1  %2")
                                 .arg(program.NumOfProg, 3, 10, QLatin1Char('0'))
                                 .arg(program.Title);
    if (dialogs_.askYesNo(this, question))
        DeleteSelectedProg();
}

void TForm1::DeleteSelectedProg()
{
    const int index = int(PanelList.indexOf(SelectedPanel));
    if (index < 0)
        return;
    // What is typed in the panel belongs to the record its undo puts back.
    if (ProgPanel->Prog == &ProgList().at(index))
        ProgPanel->ValidateEdits();
    document_.deleteProgram(index); // its row goes in programRemoved
}

void TForm1::placeAndScroll(int contentHeight)
{
    rows_->resize(TFrame2::PanelWidth, qMax(contentHeight, 1));
    chainRows(PanelList, ProgPanel);
    keepFocusOn(SelectedPanel);
    scrollToSelected();
}

// The keys act on the selected program (Delete deletes it): the focus mark is
// never left on another row. A row that loses the focus by being hidden or
// deleted passes it on to the next widget, or to none, so it is brought back
// here whenever the focus is in the list.
bool TForm1::keysInList() const
{
    const QWidget *focus = focusWidget(); // this window's, active or not
    return focus ? focus == ScrollBox1 || ScrollBox1->isAncestorOf(focus) : isActiveWindow();
}

void TForm1::keepFocusOn(TFrame1 *selected, bool hadKeys)
{
    if (!selected || (!hadKeys && !keysInList()))
        return;
    QWidget *focus = focusWidget();
    const bool onSelection =
        focus && (selected->isHidden() ? !ProgPanel->isHidden() && ProgPanel->isAncestorOf(focus)
                                       : focus == selected || selected->isAncestorOf(focus));
    if (onSelection)
        return;
    if (!selected->isHidden())
        selected->setFocus(Qt::OtherFocusReason);
    else if (!ProgPanel->isHidden() && !ProgPanel->keyControls().isEmpty())
        ProgPanel->keyControls().constFirst()->setFocus(Qt::OtherFocusReason);
}

// The selected program's row (or the open panel in its place) at the top.
void TForm1::scrollToSelected()
{
    const int top =
        SelectedPanel ? (SelectedPanel->isHidden() ? ProgPanel->y() : SelectedPanel->y()) : 0;
    ScrollBox1->verticalScrollBar()->setValue(top);
}

void TForm1::LayoutFolded()
{
    ScrollBox1->verticalScrollBar()->setValue(0);
    ProgPanel->hide();
    int y = 0;
    for (TFrame1 *panel : PanelList) {
        panel->move(0, y);
        panel->show();
        y += panel->height();
    }
    placeAndScroll(y);
}

void TForm1::LayoutPanels()
{
    ScrollBox1->verticalScrollBar()->setValue(0);
    int y = 0;
    for (TFrame1 *panel : PanelList) {
        panel->move(0, y);
        if (panel->isHidden()) {
            ProgPanel->move(0, y); // the open program's row
            y += ProgPanel->height();
        } else {
            y += panel->height();
        }
    }
    placeAndScroll(y);
}

void TForm1::HighlightPanel(TFrame1 *panel)
{
    // Only the row marked before changes: a palette set on every row costs
    // more than the rest of opening a large project.
    for (TFrame1 *p : PanelList)
        if (p != panel && p->isSelected())
            p->setSelected(false);
    if (panel)
        panel->setSelected(true);
    keepFocusOn(panel);
}

void TForm1::OpenProg(TFrame1 *panel)
{
    const bool keys = keysInList(); // hiding a focused row sends the keys elsewhere
    if (panel != SelectedPanel) {
        if (SelectedPanel)
            SelectedPanel->show();
        ProgPanel->hide();
        LayoutPanels();
    }
    SelectedPanel = panel;
    ProgPanel->Prog = panel->Prog;
    ProgPanel->ClearActions();
    panel->ShowLittleProg();
    ProgPanel->ShowProg();
    ProgPanel->move(panel->pos());
    panel->hide();
    ProgPanel->show();
    LayoutPanels();
    HighlightPanel(panel);
    keepFocusOn(SelectedPanel, keys);
}

void TForm1::ActualizeOneProg(TFrame1 *panel)
{
    if (!ProgPanel->isHidden() && !PanelList.isEmpty())
        ActualizeBVProg();
    OpenProg(panel);
}

void TForm1::ActualizeBVProg()
{
    const bool keys = keysInList(); // hiding a focused row sends the keys elsewhere
    ProgPanel->ValidateEdits();
    if (SelectedPanel) {
        SelectedPanel->show();
        SelectedPanel->ShowLittleProg();
    }
    ProgPanel->hide();
    LayoutPanels();
    keepFocusOn(SelectedPanel, keys);
}

void TForm1::ActiveSelected(TFrame1 *panel)
{
    if (!ProgPanel->isHidden() && !PanelList.isEmpty())
        ActualizeBVProg();
    HighlightPanel(panel);
    SelectedPanel = panel;
}

void TForm1::UpdateNumberMenu()
{
    const QList<QAction *> &items = ProgPanel->PopupMenu3->items();
    for (QAction *item : items)
        item->setEnabled(true);
    for (const auto &program : ProgList()) {
        if (program->NumOfProg >= 1)
            items[program->NumOfProg - 1]->setEnabled(false);
    }
}

namespace {

// The actions in use of a program that go to number.
QList<int> jumpsTo(const TVARNOProg &program, quint8 number)
{
    QList<int> found;
    const int used = qMin<int>(program.ActionCount, TVARNOProg::ActionSlots);
    for (int slot = 0; slot < used; ++slot)
        if (program.ActionKind[std::size_t(slot)] == akGoToProgram &&
            program.ActionNumber[std::size_t(slot)] == number)
            found << slot;
    return found;
}

QString padded(int number)
{
    return QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
}

} // namespace

// A program that takes another number leaves the programs that went to its old
// one going nowhere; they follow it if the user says so, in the same step.
void TForm1::SelectAPopUpMenuNumOfProg(int number)
{
    TVARNOProg *renumbered = ProgPanel->Prog;
    if (!renumbered)
        return;
    const quint8 old = renumbered->NumOfProg;
    QList<int> jumping; // positions
    bool oldStillBorne = false;
    for (int i = 0; i < ProgList().count(); ++i) {
        const TVARNOProg &p = ProgList().at(i);
        if (!jumpsTo(p, old).isEmpty())
            jumping << i;
        if (&p != renumbered && p.NumOfProg == old)
            oldStillBorne = true;
    }
    bool follow = false;
    if (!jumping.isEmpty() && !oldStillBorne && number != old) {
        QStringList numbers;
        for (int i : jumping)
            numbers << padded(ProgList().at(i).NumOfProg);
        follow = dialogs_.askYesNo(
            this, text::Text(jumping.size() == 1 ? text::AddedTexts::RenumberJump
                                                 : text::AddedTexts::RenumberJumps,
                             CurrentLanguage)
                      .arg(numbers.join(QStringLiteral(", ")), padded(old), padded(number)));
    }
    if (!follow) {
        const TEditStep step(*ProgPanel);
        renumbered->NumOfProg = quint8(number);
        ProgPanel->ShowProg();
        UpdateNumberMenu();
        return;
    }
    const int position = ProgList().indexOf(renumbered);
    QList<varno::undo::ProgramChange> changes{{position, *renumbered, {}}};
    for (int i : jumping)
        if (i != position)
            changes.append({i, ProgList().at(i), {}});
    renumbered->NumOfProg = quint8(number);
    for (const varno::undo::ProgramChange &c : changes) {
        TVARNOProg &p = ProgList().at(c.position);
        for (int slot : jumpsTo(p, old))
            p.ActionNumber[std::size_t(slot)] = quint8(number);
    }
    ProgPanel->ShowProg();
    for (varno::undo::ProgramChange &c : changes) {
        c.after = ProgList().at(c.position);
        PanelList.at(c.position)->ShowLittleProg();
    }
    UpdateNumberMenu();
    editedHere_ = true; // shown above
    document_.programsEdited(changes);
    editedHere_ = false;
}

// The go-to menu marks the numbers programs bear, with their titles, so that a
// jump to a number no program bears shows when it is chosen.
void TForm1::markGoToNumbers()
{
    QHash<int, QStringList> titles;
    for (const auto &program : ProgList())
        titles[program->NumOfProg] << program->Title;
    const QList<QAction *> &items = ProgPanel->GoToProgramMenu->items();
    for (int i = 0; i < items.size(); ++i) {
        const int number = i + 1;
        const auto borne = titles.constFind(number);
        const QString caption =
            padded(number) + (borne != titles.cend() ? QString(kBorneMark) : QString());
        const QString tip = borne != titles.cend() ? borne->join(QLatin1Char('\n')) : QString();
        if (items[i]->text() != caption)
            items[i]->setText(caption);
        if (items[i]->toolTip() != tip)
            items[i]->setToolTip(tip);
    }
}
