#include "tests/unit/sound/sound_fixture.h"

namespace coilrun::engine::test {
namespace {

TEST_F(SoundTest, OneManagerIsActiveAtATime) {
    TGLSMWaveOut menu(context, audio);
    EXPECT_EQ(menu.maxChannels(), 4);
    EXPECT_EQ(context.activeManager(), &wavOut);
    audio.completeManually();
    auto e = looseEmitter("Thema");
    e->setPlaying(true);
    update();
    ASSERT_TRUE(e->playing());

    menu.setActive(true);
    EXPECT_EQ(context.activeManager(), &menu);
    EXPECT_FALSE(wavOut.active());
    EXPECT_FALSE(e->playing()); // the manager that lost its place stopped its sounds
    EXPECT_TRUE(audio.played[0].stopped);

    // A new request goes to the active manager; the inactive one no longer updates.
    e->setPlaying(true);
    EXPECT_EQ(e->playingSource()->manager(), &menu);
    update(wavOut);
    EXPECT_EQ(audio.played.size(), 1u);
    update(menu);
    EXPECT_EQ(audio.played.size(), 2u);

    // Destroying the active manager leaves none active, and no dangling emitter.
    {
        TGLSMWaveOut gone(context, audio);
        gone.setActive(true);
        EXPECT_EQ(context.activeManager(), &gone);
    }
    EXPECT_EQ(context.activeManager(), nullptr);
    EXPECT_FALSE(e->playing());
}

TEST_F(SoundTest, TwoContextsKeepTheirSoundApart) {
    sim::SimPlatform otherPlatform;
    SoundContext other(otherPlatform.messageBoxesImpl);
    TGLSMWaveOut otherOut(other, otherPlatform.audioImpl);
    otherOut.setActive(true);
    EXPECT_EQ(context.activeManager(), &wavOut);
    EXPECT_EQ(other.activeManager(), &otherOut);
    EXPECT_TRUE(wavOut.active());
}

TEST_F(SoundTest, LoadingDefersActivationAndTheLastToFinishLoadingWins) {
    wavOut.setActive(false);
    TGLSMWaveOut game(context, audio), menu(context, audio);
    game.beginLoading();
    menu.beginLoading();
    game.setActive(true);
    game.setMaxChannels(6);
    menu.setActive(true);
    EXPECT_TRUE(game.active()); // only recorded
    EXPECT_EQ(context.activeManager(), nullptr);

    game.endLoading();
    EXPECT_EQ(context.activeManager(), &game);
    menu.endLoading();
    EXPECT_EQ(context.activeManager(), &menu);
    EXPECT_FALSE(game.active());
    EXPECT_TRUE(menu.active());
    EXPECT_EQ(game.maxChannels(), 6);

    // One stored inactive stays so, and a loading manager is not updated.
    TGLSMWaveOut idle(context, audio);
    idle.beginLoading();
    idle.endLoading();
    EXPECT_FALSE(idle.active());
    EXPECT_EQ(context.activeManager(), &menu);
}

TEST_F(SoundTest, ANewManagerHasItsDefaults) {
    TGLSoundManager m(context);
    EXPECT_FALSE(m.active());
    EXPECT_EQ(m.maxChannels(), 8);
    EXPECT_EQ(m.outputFrequency(), 44100);
    EXPECT_FALSE(m.mute());
    EXPECT_FALSE(m.pause());
    EXPECT_FLOAT_EQ(m.masterVolume(), 1.0f);
    EXPECT_EQ(m.listener(), nullptr);
    EXPECT_FLOAT_EQ(m.updateFrequency(), 10.0f);
    EXPECT_EQ(m.cadencer(), nullptr);
    EXPECT_FLOAT_EQ(m.distanceFactor(), 1.0f);
    EXPECT_FLOAT_EQ(m.rollOffFactor(), 1.0f);
    EXPECT_FLOAT_EQ(m.dopplerFactor(), 1.0f);
    EXPECT_EQ(m.environment(), TGLSoundEnvironment::seDefault);
    EXPECT_EQ(m.lastUpdateTime(), -1e30);
    EXPECT_EQ(m.className(), "TGLSoundManager");
    EXPECT_EQ(wavOut.className(), "TGLSMWaveOut");

    auto camera = std::make_unique<TGLDummyCube>();
    m.setListener(camera.get());
    camera.reset();
    EXPECT_EQ(m.listener(), nullptr);
}

TEST_F(SoundTest, ASourceCopiesEverySettingOfItsEmitter) {
    TGLBaseSoundSource fresh;
    EXPECT_EQ(fresh.soundLibrary(), nullptr);
    EXPECT_EQ(fresh.soundName(), "");
    EXPECT_FLOAT_EQ(fresh.volume(), 1.0f);
    EXPECT_EQ(fresh.nbLoops(), 1);
    EXPECT_FLOAT_EQ(fresh.minDistance(), 1.0f);
    EXPECT_FLOAT_EQ(fresh.maxDistance(), 100.0f);
    EXPECT_FLOAT_EQ(fresh.insideConeAngle(), 360.0f);
    EXPECT_FLOAT_EQ(fresh.outsideConeAngle(), 360.0f);
    EXPECT_FLOAT_EQ(fresh.coneOutsideVolume(), 0.0f);
    EXPECT_EQ(fresh.frequency(), -1);

    audio.completeManually();
    TGLBSoundEmitter& e = addEmitter("Thema", false);
    TGLBaseSoundSource& s = e.source();
    s.setVolume(0.5f);
    s.setNbLoops(2);
    s.setMute(true);
    s.setPause(true);
    s.setPriority(7);
    s.setMinDistance(2);
    s.setMaxDistance(50);
    s.setInsideConeAngle(90);
    s.setOutsideConeAngle(180);
    s.setConeOutsideVolume(0.25f);
    s.setFrequency(11025);
    e.setPlaying(true);
    const TGLSoundSource& p = *e.playingSource();
    EXPECT_EQ(p.soundLibrary(), &library);
    EXPECT_EQ(p.soundName(), "Thema");
    EXPECT_FLOAT_EQ(p.volume(), 0.5f);
    EXPECT_EQ(p.nbLoops(), 2);
    EXPECT_TRUE(p.mute() && p.pause());
    EXPECT_EQ(p.priority(), 7);
    EXPECT_FLOAT_EQ(p.minDistance(), 2);
    EXPECT_FLOAT_EQ(p.maxDistance(), 50);
    EXPECT_FLOAT_EQ(p.insideConeAngle(), 90);
    EXPECT_FLOAT_EQ(p.outsideConeAngle(), 180);
    EXPECT_FLOAT_EQ(p.coneOutsideVolume(), 0.25f);
    EXPECT_EQ(p.frequency(), 11025);
    EXPECT_EQ(p.origin(), &dummy);
    EXPECT_EQ(p.emitter(), &e);
    // The wave output plays at the recorded rate whatever Frequency says.
    update();
    EXPECT_EQ(audio.played[0].format.sampleRate, 16000);
}

} // namespace
} // namespace coilrun::engine::test
