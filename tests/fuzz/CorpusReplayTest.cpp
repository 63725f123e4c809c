#include "fuzz/FuzzTargets.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <ostream>

namespace {

struct Harness {
    const char* name;
    void (*entry)(const std::uint8_t*, std::size_t);
};

// Names the harness in the test's listing instead of the bytes of the struct.
void PrintTo(const Harness& harness, std::ostream* out)
{
    *out << harness.name;
}

class CorpusReplay : public ::testing::TestWithParam<Harness> {};

}  // namespace

// Every input the fuzzers were seeded with or once failed on goes through
// its entry again: under the sanitizers, a fault that returns aborts here.
TEST_P(CorpusReplay, EverySeedIsReadWithoutFault)
{
    const QDir corpus(QStringLiteral(R58213_FUZZ_CORPUS "/") + GetParam().name);
    const QStringList seeds = corpus.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(seeds.isEmpty()) << corpus.path().toStdString();
    for (const QString& seed : seeds) {
        QFile file(corpus.filePath(seed));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << seed.toStdString();
        const QByteArray bytes = file.readAll();
        GetParam().entry(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                         static_cast<std::size_t>(bytes.size()));
    }
}

INSTANTIATE_TEST_SUITE_P(Fuzz, CorpusReplay,
                         ::testing::Values(Harness{"dayfile", &FuzzTargets::DayFile},
                                           Harness{"configuration", &FuzzTargets::Configuration},
                                           Harness{"definition", &FuzzTargets::Definition}),
                         [](const auto& harness) { return std::string(harness.param.name); });
