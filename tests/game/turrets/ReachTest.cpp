// What a turret reaches: the track cells it covers, counted by hand on a
// fixture board, and the cells it reaches, checked against the world's own
// range query that the turret's targeting asks.
#include "turrets/Reach.h"

#include "PlayHarness.h"
#include "level/Level.h"
#include "level/LevelManager.h"
#include "turrets/TurretKinds.h"

#include "zp/Utility.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <utility>

using namespace play;
using zp::Position;

namespace {

class Reach : public Play {
protected:
    void SetUp() override
    {
        Play::SetUp();
        loadBoard("reach");
        p_level = LevelManager::getInstance().getLevel();
        ASSERT_NE(p_level, nullptr);
    }

    const Level* p_level = nullptr;
};

// The board "reach": enemies start at (10, 10) and walk (11 ... 14, 10),
// (14, 11), (14, 12), (15, 12), (16, 12), (12, 10) again and (40, 20): ten
// track cells. A distance is floor(sqrt(dx^2 + (2.5 dy)^2)).
TEST_F(Reach, TrackCellsCoveredAreCountedOnceEach)
{
    EXPECT_EQ(trackCells(*p_level).size(), 10u);
    const struct {
        Position turret;
        int range;
        int covered;
        const char* why;
    } cases[] = {
        {{12, 8}, 5, 5, "row 10 from 10 to 14 (distances 5, 5, 5, 5, 5); (14, 11) is 7 away"},
        {{12, 8}, 7, 6, "and (14, 11), 7 away; (14, 12) is 10"},
        {{12, 8}, 20, 9, "all but (40, 20), 28 columns away; (16, 12) is 10"},
        {{14, 10}, 0, 1, "its own cell only"},
        {{40, 17}, 7, 1, "(40, 20): three rows, 7.5, floored to 7"},
        {{40, 17}, 6, 0, "nothing"},
        {{30, 15}, 40, 10, "everything: the start is 23 away, (40, 20) 16"},
        {{30, 15}, 22, 9, "all but the start, 23 away; (11, 10) is 22"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.turret.getX() << "," << c.turret.getY() << " range " << c.range << ": " << c.why);
        EXPECT_EQ(trackCellsCovered(*p_level, c.turret, c.range), c.covered);
    }
}

// Every cell of the board is reached exactly when an enemy standing there
// would be found by the range query a turret asks every step.
TEST_F(Reach, TheCellsReachedAreThoseTheTurretsQueryFinds)
{
    zp::WorldManager& world = zp::WorldManager::getInstance();
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x) {
            auto* p_probe = new zp::Object;
            p_probe->setType("Enemy");
            p_probe->setSolidness(zp::SPECTRAL);
            p_probe->setPosition(Position(x, y));
        }
    zp::Object centre;
    centre.setSolidness(zp::SPECTRAL);
    for (const TurretKind* p_kind : SHIPPED_TURRET_KINDS) {
        for (const Position at : {Position(30, 12), Position(0, 0), Position(62, 20)}) {
            SCOPED_TRACE(p_kind->turret_type + " at " + std::to_string(at.getX()) + "," +
                         std::to_string(at.getY()));
            centre.setPosition(at);
            const std::unique_ptr<zp::ObjectList> found =
                world.getObjectsInRange(centre, p_kind->base.range, "Enemy");
            std::set<std::pair<int, int>> queried;
            for (zp::ObjectListIterator it(found.get()); !it.isDone(); it.next())
                queried.emplace(it.currentObject()->getPosition().getX(),
                                it.currentObject()->getPosition().getY());
            std::set<std::pair<int, int>> reached;
            for (int y = 0; y < 24; ++y)
                for (int x = 0; x < 80; ++x)
                    if (reaches(at, p_kind->base.range, Position(x, y)))
                        reached.emplace(x, y);
            EXPECT_EQ(reached, queried);
            EXPECT_GT(reached.size(), 1u);
        }
    }
}

} // namespace
