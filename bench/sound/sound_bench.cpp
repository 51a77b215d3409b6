// CPU time the wave output costs: three of the game's samples playing at once on
// the real audio sinks, against the same program idle. Needs a sound server
// (a PulseAudio null sink will do):  ./bench_sound [seconds]
#include "engine/sound/wav_file.h"
#include "platform/qt/qt_audio.h"
#include "scene/assets/embedded_assets.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sys/resource.h>
#include <vector>

namespace {

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

// Runs the event loop for seconds and returns the CPU seconds used per second.
double cpuPerSecond(double seconds) {
    const double before = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(int(seconds * 1000), qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    return (cpuSeconds() - before) / (double(wall.nsecsElapsed()) * 1e-9);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    using coilrun::scene::embeddedSample;

    coilrun::qt::QtAudioOutput output;
    std::vector<std::unique_ptr<coilrun::engine::TGLWAVFile>> samples;
    for (const char* name : {"Thema", "MainMenu", "Game_Over"})
        samples.push_back(embeddedSample(name));

    const double idle = cpuPerSecond(seconds);

    std::vector<std::unique_ptr<coilrun::platform::AudioVoice>> voices;
    QElapsedTimer opening;
    opening.start();
    for (const auto& s : samples) {
        const auto& f = s->Sampling();
        auto voice = output.open({f.Frequency, f.NbChannels, f.BitsPerSample});
        if (!voice) {
            std::fprintf(stderr, "no voice for a %d Hz %d-bit sample\n", f.Frequency,
                         f.BitsPerSample);
            return 1;
        }
        const auto pcm = s->pcmData();
        voice->play(pcm.data(), pcm.size(), 1,
                    [] { std::fprintf(stderr, "a sample ended early\n"); });
        voices.push_back(std::move(voice));
    }
    const double openMs = double(opening.nsecsElapsed()) * 1e-6;
    const double playing = cpuPerSecond(seconds);
    voices.clear();

    std::printf("wave output, %.0f s each:\n", seconds);
    std::printf("  idle event loop          %6.1f ms CPU per second\n", idle * 1000);
    std::printf("  three samples playing    %6.1f ms CPU per second\n", playing * 1000);
    std::printf("  of which the sound       %6.1f ms CPU per second\n", (playing - idle) * 1000);
    std::printf("  opening and starting three voices: %.1f ms\n", openMs);
    return 0;
}
