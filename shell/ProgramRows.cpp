// The rows of the main window: one compact row per program of the document,
// in its order, and the program panel in place of the open program's row. They
// follow the document's signals, whoever made the change (a command, a step of
// the history, a load); they select, open, fold and stack the rows, and keep
// the keys on the selection.

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
#include <editor/LittleOneProg.h>
#include <editor/OneProg.h>
#include <shell/ProgramRows.h>
#include <shell/ProjectDocument.h>
#include <shell/ProjectUndo.h>

namespace {

const QColor kScrollBackground(212, 208, 200);

} // namespace

TProgramRows::TProgramRows(TProjectDocument &document, QScrollArea &scrollBox, QWidget &window)
    : QObject(&window), document_(document), window_(window), ScrollBox1(&scrollBox)
{
    rows_ = new QWidget;
    rows_->setObjectName(QStringLiteral("ScrollBox1Contents"));
    rows_->setAutoFillBackground(true);
    QPalette p = rows_->palette();
    p.setColor(QPalette::Window, kScrollBackground);
    rows_->setPalette(p);
    ScrollBox1->setWidget(rows_);
    rows_->installEventFilter(this);
    ScrollBox1->viewport()->installEventFilter(this);
    ScrollBox1->setPalette(p);

    ProgPanel = new TFrame2(rows_);
    ProgPanel->hide();
    ProgPanel->BuildMenus();
    connect(ProgPanel->SpeedButton2, &QToolButton::clicked, this, &TProgramRows::ActualizeBVProg);
    // Marked before the action menu opens, so that its go-to menu is sized with them.
    connect(ProgPanel->PopupMenu1, &QMenu::aboutToShow, this, &TProgramRows::markGoToNumbers);
    ProgPanel->GoToProgramMenu->grid()->installEventFilter(this); // the titles' tooltips
    followDocument();
}

void TProgramRows::setLanguage(text::Language language)
{
    language_ = language;
    for (TFrame1 *panel : PanelList) {
        panel->Language = language;
        panel->ShowLittleProg();
    }
    ProgPanel->Language = language;
}

void TProgramRows::reportEdits(const QList<varno::undo::ProgramChange> &changes)
{
    editedHere_ = true; // shown already
    document_.programsEdited(changes);
    editedHere_ = false;
}

TFrame1 *TProgramRows::createPanel(TVARNOProg *program)
{
    auto *panel = new TFrame1(rows_);
    panel->Prog = program;
    panel->Language = language_;
    PanelList.append(panel);
    bindPanel(panel);
    return panel;
}

void TProgramRows::bindPanel(TFrame1 *panel)
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

QString padded(int number)
{
    return QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
}

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

void TProgramRows::rowClicked(TFrame1 *row)
{
    clickedRow_ = row;
    clickedAt_.start();
}

void TProgramRows::openDoubleClickedRow(TFrame1 *under)
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
bool TProgramRows::eventFilter(QObject *watched, QEvent *event)
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
    return QObject::eventFilter(watched, event);
}

void TProgramRows::placeAndScroll(int contentHeight)
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
bool TProgramRows::keysInList() const
{
    const QWidget *focus = window_.focusWidget(); // the window's, active or not
    return focus ? focus == ScrollBox1 || ScrollBox1->isAncestorOf(focus)
                 : window_.isActiveWindow();
}

void TProgramRows::keepFocusOn(TFrame1 *selected, bool hadKeys)
{
    if (!selected || (!hadKeys && !keysInList()))
        return;
    QWidget *focus = window_.focusWidget();
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
void TProgramRows::scrollToSelected()
{
    const int top =
        SelectedPanel ? (SelectedPanel->isHidden() ? ProgPanel->y() : SelectedPanel->y()) : 0;
    ScrollBox1->verticalScrollBar()->setValue(top);
}

void TProgramRows::LayoutFolded()
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

void TProgramRows::LayoutPanels()
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

void TProgramRows::HighlightPanel(TFrame1 *panel)
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

void TProgramRows::OpenProg(TFrame1 *panel)
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

void TProgramRows::ActualizeOneProg(TFrame1 *panel)
{
    if (!ProgPanel->isHidden() && !PanelList.isEmpty())
        ActualizeBVProg();
    OpenProg(panel);
}

void TProgramRows::ActualizeBVProg()
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

void TProgramRows::ActiveSelected(TFrame1 *panel)
{
    if (!ProgPanel->isHidden() && !PanelList.isEmpty())
        ActualizeBVProg();
    HighlightPanel(panel);
    SelectedPanel = panel;
}

void TProgramRows::UpdateNumberMenu()
{
    const QList<QAction *> &items = ProgPanel->PopupMenu3->items();
    for (QAction *item : items)
        item->setEnabled(true);
    for (const auto &program : document_.programs()) {
        if (program->NumOfProg >= 1)
            items[program->NumOfProg - 1]->setEnabled(false);
    }
}

void TProgramRows::markGoToNumbers()
{
    QHash<int, QStringList> titles;
    for (const auto &program : document_.programs())
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

void TProgramRows::followDocument()
{
    connect(&document_, &TProjectDocument::programInserted, this, &TProgramRows::programInserted);
    connect(&document_, &TProjectDocument::programAboutToBeRemoved, this,
            &TProgramRows::programAboutToBeRemoved);
    connect(&document_, &TProjectDocument::programRemoved, this, &TProgramRows::programRemoved);
    connect(&document_, &TProjectDocument::programChanged, this, &TProgramRows::programChanged);
    connect(&document_, &TProjectDocument::programsAboutToBeReset, this,
            &TProgramRows::programsAboutToBeReset);
    connect(&document_, &TProjectDocument::programsReset, this, &TProgramRows::programsReset);
    // The document as context: the connection ends before the window's members
    // go, and the panel may still commit an edit as it goes.
    connect(ProgPanel, &TFrame2::programEdited, &document_,
            [this](TVARNOProg *program, const TVARNOProg &before) {
                const int position = document_.programs().indexOf(program);
                if (position < 0)
                    return;
                editedHere_ = true; // the panel shows the edit already
                document_.programEdited(position, before);
                editedHere_ = false;
            });
}

// Added or put back: open, as New Program leaves it.
void TProgramRows::programInserted(int position)
{
    const bool keys = keysInList(); // hiding a focused row sends the keys elsewhere
    if (!ProgPanel->isHidden() && !PanelList.isEmpty())
        ActualizeBVProg();
    TVARNOProg *program = &document_.programs().at(position);
    TFrame1 *panel = createPanel(program);
    PanelList.move(PanelList.size() - 1, position);
    SelectedPanel = panel;
    ProgPanel->Prog = program;
    ProgPanel->ClearActions();
    panel->ShowLittleProg();
    ProgPanel->ShowProg();
    LayoutFolded();
    HighlightPanel(panel);
    UpdateNumberMenu();
    OpenProg(panel);
    ProgPanel->TranslatePanel();
    ProgPanel->TranslateActions();
    keepFocusOn(SelectedPanel, keys);
    emit shownChanged();
}

// The panel no longer shows a record about to go; another open program is
// folded into its row, with its last edits.
void TProgramRows::programAboutToBeRemoved(int position)
{
    keysBeforeRemoval_ = keysInList(); // hiding a focused row sends the keys elsewhere
    const TVARNOProg *going = PanelList.at(position)->Prog;
    if (!ProgPanel->isHidden()) {
        if (ProgPanel->Prog != going && SelectedPanel)
            SelectedPanel->ShowLittleProg();
        ProgPanel->hide();
    }
    if (ProgPanel->Prog == going)
        ProgPanel->Prog = nullptr;
}

void TProgramRows::programRemoved(int position)
{
    TFrame1 *row = PanelList.takeAt(position);
    if (SelectedPanel == row)
        SelectedPanel = nullptr;
    delete row;
    if (!PanelList.isEmpty()) {
        SelectedPanel = PanelList.first();
        LayoutFolded();
        HighlightPanel(SelectedPanel);
        UpdateNumberMenu();
    } else {
        ProgPanel->hide();
        SelectedPanel = nullptr;
        LayoutFolded();
    }
    keepFocusOn(SelectedPanel, keysBeforeRemoval_);
    emit shownChanged();
}

// Changed by a step of the history: shown open, so that the user sees what changed.
void TProgramRows::programChanged(int position)
{
    if (editedHere_ || position < 0 || position >= PanelList.size())
        return;
    TFrame1 *row = PanelList.at(position);
    row->ShowLittleProg();
    if (ProgPanel->isHidden() || ProgPanel->Prog != row->Prog) {
        ActualizeOneProg(row);
    } else {
        ProgPanel->ShowProg();
        ProgPanel->TranslateActions();
    }
    UpdateNumberMenu();
    emit shownChanged();
}

void TProgramRows::programsAboutToBeReset()
{
    ProgPanel->hide();
    ProgPanel->Prog = nullptr;
    qDeleteAll(PanelList);
    PanelList.clear();
    SelectedPanel = nullptr;
}

void TProgramRows::programsReset()
{
    addPanelsForPrograms();
    selectLastFolded();
    emit shownChanged();
}

// What adding each program through New Program and opening it in turn leaves
// behind, done once: one row each (the programs are held already).
void TProgramRows::addPanelsForPrograms()
{
    for (const auto &program : document_.programs())
        createPanel(program.get())->ShowLittleProg();
}

// The last program selected and shown once, every row folded.
void TProgramRows::selectLastFolded()
{
    SelectedPanel = PanelList.isEmpty() ? nullptr : PanelList.last();
    if (SelectedPanel) {
        ProgPanel->Prog = SelectedPanel->Prog;
        ProgPanel->ClearActions();
        ProgPanel->ShowProg();
    }
    LayoutFolded();
    HighlightPanel(SelectedPanel);
    UpdateNumberMenu();
}
