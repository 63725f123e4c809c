#include "platform/ProgramHome.h"

#include <QDir>

const char* const ProgramHome::kVariable = "R58213_HOME";

bool ProgramHome::TakeOption(QStringList& arguments, QString& folder)
{
    const QString option = QStringLiteral("--home");
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i].startsWith(option + '=')) {
            folder = arguments.takeAt(i).mid(option.size() + 1);
            return !folder.isEmpty();
        }
        if (arguments[i] == option) {
            if (i + 1 >= arguments.size())
                return false;
            folder = arguments[i + 1];
            arguments.remove(i, 2);
            return !folder.isEmpty();
        }
    }
    return true;
}

QString ProgramHome::Resolve(const QString& given, const QString& executableFolder)
{
    if (!given.isEmpty())
        return given;
    const QString variable = qEnvironmentVariable(kVariable);
    if (!variable.isEmpty())
        return variable;
    const QString built = QStringLiteral(R58213_DEFAULT_HOME);
    return built.isEmpty() ? executableFolder : built;
}

QString ProgramHome::Prepared(const QString& folder)
{
    if (!QDir().mkpath(folder))
        return {};
    return QDir(folder).absolutePath();
}

QString ProgramHome::DataFolder(const QString& executableFolder)
{
    const QDir beside(executableFolder);
    if (beside.exists(QStringLiteral("help")))
        return executableFolder;
    return QDir::cleanPath(executableFolder + QStringLiteral("/../share/r58213"));
}
