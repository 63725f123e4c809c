#include "CommonFiles/control/QELTimer.h"
#include "support/TestLog.h"

#include <QEventLoop>
#include <QUuid>
#include <gtest/gtest.h>

namespace {

// Runs the event loop until the timer has fired the given number of times
// or a generous deadline passes; returns how often it fired.
int TicksWithin(QELTimer& timer, int wanted, int deadlineMs = 5000)
{
    int ticks = 0;
    QEventLoop loop;
    const auto counter = QObject::connect(&timer, &QELTimer::Timer, &loop, [&] {
        if (++ticks >= wanted)
            loop.quit();
    });
    QTimer::singleShot(deadlineMs, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(counter);
    return ticks;
}

}  // namespace

TEST(QELTimer, StartsStoppedUnderAFreshGuidName)
{
    TestLog log(2);
    QELTimer timer(log.log);
    EXPECT_EQ(timer.id().size(), 36);
    EXPECT_FALSE(QUuid::fromString(timer.id()).isNull());
    EXPECT_NE(QELTimer(log.log).id(), timer.id());
    EXPECT_EQ(timer.Interval(), 0);
    EXPECT_FALSE(timer.Enabled());
}

TEST(QELTimer, NegativeIntervalIsIgnored)
{
    TestLog log(2);
    QELTimer timer(log.log);
    timer.setInterval(250);
    timer.setInterval(-5);
    EXPECT_EQ(timer.Interval(), 250);
}

TEST(QELTimer, RunsOnlyWhenEnabledWithAPeriod)
{
    TestLog log(2);
    QELTimer timer(log.log);
    timer.setEnabled(true);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(TicksWithin(timer, 1, 100), 0);

    timer.setInterval(20);  // restarts the enabled timer with its new period
    EXPECT_EQ(TicksWithin(timer, 1), 1);

    timer.setEnabled(false);
    EXPECT_EQ(TicksWithin(timer, 1, 100), 0);
}

TEST(QELTimer, EachTickIsLoggedAroundItsHandler)
{
    TestLog log(2);
    QELTimer timer(log.log);
    timer.setId("Probe");
    QObject::connect(&timer, &QELTimer::Timer, [&] { log.log.WriteLog("handled", 0); });
    timer.setInterval(20);
    timer.setEnabled(true);
    ASSERT_EQ(TicksWithin(timer, 1), 1);
    timer.setEnabled(false);
    EXPECT_EQ(log.lines(), (QStringList{"Probe callback entered.", "handled", "Probe callback exited."}));

    timer.RaiseTimer();  // the event alone, without the callback's lines
    EXPECT_EQ(log.lines().last(), "handled");
}

TEST(QELTimer, CallbackLinesNeedVerbosityTwo)
{
    TestLog log(1);
    QELTimer timer(log.log);
    timer.setInterval(20);
    timer.setEnabled(true);
    ASSERT_EQ(TicksWithin(timer, 1), 1);
    EXPECT_TRUE(log.lines().isEmpty());
}
