#pragma once

#include <QColor>
#include <QFrame>
#include <array>
#include <editor/PanelWidgets.h>
#include <resources/Pictures.h>
#include <text/Language.h>
#include <utility>
#include <vector>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QTimeEdit;
class TColumnMenu;
class TUserDialogs;
class TVARNOProg;

// The program panel: the full view and editor of one program record. One panel
// exists for the whole run; the main window binds it to the program being edited.
// Every edit goes straight into the record; the panel reports changes only
// through Modified and never calls the main window.
//
// Controls (objectName = member name):
//   Panel1            body                      Shape8        colour bar (mouse down: colour)
//   StaticText6       number box (click: number menu)
//   StaticText1       title line (click: edit)  Edit1         title editor
//   SpeedButton2      reduce button (the main window binds it)
//   Image35/Label23   activate flag             Image19/Label21  priority flag
//   Memo1/Memo2       comment viewer / editor   Image24..31   input bits, bit 7 first
//   Image5/Label4     timer on/off              DateTimePicker2  clock
//   Image16..18       date mode: on the date, every day, every week
//   DateTimePicker1   date                      ComboBox2     weekday
//   SpeedButton3..8   action buttons, tag 1..6  SpeedButton9..14  value buttons, tag 1..6
//   Image10..15       folder glyphs of the action rows (click: as their action button)
//   PopupMenu1        action menu               PopupMenu2    value menu 000..255
//   PopupMenu3        number menu 001..255 (the main window binds its items)
class TFrame2 : public QFrame
{
    Q_OBJECT

public:
    static constexpr int PanelWidth = 855;   // in pixels, as wide as a compact row
    static constexpr int PanelHeight = 326;  // in pixels
    static constexpr int CommentLimit = 128; // characters the comment editor lets the user type

    explicit TFrame2(QWidget *parent = nullptr);
    ~TFrame2() override;

    // The colour dialog goes through this; not owned.
    void setDialogs(TUserDialogs *dialogs) { dialogs_ = dialogs; }

    QWidget *MenuSender = nullptr; // button that opened the last action or value menu
    TVARNOProg *Prog = nullptr;    // the bound program, not owned
    // Set by every redraw and edit, cleared when the project is saved or loaded.
    bool Modified = false;
    text::Language Language =
        text::English; // of every caption: 1 French, 2 English, 3 Spanish; the window sets it

    // Makes the action, value and number menus and the weekday list, once; then captions.
    void BuildMenus();
    // Captions the labels, the menus, the weekdays and the controls' names in Language.
    void TranslatePanel();
    // Captions the action and value buttons in Language, each keeping what it shows.
    void TranslateActions();
    // No action: slot 1 shows the empty state; the other slots and every value button hide.
    void ClearActions();
    // Redraws every control from the bound program, its actions normalised first; sets Modified.
    void ShowProg();
    // The action of slot (1..6) on actionButton, and its value on valueButton when it has one.
    void ShowAction(TSpeedButton *actionButton, TSpeedButton *valueButton, int slot);
    // Offers "No Action" on nextButton unless the action before it ends the list.
    void OfferNextAction(TSpeedButton *nextButton, quint8 kindBefore);
    // The eight input pictures show the bits of the program's number.
    void ShowInputs();
    // The controls Tab goes through, in its order (the main window chains the
    // rows before and after them).
    const QList<QWidget *> &keyControls() const { return keyOrder_; }
    // Commits an open title or comment editor; the main window calls it too.
    void ValidateEdits();

    bool titleEditorOpen() const;   // the title editor is shown, its text not yet committed
    bool commentEditorOpen() const; // the comment editor is shown, its text not yet committed

    // Controls.
    QWidget *Panel1;            // the body, behind every control
    TShape *Shape8;             // the colour bar; a click asks for the program's colour
    TStaticText *StaticText6;   // the number box; a click opens the number menu
    TStaticText *StaticText1;   // the title; a click opens the title editor
    QLineEdit *Edit1;           // the title editor, shown over the title while the user types
    TSpeedButton *SpeedButton2; // the reduce button: folds the panel back into its row
    // The activate and priority check boxes, the timer switch, and the three
    // date modes: on the date, every day, every week.
    TImage *Image35, *Image19, *Image5, *Image16, *Image17, *Image18;
    TImage *Image20, *Image21, *Image22, *Image23, *Image33; // hidden picture holders
    std::array<TImage *, 8> InputBits;                       // Image24..Image31
    // The captions of the boxes and rows that change with the language.
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label17, *Label18, *Label19, *Label20,
        *Label21, *Label23;
    QPlainTextEdit *Memo1;      // the comment as shown; a click opens the comment editor
    QPlainTextEdit *Memo2;      // the comment editor, shown over Memo1 while the user types
    QTimeEdit *DateTimePicker2; // the timer's clock, hours and minutes
    QDateEdit *DateTimePicker1; // the timer's date
    QComboBox *ComboBox2;       // the weekday of the every-week mode
    std::array<TSpeedButton *, 6> ActionButtons; // SpeedButton3..SpeedButton8
    std::array<TSpeedButton *, 6> ValueButtons;  // SpeedButton9..SpeedButton14
    std::array<TImage *, 6> ActionGlyphs{};      // Image10..Image15, click: the action menu
    QMenu *PopupMenu1;                           // the action menu, opened by an action button
    TColumnMenu *PopupMenu2; // the value menu 000..255, opened by a value button
    TColumnMenu *PopupMenu3; // the number menu 001..255; its choices go to the main window
    // Sub-menus of the action menu, in the order of its items.
    TColumnMenu *TimerFileMenu, *DirectoryMenu, *TransportMenu, *VolumeMenu, *InternalOutputMenu,
        *ExternalOutputMenu, *GoToProgramMenu, *FtpClientMenu, *SendEMailMenu;

    // Handlers, named after control and event.
    void StaticText1Click();      // opens the title editor on the title
    void Edit1Change();           // shows the title as it is typed, the record unchanged
    void Edit1Exit();             // commits the typed title as one step and closes the editor
    void Memo1Click();            // opens the comment editor on the comment
    void Memo2Change();           // keeps the comment within CommentLimit and shows it as typed
    void Memo2Exit();             // commits the typed comment as one step and closes the editor
    void Shape8MouseDown();       // asks for the program's colour in the colour dialog
    void StaticText6Click();      // opens the number menu at the number box
    void Image35Click();          // the activate check box: the program is active or not
    void Image19Click();          // the priority check box: the program has priority or not
    void Image5Click();           // the timer switch: the program's timer on or off
    void Image16Click();          // the date mode "on the date"
    void Image17Click();          // the date mode "every day"
    void Image18Click();          // the date mode "every week"
    void DateTimePicker2Change(); // stores the clock's hours and minutes as the timer's time
    void DateTimePicker1Change(); // stores the date picked as the timer's date
    void ComboBox2Change();       // stores the weekday chosen for the every-week mode
    void SpeedButton3Click(TSpeedButton *button); // an action button: the action menu of its slot
    void SpeedButton9Click(TSpeedButton *button); // a value button: the value menu of its slot
    // The action menu's choices, for the slot of the button that opened it.
    void NoActionClick();              // "No Action": the list ends before the slot
    void TimerFileClick(int tag);      // timer file T001..T255
    void DirectoryClick(int tag);      // folder F001..F255, or 0 for SONG; the list ends there
    void SleepModeClick();             // sleep mode; the list ends there
    void TransportClick(int tag);      // transport command 1..10: Play, Pause, Stop...
    void VolumeClick(int tag);         // volume -00 to -71 dB
    void InternalOutputClick(int tag); // internal output 00..15
    void ExternalOutputClick(int tag); // external output 001..255, with a value
    void GoToProgramClick(int tag);    // a jump to program 001..255; the list ends there
    void FtpClientClick(int tag);      // FTP client 1..8; the list ends there
    void SendEMailClick(int tag);      // e-mail 001..255
    void ValueClick(int tag);          // the value menu's choice 000..255 for its slot

signals:
    // A committed edit of program, with the record as it was before it.
    void programEdited(TVARNOProg *program, const TVARNOProg &before);

protected:
    // Memo1's clicks; Enter in, or leaving, the title or comment editor commits it.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override; // draws the pictures the first time

private:
    // What an action button shows, so that a language switch captions it again.
    enum class ButtonRole
    {
        Hidden,
        EmptyState,
        Offered,
        Action
    };

    void buildControls();    // the top line and the left box, then the two other boxes
    void wireHandlers();     // connects the controls to their handlers
    void buildKeyboard();    // the Tab order and the keys of the controls
    void describeControls(); // the controls' accessible names and tooltips in Language
    void buildTimerBox();    // the middle box: timer switch, clock, date modes, date, weekday
    void buildActionsBox();  // the right box: six rows of an action and a value button
    // A label on the body at x, y; sized w by h when w is given.
    QLabel *caption(const QString &name, int x, int y, int w = 0, int h = 15);
    // A label filled with color: a box's header or a row's band.
    QLabel *bar(const QString &name, int x, int y, int w, int h, const QColor &color);
    TImage *picture(const QString &name, int x, int y); // a 32 by 32 picture on the body
    // A picture drawn from icon when the pictures load.
    void iconPicture(const QString &name, int x, int y, pictures::PanelIcon icon);
    void loadPictures();    // draws the panel's pictures, once
    int senderSlot() const; // the slot (1..6) of the button that opened the menu, or 0
    // How an action choice sets the count: the list ends at the slot, ends
    // before it, or is counted again.
    enum class CountRule
    {
        EndsAtSlot,
        EndsBeforeSlot,
        Recount
    };
    // Writes kind and number into the menu's slot and sets the count, as one step.
    void setActionSlot(quint8 kind, int number, CountRule rule);
    void limitComment(); // undoes an edit that grows the comment beyond CommentLimit
    // Commits any open editor, then applies change to the bound program as one
    // undo step and redraws the panel; without a bound program, nothing more.
    template <typename Change> void editProg(Change change);

    TUserDialogs *dialogs_ = nullptr;   // asks for colours
    std::array<ButtonRole, 6> roles_{}; // what each action button shows
    QString memo2Valid_;                // the comment editor's last text within the limit
    bool committing_ = false; // an editor commit runs: the focus it moves must not commit again
    QList<QAction *> actionItems_; // the 13 top-level items of PopupMenu1
    std::vector<std::pair<TImage *, pictures::PanelIcon>> icons_; // drawn by loadPictures
    bool picturesLoaded_ = false;                                 // loadPictures has run
    QList<QWidget *> keyOrder_;                                   // the Tab order keyControls gives
};
