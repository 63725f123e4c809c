#pragma once

#include "CommonFiles/control/ImportSession.h"
#include "CommonFiles/ui/CommonUI.h"
#include "CommonFiles/ui/CommonUIConnectProgress.h"
#include "CommonFiles/ui/QtConfigPasswordPrompt.h"
#include "CommonFiles/ui/QtMessagePresenter.h"
#include "CommonFiles/ui/QtSessionPrompts.h"

class CommonGlobals;
struct ProcessFacts;

// The desktop program put together: the main window over an import session
// whose questions are asked in dialogs, message boxes whose Help button
// opens the message's topic, the window that shows a target connection
// opening, and the configuration password dialog. Everything is handed to
// the process-wide services while the face lives, and taken back after.
class InteractiveFace {
public:
    explicit InteractiveFace(CommonGlobals& globals);
    ~InteractiveFace();
    InteractiveFace(const InteractiveFace&) = delete;
    InteractiveFace& operator=(const InteractiveFace&) = delete;

    // Starts the program as the desktop face and shows the main window,
    // which offers the first import at once. False when the configuration
    // cannot be read (the person has been told).
    bool Start(const ProcessFacts& facts);
    CommonUI& window() { return m_window; }

private:
    CommonGlobals& m_globals;
    QtMessagePresenter m_presenter;
    QtSessionPrompts m_prompts;
    ImportSession m_session;
    CommonUI m_window;
    // A child of the window, destroyed before it.
    CommonUIConnectProgress m_progress;
    QtConfigPasswordPrompt m_passwordPrompt;
};
