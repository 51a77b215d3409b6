#include "engine/hud/game_menu.h"
#include "engine/hud/windows_bitmap_font.h"
#include "tests/sim/sim_fonts.h"

#include <gtest/gtest.h>
#include <memory>

using namespace coilrun;
using namespace coilrun::engine;

namespace {

// A menu of three lines in the simulated font at 18 px: glyphs 9 px wide, CharHeight 20.
class GameMenuTest : public ::testing::Test {
protected:
    GameMenuTest() : font(std::make_unique<TGLWindowsBitmapFont>(&rasterizer)) {
        platform::FontSpec f;
        f.pixelSize = 18;
        font->setFont(f);
        menu.setFont(font.get());
        menu.setItems({"ab", "abcd", "abc"});
        menu.setPosition(500, 450, 0);
    }

    sim::SimFontRasterizer rasterizer;
    std::unique_ptr<TGLWindowsBitmapFont> font;
    TGLGameMenu menu;
};

} // namespace

TEST_F(GameMenuTest, NewMenuDefaults) {
    TGLGameMenu fresh;
    EXPECT_EQ(fresh.menuScale(), TGLGameMenuScale::gmsNormal);
    EXPECT_EQ(fresh.marginHorz(), 16);
    EXPECT_EQ(fresh.marginVert(), 16);
    EXPECT_EQ(fresh.spacing(), 16);
    EXPECT_EQ(fresh.selected(), -1);
    EXPECT_EQ(fresh.font(), nullptr);
    EXPECT_EQ(fresh.boxTop() | fresh.boxBottom() | fresh.boxLeft() | fresh.boxRight(), 0);
    EXPECT_EQ(fresh.className(), "TGLGameMenu");
}

TEST_F(GameMenuTest, BoxOfThreeLinesWithoutTitle) {
    ASSERT_EQ(font->charHeight(), 20);
    const int firstLine = menu.layoutMenu();
    // h = 3 x (20 + 16) + 2 x 16 - 16 = 124; w = 39 + 2 x 16 = 71.
    EXPECT_EQ(menu.boxBottom() - menu.boxTop(), 124);
    EXPECT_EQ(menu.boxTop(), 388);
    EXPECT_EQ(menu.boxBottom(), 512);
    // 464.5 and 535.5 round to the even neighbours.
    EXPECT_EQ(menu.boxLeft(), 464);
    EXPECT_EQ(menu.boxRight(), 536);
    EXPECT_EQ(firstLine, 404);
    EXPECT_EQ(menu.menuTop(), 420);
}

TEST_F(GameMenuTest, BoxWithTitle) {
    menu.setTitleHeight(40);
    menu.setTitleWidth(100);
    const int firstLine = menu.layoutMenu();
    EXPECT_EQ(menu.boxBottom() - menu.boxTop(), 124 + 40 + 16);
    EXPECT_EQ(menu.boxRight() - menu.boxLeft(), 132);
    EXPECT_EQ(firstLine, 376);
    EXPECT_EQ(menu.menuTop(), 376 + 40 + 16);
    // A title height that was set negative is none.
    menu.setTitleHeight(-5);
    EXPECT_EQ(menu.titleHeight(), 0);
    menu.setTitleWidth(-1);
    EXPECT_EQ(menu.titleWidth(), 0);
}

TEST_F(GameMenuTest, SelectedIsClampedAndNotified) {
    int calls = 0;
    menu.onSelectedChanged = [&](TGLGameMenu&) { ++calls; };
    EXPECT_EQ(menu.selectedText(), "");
    menu.setSelected(7);
    EXPECT_EQ(menu.selected(), 2);
    EXPECT_EQ(menu.selectedText(), "abc");
    menu.setSelected(2);
    EXPECT_EQ(calls, 1) << "an unchanged selection is no change";
    menu.setSelected(-5);
    EXPECT_EQ(menu.selected(), -1);
    EXPECT_EQ(calls, 2);

    // A shorter list pulls the selection in.
    menu.setSelected(2);
    menu.setItems({"one", "two"});
    EXPECT_EQ(menu.selected(), 1);
    menu.clearItems();
    EXPECT_EQ(menu.selected(), -1);
    EXPECT_EQ(menu.selectedText(), "");
}

TEST_F(GameMenuTest, PointerSelectsInsideTheBoxEdgesIncluded) {
    menu.setSelected(1);
    menu.mouseMenuSelect(0, 0);
    EXPECT_EQ(menu.selected(), -1) << "never drawn: its box is no place on the screen";
    menu.layoutMenu();
    menu.mouseMenuSelect(500, 420);
    EXPECT_EQ(menu.selected(), 0);
    menu.mouseMenuSelect(500, 455);
    EXPECT_EQ(menu.selected(), 0);
    menu.mouseMenuSelect(500, 456);
    EXPECT_EQ(menu.selected(), 1);
    menu.mouseMenuSelect(menu.boxRight(), menu.boxBottom());
    EXPECT_EQ(menu.selected(), 2);
    menu.mouseMenuSelect(menu.boxRight() + 1, 450);
    EXPECT_EQ(menu.selected(), -1);
    menu.mouseMenuSelect(menu.boxLeft(), 430);
    EXPECT_EQ(menu.selected(), 0);
    menu.mouseMenuSelect(500, menu.boxBottom() + 1);
    EXPECT_EQ(menu.selected(), -1);
    menu.mouseMenuSelect(menu.boxLeft() - 1, 430);
    EXPECT_EQ(menu.selected(), -1);
    // Above the selectable rows, though inside the box.
    menu.mouseMenuSelect(500, menu.menuTop() - 1);
    EXPECT_EQ(menu.selected(), -1);
}

TEST_F(GameMenuTest, PointerOnRowsWithoutHeightSelectsNothing) {
    // Spacing -20 cancels CharHeight 20: every row would be zero pixels high.
    menu.setSpacing(-20);
    menu.layoutMenu();
    menu.mouseMenuSelect(500, menu.menuTop());
    EXPECT_EQ(menu.selected(), -1);

    TGLGameMenu noFont;
    noFont.setItems({"a"});
    noFont.mouseMenuSelect(0, 0);
    EXPECT_EQ(noFont.selected(), -1);
    EXPECT_EQ(noFont.layoutMenu(), 0);
}

TEST_F(GameMenuTest, LineColours) {
    menu.setSelected(1);
    int disabledTag = 0;
    menu.setItemObject(2, &disabledTag);
    EXPECT_FALSE(menu.isEnabled(2));
    EXPECT_TRUE(menu.isEnabled(0));
    EXPECT_EQ(&menu.lineColor(0), &menu.inactiveColor());
    EXPECT_EQ(&menu.lineColor(1), &menu.activeColor());
    EXPECT_EQ(&menu.lineColor(2), &menu.disabledColor());
    // Recolouring the active colour changes the selected line only.
    const Vec4 before0 = menu.lineColor(0).color();
    menu.setActiveColor({1, 0, 0, 1});
    EXPECT_EQ(menu.lineColor(1).color(), Vec4(1, 0, 0, 1));
    EXPECT_EQ(menu.lineColor(0).color(), before0);
    EXPECT_NE(menu.lineColor(2).color(), Vec4(1, 0, 0, 1));
}

TEST_F(GameMenuTest, DestroyedFontAndLibraryAreForgotten) {
    auto library = std::make_unique<TGLMaterialLibrary>();
    menu.setMaterialLibrary(library.get());
    library.reset();
    EXPECT_EQ(menu.materialLibrary(), nullptr);
    font.reset();
    EXPECT_EQ(menu.font(), nullptr);
    menu.mouseMenuSelect(500, 450);
    EXPECT_EQ(menu.selected(), -1);
}
