// What people expect of a desktop program: Ctrl+Q, the user's guide, a Save
// dialog that proposes the project's name, a line that names the file written.

#include <FakeDialogs.h>
#include <QFile>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <shell/Main.h>
#include <shell/SettingsFile.h>
#include <shell/UsersGuide.h>
#include <text/text.h>

namespace {

class Conveniences : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<TForm1>(dialogs, settings);
        window->setOptionsFile(dir.filePath("options.ini"));
        window->show();
    }

    QTemporaryDir dir;
    FakeDialogs dialogs;
    TSettingsFile settings{dir.path(), dir.filePath("config")};
    std::unique_ptr<TForm1> window;
};

TEST_F(Conveniences, saveDialogsProposeTheProjectsNameAndExportsSayWhatTheyWrote)
{
    window->SpeedButton1Click();
    window->Project().Name = "Hall: accueil / sud.";
    const QString folder = dir.filePath("projets");
    ASSERT_TRUE(QDir().mkpath(folder));
    struct Case
    {
        const char *name;
        std::function<void()> command;
        QString proposed; // in the folder of the last project once there is one
        QString written;
    };
    const Case cases[] = {
        {"Save As, never saved", [&] { window->SaveAs1Click(); }, "Hall_ accueil _ sud.prg",
         folder + "/first.prg"},
        {"Save As", [&] { window->SaveAs1Click(); }, folder + "/Hall_ accueil _ sud.prg",
         folder + "/second.prg"},
        {"report", [&] { window->ExportReport1Click(); }, folder + "/Hall_ accueil _ sud.html",
         folder + "/report.html"},
        {"CSV", [&] { window->ExportCsv1Click(); }, folder + "/Hall_ accueil _ sud.csv",
         folder + "/programs.csv"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.proposedNames.clear();
        window->StatusBar1->clearMessage();
        dialogs.fileNames = {c.written};
        c.command();
        EXPECT_EQ(dialogs.proposedNames, QStringList{c.proposed});
        EXPECT_TRUE(QFile::exists(c.written));
        const bool export_ = !c.written.endsWith(".prg");
        EXPECT_EQ(window->StatusBar1->currentMessage(),
                  export_ ? "File written: " + QDir::toNativeSeparators(c.written) : QString());
    }
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
}

TEST_F(Conveniences, theUsersGuideOpensInTheSystemsViewer)
{
    ASSERT_NE(window->UsersGuide1, nullptr);
    EXPECT_EQ(window->UsersGuide1->text(), "&User's guide");
    window->French1Click();
    EXPECT_EQ(window->UsersGuide1->text(), "&Guide de l'utilisateur");
    window->English1Click();
    window->UsersGuide1->trigger();
    ASSERT_EQ(dialogs.openedDocuments.size(), 1);
    const QUrl page = dialogs.openedDocuments.first();
    ASSERT_TRUE(page.isLocalFile());
    QFile html(page.toLocalFile());
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(html.readAll());
    EXPECT_TRUE(text.contains("user's guide")) << text.left(300).toStdString();
    // Its pictures are found beside the guide.
    EXPECT_TRUE(text.contains("<base href=\"file://")) << text.left(300).toStdString();
    EXPECT_TRUE(text.contains("pictures/main-window.png"));
    EXPECT_TRUE(dialogs.warnings.isEmpty());

    // No viewer: the user is told.
    dialogs.documentOpens = false;
    window->UsersGuide1->trigger();
    ASSERT_EQ(dialogs.warnings.size(), 1);
    EXPECT_TRUE(dialogs.warnings.first().startsWith("The user's guide could not be opened: "));

    // Ctrl+Q ends the programmer, as Exit does.
    EXPECT_TRUE(window->Exit1->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Q)));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible());
}

// Installed, the guide is in the documentation folder of the install, as HTML
// when it was rendered there; elsewhere the source tree's.
TEST(UsersGuide, isFoundInTheInstallElseInTheSourceTree)
{
    QTemporaryDir prefix;
#ifdef Q_OS_WIN
    // The installer puts the programs at the top of the install folder.
    const QString bin = prefix.path();
    const QString docs = prefix.filePath("doc");
#else
    const QString bin = prefix.filePath("bin");
    const QString docs = prefix.filePath("share/doc/varno-programmer");
#endif
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(docs));
    const QString source = guide::Find(bin);
    ASSERT_TRUE(source.endsWith("/docs/guide.md")) << source.toStdString();
    for (const char *name : {"guide.md", "guide.html"}) {
        QFile file(docs + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        EXPECT_EQ(guide::Find(bin), QDir(docs).filePath(name));
    }
    EXPECT_TRUE(guide::Find(QString()).isEmpty());
}

} // namespace
