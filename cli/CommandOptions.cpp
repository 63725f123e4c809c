#include "cli/CommandOptions.h"

namespace {

const QStringList kSwitches = {"--test", "--service", "--text", "--diff", "--fill"};
const QStringList kValued = {"--from", "--to",       "--var",      "--tag",    "--stat",
                             "--user", "--password", "--facility", "--format", "--output"};

}  // namespace

std::optional<CommandOptions> CommandOptions::Parse(const QStringList& words, QString& error)
{
    CommandOptions options;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (!word.startsWith("--")) {
            options.m_positional.append(word);
        } else if (kSwitches.contains(word)) {
            options.m_values[word].append(QString());
        } else if (kValued.contains(word) && i + 1 < words.size()) {
            options.m_values[word].append(words[++i]);
        } else {
            error = kValued.contains(word) ? QString(word + " needs a value") : "unknown option " + word;
            return std::nullopt;
        }
    }
    return options;
}
