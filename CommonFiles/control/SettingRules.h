#pragma once

#include "platform/DateTime.h"

#include <QList>
#include <QString>

// The rules a typed setting passes before it is stored, for every key a
// configuration window edits: the windows apply their fields through them
// and `r58213-cli config set` applies its values through them, so both
// store the same text for the same input. A number is clamped as a double
// before it becomes a whole number, so no input can overflow; a value that
// cannot be read keeps the stored one and says so.
class SettingRules {
public:
    enum class Kind { Number, PollWait, Text, YesNo, TrueFalse, DbType, Date };
    struct Rule {
        Kind kind = Kind::Text;
        // Numbers only: the range, and what a number below it becomes.
        double low = 0;
        double high = 0;
        double belowLow = 0;
    };
    struct Message {
        QString text;
        QString title;
    };
    // What becomes of one typed value.
    struct Outcome {
        // The typed value was not usable: value is the stored one.
        bool refused = false;
        // The number stored is not the number typed (clamped or rounded).
        bool adjusted = false;
        QString value;
        // To show, in this order, with the exclamation icon.
        QList<Message> messages;
    };

    // The rule of a key (any letter case), or nothing for a key no window
    // edits through a rule.
    static const Rule* RuleOf(const QString& key);
    // The key's own spelling in the rule table; the key unchanged when the
    // table does not know it.
    static QString KeyPath(const QString& key);
    // Applies the key's rule to the typed text; stored is the key's
    // current value. A key without a rule stores the text as typed.
    static Outcome Apply(const QString& key, const QString& typed, const QString& stored);

    static QString YesNo(bool value);
    static QString TrueFalse(bool value);
    // "MM-dd-yyyy HH:mm:ss".
    static QString DateText(const DateTime& value);
    // The connection window's database type list: "Oracle" is type "1" and
    // its provider "OraOLEDB.Oracle"; every other entry is type "2" with
    // the provider "SQLNCLI".
    static QString DbTypeOfEntry(const QString& entry);
    static QString ProviderOfEntry(const QString& entry);

private:
    static Outcome ApplyNumber(const Rule& rule, const QString& key, const QString& typed, const QString& stored);
    static Outcome ApplyPollWait(const QString& typed, const QString& stored);
    static Outcome ApplyChoice(const Rule& rule, const QString& key, const QString& typed, const QString& stored);
    static Outcome Refused(const QString& stored, const QString& message);
};
