// The wave output as the player hears it: samples played through the sound
// engine on real audio sinks, into a PulseAudio null sink that this test loads
// for itself, recorded from that sink's monitor with parec.
#include "engine/objects/dummy_cube.h"
#include "engine/sound/sm_wave_out.h"
#include "engine/sound/sound_context.h"
#include "engine/sound/sound_emitter.h"
#include "engine/sound/sound_library.h"
#include "platform/qt/qt_audio.h"
#include "scene/assets/embedded_assets.h"
#include "tests/sim/sim_services.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace coilrun::test {
namespace {

std::string g_sink;    // name of the null sink this run loaded, empty when none
std::string g_failure; // why there is none

// Runs the event loop until done() holds or ms have passed, looking every 5 ms;
// returns done().
bool spinUntil(const std::function<bool()>& done, int ms) {
    QEventLoop loop;
    QTimer poll;
    QElapsedTimer t;
    t.start();
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || t.elapsed() >= ms) loop.quit();
    });
    poll.start(5);
    if (!done()) loop.exec();
    return done();
}

void spin(int ms) {
    spinUntil([] { return false; }, ms);
}

// Mono 16-bit recording of the sink's monitor at a chosen rate.
class Recorder {
public:
    explicit Recorder(int rate) {
        proc_.setProgram("parec");
        proc_.setArguments({"-d", QString::fromStdString(g_sink + ".monitor"), "--raw",
                            "--format=s16le", "--channels=1",
                            QString("--rate=%1").arg(rate), "--latency-msec=20"});
        proc_.start();
        // parec is connected once the monitor starts sending silence; what is
        // played before then would not be recorded.
        started_ = proc_.waitForStarted(5000) &&
                   spinUntil([&] { return proc_.bytesAvailable() > 0; }, 5000);
        proc_.readAll();
    }
    bool started() const { return started_; }
    std::vector<std::int16_t> stop() {
        spin(100);
        QByteArray raw = proc_.readAll();
        proc_.terminate();
        proc_.waitForFinished(3000);
        raw += proc_.readAll();
        std::vector<std::int16_t> out(std::size_t(raw.size()) / 2);
        std::memcpy(out.data(), raw.constData(), out.size() * 2);
        return out;
    }

private:
    QProcess proc_;
    bool started_ = false;
};

struct Span {
    std::size_t first = 0, last = 0; // inclusive; last < first when nothing is there
    double seconds(int rate) const { return last >= first ? double(last - first + 1) / rate : 0; }
};

template <typename T> Span audibleSpan(const std::vector<T>& x, double threshold) {
    Span s{1, 0};
    for (std::size_t i = 0; i < x.size(); ++i)
        if (std::abs(double(x[i])) > threshold) {
            if (s.last < s.first) s.first = i;
            s.last = i;
        }
    return s;
}

template <typename T> double rms(const std::vector<T>& x, Span s) {
    double sum = 0;
    for (std::size_t i = s.first; i <= s.last && i < x.size(); ++i)
        sum += double(x[i]) * double(x[i]);
    return s.last >= s.first ? std::sqrt(sum / double(s.last - s.first + 1)) : 0;
}

// The 16-bit signed samples of a wave file's data, as heard.
std::vector<std::int16_t> samplesOf(const engine::TGLWAVFile& wav) {
    const auto pcm = wav.pcmData();
    std::vector<std::int16_t> out;
    if (wav.Sampling().BitsPerSample == 8) {
        for (std::uint8_t b : pcm)
            out.push_back(std::int16_t((int(b) - 128) * 256));
    } else {
        out.resize(pcm.size() / 2);
        std::memcpy(out.data(), pcm.data(), out.size() * 2);
    }
    return out;
}

// The sound engine on the real output: a library of the game's own samples, one
// wave output updated from a real-time timer, and a dummy to hang emitters on.
class WaveOutput : public ::testing::Test {
protected:
    void SetUp() override {
        if (g_sink.empty()) GTEST_SKIP() << "no null sink: " << g_failure;
        for (const char* name : {"Thema", "speck", "Game_Over", "red"})
            library.samples().add(name, scene::embeddedSample(name));
        wavOut.setMaxChannels(6);
        wavOut.setActive(true);
        clock.start();
        QObject::connect(&ticker, &QTimer::timeout, &ticker, [this] {
            const double now = double(clock.nsecsElapsed()) * 1e-9;
            wavOut.doProgress({now - last, now});
            last = now;
        });
        ticker.start(10);
    }

    engine::TGLBSoundEmitter& play(const std::string& name, int loops = 1) {
        auto e = std::make_unique<engine::TGLBSoundEmitter>(context);
        e->source().setSoundLibrary(&library);
        e->source().setSoundName(name);
        e->source().setNbLoops(loops);
        auto& added = static_cast<engine::TGLBSoundEmitter&>(dummy.addBehaviour(std::move(e)));
        added.setPlaying(true);
        return added;
    }

    sim::SimMessageBoxes boxes;
    engine::SoundContext context{boxes};
    qt::QtAudioOutput output{QByteArray::fromStdString(g_sink)};
    engine::TGLSoundLibrary library;
    engine::TGLSMWaveOut wavOut{context, output};
    engine::TGLDummyCube dummy;
    QElapsedTimer clock;
    QTimer ticker;
    double last = 0;
};

TEST_F(WaveOutput, ThemaPlaysWholeAtItsLevelAndEndsWhenHeard) {
    const auto thema = scene::embeddedSample("Thema");
    ASSERT_EQ(thema->Sampling().Frequency, 16000);
    const std::vector<std::int16_t> source = samplesOf(*thema);
    const double threshold = 300; // about -40 dBFS
    const Span sourceSpan = audibleSpan(source, threshold);
    const double nominal = 53.562;
    ASSERT_NEAR(sourceSpan.seconds(16000), nominal, nominal * 0.02);

    Recorder rec(16000);
    ASSERT_TRUE(rec.started()) << "parec did not start";
    QElapsedTimer played;
    played.start();
    auto& emitter = play("Thema");
    ASSERT_TRUE(emitter.playing());
    // The source is deleted at the first update after the voice reports its end.
    // The emitter is then taken off the dummy, so watch the behaviour count.
    const bool ended = spinUntil([&] { return dummy.behaviours().empty(); }, 75000);
    const double endedAfter = double(played.elapsed()) / 1000;
    const std::vector<std::int16_t> heard = rec.stop();
    ASSERT_TRUE(ended) << "Thema never reported its end";

    const Span span = audibleSpan(heard, threshold);
    const double length = span.seconds(16000);
    std::printf("[ figure ] Thema heard for %.3f s (data %.3f s), end reported after %.3f s\n",
                length, sourceSpan.seconds(16000), endedAfter);
    EXPECT_NEAR(length, sourceSpan.seconds(16000), nominal * 0.02);
    // Its end is reported once it has been heard, not when the data was handed over.
    EXPECT_GE(endedAfter, nominal * 0.98);
    EXPECT_LE(endedAfter, nominal + 3.0);

    // Not silent and at the sample's own level: a wrong width or rate would change
    // the loudness (and the length) well beyond this.
    const double heardDb = 20 * std::log10(rms(heard, span) / 32768);
    const double sourceDb = 20 * std::log10(rms(source, sourceSpan) / 32768);
    std::printf("[ figure ] level heard %.2f dBFS, in the data %.2f dBFS\n", heardDb, sourceDb);
    EXPECT_GT(heardDb, -30);
    EXPECT_NEAR(heardDb, sourceDb, 1.5);

    // No clipping: nothing at full scale.
    const auto clipped = std::count_if(heard.begin(), heard.end(),
                                       [](std::int16_t v) { return v >= 32700 || v <= -32700; });
    EXPECT_EQ(clipped, 0);
}

TEST_F(WaveOutput, LoopsPlayTheSampleThatManyTimes) {
    const auto speck = scene::embeddedSample("speck");
    const double once = double(speck->pcmData().size()) / speck->Sampling().Frequency;
    Recorder rec(8000);
    ASSERT_TRUE(rec.started());
    play("speck", 3);
    ASSERT_TRUE(spinUntil([&] { return dummy.behaviours().empty(); }, 10000));
    const auto heard = rec.stop();
    const auto span = audibleSpan(heard, 300);
    // The chime fades out at its end, so the last loop's tail is a little shorter.
    EXPECT_NEAR(span.seconds(8000), 3 * once, 0.15) << "one loop is " << once << " s";
}

TEST_F(WaveOutput, StoppingAnEmitterSilencesItAtOnce) {
    Recorder rec(11025);
    ASSERT_TRUE(rec.started());
    auto& emitter = play("Game_Over");
    // It starts at the next update; let it be heard for a second.
    spinUntil([&] { return wavOut.playbackOf(*emitter.playingSource()) != nullptr; }, 2000);
    spin(1000);
    emitter.setPlaying(false);
    spin(1000);
    const auto heard = rec.stop();
    const auto span = audibleSpan(heard, 300);
    ASSERT_GT(span.seconds(11025), 0.5) << "nothing was heard";
    // What comes after the stop is at most the sink's short buffer.
    const double after = double(heard.size() - 1 - span.last) / 11025;
    EXPECT_GT(after, 0.75) << "sound went on " << (1.1 - after) << " s after the stop";
}

TEST_F(WaveOutput, SeveralSamplesPlayAtOnceAndAllEnd) {
    Recorder rec(8000);
    ASSERT_TRUE(rec.started());
    for (int i = 0; i < 4; ++i)
        play(i % 2 ? "red" : "speck");
    ASSERT_TRUE(spinUntil([&] { return dummy.behaviours().empty(); }, 10000));
    const auto heard = rec.stop();
    EXPECT_GT(audibleSpan(heard, 300).seconds(8000), 0.4);
    EXPECT_EQ(wavOut.sources().count(), 0u);
}

// The output asked for a device that is not there behaves as a machine without
// sound: voices open, stay silent and end at once.
TEST(WaveOutputWithoutDevice, SourcesEndAtOnce) {
    qt::QtAudioOutput output("coilrun-no-such-device");
    auto voice = output.open({16000, 1, 16});
    ASSERT_NE(voice, nullptr);
    std::vector<std::uint8_t> data(32000, 0);
    std::atomic<int> done{0};
    voice->play(data.data(), data.size(), 1, [&] { ++done; });
    spinUntil([&] { return done > 0; }, 500);
    EXPECT_EQ(done, 1);
}

TEST(WaveOutputWithoutAServer, TheManagerStillActivatesAndSoundsEndSilently) {
    sim::SimMessageBoxes boxes;
    engine::SoundContext context{boxes};
    qt::QtAudioOutput output;
    engine::TGLSoundLibrary library;
    library.samples().add("speck", scene::embeddedSample("speck"));
    engine::TGLSMWaveOut wavOut{context, output};
    wavOut.setActive(true);
    EXPECT_EQ(context.activeManager(), &wavOut);

    engine::TGLDummyCube dummy;
    auto e = std::make_unique<engine::TGLBSoundEmitter>(context);
    e->source().setSoundLibrary(&library);
    e->source().setSoundName("speck");
    auto& emitter = static_cast<engine::TGLBSoundEmitter&>(dummy.addBehaviour(std::move(e)));
    emitter.setPlaying(true);
    wavOut.doProgress({0.2, 0.2});
    wavOut.doProgress({0.2, 0.4});
    EXPECT_TRUE(dummy.behaviours().empty());
    EXPECT_TRUE(boxes.shown.empty());

    // Formats no output can play are refused, never guessed at.
    EXPECT_EQ(output.open({16000, 1, 12}), nullptr);
    EXPECT_EQ(output.open({0, 1, 16}), nullptr);
}

bool run(const QString& program, const QStringList& args, QString* out = nullptr) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return false;
    if (out) *out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    return true;
}

} // namespace
} // namespace coilrun::test

int main(int argc, char** argv) {
    using namespace coilrun::test;
    ::testing::InitGoogleTest(&argc, argv);
    // The sink is loaded before the application exists, so that the audio
    // backend finds it in its first look at the devices.
    QString module;
    const bool wanted = std::getenv("PULSE_SERVER") == nullptr;
    if (wanted) {
        const std::string name = "coilrun_test_" + std::to_string(QCoreApplication::applicationPid());
        if (run("pactl", {"load-module", "module-null-sink",
                          QString::fromStdString("sink_name=" + name)},
                &module))
            g_sink = name;
        else
            g_failure = "pactl could not load a null sink (is PulseAudio running?)";
    }
    int rc;
    {
        QCoreApplication app(argc, argv);
        rc = RUN_ALL_TESTS();
    }
    if (!module.isEmpty()) run("pactl", {"unload-module", module});
    // A sound test that could not reach the sound server must not pass unseen.
    if (wanted && g_sink.empty()) {
        std::fprintf(stderr, "%s\n", g_failure.c_str());
        return 1;
    }
    return rc;
}
