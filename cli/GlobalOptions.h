#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>

// The options before the command: the program folder, the configuration
// password, help and version. The command and every word after it are left
// whole, so the command's own options reach its own parser.
class GlobalOptions {
public:
    GlobalOptions();

    // arguments: everything after the program name. False, with the
    // problem in error, for an unknown option or one without its value.
    bool Parse(const QStringList& arguments, QString& error);

    bool HelpWanted() const { return m_parser.isSet(m_help); }
    bool VersionWanted() const { return m_parser.isSet(m_version); }
    // defaultHome when --home is not given.
    QString Home(const QString& defaultHome) const;
    // --config-password, else the environment variable R58213_CONFIG_PASSWORD.
    std::optional<QString> ConfigPassword() const;
    QStringList Command() const { return m_parser.positionalArguments(); }

private:
    QString UnknownOption() const;

    QCommandLineParser m_parser;
    const QCommandLineOption m_home{"home", "The program folder.", "DIR"};
    const QCommandLineOption m_configPassword{"config-password", "The configuration password.", "PASSWORD"};
    const QCommandLineOption m_help{QStringList{"h", "help"}, "The usage."};
    const QCommandLineOption m_version{"version", "The version."};
};
