#pragma once

namespace coilrun::qt {

// Has every large block the program frees go back to the system at once.
//
// Each start of an audio sink takes a buffer of 4 MiB (the sound server's
// largest stream length) and frees it when the sink stops, and the game starts
// a sink for nearly every sound, many a second right after a level set-up. The C
// library serves the first such blocks from fresh mappings, but once one has
// been freed it raises its mapping threshold above them and serves the next from
// the main heap, where they leave holes that keep the heap at its largest size:
// the game's resident memory then creeps up by megabytes over its first minutes
// of play. With the threshold fixed at its starting value the blocks are always
// mapped and unmapped. Safe to call more than once; does nothing where the C
// library has no such threshold.
void returnLargeBlocksToTheSystem();

} // namespace coilrun::qt
