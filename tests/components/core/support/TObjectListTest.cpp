#include "support/TObjectList.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Records the order in which items are freed.
class Counted
{
public:
    Counted(std::vector<int>& freed, int id)
        : m_freed(freed)
        , m_id(id)
    {}
    virtual ~Counted() { m_freed.push_back(m_id); }
    int Id() const { return m_id; }

private:
    std::vector<int>& m_freed;
    int m_id;
};

class TObjectListTest : public ::testing::Test
{
protected:
    Counted* Make(int id) { return new Counted(freed, id); }
    std::vector<int> freed;
};

TEST_F(TObjectListTest, AddReturnsTheNewIndex)
{
    TObjectList<Counted> list;
    EXPECT_TRUE(list.OwnsObjects());
    EXPECT_EQ(list.Add(Make(1)), 0);
    EXPECT_EQ(list.Add(Make(2)), 1);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetItem(1)->Id(), 2);
}

TEST_F(TObjectListTest, DestructorFreesItemsLastFirst)
{
    {
        TObjectList<Counted> list;
        list.Add(Make(1));
        list.Add(Make(2));
        list.Add(Make(3));
    }
    EXPECT_EQ(freed, (std::vector<int>{3, 2, 1}));
}

TEST_F(TObjectListTest, ClearFreesItemsLastFirstAndEmpties)
{
    TObjectList<Counted> list;
    list.Add(Make(1));
    list.Add(Make(2));
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(freed, (std::vector<int>{2, 1}));
}

TEST_F(TObjectListTest, DeleteFreesOnlyThatItem)
{
    TObjectList<Counted> list;
    list.Add(Make(1));
    list.Add(Make(2));
    list.Add(Make(3));
    list.Delete(1);
    EXPECT_EQ(freed, (std::vector<int>{2}));
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetItem(1)->Id(), 3);
}

TEST_F(TObjectListTest, SetItemFreesTheOldItemUnlessItIsTheSame)
{
    TObjectList<Counted> list;
    Counted* first = Make(1);
    list.Add(first);
    list.SetItem(0, first);
    EXPECT_TRUE(freed.empty());
    list.SetItem(0, Make(2));
    EXPECT_EQ(freed, (std::vector<int>{1}));
    EXPECT_EQ(list.GetItem(0)->Id(), 2);
}

TEST_F(TObjectListTest, InsertIndexOfAndExtract)
{
    TObjectList<Counted> list;
    Counted* a = Make(1);
    Counted* b = Make(2);
    list.Add(a);
    list.Insert(0, b);
    list.Insert(2, Make(3)); // at the count: appends
    EXPECT_EQ(list.IndexOf(b), 0);
    EXPECT_EQ(list.IndexOf(a), 1);
    EXPECT_EQ(list.IndexOf(nullptr), -1);
    Counted* taken = list.Extract(0);
    EXPECT_EQ(taken, b);
    EXPECT_TRUE(freed.empty());
    delete taken;
}

TEST_F(TObjectListTest, NotOwningFreesNothing)
{
    Counted a(freed, 1);
    Counted b(freed, 2);
    {
        TObjectList<Counted> list;
        list.SetOwnsObjects(false);
        list.Add(&a);
        list.Add(&b);
        list.Delete(0);
        list.SetItem(0, &a);
        list.Clear();
        list.Add(&b);
    }
    EXPECT_TRUE(freed.empty());
}

TEST_F(TObjectListTest, IndexErrorsRaiseListErrorAndChangeNothing)
{
    TObjectList<Counted> list;
    list.Add(Make(1));
    EXPECT_THROW(list.GetItem(1), EListError);
    EXPECT_THROW(list.GetItem(-1), EListError);
    EXPECT_THROW(list.Delete(1), EListError);
    EXPECT_THROW(list.Insert(2, nullptr), EListError);
    EXPECT_THROW(list.SetItem(5, nullptr), EListError);
    try {
        list.GetItem(7);
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (7)");
    }
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_TRUE(freed.empty());
}

TEST_F(TObjectListTest, NullEntriesAreAllowed)
{
    TObjectList<Counted> list;
    list.Add(nullptr);
    list.Add(Make(1));
    EXPECT_EQ(list.IndexOf(nullptr), 0);
    list.Clear();
    EXPECT_EQ(freed, (std::vector<int>{1}));
}

TEST_F(TObjectListTest, FreeListWithItems)
{
    FreeListWithItems<Counted>(nullptr);
    auto* list = new std::vector<Counted*>{Make(1), Make(2), Make(3)};
    FreeListWithItems(list);
    EXPECT_EQ(freed, (std::vector<int>{3, 2, 1}));
}

} // namespace
