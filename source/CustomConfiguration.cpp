#include "source/CustomConfiguration.h"

#include "CommonFiles/foundation/QELConfiguration.h"

void CustomConfiguration::DefineSourceKeys(QELConfiguration& config)
{
    config.DefineTree(kBranchKey, "");
    config.DefineTree(kPrefixKey, "ALOG0");
    config.DefineTree(kExtKey, "CSV");
    config.DefineTree(kPathKey, "");
    config.DefineTree(kArchiveKey, "");
}

QString CustomConfiguration::ArchiveFolder(const QELConfiguration& config)
{
    return config.item(kArchiveKey).trimmed();
}

QString CustomConfiguration::SourceFieldList()
{
    return QString();
}
