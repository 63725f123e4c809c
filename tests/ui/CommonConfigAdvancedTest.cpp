#include "CommonFiles/ui/CommonConfigAdvanced.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/ui/CommonTypeConfigCache.h"
#include "support/InteractiveInstallation.h"
#include "support/RecordingPresenter.h"
#include "support/Screenshot.h"
#include "ui/DemoTarget.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

namespace Keys = ConfigurationKeyNames;

namespace {

// A window of the configuration on a fresh installation, opened once the
// test has stored what it loads, with a person who reads every message.
template <class Window> struct SettingsWindow : InteractiveInstallation {
    RecordingPresenter presenter;
    std::unique_ptr<Window> window;

    SettingsWindow() { globals.msgBox().setPresenter(&presenter); }
    Window& Open()
    {
        window = std::make_unique<Window>(globals);
        return *window;
    }
    template <class Control = QLineEdit> Control& Find(const QString& name)
    {
        auto* control = window->template findChild<Control*>(name);
        EXPECT_NE(control, nullptr) << name.toStdString();
        return *control;
    }
    void Type(const QString& field, const QString& text) { Find(field).setText(text); }
    QString Item(const QString& key) { return globals.config().item(key); }
    void Store(const QString& key, const QString& value) { globals.config().setItem(key, value); }
};

using Advanced = SettingsWindow<CommonConfigAdvanced>;

// Types into a password field of the open modal dialog.
void TypeInto(QWidget& dialog, const QString& field, const QString& text)
{
    auto* box = dialog.findChild<QLineEdit*>(field);
    box->clear();
    QTest::keyClicks(box, text);
}

QDialog& ModalDialog()
{
    return *qobject_cast<QDialog*>(QApplication::activeModalWidget());
}

}  // namespace

TEST(CommonConfigAdvanced, LoadsAsTheProgramReadsTheKeysAndAppliesTheirExactTexts)
{
    Advanced s;
    s.Store(Keys::Options::kLogVerbosity, "3");
    s.Store(Keys::Options::kEncryptProtectConfig, "yes");
    s.Store(Keys::Options::kPasswordProtectInteractiveImport, "yes");
    s.Store(Keys::Performance::kThrottle, "true");
    s.Store(Keys::Performance::kMsgBefore, "FALSE");
    s.Open();
    EXPECT_EQ(s.window->windowTitle(), "Advanced Configuration");
    EXPECT_EQ(s.Find<QComboBox>("o_log_level").currentText(), "3");
    EXPECT_EQ(s.Find<QComboBox>("o_log_level").count(), 10);
    EXPECT_EQ((QList<bool>{s.Find<QCheckBox>("o_protect_encrypt").isChecked(),
                           s.Find<QCheckBox>("o_require_interactive").isChecked(),
                           s.Find<QCheckBox>("o_protect_change").isChecked(),
                           s.Find<QRadioButton>("o_throttle_enabled").isChecked(),
                           s.Find<QRadioButton>("o_msg_before_disabled").isChecked(),
                           s.Find<QRadioButton>("o_msg_after_enabled").isChecked()}),
              (QList<bool>{true, false, false, true, true, true}));
    EXPECT_EQ(QStringList({s.Find("o_log_keepdays").text(), s.Find("o_display_bytes").text(),
                           s.Find("o_source_reconnect_total").text(), s.Find("txtPollWait").text()}),
              (QStringList{"30", "4096", "6", "500"}));
    s.window->show();
    EXPECT_TRUE(SaveScreenshot(*s.window, "advanced-configuration"));

    s.Find<QComboBox>("o_log_level").setCurrentIndex(9);
    s.Type("o_ntservice_name", "  r58213-west  ");
    s.Find<QCheckBox>("o_protect_encrypt").setChecked(false);
    s.Find<QCheckBox>("o_require_interactive").setChecked(true);
    s.Find<QRadioButton>("o_throttle_disabled").click();
    s.Find<QRadioButton>("o_msg_before_enabled").click();
    Press(*s.window, "check");
    EXPECT_EQ(QStringList({s.Item(Keys::Options::kLogVerbosity), s.Item(Keys::Options::kInstanceServiceName),
                           s.Item(Keys::Options::kEncryptProtectConfig),
                           s.Item(Keys::Options::kPasswordProtectInteractiveImport),
                           s.Item(Keys::Options::kPasswordProtectConfig), s.Item(Keys::Performance::kThrottle),
                           s.Item(Keys::Performance::kMsgBefore), s.Item(Keys::Performance::kMsgAfter)}),
              (QStringList{"9", "r58213-west", "NO", "YES", "NO", "FALSE", "TRUE", "TRUE"}));
    EXPECT_TRUE(s.presenter.shown.isEmpty()) << s.presenter.shown.join('\n').toStdString();
}

TEST(CommonConfigAdvanced, NumbersAreClampedOrRefusedAndTheFieldShowsWhatIsStored)
{
    struct Case {
        const char* field;
        QString key;
        const char* typed;
        const char* stored;
    };
    const Case cases[] = {
        {"o_display_bytes", Keys::Options::kRefreshLogSize, "10", "1024"},
        {"o_log_keepdays", Keys::Options::kKeepLogsFor, "3", "7"},
        {"o_display_status", Keys::Options::kRefreshStatusSeconds, "100", "99"},
        {"o_source_reconnect_total", Keys::Source::kRecoveryAttempts, "99999999999", "999"},
        {"o_orvex_reconnect_second", Keys::Target::kRecoverySeconds, "0", "1"},
        {"o_source_reconnect_second", Keys::Source::kRecoverySeconds, "ten", "10"},
    };
    Advanced s;
    s.Open();
    for (const Case& c : cases)
        s.Type(c.field, c.typed);
    Press(*s.window, "check");
    for (const Case& c : cases) {
        EXPECT_EQ(s.Item(c.key), c.stored) << c.field;
        EXPECT_EQ(s.Find(c.field).text(), c.stored) << c.field;
    }
    EXPECT_EQ(s.presenter.shown,
              QStringList{"48|Validation failed|Invalid value provided for 'SOURCE\\RECOVERY\\SECONDS'. Will use "
                          "previous value."});
}

TEST(CommonConfigAdvanced, PollWaitIsRoundedOrKeptInItsRangeWithItsOwnMessages)
{
    const QString name = "Artificial Wait between Source Polling";
    const QList<QStringList> cases = {
        {"x", "500", "Invalid value provided for " + name + ". Will use previous value."},
        {"2.6", "3", name + " field can only accept whole numbers. 2.6 will be rounded to nearest whole number"},
        {"0", "1", "Invalid value provided for " + name + ". Will use minimum value of 1."},
        {"10000", "9999", "Invalid value provided for " + name + ". Will use maximum value of 9999."},
    };
    Advanced s;
    s.Open();
    for (const QStringList& c : cases) {
        s.presenter.shown.clear();
        s.Type("txtPollWait", c[0]);
        Press(*s.window, "check");
        EXPECT_EQ(s.Item(Keys::Performance::kPollWait), c[1]) << c[0].toStdString();
        EXPECT_EQ(s.Find("txtPollWait").text(), c[1]);
        EXPECT_EQ(s.presenter.shown, QStringList{"48|Validation failed|" + c[2]});
    }
}

TEST(CommonConfigAdvanced, SwitchingProtectionOffAsksForThePasswordAndACancelKeepsIt)
{
    Advanced s;
    s.Store(Keys::Options::kPasswordProtectConfig, "YES");
    s.Open();
    auto& box = s.Find<QCheckBox>("o_protect_change");
    box.setChecked(false);
    WhenShown([] { Press(ModalDialog(), "cancel"); });
    Press(*s.window, "check");
    EXPECT_EQ(s.Item(Keys::Options::kPasswordProtectConfig), "YES");
    EXPECT_TRUE(box.isChecked());

    box.setChecked(false);
    WhenShown([] {
        TypeInto(ModalDialog(), "txtPassword", "48170");
        Press(ModalDialog(), "ok");
    });
    Press(*s.window, "check");
    EXPECT_EQ(s.Item(Keys::Options::kPasswordProtectConfig), "NO");
}

TEST(CommonConfigAdvanced, SwitchingProtectionOnTakesANewPasswordOnlyWhenItCanBeUsed)
{
    Advanced s;
    s.Open();
    auto& box = s.Find<QCheckBox>("o_protect_change");
    box.setChecked(true);
    WhenShown([] { Press(ModalDialog(), "cancel"); });
    Press(*s.window, "check");
    EXPECT_EQ(s.Item(Keys::Options::kPasswordProtectConfig), "NO");
    EXPECT_FALSE(box.isChecked());

    const QList<QStringList> attempts = {{"48170", "abcd", "abcd"},
                                         {"48170", "abcde", "abcdf"},
                                         {"48171", "abcde", "abcde"},
                                         {"48170", "abcde", "abcde"}};
    QList<bool> stillOpen;
    box.setChecked(true);
    WhenShown([&] {
        QDialog& dialog = ModalDialog();
        EXPECT_TRUE(SaveScreenshot(dialog, "change-config-password"));
        for (const QStringList& attempt : attempts) {
            TypeInto(dialog, "txtCurrent", attempt[0]);
            TypeInto(dialog, "txtNew", attempt[1]);
            TypeInto(dialog, "txtNewAgain", attempt[2]);
            Press(dialog, "ok");
            stillOpen.append(dialog.isVisible());
        }
    });
    Press(*s.window, "check");
    EXPECT_EQ(stillOpen, (QList<bool>{true, true, true, false}));
    EXPECT_EQ(s.presenter.shown,
              (QStringList{"48|Unable to change password|Password must be at least 5 characters long.",
                           "48|Unable to change password|New passwords do not match.",
                           "48|Unable to change password|Provided Current Password is invalid"}));
    EXPECT_EQ(s.Item(Keys::Options::kPasswordProtectConfigPassword), "abcde");
    EXPECT_EQ(s.Item(Keys::Options::kPasswordProtectConfig), "YES");
}

TEST(CommonConfigAdvanced, OpensTheConversionAndCachingWindowsOverItself)
{
    Advanced s;
    s.Open();
    QStringList opened;
    for (const char* button : {"cmdConversion", "cmdCaching"}) {
        WhenShown([&] {
            QDialog& dialog = ModalDialog();
            opened.append(dialog.windowTitle() + (dialog.parent() == s.window.get() ? " over the window" : ""));
            dialog.close();
        });
        Press(*s.window, button);
    }
    EXPECT_EQ(opened,
              (QStringList{"Advanced Configuration : Unit Conversion over the window",
                           "Advanced Configuration : Source Input Cache over the window"}));
}

TEST(CommonTypeConfigCache, LoadsTheLimitsAndStoresThemWithSetPointsInRange)
{
    SettingsWindow<CommonTypeConfigCache> s;
    s.Store(Keys::Source::kCacheLimitByDays, "false");
    s.Open();
    EXPECT_TRUE(s.Find<QRadioButton>("optCache_enabled").isChecked());
    EXPECT_EQ((QList<bool>{s.Find<QCheckBox>("chkDatapoints").isChecked(), s.Find<QCheckBox>("chkDays").isChecked(),
                           s.Find<QCheckBox>("chkBytes").isChecked()}),
              (QList<bool>{true, false, true}));
    s.window->show();
    EXPECT_TRUE(SaveScreenshot(*s.window, "source-input-cache"));

    s.Find<QRadioButton>("optCache_disabled").click();
    s.Find<QCheckBox>("chkDays").setChecked(true);
    s.Find<QCheckBox>("chkBytes").setChecked(false);
    s.Type("setDatapoints", "0");
    s.Type("setDays", "301");
    s.Type("setBytes", "99999999999");
    Press(*s.window, "check");
    EXPECT_EQ(QStringList({s.Item(Keys::Source::kCacheEnabled), s.Item(Keys::Source::kCacheLimitByDatapoints),
                           s.Item(Keys::Source::kCacheLimitByDays), s.Item(Keys::Source::kCacheLimitByBytes),
                           s.Item(Keys::Source::kCacheLimitByDatapointsSetpoint),
                           s.Item(Keys::Source::kCacheLimitByDaysSetpoint),
                           s.Item(Keys::Source::kCacheLimitByBytesSetpoint)}),
              (QStringList{"FALSE", "TRUE", "TRUE", "FALSE", "1", "300", "10368000"}));
    EXPECT_TRUE(s.presenter.shown.isEmpty()) << s.presenter.shown.join('\n').toStdString();
}
