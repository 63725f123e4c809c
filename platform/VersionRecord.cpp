#include "platform/VersionRecord.h"

#include "VersionNumbers.h"

QString VersionRecord::ProductName()
{
    return QStringLiteral("58213");
}

QString VersionRecord::Comments()
{
    return QStringLiteral("Korvel Orvex Direct Server-Side Interface to Fischer & Porter");
}

QString VersionRecord::Title()
{
    return QStringLiteral("r58213");
}

int VersionRecord::Major()
{
    return VersionNumbers::kMajor;
}

int VersionRecord::Minor()
{
    return VersionNumbers::kMinor;
}

int VersionRecord::Revision()
{
    return VersionNumbers::kRevision;
}

QString VersionRecord::FileDescription()
{
    return QString::fromLatin1(VersionNumbers::kBuildNumber);
}

QString VersionRecord::VersionText()
{
    return QString("%1.%2.%3").arg(Major()).arg(Minor()).arg(Revision());
}
