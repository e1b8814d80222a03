// The real dialogs of the seam, answered by a timer as a user would.

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtPrinters.h>
#include <editor/UserDialogs.h>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Save As onto an existing file asks first, in the toolkit's own box; only Yes
// gives the file back.
TEST(UserDialogs, saveAsAsksBeforeReplacingAnExistingFile)
{
    QTemporaryDir dir;
    const QString existing = dir.filePath("existing.prg");
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    TQtUserDialogs dialogs;
    for (const bool replace : {false, true}) {
        SCOPED_TRACE(replace);
        QStringList asked;
        bool chosen = false;
        int waited = 0;
        QTimer user;
        user.setInterval(10);
        QObject::connect(&user, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                asked << box->text();
                box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
            } else if (auto *files = qobject_cast<QFileDialog *>(modal)) {
                // Answered No: the dialog stays, the user gives up. A dialog
                // that never asks is given up after a while, and the test fails.
                if (!asked.isEmpty() || ++waited > 300) {
                    files->reject();
                    return;
                }
                if (chosen)
                    return; // the accept is on its way
                chosen = true;
                // Typed, as a user does: selectFile() depends on the dialog's
                // directory listing having arrived.
                auto *name = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                ASSERT_NE(name, nullptr);
                name->setText(existing);
                QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
            }
        });
        user.start();
        const QString result =
            dialogs.saveFileName(nullptr, QStringLiteral("Program (*.prg)"), QStringLiteral("prg"));
        user.stop();
        EXPECT_EQ(asked.size(), 1);
        EXPECT_EQ(result, replace ? existing : QString());
    }
}

// A question that can be dismissed keeps the Yes and No a user sees; Escape and
// the close button answer neither.
TEST(UserDialogs, escapeAndTheCloseButtonDismissAQuestion)
{
    const struct
    {
        const char *name;
        std::function<void(QMessageBox *)> leave;
        TAnswer expected;
    } ways[] = {
        {"Yes", [](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); }, TAnswer::Yes},
        {"No", [](QMessageBox *box) { box->button(QMessageBox::No)->click(); }, TAnswer::No},
        {"Escape", [](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); },
         TAnswer::Dismissed},
        {"closed", [](QMessageBox *box) { box->close(); }, TAnswer::Dismissed},
    };
    TQtUserDialogs dialogs;
    for (const auto &way : ways) {
        SCOPED_TRACE(way.name);
        QMessageBox::StandardButtons shown;
        QTimer user;
        user.setInterval(10);
        QObject::connect(&user, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            user.stop();
            for (QAbstractButton *button : box->buttons())
                if (button->isVisible())
                    shown |= box->standardButton(button);
            way.leave(box);
        });
        user.start();
        const TAnswer answer = dialogs.askYesNoOrDismiss(nullptr, QStringLiteral("Save?"));
        user.stop();
        EXPECT_EQ(int(answer), int(way.expected));
        EXPECT_EQ(shown, QMessageBox::Yes | QMessageBox::No);
    }
}

// A question with buttons of its own: the first is the default (Enter), and
// Escape or the close button is the toolkit's Cancel.
TEST(UserDialogs, aQuestionWithChoicesDefaultsToTheFirstAndEscapeCancels)
{
    const struct
    {
        const char *name;
        std::function<void(QMessageBox *)> leave;
        int expected;
    } ways[] = {
        {"Enter", [](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Return); }, 0},
        {"the second",
         [](QMessageBox *box) {
             for (QAbstractButton *button : box->buttons())
                 if (button->text() == "&Replace")
                     button->click();
         },
         1},
        {"Cancel", [](QMessageBox *box) { box->button(QMessageBox::Cancel)->click(); }, -1},
        {"Escape", [](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); }, -1},
        {"closed", [](QMessageBox *box) { box->close(); }, -1},
    };
    TQtUserDialogs dialogs;
    for (const auto &way : ways) {
        SCOPED_TRACE(way.name);
        QStringList shown;
        QTimer user;
        user.setInterval(10);
        QObject::connect(&user, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            user.stop();
            for (QAbstractButton *button : box->buttons())
                shown << button->text();
            way.leave(box);
        });
        user.start();
        const int choice = dialogs.askChoice(nullptr, QStringLiteral("Import?"),
                                             {QStringLiteral("&Add"), QStringLiteral("&Replace")});
        user.stop();
        EXPECT_EQ(choice, way.expected);
        EXPECT_TRUE(shown.contains("&Add") && shown.contains("&Replace"))
            << shown.join(',').toStdString();
        EXPECT_EQ(shown.size(), 3);
    }
}

} // namespace
