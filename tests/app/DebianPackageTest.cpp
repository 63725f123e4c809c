#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

// The package built from this build's install rules, as `make package`
// builds it from the release build.
class DebianPackage : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable("dpkg-deb").isEmpty())
            GTEST_SKIP() << "dpkg-deb is missing";
        const CliRun pack = CliRun::Of("cpack",
                                       {"-G", "DEB", "--config", R58213_BUILD_DIR "/CPackConfig.cmake", "-B",
                                        folder.path(), "-D", "CPACK_DEBIAN_PACKAGE_SHLIBDEPS=OFF"});
        ASSERT_EQ(pack.status, 0) << pack.out.toStdString() << pack.err.toStdString();
        deb = folder.file("r58213_" R58213_VERSION "_amd64.deb");
        contents = CliRun::Of("dpkg-deb", {"-c", deb}).out.split('\n');
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

    TempFolder folder;
    QString deb;
    QStringList contents;
};

}  // namespace

TEST_F(DebianPackage, HoldsRootOwnedProgramsLinksHelpAndTheUnitButNoState)
{
    const std::pair<const char*, const char*> expected[] = {
        {"/opt/r58213/r58213", "-rwxr-xr-x root/root"},
        {"/opt/r58213/r58213-cli", "-rwxr-xr-x root/root"},
        {"/opt/r58213/help/12036.html", "-rw-r--r-- root/root"},
        {"/usr/bin/r58213", "lrwxrwxrwx root/root -> /opt/r58213/r58213"},
        {"/usr/bin/r58213-cli", "lrwxrwxrwx root/root -> /opt/r58213/r58213-cli"},
        {"/lib/systemd/system/r58213.service", "-rw-r--r-- root/root"},
    };
    for (const auto& [path, entry] : expected)
        EXPECT_EQ(Entry(path), entry) << path;
    EXPECT_FALSE(contents.join('\n').contains("./var/")) << "the state is made on installation, not shipped";

    const QString control = CliRun::Of("dpkg-deb", {"-f", deb, "Depends"}).out;
    EXPECT_TRUE(control.contains("adduser")) << control.toStdString();
    EXPECT_FALSE(control.contains("libqt6sql6-odbc")) << "servers are reached without Qt's ODBC plug-in";
    const QString scripts = CliRun::Of("dpkg-deb", {"-I", deb}).out;
    for (const char* script : {"postinst", "prerm", "postrm"})
        EXPECT_TRUE(scripts.contains(script)) << script;
}

// The unit as shipped: hardened to an exposure of 3.0 or less, and clean
// for systemd (with the program path pointed at this build's program, the
// only thing that differs on a machine without the package).
TEST_F(DebianPackage, ShipsAHardenedUnitThatSystemdAccepts)
{
    if (QStandardPaths::findExecutable("systemd-analyze").isEmpty())
        GTEST_SKIP() << "systemd-analyze is missing";
    ASSERT_EQ(CliRun::Of("dpkg-deb", {"-x", deb, folder.file("root")}).status, 0);
    const QString unit = TempFolder::Read(folder.file("root/lib/systemd/system/r58213.service"));
    for (const char* line : {"User=r58213", "StateDirectory=r58213", "NoNewPrivileges=yes", "ProtectSystem=strict",
                             "UMask=0027", "CapabilityBoundingSet=\n"})
        EXPECT_TRUE(unit.contains(line)) << line;

    const CliRun security = CliRun::Of(
        "systemd-analyze",
        {"security", "--offline=true", "--threshold=30", folder.file("root/lib/systemd/system/r58213.service")});
    EXPECT_EQ(security.status, 0) << security.out.toStdString();

    TempFolder::Write(folder.file("r58213.service"),
                      QString(unit).replace("ExecStart=/opt/r58213/r58213", "ExecStart=" R58213_GUI_EXE).toUtf8());
    const CliRun verify = CliRun::Of("systemd-analyze", {"verify", folder.file("r58213.service")});
    EXPECT_EQ(verify.status, 0) << verify.err.toStdString();
    EXPECT_TRUE(verify.err.isEmpty()) << verify.err.toStdString();
}
