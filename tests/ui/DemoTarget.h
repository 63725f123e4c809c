#pragma once

#include "CommonFiles/target/TargetConnections.h"
#include "cli/DemoInstallation.h"
#include "platform/ado/Connection.h"
#include "platform/ado/SqlExecution.h"
#include "support/InteractiveInstallation.h"
#include "support/RecordingPresenter.h"

#include <QAbstractButton>
#include <QAction>
#include <QDateTimeEdit>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// The demo installation, started as the interactive program starts, with a
// person who reads every message.
struct DemoTarget : InteractiveInstallation {
    RecordingPresenter presenter;

    DemoTarget()
    {
        DemoInstallation(globals).Create();
        globals.msgBox().setPresenter(&presenter);
    }
    std::unique_ptr<ado::Connection> Open(const QString& schema)
    {
        auto connection = std::make_unique<ado::Connection>();
        EXPECT_TRUE(TargetConnections(globals).ConfigureConnection(*connection, schema));
        connection->Open();
        return connection;
    }
    void Exec(const QString& schema, const QString& sql) { ado::SqlExecution::Run(*Open(schema), sql); }
};

// Acts on a window once its modal loop runs.
inline void WhenShown(const std::function<void()>& act)
{
    QTimer::singleShot(0, act);
}

// Presses a window's button or toolbar key; a missing one fails the test
// and closes the window, so that its modal loop ends.
inline void Press(QDialog& window, const QString& key)
{
    if (auto* button = window.findChild<QAbstractButton*>(key))
        return button->click();
    if (auto* action = window.findChild<QAction*>(key))
        return action->trigger();
    ADD_FAILURE() << "no control " << key.toStdString();
    window.reject();
}

// Sets a date picker as a person would type it.
inline void SetPicker(QWidget& window, const char* picker, const DateTime& value)
{
    window.findChild<QDateTimeEdit*>(picker)->setDateTime(QDateTime(value.date(), value.time(), Qt::UTC));
}
