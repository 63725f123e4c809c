#pragma once

#include "platform/NumberedError.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <vector>

// XOR of the key's single-byte characters read as little-endian 32-bit
// words (zero-padded). Shared by every table; the bucket order it gives is
// the order in which keys are enumerated, saved and dumped.
quint32 HashTableHashCode(const QString& key);

// Text key → value map with chained buckets over a pooled slot array.
// Enumeration goes bucket by bucket, and within a bucket in insertion
// order. Object values are held by the caller's handle type (for example a
// shared pointer); the table owns only the copies it stores.
template <typename Value> class HashTable {
public:
    HashTable() { SetSize(1024, 2048, 1024); }

    bool IgnoreCase() const { return m_ignoreCase; }
    void setIgnoreCase(bool ignore)
    {
        if (m_count > 0)
            throw NumberedError(1001, QStringLiteral("The Hash Table isn't empty"));
        m_ignoreCase = ignore;
    }

    void SetSize(qint32 hashSize, qint32 listSize, qint32 chunkSize)
    {
        m_hashSize = hashSize > 0 ? hashSize : m_hashSize;
        if (listSize >= 1)
            m_listSize = listSize;
        if (chunkSize >= 1)
            m_chunkSize = chunkSize;
        m_count = 0;
        m_freeHead = 0;
        m_heads.assign(static_cast<size_t>(m_hashSize), 0);
        m_slots.assign(1, Slot{});
        grow(m_listSize);
    }

    bool Exists(const QString& key) const { return find(normalised(key)).slot != 0; }

    void Add(const QString& key, const Value& value)
    {
        const QString k = normalised(key);
        const Position pos = find(k);
        if (pos.slot != 0)
            throw NumberedError(457,
                                QStringLiteral("This key is already associated with an element of this collection"));
        m_slots[static_cast<size_t>(insert(k, pos))].value = value;
    }

    // The value, or a default-constructed one for a missing key.
    Value Item(const QString& key) const
    {
        const Position pos = find(normalised(key));
        return pos.slot != 0 ? m_slots[static_cast<size_t>(pos.slot)].value : Value{};
    }

    void setItem(const QString& key, const Value& value)
    {
        const QString k = normalised(key);
        Position pos = find(k);
        const qint32 slot = pos.slot != 0 ? pos.slot : insert(k, pos);
        m_slots[static_cast<size_t>(slot)].value = value;
    }

    void Remove(const QString& key)
    {
        const QString k = normalised(key);
        const Position pos = find(k);
        if (pos.slot == 0)
            throw NumberedError(5, QStringLiteral("Invalid procedure call or argument"));
        Slot& removed = m_slots[static_cast<size_t>(pos.slot)];
        if (pos.previous != 0)
            m_slots[static_cast<size_t>(pos.previous)].next = removed.next;
        else
            m_heads[static_cast<size_t>(pos.bucket)] = removed.next;
        removed.next = m_freeHead;
        m_freeHead = pos.slot;
        --m_count;
    }

    void RemoveAll() { SetSize(m_hashSize, m_listSize, m_chunkSize); }

    qint32 Count() const { return m_count; }

    QStringList Keys() const
    {
        QStringList keys;
        forEachSlot([&keys](const Slot& s) { keys.append(s.key); });
        return keys;
    }

    std::vector<Value> Values() const
    {
        std::vector<Value> values;
        forEachSlot([&values](const Slot& s) { values.push_back(s.value); });
        return values;
    }

    // Slots in the pool, used ones and free ones together.
    qint32 PoolSize() const { return static_cast<qint32>(m_slots.size()) - 1; }

private:
    struct Slot {
        QString key;
        Value value{};
        qint32 next = 0;
    };
    struct Position {
        qint32 bucket = 0;
        qint32 slot = 0;  // 0 when the key is missing
        qint32 previous = 0;  // last slot visited in the chain
    };

    QString normalised(const QString& key) const
    {
        if (key.isEmpty())
            throw NumberedError(1001, QStringLiteral("Invalid key"));
        return m_ignoreCase ? key.toUpper() : key;
    }

    Position find(const QString& key) const
    {
        Position pos;
        pos.bucket = static_cast<qint32>(HashTableHashCode(key) % static_cast<quint32>(m_hashSize));
        for (qint32 s = m_heads[static_cast<size_t>(pos.bucket)]; s != 0; s = m_slots[static_cast<size_t>(s)].next) {
            if (m_slots[static_cast<size_t>(s)].key == key) {
                pos.slot = s;
                return pos;
            }
            pos.previous = s;
        }
        return pos;
    }

    // Takes a free slot for a key known to be missing and links it at the
    // end of its bucket's chain.
    qint32 insert(const QString& key, const Position& pos)
    {
        if (m_freeHead == 0)
            grow(m_chunkSize);
        const qint32 slot = m_freeHead;
        Slot& s = m_slots[static_cast<size_t>(slot)];
        m_freeHead = s.next;
        s.next = 0;
        s.key = key;
        ++m_count;
        if (pos.previous != 0)
            m_slots[static_cast<size_t>(pos.previous)].next = slot;
        else
            m_heads[static_cast<size_t>(pos.bucket)] = slot;
        return slot;
    }

    void grow(qint32 n)
    {
        const qint32 first = static_cast<qint32>(m_slots.size());
        m_slots.resize(m_slots.size() + static_cast<size_t>(n));
        for (qint32 i = first; i < first + n - 1; ++i)
            m_slots[static_cast<size_t>(i)].next = i + 1;
        m_slots.back().next = m_freeHead;
        m_freeHead = first;
    }

    template <typename Visit> void forEachSlot(Visit visit) const
    {
        for (qint32 head : m_heads)
            for (qint32 s = head; s != 0; s = m_slots[static_cast<size_t>(s)].next)
                visit(m_slots[static_cast<size_t>(s)]);
    }

    std::vector<qint32> m_heads;
    std::vector<Slot> m_slots;
    qint32 m_freeHead = 0;
    qint32 m_hashSize = 1024;
    qint32 m_listSize = 2048;
    qint32 m_chunkSize = 1024;
    qint32 m_count = 0;
    bool m_ignoreCase = false;
};
