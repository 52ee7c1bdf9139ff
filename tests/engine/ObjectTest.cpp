#include "zp/Object.h"

#include "support/EngineFixture.h"
#include "support/FreshProcess.h"

#include "zp/Event.h"
#include "zp/EventStep.h"
#include "zp/Frame.h"
#include "zp/GraphicsManager.h"
#include "zp/Sprite.h"
#include "zp/WorldManager.h"

#include <gtest/gtest.h>

namespace {

using ObjectTest = zp::test::EngineFixture;

TEST_F(ObjectTest, IdsCountFromZeroAndAreNeverReused)
{
    ZP_EXPECT_IN_FRESH_PROCESS({
        auto* p_first = new zp::Object;
        auto* p_second = new zp::Object;
        EXPECT_EQ(p_first->getId(), 0);
        EXPECT_EQ(p_second->getId(), 1);
        delete p_first;
        auto* p_third = new zp::Object;
        EXPECT_EQ(p_third->getId(), 2);
    });
}

TEST_F(ObjectTest, Defaults)
{
    auto* p_o = new zp::Object;
    EXPECT_EQ(p_o->getType(), "");
    EXPECT_EQ(p_o->getPosition(), zp::Position(0, 0));
    EXPECT_EQ(p_o->getAltitude(), 2);
    EXPECT_EQ(p_o->getSolidness(), zp::HARD);
    EXPECT_TRUE(p_o->isSolid());
    EXPECT_EQ(p_o->getXVelocity(), 0);
    EXPECT_EQ(p_o->getYVelocity(), 0);
    EXPECT_EQ(p_o->getSprite(), nullptr);
    EXPECT_FALSE(p_o->getSpriteCenter());
    EXPECT_EQ(p_o->getBox().getCorner(), zp::Position(0, 0));
    EXPECT_EQ(p_o->getBox().getHorizontal(), 1);
    EXPECT_EQ(p_o->getBox().getVertical(), 1);
    EXPECT_EQ(zp::WorldManager::getInstance().getAllObjects().getCount(), 1);
    p_o->draw(); // no sprite: nothing to draw, nothing to advance
    EXPECT_EQ(p_o->getSpriteIndex(), 0);
}

TEST_F(ObjectTest, AltitudeOnlyWithinTheLayers)
{
    auto* p_o = new zp::Object;
    const struct {
        int requested;
        int result;
        int altitude_after;
    } cases[] = {{5, 0, 5}, {6, -1, 5}, {0, 0, 0}, {-1, -1, 0}, {3, 0, 3}, {1000000, -1, 3}};
    for (const auto& c : cases) {
        EXPECT_EQ(p_o->setAltitude(c.requested), c.result) << c.requested;
        EXPECT_EQ(p_o->getAltitude(), c.altitude_after) << c.requested;
    }
}

TEST_F(ObjectTest, SolidnessDecidesWhetherAnObjectCollides)
{
    auto* p_o = new zp::Object;
    const struct {
        zp::Solidness solidness;
        bool solid;
    } cases[] = {{zp::SPECTRAL, false}, {zp::SOFT, true}, {zp::HARD, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(p_o->setSolidness(c.solidness), 0);
        EXPECT_EQ(p_o->isSolid(), c.solid) << c.solidness;
    }
}

TEST_F(ObjectTest, VelocityStepSequences)
{
    const struct {
        float velocity;
        std::vector<int> steps;
    } cases[] = {
        {0.5f, {0, 1, 0, 1, 0, 1}}, {2.0f, {2, 2, 2, 2}}, {0.25f, {0, 0, 0, 1, 0, 0, 0, 1}},
        {-1.5f, {-1, -2, -1, -2}},  {1.0f, {1, 1, 1}},    {0.0f, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        auto* p_o = new zp::Object;
        p_o->setXVelocity(c.velocity);
        p_o->setYVelocity(c.velocity);
        for (size_t i = 0; i < c.steps.size(); ++i) {
            EXPECT_EQ(p_o->getXVelocityStep(), c.steps[i]) << "v " << c.velocity << " step " << i;
            EXPECT_EQ(p_o->getYVelocityStep(), c.steps[i]) << "v " << c.velocity << " step " << i;
        }
    }
}

TEST_F(ObjectTest, SetSpriteSizesTheBoxAndRestartsTheAnimationStopped)
{
    zp::Sprite sprite(2);
    sprite.setWidth(5);
    sprite.setHeight(3);
    sprite.pushFrame(zp::Frame(5, 3, std::string(15, 'a')));
    sprite.pushFrame(zp::Frame(5, 3, std::string(15, 'b')));

    auto* p_o = new zp::Object;
    p_o->setBox(zp::Box(zp::Position(1, 1), 1, 1));
    p_o->setSpriteIndex(2);
    p_o->setSpriteSlowdown(3);
    p_o->setSpriteSlowdownCount(1);
    p_o->setSprite(&sprite);

    EXPECT_EQ(p_o->getSprite(), &sprite);
    EXPECT_EQ(p_o->getSpriteIndex(), 0);
    EXPECT_EQ(p_o->getSpriteSlowdown(), 0);
    EXPECT_EQ(p_o->getSpriteSlowdownCount(), 0);
    EXPECT_EQ(p_o->getBox().getHorizontal(), 5);
    EXPECT_EQ(p_o->getBox().getVertical(), 3);
    EXPECT_EQ(p_o->getBox().getCorner(), zp::Position(1, 1));

    p_o->setSprite(nullptr);
    EXPECT_EQ(p_o->getSprite(), nullptr);
    EXPECT_EQ(p_o->getBox().getHorizontal(), 5);
}

TEST_F(ObjectTest, AnimationAdvancesOncePerSlowdownDraws)
{
    zp::Sprite sprite(4);
    for (char c : std::string("abcd"))
        sprite.pushFrame(zp::Frame(1, 1, std::string(1, c)));
    auto* p_o = new zp::Object;
    p_o->setSprite(&sprite);
    p_o->setSpriteSlowdown(3);

    const int expected_index_after[] = {0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0};
    for (int draw = 0; draw < 12; ++draw) {
        p_o->draw();
        EXPECT_EQ(p_o->getSpriteIndex(), expected_index_after[draw]) << "after draw " << draw + 1;
    }
}

TEST_F(ObjectTest, ZeroSlowdownFreezesTheAnimation)
{
    zp::Sprite sprite(2);
    sprite.pushFrame(zp::Frame(1, 1, "a"));
    sprite.pushFrame(zp::Frame(1, 1, "b"));
    auto* p_o = new zp::Object;
    p_o->setSprite(&sprite);
    for (int i = 0; i < 5; ++i)
        p_o->draw();
    EXPECT_EQ(p_o->getSpriteIndex(), 0);
}

TEST_F(ObjectTest, BaseHandlerAcceptsOnlyUndefinedEvents)
{
    auto* p_o = new zp::Object;
    zp::Event undefined;
    zp::EventStep step;
    EXPECT_EQ(p_o->eventHandler(&undefined), 0);
    EXPECT_EQ(p_o->eventHandler(&step), -1);
}

TEST_F(ObjectTest, DestructionLeavesTheWorld)
{
    auto* p_a = new zp::Object;
    auto* p_b = new zp::Object;
    delete p_a;
    const zp::ObjectList all = zp::WorldManager::getInstance().getAllObjects();
    EXPECT_EQ(all.getCount(), 1);
    delete p_b;
    EXPECT_TRUE(zp::WorldManager::getInstance().getAllObjects().isEmpty());
}

// Drawing goes to a headless graphics manager, which records each cell.
class ObjectDrawTest : public zp::test::EngineFixture {
protected:
    ObjectDrawTest() : EngineFixture(zp::test::Screen::HEADLESS) {}

    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
};

TEST_F(ObjectDrawTest, DrawsTheCurrentFrameInTheSpritesColourThenAdvances)
{
    zp::Sprite sprite(2);
    sprite.setColor(zp::MAGENTA);
    sprite.pushFrame(zp::Frame(1, 1, "a"));
    sprite.pushFrame(zp::Frame(1, 1, "b"));
    auto* p_o = new zp::Object;
    p_o->setPosition(zp::Position(4, 2));
    p_o->setSprite(&sprite);
    p_o->setSpriteSlowdown(1);

    const char expected[] = {'a', 'b', 'a'};
    for (char shown : expected) {
        p_o->draw();
        EXPECT_EQ(graphics.getDrawnChar(zp::Position(4, 2)), shown);
        EXPECT_EQ(graphics.getDrawnColor(zp::Position(4, 2)), zp::MAGENTA);
        graphics.swapBuffers();
    }
}

TEST_F(ObjectDrawTest, ACentredSpriteHasItsMiddleCellAtThePosition)
{
    zp::Sprite sprite(1);
    sprite.pushFrame(zp::Frame(3, 3, "abcdefghi"));
    auto* p_o = new zp::Object;
    p_o->setPosition(zp::Position(10, 5));
    p_o->setSprite(&sprite);

    p_o->draw();
    EXPECT_EQ(graphics.drawnRow(5).substr(10, 3), "abc");
    graphics.swapBuffers();

    p_o->setSpriteCenter(true);
    p_o->draw();
    EXPECT_EQ(graphics.drawnRow(4).substr(9, 3), "abc");
    EXPECT_EQ(graphics.drawnRow(5).substr(9, 3), "def");
    EXPECT_EQ(graphics.drawnRow(6).substr(9, 3), "ghi");
}

} // namespace
