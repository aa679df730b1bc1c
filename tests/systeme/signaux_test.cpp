#include "systeme/signaux.h"

#include <QTest>

#include <csignal>
#include <gtest/gtest.h>

// The reaction runs from the event loop, after the handler has returned.
TEST(InterceptionSignaux, StopSignalsReachTheEventLoopThenDefaultsComeBack) {
    std::vector<int> recus;
    // Held back before any interception: neither fatal nor lost.
    InterceptionSignaux::retenir();
    raise(SIGHUP);
    {
        InterceptionSignaux interception([&](int signal) { recus.push_back(signal); });
        ASSERT_TRUE(QTest::qWaitFor([&] { return recus.size() == 1; }, 2000));
        EXPECT_EQ(recus, std::vector<int>{SIGHUP});
    }
    recus.clear();
    {
        InterceptionSignaux interception([&](int signal) { recus.push_back(signal); });
        raise(SIGTERM);
        raise(SIGINT);
        EXPECT_TRUE(recus.empty());
        ASSERT_TRUE(QTest::qWaitFor([&] { return recus.size() == 2; }, 2000));
        EXPECT_EQ(recus, (std::vector<int>{SIGTERM, SIGINT}));
    }
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction action {};
        sigaction(signal, nullptr, &action);
        EXPECT_EQ(action.sa_handler, SIG_DFL) << signal;
    }
}
