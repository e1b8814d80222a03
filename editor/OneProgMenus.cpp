// The program panel's menus and weekday list, built once, and its re-captioning
// on a language switch.

#include <editor/ColumnMenu.h>
#include <editor/OneProg.h>
#include <resources/Pictures.h>
#include <text/text.h>

#include <QComboBox>
#include <QLabel>

namespace {

QString padded(int n, int digits)
{
    return QStringLiteral("%1").arg(n, digits, 10, QLatin1Char('0'));
}

} // namespace

void TFrame2::BuildMenus()
{
    using pictures::list::Count;
    std::array<QIcon, Count> icons;
    for (int i = 0; i < Count; ++i)
        icons[std::size_t(i)] = pictures::listIcon(i);
    const auto icon = [&icons](int index) { return icons[std::size_t(index)]; };

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const auto sub = [this](const char *name) {
        auto *menu = new TColumnMenu(QString(), this);
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };

    TimerFileMenu = sub("TimerFileMenu");
    for (int n = 1; n <= 255; ++n)
        TimerFileMenu->addItem(QStringLiteral("T") + padded(n, 3), icon(pictures::list::TimerFile), n);
    DirectoryMenu = sub("DirectoryMenu");
    DirectoryMenu->addItem(text::TransportCommandName(0), icon(pictures::list::Directory), 0);
    for (int n = 1; n <= 255; ++n)
        DirectoryMenu->addItem(QStringLiteral("F") + padded(n, 3), icon(pictures::list::Directory), n);
    TransportMenu = sub("TransportMenu");
    static constexpr int transportGlyphs[] = {
        pictures::list::Play,          pictures::list::Pause,    pictures::list::Stop,
        pictures::list::Forward,       pictures::list::Rewind,   pictures::list::DirectoryNext,
        pictures::list::DirectoryPrevious, pictures::list::VolumeUp, pictures::list::VolumeDown,
        pictures::list::Usb};
    for (int n = 1; n <= 10; ++n)
        TransportMenu->addItem(text::TransportCommandName(n), icon(transportGlyphs[n - 1]), n);
    VolumeMenu = sub("VolumeMenu");
    for (int n = 0; n <= 71; ++n)
        VolumeMenu->addItem(QStringLiteral("-") + padded(n, 2) + QStringLiteral(" dB"),
                            icon(pictures::list::Volume), n);
    InternalOutputMenu = sub("InternalOutputMenu");
    for (int n = 0; n <= 15; ++n)
        InternalOutputMenu->addItem(QString(), icon(pictures::list::InternalOutput), n);
    ExternalOutputMenu = sub("ExternalOutputMenu");
    for (int n = 1; n <= 255; ++n)
        ExternalOutputMenu->addItem(QString(), icon(pictures::list::ExternalOutput), n);
    GoToProgramMenu = sub("GoToProgramMenu");
    for (int n = 1; n <= 255; ++n)
        GoToProgramMenu->addItem(padded(n, 3), icon(pictures::list::GoToProgram), n);
    FtpClientMenu = sub("FtpClientMenu");
    for (int n = 1; n <= 8; ++n)
        FtpClientMenu->addItem(QStringLiteral("FTP ") + QString::number(n), QIcon(), n);
    SendEMailMenu = sub("SendEMailMenu");
    for (int n = 1; n <= 255; ++n)
        SendEMailMenu->addItem(QStringLiteral("EMail ") + padded(n, 3), QIcon(), n);

    // The thirteen items of the action menu, in order; 9 to 12 stay hidden.
    struct Item
    {
        TColumnMenu *menu;
        int picture;
    };
    const Item items[] = {
        {nullptr, -1},
        {TimerFileMenu, pictures::list::TimerFile},
        {DirectoryMenu, pictures::list::Directory},
        {nullptr, pictures::list::Sleep},
        {TransportMenu, pictures::list::Command},
        {VolumeMenu, pictures::list::Volume},
        {InternalOutputMenu, pictures::list::InternalOutput},
        {ExternalOutputMenu, pictures::list::ExternalOutput},
        {GoToProgramMenu, pictures::list::GoToProgram},
        {nullptr, -1},
        {nullptr, -1},
        {FtpClientMenu, -1},
        {SendEMailMenu, -1},
    };
    for (const Item &item : items) {
        QAction *action = item.menu ? PopupMenu1->addMenu(item.menu) : PopupMenu1->addAction(QString());
        if (item.picture >= 0)
            action->setIcon(icon(item.picture));
        actionItems_ << action;
    }
    for (int hidden = 9; hidden <= 12; ++hidden)
        actionItems_[hidden]->setVisible(false);

    connect(actionItems_[0], &QAction::triggered, this, &TFrame2::NoActionClick);
    connect(actionItems_[3], &QAction::triggered, this, &TFrame2::SleepModeClick);
    const auto bind = [this](TColumnMenu *menu, void (TFrame2::*handler)(int)) {
        for (QAction *item : menu->items()) {
            const int tag = item->data().toInt();
            connect(item, &QAction::triggered, this, [this, handler, tag] { (this->*handler)(tag); });
        }
    };
    bind(TimerFileMenu, &TFrame2::TimerFileClick);
    bind(DirectoryMenu, &TFrame2::DirectoryClick);
    bind(TransportMenu, &TFrame2::TransportClick);
    bind(VolumeMenu, &TFrame2::VolumeClick);
    bind(InternalOutputMenu, &TFrame2::InternalOutputClick);
    bind(ExternalOutputMenu, &TFrame2::ExternalOutputClick);
    bind(GoToProgramMenu, &TFrame2::GoToProgramClick);
    bind(FtpClientMenu, &TFrame2::FtpClientClick);
    bind(SendEMailMenu, &TFrame2::SendEMailClick);

    PopupMenu2 = sub("PopupMenu2");
    for (int n = 0; n <= 255; ++n)
        PopupMenu2->addItem(padded(n, 3), icon(pictures::list::Value), n);
    bind(PopupMenu2, &TFrame2::ValueClick);

    // The number menu's choices belong to the main window.
    PopupMenu3 = sub("PopupMenu3");
    for (int n = 1; n <= 255; ++n)
        PopupMenu3->addItem(padded(n, 3), icon(pictures::list::ProgramNumber), n);

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

        DirectoryMenu->itemAt(0)->setText(text::TransportCommandName(0));
        for (int n = 1; n <= 10; ++n)
            TransportMenu->itemAt(n - 1)->setText(text::TransportCommandName(n));
        const QString prefix = t(ActionTexts::OutputPrefix);
        for (QAction *item : InternalOutputMenu->items())
            item->setText(prefix + padded(item->data().toInt(), 2));
        for (QAction *item : ExternalOutputMenu->items())
            item->setText(prefix + padded(item->data().toInt(), 3));

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
    for (auto [label, key] : {std::pair{Label4, PanelTexts::OnOffLabel},
                              std::pair{Label17, PanelTexts::ClockLabel},
                              std::pair{Label18, PanelTexts::DateLabel},
                              std::pair{Label19, PanelTexts::EveryDayLabel},
                              std::pair{Label20, PanelTexts::EveryLabel}}) {
        label->setText(p(key));
        label->adjustSize();
    }
}
