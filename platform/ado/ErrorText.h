#pragma once

#include "platform/NumberedError.h"

#include <QString>

namespace ado {

// One fixed error: the number and the description callers and the log show.
// The constants below are the table of every fixed error the data-access
// layer raises and of those the code reading its values raises in more than
// one place; a site names its row instead of spelling the text again.
class ErrorText {
public:
    constexpr ErrorText(int number, const char* description) : m_number(number), m_description(description) {}

    int number() const { return m_number; }
    QString description() const { return QString::fromLatin1(m_description); }
    // The error to throw.
    NumberedError error() const;

private:
    int m_number;
    const char* m_description;
};

// The number a failure carries when the provider reports none of its own.
inline constexpr int kUnspecifiedFailure = -2147467259;

inline constexpr ErrorText kOverflow{6, "Overflow"};
inline constexpr ErrorText kTypeMismatch{13, "Type mismatch"};
inline constexpr ErrorText kInvalidUseOfNull{94, "Invalid use of Null"};
inline constexpr ErrorText kNoCurrentRecord{
    3021,
    "Either BOF or EOF is True, or the current record has been deleted. Requested operation requires a "
    "current record."};
inline constexpr ErrorText kUpdateNotSupported{3251, "Current Recordset does not support updating."};
inline constexpr ErrorText kItemNotFound{
    3265, "Item cannot be found in the collection corresponding to the requested name or ordinal."};
inline constexpr ErrorText kObjectOpen{3705, "Operation is not allowed when the object is open."};
inline constexpr ErrorText kProviderNotFound{3706, "Provider cannot be found. It may not be properly installed."};
inline constexpr ErrorText kConnectionUnusable{
    3709, "The connection cannot be used to perform this operation. It is either closed or invalid in this context."};
inline constexpr ErrorText kRowNotLocated{
    -2147217864, "Row cannot be located for updating. Some values may have been changed since it was last read."};
inline constexpr ErrorText kInsufficientKeyColumns{kUnspecifiedFailure,
                                                   "Insufficient key column information for updating or refreshing."};

}  // namespace ado
