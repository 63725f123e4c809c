#include "platform/ado/ErrorText.h"

namespace ado {

NumberedError ErrorText::error() const
{
    return NumberedError(m_number, description());
}

}  // namespace ado
