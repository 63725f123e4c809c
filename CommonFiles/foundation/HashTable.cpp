#include "CommonFiles/foundation/HashTable.h"

quint32 HashTableHashCode(const QString& key)
{
    // Keys are hashed in the single-byte code page; characters it cannot
    // hold become '?', as the code page conversion does.
    const QByteArray bytes = key.toLatin1();
    quint32 code = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        code ^= static_cast<quint32>(static_cast<quint8>(bytes[i])) << (8 * (i % 4));
    return code;
}
