#include "skin/drawing/MorphAnimator.h"

#include "runtime/ui/Timer.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

// One control with fading objects, stepped the way the skinned controls step theirs.
struct Fader {
    std::vector<TbsMorph> morphs;
    std::vector<bool> targets;
    int ticks = 0;
    TbsMorphAnimator animator{[this] { return step(); }};

    explicit Fader(int count = 1) : morphs(count), targets(count, false) {}

    bool step()
    {
        ++ticks;
        bool moving = false;
        for (size_t i = 0; i < morphs.size(); ++i) {
            morphs[i].stepTowards(targets[i]);
            moving = moving || !morphs[i].reached(targets[i]);
        }
        return moving;
    }
    void aim(bool active, int index = 0)
    {
        targets[index] = active;
        animator.start();
    }
    double factor(int index = 0) const { return morphs[index].factor(); }
};

TEST(MorphAnimator, FadesInAndOutInFiveTicksEachAndStopsOnArrival)
{
    TManualTimerClock clock;
    Fader f;
    f.aim(true);
    EXPECT_TRUE(f.animator.running());
    for (double expected : {0.2, 0.4, 0.6, 0.8}) {
        clock.advance(TbsMorphAnimator::morphInterval);
        EXPECT_DOUBLE_EQ(f.factor(), expected);
        EXPECT_TRUE(f.morphs[0].blending());
        EXPECT_TRUE(f.animator.running());
    }
    clock.advance(TbsMorphAnimator::morphInterval);
    EXPECT_EQ(f.factor(), 1.0);
    EXPECT_FALSE(f.animator.running()) << "no idle tick after the last step";
    EXPECT_EQ(f.ticks, 5);

    f.aim(false);
    for (double expected : {0.8, 0.6, 0.4, 0.2}) {
        clock.advance(TbsMorphAnimator::morphInterval);
        EXPECT_DOUBLE_EQ(f.factor(), expected);
    }
    clock.advance(TbsMorphAnimator::morphInterval);
    // Exactly 0: fading out ends on the normal image in as many ticks as fading in took.
    EXPECT_EQ(f.factor(), 0.0);
    EXPECT_TRUE(f.morphs[0].atNormal());
    EXPECT_FALSE(f.animator.running());
    EXPECT_EQ(f.ticks, 10);
    clock.advance(10 * TbsMorphAnimator::morphInterval);
    EXPECT_EQ(f.ticks, 10);
}

TEST(MorphAnimator, ReversingMidFadeTurnsBackFromWhereItStands)
{
    TManualTimerClock clock;
    Fader f;
    f.aim(true);
    clock.advance(3 * TbsMorphAnimator::morphInterval);
    ASSERT_DOUBLE_EQ(f.factor(), 0.6);
    // Leaving half-way: the fade turns round on the running timer.
    f.aim(false);
    clock.advance(TbsMorphAnimator::morphInterval);
    EXPECT_DOUBLE_EQ(f.factor(), 0.4);
    clock.advance(2 * TbsMorphAnimator::morphInterval);
    EXPECT_EQ(f.factor(), 0.0);
    EXPECT_FALSE(f.animator.running());
    EXPECT_EQ(f.ticks, 6);
}

TEST(MorphAnimator, StartingKeepsTheRhythmOfARunningFade)
{
    TManualTimerClock clock;
    Fader f;
    f.aim(true);
    clock.advance(15);
    // A second request 15 ms in must not push the next step back.
    f.aim(true);
    clock.advance(5);
    EXPECT_EQ(f.ticks, 1);
}

TEST(MorphAnimator, AnObjectAlreadyAtItsImageStopsAtTheFirstTick)
{
    TManualTimerClock clock;
    Fader f;
    f.aim(false);
    clock.advance(TbsMorphAnimator::morphInterval);
    EXPECT_EQ(f.ticks, 1);
    EXPECT_EQ(f.factor(), 0.0);
    EXPECT_FALSE(f.animator.running());
    // Stopping from outside, as a skin change does, leaves it idle too.
    f.aim(true);
    f.animator.stop();
    clock.advance(5 * TbsMorphAnimator::morphInterval);
    EXPECT_EQ(f.ticks, 1);
    EXPECT_EQ(f.factor(), 0.0);
}

TEST(MorphAnimator, RunsWhileAnyObjectIsStillOnItsWay)
{
    TManualTimerClock clock;
    Fader f(2);
    f.aim(true, 0);
    clock.advance(3 * TbsMorphAnimator::morphInterval);
    // The second object starts later; the first arrives first and waits.
    f.aim(true, 1);
    clock.advance(2 * TbsMorphAnimator::morphInterval);
    EXPECT_EQ(f.factor(0), 1.0);
    EXPECT_DOUBLE_EQ(f.factor(1), 0.4);
    EXPECT_TRUE(f.animator.running());
    clock.advance(3 * TbsMorphAnimator::morphInterval);
    EXPECT_EQ(f.factor(1), 1.0);
    EXPECT_FALSE(f.animator.running());
    EXPECT_EQ(f.ticks, 8);
}

TEST(Morph, StepsStopAtTheImagesAndJumpsEndAFade)
{
    TbsMorph m;
    EXPECT_FALSE(m.stepTowards(false));
    EXPECT_TRUE(m.reached(false));
    for (int i = 0; i < TbsMorph::steps; ++i)
        EXPECT_TRUE(m.stepTowards(true));
    EXPECT_FALSE(m.stepTowards(true));
    EXPECT_TRUE(m.atActive());
    EXPECT_FALSE(m.blending());
    m.stepTowards(false);
    m.jumpTo(true);
    EXPECT_EQ(m.factor(), 1.0);
    m.jumpTo(false);
    EXPECT_EQ(m.factor(), 0.0);
}

} // namespace
} // namespace qv
