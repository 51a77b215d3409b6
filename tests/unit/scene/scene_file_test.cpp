#include "scene/loader/scene_file.h"

#include <gtest/gtest.h>

namespace coilrun::scene {
namespace {

TEST(SceneFile, DeclarationsPropertiesAndChildrenInOrder) {
    const auto top = parseSceneFile(R"(# a comment
TGLDummyCube DummyMenu {
    Position = 0, 0, -3   # trailing comment
    CubeSize = 16
    TGLSphere ball1 { Radius = 0.25  Visible = false }
    TGLSphere ball2 {
        Radius = .5e1
    }
}
TGLGameMenu menuPause { Items = ["Resume", "Re\"start\\", ""]; Spacing = -8 }
)");
    ASSERT_EQ(top.size(), 2u);
    const Declaration& menu = *top[0];
    EXPECT_EQ(menu.className, "TGLDummyCube");
    EXPECT_EQ(menu.name, "DummyMenu");
    EXPECT_EQ(menu.line, 2);
    ASSERT_EQ(menu.properties.size(), 2u);
    EXPECT_EQ(menu.properties[0].name, "Position");
    ASSERT_EQ(menu.properties[0].values.size(), 3u);
    EXPECT_EQ(menu.properties[0].values[2].number, -3);
    EXPECT_EQ(menu.properties[1].line, 4);
    ASSERT_EQ(menu.children.size(), 2u);
    EXPECT_EQ(menu.children[0]->name, "ball1");
    ASSERT_EQ(menu.children[0]->properties.size(), 2u);
    EXPECT_EQ(menu.children[0]->properties[1].values[0].kind, Value::Kind::Identifier);
    EXPECT_EQ(menu.children[0]->properties[1].values[0].text, "false");
    EXPECT_EQ(menu.children[1]->properties[0].values[0].number, 5.0);
    EXPECT_EQ(menu.children[1]->line, 6);

    const Declaration& pause = *top[1];
    ASSERT_EQ(pause.properties.size(), 2u);
    const Value& items = pause.properties[0].values[0];
    ASSERT_EQ(items.kind, Value::Kind::List);
    ASSERT_EQ(items.items.size(), 3u);
    EXPECT_EQ(items.items[1].text, "Re\"start\\");
    EXPECT_EQ(items.items[2].text, "");
    EXPECT_EQ(pause.properties[1].values[0].number, -8);
}

TEST(SceneFile, ValuesMayContinueAfterACommaOnTheNextLine) {
    const auto top = parseSceneFile("TGLCube c {\n  Scale = 1,\n    2, 3\n  Visible = true\n}");
    ASSERT_EQ(top[0]->properties.size(), 2u);
    EXPECT_EQ(top[0]->properties[0].values.size(), 3u);
    EXPECT_EQ(top[0]->properties[1].line, 4);
}

TEST(SceneFile, ErrorsCarryTheirLine) {
    auto lineOf = [](const char* text) {
        try {
            parseSceneFile(text);
        } catch (const SceneFileError& e) {
            return e.line();
        }
        return -1;
    };
    EXPECT_EQ(lineOf("TGLCube c {\n  Radius = \n}"), 2) << "a value is missing";
    EXPECT_EQ(lineOf("TGLCube c {\n\n  Text = \"open\n}"), 3) << "an unclosed string";
    EXPECT_EQ(lineOf("TGLCube c {\n  Radius = 1x\n}"), 2) << "not a number";
    EXPECT_EQ(lineOf("TGLCube c {\n  Radius = 1\n"), 3) << "an unclosed block";
    EXPECT_EQ(lineOf("TGLCube {\n}"), 1) << "the name is missing";
    EXPECT_EQ(lineOf("TGLCube c {\n  Radius 1\n}"), 2) << "no '=' and not a declaration";
    EXPECT_EQ(lineOf("TGLCube c {\n  Items = [1, 2\n}"), 3) << "an unclosed list";
    EXPECT_EQ(lineOf("TGLCube c { X = \"a\\q\" }"), 1) << "an unknown escape";
}

TEST(SceneFile, EmptyFileHasNoDeclarations) {
    EXPECT_TRUE(parseSceneFile("").empty());
    EXPECT_TRUE(parseSceneFile("  # only a comment\n\n").empty());
}

} // namespace
} // namespace coilrun::scene

#include "scene/authored/authored_scene.h"

namespace coilrun::scene {
namespace {

TEST(SceneFile, TheShippedSceneParses) {
    const auto top = parseSceneFile(authoredSceneText());
    ASSERT_FALSE(top.empty());
    EXPECT_EQ(top.front()->className, "TGLScene");
    EXPECT_EQ(top.front()->name, "glscn1");
}

} // namespace
} // namespace coilrun::scene
