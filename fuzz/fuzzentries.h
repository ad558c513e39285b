#pragma once

#include <cstddef>
#include <cstdint>

// One entry per fuzzed reader. Each returns normally for any input; a fault shows as a crash,
// a sanitizer report or a failed check (abort). The regression test runs the same entries over
// every input kept in fuzz/regressions.
void fuzzCatalog(const std::uint8_t *data, std::size_t size);
void fuzzDataFile(const std::uint8_t *data, std::size_t size);
void fuzzNumberText(const std::uint8_t *data, std::size_t size);
void fuzzRules(const std::uint8_t *data, std::size_t size);
