// Run files: what is written reads back the same, what is damaged or foreign is
// refused with the reason, and the run folder keeps what it promises.
#include "game/replay/run_compression.h"
#include "game/replay/run_events.h"
#include "game/replay/run_file.h"
#include "game/replay/run_library.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace coilrun::replay {
namespace {

RunRecord sampleRun() {
    RunRecord r;
    r.summary = {3, true, 7, 1, 2, 45, 312};
    r.diceSeed = 0xdeadbeef;
    r.screenWidth = 1280, r.screenHeight = 1024;
    r.startState.assign(3000, 0);
    r.startState[17] = 5;
    EventWriter w;
    RunEvent frame;
    frame.handler = RunHandler::Cadencer1Progress;
    frame.deltaTime = 0.01;
    for (int i = 0; i < 500; ++i) {
        frame.controls.lookX = std::int16_t(i % 7 - 3);
        frame.controls.set(engine::Key::Left, i > 200 && i < 260);
        frame.windowActive = i < 400;
        w.write(frame);
        RunEvent timer;
        timer.handler = i % 3 ? RunHandler::asynctmr1Timer : RunHandler::asynctmrAllTimeTimer;
        w.write(timer);
    }
    RunEvent click;
    click.handler = RunHandler::glscnvwr1MouseDown;
    click.x = 640, click.y = -3, click.pauseSelected = 2;
    w.write(click);
    RunEvent pause;
    pause.handler = RunHandler::Cadencer4Progress;
    pause.deltaTime = 0.0167;
    w.write(pause);
    r.events = w.out.bytes;
    r.eventCount = w.count;
    return r;
}

std::string refusal(const std::vector<std::uint8_t>& bytes) {
    try {
        readRunFile(bytes);
    } catch (const RunFileError& e) {
        return e.what();
    }
    return "(read)";
}

TEST(RunFile, WhatIsWrittenReadsBackEventByEvent) {
    const RunRecord r = sampleRun();
    const std::vector<std::uint8_t> file = writeRunFile(r);
    EXPECT_LT(file.size(), r.events.size() / 4) << "a periodic run packs small";
    const RunRecord back = readRunFile(file);
    EXPECT_EQ(back.summary, r.summary);
    EXPECT_EQ(back.diceSeed, r.diceSeed);
    EXPECT_EQ(back.startState, r.startState);
    EXPECT_EQ(back.screenHeight, 1024);

    EventReader events(back.events);
    std::vector<RunEvent> read;
    while (!events.atEnd())
        read.push_back(events.next());
    ASSERT_EQ(read.size(), r.eventCount);
    EXPECT_EQ(read[2 * 230].controls.down(engine::Key::Left), true);
    EXPECT_EQ(read[2 * 230].controls.lookX, 230 % 7 - 3);
    EXPECT_FALSE(read[2 * 450].windowActive);
    EXPECT_EQ(read[2 * 499].deltaTime, 0.01);
    EXPECT_EQ(read[1000].handler, RunHandler::glscnvwr1MouseDown);
    EXPECT_EQ(read[1000].y, -3);
    EXPECT_EQ(read[1000].pauseSelected, 2);
    EXPECT_EQ(read[1001].deltaTime, 0.0167) << "each frame handler keeps its own step";
}

TEST(RunFile, PackingRestoresAnyBytes) {
    std::mt19937 dice(7);
    for (std::size_t size : {0u, 1u, 3u, 200u, 70000u}) {
        std::vector<std::uint8_t> data(size);
        for (std::size_t i = 0; i < size; ++i)
            data[i] = i % 5000 < 2500 ? std::uint8_t(dice() % 4) : std::uint8_t(i % 9);
        const std::vector<std::uint8_t> packed = compress(data);
        EXPECT_EQ(decompress(packed.data(), packed.size(), data.size()), data) << size;
    }
}

TEST(RunFile, DamagedOrForeignFilesAreRefusedWithTheReason) {
    const std::vector<std::uint8_t> good = writeRunFile(sampleRun());
    EXPECT_EQ(refusal({}), "not a Coilrun run file");
    EXPECT_EQ(refusal({'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0, 0}), "not a Coilrun run file");

    auto newer = good;
    newer[8] = 9;
    EXPECT_EQ(refusal(newer), "written by a newer Coilrun (file version 9)");

    auto flipped = good;
    flipped[good.size() / 2] ^= 0x10;
    EXPECT_EQ(refusal(flipped), "damaged (its checksum does not match)");

    auto cut = good;
    cut.resize(good.size() - 5);
    EXPECT_EQ(refusal(cut), "damaged (its checksum does not match)");

    // Inside a correct checksum: a back-reference before the start of the data.
    RunRecord r = sampleRun();
    auto forged = writeRunFile(r);
    const std::size_t body = kRunFileChecksumAt + 4;
    auto fixChecksum = [&](std::vector<std::uint8_t>& f) {
        const std::uint32_t crc = runFileChecksum(f.data() + body, f.size() - body);
        for (int i = 0; i < 4; ++i)
            f[kRunFileChecksumAt + std::size_t(i)] = std::uint8_t(crc >> (8 * i));
    };
    forged.resize(forged.size() - 3);
    fixChecksum(forged);
    EXPECT_NE(refusal(forged).find("cut short"), std::string::npos) << refusal(forged);

    std::vector<std::uint8_t> huge(kMaxRunFileBytes + 1, 0);
    std::copy(good.begin(), good.begin() + 8, huge.begin());
    EXPECT_EQ(refusal(huge), "too large for a run file");
}

TEST(RunFile, EventsThatAreNotEventsAreRefused) {
    for (std::vector<std::uint8_t> events : {std::vector<std::uint8_t>{31}, // no handler
                                             std::vector<std::uint8_t>{0x20 | 0, 0x80}, // fields
                                             std::vector<std::uint8_t>{0x40 | 3, 1, 2}, // step cut
                                             std::vector<std::uint8_t>{0x20 | 5}}) {    // flags
        EventReader reader(events);
        EXPECT_THROW(
            {
                while (!reader.atEnd())
                    reader.next();
            },
            RunFileError);
    }
}

TEST(RunFolder, KeepsTheLastFiftyAndTheBestWonRunOfEachLevel) {
    auto name = [](std::uint32_t n, int level, bool won, int score) {
        return runFileName(n, {level, won, 0, 0, 0, 0, score});
    };
    std::vector<std::string> names{"notes.txt",           "run-7-level01-won-5.coilrun",
                                   name(1, 5, true, 100), // level 5's only win
                                   name(2, 1, true, 10),  // beaten by run 3
                                   name(3, 1, true, 30),  // level 1's best...
                                   name(4, 1, true, 30)}; // ...and the later equal one
    for (std::uint32_t n = 5; n <= 60; ++n)
        names.push_back(name(n, 2, false, 0));
    ASSERT_EQ(parseRunFileName(name(1, 5, true, 100))->score, 100);
    ASSERT_EQ(parseRunFileName(names.back())->number, 60u);

    std::vector<std::string> gone = runsToRemove(names);
    std::sort(gone.begin(), gone.end());
    std::vector<std::string> want{name(2, 1, true, 10), name(4, 1, true, 30)};
    for (std::uint32_t n = 5; n <= 10; ++n)
        want.push_back(name(n, 2, false, 0));
    std::sort(want.begin(), want.end());
    EXPECT_EQ(gone, want) << "the files the game did not name stay too";
}

TEST(RunFolder, NamesTheGameDidNotGiveAreNotRuns) {
    for (const char* n : {"run-000001-level01-won-5.coilrun.bak", "run-1-level01-lost.coilrun",
                          "run-000001-level01-tied.coilrun", "x.coilrun"})
        EXPECT_FALSE(parseRunFileName(n)) << n;
    EXPECT_EQ(runFileName(42, {3, false, 2, 0, 0, 0, 0}), "run-000042-level03-lost.coilrun");
}

} // namespace
} // namespace coilrun::replay
