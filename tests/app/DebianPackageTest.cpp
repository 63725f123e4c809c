#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

const QString kDeb = QStringLiteral(R58213_TEST_PACKAGE_DIR "/r58213_" R58213_VERSION "_amd64.deb");
const QString kUnits = QStringLiteral("/lib/systemd/system/");

// The package the package.build test made of this build's programs with
// debhelper, as `make package` makes it of a release build.
class DebianPackage : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFileInfo::exists(kDeb)) << kDeb.toStdString();
        contents = CliRun::Of("dpkg-deb", {"-c", kDeb}).out.split('\n');
    }

    // "mode owner" of a path in the package, with the target of a link.
    QString Entry(const QString& path) const
    {
        for (const QString& line : contents) {
            const QStringList fields = line.simplified().split(' ');
            if (fields.size() >= 6 && fields[5] == "." + path)
                return fields.mid(0, 2).join(' ') + (fields.size() > 7 ? " -> " + fields[7] : QString());
        }
        return {};
    }

    QString Unit(const QString& name)
    {
        if (!QFileInfo::exists(folder.file("root")))
            CliRun::Of("dpkg-deb", {"-x", kDeb, folder.file("root")});
        return TempFolder::Read(folder.file("root" + kUnits + name));
    }

    TempFolder folder;
    QStringList contents;
};

CliRun Command(const QString& program, const QStringList& arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The test build's programs, run as the service's user.
    environment.insert("ASAN_OPTIONS", "detect_leaks=0");
    return CliRun::Of(program, arguments, environment);
}

// A site's programs as its unit runs them: as the service's user, on the
// site's state folder, with the site named.
CliRun RunSite(const QString& site, const QStringList& arguments)
{
    return Command("runuser",
                   QStringList{"-u", "r58213", "--", "env", "R58213_SITE=" + site, "/usr/bin/r58213-cli", "--home",
                               "/var/lib/r58213/" + site} +
                       arguments);
}

QString Stat(const QString& path)
{
    return CliRun::Of("stat", {"-c", "%U:%G %a", path}).out.trimmed();
}

// The unit's settings without its comments, the template's with the site
// taken out: what both must share.
QStringList Settings(QString unit, bool tmpl)
{
    if (tmpl)
        unit.replace("/%i", "").replace("--home /var/lib/r58213 ", "").replace(", site %i", "");
    QStringList settings;
    for (const QString& line : unit.split('\n'))
        if (!line.startsWith('#') && !line.startsWith("Environment=R58213_SITE="))
            settings.append(line);
    return settings;
}

}  // namespace

TEST_F(DebianPackage, HoldsRootOwnedProgramsHelpUnitsAndManualPagesWhereDebianPutsThem)
{
    const std::pair<const char*, const char*> expected[] = {
        {"/usr/bin/r58213", "-rwxr-xr-x root/root"},
        {"/usr/bin/r58213-cli", "-rwxr-xr-x root/root"},
        {"/usr/share/r58213/help/12036.html", "-rw-r--r-- root/root"},
        {"/lib/systemd/system/r58213.service", "-rw-r--r-- root/root"},
        {"/lib/systemd/system/r58213@.service", "-rw-r--r-- root/root"},
        {"/usr/share/man/man1/r58213.1.gz", "-rw-r--r-- root/root"},
        {"/usr/share/man/man1/r58213-cli.1.gz", "-rw-r--r-- root/root"},
        {"/usr/share/bash-completion/completions/r58213-cli", "-rw-r--r-- root/root"},
        {"/usr/share/doc/r58213/copyright", "-rw-r--r-- root/root"},
        {"/usr/share/doc/r58213/changelog.gz", "-rw-r--r-- root/root"},
    };
    for (const auto& [path, entry] : expected)
        EXPECT_EQ(Entry(path), entry) << path;
    EXPECT_FALSE(contents.filter(QRegularExpression(R"(\./usr/share/doc/r58213/README\.md)")).isEmpty());
    const QString all = contents.join('\n');
    EXPECT_FALSE(all.contains(" ./opt/")) << "nothing lives in /opt";
    EXPECT_FALSE(all.contains(" ./var/")) << "the state is made on installation, not shipped";

    const QString depends = CliRun::Of("dpkg-deb", {"-f", kDeb, "Depends"}).out;
    EXPECT_TRUE(depends.contains("adduser")) << depends.toStdString();
    const QString postinst = CliRun::Of("dpkg-deb", {"-I", kDeb, "postinst"}).out;
    EXPECT_TRUE(postinst.contains("adduser --system")) << postinst.toStdString();
    // debhelper's snippets, not hand-written calls, handle the unit.
    EXPECT_TRUE(postinst.contains("deb-systemd-helper")) << postinst.toStdString();
}

// Both units hardened to an exposure of 1.5 or less and clean for systemd
// (with the program path pointed at this build's program and the manual
// page not looked up: what differs on a machine without the package); the
// template differs
// from the single site's unit in its site alone.
TEST_F(DebianPackage, ShipsTwoHardenedUnitsThatSystemdAcceptsAndThatDifferInTheSiteAlone)
{
    if (QStandardPaths::findExecutable("systemd-analyze").isEmpty())
        GTEST_SKIP() << "systemd-analyze is missing";
    const QString single = Unit("r58213.service");
    const QString tmpl = Unit("r58213@.service");
    for (const char* line : {"User=r58213", "StateDirectory=r58213\n", "NoNewPrivileges=yes", "ProtectSystem=strict",
                             "UMask=0027", "CapabilityBoundingSet=\n", "ExecStart=/usr/bin/r58213 NTSERVICE"})
        EXPECT_TRUE(single.contains(line)) << line;
    for (const char* line : {"StateDirectory=r58213/%i\n", "Environment=R58213_SITE=%i",
                             "ExecStart=/usr/bin/r58213 --home /var/lib/r58213/%i NTSERVICE"})
        EXPECT_TRUE(tmpl.contains(line)) << line;
    EXPECT_EQ(Settings(tmpl, true), Settings(single, false));

    for (const auto& [name, text] : {std::pair{"r58213.service", single}, std::pair{"r58213@north.service", tmpl}}) {
        SCOPED_TRACE(name);
        const QString unit = folder.file(name);
        TempFolder::Write(unit, QString(text).replace("/usr/bin/r58213 ", R58213_GUI_EXE " ").toUtf8());
        const CliRun security = CliRun::Of("systemd-analyze", {"security", "--offline=true", "--threshold=15", unit});
        EXPECT_EQ(security.status, 0) << security.out.toStdString();
        const CliRun verify = CliRun::Of("systemd-analyze", {"verify", "--man=no", unit});
        EXPECT_EQ(verify.status, 0) << verify.err.toStdString();
        EXPECT_TRUE(verify.err.isEmpty()) << verify.err.toStdString();
    }
}

// The package installed for real, two sites configured side by side as
// their template units would run them, an upgrade, and a purge. Only as
// root, and only where the package is not installed already: the test
// must not replace an administrator's installation.
TEST_F(DebianPackage, InstallsRunsTwoSitesApartUpgradesAndPurges)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "installing a package needs root";
    if (CliRun::Of("dpkg-query", {"-W", "-f=${Status}", "r58213"}).out.contains("installed"))
        GTEST_SKIP() << "r58213 is installed on this machine";
    const auto purgeAtEnd = qScopeGuard([] { Command("dpkg", {"--purge", "r58213"}); });
    const CliRun install = Command("dpkg", {"-i", kDeb});
    ASSERT_EQ(install.status, 0) << install.out.toStdString() << install.err.toStdString();
    EXPECT_EQ(Stat("/usr/bin/r58213-cli"), "root:root 755");
    EXPECT_EQ(Stat("/var/lib/r58213"), "r58213:r58213 751");
    EXPECT_TRUE(CliRun::Of("getent", {"passwd", "r58213"}).out.trimmed().endsWith(":/usr/sbin/nologin"));

    const QStringList sites{"north", "south"};
    for (const QString& site : sites) {
        // What systemd makes of StateDirectory=r58213/%i.
        ASSERT_EQ(
            Command("install", {"-d", "-o", "r58213", "-g", "r58213", "-m", "0751", "/var/lib/r58213/" + site}).status,
            0);
        const CliRun demo = RunSite(site, {"demo"});
        ASSERT_EQ(demo.status, 0) << demo.err.toStdString();
        ASSERT_EQ(RunSite(site, {"config", "set", "OPTIONS\\INSTANCE_SERVICE_NAME", "r58213@" + site}).status, 0);
        const CliRun import = RunSite(site, {"import-all", "--service"});
        EXPECT_EQ(import.status, 0) << import.out.toStdString() << import.err.toStdString();
    }
    for (const QString& site : sites) {
        SCOPED_TRACE(site.toStdString());
        const QString other = sites.at(1 - sites.indexOf(site));
        const QString metrics = TempFolder::Read("/var/lib/r58213/" + site + "/r58213.prom");
        EXPECT_TRUE(metrics.contains("r58213_imports_total{site=\"" + site + "\",result=\"succeeded\"} 1"))
            << metrics.toStdString();
        EXPECT_FALSE(metrics.contains(other));
        EXPECT_EQ(RunSite(site, {"config", "get", "OPTIONS\\INSTANCE_SERVICE_NAME"}).out.trimmed(), "r58213@" + site);
        EXPECT_EQ(Stat("/var/lib/r58213/" + site + "/r58213.prom").left(14), "r58213:r58213 ");
        EXPECT_FALSE(TempFolder::Files("/var/lib/r58213/" + site + "/log").isEmpty());
    }
    EXPECT_TRUE(TempFolder::Files("/var/lib/r58213", "*.prom").isEmpty()) << "the single site's state is untouched";

    // An upgrade to a later version keeps every site's state.
    const QString configuration = TempFolder::Read("/var/lib/r58213/north/r58213.xml");
    ASSERT_EQ(CliRun::Of("dpkg-deb", {"-R", kDeb, folder.file("next")}).status, 0);
    const QString control = folder.file("next/DEBIAN/control");
    TempFolder::Write(
        control,
        TempFolder::Read(control).replace("Version: " R58213_VERSION, "Version: " R58213_VERSION "+1").toUtf8());
    ASSERT_EQ(CliRun::Of("dpkg-deb", {"-b", folder.file("next"), folder.file("next.deb")}).status, 0);
    const CliRun upgrade = Command("dpkg", {"-i", folder.file("next.deb")});
    EXPECT_EQ(upgrade.status, 0) << upgrade.err.toStdString();
    EXPECT_EQ(TempFolder::Read("/var/lib/r58213/north/r58213.xml"), configuration);
    EXPECT_EQ(Stat("/var/lib/r58213"), "r58213:r58213 751");

    const CliRun purge = Command("dpkg", {"--purge", "r58213"});
    EXPECT_EQ(purge.status, 0) << purge.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists("/var/lib/r58213"));
    EXPECT_FALSE(QFileInfo::exists("/usr/bin/r58213-cli"));
    EXPECT_EQ(CliRun::Of("getent", {"passwd", "r58213"}).status, 0) << "the user stays";
}
