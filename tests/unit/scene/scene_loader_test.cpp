#include "scene/loader/scene_loader.h"

#include <gtest/gtest.h>

namespace coilrun::scene {
namespace {

using engine::TGLBaseSceneObject;
using engine::TGLScene;

// A link to another object, set by a property that names it.
struct Node : TGLBaseSceneObject {
    std::string className() const override { return "Node"; }
    TGLBaseSceneObject* target = nullptr;
};

// A component that is not a scene object and holds items declared inside it.
struct Library : engine::TGLComponent {
    std::vector<std::string> items;
    int finishedAt = -1;
};
struct Item {
    std::string label;
};

struct LoaderTest : ::testing::Test {
    ClassRegistry registry;
    LoadContext ctx{nullptr, nullptr};
    int finishCounter = 0;

    LoaderTest() {
        registry.addClass<TGLScene>("TGLScene", "",
                                    [](LoadContext&) { return std::make_unique<TGLScene>(); });
        registry.addClass<TGLBaseSceneObject>("TGLBaseSceneObject", "", [](LoadContext&) {
            return std::make_unique<TGLBaseSceneObject>();
        });
        registry.addProperty<TGLBaseSceneObject>("TGLBaseSceneObject", "Position",
                                                 [](TGLBaseSceneObject& o, const Property& p,
                                                    LoadContext& c) { o.setPosition(c.vec3(p)); });
        registry.addProperty<TGLBaseSceneObject>(
            "TGLBaseSceneObject", "Visible",
            [](TGLBaseSceneObject& o, const Property& p, LoadContext& c) {
                o.setVisible(c.boolean(p));
            });
        registry.addProperty<TGLBaseSceneObject>(
            "TGLBaseSceneObject", "RollAngle",
            [](TGLBaseSceneObject& o, const Property& p, LoadContext& c) {
                o.setRollAngle(float(c.number(p)));
            });
        registry.addClass<Node, TGLBaseSceneObject>(
            "Node", "TGLBaseSceneObject", [](LoadContext&) { return std::make_unique<Node>(); });
        registry.addProperty<Node>("Node", "Target",
                                   [](Node& n, const Property& p, LoadContext& c) {
                                       n.target = &c.reference<TGLBaseSceneObject>(p);
                                   });
        registry.addClass<Library>("Library", "",
                                   [](LoadContext&) { return std::make_unique<Library>(); });
        registry.addAdopter<Library>("Library", [](Library& lib, Loaded& child, LoadContext&) {
            lib.items.push_back(child.name);
        });
        registry.addLoaded<Library>(
            "Library", [this](Library& lib, LoadContext&) { lib.finishedAt = finishCounter++; });
        registry.addClass<Item>("Item", "", [](LoadContext&) { return std::make_unique<Item>(); });
        registry.addProperty<Item>("Item", "Label", [](Item& i, const Property& p, LoadContext& c) {
            i.label = c.string(p);
        });
    }

    int errorLine(const char* text) {
        try {
            loadScene(text, registry, ctx);
        } catch (const SceneFileError& e) {
            return e.line();
        }
        return -1;
    }
};

TEST_F(LoaderTest, BuildsTheTreeInOrderAndResolvesLaterNames) {
    const LoadedScene s = loadScene(R"(
TGLScene scene {
    Node a {
        Target = c
        TGLBaseSceneObject b { Position = 1, 2, 3  Visible = false }
    }
    Node c { RollAngle = 90 }
}
Library lib { Item one { Label = "first" } Item two { } }
Library lib2 { }
)",
                                    registry, ctx);
    auto& scene = s.get<TGLScene>("scene");
    ASSERT_EQ(scene.objects().count(), 2u);
    EXPECT_EQ(scene.objects().child(0).name(), "a");
    EXPECT_EQ(scene.objects().child(1).name(), "c");
    auto& a = s.get<Node>("a");
    EXPECT_EQ(a.target, &s.get<TGLBaseSceneObject>("c"))
        << "a reference to an object declared later";
    auto& b = s.get<TGLBaseSceneObject>("b");
    EXPECT_EQ(b.parent(), &a);
    EXPECT_FALSE(b.visible());
    EXPECT_EQ(b.position().z(), 3);
    EXPECT_FALSE(b.isLoading()) << "loading ends for every object";
    EXPECT_EQ(b.position().w(), 1);

    auto& c = s.get<Node>("c");
    EXPECT_FLOAT_EQ(c.rollAngle(), 90);
    EXPECT_FLOAT_EQ(c.up().y(), 1) << "a stored angle does not turn the frame while loading";

    EXPECT_EQ(s.get<Library>("lib").items, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(s.get<Item>("one").label, "first");
    EXPECT_EQ(s.get<Library>("lib").finishedAt, 0);
    EXPECT_EQ(s.get<Library>("lib2").finishedAt, 1) << "loading ends in file order";
}

TEST_F(LoaderTest, NamesTheGameAsksForFailLoudly) {
    const LoadedScene s = loadScene("TGLScene scene { Node a { } }", registry, ctx);
    EXPECT_THROW(s.get<TGLBaseSceneObject>("nowhere"), std::runtime_error);
    EXPECT_THROW(s.get<Library>("a"), std::runtime_error) << "wrong class";
    EXPECT_EQ(s.find<TGLBaseSceneObject>("nowhere"), nullptr);
}

TEST_F(LoaderTest, BrokenFilesAreReportedWithTheirLine) {
    EXPECT_EQ(errorLine("TGLScene s {\n  Sphere x { }\n}"), 2) << "unknown class";
    EXPECT_EQ(errorLine("TGLScene s {\n  Node x { }\n\n  Node x { }\n}"), 4) << "duplicate name";
    EXPECT_EQ(errorLine("TGLScene s { }\nNode loose { }"), 2) << "a scene object without parent";
    EXPECT_EQ(errorLine("TGLScene s {\n  Node x {\n    Colour = 1\n  }\n}"), 3)
        << "unknown property";
    EXPECT_EQ(errorLine("TGLScene s {\n  Node x { Target = y }\n}"), 2) << "unknown reference";
    EXPECT_EQ(errorLine("TGLScene s {\n  Node x { Target = lib }\n}\nLibrary lib { }"), 2)
        << "a reference to the wrong kind of object";
    EXPECT_EQ(errorLine("TGLScene s {\n  Node x {\n Position = 1, 2\n }\n}"), 3)
        << "too few numbers";
    EXPECT_EQ(errorLine("TGLScene s {\n  Node x { Visible = maybe }\n}"), 2);
    EXPECT_EQ(errorLine("TGLScene s {\n  Library l { }\n}"), 2) << "a scene takes no library";
}

} // namespace
} // namespace coilrun::scene
