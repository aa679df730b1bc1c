#include "systeme/signaux.h"

#include <QTest>

#include <csignal>
#include <gtest/gtest.h>

// The reaction runs from the event loop, after the handler has returned; a
// signal held back before any interception is neither fatal nor lost.
TEST(InterceptionSignaux, StopSignalsReachTheEventLoopThenDefaultsComeBack) {
    std::vector<int> recus;
    InterceptionSignaux::retenir();
    raise(SIGHUP);
    {
        InterceptionSignaux interception([&](int signal) { recus.push_back(signal); });
        raise(SIGTERM);
        raise(SIGINT);
        EXPECT_TRUE(recus.empty());
        ASSERT_TRUE(QTest::qWaitFor([&] { return recus.size() == 3; }, 2000));
        EXPECT_EQ(recus, (std::vector<int>{SIGHUP, SIGTERM, SIGINT}));
    }
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction action {};
        sigaction(signal, nullptr, &action);
        EXPECT_EQ(action.sa_handler, SIG_DFL) << signal;
    }
}
