#pragma once
#include "game/replay/run_record.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace coilrun::server {

// The largest run file the server takes. A minute of play stays under 20 KB (a
// level won by chasing specks packs to about 13 KB a minute), so 1 MiB holds more
// than 50 minutes of one level, about the hour the re-play bounds below allow,
// while a flood of such files costs the server little memory.
inline constexpr qsizetype kMaxRunUploadBytes = 1 << 20;

// The most a file may ask of the re-play: handlers run, and seconds of frame time
// summed over them (one cadencer runs at a time, so that is the time played). A
// level lasts minutes; the bounds leave an hour, and they stop a small file whose
// steps pack tightly from keeping the server busy for long.
inline constexpr std::uint32_t kMaxReplayEvents = 2'000'000;
inline constexpr double kMaxReplaySeconds = 3600;

// What re-playing a run file gave: the run as the game's own code plays it, or
// why the file was refused.
struct CheckedRun {
    std::optional<replay::RunSummary> summary;
    QString error; // set when summary is not
};

// Reads the file and plays it again headless, with the game's code on the
// simulated platform. Never throws: a damaged, foreign or too demanding file
// comes back with its error.
CheckedRun replayRunFile(const QByteArray& bytes);

} // namespace coilrun::server
