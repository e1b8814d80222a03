// The program list of the main window: creating, deleting, selecting, opening
// and folding programs, and stacking their rows.

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleHints>
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

// A double click whose second press lands below the rows, once they moved up.
bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
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
    ProjectModified = true;
    if (!ProgPanel->isHidden() && !PanelList.isEmpty())
        ActualizeBVProg();
    installAddedProgram(ProgList().Add());
}

void TForm1::installAddedProgram(TVARNOProg *program)
{
    TFrame1 *panel = createPanel(program);
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
    undo_->programAdded(int(PanelList.size()) - 1, *program);
}

void TForm1::SpeedButton2Click()
{
    if (PanelList.isEmpty() || !SelectedPanel)
        return;
    if (dialogs_.askYesNo(this, text::Text(text::MainMessages::DeleteConfirm, CurrentLanguage)))
        DeleteSelectedProg();
}

void TForm1::DeleteSelectedProg()
{
    ProjectModified = true;
    const int index = int(PanelList.indexOf(SelectedPanel));
    if (index < 0)
        return;
    // The panel no longer shows this program: unbind it before the record goes.
    if (ProgPanel->Prog == &ProgList().at(index)) {
        ProgPanel->ValidateEdits();
        ProgPanel->Prog = nullptr;
        ProgPanel->hide();
    }
    TFrame1 *panel = PanelList.takeAt(index);
    undo_->programDeleted(index, ProgList().at(index));
    ProgList().Delete(index);
    delete panel;
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
}

void TForm1::placeAndScroll(int contentHeight)
{
    rows_->resize(TFrame2::PanelWidth, qMax(contentHeight, 1));
    chainRows(PanelList, ProgPanel);
    scrollToSelected();
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
    for (TFrame1 *p : PanelList)
        p->setSelected(false);
    if (panel)
        panel->setSelected(true);
}

void TForm1::OpenProg(TFrame1 *panel)
{
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
}

void TForm1::ActualizeOneProg(TFrame1 *panel)
{
    if (!ProgPanel->isHidden() && !PanelList.isEmpty())
        ActualizeBVProg();
    OpenProg(panel);
}

void TForm1::ActualizeBVProg()
{
    ProgPanel->ValidateEdits();
    if (SelectedPanel) {
        SelectedPanel->show();
        SelectedPanel->ShowLittleProg();
    }
    ProgPanel->hide();
    LayoutPanels();
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

void TForm1::SelectAPopUpMenuNumOfProg(int number)
{
    if (!ProgPanel->Prog)
        return;
    const TEditStep step(*ProgPanel);
    ProgPanel->Prog->NumOfProg = quint8(number);
    ProgPanel->ShowProg();
    UpdateNumberMenu();
}
