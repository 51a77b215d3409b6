// The table of a context's GL objects, with GL calls that hand out and take back
// names from a pretend context, so that every delete can be checked.
#include "engine/render/gl_objects.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace coilrun::engine {
namespace {

// Names alive in the pretend context (first name -> list count, 0 for a texture), and
// every delete of a name that was not alive.
struct PretendContext {
    unsigned next = 1;
    std::map<unsigned, int> alive;
    int badDeletes = 0;
    bool exhausted = false;
};
PretendContext* gContext = nullptr;

unsigned genLists(int count) {
    if (gContext->exhausted) return 0;
    const unsigned first = gContext->next;
    gContext->next += unsigned(std::max(count, 1));
    gContext->alive[first] = count;
    return first;
}
void deleteLists(unsigned first, int count) {
    const auto it = gContext->alive.find(first);
    if (it == gContext->alive.end() || it->second != count)
        ++gContext->badDeletes;
    else
        gContext->alive.erase(it);
}
unsigned genTexture() {
    return genLists(0);
}
void deleteTexture(unsigned name) {
    deleteLists(name, 0);
}
const GlObjects::Calls kPretend{genLists, deleteLists, genTexture, deleteTexture};

class GlObjectsTest : public ::testing::Test {
protected:
    GlObjectsTest() { gContext = &context; }
    ~GlObjectsTest() override { gContext = nullptr; }
    PretendContext context;
};

TEST_F(GlObjectsTest, ReleaseDeletesEveryObjectOnceAndOwnersMakeThemAgain) {
    GlObjects objects(kPretend);
    GlObjectOwner shape, font;
    objects.makeLists(shape, 0, 1);
    objects.makeLists(shape, 2, 256); // a second slot of the same owner
    objects.makeTexture(font);
    // Remade in place: the slot's old texture goes at once.
    objects.makeTexture(font)->version = 7;
    EXPECT_EQ(context.alive.size(), 3u);
    {
        GlObjectOwner gone;
        objects.makeTexture(gone);
    }
    EXPECT_EQ(context.alive.size(), 4u) << "an owner that went waits for the context";
    EXPECT_EQ(objects.pendingCount(), 1u);

    objects.release();
    EXPECT_TRUE(context.alive.empty());
    EXPECT_EQ(context.badDeletes, 0);
    EXPECT_EQ(objects.find(shape, 2), nullptr);
    EXPECT_EQ(objects.find(font), nullptr);
    objects.release();
    EXPECT_EQ(context.badDeletes, 0) << "a second release deletes nothing";

    // The next draw makes them again, with a fresh version to build against.
    GlObjects::Entry* texture = objects.makeTexture(font);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->version, 0u);
    EXPECT_EQ(objects.find(font), texture);
    EXPECT_EQ(objects.count(GlObjects::Kind::texture), 1u);
    objects.release();
}

TEST_F(GlObjectsTest, NamesOfALostContextAreNeverDeletedInTheNextOne) {
    GlObjects objects(kPretend);
    auto early = std::make_unique<GlObjectOwner>();
    auto late = std::make_unique<GlObjectOwner>();
    objects.makeLists(*early, 0, 4);
    objects.makeTexture(*late);
    early.reset(); // pending when the context is lost

    // The context went with its objects; the next one hands out the same names.
    objects.forget();
    context = PretendContext{};
    EXPECT_EQ(objects.pendingCount(), 0u);
    GlObjectOwner fresh;
    const unsigned name = objects.makeLists(fresh, 0, 4)->name;
    late.reset();
    objects.collect();
    objects.release();
    EXPECT_EQ(context.badDeletes, 0) << "an old name deleted in the new context";
    EXPECT_TRUE(context.alive.empty());
    EXPECT_EQ(name, 1u);
}

TEST_F(GlObjectsTest, OwnersAndTablesGoInEitherOrder) {
    GlObjectOwner owner;
    {
        GlObjects window(kPretend), offscreen(kPretend);
        window.makeTexture(owner);
        offscreen.makeTexture(owner);
        window.release();
        EXPECT_NE(offscreen.find(owner), nullptr) << "each context keeps its own";
        offscreen.release();
        offscreen.makeTexture(owner);
        // offscreen goes with a name still held: no GL call, and the owner forgets it.
    }
    EXPECT_EQ(context.badDeletes, 0);
    GlObjects later(kPretend);
    {
        GlObjectOwner brief;
        later.makeLists(brief, 0, 1);
    }
    context.exhausted = true;
    EXPECT_EQ(later.makeTexture(owner), nullptr) << "no name to be had";
    EXPECT_EQ(later.find(owner), nullptr);
    later.collect();
    EXPECT_EQ(context.badDeletes, 0);
}

} // namespace
} // namespace coilrun::engine
