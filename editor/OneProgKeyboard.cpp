// The program panel from the keyboard and for assistive technology: its tab
// order, the keys that work its controls, and their names.

#include <QComboBox>
#include <QDateEdit>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimeEdit>
#include <QToolTip>
#include <editor/KeyControl.h>
#include <editor/OneProg.h>
#include <text/text.h>

namespace {

// The folder glyph of an action row has the tooltip of a control only while
// its row offers an action.
class GlyphTip : public QObject
{
public:
    GlyphTip(QObject *parent, const QWidget *button) : QObject(parent), button_(button) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::ToolTip || !button_->isHidden())
            return false;
        QToolTip::hideText();
        event->ignore();
        return true;
    }

private:
    const QWidget *button_;
};

} // namespace

// Tab follows the panel as it reads: the top line, then the three boxes one
// column after the other. The editors that stand in for the title and the
// comment follow their viewers and are skipped while hidden.
void TFrame2::buildKeyboard()
{
    using varno::keys::makeKeyControl;
    makeKeyControl(Shape8, [this] { Shape8MouseDown(); });
    makeKeyControl(StaticText6, [this] { StaticText6Click(); });
    makeKeyControl(StaticText1, [this] { StaticText1Click(); });
    makeKeyControl(SpeedButton2, [this] { SpeedButton2->click(); });
    makeKeyControl(Image35, [this] { Image35Click(); });
    makeKeyControl(Image19, [this] { Image19Click(); });
    makeKeyControl(Memo1, [this] { Memo1Click(); });
    makeKeyControl(Image5, [this] { Image5Click(); });
    makeKeyControl(Image16, [this] { Image16Click(); });
    makeKeyControl(Image17, [this] { Image17Click(); });
    makeKeyControl(Image18, [this] { Image18Click(); });
    for (TSpeedButton *button : ActionButtons)
        makeKeyControl(button, [button] { button->click(); });
    for (TSpeedButton *button : ValueButtons)
        makeKeyControl(button, [button] { button->click(); });
    // The folder glyph before an action opens its menu, as the action itself does.
    for (std::size_t i = 0; i < ActionButtons.size(); ++i) {
        TSpeedButton *button = ActionButtons[i];
        ActionGlyphs[i] = Panel1->findChild<TImage *>(QStringLiteral("Image%1").arg(10 + i));
        ActionGlyphs[i]->installEventFilter(new GlyphTip(ActionGlyphs[i], button));
        connect(ActionGlyphs[i], &TImage::clicked, this, [this, button] {
            if (!button->isHidden())
                SpeedButton3Click(button);
        });
    }
    using varno::keys::StateRole;
    for (QWidget *flag : {Image35, Image19, Image5})
        varno::keys::makeStateControl(flag, StateRole::Flag);
    for (QWidget *choice : {Image16, Image17, Image18})
        varno::keys::makeStateControl(choice, StateRole::Choice);
    // Tab leaves the comment instead of typing a tab character into it.
    Memo1->setTabChangesFocus(true);
    Memo2->setTabChangesFocus(true);

    keyOrder_ = {Shape8,          StaticText6, StaticText1, Edit1,    SpeedButton2,    Image35,
                 Image19,         Memo1,       Memo2,       Image5,   DateTimePicker2, Image16,
                 DateTimePicker1, Image17,     Image18,     ComboBox2};
    for (std::size_t i = 0; i < ActionButtons.size(); ++i)
        keyOrder_ << ActionButtons[i] << ValueButtons[i];
    for (qsizetype i = 1; i < keyOrder_.size(); ++i)
        setTabOrder(keyOrder_[i - 1], keyOrder_[i]);
}

void TFrame2::describeControls()
{
    using text::AddedTexts;
    using text::PanelTexts;
    using varno::keys::describe;
    using varno::keys::nameOf;
    const auto added = [this](AddedTexts key) { return text::Text(key, Language); };
    const auto label = [this](PanelTexts key) { return nameOf(text::Text(key, Language)); };
    describe(Shape8, added(AddedTexts::ColourBarName));
    describe(StaticText6, added(AddedTexts::NumberBoxName));
    describe(StaticText1, added(AddedTexts::TitleName));
    describe(Edit1, added(AddedTexts::TitleName));
    SpeedButton2->setRoleName(added(AddedTexts::ReduceName));
    describe(Image35, label(PanelTexts::ActivateLabel));
    describe(Image19, label(PanelTexts::PriorityLabel));
    describe(Memo1, label(PanelTexts::CommentsLabel));
    describe(Memo2, label(PanelTexts::CommentsLabel));
    describe(Image5, label(PanelTexts::OnOffLabel));
    describe(DateTimePicker2, label(PanelTexts::ClockLabel));
    describe(DateTimePicker1, label(PanelTexts::DateLabel));
    // The three choices of one setting: named after it, so that each reads apart
    // from the date and weekday fields beside it.
    const QString mode = added(AddedTexts::FieldDateMode) + QStringLiteral(" \u2013 ");
    describe(Image16, mode + label(PanelTexts::DateLabel));
    describe(Image17, mode + label(PanelTexts::EveryDayLabel));
    describe(Image18, mode + label(PanelTexts::EveryLabel));
    describe(ComboBox2, added(AddedTexts::FieldWeekDay));
    for (std::size_t i = 0; i < ActionButtons.size(); ++i) {
        const int slot = int(i) + 1;
        ActionButtons[i]->setRoleName(added(AddedTexts::ActionSlotName).arg(slot));
        ValueButtons[i]->setRoleName(added(AddedTexts::FieldActionValue).arg(slot));
        ActionGlyphs[i]->setToolTip(added(AddedTexts::ActionMenuTip).arg(slot));
    }
}
