#include "CommonFiles/control/CommonNTSERVICE.h"

#include "CommonFiles/control/CommonGlobals.h"
#include "platform/TerminationSignal.h"

#include <QCoreApplication>

CommonNTSERVICE::CommonNTSERVICE(CommonGlobals& globals, QObject* parent) : QObject(parent), m_globals(globals)
{
}

void CommonNTSERVICE::RunNTService()
{
    m_termination = new TerminationSignal(this);
    connect(m_termination, &TerminationSignal::terminationRequested, this, &CommonNTSERVICE::EndService);
}

void CommonNTSERVICE::EndService()
{
    m_globals.log().WriteLog("Service stop requested; ending the service process.", 0);
    QCoreApplication::exit(0);
}
