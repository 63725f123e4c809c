#pragma once

#include <cstddef>
#include <cstdint>

// What the fuzzers and the corpus replay feed untrusted bytes through: one
// entry per kind of input the program reads from outside. An entry returns
// whatever the input; bad input must end in the program's own failure
// result, so a crash, a hang or a sanitizer report is a fault of the code
// under test. Work files go to one scratch folder per process, on a memory
// file system where there is one.
namespace FuzzTargets {

// The first line is a source tag ("ALG 3:12"), the rest a day file of
// 7 March 2024, read through the data-file source.
void DayFile(const std::uint8_t* data, std::size_t size);

// First byte 'S': the rest, line by line, gives the values of the
// configuration's keys, which are saved enciphered and read back. Any other:
// the rest is a configuration file, read as the program reads its own
// (plain or enciphered, as the file says). Deriving the cipher key costs
// far more than reading a plain file, so one byte value of 256 selects it.
void Configuration(const std::uint8_t* data, std::size_t size);

// First byte even: the rest is a definition archive, whose definition
// files are extracted and whose definition.xml is read. Odd: the rest is
// a definition.xml alone.
void Definition(const std::uint8_t* data, std::size_t size);

}  // namespace FuzzTargets
