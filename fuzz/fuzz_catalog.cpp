#include "fuzzentries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzCatalog(data, size);
    return 0;
}
