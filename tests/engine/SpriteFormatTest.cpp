// The sprite format page's worked example (docs/sprite-format.md shows this
// very file) loads as the page says.
#include "support/EngineFixture.h"
#include "support/RunDir.h"

#include "zp/ResourceManager.h"
#include "zp/Sprite.h"

#include <gtest/gtest.h>

namespace {

using SpriteFormat = zp::test::EngineFixture;

TEST_F(SpriteFormat, TheWorkedExampleLoadsAsDescribed)
{
    zp::ResourceManager& resources = zp::ResourceManager::getInstance();
    ASSERT_EQ(resources.loadSprite(zp::test::fixture("sprites/gun.txt"), "gun"), 0);
    const zp::Sprite* p_gun = resources.getSprite("gun");
    ASSERT_NE(p_gun, nullptr);
    EXPECT_EQ(p_gun->getFrameCount(), 2);
    EXPECT_EQ(p_gun->getWidth(), 5);
    EXPECT_EQ(p_gun->getHeight(), 3);
    EXPECT_EQ(p_gun->getColor(), zp::GREEN);
    EXPECT_EQ(p_gun->getFrame(0).getString(), "  |  "
                                              " [#] "
                                              " ^ ^ ");
    EXPECT_EQ(p_gun->getFrame(1).getString(), "     "
                                              " [#]="
                                              " ^ ^ ");
}

} // namespace
