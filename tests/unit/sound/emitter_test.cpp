#include "engine/time/cadencer.h"
#include "tests/unit/sound/sound_fixture.h"

#include <algorithm>

namespace coilrun::engine::test {
namespace {

TEST_F(SoundTest, WithoutAnActiveManagerTheEmitterSaysSoAndPlaysNothing) {
    wavOut.setActive(false);
    auto e = looseEmitter("speck");
    e->setPlaying(true);
    EXPECT_FALSE(e->playing());
    ASSERT_EQ(platform.messageBoxesImpl.shown.size(), 1u);
    EXPECT_EQ(platform.messageBoxesImpl.shown[0].text,
              "No Active Sound Manager.\r\nMake sure manager is created before emitter");
    wavOut.setActive(true);
    update();
    EXPECT_TRUE(audio.played.empty());
}

TEST_F(SoundTest, PlayingFollowsTheSourceAndLoadingOnlyStoresIt) {
    audio.completeManually();
    auto e = looseEmitter("speck");
    e->beginLoading();
    e->setPlaying(true);
    EXPECT_FALSE(e->playing());
    EXPECT_EQ(wavOut.sources().count(), 0u);
    e->endLoading();
    EXPECT_TRUE(e->playing()); // asked for; it plays from the next update
    e->setPlaying(true);       // unchanged: no second request
    EXPECT_EQ(wavOut.sources().count(), 1u);
    update();
    audio.finish(0);
    EXPECT_TRUE(e->playing()); // until the update has seen the end
    update();
    EXPECT_FALSE(e->playing());
}

TEST_F(SoundTest, AnEmitterLeavesItsObjectOnceItsSoundHasEnded) {
    audio.completeManually();
    TGLBSoundEmitter& finished = addEmitter("speck");
    TGLBSoundEmitter& stopped = addEmitter("Thema");
    addEmitter("nothing by that name");
    TGLBSoundEmitter& keeps = addEmitter("red");
    keeps.setRemoveWhenEnded(false);
    update(); // the unknown name is dropped and its emitter leaves at once
    EXPECT_EQ(dummy.behaviours().size(), 3u);

    audio.finish(2); // "speck": the walk goes down, so it started last
    stopped.setPlaying(false);
    EXPECT_EQ(dummy.behaviours().size(), 3u); // never under the caller's feet
    EXPECT_FALSE(stopped.playing());
    update();
    ASSERT_EQ(dummy.behaviours().size(), 1u);
    EXPECT_EQ(dummy.behaviours()[0].get(), &keeps);
    (void)finished;

    // Stopped by deactivation, removed at the next step of either cadencer's manager.
    keeps.setRemoveWhenEnded(true);
    wavOut.setActive(false);
    EXPECT_FALSE(keeps.playing());
    TGLSMWaveOut menu(context, audio);
    update(menu); // inactive, but it still tidies up
    EXPECT_TRUE(dummy.behaviours().empty());
    EXPECT_EQ(context.pendingRemovals(), 0u);
}

TEST_F(SoundTest, AnEmitterPlayedAgainBeforeTheStepStays) {
    audio.completeManually();
    TGLBSoundEmitter& e = addEmitter("speck");
    update();
    e.setPlaying(false);
    e.setPlaying(true);
    update();
    ASSERT_EQ(dummy.behaviours().size(), 1u);
    EXPECT_TRUE(e.playing());
}

TEST_F(SoundTest, AnObjectDestroyedWithAScheduledEmitterLeavesNoDanglingEntry) {
    auto object = std::make_unique<TGLDummyCube>();
    auto e = std::make_unique<TGLBSoundEmitter>(context);
    e->source().setSoundLibrary(&library);
    e->source().setSoundName("speck");
    auto& added = static_cast<TGLBSoundEmitter&>(object->addBehaviour(std::move(e)));
    audio.completeManually();
    added.setPlaying(true);
    added.setPlaying(false);
    EXPECT_EQ(context.pendingRemovals(), 1u);
    object.reset();
    EXPECT_EQ(context.pendingRemovals(), 0u);
    update();
}

// The game starts every sound with a new emitter on Dummy1, several in one frame
// at times (a music restart starts one with an empty name and one with the music,
// and deactivates and reactivates the output first). Over a long run the emitters
// on the dummy stay few.
TEST_F(SoundTest, ALongRunKeepsTheNumberOfEmittersBounded) {
    audio.completeAfterDuration(platform.loopImpl);
    engine::CadencerPump pump(platform.clockImpl, platform.loopImpl);
    engine::TGLCadencer cadencer(pump);
    cadencer.setMode(engine::TGLCadencerMode::cmManual);
    wavOut.setCadencer(&cadencer);

    std::size_t most = 0;
    const int frames = 60 * 120; // two minutes at 60 frames a second
    for (int frame = 0; frame < frames; ++frame) {
        platform.loopImpl.runFor(1.0 / 60);
        cadencer.progress();
        if (frame % 90 == 0) {
            wavOut.setActive(false);
            wavOut.setActive(true);
            addEmitter("");
            addEmitter("Thema");
        }
        if (frame % 7 == 0) addEmitter("speck");
        if (frame % 11 == 0) {
            addEmitter("red");
            addEmitter("red");
        }
        most = std::max(most, dummy.behaviours().size());
    }
    // Between two updates (a tenth of a second) about eight requests come in; at
    // most six play.
    EXPECT_LE(most, 20u);
    EXPECT_GT(audio.played.size(), 1000u);
    EXPECT_LE(audio.playingCount(), 6u);
}

} // namespace
} // namespace coilrun::engine::test
