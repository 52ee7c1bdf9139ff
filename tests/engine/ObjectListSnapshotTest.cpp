// Copies of an object list are snapshots: whatever happens to the list or the
// copy afterwards, the other keeps what it held, capacity included.
#include "support/ListEntries.h"

#include "zp/Object.h"
#include "zp/ObjectList.h"
#include "zp/ObjectListIterator.h"
#include "zp/WorldManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using zp::test::fakePointers;
using zp::test::walk;

TEST(ObjectListSnapshot, ChangesOnEitherSideLeaveTheOtherAsItWas)
{
    const auto p = fakePointers(5);
    const std::vector<zp::Object*> before{p[0], p[1], p[2]};
    const struct {
        const char* what;
        std::function<void(zp::ObjectList&)> change;
    } changes[] = {
        {"insert", [&](zp::ObjectList& l) { l.insert(p[3]); }},
        {"remove", [&](zp::ObjectList& l) { l.remove(p[1]); }},
        {"clear", [&](zp::ObjectList& l) { l.clear(); }},
        {"assign", [&](zp::ObjectList& l) { l = zp::ObjectList(); }},
    };
    for (const auto& c : changes) {
        zp::ObjectList original;
        for (zp::Object* p_o : before)
            original.insert(p_o);

        zp::ObjectList copy = original;
        c.change(original);
        EXPECT_EQ(walk(copy), before) << "original changed by " << c.what;

        zp::ObjectList assigned;
        assigned.insert(p[4]);
        assigned = copy;
        c.change(copy);
        EXPECT_EQ(walk(assigned), before) << "copy changed by " << c.what;
    }
}

TEST(ObjectListSnapshot, ACopyOfAFullListIsFullAndEmptiesApart)
{
    const auto p = fakePointers(zp::MAX_OBJECTS);
    zp::ObjectList full;
    for (int i = 0; i < zp::MAX_OBJECTS - 1; ++i)
        full.insert(p[std::size_t(i)]);
    zp::ObjectList copy = full;
    EXPECT_TRUE(copy.isFull());
    EXPECT_EQ(copy.insert(p.back()), 0);
    EXPECT_EQ(copy.getCount(), zp::MAX_OBJECTS - 1);

    full.clear();
    EXPECT_TRUE(copy.isFull());
    EXPECT_EQ(walk(copy).back(), p[zp::MAX_OBJECTS - 2]);
    EXPECT_EQ(copy.remove(p[0]), 1);
    EXPECT_EQ(copy.insert(p.back()), 1);
    EXPECT_EQ(walk(copy).back(), p.back());
}

TEST(ObjectListSnapshot, TheWorldsListHandedOutIsACopy)
{
    zp::WorldManager& world = zp::WorldManager::getInstance();
    world.startUp();
    zp::Object* p_first = new zp::Object;
    zp::ObjectList all = world.getAllObjects();
    zp::Object* p_second = new zp::Object;
    EXPECT_EQ(walk(all), std::vector<zp::Object*>{p_first});
    all.remove(p_first);
    EXPECT_EQ(walk(world.getAllObjects()), (std::vector<zp::Object*>{p_first, p_second}));
    world.shutDown();
}

} // namespace
