#include "CommonFiles/control/CommonNTSERVICE.h"

#include "CommonFiles/control/CommonGlobals.h"
#include "platform/TerminationSignal.h"

#include <QCoreApplication>

CommonNTSERVICE::CommonNTSERVICE(CommonGlobals& globals, QObject* parent)
    : QObject(parent), m_globals(globals), m_termination(new TerminationSignal(this))
{
    // Listening from the start: a stop that arrives while the program is
    // still starting is acted on as soon as the event loop runs.
    connect(m_termination, &TerminationSignal::terminationRequested, this, &CommonNTSERVICE::EndService);
}

void CommonNTSERVICE::RunNTService()
{
    m_globals.log().WriteLog("Service started; waiting for the stop request.", 1);
}

void CommonNTSERVICE::EndService()
{
    m_globals.log().WriteLog("Service stop requested; ending the service process.", 0);
    QCoreApplication::exit(0);
}
