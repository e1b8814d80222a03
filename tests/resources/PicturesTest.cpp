#include "PictureCases.h"

#include <QtPrinters.h>
#include <gtest/gtest.h>
#include <map>

namespace {

using namespace pictures;

int opaqueCount(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128)
                ++count;
    return count;
}

bool allTransparent(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return false;
    return true;
}

bool isRed(QRgb c)
{
    return qAlpha(c) > 200 && qRed(c) > 150 && qGreen(c) < 100 && qBlue(c) < 110;
}

bool isGreen(QRgb c)
{
    return qAlpha(c) > 200 && qGreen(c) > 110 && qRed(c) < 100 && qBlue(c) < 120;
}

int countWhere(const QImage &image, bool (*pred)(QRgb))
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (pred(image.pixel(x, y)))
                ++count;
    return count;
}

// --- Every picture --------------------------------------------------------------

class EveryPicture : public ::testing::TestWithParam<PictureCase>
{
};

TEST_P(EveryPicture, rendersAtItsLogicalSizeAtRatio1)
{
    const PictureCase &c = GetParam();
    const QPixmap p = c.render(1.0);
    ASSERT_FALSE(p.isNull()) << c.path;
    EXPECT_EQ(p.size(), c.logical);
    EXPECT_EQ(p.deviceIndependentSize().toSize(), c.logical);
    EXPECT_DOUBLE_EQ(p.devicePixelRatio(), 1.0);
}

TEST_P(EveryPicture, rendersTwiceTheDevicePixelsAtRatio2)
{
    const PictureCase &c = GetParam();
    const QPixmap p = c.render(2.0);
    ASSERT_FALSE(p.isNull()) << c.path;
    EXPECT_EQ(p.size(), c.logical * 2);
    EXPECT_EQ(p.deviceIndependentSize().toSize(), c.logical);
    EXPECT_DOUBLE_EQ(p.devicePixelRatio(), 2.0);
}

TEST_P(EveryPicture, aFractionalRatioRoundsTheDeviceSize)
{
    const PictureCase &c = GetParam();
    const QPixmap p = c.render(1.5);
    ASSERT_FALSE(p.isNull());
    EXPECT_EQ(p.size(), QSize(qRound(c.logical.width() * 1.5), qRound(c.logical.height() * 1.5)));
    EXPECT_DOUBLE_EQ(p.devicePixelRatio(), 1.5);
}

TEST_P(EveryPicture, theSecondRequestReturnsTheCachedPixmap)
{
    const PictureCase &c = GetParam();
    const QPixmap first = c.render(2.0);
    const QPixmap second = c.render(2.0);
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.cacheKey(), second.cacheKey());
    EXPECT_NE(c.render(1.0).cacheKey(), first.cacheKey());
}

TEST_P(EveryPicture, theTwoRatiosShowTheSameDrawing)
{
    // The 2x picture scaled down to 1x differs from the 1x picture only by
    // anti-aliasing, never by a missing or moved shape.
    const PictureCase &c = GetParam();
    const QImage one = pixels(c.render(1.0));
    const QImage two =
        pixels(c.render(2.0)).scaled(c.logical, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    ASSERT_EQ(one.size(), two.size());
    int far = 0;
    for (int y = 0; y < one.height(); ++y)
        for (int x = 0; x < one.width(); ++x)
            if (qAbs(qAlpha(one.pixel(x, y)) - qAlpha(two.pixel(x, y))) > 160)
                ++far;
    EXPECT_LE(far, one.width() * one.height() / 50) << c.path;
}

INSTANTIATE_TEST_SUITE_P(Pictures, EveryPicture, ::testing::ValuesIn(allPictureCases()),
                         [](const auto &info) { return info.param.name; });

std::vector<PictureCase> casesWhere(bool empty)
{
    std::vector<PictureCase> result;
    for (const PictureCase &c : allPictureCases())
        if (c.empty == empty)
            result.push_back(c);
    return result;
}

class DrawnPicture : public ::testing::TestWithParam<PictureCase>
{
};

TEST_P(DrawnPicture, hasInkAndTransparentCorners)
{
    const PictureCase &c = GetParam();
    for (qreal ratio : {1.0, 2.0}) {
        const QImage image = pixels(c.render(ratio));
        ASSERT_FALSE(image.isNull());
        const int area = image.width() * image.height();
        // At least 3% of the area, so a picture is more than a stray pixel.
        EXPECT_GT(opaqueCount(image), area * 3 / 100) << c.path << " at " << ratio;
        const int r = image.width() - 1;
        const int b = image.height() - 1;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << c.path << " at " << ratio;
        EXPECT_EQ(qAlpha(image.pixel(r, 0)), 0) << c.path << " at " << ratio;
        EXPECT_EQ(qAlpha(image.pixel(0, b)), 0) << c.path << " at " << ratio;
        EXPECT_EQ(qAlpha(image.pixel(r, b)), 0) << c.path << " at " << ratio;
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, DrawnPicture, ::testing::ValuesIn(casesWhere(false)),
                         [](const auto &info) { return info.param.name; });

class EmptyPicture : public ::testing::TestWithParam<PictureCase>
{
};

TEST_P(EmptyPicture, isFullyTransparent)
{
    const PictureCase &c = GetParam();
    for (qreal ratio : {1.0, 2.0})
        EXPECT_TRUE(allTransparent(pixels(c.render(ratio)))) << c.path << " at " << ratio;
}

INSTANTIATE_TEST_SUITE_P(Pictures, EmptyPicture, ::testing::ValuesIn(casesWhere(true)),
                         [](const auto &info) { return info.param.name; });

TEST(Pictures, theBlankListPictureAndTheSpacerAreTheOnlyEmptyOnes)
{
    std::vector<std::string> names;
    for (const PictureCase &c : casesWhere(true))
        names.push_back(c.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Toolbar_Spacer", "List_9"}));
    EXPECT_EQ(pictures::list::Blank, 9);
}

// --- Distinct drawings ------------------------------------------------------------

TEST(ListPictures, noTwoIndexesShowTheSameDrawing)
{
    std::vector<QImage> images;
    for (int i = 0; i < list::Count; ++i)
        images.push_back(pixels(listPixmap(i, 1.0)));
    for (int i = 0; i < list::Count; ++i)
        for (int j = i + 1; j < list::Count; ++j)
            EXPECT_NE(images[i], images[j]) << "list pictures " << i << " and " << j;
}

TEST(Pictures, noTwoRolesShowTheSameDrawingExceptTheCompactTimer)
{
    // The compact row shows the timer header's drawing; every other role has its own.
    std::vector<PictureCase> cases = allPictureCases();
    std::map<std::string, QImage> images;
    for (const PictureCase &c : cases)
        images[c.name] = pixels(c.render(1.0));
    EXPECT_EQ(images["Panel_CompactTimer"], images["Panel_TimerHeader"]);
    for (std::size_t i = 0; i < cases.size(); ++i)
        for (std::size_t j = i + 1; j < cases.size(); ++j) {
            const std::string &a = cases[i].name;
            const std::string &b = cases[j].name;
            if (a == "Panel_TimerHeader" && b == "Panel_CompactTimer")
                continue;
            if (cases[i].logical != cases[j].logical)
                continue;
            EXPECT_NE(images[a], images[b]) << a << " and " << b;
        }
}

// --- What the drawings mean ---------------------------------------------------------

TEST(StatePictures, selectedIsARedTickAndOnIsAGreenTick)
{
    const QImage selected = pixels(pixmap(StatePicture::Selected, 2.0));
    const QImage on = pixels(pixmap(StatePicture::On, 2.0));
    EXPECT_GT(countWhere(selected, isRed), 40);
    EXPECT_EQ(countWhere(selected, isGreen), 0);
    EXPECT_GT(countWhere(on, isGreen), 40);
    EXPECT_EQ(countWhere(on, isRed), 0);
}

TEST(StatePictures, emptyBoxesHaveALightCentreAndTheSetBitADarkDot)
{
    auto centre = [](StatePicture p) {
        const QImage image = pixels(pixmap(p, 1.0));
        return image.pixel(image.width() / 2, image.height() / 2);
    };
    for (StatePicture p : {StatePicture::NotSelected, StatePicture::InputBit0}) {
        const QRgb c = centre(p);
        EXPECT_EQ(qAlpha(c), 255);
        EXPECT_GT(qGray(c), 220);
    }
    const QRgb dot = centre(StatePicture::InputBit1);
    EXPECT_EQ(qAlpha(dot), 255);
    EXPECT_LT(qGray(dot), 160);
}

TEST(StatePictures, theBitZeroBoxIsLighterThanTheNotSelectedBox)
{
    // Same box, but the outline of the bit-0 picture is light.
    auto darkCount = [](StatePicture p) {
        return countWhere(pixels(pixmap(p, 1.0)),
                          [](QRgb c) { return qAlpha(c) > 200 && qGray(c) < 120; });
    };
    EXPECT_GT(darkCount(StatePicture::NotSelected), 40);
    EXPECT_EQ(darkCount(StatePicture::InputBit0), 0);
}

TEST(ListPictures, theProgramNumberIsARedDiamond)
{
    const QImage image = pixels(listPixmap(list::ProgramNumber, 2.0));
    const int c = image.width() / 2;
    EXPECT_TRUE(isRed(image.pixel(c, c)));
    // A diamond: the middle of each edge is transparent, the tips on the axes are not.
    EXPECT_EQ(qAlpha(image.pixel(image.width() / 4 - 2, image.height() / 4 - 2)), 0);
    EXPECT_GT(qAlpha(image.pixel(c, 4)), 128);
    EXPECT_GT(qAlpha(image.pixel(4, c)), 128);
    EXPECT_GT(countWhere(pixels(listPixmap(list::GoToProgram, 2.0)), isRed), 10);
}

int firstInkRow(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128)
                return y;
    return -1;
}

int inkWidth(const QImage &image, int y)
{
    int width = 0;
    for (int x = 0; x < image.width(); ++x)
        if (qAlpha(image.pixel(x, y)) > 128)
            ++width;
    return width;
}

int lastInkRow(const QImage &image)
{
    for (int y = image.height() - 1; y >= 0; --y)
        if (inkWidth(image, y) > 0)
            return y;
    return -1;
}

TEST(FoldGlyphs, reducePointsUpAndExpandPointsDown)
{
    const QImage reduce = pixels(pixmap(FoldGlyph::Reduce, 2.0));
    const QImage expand = pixels(pixmap(FoldGlyph::Expand, 2.0));
    ASSERT_GE(firstInkRow(reduce), 0);
    ASSERT_GE(firstInkRow(expand), 0);
    EXPECT_LT(inkWidth(reduce, firstInkRow(reduce)), inkWidth(reduce, lastInkRow(reduce)));
    EXPECT_GT(inkWidth(expand, firstInkRow(expand)), inkWidth(expand, lastInkRow(expand)));
}

// --- Icons ----------------------------------------------------------------------------

void expectIconHolds(const QIcon &icon, QSize logical, const QPixmap &one, const QPixmap &two)
{
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_TRUE(sizes.contains(logical));
    EXPECT_TRUE(sizes.contains(logical * 2));
    const QPixmap at1 = icon.pixmap(logical, 1.0);
    const QPixmap at2 = icon.pixmap(logical, 2.0);
    EXPECT_EQ(at1.size(), logical);
    EXPECT_EQ(at2.size(), logical * 2);
    EXPECT_EQ(pixels(at1), pixels(one));
    EXPECT_EQ(pixels(at2), pixels(two));
}

TEST(Icons, everyListIconHoldsThe1xAnd2xPictures)
{
    for (int i = 0; i < list::Count; ++i) {
        SCOPED_TRACE(i);
        expectIconHolds(listIcon(i), listPictureSize(), listPixmap(i, 1.0), listPixmap(i, 2.0));
    }
}

TEST(Icons, everyToolbarIconHoldsThe1xAnd2xPictures)
{
    for (int i = 0; i < ToolbarPictureCount; ++i) {
        const auto p = static_cast<ToolbarPicture>(i);
        SCOPED_TRACE(i);
        expectIconHolds(toolbarIcon(p), logicalSize(p), pixmap(p, 1.0), pixmap(p, 2.0));
    }
}

TEST(Icons, foldIconsHoldThe1xAnd2xPictures)
{
    for (FoldGlyph g : {FoldGlyph::Reduce, FoldGlyph::Expand})
        expectIconHolds(foldIcon(g), logicalSize(g), pixmap(g, 1.0), pixmap(g, 2.0));
}

TEST(Icons, theApplicationIconComesInTheUsualSizes)
{
    const QIcon icon = applicationIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
    EXPECT_EQ(logicalSize(BrandPicture::ApplicationIcon).width(),
              logicalSize(BrandPicture::ApplicationIcon).height());
    const QImage small = pixels(icon.pixmap(QSize(16, 16), 1.0));
    EXPECT_GT(opaqueCount(small), 16 * 16 / 2);
}

// --- Sizes and bad requests -------------------------------------------------------------

TEST(Pictures, theLogicalSizesTheWindowsLayOut)
{
    EXPECT_EQ(logicalSize(StatePicture::On), QSize(32, 32));
    EXPECT_EQ(logicalSize(PanelIcon::ActionRow), QSize(32, 32));
    EXPECT_EQ(listPictureSize(), QSize(16, 16));
    EXPECT_EQ(logicalSize(ToolbarPicture::Transmit), QSize(40, 40));
    EXPECT_EQ(logicalSize(ToolbarPicture::Spacer), QSize(40, 40));
    EXPECT_EQ(logicalSize(ToolbarPicture::WebAddress), QSize(208, 40));
    EXPECT_EQ(logicalSize(FoldGlyph::Expand), QSize(27, 17));
    EXPECT_EQ(logicalSize(BrandPicture::MakerLogo), QSize(128, 54));
}

TEST(Pictures, anIndexOutsideTheListGivesNothing)
{
    for (int i : {-1, list::Count, 1000}) {
        EXPECT_TRUE(listPixmap(i, 1.0).isNull()) << i;
        EXPECT_TRUE(listIcon(i).isNull()) << i;
        EXPECT_TRUE(listResourcePath(i).isEmpty()) << i;
    }
}

TEST(Pictures, aRatioBelowOneTenthGivesNothing)
{
    EXPECT_TRUE(pixmap(StatePicture::On, 0.0).isNull());
    EXPECT_TRUE(pixmap(StatePicture::On, -1.0).isNull());
    EXPECT_TRUE(listPixmap(list::Play, 0.05).isNull());
}

TEST(Pictures, aFileThatIsNoPictureGivesNothing)
{
    EXPECT_TRUE(
        renderSvg(resourceRoot() + QStringLiteral("/no-such.svg"), QSize(16, 16), 1.0).isNull());
    EXPECT_TRUE(renderSvg(QString(), QSize(16, 16), 1.0).isNull());
    EXPECT_TRUE(renderSvg(listResourcePath(list::Play), QSize(0, 16), 1.0).isNull());
}

} // namespace
