#pragma once

#include "support/Screenshot.h"
#include "ui/DemoTarget.h"

#include <QLineEdit>
#include <QRadioButton>
#include <memory>

// A settings window opened on the demo installation, with the person's
// ways of working it: typing into a field, choosing an option, pressing a
// toolbar key. The window is made only when the test has set up the
// configuration it should load.
template <class Window> struct SettingsWindow : DemoTarget {
    std::unique_ptr<Window> window;

    Window& Open()
    {
        window = std::make_unique<Window>(globals, nullptr);
        return *window;
    }
    QLineEdit& Field(const char* name) { return *window->template findChild<QLineEdit*>(name); }
    void Type(const char* name, const QString& text) { Field(name).setText(text); }
    void Choose(const char* name) { window->template findChild<QRadioButton*>(name)->setChecked(true); }
    bool Chosen(const char* name) { return window->template findChild<QRadioButton*>(name)->isChecked(); }
    void Press(const char* key) { ::Press(*window, key); }
    QString Stored(const QString& key) { return globals.config().item(key); }
    QString Saved() { return TempFolder::Read(globals.config().path()); }
    void Screenshot(const QString& name)
    {
        window->show();
        EXPECT_TRUE(SaveScreenshot(*window, name));
    }
};
