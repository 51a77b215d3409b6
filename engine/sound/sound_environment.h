#pragma once

namespace coilrun::engine {

// Reverb presets a manager can be asked for. The wave output has no reverb; the
// value is kept as authored.
enum class TGLSoundEnvironment {
    seDefault,
    sePaddedCell,
    seRoom,
    seBathroom,
    seLivingRoom,
    seStoneroom,
    seAuditorium,
    seConcertHall,
    seCave,
    seArena,
    seHangar,
    seCarpetedHallway,
    seHallway,
    seStoneCorridor,
    seAlley,
    seForest,
    seCity,
    seMountains,
    seQuarry,
    sePlain,
    seParkingLot,
    seSewerPipe,
    seUnderWater,
    seDrugged,
    seDizzy,
    sePsychotic
};

} // namespace coilrun::engine
