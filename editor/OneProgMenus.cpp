// The program panel's menus and weekday list, built once, and its re-captioning
// on a language switch.

#include <QComboBox>
#include <QLabel>
#include <captions/ActionCaption.h>
#include <editor/ColumnMenu.h>
#include <editor/OneProg.h>
#include <resources/Pictures.h>
#include <text/text.h>

namespace {

QString padded(int n, int digits)
{
    return QStringLiteral("%1").arg(n, digits, 10, QLatin1Char('0'));
}

} // namespace

void TFrame2::BuildMenus()
{
    namespace list = pictures::list;
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));

    // Each numbered menu fills itself the first time it is needed; its choices
    // go to one handler with the item's tag.
    const auto numbered = [this](const char *name, int first, int last, int picture,
                                 std::function<QString(int)> caption,
                                 void (TFrame2::*handler)(int)) {
        auto *menu = new TColumnMenu(QString(), this);
        menu->setObjectName(QString::fromLatin1(name));
        menu->setPopulator([first, last, picture, caption](TColumnMenu &m) {
            const QIcon icon = picture >= 0 ? pictures::listIcon(picture) : QIcon();
            for (int n = first; n <= last; ++n)
                m.addItem(caption(n), icon, n);
        });
        if (handler)
            connect(menu, &TColumnMenu::itemTriggered, this, handler);
        return menu;
    };
    const auto prefixed = [](const QString &prefix, int digits) {
        return [prefix, digits](int n) { return prefix + padded(n, digits); };
    };
    // The output items carry the localised prefix of the language in use when
    // they are made; TranslatePanel re-captions them afterwards.
    const auto output = [this](int digits) {
        return [this, digits](int n) {
            return text::Text(text::ActionTexts::OutputPrefix, Language) + padded(n, digits);
        };
    };

    TimerFileMenu = numbered("TimerFileMenu", 1, 255, list::TimerFile,
                             prefixed(QStringLiteral("T"), 3), &TFrame2::TimerFileClick);
    DirectoryMenu = numbered(
        "DirectoryMenu", 0, 255, list::Directory,
        [](int n) {
            return n == 0 ? text::TransportCommandName(0) : QStringLiteral("F") + padded(n, 3);
        },
        &TFrame2::DirectoryClick);
    TransportMenu = new TColumnMenu(QString(), this);
    TransportMenu->setObjectName(QStringLiteral("TransportMenu"));
    for (int n = 1; n <= 10; ++n)
        TransportMenu->addItem(text::TransportCommandName(n),
                               pictures::listIcon(varno::actions::TransportGlyph(n)), n);
    connect(TransportMenu, &TColumnMenu::itemTriggered, this, &TFrame2::TransportClick);
    VolumeMenu = numbered(
        "VolumeMenu", 0, 71, list::Volume,
        [](int n) { return QStringLiteral("-") + padded(n, 2) + QStringLiteral(" dB"); },
        &TFrame2::VolumeClick);
    InternalOutputMenu = numbered("InternalOutputMenu", 0, 15, list::InternalOutput, output(2),
                                  &TFrame2::InternalOutputClick);
    ExternalOutputMenu = numbered("ExternalOutputMenu", 1, 255, list::ExternalOutput, output(3),
                                  &TFrame2::ExternalOutputClick);
    GoToProgramMenu = numbered("GoToProgramMenu", 1, 255, list::GoToProgram, prefixed(QString(), 3),
                               &TFrame2::GoToProgramClick);
    FtpClientMenu = numbered("FtpClientMenu", 1, 8, -1, prefixed(QStringLiteral("FTP "), 1),
                             &TFrame2::FtpClientClick);
    SendEMailMenu = numbered("SendEMailMenu", 1, 255, -1, prefixed(QStringLiteral("EMail "), 3),
                             &TFrame2::SendEMailClick);

    // The thirteen items of the action menu, in order; 9 to 12 stay hidden.
    struct Item
    {
        TColumnMenu *menu;
        int picture;
    };
    const Item items[] = {
        {nullptr, -1},
        {TimerFileMenu, list::TimerFile},
        {DirectoryMenu, list::Directory},
        {nullptr, list::Sleep},
        {TransportMenu, list::Command},
        {VolumeMenu, list::Volume},
        {InternalOutputMenu, list::InternalOutput},
        {ExternalOutputMenu, list::ExternalOutput},
        {GoToProgramMenu, list::GoToProgram},
        {nullptr, -1},
        {nullptr, -1},
        {FtpClientMenu, -1},
        {SendEMailMenu, -1},
    };
    for (const Item &item : items) {
        QAction *action =
            item.menu ? PopupMenu1->addMenu(item.menu) : PopupMenu1->addAction(QString());
        if (item.picture >= 0)
            action->setIcon(pictures::listIcon(item.picture));
        actionItems_ << action;
    }
    for (int hidden = 9; hidden <= 12; ++hidden)
        actionItems_[hidden]->setVisible(false);
    connect(actionItems_[0], &QAction::triggered, this, &TFrame2::NoActionClick);
    connect(actionItems_[3], &QAction::triggered, this, &TFrame2::SleepModeClick);

    PopupMenu2 =
        numbered("PopupMenu2", 0, 255, list::Value, prefixed(QString(), 3), &TFrame2::ValueClick);
    // The number menu's choices belong to the main window.
    PopupMenu3 =
        numbered("PopupMenu3", 1, 255, list::ProgramNumber, prefixed(QString(), 3), nullptr);

    {
        const QSignalBlocker blocker(ComboBox2);
        for (int day = 1; day <= 7; ++day)
            ComboBox2->addItem(QString());
        ComboBox2->setCurrentIndex(0);
    }

    TranslatePanel();
}

void TFrame2::TranslatePanel()
{
    using text::ActionTexts;
    const auto t = [this](ActionTexts key) { return text::Text(key, Language); };
    if (!actionItems_.isEmpty()) {
        for (int key = 0; key <= 8; ++key)
            actionItems_[key]->setText(t(ActionTexts(key)));
        actionItems_[9]->setText(t(ActionTexts::ActivateProgram));
        actionItems_[10]->setText(t(ActionTexts::DeactivateProgram));
        actionItems_[11]->setText(t(ActionTexts::FtpClient));
        actionItems_[12]->setText(t(ActionTexts::SendEmail));

        if (DirectoryMenu->isPopulated())
            DirectoryMenu->itemAt(0)->setText(text::TransportCommandName(0));
        for (int n = 1; n <= 10; ++n)
            TransportMenu->itemAt(n - 1)->setText(text::TransportCommandName(n));
        // Output menus not made yet will take the prefix of the language then.
        const QString prefix = t(ActionTexts::OutputPrefix);
        if (InternalOutputMenu->isPopulated()) {
            for (QAction *item : InternalOutputMenu->items())
                item->setText(prefix + padded(item->data().toInt(), 2));
        }
        if (ExternalOutputMenu->isPopulated()) {
            for (QAction *item : ExternalOutputMenu->items())
                item->setText(prefix + padded(item->data().toInt(), 3));
        }

        const QSignalBlocker blocker(ComboBox2);
        const int selected = ComboBox2->currentIndex();
        for (int day = 1; day <= 7; ++day)
            ComboBox2->setItemText(day - 1, text::DayName(day, Language));
        ComboBox2->setCurrentIndex(selected);
    }

    using text::PanelTexts;
    const auto p = [this](PanelTexts key) { return text::Text(key, Language); };
    Label23->setText(p(PanelTexts::ActivateLabel));
    Label21->setText(p(PanelTexts::PriorityLabel));
    Label3->setText(p(PanelTexts::CommentsLabel));
    Label5->setText(p(PanelTexts::InputsLabel));
    Label1->setText(p(PanelTexts::TimerModeLabel));
    Label2->setText(p(PanelTexts::ActionsLabel));
    for (auto [label, key] :
         {std::pair{Label4, PanelTexts::OnOffLabel}, std::pair{Label17, PanelTexts::ClockLabel},
          std::pair{Label18, PanelTexts::DateLabel}, std::pair{Label19, PanelTexts::EveryDayLabel},
          std::pair{Label20, PanelTexts::EveryLabel}}) {
        label->setText(p(key));
        label->adjustSize();
    }
    describeControls();
}
