// The world finds collisions and objects in range through a spatial index.
// These tests hold it to a plain scan of every object (LinearScanWorld):
// random worlds played once by the world and once by the scan must tell the
// same story, event for event; and the odd boxes and places are pinned down
// case by case.
#include "reference/LinearScanWorld.h"
#include "support/SeededRandom.h"

#include "zp/EventCollision.h"
#include "zp/EventOut.h"
#include "zp/Object.h"
#include "zp/ObjectListIterator.h"
#include "zp/Sprite.h"
#include "zp/WorldManager.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using zp::Box;
using zp::Position;

std::vector<zp::Object*> entriesOf(const zp::ObjectList& list)
{
    std::vector<zp::Object*> entries;
    for (zp::ObjectListIterator it(&list); !it.isDone(); it.next())
        entries.push_back(it.currentObject());
    return entries;
}

using Random = zp::test::SeededRandom;

// ---------------------------------------------------------------------------
// Random worlds, played by the world and by the scan.

enum class Runner { WORLD, SCAN };

class Scenario;

// An object that writes down every event it receives and sometimes reacts
// by changing the world, as game objects do.
class Actor : public zp::Object {
public:
    Actor(Scenario& owner, bool is_pinned);
    ~Actor() override;
    int eventHandler(const zp::Event* p_e) override;

    Scenario& scenario;
    const int label;
    // Stands at the edge of the coordinate range: never moved or resized.
    const bool pinned;
    // Extra entries of this object in the world's list.
    int extra_entries = 0;
    bool marked = false;
};

const char* const TYPES[] = {"Enemy", "Turret", "Block"};
const float SPEEDS[] = {0.f, 0.25f, -0.25f, 0.5f, -0.5f, 1.f, -1.f, 1.5f, -1.5f, 2.f, -2.f, 3.f, -3.f};

// One random world: its objects, and the story of its updates as text.
class Scenario {
public:
    Scenario(std::uint64_t seed, Runner world_runner) : random(seed), runner(world_runner)
    {
        world.startUp();
        for (int i = 0; i < SPRITE_COUNT; ++i) {
            sprites.push_back(std::make_unique<zp::Sprite>(1));
            sprites.back()->setWidth(random.between(0, 12));
            sprites.back()->setHeight(random.between(0, 6));
        }
        width = random.pick(WIDTHS);
        height = width * 3 / 10;
        // The narrowest board is a crowd where every object touches most
        // others: fewer of them, and fewer reactions, keep the story short.
        const bool crowd = width == WIDTHS[0];
        updates = crowd ? CROWD_UPDATES : UPDATES;
        react_percent = crowd ? random.between(0, 1) : random.between(2, 12);
        const int count = crowd ? random.between(34, 50) : random.between(5, 260);
        for (int i = 0; i < count; ++i)
            spawn(Position(width / 2, height / 2));
        if (random.chance(40))
            for (int i = random.between(1, 6); i > 0; --i)
                spawnPinned();
    }

    ~Scenario()
    {
        recording = false;
        for (Actor* p_actor : actors)
            while (p_actor != nullptr && p_actor->extra_entries > 0) {
                world.removeObject(p_actor);
                --p_actor->extra_entries;
            }
        world.shutDown();
        world.startUp();
    }

    std::vector<std::string> play()
    {
        for (int update = 0; update < updates; ++update) {
            for (int actions = random.between(0, 4); actions > 0; --actions)
                act(randomActor(), /*during_walk=*/false);
            if (runner == Runner::WORLD)
                world.update();
            else
                scan.update();
            record("positions after update " + std::to_string(update) + ":" + positions());
        }
        return story;
    }

    void record(const std::string& line)
    {
        if (recording)
            story.push_back(line);
    }

    static std::string name(const zp::Object* p_o)
    {
        const auto* p_actor = dynamic_cast<const Actor*>(p_o);
        return p_actor == nullptr ? "?" : "#" + std::to_string(p_actor->label);
    }

    static std::string text(Position pos)
    {
        return "(" + std::to_string(pos.getX()) + "," + std::to_string(pos.getY()) + ")";
    }

    int enter(Actor* p_actor)
    {
        actors.push_back(p_actor);
        return int(actors.size()) - 1;
    }

    void leave(Actor* p_actor)
    {
        actors[std::size_t(p_actor->label)] = nullptr;
        record("deleted " + name(p_actor));
    }

    void react(Actor& self)
    {
        if (random.chance(react_percent))
            act(&self, /*during_walk=*/true);
    }

private:
    static constexpr int SPRITE_COUNT = 4;
    static constexpr int UPDATES = 30;
    static constexpr int CROWD_UPDATES = 8;
    static constexpr int WIDTHS[] = {6, 20, 40, 80, 160, 320};
    static constexpr int FAR = 100000000;

    Actor* randomActor()
    {
        for (int tries = 0; tries < 8 && !actors.empty(); ++tries)
            if (Actor* p_actor = actors[std::size_t(random.between(0, int(actors.size()) - 1))])
                return p_actor;
        return nullptr;
    }

    // Mostly on or near the board, sometimes far off it.
    Position randomPlace(Position near)
    {
        const int kind = random.between(0, 99);
        if (kind < 70)
            return Position(random.between(-3, width + 3), random.between(-3, height + 3));
        if (kind < 90)
            return Position(near.getX() + random.between(-6, 6), near.getY() + random.between(-4, 4));
        return Position(random.between(-FAR, FAR), random.between(-FAR, FAR));
    }

    // The game's small boxes mostly; some empty, offset, large, huge or
    // with negative sizes.
    Box randomBox()
    {
        const int kind = random.between(0, 99);
        if (kind < 65)
            return Box(Position(0, 0), random.between(1, 5), random.between(1, 3));
        if (kind < 77)
            return Box(Position(random.between(-2, 2), random.between(-2, 2)), random.between(0, 5),
                       random.between(0, 3));
        if (kind < 85)
            return Box(Position(0, 0), 0, 0);
        if (kind < 93)
            return Box(Position(0, 0), random.between(10, 120), random.between(5, 40));
        if (kind < 97)
            return Box(Position(random.between(-5, 0), 0), random.between(1000000, 1000000000),
                       random.between(1, FAR));
        return Box(Position(0, 0), random.between(-4, 3), random.between(-3, -1));
    }

    zp::Solidness randomSolidness()
    {
        const int kind = random.between(0, 99);
        return kind < 45 ? zp::HARD : kind < 80 ? zp::SOFT : zp::SPECTRAL;
    }

    void randomVelocity(Actor* p_actor)
    {
        p_actor->setXVelocity(random.pick(SPEEDS));
        p_actor->setYVelocity(random.pick(SPEEDS));
    }

    Actor* spawn(Position near)
    {
        auto* p_actor = new Actor(*this, false);
        p_actor->setType(random.pick(TYPES));
        p_actor->setPosition(randomPlace(near));
        p_actor->setBox(randomBox());
        p_actor->setSolidness(randomSolidness());
        if (random.chance(35))
            randomVelocity(p_actor);
        return p_actor;
    }

    // Objects in a corner of the coordinate range, whose boxes end exactly
    // at its edge at most. Their types keep range queries among neighbours.
    void spawnPinned()
    {
        const bool high = random.chance(50);
        auto* p_actor = new Actor(*this, true);
        p_actor->setType(high ? "FarHigh" : "FarLow");
        const int h = random.between(0, 5);
        const int v = random.between(0, 3);
        p_actor->setBox(Box(Position(0, 0), h, v));
        if (high)
            p_actor->setPosition(
                Position(INT_MAX - h - random.between(0, 20), INT_MAX - v - random.between(0, 20)));
        else
            p_actor->setPosition(Position(INT_MIN + random.between(0, 20), INT_MIN + random.between(0, 20)));
        p_actor->setSolidness(randomSolidness());
    }

    void markForDelete(Actor* p_actor)
    {
        // An object in the list twice cannot be deleted safely by either.
        if (p_actor->extra_entries > 0)
            return;
        p_actor->marked = true;
        if (runner == Runner::WORLD)
            world.markForDelete(p_actor);
        else
            scan.markForDelete(p_actor);
    }

    void queryCollisions(Actor* p_actor, Position where)
    {
        const zp::ObjectList hits = runner == Runner::WORLD ? world.getCollisions(p_actor, where)
                                                            : scan.getCollisions(p_actor, where);
        std::string line = "collisions of " + name(p_actor) + " at " + text(where) + ":";
        for (zp::Object* p_hit : entriesOf(hits))
            line += " " + name(p_hit);
        record(line);
    }

    void queryRange(Actor* p_centre)
    {
        const int radius = random.chance(10) ? random.between(-2, 400) : random.between(0, 30);
        std::string type = p_centre->pinned ? p_centre->getType() : random.pick(TYPES);
        const auto p_found = runner == Runner::WORLD ? world.getObjectsInRange(*p_centre, radius, type)
                                                     : scan.getObjectsInRange(*p_centre, radius, type);
        std::string line = "in range " + std::to_string(radius) + " of " + name(p_centre) + " " + type + ":";
        for (zp::Object* p_found_o : entriesOf(*p_found))
            line += " " + name(p_found_o);
        record(line);
    }

    // One random change or query, as a handler or the game between updates
    // would make it.
    void act(Actor* p_self, bool during_walk)
    {
        if (p_self == nullptr)
            return;
        Actor* p_other = randomActor();
        if (p_other == nullptr)
            p_other = p_self;
        // Nothing but pinned objects goes near the edge of the range.
        const Position here = p_self->pinned ? Position(width / 2, height / 2) : p_self->getPosition();
        switch (random.between(0, 12)) {
        case 0:
            spawn(here);
            break;
        case 1:
            markForDelete(p_self);
            break;
        case 2:
            markForDelete(p_other);
            break;
        case 3:
            if (!p_other->pinned)
                p_other->setPosition(randomPlace(here));
            break;
        case 4:
            if (!p_self->pinned)
                p_self->setBox(randomBox());
            break;
        case 5:
            p_other->setSolidness(randomSolidness());
            break;
        case 6:
            if (!p_self->pinned)
                randomVelocity(p_self);
            break;
        case 7:
            queryCollisions(p_self, p_self->pinned ? p_self->getPosition() : randomPlace(here));
            break;
        case 8:
            queryRange(p_self);
            break;
        case 9:
            if (!p_self->pinned)
                p_self->setSprite(sprites[std::size_t(random.between(0, SPRITE_COUNT - 1))].get());
            break;
        case 10:
            // Outside the walk only: a removal would shift the list under it.
            if (!during_walk && !p_other->pinned) {
                const Position where = randomPlace(here);
                const int result = runner == Runner::WORLD ? world.moveObject(p_other, where)
                                                           : scan.moveObject(p_other, where);
                record("move " + name(p_other) + " to " + text(where) + ": " + std::to_string(result));
            }
            break;
        case 11:
            if (!during_walk && !p_other->marked && random.chance(30)) {
                world.insertObject(p_other);
                ++p_other->extra_entries;
                record("again in the list: " + name(p_other));
            }
            break;
        default:
            if (!during_walk && p_other->extra_entries > 0) {
                world.removeObject(p_other);
                --p_other->extra_entries;
                record("one entry out of the list: " + name(p_other));
            }
            break;
        }
    }

    std::string positions() const
    {
        std::string line;
        for (const Actor* p_actor : actors)
            if (p_actor != nullptr)
                line += " " + name(p_actor) + text(p_actor->getPosition());
        return line;
    }

    zp::WorldManager& world = zp::WorldManager::getInstance();
    zp::reference::LinearScanWorld scan;
    Random random;
    Runner runner;
    int width = 80;
    int height = 24;
    int react_percent = 5;
    int updates = UPDATES;
    bool recording = true;
    std::vector<Actor*> actors;
    std::vector<std::unique_ptr<zp::Sprite>> sprites;
    std::vector<std::string> story;
};

Actor::Actor(Scenario& owner, bool is_pinned) : scenario(owner), label(owner.enter(this)), pinned(is_pinned)
{
}

Actor::~Actor()
{
    scenario.leave(this);
}

int Actor::eventHandler(const zp::Event* p_e)
{
    if (p_e->getType() == zp::COLLISION_EVENT) {
        const auto* p_c = static_cast<const zp::EventCollision*>(p_e);
        scenario.record("collision to " + Scenario::name(this) + ": " + Scenario::name(p_c->getObject1()) +
                        " into " + Scenario::name(p_c->getObject2()) + " at " +
                        Scenario::text(p_c->getPosition()));
    } else {
        scenario.record(p_e->getType() + " to " + Scenario::name(this));
    }
    scenario.react(*this);
    return 0;
}

std::vector<std::string> playedBy(Runner runner, std::uint64_t seed)
{
    Scenario scenario(seed, runner);
    return scenario.play();
}

// Where two stories part, with a little of what came before.
std::string firstDifference(const std::vector<std::string>& world, const std::vector<std::string>& scan)
{
    std::size_t i = 0;
    while (i < world.size() && i < scan.size() && world[i] == scan[i])
        ++i;
    std::ostringstream out;
    out << "line " << i << " of " << world.size() << " (world) and " << scan.size() << " (scan)\n";
    for (std::size_t k = i >= 3 ? i - 3 : 0; k < i; ++k)
        out << "  both:  " << world[k].substr(0, 300) << "\n";
    out << "  world: " << (i < world.size() ? world[i].substr(0, 300) : "<end>") << "\n";
    out << "  scan:  " << (i < scan.size() ? scan[i].substr(0, 300) : "<end>") << "\n";
    return out.str();
}

constexpr int WORLDS_PER_BATCH = 24;

class RandomWorlds : public testing::TestWithParam<int> {};

TEST_P(RandomWorlds, TellTheSameStoryAsTheScan)
{
    for (int i = 0; i < WORLDS_PER_BATCH; ++i) {
        const std::uint64_t seed = std::uint64_t(GetParam()) * 1000 + std::uint64_t(i);
        const auto by_world = playedBy(Runner::WORLD, seed);
        const auto by_scan = playedBy(Runner::SCAN, seed);
        ASSERT_EQ(by_world.size(), by_scan.size())
            << "seed " << seed << ": " << firstDifference(by_world, by_scan);
        ASSERT_TRUE(by_world == by_scan) << "seed " << seed << ": " << firstDifference(by_world, by_scan);
    }
}

INSTANTIATE_TEST_SUITE_P(Batches, RandomWorlds, testing::Range(1, 9));

// ---------------------------------------------------------------------------
// Odd boxes and places, case by case.

class WorldBroadPhase : public testing::Test {
protected:
    void SetUp() override { world.startUp(); }
    void TearDown() override { world.shutDown(); }

    zp::Object* at(Position pos, Box box = Box(Position(0, 0), 1, 1), zp::Solidness solidness = zp::HARD)
    {
        auto* p_o = new zp::Object;
        p_o->setPosition(pos);
        p_o->setBox(box);
        p_o->setSolidness(solidness);
        return p_o;
    }

    std::vector<zp::Object*> collisionsOf(const zp::Object* p_o, Position where) const
    {
        return entriesOf(world.getCollisions(p_o, where));
    }

    zp::WorldManager& world = zp::WorldManager::getInstance();
};

TEST_F(WorldBroadPhase, CollisionsWhereverTheBoxesAre)
{
    const int max = INT_MAX;
    const int min = INT_MIN;
    const struct {
        const char* what;
        Position other_pos;
        Box other_box;
        Position mover_pos;
        Box mover_box;
        bool collide;
    } cases[] = {
        {"touching across a cell edge", {8, 0}, {{0, 0}, 1, 1}, {7, 0}, {{0, 0}, 1, 1}, true},
        {"one column apart", {9, 0}, {{0, 0}, 1, 1}, {7, 0}, {{0, 0}, 1, 1}, false},
        {"touching left of zero", {-8, -8}, {{0, 0}, 0, 0}, {-9, -9}, {{0, 0}, 1, 1}, true},
        {"empty boxes side by side", {-9, 5}, {{0, 0}, 0, 0}, {-8, 5}, {{0, 0}, 0, 0}, false},
        {"empty boxes on one cell", {-9, 5}, {{0, 0}, 0, 0}, {-9, 5}, {{0, 0}, 0, 0}, true},
        {"offset box reaching back", {20, 20}, {{-5, -3}, 1, 1}, {15, 17}, {{0, 0}, 0, 0}, true},
        {"inside a large box", {-50, -20}, {{0, 0}, 100, 50}, {40, 25}, {{0, 0}, 1, 1}, true},
        {"beside a large box", {-50, -20}, {{0, 0}, 100, 50}, {51, 25}, {{0, 0}, 1, 1}, false},
        {"far inside a huge box",
         {-1000000000, 0},
         {{0, 0}, 2000000000, 1},
         {500000000, 1},
         {{0, 0}, 1, 1},
         true},
        {"a huge mover", {123456789, 7}, {{0, 0}, 1, 1}, {-1000000000, 0}, {{0, 0}, 2000000000, 9}, true},
        // A negative size is no rectangle: the box test sees only the corner
        // of such a box when it comes first.
        {"negative size, corner inside", {10, 10}, {{0, 0}, -3, -3}, {9, 9}, {{0, 0}, 1, 1}, true},
        {"negative size, corner outside", {10, 10}, {{0, 0}, -3, -3}, {8, 8}, {{0, 0}, 1, 1}, false},
        {"negative mover, corner on the box", {10, 10}, {{0, 0}, 1, 1}, {11, 11}, {{0, 0}, -3, -3}, true},
        {"negative mover, corner past the box", {10, 10}, {{0, 0}, 1, 1}, {12, 12}, {{0, 0}, -3, -3}, false},
        {"at the top of the range",
         {max - 5, max - 5},
         {{0, 0}, 5, 5},
         {max - 1, max - 1},
         {{0, 0}, 0, 0},
         true},
        {"apart at the top of the range",
         {max - 5, max - 5},
         {{0, 0}, 5, 5},
         {max - 12, max - 5},
         {{0, 0}, 5, 1},
         false},
        {"at the bottom of the range", {min, min}, {{0, 0}, 0, 0}, {min, min}, {{0, 0}, 3, 3}, true},
    };
    for (const auto& c : cases) {
        zp::Object* p_other = at(c.other_pos, c.other_box);
        zp::Object* p_mover = at(Position(0, 100), c.mover_box);
        const std::vector<zp::Object*> expected =
            c.collide ? std::vector<zp::Object*>{p_other} : std::vector<zp::Object*>{};
        EXPECT_EQ(collisionsOf(p_mover, c.mover_pos), expected) << c.what;
        world.shutDown();
        world.startUp();
    }
}

TEST_F(WorldBroadPhase, PlacementSetOnTheObjectIsSeenAtOnce)
{
    zp::Object* p_mover = at(Position(0, 0));
    zp::Object* p_other = at(Position(40, 40));
    const std::vector<zp::Object*> none;
    const std::vector<zp::Object*> other{p_other};
    const Position here(0, 0);
    EXPECT_EQ(collisionsOf(p_mover, here), none);

    p_other->setPosition(Position(1, 1));
    EXPECT_EQ(collisionsOf(p_mover, here), other) << "moved next to the mover";
    p_other->setPosition(Position(300, -300));
    EXPECT_EQ(collisionsOf(p_mover, here), none) << "moved away";

    p_other->setBox(Box(Position(-301, 299), 2, 2));
    EXPECT_EQ(collisionsOf(p_mover, here), other) << "box reaching back to the mover";
    p_other->setSolidness(zp::SPECTRAL);
    EXPECT_EQ(collisionsOf(p_mover, here), none) << "spectral";
    p_other->setSolidness(zp::SOFT);
    EXPECT_EQ(collisionsOf(p_mover, here), other) << "soft again";

    zp::Sprite wide(1);
    wide.setWidth(400);
    wide.setHeight(1);
    p_other->setBox(Box(Position(-350, 300), 1, 1));
    EXPECT_EQ(collisionsOf(p_mover, here), none);
    p_other->setSprite(&wide);
    EXPECT_EQ(collisionsOf(p_mover, here), other) << "sprite widens the box";
    p_other->setSprite(nullptr);
}

TEST_F(WorldBroadPhase, CollisionsComeInCreationOrderWhateverTheirPlaces)
{
    // Created right to left and bottom to top, across many cells.
    std::vector<zp::Object*> created;
    for (int i = 0; i < 12; ++i)
        created.push_back(
            at(Position(60 - 5 * i, 33 - 3 * i), Box(Position(0, 0), 2, 1), i % 2 ? zp::SOFT : zp::HARD));
    zp::Object* p_mover = at(Position(-100, -100), Box(Position(0, 0), 70, 40));
    EXPECT_EQ(collisionsOf(p_mover, Position(0, 0)), created);

    world.markForDelete(created[4]);
    world.update(); // deletes the marked object; nothing moves
    created.erase(created.begin() + 4);
    created.push_back(at(Position(61, 31)));
    EXPECT_EQ(collisionsOf(p_mover, Position(0, 0)), created);
}

TEST_F(WorldBroadPhase, AnObjectTwiceInTheListIsFoundTwiceInListOrder)
{
    zp::Object* p_a = at(Position(1, 1));
    zp::Object* p_twice = at(Position(2, 1));
    zp::Object* p_b = at(Position(3, 1));
    zp::Object* p_mover = at(Position(50, 50), Box(Position(0, 0), 5, 1));
    const Position where(0, 1);

    world.insertObject(p_twice);
    EXPECT_EQ(collisionsOf(p_mover, where), (std::vector<zp::Object*>{p_a, p_twice, p_b, p_twice}));
    // Taking out the first entry leaves the object after p_b and the mover.
    world.removeObject(p_twice);
    EXPECT_EQ(collisionsOf(p_mover, where), (std::vector<zp::Object*>{p_a, p_b, p_twice}));
    p_a->setPosition(Position(4, 1));
    EXPECT_EQ(collisionsOf(p_mover, where), (std::vector<zp::Object*>{p_a, p_b, p_twice}));
}

TEST_F(WorldBroadPhase, RangeQueriesWithExtremeRadiiAndCentres)
{
    zp::Object* p_near = at(Position(0, 0));
    p_near->setType("Enemy");
    zp::Object* p_far = at(Position(-600000000, 300000000));
    p_far->setType("Enemy");
    zp::Object* p_top = at(Position(INT_MAX, INT_MAX), Box(Position(0, 0), 0, 0));
    p_top->setType("Top");
    zp::Object* p_below_top = at(Position(INT_MAX - 3, INT_MAX - 2), Box(Position(0, 0), 0, 0));
    p_below_top->setType("Top");

    const auto found = [&](const zp::Object& centre, int radius, const char* type) {
        return entriesOf(*world.getObjectsInRange(centre, radius, type));
    };
    using List = std::vector<zp::Object*>;
    EXPECT_EQ(found(*p_near, INT_MAX, "Enemy"), (List{p_near, p_far}));
    EXPECT_EQ(found(*p_far, 1000000000, "Enemy"), (List{p_near, p_far}));
    EXPECT_EQ(found(*p_near, -1, "Enemy"), List{});
    EXPECT_EQ(found(*p_near, 0, "Enemy"), List{p_near});
    // (3, 2) away: sqrt(9 + 25) = 5.8 in scaled distance.
    EXPECT_EQ(found(*p_top, 5, "Top"), (List{p_top, p_below_top}));
    EXPECT_EQ(found(*p_top, 4, "Top"), List{p_top});
    EXPECT_EQ(found(*p_below_top, 5, "Top"), (List{p_top, p_below_top}));
}

TEST_F(WorldBroadPhase, RangeQueriesFollowObjectsThatMoveOrLeave)
{
    zp::Object* p_centre = at(Position(0, 0), Box(Position(0, 0), 1, 1), zp::SPECTRAL);
    zp::Object* p_walker = at(Position(100, 0), Box(Position(0, 0), 1, 1), zp::SPECTRAL);
    zp::Object* p_leaver = at(Position(3, 0), Box(Position(0, 0), 1, 1), zp::SPECTRAL);
    for (zp::Object* p_o : {p_centre, p_walker, p_leaver})
        p_o->setType("Enemy");
    const auto found = [&] { return entriesOf(*world.getObjectsInRange(*p_centre, 10, "Enemy")); };
    using List = std::vector<zp::Object*>;
    EXPECT_EQ(found(), (List{p_centre, p_leaver})); // the first query indexes every position

    p_walker->setXVelocity(-30);
    for (int update = 0; update < 3; ++update)
        world.update();
    EXPECT_EQ(p_walker->getPosition(), Position(10, 0));
    p_walker->setXVelocity(0);
    world.markForDelete(p_leaver);
    world.update();
    EXPECT_EQ(found(), (List{p_centre, p_walker}));
    p_walker->setPosition(Position(-11, 0));
    EXPECT_EQ(found(), List{p_centre});
}

TEST_F(WorldBroadPhase, ARestartedWorldForgetsTheObjectsItHeld)
{
    zp::Object* p_old = at(Position(5, 5));
    world.startUp(); // p_old is alive but no longer the world's
    p_old->setPosition(Position(6, 6));
    zp::Object* p_new = at(Position(6, 7));
    EXPECT_EQ(collisionsOf(p_new, Position(6, 6)), std::vector<zp::Object*>{});
    EXPECT_EQ(collisionsOf(p_old, Position(6, 6)), std::vector<zp::Object*>{p_new});
    delete p_old;
    EXPECT_EQ(world.getAllObjects().getCount(), 1);
}

} // namespace
