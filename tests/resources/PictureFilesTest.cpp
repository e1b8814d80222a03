#include "PictureCases.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <QSvgRenderer>
#include <QtPrinters.h>
#include <gtest/gtest.h>

namespace {

using namespace pictures;

// Paths relative to the picture folder, of every .svg file below root.
QSet<QString> svgFilesBelow(const QString &root)
{
    QSet<QString> files;
    const QDir base(root);
    QDirIterator it(root, {QStringLiteral("*.svg")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.insert(base.relativeFilePath(it.next()));
    return files;
}

QStringList sorted(const QSet<QString> &set)
{
    QStringList list(set.begin(), set.end());
    list.sort();
    return list;
}

TEST(PictureFiles, theResourceIsLinkedIntoTheProgram)
{
    // The library is static; its resource must still register itself.
    EXPECT_TRUE(QFile::exists(resourcePath(StatePicture::On)));
    EXPECT_TRUE(QDir(resourceRoot()).exists());
}

TEST(PictureFiles, everyFileInTheResourceIsAValidSvg)
{
    const QSet<QString> files = svgFilesBelow(resourceRoot());
    ASSERT_FALSE(files.isEmpty());
    for (const QString &f : files) {
        QSvgRenderer renderer(resourceRoot() + QLatin1Char('/') + f);
        EXPECT_TRUE(renderer.isValid()) << f;
    }
}

QStringList svgWarnings;

void collectWarnings(QtMsgType, const QMessageLogContext &, const QString &message)
{
    svgWarnings << message;
}

TEST(PictureFiles, everyFileLoadsWithoutAWarning)
{
    // The renderer accepts a file with a broken path or an unknown element, and
    // only warns; the picture then lacks a part.
    for (const QString &f : svgFilesBelow(resourceRoot())) {
        svgWarnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
        QSvgRenderer renderer(resourceRoot() + QLatin1Char('/') + f);
        qInstallMessageHandler(previous);
        EXPECT_EQ(svgWarnings, QStringList()) << f;
    }
}

TEST(PictureFiles, theResourceHoldsExactlyThePictureFolder)
{
    const QSet<QString> inResource = svgFilesBelow(resourceRoot());
    const QSet<QString> inSources = svgFilesBelow(QStringLiteral(VARNO_PICTURES_SOURCE_DIR));
    EXPECT_EQ(sorted(inSources - inResource), QStringList()) << "files left out of the resource";
    EXPECT_EQ(sorted(inResource - inSources), QStringList()) << "resource files with no source";
}

TEST(PictureFiles, everyFileServesARoleAndEveryRoleHasAFile)
{
    QSet<QString> used;
    for (const PictureCase &c : allPictureCases()) {
        EXPECT_TRUE(c.path.startsWith(resourceRoot() + QLatin1Char('/'))) << c.name;
        EXPECT_TRUE(QFile::exists(c.path)) << c.name << " " << c.path;
        used.insert(QDir(resourceRoot()).relativeFilePath(c.path));
    }
    EXPECT_EQ(sorted(svgFilesBelow(resourceRoot()) - used), QStringList()) << "unused files";
}

TEST(PictureFiles, everyDrawingIsMadeForTheSizeOfItsRole)
{
    // A drawing made for another size would be stretched or shrunk, and blurred.
    for (const PictureCase &c : allPictureCases()) {
        QSvgRenderer renderer(c.path);
        ASSERT_TRUE(renderer.isValid()) << c.name;
        EXPECT_EQ(renderer.viewBoxF().size(), QSizeF(c.logical)) << c.name;
        EXPECT_EQ(renderer.defaultSize(), c.logical) << c.name;
    }
}

TEST(PictureFiles, theListFilesAreNamedInIndexOrder)
{
    for (int i = 0; i < list::Count; ++i) {
        const QString name = listResourcePath(i).section(QLatin1Char('/'), -1);
        EXPECT_TRUE(name.startsWith(QStringLiteral("%1-").arg(i, 2, 10, QLatin1Char('0')))) << name;
    }
}

} // namespace
