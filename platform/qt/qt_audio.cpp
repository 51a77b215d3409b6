#include "platform/qt/qt_audio.h"

#include "platform/qt/large_blocks.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QElapsedTimer>
#include <QIODevice>
#include <QMediaDevices>
#include <QObject>
#include <QTimer>
#include <algorithm>
#include <cstring>

namespace coilrun::qt {
namespace {

// Hands out one PCM buffer a given number of times over, then reports its end.
// The sink pulls from it on the thread it lives on (the user-interface thread).
class LoopedPcm : public QIODevice {
public:
    LoopedPcm(const std::uint8_t* data, std::size_t size, std::uint32_t loops)
        : data_(data), size_(size), loopsLeft_(size ? std::max<std::uint32_t>(loops, 1) : 0) {}

    bool isSequential() const override { return true; }
    bool atEnd() const override { return loopsLeft_ == 0; }
    qint64 bytesAvailable() const override {
        if (loopsLeft_ == 0) return QIODevice::bytesAvailable();
        // Enough to tell the sink there is more; the exact figure may pass 2^63 for
        // endless looping.
        const std::uint64_t rest = (size_ - pos_) + std::uint64_t(loopsLeft_ - 1) * size_;
        return qint64(std::min<std::uint64_t>(rest, 1u << 30)) + QIODevice::bytesAvailable();
    }

protected:
    qint64 readData(char* out, qint64 max) override {
        qint64 given = 0;
        while (given < max && loopsLeft_ > 0) {
            const std::size_t n = std::min<std::size_t>(size_ - pos_, std::size_t(max - given));
            std::memcpy(out + given, data_ + pos_, n);
            given += qint64(n);
            pos_ += n;
            if (pos_ == size_) {
                pos_ = 0;
                --loopsLeft_;
            }
        }
        return given;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    std::uint32_t loopsLeft_;
};

// Without an audio device a voice finishes the moment it starts, silently.
class SilentVoice : public platform::AudioVoice {
public:
    void play(const std::uint8_t*, std::size_t, std::uint32_t,
              std::function<void()> onDone) override {
        if (onDone) onDone();
    }
    void reset() override {}
};

// One playback on a sink of its own; the system mixes the sinks.
//
// The end is reported once the sound has been heard, not when its last byte was
// handed to the sink: the sink reports running dry while the system still holds
// its last buffer, and closing then would cut the tail off. So the voice waits
// until every loop has been handed over, the sound's own duration has passed
// since it started, and the sink has been idle for a moment (a sink that stalled
// under load runs late and is waited for, within reason).
class SinkVoice : public platform::AudioVoice {
public:
    SinkVoice(const QAudioDevice& device, const QAudioFormat& format, int bytesPerSecond)
        : sink_(std::make_unique<QAudioSink>(device, format)), bytesPerSecond_(bytesPerSecond) {
        check_.setSingleShot(true);
        QObject::connect(&check_, &QTimer::timeout, &guard_, [this] { checkEnd(); });
    }

    ~SinkVoice() override { reset(); }

    void play(const std::uint8_t* data, std::size_t size, std::uint32_t loops,
              std::function<void()> onDone) override {
        reset();
        onDone_ = std::move(onDone);
        pcm_ = std::make_unique<LoopedPcm>(data, size, loops);
        pcm_->open(QIODevice::ReadOnly);
        if (pcm_->atEnd()) return finish();

        QObject::connect(sink_.get(), &QAudioSink::stateChanged, &guard_,
                         [this](QAudio::State state) { onState(state); });
        idle_.invalidate();
        started_.start();
        sink_->start(pcm_.get());
        if (sink_->state() == QAudio::StoppedState && sink_->error() != QAudio::NoError)
            return finish(); // the device would not open: the sound ends, unheard

        const double seconds =
            double(size) * std::max<std::uint32_t>(loops, 1) / std::max(bytesPerSecond_, 1);
        // Endless looping (a negative loop count) never ends by itself.
        if (seconds < 24.0 * 3600) {
            durationMs_ = qint64(seconds * 1000);
            check_.start(int(durationMs_ + kDrainMs));
        }
    }

    void reset() override {
        onDone_ = nullptr;
        stop();
    }

private:
    // How long the system may still be playing after the sink ran dry.
    static constexpr qint64 kDrainMs = 150;
    // The longest a stalled sink is waited for beyond the sound's duration.
    static constexpr qint64 kMostLateMs = 2000;

    void onState(QAudio::State state) {
        if (!pcm_) return;
        if (state == QAudio::IdleState) {
            if (!idle_.isValid()) idle_.start();
        } else if (state == QAudio::ActiveState) {
            idle_.invalidate();
        } else if (state == QAudio::StoppedState && sink_->error() != QAudio::NoError) {
            finish(); // the device went away: what is left is not heard
        }
    }

    void checkEnd() {
        if (!pcm_) return;
        const qint64 late = started_.elapsed() - durationMs_;
        const bool drained = idle_.isValid() && idle_.elapsed() >= kDrainMs;
        if (pcm_->atEnd() && (drained || late >= kMostLateMs))
            finish();
        else
            check_.start(20);
    }

    void finish() {
        std::function<void()> done = std::move(onDone_);
        onDone_ = nullptr;
        stop();
        if (done) done();
    }

    void stop() {
        check_.stop();
        QObject::disconnect(sink_.get(), nullptr, &guard_, nullptr);
        if (sink_->state() != QAudio::StoppedState) sink_->reset();
        pcm_.reset();
    }

    QObject guard_; // receiver of the connections, so none outlives the voice
    std::unique_ptr<QAudioSink> sink_;
    std::unique_ptr<LoopedPcm> pcm_;
    std::function<void()> onDone_;
    QTimer check_;
    QElapsedTimer started_, idle_;
    qint64 durationMs_ = 0;
    int bytesPerSecond_;
};

} // namespace

QtAudioOutput::QtAudioOutput(QByteArray deviceId) : deviceId_(std::move(deviceId)) {
    // Every sink started takes and frees a large buffer (large_blocks.h).
    returnLargeBlocksToTheSystem();
}

std::unique_ptr<platform::AudioVoice> QtAudioOutput::open(const platform::PcmFormat& format) {
    QAudioFormat f;
    switch (format.bitsPerSample) {
    case 8:
        f.setSampleFormat(QAudioFormat::UInt8);
        break;
    case 16:
        f.setSampleFormat(QAudioFormat::Int16);
        break;
    case 32:
        f.setSampleFormat(QAudioFormat::Int32);
        break;
    default:
        return nullptr;
    }
    if (format.sampleRate <= 0 || format.channels <= 0 || format.channels > 8) return nullptr;
    f.setSampleRate(format.sampleRate);
    f.setChannelCount(format.channels);

    QAudioDevice device;
    if (deviceId_.isEmpty()) {
        device = QMediaDevices::defaultAudioOutput();
    } else {
        for (const QAudioDevice& d : QMediaDevices::audioOutputs())
            if (d.id() == deviceId_) device = d;
    }
    if (device.isNull()) return std::make_unique<SilentVoice>();
    return std::make_unique<SinkVoice>(device, f, f.bytesForDuration(1000000));
}

} // namespace coilrun::qt
