#include "CommonFiles/ui/SupportSite.h"

#include "platform/VersionRecord.h"

namespace {

const QString kName = QStringLiteral("support.korvel.example");
const QString kKnowledgeBaseHost = QStringLiteral("kb.korvel.example");
const QString kSupportHost = QStringLiteral("support.korvel.example");

QUrl Address(const QString& host, const QString& path, const QString& id)
{
    QUrl url;
    url.setScheme(QStringLiteral("https"));
    url.setHost(host);
    url.setPath(path);
    url.setQuery(QStringLiteral("id=") + id);
    return url;
}

}  // namespace

QString SupportSite::Name()
{
    return kName;
}

QUrl SupportSite::ReleaseNotesAddress()
{
    return Address(kKnowledgeBaseHost, QStringLiteral("/instantkb/article.aspx"), QStringLiteral("58213"));
}

QUrl SupportSite::UpdatesAddress()
{
    return Address(kSupportHost, QStringLiteral("/support_product_jump.aspx"), VersionRecord::ProductName());
}
