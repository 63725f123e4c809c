#pragma once

#include "CommonFiles/control/QELTimer.h"
#include "CommonFiles/ui/ServiceStatusLabel.h"
#include "support/FakeSystemctl.h"
#include "support/InteractiveInstallation.h"
#include "support/RecordingPresenter.h"

#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QToolButton>

// The desktop program just started (on the fake clock, or on the given
// date), with a stand-in systemctl, a person who reads every message and a
// help viewer that only remembers. The windows it opens go with it at the
// latest, before the installation they watch.
struct ServiceDesk : InteractiveInstallation {
    FakeSystemctl systemctl;
    RecordingPresenter presenter;
    QStringList opened;
    QList<QPointer<QWidget>> windows;

    explicit ServiceDesk(DateTime now = FakeClock().now()) : InteractiveInstallation(now)
    {
        globals.msgBox().setPresenter(&presenter);
        globals.setHelpOpener([this](const QString& page) { return opened.append(page), true; });
    }
    ~ServiceDesk() { qDeleteAll(windows); }
    ServiceDesk(const ServiceDesk&) = delete;
    ServiceDesk& operator=(const ServiceDesk&) = delete;

    void Set(const QString& key, const QString& value) { globals.config().setItem(key, value); }
    template <class Window> Window* Open()
    {
        windows.append(new Window(globals));
        windows.last()->show();
        return static_cast<Window*>(windows.last().data());
    }

    // "key|caption|tip" of each toolbar button; its accessible name is its caption.
    static QStringList ToolBar(QWidget* window)
    {
        QStringList buttons;
        for (QToolButton* button : window->findChildren<QToolButton*>())
            if (QAction* action = button->defaultAction(); action && button->accessibleName() == button->text())
                buttons.append(button->objectName() + "|" + button->text() + "|" + action->toolTip());
        return buttons;
    }
    static void Press(QWidget* window, const char* key) { window->findChild<QAction*>(key)->trigger(); }
    static QLabel* Status(QWidget* window) { return window->findChild<ServiceStatusLabel*>("lblStatus"); }
    static QColor Colour(QWidget* window) { return Status(window)->palette().color(QPalette::Window); }
    static QString Panel(QWidget* window, const char* name) { return window->findChild<QLabel*>(name)->text(); }
    static QELTimer* Timer(QWidget* window, const QString& id) { return window->findChild<QELTimer*>(id); }
    // A closed window is gone once the event loop has run.
    static bool Destroyed(const QPointer<QWidget>& window)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return window.isNull();
    }
};

inline const QColor kRunningGreen(0, 255, 0);
inline const QColor kNotRunningRed(255, 0, 0);
