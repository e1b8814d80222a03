#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QtPrinters.h>
#include <editor/PanelWidgets.h>
#include <gtest/gtest.h>
#include <link/dialogs/ComparisonWindow.h>
#include <link/dialogs/VerifTrame.h>
#include <model/GroupOfProjectClasses.h>
#include <shell/Help.h>
#include <shell/ProjetProperty.h>
#include <text/text.h>

namespace {

TVARNOGroup busyGroup()
{
    TVARNOGroup g;
    g.Name = "Hall d'accueil";
    g.Subject = "Annonces";
    g.Author = "J. Martin";
    g.Copyright = "(c) 2024";
    g.Customer = "Mairie";
    g.CreationDate = "12/03/2024";
    g.DiffusionDate = "printemps";
    g.Comments = {"Première ligne", "", "Heure\u00a0: 9 h", "   indentée  ", "dernière"};
    return g;
}

class ProjectProperties : public ::testing::Test
{
protected:
    void TearDown() override { dialog.hide(); }

    QStringList captions() const
    {
        return {dialog.windowTitle(),   dialog.Label7->text(), dialog.Label3->text(),
                dialog.Label4->text(),  dialog.Label5->text(), dialog.Label6->text(),
                dialog.Label1->text(),  dialog.Label8->text(), dialog.Label2->text(),
                dialog.Button1->text(), dialog.Button2->text()};
    }

    static QStringList expectedCaptions(text::Language language)
    {
        QStringList texts;
        for (int key = 0; key <= int(text::ProjectPropertiesTexts::CancelButton); ++key)
            texts << text::Text(text::ProjectPropertiesTexts(key), language);
        return texts;
    }

    TForm3 dialog;
};

TEST_F(ProjectProperties, layout)
{
    EXPECT_EQ(dialog.size(), QSize(362, 421));
    EXPECT_EQ(dialog.minimumSize(), QSize(362, 421));
    EXPECT_EQ(dialog.maximumSize(), QSize(362, 421));

    // The captions' column takes the width its texts need (see below).
    const std::pair<QWidget *, QRect> places[] = {
        {dialog.Label2, {16, 232, 329, 17}},  {dialog.Memo1, {16, 250, 329, 119}},
        {dialog.Button1, {176, 384, 75, 25}}, {dialog.Button2, {272, 383, 75, 25}},
        {dialog.Shape1, {9, 32, 344, 345}},
    };
    for (const auto &[widget, rect] : places)
        EXPECT_EQ(widget->geometry(), rect) << widget->objectName().toStdString();

    // Each control can be found by its name.
    for (const char *name :
         {"Label7", "Edit1", "Label3", "Edit2", "Label4", "Edit3", "Label5", "Edit4", "Label6",
          "Edit5", "Label1", "Edit6", "Label8", "Edit7", "Label2", "Memo1", "Button1", "Button2"})
        EXPECT_NE(dialog.findChild<QWidget *>(name), nullptr) << name;
}

// Each caption is whole in each language; the fields beside it stay inside
// the dialog and clear of it.
TEST_F(ProjectProperties, everyCaptionFitsInEachLanguage)
{
    const std::pair<QLabel *, QLineEdit *> rows[] = {
        {dialog.Label7, dialog.Edit1}, {dialog.Label3, dialog.Edit2}, {dialog.Label4, dialog.Edit3},
        {dialog.Label5, dialog.Edit4}, {dialog.Label6, dialog.Edit5}, {dialog.Label1, dialog.Edit6},
        {dialog.Label8, dialog.Edit7}, {dialog.Label2, nullptr}};
    for (const text::Language language : {text::French, text::English, text::Spanish}) {
        dialog.Language = language;
        dialog.show();
        for (const auto &[label, edit] : rows) {
            SCOPED_TRACE(label->text().toStdString());
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                      label->contentsRect().width());
            if (!edit)
                continue;
            EXPECT_LT(label->geometry().right(), edit->x());
            EXPECT_TRUE(dialog.rect().contains(edit->geometry()));
        }
        dialog.hide();
    }
}

TEST_F(ProjectProperties, look)
{
    EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(179, 179, 179));
    for (QLabel *label : {dialog.Label7, dialog.Label3, dialog.Label4, dialog.Label5, dialog.Label6,
                          dialog.Label1, dialog.Label8, dialog.Label2}) {
        EXPECT_TRUE(label->autoFillBackground()) << label->objectName().toStdString();
        EXPECT_EQ(label->palette().color(QPalette::Window), QColor(212, 208, 200));
        EXPECT_EQ(label->font().family(), "Arial");
        EXPECT_EQ(label->font().pixelSize(), 11);
    }
    for (QLineEdit *edit : {dialog.Edit1, dialog.Edit2, dialog.Edit3, dialog.Edit4, dialog.Edit5,
                            dialog.Edit6, dialog.Edit7})
        EXPECT_FALSE(edit->hasFrame()) << edit->objectName().toStdString();
    EXPECT_EQ(dialog.Memo1->frameShape(), QFrame::NoFrame);
}

TEST_F(ProjectProperties, nameFieldRefusesThe65thCharacterOthersDoNot)
{
    dialog.show();
    dialog.Edit1->clear();
    QTest::keyClicks(dialog.Edit1, QString(64, 'n'));
    EXPECT_EQ(dialog.Edit1->text().size(), 64);
    QTest::keyClicks(dialog.Edit1, "X");
    EXPECT_EQ(dialog.Edit1->text(), QString(64, 'n'));

    const QString longText(300, 'a');
    for (QLineEdit *edit :
         {dialog.Edit2, dialog.Edit3, dialog.Edit4, dialog.Edit5, dialog.Edit6, dialog.Edit7}) {
        edit->clear();
        QTest::keyClicks(edit, longText);
        EXPECT_EQ(edit->text(), longText) << edit->objectName().toStdString();
    }
    dialog.Memo1->clear();
    QTest::keyClicks(dialog.Memo1, longText);
    EXPECT_EQ(dialog.Memo1->toPlainText(), longText);
}

// The project file holds Windows-1252 text only: a typed character it cannot
// hold is refused, a paste keeps what it can hold, and a hint says why.
TEST_F(ProjectProperties, fieldsTakeOnlyWhatTheProjectFileCanHold)
{
    dialog.Language = text::French;
    dialog.show();
    const QList<QWidget *> fields = {dialog.Edit1, dialog.Edit2, dialog.Edit3, dialog.Edit4,
                                     dialog.Edit5, dialog.Edit6, dialog.Edit7, dialog.Memo1};
    for (QWidget *field : fields) {
        SCOPED_TRACE(field->objectName().toStdString());
        auto *line = qobject_cast<QLineEdit *>(field);
        auto *memo = qobject_cast<QPlainTextEdit *>(field);
        line ? line->clear() : memo->clear();
        for (const QString typed : {"Z", "o", "\u00eb", " ", "\u03a9"})
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, typed, Qt::NoModifier);
        QGuiApplication::clipboard()->setText(
            QStringLiteral("\u20ac \u03a9 \u65e5\u672c \U0001F600!"));
        line ? line->paste() : memo->paste();
        EXPECT_EQ(line ? line->text() : memo->toPlainText(), QStringLiteral("Zo\u00eb \u20ac   !"));
        EXPECT_EQ(QToolTip::text(),
                  text::Text(text::AddedTexts::UnstorableCharacters, text::French));
    }
}

TEST_F(ProjectProperties, overLongNameFromTheProjectIsNotCutUnlessEdited)
{
    TVARNOGroup g;
    g.Name = QString(64, 'a') + "bcdef";
    dialog.fillFrom(g);
    EXPECT_EQ(dialog.Edit1->text(), QString(64, 'a'));

    TVARNOGroup out;
    dialog.copyTo(out);
    EXPECT_EQ(out.Name, g.Name);

    // Set by other code: the field's text counts.
    dialog.Edit1->setText("Other");
    dialog.copyTo(out);
    EXPECT_EQ(out.Name, "Other");

    // Edited by the user: what the field shows counts.
    dialog.fillFrom(g);
    dialog.show();
    dialog.Edit1->end(false);
    QTest::keyClick(dialog.Edit1, Qt::Key_Backspace);
    dialog.copyTo(out);
    EXPECT_EQ(out.Name, QString(63, 'a'));
}

TEST_F(ProjectProperties, textsFollowTheLanguageAtEachOpeningFieldsKeepTheirValues)
{
    const TVARNOGroup g = busyGroup();
    dialog.fillFrom(g);
    dialog.show();
    EXPECT_EQ(captions(), expectedCaptions(text::English));
    EXPECT_EQ(dialog.windowTitle(), "Project Properties");
    dialog.hide();

    // A switch while the dialog is hidden shows on the next opening.
    for (text::Language language : {text::French, text::Spanish, text::English}) {
        dialog.Language = language;
        // Not applied before the dialog is shown again.
        EXPECT_NE(dialog.Label3->text(),
                  text::Text(text::ProjectPropertiesTexts::SubjectLabel, language));
        dialog.show();
        EXPECT_EQ(captions(), expectedCaptions(language)) << int(language);
        TVARNOGroup out;
        dialog.copyTo(out);
        EXPECT_EQ(out.Name, g.Name);
        EXPECT_EQ(out.DiffusionDate, g.DiffusionDate);
        EXPECT_EQ(out.Comments, g.Comments);
        dialog.hide();
    }
}

TEST_F(ProjectProperties, subjectLabelInEachLanguage)
{
    const std::pair<text::Language, QString> cases[] = {
        {text::English, " Object :"}, {text::French, " Sujet :"}, {text::Spanish, " Tema :"}};
    for (const auto &[language, caption] : cases) {
        dialog.Language = language;
        dialog.show();
        EXPECT_EQ(dialog.Label3->text(), caption);
        dialog.hide();
    }
    dialog.Language = text::Spanish;
    dialog.show();
    EXPECT_EQ(dialog.Button2->text(), "Anular");
    EXPECT_EQ(dialog.windowTitle(), "Propiedades de Proyecto");
}

TEST_F(ProjectProperties, focusInTheNameFieldAtEachOpening)
{
    dialog.show();
    EXPECT_EQ(dialog.focusWidget(), dialog.Edit1);
    dialog.Edit5->setFocus();
    EXPECT_EQ(dialog.focusWidget(), dialog.Edit5);
    dialog.hide();
    dialog.show();
    EXPECT_EQ(dialog.focusWidget(), dialog.Edit1);
}

// The controls Tab reaches, in the order it reaches them from the first one.
QList<QWidget *> tabChain(QWidget *window, QWidget *first)
{
    QList<QWidget *> chain{first};
    for (QWidget *w = first->nextInFocusChain(); w != first; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus && w->isVisibleTo(window) && window->isAncestorOf(w))
            chain << w;
    return chain;
}

// How a dialog reads: its fields top to bottom (left to right on one line),
// then its buttons left to right.
QList<QWidget *> readingOrder(QWidget *window)
{
    QList<QWidget *> fields, buttons;
    for (QWidget *w : window->findChildren<QWidget *>())
        if (w->focusPolicy() & Qt::TabFocus && w->isVisibleTo(window))
            (qobject_cast<QAbstractButton *>(w) ? buttons : fields) << w;
    const auto at = [window](QWidget *w) { return w->mapTo(window, QPoint(0, 0)); };
    std::stable_sort(fields.begin(), fields.end(), [&](QWidget *a, QWidget *b) {
        return std::pair(at(a).y(), at(a).x()) < std::pair(at(b).y(), at(b).x());
    });
    std::stable_sort(buttons.begin(), buttons.end(),
                     [&](QWidget *a, QWidget *b) { return at(a).x() < at(b).x(); });
    return fields + buttons;
}

// "Tab, type, Enter" fills the field below the name, in every dialog.
TEST_F(ProjectProperties, tabFollowsEveryDialogAsItReads)
{
    TForm2 about;
    TComparisonWindow comparison;
    TOKBottomDlg verification;
    const QList<QDialog *> dialogs{&dialog, &about, &comparison, &verification};
    for (QDialog *d : dialogs) {
        SCOPED_TRACE(d->objectName().toStdString());
        const QList<QWidget *> expected = readingOrder(d);
        ASSERT_FALSE(expected.isEmpty());
        EXPECT_EQ(tabChain(d, expected.first()), expected);
    }
    const QList<QWidget *> form3 = {dialog.Edit1,   dialog.Edit2,  dialog.Edit3, dialog.Edit4,
                                    dialog.Edit5,   dialog.Edit6,  dialog.Edit7, dialog.Memo1,
                                    dialog.Button1, dialog.Button2};
    EXPECT_EQ(readingOrder(&dialog), form3);

    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    ASSERT_EQ(dialog.focusWidget(), dialog.Edit1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "Annonces");
    EXPECT_EQ(dialog.Edit2->text(), "Annonces");
    // Tab leaves the memo rather than typing a tab into it.
    dialog.Memo1->setFocus();
    dialog.Memo1->setPlainText("x");
    QTest::keyClick(dialog.Memo1, Qt::Key_Tab);
    EXPECT_EQ(dialog.Memo1->toPlainText(), "x");
    EXPECT_EQ(dialog.focusWidget(), dialog.Button1);
}

TEST_F(ProjectProperties, resetGivesTheNewProjectState)
{
    dialog.fillFrom(busyGroup());
    dialog.ResetPropertiesDialog();
    EXPECT_EQ(dialog.Edit1->text(), "New Project");
    for (QLineEdit *edit :
         {dialog.Edit2, dialog.Edit3, dialog.Edit4, dialog.Edit5, dialog.Edit6, dialog.Edit7})
        EXPECT_EQ(edit->text(), "") << edit->objectName().toStdString();
    EXPECT_EQ(dialog.Memo1->toPlainText(), "...");
    EXPECT_EQ(dialog.Memo1->document()->blockCount(), 1);

    TVARNOGroup out = busyGroup();
    dialog.copyTo(out);
    EXPECT_EQ(out.Name, "New Project");
    EXPECT_EQ(out.Subject, "");
    EXPECT_EQ(out.CreationDate, "");
    EXPECT_EQ(out.Comments, QStringList{"..."});

    // A fresh dialog starts in the same state.
    TForm3 fresh;
    EXPECT_EQ(fresh.Edit1->text(), "New Project");
    EXPECT_EQ(fresh.Memo1->toPlainText(), "...");
}

TEST_F(ProjectProperties, fillAndCopyRoundTrip)
{
    const TVARNOGroup g = busyGroup();
    dialog.fillFrom(g);
    EXPECT_EQ(dialog.Edit1->text(), g.Name);
    EXPECT_EQ(dialog.Edit2->text(), g.Subject);
    EXPECT_EQ(dialog.Edit3->text(), g.Author);
    EXPECT_EQ(dialog.Edit4->text(), g.Copyright);
    EXPECT_EQ(dialog.Edit5->text(), g.Customer);
    EXPECT_EQ(dialog.Edit6->text(), g.CreationDate);
    EXPECT_EQ(dialog.Edit7->text(), g.DiffusionDate);
    EXPECT_EQ(dialog.Memo1->document()->blockCount(), 5);

    TVARNOGroup out;
    dialog.copyTo(out);
    EXPECT_EQ(out.Name, g.Name);
    EXPECT_EQ(out.Subject, g.Subject);
    EXPECT_EQ(out.Author, g.Author);
    EXPECT_EQ(out.Copyright, g.Copyright);
    EXPECT_EQ(out.Customer, g.Customer);
    EXPECT_EQ(out.CreationDate, g.CreationDate);
    EXPECT_EQ(out.DiffusionDate, g.DiffusionDate);
    EXPECT_EQ(out.Comments, g.Comments); // the no-break space included
}

TEST_F(ProjectProperties, commentLinesAsTheUserLeavesThem)
{
    TVARNOGroup out;
    out.Comments = {"old", "lines"};

    dialog.Memo1->clear();
    dialog.copyTo(out);
    EXPECT_TRUE(out.Comments.isEmpty());

    // A final line break ends the last line and adds none, as in a memo; the
    // lines a project holds come back as they were.
    const struct
    {
        QString text;
        QStringList lines;
    } memos[] = {
        {"one\ntwo\n", {"one", "two"}},
        {"one\n\n", {"one", ""}},
        {"\n", {""}},
        {"one\n\n\n", {"one", "", ""}},
    };
    for (const auto &memo : memos) {
        dialog.Memo1->setPlainText(memo.text);
        dialog.copyTo(out);
        EXPECT_EQ(out.Comments, memo.lines) << memo.text;
        TVARNOGroup again;
        again.Comments = memo.lines;
        dialog.fillFrom(again);
        dialog.copyTo(out);
        EXPECT_EQ(out.Comments, memo.lines) << memo.text;
    }

    TVARNOGroup empty;
    empty.Comments.clear();
    dialog.fillFrom(empty);
    EXPECT_EQ(dialog.Memo1->toPlainText(), "");
    dialog.copyTo(out);
    EXPECT_TRUE(out.Comments.isEmpty());

    // Typed with Enter.
    dialog.show();
    dialog.Memo1->setFocus();
    QTest::keyClicks(dialog.Memo1, "a");
    QTest::keyClick(dialog.Memo1, Qt::Key_Return);
    QTest::keyClicks(dialog.Memo1, "b");
    dialog.copyTo(out);
    EXPECT_EQ(out.Comments, (QStringList{"a", "b"}));
    QTest::keyClick(dialog.Memo1, Qt::Key_Return);
    dialog.copyTo(out);
    EXPECT_EQ(out.Comments, (QStringList{"a", "b"}));
}

TEST_F(ProjectProperties, okAcceptsCancelAndTheFrameReject)
{
    QSignalSpy finished(&dialog, &QDialog::finished);

    dialog.show();
    dialog.Button1->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());

    dialog.show();
    dialog.Button2->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());

    dialog.show();
    dialog.Button1->click();
    dialog.show();
    EXPECT_TRUE(dialog.close());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());

    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    // Enter in a field is OK.
    dialog.show();
    QTest::keyClick(dialog.Edit2, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());

    ASSERT_EQ(finished.count(), 6);
    const int results[] = {QDialog::Accepted, QDialog::Rejected, QDialog::Accepted,
                           QDialog::Rejected, QDialog::Rejected, QDialog::Accepted};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(finished.at(i).at(0).toInt(), results[i]) << i;
}

// Centred on the screen, not on the main window that owns it.
TEST(ProjectPropertiesPlace, centredOnTheScreen)
{
    QWidget owner;
    owner.setGeometry(10, 10, 200, 150);
    owner.show();
    TForm3 dialog(&owner);
    dialog.show();
    const QRect screen = dialog.screen()->availableGeometry();
    EXPECT_LE(std::abs(dialog.frameGeometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(dialog.frameGeometry().center().y() - screen.center().y()), 1);
}

} // namespace
