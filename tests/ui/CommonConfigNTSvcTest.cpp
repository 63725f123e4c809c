#include "CommonFiles/ui/CommonConfigNTSvc.h"
#include "ui/SettingsWindow.h"

namespace {

const QString kSchedule = "OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\";
const QString kImport = "OPTIONS\\AUTOMATED_IMPORT\\";

using ScheduleWindow = SettingsWindow<CommonConfigNTSvc>;

}  // namespace

TEST(CommonConfigNTSvc, ShowsTheScheduleTheServiceFollows)
{
    struct Case {
        const char* hourly;
        const char* minutely;
        const char* shown;
    };
    for (const Case& c : {Case{"YES", "YES", "optHourly"}, Case{"NO", "YES", "optMinutely"},
                          Case{"yes", "NO", "optDaily"}, Case{"NO", "NO", "optDaily"}}) {
        SCOPED_TRACE(std::string(c.hourly) + " " + c.minutely);
        ScheduleWindow s;
        s.globals.config().setItem(kSchedule + "DAILY", "YES");
        s.globals.config().setItem(kSchedule + "HOURLY", c.hourly);
        s.globals.config().setItem(kSchedule + "MINUTELY", c.minutely);
        s.Open();
        EXPECT_TRUE(s.Chosen(c.shown));
    }
}

TEST(CommonConfigNTSvc, NumbersAreClampedAsTheServiceCanUseThem)
{
    struct Case {
        const char* field;
        const char* typed;
        const char* key;
        const char* stored;
    };
    ScheduleWindow s;
    s.Open();
    for (const Case& c : {Case{"MinutelyMinutes", "-5", "SCHEDULE\\MINUTELY_MINUTE", "10"},
                          Case{"MinutelyMinutes", "5000", "SCHEDULE\\MINUTELY_MINUTE", "1440"},
                          Case{"txtTimeShift", "20000", "STARTDATE_SHIFT_MINUTE", "14400"},
                          Case{"txtTimeShift", "-99999999", "STARTDATE_SHIFT_MINUTE", "-14400"},
                          Case{"dayTimeHour", "-3", "SCHEDULE\\DAILY_HOUR", "0"},
                          Case{"dayTimeHour", "99", "SCHEDULE\\DAILY_HOUR", "23"},
                          Case{"dayTimeMinutes", "75", "SCHEDULE\\DAILY_MINUTE", "59"},
                          Case{"HourTimeMinutes", "99999999999", "SCHEDULE\\HOURLY_MINUTE", "59"}}) {
        SCOPED_TRACE(std::string(c.field) + " " + c.typed);
        s.Type(c.field, c.typed);
        s.Press("check");
        EXPECT_EQ(s.Stored(kImport + c.key), c.stored);
        EXPECT_EQ(s.Field(c.field).text(), c.stored);
    }
    EXPECT_TRUE(s.presenter.shown.isEmpty());
}

TEST(CommonConfigNTSvc, AppliesTheChoicesAsTheirExactTextsAndSavesOnlyOnSave)
{
    ScheduleWindow s;
    s.Open();
    EXPECT_EQ(s.window->windowTitle(), "Automated Import Configuration");
    EXPECT_TRUE(s.Chosen("optDaily") && s.Chosen("optCalcRequest") && s.Chosen("optRealMode"));
    s.Screenshot("automated-import-configuration");

    s.Choose("optMinutely");
    s.Choose("optNoCalcRequest");
    s.Choose("optTestMode");
    SetPicker(*s.window, "dtStart", DateTime::FromParts(2026, 3, 7, 6, 5, 4));
    s.Press("close");
    EXPECT_EQ(s.Stored(kSchedule + "MINUTELY"), "NO");

    s.Press("check");
    QStringList stored;
    for (const char* key : {"SCHEDULE\\DAILY", "SCHEDULE\\HOURLY", "SCHEDULE\\MINUTELY", "SUBMIT_CALC_REQUEST",
                            "REAL_OPERATION_MODE", "DEFAULT_LAST_RUN"})
        stored << s.Stored(kImport + key);
    EXPECT_EQ(stored, (QStringList{"NO", "NO", "YES", "NO", "NO", "03-07-2026 06:05:04"}));
    EXPECT_FALSE(s.Saved().contains("03-07-2026 06:05:04"));
    s.Press("save");
    EXPECT_TRUE(s.Saved().contains("03-07-2026 06:05:04"));
}
