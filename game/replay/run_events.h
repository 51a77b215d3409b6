#pragma once
#include "engine/input/controls.h"
#include "game/replay/byte_stream.h"
#include "game/replay/run_record.h"

namespace coilrun::replay {

// One handler run as a run stores it. A frame carries its controls, whether the
// main window was active and its time step; the pointer events carry where the
// pointer was and what the pause and level menus had selected there (the menus'
// boxes depend on the fonts of the machine, the selection does not).
struct RunEvent {
    RunHandler handler = RunHandler::count;
    double deltaTime = 0;
    engine::Controls controls{};
    bool windowActive = true;
    int button = 0, x = 0, y = 0;
    int pauseSelected = -1, levelSelected = -1;
};

// Each event is a byte: the handler's id in the low five bits; a frame sets 0x20
// when its controls or window state differ from the previous frame's, then a byte
// of which fields follow, and 0x40 when its time step differs from that frame
// handler's last one, then the step. Fields are written one by one, so that the
// controls record can grow without old files changing meaning.
class EventWriter {
public:
    void write(const RunEvent& e);
    ByteWriter out;
    std::uint32_t count = 0;

private:
    engine::Controls lastControls_{};
    bool lastActive_ = true;
    double lastStep_[5] = {};
};

// Reads the events back; throws RunFileError on bytes that are not events.
class EventReader {
public:
    explicit EventReader(const std::vector<std::uint8_t>& events) : in_(events, "events") {}
    bool atEnd() const { return in_.atEnd(); }
    RunEvent next();

private:
    ByteReader in_;
    engine::Controls lastControls_{};
    bool lastActive_ = true;
    double lastStep_[5] = {};
};

} // namespace coilrun::replay
