#include <QActionGroup>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <editor/ColumnMenu.h>
#include <editor/LittleOneProg.h>
#include <editor/OneProg.h>
#include <editor/UserDialogs.h>
#include <link/ComLink.h>
#include <link/dialogs/ComparisonWindow.h>
#include <link/dialogs/ProgessBar.h>
#include <link/dialogs/VerifTrame.h>
#include <model/FileRead.h>
#include <resources/Pictures.h>
#include <shell/Help.h>
#include <shell/MadeOnUse.h>
#include <shell/Main.h>
#include <shell/ProgrammerOptions.h>
#include <shell/ProjectUndo.h>
#include <shell/ProjetProperty.h>
#include <shell/ScheduleWindow.h>
#include <shell/SettingsFile.h>
#include <shell/ToolkitTranslation.h>
#include <text/text.h>

namespace {

QAction *namedAction(QObject *parent, const char *name, const QKeySequence &shortcut = {})
{
    auto *action = new QAction(parent);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

} // namespace

TForm1::TForm1(TUserDialogs &dialogs, TSettingsFile &settings, const QString &projectFile,
               QWidget *parent)
    : QMainWindow(parent), dialogs_(dialogs), settings_(settings),
      options_(std::make_unique<TProgrammerOptions>())
{
    setObjectName(QStringLiteral("Form1"));
    resize(884, 542);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    setWindowIcon(pictures::applicationIcon());
    OKBottomDlg1 = new TOKBottomDlg1(this);
    transfers_ = new TTransferCommands(document_, dialogs_, *OKBottomDlg1, *this);
    OKBottomDlg1->ShowFailure = [this](TLinkResult result) { transfers_->showLinkFailure(result); };
    buildMenus();
    buildToolbar();

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(false);
    rows_ = new TProgramRows(document_, *ScrollBox1, *this);
    setCentralWidget(ScrollBox1);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(20);
    setStatusBar(StatusBar1);

    // FormCreate: the document starts as an empty project without a file.
    updateTitle();
    CurrentLanguage = text::English;
    ProgPanel = rows_->panel();
    ProgPanel->Language = CurrentLanguage;
    ProgPanel->setDialogs(&dialogs_);
    ProgPanel->Modified = false;
    connect(ProgPanel->PopupMenu3, &TColumnMenu::itemTriggered, this,
            &TForm1::SelectAPopUpMenuNumOfProg);
    connect(&document_, &TProjectDocument::propertiesChanged, this, &TForm1::updateTitle);
    connect(&document_, &TProjectDocument::fileChanged, this, &TForm1::updateTitle);
    connect(&document_, &TProjectDocument::changedStateChanged, this, [this](bool modified) {
        if (!modified)
            ProgPanel->Modified = false;
    });
    connect(rows_, &TProgramRows::shownChanged, this, [this] {
        if (ScheduleWindow1)
            ScheduleWindow1->refresh();
    });
    buildUndo();
    // While a transfer runs the window takes no command.
    connect(transfers_, &TTransferCommands::runningChanged, this, [this](bool running) {
        menuBar()->setEnabled(!running);
        ToolBar1->setEnabled(!running);
        ScrollBox1->setEnabled(!running);
    });
    transfers_->setOptions(options_.get());

    ReadSettings();
    // A file named on the command line takes the last project's place.
    // A last project that is gone leaves no file name behind: Save must not
    // write over a file of that name that comes back. One that does not load
    // is reported and leaves no name either, nor one the user declined to open
    // (held by another programmer): Save would write the empty window over it.
    if (!projectFile.isEmpty()) {
        document_.setFileName(QString());
        LoadProjectFile(projectFile);
    } else if (ProjectFileName().isEmpty() || varno::PathNamesNothing(ProjectFileName()) ||
               !LoadProjectFile(ProjectFileName())) {
        document_.setFileName(QString());
    }
    buildScheduleCommands();
    buildFilesItems();
    buildConveniences();
    TranslateMainWindow();
}

TForm1::~TForm1() = default;

void TForm1::buildMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *file = bar->addMenu(QString());
    File1 = file->menuAction();
    File1->setObjectName(QStringLiteral("File1"));
    New2 = namedAction(this, "New2", QKeySequence(Qt::CTRL | Qt::Key_N));
    Property1 = namedAction(this, "Property1", QKeySequence(Qt::CTRL | Qt::Key_P));
    Open1 = namedAction(this, "Open1", QKeySequence(Qt::CTRL | Qt::Key_O));
    Save1 = namedAction(this, "Save1", QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveAs1 = namedAction(this, "SaveAs1");
    Export1 = namedAction(this, "Export1", QKeySequence(Qt::Key_F9));
    Exit1 = namedAction(this, "Exit1");
    file->addActions({New2, Property1});
    file->addSeparator();
    file->addActions({Open1, Save1, SaveAs1});
    file->addSeparator()->setVisible(false);
    file->addAction(Export1);
    file->addSeparator();
    file->addAction(Exit1);
    Export1->setVisible(false);
    Export1->setEnabled(false);

    QMenu *edit = bar->addMenu(QString());
    Edit1 = edit->menuAction();
    Edit1->setObjectName(QStringLiteral("Edit1"));
    New1 = namedAction(this, "New1", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_N));
    Delete1 = namedAction(this, "Delete1", QKeySequence(Qt::Key_Delete));
    Couper1 = namedAction(this, "Couper1", QKeySequence(Qt::CTRL | Qt::Key_X));
    Copier1 = namedAction(this, "Copier1", QKeySequence(Qt::CTRL | Qt::Key_C));
    Coller1 = namedAction(this, "Coller1", QKeySequence(Qt::CTRL | Qt::Key_V));
    Verif1 = namedAction(this, "Verif1");
    edit->addActions({New1, Delete1});
    edit->addSeparator();
    edit->addAction(Verif1);
    edit->addSeparator()->setVisible(false);
    edit->addActions({Couper1, Copier1, Coller1});
    for (QAction *hidden : {Couper1, Copier1, Coller1}) {
        hidden->setVisible(false);
        hidden->setEnabled(false);
    }

    QMenu *rs232 = bar->addMenu(QString());
    RS2321 = rs232->menuAction();
    RS2321->setObjectName(QStringLiteral("RS2321"));
    Transmit1 = namedAction(this, "Transmit1", QKeySequence(Qt::Key_F10));
    Receive1 = namedAction(this, "Receive1", QKeySequence(Qt::Key_F11));
    rs232->addActions({Transmit1, Receive1});
    buildSafetyItems(file, rs232);
    rs232->addSeparator();
    transfers_->buildPortMenu(rs232);
    PortCOM1 = transfers_->PortCOM1;
    ComItems = transfers_->ComItems;

    QMenu *language = bar->addMenu(QString());
    Language1 = language->menuAction();
    Language1->setObjectName(QStringLiteral("Language1"));
    English1 = namedAction(this, "English1");
    French1 = namedAction(this, "French1");
    Espaol1 = namedAction(this, "Espaol1");
    languageGroup_ = new QActionGroup(this);
    for (QAction *item : {English1, French1, Espaol1}) {
        item->setCheckable(true);
        languageGroup_->addAction(item);
        language->addAction(item);
    }
    English1->setChecked(true);

    QMenu *help = bar->addMenu(QString());
    Help1 = help->menuAction();
    Help1->setObjectName(QStringLiteral("Help1"));
    About1 = namedAction(this, "About1", QKeySequence(Qt::Key_F1));
    help->addAction(About1);

    connect(New2, &QAction::triggered, this, &TForm1::New2Click);
    connect(Property1, &QAction::triggered, this, &TForm1::Property1Click);
    connect(Open1, &QAction::triggered, this, &TForm1::Open1Click);
    connect(Save1, &QAction::triggered, this, &TForm1::Save1Click);
    connect(SaveAs1, &QAction::triggered, this, &TForm1::SaveAs1Click);
    connect(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
    connect(New1, &QAction::triggered, this, &TForm1::SpeedButton1Click);
    connect(Delete1, &QAction::triggered, this, &TForm1::SpeedButton2Click);
    connect(English1, &QAction::triggered, this, &TForm1::English1Click);
    connect(French1, &QAction::triggered, this, &TForm1::French1Click);
    connect(Espaol1, &QAction::triggered, this, &TForm1::Espaol1Click);
    connect(About1, &QAction::triggered, this, &TForm1::About1Click);
    connect(Transmit1, &QAction::triggered, this, &TForm1::SpeedButton3Click);
    connect(Receive1, &QAction::triggered, this, &TForm1::SpeedButton4Click);
    connect(Verif1, &QAction::triggered, this, &TForm1::Verif1Click);
}

void TForm1::buildToolbar()
{
    ToolBar1 = addToolBar(QString());
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFixedHeight(44);
    ToolBar1->setIconSize(QSize(40, 40));
    const auto button = [this](const char *name, pictures::ToolbarPicture picture) {
        auto *b = new QToolButton(ToolBar1);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoRaise(true);
        b->setFixedSize(40, 40);
        b->setIconSize(QSize(36, 36));
        b->setIcon(pictures::toolbarIcon(picture));
        ToolBar1->addWidget(b);
        return b;
    };
    const auto spacer = [this] {
        auto *gap = new QLabel(ToolBar1);
        gap->setFixedSize(40, 40);
        gap->setPixmap(pictures::pixmap(pictures::ToolbarPicture::Spacer, devicePixelRatioF()));
        ToolBar1->addWidget(gap);
    };
    SpeedButton3 = button("SpeedButton3", pictures::ToolbarPicture::Transmit);
    SpeedButton4 = button("SpeedButton4", pictures::ToolbarPicture::Receive);
    spacer();
    SpeedButton1 = button("SpeedButton1", pictures::ToolbarPicture::NewProgram);
    SpeedButton2 = button("SpeedButton2", pictures::ToolbarPicture::DeleteProgram);
    spacer();
    SpeedButton7 = button("SpeedButton7", pictures::ToolbarPicture::Cut);
    SpeedButton6 = button("SpeedButton6", pictures::ToolbarPicture::Copy);
    SpeedButton5 = button("SpeedButton5", pictures::ToolbarPicture::Paste);
    for (QToolButton *hidden : {SpeedButton7, SpeedButton6, SpeedButton5})
        hidden->setEnabled(false);
    // A widget in a tool bar is hidden through its action.
    for (QAction *action : ToolBar1->actions()) {
        QWidget *w = ToolBar1->widgetForAction(action);
        if (w == SpeedButton7 || w == SpeedButton6 || w == SpeedButton5)
            action->setVisible(false);
    }
    auto *web = new QLabel(ToolBar1);
    web->setObjectName(QStringLiteral("WebAddress"));
    web->setFixedSize(208, 40);
    web->setPixmap(pictures::pixmap(pictures::ToolbarPicture::WebAddress, devicePixelRatioF()));
    ToolBar1->addWidget(web);

    connect(SpeedButton3, &QToolButton::clicked, this, &TForm1::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TForm1::SpeedButton4Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
}

void TForm1::updateTitle()
{
    setWindowTitle(TitlePrefix + Project().Name +
                   (ProjectReadOnly() ? text::Text(text::AddedTexts::ReadOnlyMark, CurrentLanguage)
                                      : QString()));
}

void TForm1::TranslateMainWindow()
{
    const text::Language l = CurrentLanguage;
    using text::FileMenuTexts;
    File1->setText(text::Text(FileMenuTexts::FileMenu, l));
    New2->setText(text::Text(FileMenuTexts::NewProject, l));
    Property1->setText(text::Text(FileMenuTexts::ProjectProperties, l));
    Open1->setText(text::Text(FileMenuTexts::Open, l));
    Save1->setText(text::Text(FileMenuTexts::Save, l));
    SaveAs1->setText(text::Text(FileMenuTexts::SaveAs, l));
    Export1->setText(text::Text(FileMenuTexts::Export, l));
    Exit1->setText(text::Text(FileMenuTexts::Exit, l));
    using text::EditMenuTexts;
    Edit1->setText(text::Text(EditMenuTexts::EditMenu, l));
    New1->setText(text::Text(EditMenuTexts::NewProgram, l));
    Delete1->setText(text::Text(EditMenuTexts::DeleteProgram, l));
    Couper1->setText(text::Text(EditMenuTexts::Cut, l));
    Copier1->setText(text::Text(EditMenuTexts::Copy, l));
    Coller1->setText(text::Text(EditMenuTexts::Paste, l));
    document_.history().setLanguage(l);
    using text::RS232MenuTexts;
    RS2321->setText(text::Text(RS232MenuTexts::RS232Menu, l));
    Transmit1->setText(text::Text(RS232MenuTexts::Transmit, l));
    Receive1->setText(text::Text(RS232MenuTexts::Receive, l));
    transfers_->setLanguage(l);
    translateSafetyItems();
    using text::LanguageMenuTexts;
    Language1->setText(text::Text(LanguageMenuTexts::LanguageMenu, l));
    English1->setText(text::Text(LanguageMenuTexts::English, l));
    French1->setText(text::Text(LanguageMenuTexts::French, l));
    Espaol1->setText(text::Text(LanguageMenuTexts::Spanish, l));
    Verif1->setText(text::Text(text::AddedTexts::VerifyBlock, l));
    Help1->setText(text::Text(text::HelpMenuTexts::HelpMenu, l));
    About1->setText(text::Text(text::HelpMenuTexts::About, l));
    using text::ToolbarHints;
    SpeedButton3->setToolTip(text::Text(ToolbarHints::TransmitHint, l));
    SpeedButton4->setToolTip(text::Text(ToolbarHints::ReceiveHint, l));
    SpeedButton1->setToolTip(text::Text(ToolbarHints::NewProgramHint, l));
    SpeedButton2->setToolTip(text::Text(ToolbarHints::DeleteProgramHint, l));

    rows_->setLanguage(l);
    if (!ProgList().isEmpty()) {
        ProgPanel->TranslatePanel();
        ProgPanel->TranslateActions();
    }
    updateTitle(); // a read-only mark in the new language
    translateScheduleCommands();
    translateFilesItems();
    translateConveniences();
    translateRecoveryState();
}

void TForm1::setLanguage(text::Language language)
{
    CurrentLanguage = language;
    English1->setChecked(language == text::English);
    French1->setChecked(language == text::French);
    Espaol1->setChecked(language == text::Spanish);
    UseToolkitLanguage(language);
}

void TForm1::English1Click()
{
    setLanguage(text::English);
    TranslateMainWindow();
}

void TForm1::French1Click()
{
    setLanguage(text::French);
    TranslateMainWindow();
}

void TForm1::Espaol1Click()
{
    setLanguage(text::Spanish);
    TranslateMainWindow();
}

void TForm1::ReadSettings()
{
    TSettings settings;
    QString error;
    if (!settings_.ReadSettings(settings, &error))
        dialogs_.showError(this, error);
    setLanguage(settings.Language);
    transfers_->setSettingsPort(settings.ComPortName);
    document_.setFileName(settings.ProjectFileName);
}

void TForm1::WriteSettings()
{
    TSettings settings;
    settings.Language = CurrentLanguage;
    settings.ComPortName = ComPortName();
    settings.ProjectFileName = ProjectFileName();
    QString error;
    if (!settings_.WriteSettings(settings, &error))
        dialogs_.showError(this, error);
}

void TForm1::About1Click()
{
    madeOnUse(Form2, this)->Language = CurrentLanguage;
    dialogs_.exec(Form2);
}
