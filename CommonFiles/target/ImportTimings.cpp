#include "CommonFiles/target/ImportTimings.h"

#include <numeric>

void ImportTimings::Add(Kind kind, std::chrono::nanoseconds spent)
{
    ++m_counts[Index(kind)];
    m_nanoseconds[Index(kind)] += spent.count();
}

void ImportTimings::Add(const ImportTimings& other)
{
    for (std::size_t i = 0; i < kKinds; ++i) {
        m_counts[i] += other.m_counts[i];
        m_nanoseconds[i] += other.m_nanoseconds[i];
    }
}

qint64 ImportTimings::TotalNanoseconds() const
{
    return std::accumulate(m_nanoseconds.begin(), m_nanoseconds.end(), qint64{0});
}
