#pragma once
#include "game/game.h"

#include <string>
#include <vector>

namespace coilrun {

// The menus' texts and the overlay lists shown over the darkened screen.

inline const std::string kPlayItem = "> > >   P L A Y   < < <";
inline const std::string kGoBack = "<< GO BACK <<";

std::vector<std::string> mainMenuUpperItems();  // play, the level list's switch
std::vector<std::string> mainMenuLowerItems();  // high score, credits, quit
std::vector<std::string> levelListUpperItems(); // play, back from the level list
std::vector<std::string> creditLines();

// Opens an overlay list over the main menu: the menus give way to the lines.
void openOverlayList(Game& game, const std::vector<std::string>& lines);
// Opens an overlay list over the result screen; its count-down stops.
void openResultOverlay(Game& game, const std::vector<std::string>& lines);
// Closes whatever overlay list is open; the main menu comes back if it was under it.
void closeOverlayList(Game& game);

// The level picked from the level list becomes the title, which the game starts.
void IntToLevel(Game& game);

} // namespace coilrun
