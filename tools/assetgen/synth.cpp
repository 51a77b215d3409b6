#include "tools/assetgen/synth.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <stdexcept>
#include <string>

namespace coilrun::assetgen {

namespace {

constexpr double pi = 3.14159265358979323846;

// One cycle of a sine, looked up with linear interpolation: far cheaper than
// std::sin for the thousands of partials a piece needs, and clean to -100 dB.
struct SineTable {
    static constexpr int size = 4096;
    std::array<float, size + 1> v{};
    SineTable() {
        for (int i = 0; i <= size; ++i)
            v[std::size_t(i)] = float(std::sin(2 * pi * i / size));
    }
    float operator()(double cycles) const {
        const double f = (cycles - std::floor(cycles)) * size;
        const int i = int(f);
        const float t = float(f - i);
        return v[std::size_t(i)] + (v[std::size_t(i) + 1] - v[std::size_t(i)]) * t;
    }
};
const SineTable sine;

double midiHz(double midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// A raised-cosine ramp from 0 to 1 over [0, len]: no corner at either end, so
// neither the start nor the end of a note clicks.
double ramp(double t, double len) {
    if (t <= 0) return 0;
    if (t >= len) return 1;
    return 0.5 - 0.5 * std::cos(pi * t / len);
}

// Where a voice's samples go: a plain buffer, or a ring for pieces whose end
// runs on into their own start.
struct Target {
    std::vector<float>& dry;
    std::vector<float>& send;
    bool loop;
    float sendLevel;

    void add(long long i, float v) {
        const auto n = (long long)dry.size();
        if (loop) {
            i %= n;
            if (i < 0) i += n;
        } else if (i < 0 || i >= n) {
            return;
        }
        dry[std::size_t(i)] += v;
        send[std::size_t(i)] += v * sendLevel;
    }
};

// Harmonic voices: partial k (1-based) has amplitude amp(k) and decays at
// decay0 + decaySlope * (k - 1) per second; partials at or above 0.45 of the
// rate are left out, so nothing folds back below the Nyquist limit.
struct Additive {
    int maxPartials = 10;
    double power = 1.0;                    // amp(k) = 1 / k^power
    double decay0 = 0;                     // 1/s
    double decaySlope = 0;                 // 1/s per partial
    double attack = 0.004;                 // s
    double release = 0.08;                 // s
    double rolloff = 0;                    // extra low-pass: amp(k) /= 1 + (k / rolloff)^2 when > 0
    double vibratoDepth = 0;               // fraction of the frequency
    double vibratoDelay = 0.25;            // s
    std::array<double, 3> detune{0, 0, 0}; // cents of up to three unison voices
    int unison = 1;
    double gain = 1;
    double brassDrive = 0; // brightness that follows the envelope (brass)
    double maxRing = 4;    // s a note may ring after its start at most
};

void renderAdditive(Target& out, const Additive& p, int rate, double start, double hold, double hz,
                    float velocity, std::uint32_t seed) {
    const double nyquistSafe = 0.45 * rate;
    const int partials = std::max(1, std::min(p.maxPartials, int(nyquistSafe / hz)));
    std::array<double, 32> amp{};
    double norm = 0;
    for (int k = 1; k <= partials; ++k) {
        double a = 1.0 / std::pow(double(k), p.power);
        if (p.rolloff > 0) a /= 1 + (k / p.rolloff) * (k / p.rolloff);
        amp[std::size_t(k - 1)] = a;
        norm += a;
    }
    const double scale = p.gain * velocity / std::max(1.0, norm * 0.6);
    const double total = std::min(hold + p.release, p.maxRing);
    const auto frames = (long long)(total * rate);
    const auto first = (long long)std::llround(start * rate);
    Noise wobble(seed);
    const double vibRate = 4.8 + 0.6 * (wobble.next() + 1) * 0.5;
    std::array<double, 3> phase{}, ratio{};
    for (int u = 0; u < p.unison; ++u) {
        phase[std::size_t(u)] = 0.25 * u + 0.1 * wobble.next();
        ratio[std::size_t(u)] = std::pow(2.0, p.detune[std::size_t(u)] / 1200.0);
    }
    // Partials decay by a fixed factor per sample: no exp() in the inner loop.
    std::array<double, 32> level = amp, fall{};
    for (int k = 1; k <= partials; ++k)
        fall[std::size_t(k - 1)] = std::exp(-(p.decay0 + p.decaySlope * (k - 1)) / rate);
    for (long long n = 0; n < frames; ++n) {
        const double t = double(n) / rate;
        double env = ramp(t, p.attack);
        if (t > hold) env *= 1 - ramp(t - hold, p.release);
        if (t > total - 0.01) env *= 1 - ramp(t - (total - 0.01), 0.01);
        double vib = 1;
        if (p.vibratoDepth > 0)
            vib += p.vibratoDepth * ramp(t - p.vibratoDelay, 0.4) * std::sin(2 * pi * vibRate * t);
        double sample = 0;
        const double bright = p.brassDrive > 0 ? 0.25 + p.brassDrive * ramp(t, 0.05) : 1;
        for (int u = 0; u < p.unison; ++u) {
            const double f = hz * vib * ratio[std::size_t(u)];
            const double c = phase[std::size_t(u)];
            const int top = std::min(partials, int(nyquistSafe / f));
            double b = 1;
            for (int k = 1; k <= top; ++k) {
                sample += level[std::size_t(k - 1)] * b * sine(c * k);
                b *= bright;
            }
            phase[std::size_t(u)] += f / rate;
        }
        for (int k = 0; k < partials; ++k)
            level[std::size_t(k)] *= fall[std::size_t(k)];
        out.add(first + n, float(sample * env * scale / p.unison));
    }
}

Additive instrumentPatch(Instrument inst) {
    Additive p;
    switch (inst) {
    case Instrument::Pluck:
        p.maxPartials = 12, p.power = 1.1, p.decay0 = 2.2, p.decaySlope = 1.6, p.attack = 0.003,
        p.release = 0.09, p.gain = 1.0;
        break;
    case Instrument::Keys:
        p.maxPartials = 6, p.power = 1.8, p.decay0 = 1.3, p.decaySlope = 1.4, p.attack = 0.004,
        p.release = 0.25, p.gain = 0.9;
        break;
    case Instrument::Pad:
        p.maxPartials = 14, p.power = 1.0, p.rolloff = 4.5, p.attack = 0.35, p.release = 0.7,
        p.unison = 3, p.detune = {-8, 0, 7}, p.gain = 0.55, p.maxRing = 30;
        break;
    case Instrument::Brass:
        p.maxPartials = 14, p.power = 0.9, p.attack = 0.035, p.release = 0.14, p.brassDrive = 0.55,
        p.vibratoDepth = 0.004, p.vibratoDelay = 0.3, p.unison = 2, p.detune = {-4, 4, 0},
        p.gain = 0.8, p.maxRing = 30;
        break;
    case Instrument::Flute:
        p.maxPartials = 4, p.power = 2.2, p.attack = 0.07, p.release = 0.18, p.vibratoDepth = 0.005,
        p.vibratoDelay = 0.2, p.gain = 0.8, p.maxRing = 30;
        break;
    case Instrument::Bass:
        p.maxPartials = 8, p.power = 1.5, p.decay0 = 0.6, p.decaySlope = 1.8, p.attack = 0.004,
        p.release = 0.06, p.gain = 1.1, p.maxRing = 30;
        break;
    case Instrument::SynthBass:
        p.maxPartials = 12, p.power = 1.0, p.decay0 = 0.8, p.decaySlope = 3.5, p.attack = 0.003,
        p.release = 0.03, p.gain = 0.9, p.maxRing = 30;
        break;
    default:
        break;
    }
    return p;
}

// A bell: a hum tone under the strike and inharmonic partials, each fading at
// its own rate, the high ones first.
void renderBell(Target& out, int rate, double start, double hold, double hz, float velocity) {
    static constexpr std::array<double, 6> ratio{0.5, 1.0, 2.0, 2.76, 4.07, 5.40};
    static constexpr std::array<double, 6> level{0.2, 1.0, 0.45, 0.35, 0.2, 0.14};
    static constexpr std::array<double, 6> decay{1.2, 1.8, 2.8, 4.0, 6.0, 8.0};
    const double total = std::min(std::max(hold, 0.4) + 1.2, 3.0);
    const auto frames = (long long)(total * rate);
    const auto first = (long long)std::llround(start * rate);
    std::array<double, 6> amp = level, fall{};
    for (std::size_t i = 0; i < ratio.size(); ++i)
        fall[i] = std::exp(-decay[i] / rate);
    for (long long n = 0; n < frames; ++n) {
        const double t = double(n) / rate;
        const double env = ramp(t, 0.002) * (1 - ramp(t - (total - 0.05), 0.05));
        double s = 0;
        for (std::size_t i = 0; i < ratio.size(); ++i) {
            const double f = hz * ratio[i];
            if (f < 0.45 * rate) s += amp[i] * sine(f * t);
            amp[i] *= fall[i];
        }
        out.add(first + n, float(0.45 * velocity * env * s));
    }
}

// One-pole filters for the noise drums.
struct OnePole {
    double a = 0, y = 0;
    OnePole(double cutoff, int rate) : a(1 - std::exp(-2 * pi * cutoff / rate)) {}
    double low(double x) { return y += a * (x - y); }
    double high(double x) { return x - low(x); }
};

void renderDrum(Target& out, Instrument inst, int rate, double start, float velocity,
                std::uint32_t seed) {
    Noise noise(seed);
    const auto first = (long long)std::llround(start * rate);
    double length = 0.3;
    switch (inst) {
    case Instrument::Kick:
        length = 0.42;
        break;
    case Instrument::Snare:
        length = 0.32;
        break;
    case Instrument::Hat:
        length = 0.09;
        break;
    case Instrument::OpenHat:
        length = 0.45;
        break;
    default:
        length = 2.2;
        break;
    }
    const auto frames = (long long)(length * rate);
    OnePole hp1(std::min(6500.0, 0.3 * rate), rate), hp2(std::min(6500.0, 0.3 * rate), rate);
    OnePole snareHp(900, rate), snareLp(std::min(5000.0, 0.4 * rate), rate);
    OnePole clickLp(1500, rate);
    double phase = 0;
    for (long long n = 0; n < frames; ++n) {
        const double t = double(n) / rate;
        const double tail = 1 - ramp(t - (length - 0.03), 0.03);
        double s = 0;
        switch (inst) {
        case Instrument::Kick: {
            const double f = 46 + 120 * std::exp(-t / 0.028);
            phase += f / rate;
            s = 1.25 * std::exp(-t / 0.17) * sine(phase) +
                0.35 * std::exp(-t / 0.004) * clickLp.low(noise.next());
            s *= ramp(t, 0.0015);
            break;
        }
        case Instrument::Snare: {
            phase += 190.0 / rate;
            const double body = 0.5 * std::exp(-t / 0.045) * sine(phase);
            const double rattle =
                0.75 * std::exp(-t / 0.085) * snareLp.low(snareHp.high(noise.next()));
            s = (body + rattle) * ramp(t, 0.001);
            break;
        }
        case Instrument::Hat:
            s = 0.45 * std::exp(-t / 0.022) * hp2.high(hp1.high(noise.next())) * ramp(t, 0.0008);
            break;
        case Instrument::OpenHat:
            s = 0.35 * std::exp(-t / 0.13) * hp2.high(hp1.high(noise.next())) * ramp(t, 0.001);
            break;
        default:
            s = 0.4 * std::exp(-t / 0.55) * hp2.high(hp1.high(noise.next())) * ramp(t, 0.002);
            break;
        }
        out.add(first + n, float(s * tail * velocity));
    }
}

// A mono room: four damped combs into two all-passes. Run over a ring twice
// for loops, so the tail of the end is already sounding at the start.
void addReverb(std::vector<float>& dry, const std::vector<float>& send, int rate, bool loop) {
    struct Comb {
        std::vector<float> line;
        std::size_t pos = 0;
        float store = 0;
        float process(float x, float feedback, float damp) {
            const float y = line[pos];
            store = y * (1 - damp) + store * damp;
            line[pos] = x + store * feedback;
            pos = (pos + 1) % line.size();
            return y;
        }
    };
    struct AllPass {
        std::vector<float> line;
        std::size_t pos = 0;
        float process(float x) {
            const float b = line[pos];
            line[pos] = x + b * 0.5f;
            pos = (pos + 1) % line.size();
            return b - x;
        }
    };
    auto length = [&](double ms) {
        return std::max<std::size_t>(1, std::size_t(ms * 0.001 * rate));
    };
    std::array<Comb, 4> combs;
    const std::array<double, 4> combMs{35.3, 36.7, 33.8, 32.2};
    for (std::size_t i = 0; i < combs.size(); ++i)
        combs[i].line.assign(length(combMs[i] * 1.3), 0);
    std::array<AllPass, 2> passes;
    passes[0].line.assign(length(12.6), 0);
    passes[1].line.assign(length(10.0), 0);
    const int rounds = loop ? 2 : 1;
    for (int r = 0; r < rounds; ++r) {
        for (std::size_t i = 0; i < dry.size(); ++i) {
            const float x = send[i] * 0.3f;
            float y = 0;
            for (auto& c : combs)
                y += c.process(x, 0.8f, 0.3f);
            for (auto& a : passes)
                y = a.process(y);
            if (r == rounds - 1) dry[i] += y;
        }
    }
}

} // namespace

int midiOf(std::string_view name) {
    static constexpr std::array<int, 7> steps{9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (name.empty() || name[0] < 'A' || name[0] > 'G')
        throw std::invalid_argument("bad note name: " + std::string(name));
    int pc = steps[std::size_t(name[0] - 'A')];
    std::size_t i = 1;
    for (; i < name.size() && (name[i] == '#' || name[i] == 'b'); ++i)
        pc += name[i] == '#' ? 1 : -1;
    if (i >= name.size()) throw std::invalid_argument("note without octave: " + std::string(name));
    return (std::stoi(std::string(name.substr(i))) + 1) * 12 + pc;
}

double Score::melody(Instrument inst, double beat, std::string_view text, float velocity,
                     int transpose) {
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ')
            ++i;
        if (i >= text.size()) break;
        std::size_t end = text.find(' ', i);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view token = text.substr(i, end - i);
        const std::size_t colon = token.find(':');
        if (colon == std::string_view::npos) throw std::invalid_argument("token without length");
        const double len = std::stod(std::string(token.substr(colon + 1)));
        std::string_view pitches = token.substr(0, colon);
        if (pitches != "r") {
            std::size_t j = 0;
            while (j <= pitches.size()) {
                std::size_t plus = pitches.find('+', j);
                if (plus == std::string_view::npos) plus = pitches.size();
                add(inst, beat, len * 0.92, midiOf(pitches.substr(j, plus - j)) + transpose,
                    velocity);
                j = plus + 1;
            }
        }
        beat += len;
        i = end;
    }
    return beat;
}

void master(std::vector<float>& x, int rate, const MasterSettings& m) {
    const std::size_t n = x.size();
    if (n == 0) return;
    const int rounds = m.loop ? 2 : 1;
    // DC and sub-audio drift out: a 12 Hz high-pass.
    {
        const double r = 1 - 2 * pi * 12.0 / rate;
        double x1 = 0, y1 = 0;
        std::vector<float> out(n);
        for (int k = 0; k < rounds; ++k)
            for (std::size_t i = 0; i < n; ++i) {
                const double y = x[i] - x1 + r * y1;
                x1 = x[i];
                y1 = y;
                out[i] = float(y);
            }
        x.swap(out);
    }
    // Normalise the loud passages (not the single highest peak) to levelDb.
    {
        std::vector<float> mag(n);
        for (std::size_t i = 0; i < n; ++i)
            mag[i] = std::fabs(x[i]);
        const std::size_t at = std::min(n - 1, std::size_t(double(n) * 0.998));
        std::nth_element(mag.begin(), mag.begin() + std::ptrdiff_t(at), mag.end());
        const double loud = std::max(1e-9f, mag[at]);
        const double gain = std::pow(10.0, m.levelDb / 20) / loud;
        for (float& v : x)
            v = float(v * gain);
    }
    // Look-ahead limiter: the gain each sample needs, the minimum of that over a
    // window, then a moving average over the same window. The average at a peak
    // only takes in values at or below what the peak needs, so the ceiling holds
    // exactly, and the gain glides instead of jumping.
    {
        const double ceiling = std::pow(10.0, m.peakDb / 20);
        const auto w = std::size_t(std::max(1.0, 0.006 * rate));
        const std::size_t pad = 2 * w;
        auto idx = [&](long long i) -> std::size_t {
            const auto nn = (long long)n;
            if (m.loop) return std::size_t(((i % nn) + nn) % nn);
            return std::size_t(std::clamp<long long>(i, 0, nn - 1));
        };
        const std::size_t total = n + 2 * pad;
        std::vector<double> need(total);
        for (std::size_t i = 0; i < total; ++i) {
            const double a = std::fabs(x[idx((long long)i - (long long)pad)]);
            need[i] = a > ceiling ? ceiling / a : 1.0;
        }
        std::vector<double> low(total, 1.0);
        std::deque<std::size_t> q; // indices of need, increasing values
        for (std::size_t i = 0; i < total; ++i) {
            while (!q.empty() && need[q.back()] >= need[i])
                q.pop_back();
            q.push_back(i);
            if (q.front() + 2 * w < i) q.pop_front();
            if (i >= w) low[i - w] = need[q.front()];
        }
        std::vector<double> sum(total + 1, 0);
        for (std::size_t i = 0; i < total; ++i)
            sum[i + 1] = sum[i] + low[i];
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t c = i + pad;
            const double g = (sum[c + w + 1] - sum[c - w]) / double(2 * w + 1);
            x[i] = float(std::clamp(x[i] * g, -ceiling, ceiling));
        }
    }
    if (!m.loop) {
        const auto in = std::size_t(m.fadeIn * rate);
        const auto out = std::size_t(m.fadeOut * rate);
        for (std::size_t i = 0; i < std::min(in, n); ++i)
            x[i] = float(x[i] * ramp(double(i), double(in)));
        for (std::size_t i = 0; i < std::min(out, n); ++i)
            x[n - 1 - i] = float(x[n - 1 - i] * ramp(double(i), double(out)));
        x.front() = 0;
        x.back() = 0;
    }
}

std::vector<float> renderDry(const Score& score, int rate, std::size_t frames, bool loop) {
    std::vector<float> dry(frames, 0.0f), send(frames, 0.0f);
    const double secondsPerBeat = 60.0 / score.bpm;
    std::uint32_t seed = 1;
    for (const Note& note : score.notes) {
        float sendLevel = score.reverb;
        if (note.instrument == Instrument::Kick || note.instrument == Instrument::Bass ||
            note.instrument == Instrument::SynthBass)
            sendLevel *= 0.15f;
        Target out{dry, send, loop, sendLevel};
        const double start = note.beat * secondsPerBeat;
        const double hold = note.length * secondsPerBeat;
        const double hz = midiHz(note.midi);
        switch (note.instrument) {
        case Instrument::Bell:
            renderBell(out, rate, start, hold, hz, note.velocity);
            break;
        case Instrument::Kick:
        case Instrument::Snare:
        case Instrument::Hat:
        case Instrument::OpenHat:
        case Instrument::Crash:
            renderDrum(out, note.instrument, rate, start, note.velocity, seed);
            break;
        default:
            renderAdditive(out, instrumentPatch(note.instrument), rate, start, hold, hz,
                           note.velocity, seed);
            break;
        }
        ++seed;
    }
    addReverb(dry, send, rate, loop);
    return dry;
}

std::vector<float> render(const Score& score, int rate, std::size_t frames,
                          const MasterSettings& settings) {
    std::vector<float> out = renderDry(score, rate, frames, settings.loop);
    master(out, rate, settings);
    return out;
}

std::vector<std::uint8_t> toPcm(const std::vector<float>& signal, int bits, std::uint32_t seed) {
    Noise a(seed), b(seed ^ 0x9e3779b9u);
    std::vector<std::uint8_t> out;
    out.reserve(signal.size() * std::size_t(bits / 8));
    const double full = bits == 8 ? 127.0 : 32767.0;
    double env = 0;
    const double fall = 0.995;
    for (float v : signal) {
        // Dither fades with the signal so that silence stays digital silence
        // instead of a faint crackle of single steps.
        const double level = double(std::fabs(v)) * full;
        env = std::max(level, env * fall);
        const double d =
            std::min(1.0, env / 2) * std::min(1.0, level) * 0.5 * (a.next() + b.next());
        const double q = std::round(double(v) * full + d);
        if (bits == 8) {
            out.push_back(std::uint8_t(std::clamp(128.0 + q, 1.0, 255.0)));
        } else {
            const auto s = std::int16_t(std::clamp(q, -32767.0, 32767.0));
            out.push_back(std::uint8_t(std::uint16_t(s) & 0xff));
            out.push_back(std::uint8_t(std::uint16_t(s) >> 8));
        }
    }
    return out;
}

} // namespace coilrun::assetgen
