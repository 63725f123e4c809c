#include "platform/ProcessFacts.h"

#include "platform/VersionRecord.h"

#include <sys/syscall.h>
#include <unistd.h>

ProcessFacts ProcessFacts::Current(const QString& programFolder, const QStringList& arguments)
{
    ProcessFacts facts;
    facts.programFolder = programFolder;
    facts.exeName = VersionRecord::Title();
    facts.arguments = arguments;
    facts.threadId = static_cast<qint64>(syscall(SYS_gettid));
    facts.instanceHandle = static_cast<qint64>(getpid());
    return facts;
}
