#pragma once
#include "game/game.h"

#include <string>
#include <vector>

namespace coilrun {

// The menus' texts and the overlay lists shown over the darkened screen.

inline const std::string kPlayItem = "> > >   P L A Y   < < <";
inline const std::string kGoBack = "<< GO BACK <<";
inline const std::string kQuitGame = "Quit Game";
// The credits' names, each a link to the person's page.
inline const std::string kDeveloper = "Velmora";
inline const std::string kComposer = "Kestrin";

std::vector<std::string> mainMenuUpperItems();  // play, the level list's switch
std::vector<std::string> mainMenuLowerItems();  // high score, credits, quit
std::vector<std::string> levelListUpperItems(); // play, back from the level list

// A line of an overlay list and where a click on it leads.
struct OverlayLine {
    std::string text;
    OverlayLink link = OverlayLink::none;
};
std::vector<OverlayLine> creditLines();
// Room for the how-to pages above a way out of the game and a way back.
std::vector<OverlayLine> howToLines();
// The score list's lines are names and scores from the score server: none of them
// leads anywhere but the last, the way back.
std::vector<OverlayLine> scoreListOverlay(const std::vector<std::string>& lines);

// Opens an overlay list over the main menu: the menus give way to the lines.
void openOverlayList(Game& game, const std::vector<OverlayLine>& lines);
// Opens an overlay list over the result screen; its count-down stops.
void openResultOverlay(Game& game, const std::vector<OverlayLine>& lines);
// Closes whatever overlay list is open; the main menu comes back if it was under it.
void closeOverlayList(Game& game);

// The level picked from the level list becomes the title, which the game starts.
void IntToLevel(Game& game);

} // namespace coilrun
