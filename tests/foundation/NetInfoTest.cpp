#include "CommonFiles/foundation/NetInfo.h"

#include "CommonFiles/foundation/QELguid.h"

#include <QRegularExpression>
#include <QSysInfo>
#include <gtest/gtest.h>

TEST(NetInfo, SummaryLineNamesFamilyAddressHostAndUser)
{
    EXPECT_EQ(NetInfo::Summary("Windows NT", "6.1.7601", "127.0.0.1", "HOST1", "operator"),
              "Windows NT 6.1.7601, IP Address = 127.0.0.1, Workstation = HOST1, Network User = operator");
    EXPECT_EQ(NetInfo::Summary("Windows NT", "6.1.7601", "", "HOST1", "operator"),
              "Windows NT 6.1.7601, IP Address = , Workstation = HOST1, Network User = operator");
}

TEST(NetInfo, OverlongUserNamesAreNotReported)
{
    EXPECT_EQ(NetInfo::AcceptedUserName(QString(24, 'u')), QString(24, 'u'));
    EXPECT_EQ(NetInfo::AcceptedUserName(QString(25, 'u')), "");
    EXPECT_EQ(NetInfo::AcceptedUserName(QString(30, 'u')), "");
    EXPECT_EQ(NetInfo::AcceptedUserName("operator"), "operator");
}

// The facts are this machine's: its system, kernel and host name, an IPv4
// address if the host name has one, and a user name of at most 24 letters.
TEST(NetInfo, GatheredFactsFillTheSummary)
{
    NetInfo info;
    info.GetNetInfo();
    EXPECT_FALSE(info.WorkStation().isEmpty());
    EXPECT_FALSE(info.WinVersion().isEmpty());
    EXPECT_TRUE(info.AllTextDump().startsWith(info.WinVersion()));
    const QRegularExpression summary(
        "^" + QRegularExpression::escape(QSysInfo::prettyProductName() + " " + QSysInfo::kernelVersion()) +
        ", IP Address = (\\d{1,3}(\\.\\d{1,3}){3})?, Workstation = " +
        QRegularExpression::escape(QSysInfo::machineHostName()) + ", Network User = [^,]{0,24}$");
    EXPECT_TRUE(summary.match(info.AllTextDump()).hasMatch()) << info.AllTextDump().toStdString();
    EXPECT_LE(info.NetUser().size(), 24);
}

TEST(QELguid, NewIdentifiersAreUniqueUpperCaseTextWithoutBraces)
{
    const QString first = QELguid::GetNewGUID();
    const QString second = QELguid::GetNewGUID();
    EXPECT_NE(first, second);
    const QRegularExpression shape("^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$");
    for (const QString& id : {first, second}) {
        EXPECT_EQ(id.size(), 36);
        EXPECT_TRUE(shape.match(id).hasMatch()) << id.toStdString();
    }
}
