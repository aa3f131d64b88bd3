// "pend exp" and its timer: one beep, one random draw and one circle in the middle of Picture1
// per tick.
#include <gtest/gtest.h>

#include "system/random_source.h"
#include "support/lesson_fixture.h"

namespace stepwise::testing {
namespace {

using PendExp = LessonTest;
using enum ControlId;

TEST_F(PendExp, TheTimerStartsOnlyWithTheClickAtFifteenMilliseconds) {
    ASSERT_TRUE(start());
    EXPECT_EQ(platform.timerEnables, 0);
    form.click(cmd_pend_exp);
    EXPECT_EQ(platform.timerEnables, 1);
    EXPECT_EQ(platform.timerInterval, 15);
    form.click(cmd_pend_exp);
    EXPECT_EQ(platform.timerInterval, 15);
}

TEST_F(PendExp, EachTickBeepsDrawsOneNumberAndOneCircleOfThatRadiusInTheMiddle) {
    ASSERT_TRUE(start());
    form.click(cmd_pend_exp);
    platform.seedRandom(4711);
    RandomSource expected;
    expected.seed(4711);
    const int drawsBefore = platform.randomDraws;

    constexpr int ticks = 200;
    for (int tick = 1; tick <= ticks; ++tick) {
        form.tick(tmr_pend_exp);
        ASSERT_EQ(platform.circles[Picture1].size(), static_cast<std::size_t>(tick));
        EXPECT_EQ(platform.beeps, tick);
        EXPECT_EQ(platform.randomDraws - drawsBefore, tick);
        const Circle& circle = platform.circles[Picture1].back();
        EXPECT_EQ(circle.x, 500.0f);
        EXPECT_EQ(circle.y, 500.0f);
        EXPECT_EQ(circle.radius, expected.next() * 500.0f);
        EXPECT_GE(circle.radius, 0.0f);
        EXPECT_LT(circle.radius, 500.0f);
    }
    EXPECT_TRUE(platform.circles[Picture2].empty());
    EXPECT_EQ(platform.pictures[Picture1], nullptr) << "circles are not Picture1's picture";
}

}  // namespace
}  // namespace stepwise::testing
