#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

// A small offline synthesiser for the game's music and effects: band-limited
// additive voices with envelopes, noise drums, a reverb send and a mastering
// chain. Everything is deterministic: noise comes from fixed seeds.
namespace coilrun::assetgen {

enum class Instrument {
    Pluck,     // bright plucked lead, harmonics decaying faster the higher they are
    Bell,      // inharmonic chime
    Keys,      // soft electric piano for arpeggios and chords
    Pad,       // slow detuned string pad for harmony
    Brass,     // brass-like lead whose brightness follows its envelope
    Flute,     // breathy sine lead with vibrato
    Bass,      // round plucked bass
    SynthBass, // driving saw bass for the in-game theme
    Kick,
    Snare,
    Hat,
    OpenHat,
    Crash,
};

struct Note {
    double beat = 0;   // start, in beats from the piece's start
    double length = 1; // held for, in beats (the release rings on after)
    int midi = 60;     // pitch; ignored by the drums
    float velocity = 1;
    Instrument instrument = Instrument::Pluck;
};

// A piece as a list of notes at a tempo, rendered to a buffer of exactly the
// requested number of frames.
struct Score {
    double bpm = 120;
    std::vector<Note> notes;
    float reverb = 0.15f; // send level of the reverb

    void add(Instrument inst, double beat, double length, int midi, float velocity = 1) {
        notes.push_back({beat, length, midi, velocity, inst});
    }
    // Adds "C5:1 r:0.5 D#5:0.5 ..." (name and octave, or r for a rest; length in
    // beats) from beat on; returns the beat after the last token.
    double melody(Instrument inst, double beat, std::string_view text, float velocity = 1,
                  int transpose = 0);
};

// Parses a note name such as "C4", "F#3" or "Bb5" to its MIDI number (C4 = 60).
int midiOf(std::string_view name);

struct MasterSettings {
    double peakDb = -1.0;  // the limiter's ceiling
    double levelDb = -3.0; // where the loud passages are normalised to before limiting
    double fadeIn = 0.005; // seconds
    double fadeOut = 0.05; // seconds; ignored for loops
    bool loop = false;     // the end joins the start: tails wrap round, no fades
};

// Renders the score to frames samples at rate, mastered: reverb, DC removal,
// normalisation, look-ahead limiting and fades. Values lie in [-1, 1].
std::vector<float> render(const Score& score, int rate, std::size_t frames,
                          const MasterSettings& master);

// The same before mastering, for pieces that add sounds of their own.
std::vector<float> renderDry(const Score& score, int rate, std::size_t frames, bool loop);

// The mastering chain alone, for effects drawn sample by sample.
void master(std::vector<float>& signal, int rate, const MasterSettings& settings);

// PCM as stored: 8 bits unsigned (128 = silence) or 16 bits signed little-endian,
// with triangular dither that fades out with the signal so silence stays exact.
std::vector<std::uint8_t> toPcm(const std::vector<float>& signal, int bits, std::uint32_t seed);

// Deterministic noise in [-1, 1).
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed * 2654435761u + 1u) {}
    float next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return float(state_ >> 8) / 8388608.0f - 1.0f;
    }

private:
    std::uint32_t state_;
};

} // namespace coilrun::assetgen
