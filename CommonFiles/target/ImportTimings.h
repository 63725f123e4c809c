#pragma once

#include <QtGlobal>
#include <array>
#include <chrono>

// Where an import's time goes: for each kind of step (source reads, seeks,
// writes, liveness queries, commits of a batch of writes) how many were made and how long they took
// together. Timing a step costs two reads of the monotonic clock, so it
// stays on in every run.
class ImportTimings {
    using Clock = std::chrono::steady_clock;

public:
    enum class Kind { SourceRead, Seek, Write, Liveness, Commit };
    static constexpr int kKinds = 5;

    // Times a step from its construction until Stop() or its destruction,
    // whichever comes first, into the given timings (none: nothing is kept).
    class Span {
    public:
        Span(ImportTimings* timings, Kind kind) : m_timings(timings), m_kind(kind), m_start(Clock::now()) {}
        ~Span() { Stop(); }
        Span(const Span&) = delete;
        Span& operator=(const Span&) = delete;

        void Stop()
        {
            if (m_timings)
                m_timings->Add(m_kind, std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - m_start));
            m_timings = nullptr;
        }

    private:
        ImportTimings* m_timings;
        Kind m_kind;
        Clock::time_point m_start;
    };

    void Add(Kind kind, std::chrono::nanoseconds spent);
    // Adds another run's counts and times to these.
    void Add(const ImportTimings& other);

    qint64 Count(Kind kind) const { return m_counts[Index(kind)]; }
    qint64 Nanoseconds(Kind kind) const { return m_nanoseconds[Index(kind)]; }
    // All the timed steps together.
    qint64 TotalNanoseconds() const;

private:
    static std::size_t Index(Kind kind) { return static_cast<std::size_t>(kind); }

    std::array<qint64, kKinds> m_counts{};
    std::array<qint64, kKinds> m_nanoseconds{};
};
