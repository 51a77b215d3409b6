#include "tools/assetgen/music.h"

#include "tools/assetgen/synth.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace coilrun::assetgen {

namespace {

using I = Instrument;

// ---- harmony helpers --------------------------------------------------------

struct Chord {
    int root = 0; // pitch class, C = 0
    std::vector<int> intervals;
};

Chord chord(std::string_view name) {
    static constexpr int steps[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    Chord c;
    c.root = steps[name[0] - 'A'];
    std::size_t i = 1;
    if (i < name.size() && (name[i] == '#' || name[i] == 'b')) c.root += name[i++] == '#' ? 1 : -1;
    c.root = (c.root + 12) % 12;
    const std::string_view kind = name.substr(i);
    if (kind.empty())
        c.intervals = {0, 4, 7};
    else if (kind == "m")
        c.intervals = {0, 3, 7};
    else if (kind == "7")
        c.intervals = {0, 4, 7, 10};
    else if (kind == "m7")
        c.intervals = {0, 3, 7, 10};
    else if (kind == "maj7")
        c.intervals = {0, 4, 7, 11};
    else if (kind == "sus4")
        c.intervals = {0, 5, 7};
    else if (kind == "sus2")
        c.intervals = {0, 2, 7};
    else if (kind == "add9")
        c.intervals = {0, 4, 7, 14};
    else
        throw std::invalid_argument("unknown chord " + std::string(name));
    return c;
}

// The chord's tones placed in [low, low + 12), sorted.
std::vector<int> voicing(const Chord& c, int low) {
    std::vector<int> notes;
    for (int iv : c.intervals) {
        int n = low + ((c.root + iv - low) % 12 + 12) % 12;
        notes.push_back(n);
    }
    std::sort(notes.begin(), notes.end());
    notes.erase(std::unique(notes.begin(), notes.end()), notes.end());
    return notes;
}

int bassNote(const Chord& c, int low) {
    return low + ((c.root - low) % 12 + 12) % 12;
}

void pad(Score& s, double beat, double len, const Chord& c, int low, float vel, I inst = I::Pad) {
    for (int n : voicing(c, low))
        s.add(inst, beat, len, n, vel);
}

// Broken chords over two octaves: steps of step beats, pattern indices into the
// chord tones counted upward from low.
void arpeggio(Score& s, I inst, double beat, double len, const Chord& c, int low, double step,
              std::initializer_list<int> pattern, float vel) {
    const std::vector<int> tones = voicing(c, low);
    const auto count = int(tones.size());
    int i = 0;
    for (double b = 0; b < len - 1e-9; b += step, ++i) {
        const int idx = pattern.begin()[std::size_t(i) % pattern.size()];
        const int n = tones[std::size_t(idx % count)] + 12 * (idx / count);
        const float accent = (i % 4 == 0) ? 1.0f : 0.8f;
        s.add(inst, beat + b, step * 0.9, n, vel * accent);
    }
}

// ---- "Thema": driving in-game music, one seamless loop ----------------------

// 32 bars at a tempo that fills the sample exactly, so the last bar runs
// straight into the first when the game starts the piece again.
std::vector<float> thema(int rate, std::size_t frames) {
    Score s;
    const double beats = 128;
    s.bpm = beats * 60.0 / (double(frames) / rate);
    s.reverb = 0.16f;
    const char* prog[32] = {"Am",    "F", "C",  "G",  "Am", "F",  "G", "E",   // A
                            "F",     "G", "Am", "Am", "F",  "G",  "E", "E",   // B
                            "Am",    "F", "C",  "G",  "Am", "F",  "G", "E",   // A'
                            "Fmaj7", "G", "Em", "Am", "Dm", "Em", "F", "E7"}; // C
    for (int bar = 0; bar < 32; ++bar) {
        const double b = bar * 4.0;
        const Chord c = chord(prog[bar]);
        const bool breakdown = bar >= 24 && bar < 28;
        pad(s, b, 4, c, 55, breakdown ? 0.55f : 0.38f);
        // Driving eighth-note bass with an octave kick on the off-beats.
        const int root = bassNote(c, 33);
        static constexpr int shape[8] = {0, 0, 12, 0, 0, 12, 7, 12};
        for (int e = 0; e < 8; ++e) {
            if (breakdown && e % 2) continue;
            s.add(I::SynthBass, b + e * 0.5, 0.42, root + shape[e], e % 2 ? 0.75f : 0.95f);
        }
        // Sixteenth-note arpeggio, quieter under the lead.
        const bool lead = bar < 8 || (bar >= 16 && bar < 24);
        arpeggio(s, I::Keys, b, 4, c, 57, 0.25, {0, 1, 2, 3, 2, 1, 2, 3}, lead ? 0.32f : 0.45f);
        // Drums: four on the floor, back-beat snare, eighth hats with open off-beats.
        for (int q = 0; q < 4; ++q) {
            if (!breakdown || q % 2 == 0) s.add(I::Kick, b + q, 0.2, 36, 1.0f);
            if (q % 2 == 1 && !breakdown) s.add(I::Snare, b + q, 0.2, 38, 0.85f);
            if (breakdown && q == 2) s.add(I::Snare, b + q, 0.2, 38, 0.7f);
            s.add(I::Hat, b + q, 0.1, 42, 0.6f);
            if (bar % 2 == 1 && q == 3)
                s.add(I::OpenHat, b + q + 0.5, 0.2, 46, 0.55f);
            else
                s.add(I::Hat, b + q + 0.5, 0.1, 42, 0.4f);
            if (bar >= 8 && bar < 16) {
                s.add(I::Hat, b + q + 0.25, 0.1, 42, 0.25f);
                s.add(I::Hat, b + q + 0.75, 0.1, 42, 0.25f);
            }
        }
        if (bar == 0 || bar == 8 || bar == 16) s.add(I::Crash, b, 1, 49, 0.8f);
    }
    // The last bar builds into the loop's start: a snare run rising in strength.
    for (int i = 0; i < 8; ++i)
        s.add(I::Snare, 31 * 4 + 2 + i * 0.25, 0.2, 38, 0.35f + 0.07f * i);

    const char* themeA = "A4:0.5 C5:0.5 E5:1 D5:0.5 C5:0.5 B4:0.5 C5:0.5 "
                         "A4:1.5 F4:0.5 A4:0.5 C5:0.5 F5:1 "
                         "E5:0.5 G5:0.5 E5:0.5 C5:0.5 D5:1 E5:1 "
                         "D5:1.5 B4:0.5 G4:1 r:1 "
                         "A4:0.5 C5:0.5 E5:1 A5:1 G5:0.5 E5:0.5 "
                         "F5:1 E5:0.5 D5:0.5 C5:1 A4:1 "
                         "B4:0.5 D5:0.5 G5:1 F5:0.5 E5:0.5 D5:1 "
                         "E5:1.5 D5:0.5 B4:1 G#4:1";
    s.melody(I::Pluck, 0, themeA, 0.9f);
    s.melody(I::Pluck, 64, themeA, 0.9f);
    s.melody(I::Bell, 64, themeA, 0.22f, 12); // the return sparkles an octave up
    const char* themeB = "C6:1.5 A5:0.5 F5:2 D6:1.5 B5:0.5 G5:2 "
                         "E6:1 D6:0.5 C6:0.5 B5:1 C6:1 A5:3 r:1 "
                         "C6:1 A5:0.5 C6:0.5 F6:1 E6:1 D6:1 B5:0.5 D6:0.5 G6:1 F6:1 "
                         "E6:2 D6:1 B5:1 G#5:2 B5:1 r:1";
    s.melody(I::Brass, 32, themeB, 0.75f, -12);
    s.melody(I::Bell, 96, "E5:2 C5:2 D5:2 B4:2 B4:2 G4:2 A4:4", 0.5f);
    s.melody(I::Pluck, 112,
             "D5:1 F5:1 A5:1 D6:1 E5:1 G5:1 B5:1 E6:1 "
             "F5:0.5 A5:0.5 C6:0.5 A5:0.5 F5:0.5 A5:0.5 C6:0.5 F6:0.5 G#5:1 B5:1 E6:1 r:1",
             0.8f);
    return render(s, rate, frames, {.levelDb = -2.5, .loop = true});
}

// ---- "MainMenu": calm and inviting, under the menu --------------------------

std::vector<float> mainMenu(int rate, std::size_t frames) {
    Score s;
    s.bpm = 80;
    s.reverb = 0.3f;
    // Two bars of intro, A (8), B (8), A' (4), a cadence (2) and the last chord.
    const char* prog[] = {"Fmaj7", "Fmaj7", "F",  "C",  "Dm", "Bb", "F",  "Gm",
                          "Bb",    "C",     "Dm", "Am", "Bb", "F",  "Gm", "Am",
                          "Bb",    "C",     "F",  "C",  "Dm", "Bb", "Bb", "C"};
    const int bars = int(std::size(prog));
    for (int bar = 0; bar < bars; ++bar) {
        const double b = bar * 4.0;
        const Chord c = chord(prog[bar]);
        pad(s, b, 4, c, 53, 0.42f);
        arpeggio(s, I::Keys, b, 4, c, 60, 0.5, {0, 1, 2, 3, 4, 3, 2, 1}, 0.34f);
        if (bar >= 2) {
            const int root = bassNote(c, 36);
            s.add(I::Bass, b, 1.8, root, 0.75f);
            s.add(I::Bass, b + 2, 1.3, root + 7, 0.6f);
            s.add(I::Bass, b + 3.5, 0.45, root + 12, 0.45f);
        }
        if (bar >= 2 && bar < 22) {
            s.add(I::Kick, b, 0.2, 36, 0.45f);
            s.add(I::Kick, b + 2.5, 0.2, 36, 0.3f);
            for (int e = 0; e < 8; ++e)
                s.add(I::Hat, b + e * 0.5, 0.1, 42, e % 2 ? 0.22f : 0.32f);
            if (bar >= 10 && bar < 18) s.add(I::Snare, b + 2, 0.2, 38, 0.3f);
        }
    }
    const char* themeA = "A4:1.5 Bb4:0.5 C5:2 G4:1.5 A4:0.5 G4:1 E4:1 "
                         "F4:1.5 E4:0.5 D4:1 A4:1 F4:3 r:1 "
                         "A4:1 C5:1 F5:1.5 E5:0.5 D5:1.5 C5:0.5 Bb4:1 G4:1 "
                         "F4:1 G4:1 Bb4:1 D5:1 C5:3 r:1";
    const char* themeB = "D5:1 F5:1 E5:1 D5:1 C5:2 A4:2 Bb4:1 D5:1 C5:1 Bb4:1 A4:3 r:1 "
                         "G4:1 Bb4:1 D5:1 G5:1 E5:2 C5:2 D5:1 C5:1 Bb4:1 A4:1 G4:3 r:1";
    s.melody(I::Flute, 8, themeA, 0.8f);
    s.melody(I::Flute, 40, themeB, 0.8f);
    s.melody(I::Flute, 72,
             "A4:1.5 Bb4:0.5 C5:2 G4:1.5 A4:0.5 G4:1 E4:1 "
             "F4:1.5 E4:0.5 D4:1 A4:1 F4:3 r:1 D5:2 C5:2 Bb4:1 A4:1 G4:2",
             0.8f);
    s.melody(I::Bell, 72, "A5:2 C6:2 G5:2 E5:2 F5:2 A5:2 F5:4", 0.25f);
    // The last chord, left to ring out well before the menu starts the piece again.
    const double end = bars * 4.0;
    pad(s, end, 3, chord("F"), 53, 0.45f);
    s.add(I::Flute, end, 3, midiOf("F4"), 0.7f);
    s.add(I::Bass, end, 3, midiOf("F2"), 0.7f);
    s.add(I::Bell, end, 2, midiOf("C6"), 0.3f);
    return render(s, rate, frames, {.levelDb = -3, .fadeIn = 0.02, .fadeOut = 1.5});
}

// ---- "Game_Over": subdued, after a lost level --------------------------------

std::vector<float> gameOver(int rate, std::size_t frames) {
    Score s;
    s.bpm = 64;
    s.reverb = 0.35f;
    const char* prog[] = {"Dm", "Bb", "F",  "A", "Dm", "Gm", "Bb", "A", // A
                          "Gm", "Dm", "Bb", "F", "Gm", "C",  "F",  "A", // B
                          "Dm", "Bb", "A"};                             // A'
    const int bars = int(std::size(prog));
    for (int bar = 0; bar < bars; ++bar) {
        const double b = bar * 4.0;
        const Chord c = chord(prog[bar]);
        pad(s, b, 4, c, 50, 0.5f);
        s.add(I::Bass, b, 3.6, bassNote(c, 31), 0.7f);
        if (bar >= 8 && bar < 16) {
            arpeggio(s, I::Keys, b, 4, c, 57, 1.0, {0, 2, 1, 2}, 0.28f);
            s.add(I::Kick, b, 0.2, 36, 0.35f);
            s.add(I::Kick, b + 0.5, 0.2, 36, 0.2f);
            s.add(I::Snare, b + 2, 0.2, 38, 0.16f);
        }
    }
    const char* themeA = "r:1 A4:1 F4:1 D4:1 r:1 D5:1 Bb4:1 F4:1 r:1 C5:1 A4:1 F4:1 E4:2 C#5:2 "
                         "D5:2 C5:1 A4:1 Bb4:2 A4:1 G4:1 F4:1 G4:1 A4:1 Bb4:1 A4:4";
    const char* themeB = "D5:2 Bb4:2 A4:2 F4:2 G4:1 A4:1 Bb4:1 D5:1 C5:4 "
                         "Bb4:2 G4:2 E4:1 G4:1 C5:2 A4:2 F4:2 E4:2 C#5:2";
    s.melody(I::Keys, 0, themeA, 0.75f);
    s.melody(I::Flute, 32, themeB, 0.6f);
    s.melody(I::Keys, 64, "r:1 A4:1 F4:1 D4:1 r:1 D5:1 Bb4:1 F4:1 C#5:2 E5:2", 0.7f);
    const double end = bars * 4.0;
    pad(s, end, 4, chord("Dm"), 50, 0.5f);
    s.add(I::Keys, end, 4, midiOf("D5"), 0.6f);
    s.add(I::Keys, end, 4, midiOf("A4"), 0.4f);
    s.add(I::Bass, end, 4, midiOf("D2"), 0.7f);
    return render(s, rate, frames, {.levelDb = -4, .fadeIn = 0.02, .fadeOut = 2.0});
}

// ---- "WinMenu": triumphant, after a won level --------------------------------

std::vector<float> winMenu(int rate, std::size_t frames) {
    Score s;
    s.bpm = 120;
    s.reverb = 0.22f;
    const char* prog[] = {"C",  "F", "G",  "C",  // A
                          "Am", "F", "Dm", "G",  // B
                          "C",  "F", "G",  "C"}; // A'
    const int bars = int(std::size(prog));
    for (int bar = 0; bar < bars; ++bar) {
        const double b = bar * 4.0;
        const Chord c = chord(prog[bar]);
        pad(s, b, 4, c, 55, 0.4f);
        arpeggio(s, I::Keys, b, 4, c, 60, 0.5, {0, 1, 2, 3, 2, 1, 2, 3}, 0.3f);
        const int root = bassNote(c, 36);
        for (int q = 0; q < 4; ++q)
            s.add(I::Bass, b + q, 0.8, root + (q % 2 ? 7 : 0), 0.8f);
        for (int q = 0; q < 4; ++q) {
            if (q % 2 == 0)
                s.add(I::Kick, b + q, 0.2, 36, 0.95f);
            else
                s.add(I::Snare, b + q, 0.2, 38, 0.8f);
            s.add(I::Hat, b + q, 0.1, 42, 0.5f);
            s.add(I::Hat, b + q + 0.5, 0.1, 42, 0.35f);
        }
        if (bar % 4 == 0) s.add(I::Crash, b, 1, 49, 0.8f);
    }
    for (int i = 0; i < 8; ++i)
        s.add(I::Snare, 11 * 4 + 2 + i * 0.25, 0.2, 38, 0.35f + 0.07f * i);
    const char* theme = "G4:1 C5:1 E5:1.5 D5:0.5 C5:1 A4:1 F5:2 D5:1 B4:1 G5:1.5 F5:0.5 E5:3 r:1 "
                        "A5:1.5 G5:0.5 E5:1 C5:1 F5:1.5 E5:0.5 C5:1 A4:1 "
                        "D5:1 F5:1 A5:1 F5:1 G5:2 B4:1 D5:1 "
                        "G4:1 C5:1 E5:1.5 D5:0.5 C5:1 F5:1 A5:2 G5:1 F5:1 D5:1 B4:1 "
                        "C5:0.6667 E5:0.6667 G5:0.6666 C6:2";
    s.melody(I::Brass, 0, theme, 0.85f);
    s.melody(I::Brass, 16, "E5:2 C5:2 A4:2 C5:2 F4:2 A4:2 B4:2 D5:2", 0.4f); // B's second voice
    const double end = bars * 4.0;
    for (const char* n : {"C4", "G4", "C5", "E5", "G5"})
        s.add(I::Brass, end, 3, midiOf(n), 0.55f);
    pad(s, end, 3, chord("C"), 55, 0.5f);
    s.add(I::Bass, end, 3, midiOf("C2"), 0.9f);
    s.add(I::Kick, end, 0.2, 36, 1.0f);
    s.add(I::Crash, end, 1, 49, 0.9f);
    s.melody(I::Bell, end, "C6:0.25 E6:0.25 G6:0.25 C7:1", 0.35f);
    return render(s, rate, frames, {.levelDb = -2.5, .fadeIn = 0.01, .fadeOut = 0.8});
}

// ---- effects -----------------------------------------------------------------

// "win": a short brass fanfare, a triplet pickup into a held major chord.
std::vector<float> winFanfare(int rate, std::size_t frames) {
    Score s;
    s.bpm = 130;
    s.reverb = 0.25f;
    s.melody(I::Brass, 0, "G4:0.3333 C5:0.3333 E5:0.3334 G5:0.75 E5:0.25", 0.8f);
    for (const char* n : {"C4", "G4", "C5", "E5", "G5", "C6"})
        s.add(I::Brass, 2, 3.2, midiOf(n), 0.6f);
    s.add(I::Bass, 2, 3.2, midiOf("C2"), 0.8f);
    s.add(I::Kick, 2, 0.2, 36, 1.0f);
    s.add(I::Crash, 2, 1, 49, 0.7f);
    s.add(I::Snare, 1.75, 0.2, 38, 0.5f);
    s.melody(I::Bell, 2, "C6:0.25 E6:0.25 G6:0.25 C7:1", 0.3f);
    return render(s, rate, frames, {.levelDb = -2, .fadeIn = 0.003, .fadeOut = 0.6});
}

// "start": a rising cue, an arpeggio climbing over a swelling noise sweep to a
// bright chord.
std::vector<float> startCue(int rate, std::size_t frames) {
    Score s;
    s.bpm = 150;
    s.reverb = 0.22f;
    s.melody(I::Pluck, 0, "C4:0.25 E4:0.25 G4:0.25 C5:0.25 E5:0.25 G5:0.25 C6:0.25", 0.75f);
    for (const char* n : {"C5", "E5", "G5", "C6"})
        s.add(I::Pluck, 1.75, 2, midiOf(n), 0.6f);
    for (const char* n : {"C4", "G4", "E5"})
        s.add(I::Pad, 0, 3.2, midiOf(n), 0.5f);
    s.add(I::Bell, 1.75, 1, midiOf("C6"), 0.45f);
    s.add(I::Bell, 1.75, 1, midiOf("G6"), 0.3f);
    std::vector<float> x = renderDry(s, rate, frames, false);
    // The sweep: noise through a resonant low-pass whose cutoff climbs with it.
    Noise noise(7);
    const double riseEnd = 1.75 * 60 / s.bpm;
    double lp1 = 0, lp2 = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double t = double(i) / rate;
        if (t > riseEnd + 0.25) break;
        const double k = std::min(1.0, t / riseEnd);
        const double cutoff = 300 + 3500 * k * k;
        const double a = 1 - std::exp(-2 * 3.14159265358979 * cutoff / rate);
        lp1 += a * (noise.next() - lp1);
        lp2 += a * (lp1 - lp2);
        double env = k * k;
        if (t > riseEnd) env *= std::max(0.0, 1 - (t - riseEnd) / 0.25);
        x[i] += float(0.18 * env * lp2);
    }
    master(x, rate, {.levelDb = -2, .fadeIn = 0.003, .fadeOut = 0.3});
    return x;
}

// "speck": a bright two-note chime for each speck eaten.
std::vector<float> speckChime(int rate, std::size_t frames) {
    Score s;
    s.bpm = 120;
    s.reverb = 0.12f;
    s.add(I::Bell, 0, 0.2, midiOf("A5"), 0.8f);
    s.add(I::Bell, 0.14, 0.4, midiOf("E6"), 1.0f);
    s.add(I::Pluck, 0.14, 0.3, midiOf("E6"), 0.35f);
    return render(s, rate, frames, {.peakDb = -2, .levelDb = -3, .fadeIn = 0.002, .fadeOut = 0.25});
}

// "red": a short, slightly falling square blip that warns of the outer wall; the
// game sounds it every frame the head is there, so it is kept soft and dry.
std::vector<float> redBlip(int rate, std::size_t frames) {
    std::vector<float> x(frames, 0.0f);
    double phase = 0;
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        const double f = 660 + 160 * std::exp(-t / 0.05);
        phase += f / rate;
        double v = 0;
        for (int k = 1; k * f < 0.45 * rate; k += 2)
            v += std::sin(2 * 3.14159265358979 * k * phase) / k;
        const double len = double(frames) / rate;
        const double env =
            std::min(1.0, t / 0.004) * std::exp(-t / 0.09) * std::min(1.0, (len - t) / 0.03);
        x[i] = float(v * env);
    }
    master(x, rate, {.peakDb = -9, .levelDb = -10, .fadeIn = 0.004, .fadeOut = 0.02});
    return x;
}

} // namespace

const std::vector<SampleFormat>& sampleFormats() {
    static const std::vector<SampleFormat> formats{
        {"speck", 8000, 8, 4960},       {"Thema", 16000, 16, 1713996},
        {"start", 16000, 16, 58316},    {"Game_Over", 11025, 16, 1755374},
        {"red", 8000, 8, 1278},         {"win", 11025, 16, 75332},
        {"MainMenu", 11025, 8, 855644}, {"WinMenu", 11025, 16, 591364},
    };
    return formats;
}

std::vector<float> makeSampleSignal(const SampleFormat& f) {
    const std::size_t frames = f.dataBytes / std::size_t(f.bits / 8);
    if (f.name == "Thema") return thema(f.rate, frames);
    if (f.name == "MainMenu") return mainMenu(f.rate, frames);
    if (f.name == "Game_Over") return gameOver(f.rate, frames);
    if (f.name == "WinMenu") return winMenu(f.rate, frames);
    if (f.name == "win") return winFanfare(f.rate, frames);
    if (f.name == "start") return startCue(f.rate, frames);
    if (f.name == "speck") return speckChime(f.rate, frames);
    if (f.name == "red") return redBlip(f.rate, frames);
    throw std::invalid_argument("no composition for " + std::string(f.name));
}

std::vector<std::uint8_t> makeSample(const SampleFormat& f) {
    std::uint32_t seed = 1;
    for (char c : f.name)
        seed = seed * 31 + std::uint8_t(c);
    return toPcm(makeSampleSignal(f), f.bits, seed);
}

} // namespace coilrun::assetgen
