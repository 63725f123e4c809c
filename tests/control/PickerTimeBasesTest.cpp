#include "CommonFiles/control/PickerTimeBases.h"
#include "support/LocalZone.h"
#include "support/Printers.h"
#include "support/RecordingPresenter.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

namespace {

using Base = PickerTimeBases::Base;

// A collector one hour east of UTC, watched from a machine five and a half
// hours east; nothing learned from a server, so its clock is the local one.
struct TimeBaseFixture : TestInstallation {
    TimeBaseFixture() : TestInstallation(DateTime::FromParts(2024, 5, 15, 14, 37, 20)) {}
    LocalZone zone{"XST-5:30"};
    PickerTimeBases bases{globals, 7, 60, 330};
};

}  // namespace

TEST(PickerTimeBases, ShownDatesReachUtcByTheirBase)
{
    TimeBaseFixture f;
    const DateTime shown = DateTime::FromParts(2024, 5, 15, 10, 0, 15);
    EXPECT_EQ(f.bases.ToUtc(Base::Utc, shown), shown);
    EXPECT_EQ(f.bases.ToUtc(Base::Collector, shown), DateTime::FromParts(2024, 5, 15, 9, 0, 15));
    EXPECT_EQ(f.bases.ToUtc(Base::Interface, shown), DateTime::FromParts(2024, 5, 15, 4, 30, 15));
}

TEST(PickerTimeBases, ShortcutsCountFromTheServerClockInTheChosenBase)
{
    TimeBaseFixture f;
    EXPECT_EQ(f.bases.ReferenceMoment(Base::Interface), DateTime::FromParts(2024, 5, 15, 14, 37, 20));
    EXPECT_EQ(f.bases.ReferenceMoment(Base::Collector), DateTime::FromParts(2024, 5, 15, 10, 7, 20));
    EXPECT_EQ(f.bases.ReferenceMoment(Base::Utc), DateTime::FromParts(2024, 5, 15, 9, 7, 20));
}

TEST(PickerTimeBases, AnUnreachableTargetIsReportedAndTheLocalClockStandsIn)
{
    TimeBaseFixture f;
    RecordingPresenter presenter;
    f.globals.msgBox().setPresenter(&presenter);
    f.LoadConfiguration();
    f.globals.config().setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_DBTYPE", "3");
    f.bases.Load();
    EXPECT_EQ(presenter.shown, QStringList{"48||Unable to init Korvel Orvex Connection Manager"});
    EXPECT_EQ(f.bases.Caption(Base::Collector), "Collector []");
    EXPECT_EQ(f.bases.ReferenceMoment(Base::Interface), DateTime::FromParts(2024, 5, 15, 14, 37, 20));
}
