#include "CommonFiles/ui/InteractiveFace.h"

#include "CommonFiles/control/ProgramEntryPoint.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/ui/DialogHelp.h"
#include "platform/ProcessFacts.h"

InteractiveFace::InteractiveFace(CommonGlobals& globals)
    : m_globals(globals),
      m_prompts(globals),
      m_session(globals, m_prompts),
      m_window(globals, m_session),
      m_progress(&m_window),
      m_passwordPrompt(globals, &m_window)
{
    m_presenter.setHelpOpener([&globals](const QString& topic) { DialogHelp::Show(globals, topic); });
    m_prompts.setOwner(&m_window);
    m_globals.msgBox().setPresenter(&m_presenter);
    m_globals.setConnectProgress(&m_progress);
    m_globals.setPasswordPrompt(&m_passwordPrompt);
}

InteractiveFace::~InteractiveFace()
{
    m_globals.setActivitySink(nullptr);
    m_globals.setPasswordPrompt(nullptr);
    m_globals.setConnectProgress(nullptr);
    m_globals.msgBox().setPresenter(nullptr);
}

bool InteractiveFace::Start(const ProcessFacts& facts)
{
    if (!ProgramEntryPoint(m_globals, RunFace::Interactive, facts).Start())
        return false;
    // Until the window is there, messages (an unreadable configuration)
    // stand alone and the start-up lines go to the log only; the window
    // writes its own first lines when it shows.
    m_presenter.setOwner(&m_window);
    m_globals.setActivitySink(&m_window);
    m_window.ShowInteractive();
    return true;
}
