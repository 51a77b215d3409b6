#include "server/rate_limiter.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace coilrun::server;
using namespace std::chrono_literals;

namespace {

const RateLimiter::Clock::time_point t0{};

int allowedOf(RateLimiter& limiter, const QString& client, int tries,
              RateLimiter::Clock::time_point at) {
    int allowed = 0;
    for (int i = 0; i < tries; ++i)
        allowed += limiter.allow(client, at) ? 1 : 0;
    return allowed;
}

TEST(RateLimiter, ThirtyAMinuteFromOneClient) {
    RateLimiter limiter(30);
    EXPECT_EQ(allowedOf(limiter, u"10.0.0.1"_s, 45, t0 + 1s), 30);
    EXPECT_FALSE(limiter.allow(u"10.0.0.1"_s, t0 + 60s)); // still within the minute
    EXPECT_TRUE(limiter.allow(u"10.0.0.1"_s, t0 + 61s));  // the first ones have aged out
}

TEST(RateLimiter, TheWindowSlides) {
    RateLimiter limiter(3);
    EXPECT_TRUE(limiter.allow(u"a"_s, t0));
    EXPECT_TRUE(limiter.allow(u"a"_s, t0 + 20s));
    EXPECT_TRUE(limiter.allow(u"a"_s, t0 + 40s));
    EXPECT_FALSE(limiter.allow(u"a"_s, t0 + 59s));
    EXPECT_TRUE(limiter.allow(u"a"_s, t0 + 60s));  // t0 left the window
    EXPECT_FALSE(limiter.allow(u"a"_s, t0 + 61s)); // 20, 40, 60 are in it
    EXPECT_TRUE(limiter.allow(u"a"_s, t0 + 80s));
}

TEST(RateLimiter, RefusedReportsDoNotCount) {
    RateLimiter limiter(2);
    EXPECT_EQ(allowedOf(limiter, u"a"_s, 100, t0), 2);
    EXPECT_TRUE(limiter.allow(u"a"_s, t0 + 60s));
}

TEST(RateLimiter, ClientsAreCountedApart) {
    RateLimiter limiter(30);
    EXPECT_EQ(allowedOf(limiter, u"127.0.0.1"_s, 40, t0), 30);
    EXPECT_EQ(allowedOf(limiter, u"127.0.0.2"_s, 40, t0), 30);
    EXPECT_EQ(allowedOf(limiter, u"::1"_s, 10, t0), 10);
}

TEST(RateLimiter, ZeroMeansNoLimit) {
    RateLimiter limiter(0);
    EXPECT_EQ(allowedOf(limiter, u"a"_s, 1000, t0), 1000);
    EXPECT_EQ(limiter.trackedClients(), 0);
}

TEST(RateLimiter, ForgetsIdleClients) {
    RateLimiter limiter(30);
    for (int i = 0; i < 2000; ++i)
        limiter.allow(QString::number(i), t0);
    EXPECT_GT(limiter.trackedClients(), 1000);
    // A minute later, enough calls from one client trigger a sweep of the others.
    for (int i = 0; i < 600; ++i)
        limiter.allow(u"late"_s, t0 + 61s + std::chrono::milliseconds(i));
    EXPECT_LE(limiter.trackedClients(), 2);
}

} // namespace
