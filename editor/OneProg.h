#pragma once

#include <QColor>
#include <QFrame>
#include <array>
#include <editor/PanelWidgets.h>
#include <resources/Pictures.h>
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
    static constexpr int PanelWidth = 855;
    static constexpr int PanelHeight = 326;
    static constexpr int CommentLimit = 128;

    explicit TFrame2(QWidget *parent = nullptr);
    ~TFrame2() override;

    // The colour dialog goes through this; not owned.
    void setDialogs(TUserDialogs *dialogs) { dialogs_ = dialogs; }

    QWidget *MenuSender = nullptr; // button that opened the last action or value menu
    TVARNOProg *Prog = nullptr;    // the bound program, not owned
    bool Modified = false;
    quint8 Language = 2;

    void BuildMenus();
    void TranslatePanel();
    void TranslateActions();
    void ClearActions();
    void ShowProg();
    void ShowAction(TSpeedButton *actionButton, TSpeedButton *valueButton, int slot);
    void OfferNextAction(TSpeedButton *nextButton, quint8 kindBefore);
    void ShowInputs();
    // The controls Tab goes through, in its order (the main window chains the
    // rows before and after them).
    const QList<QWidget *> &keyControls() const { return keyOrder_; }
    // Commits an open title or comment editor; the main window calls it too.
    void ValidateEdits();

    bool titleEditorOpen() const;
    bool commentEditorOpen() const;

    // Controls.
    QWidget *Panel1;
    TShape *Shape8;
    TStaticText *StaticText6;
    TStaticText *StaticText1;
    QLineEdit *Edit1;
    TSpeedButton *SpeedButton2;
    TImage *Image35, *Image19, *Image5, *Image16, *Image17, *Image18;
    TImage *Image20, *Image21, *Image22, *Image23, *Image33; // hidden picture holders
    std::array<TImage *, 8> InputBits;                       // Image24..Image31
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label17, *Label18, *Label19, *Label20,
        *Label21, *Label23;
    QPlainTextEdit *Memo1;
    QPlainTextEdit *Memo2;
    QTimeEdit *DateTimePicker2;
    QDateEdit *DateTimePicker1;
    QComboBox *ComboBox2;
    std::array<TSpeedButton *, 6> ActionButtons; // SpeedButton3..SpeedButton8
    std::array<TSpeedButton *, 6> ValueButtons;  // SpeedButton9..SpeedButton14
    std::array<TImage *, 6> ActionGlyphs{};      // Image10..Image15, click: the action menu
    QMenu *PopupMenu1;
    TColumnMenu *PopupMenu2;
    TColumnMenu *PopupMenu3;
    // Sub-menus of the action menu, in the order of its items.
    TColumnMenu *TimerFileMenu, *DirectoryMenu, *TransportMenu, *VolumeMenu, *InternalOutputMenu,
        *ExternalOutputMenu, *GoToProgramMenu, *FtpClientMenu, *SendEMailMenu;

    // Handlers, named after control and event.
    void StaticText1Click();
    void Edit1Change();
    void Edit1Exit();
    void Memo1Click();
    void Memo2Change();
    void Memo2Exit();
    void Shape8MouseDown();
    void StaticText6Click();
    void Image35Click();
    void Image19Click();
    void Image5Click();
    void Image16Click();
    void Image17Click();
    void Image18Click();
    void DateTimePicker2Change();
    void DateTimePicker1Change();
    void ComboBox2Change();
    void SpeedButton3Click(TSpeedButton *button);
    void SpeedButton9Click(TSpeedButton *button);
    void NoActionClick();
    void TimerFileClick(int tag);
    void DirectoryClick(int tag);
    void SleepModeClick();
    void TransportClick(int tag);
    void VolumeClick(int tag);
    void InternalOutputClick(int tag);
    void ExternalOutputClick(int tag);
    void GoToProgramClick(int tag);
    void FtpClientClick(int tag);
    void SendEMailClick(int tag);
    void ValueClick(int tag);

signals:
    // A committed edit of program, with the record as it was before it.
    void programEdited(TVARNOProg *program, const TVARNOProg &before);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    enum class ButtonRole
    {
        Hidden,
        EmptyState,
        Offered,
        Action
    };

    void buildControls();
    void wireHandlers();
    void buildKeyboard();
    void describeControls();
    void buildTimerBox();
    void buildActionsBox();
    QLabel *caption(const QString &name, int x, int y, int w = 0, int h = 15);
    QLabel *bar(const QString &name, int x, int y, int w, int h, const QColor &color);
    TImage *picture(const QString &name, int x, int y);
    void iconPicture(const QString &name, int x, int y, pictures::PanelIcon icon);
    void loadPictures();
    int senderSlot() const;
    enum class CountRule
    {
        EndsAtSlot,
        EndsBeforeSlot,
        Recount
    };
    void setActionSlot(quint8 kind, int number, CountRule rule);
    // Commits any open editor, then applies change to the bound program as one
    // undo step and redraws the panel; without a bound program, nothing more.
    template <typename Change> void editProg(Change change);
    void limitComment();

    TUserDialogs *dialogs_ = nullptr;
    std::array<ButtonRole, 6> roles_{};
    QString memo2Valid_;
    bool committing_ = false;
    QList<QAction *> actionItems_; // the 13 top-level items of PopupMenu1
    std::vector<std::pair<TImage *, pictures::PanelIcon>> icons_;
    bool picturesLoaded_ = false;
    QList<QWidget *> keyOrder_;
};
