#include "platform/ado/SqlScript.h"

#include <QRegularExpression>

namespace ado {

namespace {

const QRegularExpression kDollarTag(R"(\$[A-Za-z_]*\$)");

// Where the quoted or commented stretch that starts at 'at' ends (just past it).
qsizetype SkipQuoted(const QString& script, qsizetype at)
{
    const QChar c = script[at];
    if (c == '\'' || c == '"') {
        qsizetype end = at + 1;
        while (end < script.size()) {
            if (script[end] == c) {
                if (end + 1 < script.size() && script[end + 1] == c) {
                    end += 2;  // a doubled quote stands for itself
                    continue;
                }
                return end + 1;
            }
            ++end;
        }
        return script.size();
    }
    if (script.mid(at, 2) == "--") {
        const qsizetype end = script.indexOf('\n', at);
        return end < 0 ? script.size() : end + 1;
    }
    if (script.mid(at, 2) == "/*") {
        const qsizetype end = script.indexOf("*/", at + 2);
        return end < 0 ? script.size() : end + 2;
    }
    if (c == '$') {
        const QRegularExpressionMatch tag = kDollarTag.match(script, at, QRegularExpression::NormalMatch,
                                                             QRegularExpression::AnchorAtOffsetMatchOption);
        if (tag.hasMatch()) {
            const qsizetype end = script.indexOf(tag.captured(0), tag.capturedEnd(0));
            return end < 0 ? script.size() : end + tag.capturedLength(0);
        }
    }
    return at;
}

// Comment lines before a statement carry nothing to run.
bool HasCode(const QString& statement)
{
    const QStringList lines = statement.split('\n');
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith("--"))
            return true;
    }
    return false;
}

}  // namespace

QStringList SqlScript::Statements(const QString& script)
{
    QStringList statements;
    qsizetype start = 0;
    qsizetype at = 0;
    while (at < script.size()) {
        const qsizetype skipped = SkipQuoted(script, at);
        if (skipped != at) {
            at = skipped;
            continue;
        }
        if (script[at] == ';') {
            const QString statement = script.mid(start, at - start).trimmed();
            if (HasCode(statement))
                statements.append(statement);
            start = at + 1;
        }
        ++at;
    }
    const QString rest = script.mid(start).trimmed();
    if (HasCode(rest))
        statements.append(rest);
    return statements;
}

}  // namespace ado
