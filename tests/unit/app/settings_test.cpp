#include "game/settings/registry.h"
#include "game/settings/settings.h"
#include "tests/sim/sim_settings.h"

#include <gtest/gtest.h>

namespace coilrun {
namespace {

constexpr const char* kKey = "Software\\Quorvex\\Coilrun";

struct SettingsTest : ::testing::Test {
    sim::SimSettingsStore store;
    std::map<std::string, std::string>& values() { return store.keys[kKey]; }
};

TEST_F(SettingsTest, MaxLevelFromStoredLevel) {
    EXPECT_EQ(settings::readMaxLevel(store), 1) << "missing value";
    values()["level"] = std::string("0");
    EXPECT_EQ(settings::readMaxLevel(store), 1) << "0 counts as absent";
    values()["level"] = std::string("7");
    EXPECT_EQ(settings::readMaxLevel(store), 7);
    values()["level"] = std::string("-3");
    EXPECT_EQ(settings::readMaxLevel(store), -3) << "any other integer is taken as it is";
}

TEST_F(SettingsTest, DamagedLevelCountsAsAbsentAndIsLeftAlone) {
    values()["level"] = std::string("seven");
    values()["Creator"] = std::string("me");
    values()["other"] = std::string("kept");
    EXPECT_EQ(settings::readMaxLevel(store), 1);
    EXPECT_EQ(values()["level"], "seven");
    EXPECT_EQ(values()["Creator"], "me");
    EXPECT_EQ(values()["other"], "kept");
    values()["level"] = std::string("");
    EXPECT_EQ(settings::readMaxLevel(store), 1);
    values()["level"] = std::string("99999999999999999999");
    EXPECT_EQ(settings::readMaxLevel(store), 1) << "out of range is damaged too";
}

TEST_F(SettingsTest, EveryAccessOpensAndReleasesTheKey) {
    settings::readMaxLevel(store);
    settings::markCreatorIfMissing(store);
    settings::readNewFlag(store);
    settings::storeMaxLevel(store, 3);
    EXPECT_EQ(store.opened, 4);
    EXPECT_EQ(store.released, 4);
    EXPECT_TRUE(store.keys.count(kKey)) << "the key is created when missing";
}

TEST_F(SettingsTest, CreatorMarksTheMachineOnce) {
    EXPECT_EQ(settings::readNewFlag(store), "TRUE") << "first run";
    settings::markCreatorIfMissing(store);
    EXPECT_EQ(values()["Creator"], "Velmora");
    EXPECT_EQ(settings::readNewFlag(store), "FALSE");

    values()["Creator"] = std::string("me");
    settings::markCreatorIfMissing(store);
    EXPECT_EQ(values()["Creator"], "me") << "an existing value is left unchanged";
    EXPECT_EQ(settings::readNewFlag(store), "ME");

    settings::storeMaxLevel(store, 4);
    EXPECT_EQ(values()["Creator"], "Velmora") << "a new maximum overwrites \"me\"";
    EXPECT_EQ(values()["level"], "4");
    EXPECT_EQ(settings::readMaxLevel(store), 4);
}

TEST_F(SettingsTest, RegistryReportsWrongTypesAndMissingKeys) {
    TRegistry reg(store);
    EXPECT_FALSE(reg.OpenKey("Software\\Nobody", false));
    EXPECT_THROW(reg.ReadInteger("level"), ERegistryException);
    ASSERT_TRUE(reg.OpenKey(kKey, true));
    reg.WriteString("name", "abc");
    EXPECT_THROW(reg.ReadInteger("name"), ERegistryException);
    EXPECT_EQ(reg.ReadString("missing"), "");
}

TEST(UserName, ComesFromTheSignedInUser) {
    sim::SimUserIdentity user;
    user.name = "alice";
    EXPECT_EQ(GetUserN(user), "alice");
    user.name = std::string(252, 'x');
    EXPECT_EQ(GetUserN(user).size(), 252u);
    user.name = std::string(253, 'x');
    EXPECT_EQ(GetUserN(user), "") << "longer than the buffer the game passes";
}

} // namespace
} // namespace coilrun
