#include "game/replay/run_file.h"

#include "game/replay/byte_stream.h"
#include "game/replay/run_compression.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace coilrun::replay {

namespace {

constexpr std::uint8_t kMagic[8] = {'C', 'O', 'I', 'L', 'R', 'U', 'N', 0x1a};
// Unpacked, a part may not claim more than this: a forged size must not make the
// reader allocate without bound.
constexpr std::size_t kMaxPartBytes = 64u << 20;

std::uint32_t crc32(const std::uint8_t* p, std::size_t n) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xffffffffu;
    for (std::size_t i = 0; i < n; ++i)
        c = table[(c ^ p[i]) & 0xff] ^ (c >> 8);
    return c ^ 0xffffffffu;
}

void writePart(ByteWriter& out, const std::vector<std::uint8_t>& part) {
    const std::vector<std::uint8_t> packed = compress(part);
    out.varint(part.size());
    out.varint(packed.size());
    out.raw(packed);
}

std::vector<std::uint8_t> readPart(ByteReader& in) {
    const std::uint64_t size = in.varint();
    if (size > kMaxPartBytes) in.fail("a part larger than any run");
    const std::size_t packedSize = in.count(0);
    if (packedSize > in.left()) in.fail("cut short");
    std::vector<std::uint8_t> packed(packedSize);
    for (auto& b : packed)
        b = in.u8();
    return decompress(packed.data(), packed.size(), std::size_t(size));
}

} // namespace

std::vector<std::uint8_t> writeRunFile(const RunRecord& r) {
    ByteWriter body;
    body.varint(std::uint64_t(r.summary.level));
    body.u8(r.summary.won ? 1 : 0);
    body.varint(std::uint64_t(r.summary.length));
    body.varint(std::uint64_t(r.summary.minutes));
    body.varint(std::uint64_t(r.summary.seconds));
    body.varint(std::uint64_t(r.summary.hundredths));
    body.svarint(r.summary.score);
    body.u32(r.diceSeed);
    body.varint(std::uint64_t(r.screenWidth));
    body.varint(std::uint64_t(r.screenHeight));
    body.varint(r.eventCount);
    writePart(body, r.startState);
    writePart(body, r.events);

    ByteWriter out;
    for (std::uint8_t b : kMagic)
        out.u8(b);
    out.u16(kRunFileVersion);
    out.u32(crc32(body.bytes.data(), body.bytes.size()));
    out.raw(body.bytes);
    return std::move(out.bytes);
}

RunRecord readRunFile(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
        throw RunFileError("not a Coilrun run file");
    if (bytes.size() > kMaxRunFileBytes) throw RunFileError("too large for a run file");
    ByteReader head(bytes.data() + sizeof kMagic, bytes.size() - sizeof kMagic, "header");
    const std::uint16_t version = head.u16();
    if (version == 0 || version > kRunFileVersion)
        throw RunFileError("written by a newer Coilrun (file version " + std::to_string(version) +
                           ")");
    const std::uint32_t crc = head.u32();
    const std::uint8_t* body = bytes.data() + sizeof kMagic + 6;
    const std::size_t bodySize = bytes.size() - sizeof kMagic - 6;
    if (crc32(body, bodySize) != crc) throw RunFileError("damaged (its checksum does not match)");

    ByteReader in(body, bodySize, "run");
    RunRecord r;
    auto small = [&](const char* what) {
        const std::uint64_t v = in.varint();
        if (v > 1000000) in.fail(std::string("an impossible ") + what);
        return int(v);
    };
    r.summary.level = small("level");
    const std::uint8_t won = in.u8();
    if (won > 1) in.fail("an impossible result");
    r.summary.won = won == 1;
    r.summary.length = small("length");
    r.summary.minutes = small("clock");
    r.summary.seconds = small("clock");
    r.summary.hundredths = small("clock");
    const std::int64_t score = in.svarint();
    if (score < -1000000000 || score > 1000000000) in.fail("an impossible score");
    r.summary.score = int(score);
    r.diceSeed = in.u32();
    r.screenWidth = small("screen width");
    r.screenHeight = small("screen height");
    const std::uint64_t events = in.varint();
    if (events > kMaxPartBytes) in.fail("an impossible number of steps");
    r.eventCount = std::uint32_t(events);
    r.startState = readPart(in);
    r.events = readPart(in);
    if (!in.atEnd()) in.fail("data after the end");
    if (r.summary.level < 1) throw RunFileError("run: no level");
    if (r.eventCount > r.events.size()) throw RunFileError("events: fewer than the header says");
    return r;
}

std::uint32_t runFileChecksum(const std::uint8_t* data, std::size_t size) {
    return crc32(data, size);
}

std::string summaryLine(const RunSummary& s) {
    char line[160];
    std::snprintf(line, sizeof line, "level=%d result=%s length=%d clock=%d:%02d:%02d score=%d",
                  s.level, s.won ? "won" : "lost", s.length, s.minutes, s.seconds, s.hundredths,
                  s.score);
    return line;
}

const char* handlerName(RunHandler h) {
    static const char* const names[] = {
        "Cadencer1Progress",      "Cadencer2Progress",       "Cadencer3Progress",
        "Cadencer4Progress",      "CadencerMenuProgress",    "runtimeTimer",
        "tmrmusicTimer",          "timergametimeTimer",      "timerTitleTimer",
        "timermudeTimer",         "timermainmenumusicTimer", "timerHTTimer",
        "timercountdownTimer",    "asynctmr1Timer",          "asynctmrAllTimeTimer",
        "asynctmrTimerMenuTimer", "asynctmrTimerMenu1Timer", "asynctmrtimerzoomTimer",
        "glscnvwr1MouseDown",     "glscnvwr1MouseMove",      "scoreBrowserGoBack"};
    static_assert(std::size(names) == std::size_t(RunHandler::count));
    return std::size_t(h) < std::size(names) ? names[std::size_t(h)] : nullptr;
}

} // namespace coilrun::replay
