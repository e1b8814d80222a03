#include <QtPrinters.h>
#include <gtest/gtest.h>
#include <model/Project.h>

namespace {

QList<int> numbers(const TProgList &list)
{
    QList<int> result;
    for (const auto &p : list)
        result << p->NumOfProg;
    return result;
}

TEST(ProgList, addingNumbersProgramsInOrder)
{
    TProgList list;
    EXPECT_EQ(list.LowestFreeNumber(), 1);
    for (int i = 0; i < 3; ++i)
        ASSERT_NE(list.Add(), nullptr);
    EXPECT_EQ(numbers(list), (QList<int>{1, 2, 3}));
}

TEST(ProgList, freedNumberIsReusedAndTheProgramGoesLast)
{
    TProgList list;
    list.Add();
    list.Add();
    list.Add();
    list.Delete(1);
    TVARNOProg *added = list.Add();
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->NumOfProg, 2);
    EXPECT_EQ(numbers(list), (QList<int>{1, 3, 2}));
    EXPECT_EQ(list.indexOf(added), 2);
}

TEST(ProgList, a256thProgramIsRefusedAndNothingChanges)
{
    TProgList list;
    for (int i = 0; i < 255; ++i)
        ASSERT_NE(list.Add(), nullptr) << i;
    EXPECT_TRUE(list.isFull());
    EXPECT_EQ(list.LowestFreeNumber(), 0);
    const TVARNOProg *last = &list.at(254);

    EXPECT_EQ(list.Add(), nullptr);
    EXPECT_EQ(list.count(), 255);
    EXPECT_EQ(&list.at(254), last);

    list.Delete(99); // program 100
    TVARNOProg *added = list.Add();
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->NumOfProg, 100);
    EXPECT_EQ(list.indexOf(added), 254);
}

TEST(ProgList, insertPutsACopyInItsPlaceAndRefusesAFullListOrABadPlace)
{
    TProgList list;
    list.Add();
    list.Add();
    TVARNOProg record;
    record.NumOfProg = 9;
    TVARNOProg *inserted = list.Insert(1, record);
    ASSERT_NE(inserted, nullptr);
    EXPECT_NE(inserted, &record);
    EXPECT_EQ(numbers(list), (QList<int>{1, 9, 2}));
    EXPECT_EQ(list.Insert(-1, record), nullptr);
    EXPECT_EQ(list.Insert(4, record), nullptr);
    EXPECT_NE(list.Insert(3, record), nullptr); // at the end
    while (!list.isFull())
        list.Add();
    EXPECT_EQ(list.Insert(0, record), nullptr);
    EXPECT_EQ(list.count(), TProgList::MaxPrograms);
}

TEST(ProgList, recordsKeepTheirAddressWhenOthersAreDeleted)
{
    TProgList list;
    list.Add();
    TVARNOProg *second = list.Add();
    list.Add();
    list.Delete(0);
    EXPECT_EQ(&list.at(0), second);
    EXPECT_EQ(list.indexOf(second), 0);
    EXPECT_EQ(list.indexOf(nullptr), -1);
}

TEST(ProgList, lowestFreeNumberIgnoresDuplicatesAndZero)
{
    TProgList list;
    list.Add()->NumOfProg = 3;
    list.Add()->NumOfProg = 3;
    list.Add()->NumOfProg = 0;
    EXPECT_EQ(list.LowestFreeNumber(), 1);
    EXPECT_TRUE(list.ProgramNumberExists(3));
    EXPECT_FALSE(list.ProgramNumberExists(2));
}

TEST(Project, clearLeavesAFreshNewProject)
{
    TProject project;
    project.Programs.Add();
    project.Group.Name = "Shop";
    project.Group.Author = "Someone";
    project.Group.Comments = QStringList{"a", "b"};
    project.Clear();
    EXPECT_TRUE(project.Programs.isEmpty());
    EXPECT_EQ(project.Group.Name, "New Project");
    for (const QString *field :
         {&project.Group.Subject, &project.Group.Author, &project.Group.Copyright,
          &project.Group.Customer, &project.Group.CreationDate, &project.Group.DiffusionDate})
        EXPECT_TRUE(field->isEmpty());
    EXPECT_EQ(project.Group.Comments, QStringList{"..."});
}

TEST(Project, bareGroupStartsWithEmptyName)
{
    TVARNOGroup group;
    EXPECT_TRUE(group.Name.isEmpty());
    EXPECT_EQ(group.Comments, QStringList{"..."});
}

} // namespace
