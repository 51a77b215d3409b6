#include "game/replay/run_events.h"

#include <cmath>

namespace coilrun::replay {

namespace {

constexpr std::uint8_t kChanged = 0x20, kNewStep = 0x40;
constexpr std::uint8_t kKeys = 1, kLookX = 2, kLookY = 4, kActive = 8, kPad = 16, kStick = 32;

} // namespace

void EventWriter::write(const RunEvent& e) {
    ++count;
    std::uint8_t head = std::uint8_t(e.handler);
    if (isFrameHandler(e.handler)) {
        const std::size_t slot = std::size_t(e.handler);
        const bool changed = !(e.controls == lastControls_) || e.windowActive != lastActive_;
        const bool newStep = std::memcmp(&e.deltaTime, &lastStep_[slot], sizeof(double)) != 0;
        if (changed) head |= kChanged;
        if (newStep) head |= kNewStep;
        out.u8(head);
        if (changed) {
            std::uint8_t fields = e.windowActive ? kActive : 0;
            if (e.controls.keys != lastControls_.keys) fields |= kKeys;
            if (e.controls.lookX != lastControls_.lookX) fields |= kLookX;
            if (e.controls.lookY != lastControls_.lookY) fields |= kLookY;
            if (e.controls.pad != lastControls_.pad) fields |= kPad;
            if (e.controls.stickX != lastControls_.stickX ||
                e.controls.stickY != lastControls_.stickY)
                fields |= kStick;
            out.u8(fields);
            if (fields & kKeys) out.u16(e.controls.keys);
            if (fields & kLookX) out.svarint(e.controls.lookX);
            if (fields & kLookY) out.svarint(e.controls.lookY);
            if (fields & kPad) out.u8(e.controls.pad);
            if (fields & kStick) {
                out.u8(std::uint8_t(e.controls.stickX));
                out.u8(std::uint8_t(e.controls.stickY));
            }
            lastControls_ = e.controls;
            lastActive_ = e.windowActive;
        }
        if (newStep) {
            out.f64(e.deltaTime);
            lastStep_[slot] = e.deltaTime;
        }
        return;
    }
    out.u8(head);
    if (e.handler == RunHandler::glscnvwr1MouseDown ||
        e.handler == RunHandler::glscnvwr1MouseMove) {
        if (e.handler == RunHandler::glscnvwr1MouseDown) out.u8(std::uint8_t(e.button));
        out.svarint(e.x);
        out.svarint(e.y);
        out.svarint(e.pauseSelected);
        out.svarint(e.levelSelected);
    }
}

RunEvent EventReader::next() {
    RunEvent e;
    const std::uint8_t head = in_.u8();
    const std::uint8_t id = head & 0x1f;
    if (id >= std::uint8_t(RunHandler::count)) in_.fail("an unknown handler");
    e.handler = RunHandler(id);
    if (isFrameHandler(e.handler)) {
        const std::size_t slot = id;
        if (head & kChanged) {
            const std::uint8_t fields = in_.u8();
            if (fields & ~(kKeys | kLookX | kLookY | kActive | kPad | kStick))
                in_.fail("unknown controls");
            if (fields & kKeys) lastControls_.keys = in_.u16();
            auto look = [&] {
                const std::int64_t v = in_.svarint();
                if (v < -32768 || v > 32767) in_.fail("a pointer travel out of range");
                return std::int16_t(v);
            };
            if (fields & kLookX) lastControls_.lookX = look();
            if (fields & kLookY) lastControls_.lookY = look();
            if (fields & kPad) lastControls_.pad = in_.u8();
            if (fields & kStick) {
                lastControls_.stickX = std::int8_t(in_.u8());
                lastControls_.stickY = std::int8_t(in_.u8());
            }
            lastActive_ = (fields & kActive) != 0;
        }
        if (head & kNewStep) {
            const double step = in_.f64();
            if (!std::isfinite(step) || step < 0 || step > 3600)
                in_.fail("an impossible time step");
            lastStep_[slot] = step;
        }
        e.controls = lastControls_;
        e.windowActive = lastActive_;
        e.deltaTime = lastStep_[slot];
        return e;
    }
    if (head & ~0x1f) in_.fail("flags on an event that has none");
    if (e.handler == RunHandler::glscnvwr1MouseDown ||
        e.handler == RunHandler::glscnvwr1MouseMove) {
        if (e.handler == RunHandler::glscnvwr1MouseDown) e.button = in_.u8();
        auto coordinate = [&] {
            const std::int64_t v = in_.svarint();
            if (v < -1000000 || v > 1000000) in_.fail("a pointer position out of range");
            return int(v);
        };
        e.x = coordinate();
        e.y = coordinate();
        e.pauseSelected = coordinate();
        e.levelSelected = coordinate();
    }
    return e;
}

} // namespace coilrun::replay
