#include "CommonFiles/control/ConfigurationKeys.h"
#include "CommonFiles/control/PickerTimeBases.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "support/FakeClock.h"
#include "support/RecordingPresenter.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

using Base = PickerTimeBases::Base;

// A collector five and a half hours east of UTC, watched from a machine two
// hours east; nothing learned from a server, so its clock is the local one.
struct TimeBaseFixture {
    TempFolder folder;
    FakeClock clock{DateTime::FromParts(2024, 5, 15, 14, 37, 20)};
    CommonGlobals globals{clock, folder.path(), "r58213"};
    PickerTimeBases bases{globals, 7, 330, 120};
};

}  // namespace

TEST(PickerTimeBases, ShownDatesAndTheServerClockFollowTheBase)
{
    TimeBaseFixture f;
    const qint64 localOffset = TimeUtils::LocalUtcOffsetSeconds();
    const DateTime shown = DateTime::FromParts(2024, 5, 15, 10, 0, 15);
    EXPECT_EQ(f.bases.ToUtc(Base::Utc, shown), shown);
    EXPECT_EQ(f.bases.ToUtc(Base::Collector, shown), DateTime::FromParts(2024, 5, 15, 4, 30, 15));
    EXPECT_EQ(f.bases.ToUtc(Base::Interface, shown), shown.addSeconds(-localOffset));
    EXPECT_EQ(f.bases.ReferenceMoment(Base::Interface), f.clock.now());
    EXPECT_EQ(f.bases.ReferenceMoment(Base::Collector), DateTime::FromParts(2024, 5, 15, 18, 7, 20));
    EXPECT_EQ(f.bases.ReferenceMoment(Base::Utc), f.clock.now().addSeconds(-localOffset));
}

TEST(PickerTimeBases, AnUnreachableTargetIsReportedAndTheLocalClockStandsIn)
{
    TimeBaseFixture f;
    RecordingPresenter presenter;
    f.globals.msgBox().setPresenter(&presenter);
    ConfigurationKeys::DefineStartupKeys(f.globals.config(), f.clock.now(), "r58213");
    f.globals.config().setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_DBTYPE", "3");
    f.bases.Load();
    EXPECT_EQ(presenter.shown, QStringList{"48||Unable to init Korvel Orvex Connection Manager"});
    EXPECT_EQ(f.bases.Caption(Base::Collector), "Collector []");
    EXPECT_EQ(f.bases.ReferenceMoment(Base::Interface), f.clock.now());
}
