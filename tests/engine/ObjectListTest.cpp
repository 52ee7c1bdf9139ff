#include "zp/ObjectList.h"

#include "support/ListEntries.h"

#include "zp/ObjectListIterator.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using zp::test::fakePointers;
using zp::test::walk;

TEST(ObjectList, FullAt4999Entries)
{
    zp::ObjectList list;
    const auto pointers = fakePointers(zp::MAX_OBJECTS);
    for (int i = 0; i < zp::MAX_OBJECTS - 1; ++i)
        ASSERT_EQ(list.insert(pointers[i]), 1) << i;
    EXPECT_TRUE(list.isFull());
    EXPECT_EQ(list.getCount(), 4999);
    EXPECT_EQ(list.insert(pointers.back()), 0);
    EXPECT_EQ(list.getCount(), 4999);
    EXPECT_EQ(list.remove(pointers.back()), 0);
    EXPECT_EQ(list.remove(pointers[0]), 1);
    EXPECT_FALSE(list.isFull());
    EXPECT_EQ(list.insert(pointers.back()), 1);
}

TEST(ObjectList, RemovalKeepsTheOrderOfTheRest)
{
    const auto p = fakePointers(4);
    const struct {
        zp::Object* removed;
        int result;
        std::vector<zp::Object*> rest;
    } cases[] = {
        {p[1], 1, {p[0], p[2]}},
        {p[0], 1, {p[1], p[2]}},
        {p[2], 1, {p[0], p[1]}},
        {p[3], 0, {p[0], p[1], p[2]}},
    };
    for (const auto& c : cases) {
        zp::ObjectList list;
        for (int i = 0; i < 3; ++i)
            list.insert(p[i]);
        EXPECT_EQ(list.remove(c.removed), c.result);
        EXPECT_EQ(walk(list), c.rest);
    }
}

TEST(ObjectList, RemoveTakesOnlyTheFirstOfDuplicates)
{
    const auto p = fakePointers(2);
    zp::ObjectList list;
    list.insert(p[0]);
    list.insert(p[1]);
    list.insert(p[0]);
    list.remove(p[0]);
    EXPECT_EQ(walk(list), (std::vector<zp::Object*>{p[1], p[0]}));
}

TEST(ObjectList, EmptyAndClear)
{
    const auto p = fakePointers(2);
    zp::ObjectList list;
    EXPECT_TRUE(list.isEmpty());
    EXPECT_TRUE(walk(list).empty());
    list.insert(p[0]);
    list.insert(p[1]);
    EXPECT_FALSE(list.isEmpty());
    list.clear();
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(list.getCount(), 0);
}

TEST(ObjectListIterator, WalkOverALiveListThatGrows)
{
    const auto p = fakePointers(4);
    zp::ObjectList list;
    list.insert(p[0]);
    list.insert(p[1]);
    std::vector<zp::Object*> seen;
    for (zp::ObjectListIterator it(&list); !it.isDone(); it.next()) {
        seen.push_back(it.currentObject());
        if (seen.size() == 1)
            list.insert(p[2]);
    }
    EXPECT_EQ(seen, (std::vector<zp::Object*>{p[0], p[1], p[2]}));
}

TEST(ObjectListIterator, RemovingAnEarlierEntrySkipsOne)
{
    const auto p = fakePointers(4);
    zp::ObjectList list;
    for (int i = 0; i < 4; ++i)
        list.insert(p[i]);
    std::vector<zp::Object*> seen;
    for (zp::ObjectListIterator it(&list); !it.isDone(); it.next()) {
        seen.push_back(it.currentObject());
        if (it.currentObject() == p[1])
            list.remove(p[0]);
    }
    EXPECT_EQ(seen, (std::vector<zp::Object*>{p[0], p[1], p[3]}));
}

TEST(ObjectListIterator, ShrinkingBelowThePositionEndsTheWalk)
{
    const auto p = fakePointers(3);
    zp::ObjectList list;
    for (int i = 0; i < 3; ++i)
        list.insert(p[i]);
    zp::ObjectListIterator it(&list);
    it.next();
    it.next();
    list.clear();
    EXPECT_TRUE(it.isDone());
    EXPECT_EQ(it.currentObject(), nullptr);
    it.next();
    EXPECT_TRUE(it.isDone());
    it.first();
    EXPECT_TRUE(it.isDone());
}

TEST(ObjectList, RangeForVisitsEveryEntryInOrder)
{
    zp::ObjectList list;
    const auto pointers = fakePointers(4);
    for (zp::Object* p_o : pointers)
        list.insert(p_o);
    list.remove(pointers[1]);

    std::vector<zp::Object*> visited;
    for (zp::Object* p_o : list)
        visited.push_back(p_o);
    EXPECT_EQ(visited, (std::vector<zp::Object*>{pointers[0], pointers[2], pointers[3]}));

    int entries = 0;
    for (zp::Object* p_o : zp::ObjectList()) {
        (void)p_o;
        ++entries;
    }
    EXPECT_EQ(entries, 0);
}

} // namespace
