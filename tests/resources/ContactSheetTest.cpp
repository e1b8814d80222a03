#include "PictureCases.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtPrinters.h>
#include <gtest/gtest.h>

namespace {

int runSheet(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(VARNO_PICTURE_SHEET_PATH), arguments);
    if (!process.waitForFinished(60000))
        return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
}

TEST(ContactSheet, writesOnePngShowingThePictures)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString out = dir.filePath(QStringLiteral("sheet.png"));
    ASSERT_EQ(runSheet({out}), 0);
    QImage sheet(out);
    ASSERT_FALSE(sheet.isNull());
    // Every 2x picture is shown pixel for pixel, so the widest one fits across.
    EXPECT_GE(sheet.width(),
              pictures::logicalSize(pictures::ToolbarPicture::WebAddress).width() * 3);
    EXPECT_GT(sheet.height(), 400);
}

TEST(ContactSheet, refusesAMissingOutputPath)
{
    EXPECT_EQ(runSheet({}), 2);
}

} // namespace
