#pragma once
#include "scene/loader/class_registry.h"

namespace coilrun::scene {

// The scene objects and their properties as the scene file names them.
void registerObjectClasses(ClassRegistry& registry);
// Screen texts, sprites, menus, the bitmap font and extruded texts. Extruded texts
// take their glyphs from the engine::FontManager the loader provides.
void registerHudClasses(ClassRegistry& registry);

// Cadencers, window timers and asynchronous timers. Cadencers need the
// CadencerPump; their Scene is a scene of the file.
void registerTimeClasses(ClassRegistry& registry);
// Mouse look: the navigator and the user interface.
void registerInputClasses(ClassRegistry& registry);

// The sound library and the wave outputs (they need the engine::SoundContext provided).
void registerSoundClasses(ClassRegistry& registry);

// Every class the game's scene file may use.
ClassRegistry coilrunClasses();

} // namespace coilrun::scene
