// Taking behaviours off a scene object, from outside a tick and from inside one.
#include "engine/objects/dummy_cube.h"

#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace coilrun::engine {
namespace {

// Logs its name on every tick, then runs whatever the test has given it to do.
class ScriptedBehaviour : public TGLBehaviour {
public:
    ScriptedBehaviour(std::string tag, std::vector<std::string>& log, bool* destroyed = nullptr)
        : tag_(std::move(tag)), log_(log), destroyed_(destroyed) {}
    ~ScriptedBehaviour() override {
        if (destroyed_) *destroyed_ = true;
    }
    std::string className() const override { return "ScriptedBehaviour"; }
    void doProgress(const TGLProgressTimes&) override {
        log_.push_back(tag_);
        if (action) action(*this);
    }
    std::function<void(ScriptedBehaviour& self)> action;

private:
    std::string tag_;
    std::vector<std::string>& log_;
    bool* destroyed_;
};

class SilentEffect : public TGLEffect {
public:
    std::string className() const override { return "SilentEffect"; }
    void doProgress(const TGLProgressTimes&) override {}
};

struct BehaviourRemoval : ::testing::Test {
    ScriptedBehaviour& add(TGLBaseSceneObject& object, const std::string& tag) {
        return static_cast<ScriptedBehaviour&>(
            object.addBehaviour(std::make_unique<ScriptedBehaviour>(tag, log)));
    }
    std::vector<std::string> tick(TGLBaseSceneObject& object) {
        log.clear();
        object.doProgress({0.01, 1.0});
        return log;
    }

    std::vector<std::string> log;
    std::vector<std::unique_ptr<TGLBehaviour>> taken;
};

using Log = std::vector<std::string>;

TEST_F(BehaviourRemoval, HandsTheBehaviourBackUnownedAndOnlyFromItsOwnObject) {
    TGLDummyCube object, other;
    bool destroyed = false;
    auto& a = static_cast<ScriptedBehaviour&>(
        object.addBehaviour(std::make_unique<ScriptedBehaviour>("a", log, &destroyed)));
    auto& b = add(object, "b");
    auto& effect = object.addEffect(std::make_unique<SilentEffect>());
    auto& foreign = add(other, "foreign");

    std::unique_ptr<TGLBehaviour> out = object.removeBehaviour(a);
    ASSERT_EQ(out.get(), &a);
    EXPECT_EQ(a.owner(), nullptr) << "the link to the old owner is cleared";
    ASSERT_EQ(object.behaviours().size(), 1u);
    EXPECT_EQ(object.behaviours()[0].get(), &b);
    EXPECT_EQ(tick(object), (Log{"b"}));
    EXPECT_FALSE(destroyed) << "the caller holds it now";

    EXPECT_EQ(object.removeBehaviour(a), nullptr) << "already gone";
    EXPECT_EQ(object.removeBehaviour(effect), nullptr) << "effects are not behaviours";
    EXPECT_EQ(object.effects().size(), 1u);
    EXPECT_EQ(object.removeBehaviour(foreign), nullptr);
    EXPECT_EQ(foreign.owner(), &other);
    EXPECT_EQ(other.behaviours().size(), 1u);

    // It can be attached again, to any object.
    other.addBehaviour(std::move(out));
    EXPECT_EQ(a.owner(), &other);
    EXPECT_EQ(tick(other), (Log{"foreign", "a"}));
}

TEST_F(BehaviourRemoval, TheWalkNeitherSkipsNorRepeatsWhenBehavioursLeaveDuringIt) {
    TGLDummyCube object;
    auto& a = add(object, "a");
    auto& b = add(object, "b");
    auto& c = add(object, "c");
    auto& d = add(object, "d");
    add(object, "e");

    // b leaves by itself; c takes a, which has already ticked, off the front.
    b.action = [&](ScriptedBehaviour& self) { taken.push_back(object.removeBehaviour(self)); };
    c.action = [&](ScriptedBehaviour&) { taken.push_back(object.removeBehaviour(a)); };
    EXPECT_EQ(tick(object), (Log{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(taken.size(), 2u);
    EXPECT_EQ(object.behaviours().size(), 3u);

    // Removing one not yet reached means it is not called this time.
    c.action = [&](ScriptedBehaviour&) { taken.push_back(object.removeBehaviour(d)); };
    EXPECT_EQ(tick(object), (Log{"c", "e"}));
    c.action = nullptr;
    EXPECT_EQ(tick(object), (Log{"c", "e"}));
}

TEST_F(BehaviourRemoval, BehaviourMayBeDestroyedByItsOwnRemoval) {
    TGLDummyCube object;
    bool destroyed = false;
    auto& first = static_cast<ScriptedBehaviour&>(
        object.addBehaviour(std::make_unique<ScriptedBehaviour>("first", log, &destroyed)));
    add(object, "second");
    first.action = [&object](ScriptedBehaviour& self) {
        // The last thing it does: nothing of it is touched after its own tick returns.
        object.removeBehaviour(self);
    };
    EXPECT_EQ(tick(object), (Log{"first", "second"}));
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(tick(object), (Log{"second"}));
}

TEST_F(BehaviourRemoval, ATickThatThrowsLeavesLaterRemovalsSound) {
    TGLDummyCube object;
    auto& a = add(object, "a");
    auto& b = add(object, "b");
    add(object, "c");
    a.action = [](ScriptedBehaviour&) { throw std::runtime_error("tick failed"); };
    EXPECT_THROW(object.doProgress({0.01, 1.0}), std::runtime_error);

    // Outside any walk now: removing must not reach into the abandoned one.
    a.action = nullptr;
    taken.push_back(object.removeBehaviour(b));
    EXPECT_EQ(tick(object), (Log{"a", "c"}));
}

TEST_F(BehaviourRemoval, RemovalInAChildsTickLeavesTheParentsWalkAlone) {
    TGLDummyCube parent;
    auto& child = parent.addNewChild<TGLDummyCube>();
    auto& p1 = add(parent, "p1");
    add(parent, "p2");
    auto& c1 = add(child, "c1");
    add(child, "c2");
    c1.action = [&](ScriptedBehaviour&) { taken.push_back(parent.removeBehaviour(p1)); };
    EXPECT_EQ(tick(parent), (Log{"p1", "p2", "c1", "c2"}));
    c1.action = nullptr;
    EXPECT_EQ(tick(parent), (Log{"p2", "c1", "c2"}));
}

} // namespace
} // namespace coilrun::engine
