#include <QtPrinters.h>
#include <editor/ActionRules.h>
#include <gtest/gtest.h>
#include <model/ProjectClasses.h>

namespace {

using namespace varno::actions;

TVARNOProg withKinds(std::array<quint8, 6> kinds)
{
    TVARNOProg p;
    p.ActionKind = kinds;
    return p;
}

TEST(CountActions, runOfNonEndingKindsFromSlotTwo)
{
    EXPECT_EQ(CountActions(withKinds({0, 0, 0, 0, 0, 0})), 6);
    EXPECT_EQ(CountActions(withKinds({0, 4, 1, 1, 1, 1})), 2);
    EXPECT_EQ(CountActions(withKinds({0, 4, 5, 8, 0, 0})), 3); // the go-to is not counted
    // Slot 1 is never examined: a list-ending kind there still counts 1 + run.
    EXPECT_EQ(CountActions(withKinds({8, 0, 0, 1, 1, 1})), 3);
    // A timer file chosen over [timer, directory F005] counts 1: the directory
    // in slot 2 ends the run although it is a real action.
    TVARNOProg p = withKinds({0, 1, 1, 1, 1, 1});
    p.ActionNumber[1] = 5;
    EXPECT_EQ(CountActions(p), 1);
    EXPECT_EQ(CountActions(withKinds({0, 11, 0, 0, 0, 0})), 1);
    EXPECT_EQ(CountActions(withKinds({0, 2, 0, 0, 0, 0})), 1);
    EXPECT_EQ(CountActions(withKinds({0, 7, 9, 10, 13, 15})), 6); // unknown kinds do not end
}

} // namespace
