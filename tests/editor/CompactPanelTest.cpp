#include <QSignalSpy>
#include <QTest>
#include <QtPrinters.h>
#include <editor/LittleOneProg.h>
#include <gtest/gtest.h>
#include <model/Clock.h>
#include <model/ProjectClasses.h>
#include <text/text.h>

namespace {

class CompactPanel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        row.Prog = &prog;
        row.show();
    }

    varno::ScopedFixedClock clock{QDateTime(QDate(2026, 12, 7), QTime(12, 34))};
    TVARNOProg prog;
    TFrame1 row;
};

TEST_F(CompactPanel, newProgramRow)
{
    row.ShowLittleProg();
    EXPECT_EQ(row.StaticText6->text(), "001");
    EXPECT_EQ(row.StaticText1->text(), "...");
    EXPECT_EQ(row.Shape8->brush(), QColor(0, 0x80, 0x80));
    EXPECT_TRUE(row.Image32->isHidden());
    EXPECT_EQ(row.Label1->text(), "...");
}

TEST_F(CompactPanel, scheduleInTheRowLanguage)
{
    prog.TimerOn = 1;
    prog.SetDate(varno::datetime::EncodeDate(2026, 5, 7));
    prog.SetHour(9);
    prog.SetMinute(5);
    row.ShowLittleProg();
    EXPECT_FALSE(row.Image32->isHidden());
    EXPECT_EQ(row.Label1->text(), "Date : 07/05/2026 - At : 09:05");
    row.Language = text::French;
    row.ShowLittleProg();
    EXPECT_EQ(row.Label1->text(), "Le : 07/05/2026 - A : 09:05");
    prog.DateMode = 2;
    prog.WeekDay = 3;
    row.Language = text::English;
    row.ShowLittleProg();
    EXPECT_EQ(row.Label1->text(), "Every : Wednesday - At : 09:05");
    prog.TimerOn = 0;
    row.ShowLittleProg();
    EXPECT_TRUE(row.Image32->isHidden());
    EXPECT_EQ(row.Label1->text(), "...");
}

TEST_F(CompactPanel, selectionColourAndClicks)
{
    row.ShowLittleProg();
    row.setSelected(true);
    EXPECT_EQ(row.Panel1->palette().color(QPalette::Window), QColor(179, 179, 179));
    row.setSelected(false);
    EXPECT_EQ(row.Panel1->palette().color(QPalette::Window), QColor(212, 208, 200));

    QSignalSpy clicks(&row, &TFrame1::clicked);
    QSignalSpy doubles(&row, &TFrame1::doubleClicked);
    QTest::mouseClick(row.StaticText1, Qt::LeftButton);
    QTest::mouseClick(row.StaticText6, Qt::LeftButton);
    QTest::mouseClick(&row, Qt::LeftButton, {}, QPoint(300, 2)); // the background
    EXPECT_EQ(clicks.count(), 3);
    clicks.clear();
    // A double click as the window delivers it: press, release, double click,
    // release. The last release is not a click of its own.
    QTest::mouseClick(row.StaticText1, Qt::LeftButton);
    QTest::mouseDClick(row.StaticText1, Qt::LeftButton);
    QTest::mouseRelease(row.StaticText1, Qt::LeftButton);
    EXPECT_EQ(doubles.count(), 1);
    EXPECT_EQ(clicks.count(), 1);
    // The colour shape, the picture and the summary react to nothing.
    clicks.clear();
    row.Prog->TimerOn = 1;
    row.ShowLittleProg();
    for (QWidget *inert : {static_cast<QWidget *>(row.Label1), static_cast<QWidget *>(row.Image32),
                           static_cast<QWidget *>(row.Shape8)}) {
        QTest::mouseClick(inert, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseDClick(inert, Qt::LeftButton, {}, QPoint(2, 2));
    }
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(doubles.count(), 1);
}

} // namespace
