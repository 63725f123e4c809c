#include "cli/GlobalOptions.h"

namespace {

const char* const kPasswordVariable = "R58213_CONFIG_PASSWORD";

}  // namespace

GlobalOptions::GlobalOptions()
{
    m_parser.addOptions({m_home, m_configPassword, m_help, m_version});
    m_parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
}

bool GlobalOptions::Parse(const QStringList& arguments, QString& error)
{
    // The parser skips the first word as the program's name.
    if (m_parser.parse(QStringList{"r58213-cli"} + arguments))
        return true;
    error = m_parser.unknownOptionNames().isEmpty() ? m_parser.errorText() : UnknownOption();
    return false;
}

QString GlobalOptions::UnknownOption() const
{
    const QString name = m_parser.unknownOptionNames().first();
    return "unknown option " + QString(name.size() == 1 ? "-" : "--") + name;
}

QString GlobalOptions::Home(const QString& defaultHome) const
{
    return m_parser.isSet(m_home) ? m_parser.value(m_home) : defaultHome;
}

std::optional<QString> GlobalOptions::ConfigPassword() const
{
    if (m_parser.isSet(m_configPassword))
        return m_parser.value(m_configPassword);
    // From the environment, a password stays out of the process list.
    if (qEnvironmentVariableIsSet(kPasswordVariable))
        return qEnvironmentVariable(kPasswordVariable);
    return std::nullopt;
}
