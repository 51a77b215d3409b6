// Materials, their library entries and the blending classes.
#include "engine/objects/material_library.h"
#include "engine/objects/scene.h"
#include "engine/objects/sphere.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace coilrun::engine {
namespace {

TEST(Material, DefaultsAreTheFixedFunctionOnes) {
    TGLMaterial m(nullptr);
    const auto& f = m.frontProperties();
    EXPECT_EQ(f.ambient().color(), (Vec4{0.2f, 0.2f, 0.2f, 1}));
    EXPECT_EQ(f.diffuse().color(), (Vec4{0.8f, 0.8f, 0.8f, 1}));
    EXPECT_EQ(f.specular().color(), (Vec4{0, 0, 0, 1}));
    EXPECT_EQ(f.emission().color(), (Vec4{0, 0, 0, 1}));
    EXPECT_EQ(f.shininess(), 0);
    EXPECT_EQ(m.backPropertiesIfAny(), nullptr);
    EXPECT_EQ(m.textureIfAny(), nullptr);
    EXPECT_EQ(m.blendingMode(), TGLBlendingMode::bmOpaque);
    EXPECT_TRUE(m.texture().disabled());
    EXPECT_EQ(m.backProperties().diffuse().color(), f.diffuse().color());
    TGLColor c;
    EXPECT_EQ(c.color(), (Vec4{0, 0, 0, 1}));
}

TEST(Material, OnlyTrueBlendingModesAreBlended) {
    TGLSphere s;
    const std::pair<TGLBlendingMode, bool> modes[] = {
        {TGLBlendingMode::bmOpaque, false},       {TGLBlendingMode::bmTransparency, true},
        {TGLBlendingMode::bmAdditive, true},      {TGLBlendingMode::bmAlphaTest50, false},
        {TGLBlendingMode::bmAlphaTest100, false}, {TGLBlendingMode::bmModulate, true},
        {TGLBlendingMode::bmCustom, true}};
    for (const auto& [mode, blended] : modes) {
        s.material().setBlendingMode(mode);
        EXPECT_EQ(s.blended(), blended) << int(mode);
    }
}

TEST(Material, LibraryEntryReplacesOwnSettingsUnlessMissing) {
    TGLScene scene;
    TGLMaterialLibrary lib;
    auto& on = lib.add("sound_on");
    on.material().frontProperties().diffuse().setColor(0, 1, 0, 1);
    on.material().setBlendingMode(TGLBlendingMode::bmTransparency);
    auto& mute = lib.add("mude");
    mute.material().frontProperties().diffuse().setColor(1, 0, 0, 1);

    auto& sprite = scene.objects().addNewChild<TGLSphere>();
    int fired = 0;
    scene.addChangeListener([&] { ++fired; });
    sprite.material().setMaterialLibrary(&lib);
    sprite.material().setLibMaterialName("sound_on");
    EXPECT_EQ(&sprite.material().effective(), &on.material());
    EXPECT_TRUE(sprite.blended());
    sprite.material().setLibMaterialName("mude");
    EXPECT_EQ(sprite.material().effective().frontProperties().diffuse().red(), 1);
    EXPECT_FALSE(sprite.blended());

    // A change to the entry reaches the scene through the object using it.
    fired = 0;
    mute.material().frontProperties().diffuse().setGreen(0.5f);
    EXPECT_EQ(fired, 1);

    // A name the library lacks: the object's own material is drawn.
    sprite.material().setLibMaterialName("HT9");
    EXPECT_EQ(&sprite.material().effective(), &sprite.material());
    EXPECT_EQ(sprite.material().resolvedLibMaterial(), nullptr);
}

TEST(Material, ChainsOfEntriesResolveAndCyclesAreRefused) {
    TGLMaterialLibrary lib;
    auto& a = lib.add("a");
    auto& b = lib.add("b");
    auto& c = lib.add("c");
    a.material().setMaterialLibrary(&lib);
    b.material().setMaterialLibrary(&lib);
    c.material().setMaterialLibrary(&lib);
    a.material().setLibMaterialName("b");
    b.material().setLibMaterialName("c");
    EXPECT_EQ(&a.material().effective(), &c.material());

    for (const char* name : {"a", "b"}) {
        try {
            c.material().setLibMaterialName(name); // c -> a -> b -> c, or c -> b -> c
            FAIL() << "no exception for " << name;
        } catch (const std::invalid_argument& e) {
            EXPECT_STREQ(e.what(), "Error: Cyclic material reference detected!");
        }
    }
    EXPECT_EQ(c.material().libMaterialName(), "");
    EXPECT_EQ(&a.material().effective(), &c.material());
    EXPECT_THROW(a.material().setLibMaterialName("a"), std::invalid_argument);

    // Setting the library after the name is checked as well.
    TGLMaterialLibrary other;
    auto& x = other.add("x");
    x.material().setLibMaterialName("x");
    EXPECT_THROW(x.material().setMaterialLibrary(&other), std::invalid_argument);
    EXPECT_EQ(x.material().materialLibrary(), nullptr);
}

TEST(Material, DestroyedLibraryLeavesUsersWithTheirOwnSettings) {
    TGLSphere s;
    {
        TGLMaterialLibrary lib;
        lib.add("HT0").material().setBlendingMode(TGLBlendingMode::bmAdditive);
        lib.add("HT1").material().setMaterialLibrary(&lib);
        lib.at(1).material().setLibMaterialName("HT0");
        s.material().setMaterialLibrary(&lib);
        s.material().setLibMaterialName("HT1");
        EXPECT_TRUE(s.blended());
    }
    EXPECT_EQ(s.material().materialLibrary(), nullptr);
    EXPECT_FALSE(s.blended());
}

TEST(Material, ShininessStaysInTheGlRange) {
    TGLMaterial m(nullptr);
    m.frontProperties().setShininess(300);
    EXPECT_EQ(m.frontProperties().shininess(), 128);
    m.frontProperties().setShininess(-4);
    EXPECT_EQ(m.frontProperties().shininess(), 0);
}

TEST(Texture, PictureFromASourceIsMadeWhenWantedAndOnlyItsOwnPixelsAreLetGo) {
    int made = 0;
    TGLTexture t;
    t.setImageSource([&] {
        ++made;
        return platform::Image{1, 1, {0xff00ff00}};
    });
    EXPECT_TRUE(t.hasImage());
    EXPECT_EQ(made, 0) << "nothing decoded before it is drawn";
    EXPECT_EQ(t.image().at(0, 0), 0xff00ff00u);
    t.releaseImage();
    EXPECT_EQ(t.image().at(0, 0), 0xff00ff00u) << "made again for a new context";
    EXPECT_EQ(made, 2);
    // A picture set directly has nothing to make it again: it stays.
    t.setImage(platform::Image{1, 1, {0xffff0000}});
    t.releaseImage();
    EXPECT_EQ(t.image().at(0, 0), 0xffff0000u);
    EXPECT_EQ(made, 2);
}

} // namespace
} // namespace coilrun::engine
