#pragma once
#include "engine/platform/image.h"

#include <vector>

// The game's pictures. Textures are drawn on black: the sprites that show them
// add their colour to the scene, so black is the see-through colour.
namespace coilrun::assetgen {

platform::Image soundOnTexture();    // "sound_on", 30 x 30: a speaker with sound waves
platform::Image muteTexture();       // "mude", 30 x 30: the speaker crossed out
platform::Image howToPage(int page); // "HT0" .. "HT4", 733 x 496
platform::Image splashPicture();     // 853 x 648, the title on black
// The application icon at 96, 64, 48, 32, 24 and 16 pixels, with alpha.
std::vector<platform::Image> iconImages();
// The application icon, side x side pixels with alpha: below 48 a ring drawn for
// the few pixels there are, from 48 up the coil of spheres.
platform::Image iconImage(int side);

} // namespace coilrun::assetgen
