#include <QtPrinters.h>
#include <gtest/gtest.h>
#include <model/HeldProject.h>

namespace {

using varno::actions::NormalizeActions;

TVARNOProg withKinds(std::array<quint8, 6> kinds)
{
    TVARNOProg p;
    p.ActionKind = kinds;
    return p;
}

TEST(NormalizeActions, emptiesEverySlotAfterTheFirstListEndingOne)
{
    TVARNOProg p = withKinds({0, 8, 0, 4, 6, 2});
    p.ActionNumber = {1, 9, 3, 4, 5, 6};
    p.ActionValue = {7, 7, 7, 7, 7, 7};
    p.ActionCount = 4;
    NormalizeActions(p);
    EXPECT_EQ(p.ActionKind, (std::array<quint8, 6>{0, 8, 1, 1, 1, 1}));
    EXPECT_EQ(p.ActionNumber, (std::array<quint8, 6>{1, 9, 0, 0, 0, 0}));
    EXPECT_EQ(p.ActionValue, (std::array<quint8, 6>{255, 255, 255, 255, 255, 255}));
    EXPECT_EQ(p.ActionCount, 4); // left alone
}

TEST(NormalizeActions, externalOutputsKeepTheirValue)
{
    TVARNOProg p = withKinds({6, 0, 6, 3, 0, 6});
    p.ActionValue = {10, 20, 30, 40, 50, 60};
    NormalizeActions(p);
    EXPECT_EQ(p.ActionValue, (std::array<quint8, 6>{10, 255, 30, 255, 255, 60}));
    EXPECT_EQ(p.ActionKind, (std::array<quint8, 6>{6, 0, 6, 3, 0, 6}));
}

} // namespace
