#include "engine/time/cadencer.h"
#include "tests/unit/sound/sound_fixture.h"

#include <thread>

namespace coilrun::engine::test {
namespace {

TEST_F(SoundTest, SevenRequestsOnSixChannelsPlayTheSixNearestTheEnd) {
    audio.completeManually();
    std::vector<std::unique_ptr<TGLBSoundEmitter>> emitters;
    for (int i = 0; i < 7; ++i) {
        emitters.push_back(looseEmitter("speck"));
        emitters.back()->setPlaying(true);
    }
    ASSERT_EQ(wavOut.sources().count(), 7u);
    update();
    EXPECT_FALSE(emitters[0]->playing());
    for (int i = 1; i < 7; ++i)
        EXPECT_TRUE(emitters[i]->playing()) << i;
    EXPECT_EQ(audio.playingCount(), 6u);
    EXPECT_EQ(wavOut.sources().count(), 6u);

    // Channels still busy count: with all six playing, a new request is dropped, not
    // kept for later.
    auto late = looseEmitter("speck");
    late->setPlaying(true);
    update();
    EXPECT_FALSE(late->playing());
    audio.finish(3);
    late->setPlaying(true);
    update(); // the finished one leaves and its channel serves the new request
    EXPECT_TRUE(late->playing());
    EXPECT_EQ(audio.played.size(), 7u);
}

TEST_F(SoundTest, NbLoopsPlaysOnceOrRepeatsWithTheLoopFlags) {
    audio.completeAfterDuration(platform.loopImpl);
    auto once = looseEmitter("speck");
    auto thrice = looseEmitter("speck");
    thrice->source().setNbLoops(3);
    once->setPlaying(true);
    thrice->setPlaying(true);
    update();

    const TGLWaveOutPlayback* p1 = TGLSMWaveOut::playbackOf(*once->playingSource());
    const TGLWaveOutPlayback* p3 = TGLSMWaveOut::playbackOf(*thrice->playingSource());
    ASSERT_TRUE(p1 && p3);
    EXPECT_EQ(p1->header().flags, 0u);
    EXPECT_EQ(p1->header().loops, 1u);
    EXPECT_EQ(p3->header().flags, TGLWaveOutHeader::beginLoop | TGLWaveOutHeader::endLoop);
    EXPECT_EQ(p3->header().flags, 12u);
    EXPECT_EQ(p3->header().length, 4000u);
    ASSERT_EQ(audio.played.size(), 2u);
    EXPECT_EQ(audio.played[0].loops, 3u); // nearest the end starts first
    EXPECT_EQ(audio.played[1].loops, 1u);

    // 0.5 s of sound: the single one ends after it, the looped one after 1.5 s.
    platform.loopImpl.runFor(0.6);
    update();
    EXPECT_FALSE(once->playing());
    EXPECT_TRUE(thrice->playing());
    platform.loopImpl.runFor(1.0);
    update();
    EXPECT_FALSE(thrice->playing());
    EXPECT_EQ(audio.played.size(), 2u); // a finished sound is not played again
}

TEST_F(SoundTest, NamesMatchIgnoringCaseAndTheFirstMatchWins) {
    library.samples().add("SPECK", makeSample(22050, 16, 100));
    auto e = looseEmitter("sPeCk");
    e->setPlaying(true);
    update();
    EXPECT_TRUE(e->playing());
    ASSERT_EQ(audio.played.size(), 1u);
    EXPECT_EQ(audio.played[0].format.sampleRate, 8000);
    EXPECT_EQ(audio.played[0].format.bitsPerSample, 8);
    EXPECT_EQ(audio.played[0].format.channels, 1);
    EXPECT_EQ(audio.played[0].bytes, 4000u);

    // Names are compared whole, and letters only: a name the library lacks (the game
    // starts one with an empty name) is dropped without a sound.
    for (const char* name : {"", "speck ", "spec", "speck\xC3\x89"}) {
        auto missing = looseEmitter(name);
        missing->setPlaying(true);
        update();
        EXPECT_FALSE(missing->playing()) << name;
    }
    auto noLibrary = looseEmitter("speck");
    noLibrary->source().setSoundLibrary(nullptr);
    noLibrary->setPlaying(true);
    update();
    EXPECT_FALSE(noLibrary->playing());
    EXPECT_EQ(audio.played.size(), 1u);
}

TEST_F(SoundTest, DeactivatingStopsEverythingAndReactivatingRestartsNothing) {
    audio.completeManually();
    std::vector<std::unique_ptr<TGLBSoundEmitter>> emitters;
    for (const char* name : {"speck", "Thema", "red"}) {
        emitters.push_back(looseEmitter(name));
        emitters.back()->setPlaying(true);
    }
    update();
    ASSERT_EQ(audio.playingCount(), 3u);
    auto waiting = looseEmitter("speck"); // asked for, not yet started
    waiting->setPlaying(true);

    wavOut.setActive(false);
    EXPECT_FALSE(wavOut.active());
    EXPECT_EQ(context.activeManager(), nullptr);
    EXPECT_EQ(wavOut.sources().count(), 0u);
    EXPECT_EQ(audio.playingCount(), 0u);
    EXPECT_EQ(audio.openVoices(), 0u);
    for (const auto& p : audio.played)
        EXPECT_TRUE(p.stopped);
    for (const auto& e : emitters)
        EXPECT_FALSE(e->playing());
    EXPECT_FALSE(waiting->playing());

    wavOut.setActive(true);
    update();
    EXPECT_EQ(audio.played.size(), 3u);
    EXPECT_EQ(wavOut.sources().count(), 0u);
}

TEST_F(SoundTest, TwoEmittersOfOneSamplePlayItTwiceOnTwoVoices) {
    auto a = looseEmitter("Thema");
    auto b = looseEmitter("Thema");
    audio.completeManually();
    a->setPlaying(true);
    b->setPlaying(true);
    update();
    EXPECT_TRUE(a->playing());
    EXPECT_TRUE(b->playing());
    EXPECT_EQ(audio.playingCount(), 2u);
    EXPECT_EQ(audio.openVoices(), 2u);
    EXPECT_NE(a->playingSource(), b->playingSource());
}

TEST_F(SoundTest, CompletionFromAnotherThreadIsSeenAtTheNextUpdate) {
    audio.completeManually();
    auto e = looseEmitter("Thema");
    e->setPlaying(true);
    update();
    TGLSoundSource* source = e->playingSource();
    ASSERT_TRUE(source);
    std::thread device([&] { audio.finish(0); });
    device.join();
    // Nothing but the flag changed: the source is still there until the update.
    EXPECT_TRUE(TGLSMWaveOut::playbackOf(*source)->done());
    EXPECT_TRUE(e->playing());
    EXPECT_EQ(wavOut.sources().count(), 1u);
    update();
    EXPECT_FALSE(e->playing());
    EXPECT_EQ(wavOut.sources().count(), 0u);
    EXPECT_FALSE(audio.played[0].stopped); // it had ended; it was not reset
}

TEST_F(SoundTest, StoppingAnEmitterResetsItsVoiceAtOnce) {
    audio.completeManually();
    auto e = looseEmitter("Thema");
    e->setPlaying(true);
    update();
    e->setPlaying(false);
    EXPECT_FALSE(e->playing());
    EXPECT_TRUE(audio.played[0].stopped);
    EXPECT_EQ(audio.openVoices(), 0u);
    EXPECT_EQ(wavOut.sources().count(), 0u);

    // An emitter destroyed while it plays takes its sound with it.
    auto f = looseEmitter("Thema");
    f->setPlaying(true);
    update();
    f.reset();
    EXPECT_TRUE(audio.played[1].stopped);
    EXPECT_EQ(wavOut.sources().count(), 0u);
}

TEST_F(SoundTest, UpdatesComeAtUpdateFrequency) {
    auto e = looseEmitter("speck");
    audio.completeManually();
    wavOut.doProgress({0.01, 1.00});
    e->setPlaying(true);
    wavOut.doProgress({0.05, 1.05});
    EXPECT_TRUE(audio.played.empty()); // within a tenth of a second of the last update
    wavOut.doProgress({0.04, 1.09});
    EXPECT_TRUE(audio.played.empty());
    wavOut.doProgress({0.02, 1.11});
    EXPECT_EQ(audio.played.size(), 1u);
    EXPECT_DOUBLE_EQ(wavOut.lastUpdateTime(), 1.11);
    EXPECT_NEAR(wavOut.lastDeltaTime(), 0.11, 1e-9);

    wavOut.setUpdateFrequency(2);
    auto g = looseEmitter("speck");
    g->setPlaying(true);
    wavOut.doProgress({0.3, 1.41});
    EXPECT_EQ(audio.played.size(), 1u);
    wavOut.doProgress({0.3, 1.71});
    EXPECT_EQ(audio.played.size(), 2u);
}

TEST_F(SoundTest, TheCadencerDrivesTheManager) {
    engine::CadencerPump pump(platform.clockImpl, platform.loopImpl);
    engine::TGLCadencer cadencer(pump);
    cadencer.setMode(engine::TGLCadencerMode::cmManual);
    wavOut.setCadencer(&cadencer);
    auto e = looseEmitter("speck");
    e->setPlaying(true);
    platform.clockImpl.advance(0.5);
    cadencer.progress();
    EXPECT_EQ(audio.played.size(), 1u);
    {
        engine::TGLCadencer other(pump);
        wavOut.setCadencer(&other);
    }
    EXPECT_EQ(wavOut.cadencer(), nullptr);
}

TEST_F(SoundTest, AnOutputThatCannotOpenDropsTheRequest) {
    audio.refuseOpen = true;
    auto e = looseEmitter("speck");
    e->setPlaying(true);
    update();
    EXPECT_FALSE(e->playing());
    EXPECT_EQ(wavOut.sources().count(), 0u);
}

TEST_F(SoundTest, APlayingSoundKeepsItsBytesWhenItsLibraryGoes) {
    audio.completeManually();
    auto lib = std::make_unique<TGLSoundLibrary>();
    lib->samples().add("tone", makeSample(8000, 8, 800));
    auto e = looseEmitter("tone");
    e->source().setSoundLibrary(lib.get());
    e->setPlaying(true);
    update();
    const std::uint8_t* bytes = TGLSMWaveOut::playbackOf(*e->playingSource())->header().data;
    lib.reset();
    EXPECT_EQ(e->source().soundLibrary(), nullptr);
    EXPECT_EQ(e->playingSource()->soundLibrary(), nullptr);
    EXPECT_EQ(bytes[0], 0x80); // still owned by the playback (checked by ASan)
    EXPECT_TRUE(e->playing());
}

} // namespace
} // namespace coilrun::engine::test
