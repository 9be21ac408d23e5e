// SPDX-License-Identifier: GPL-3.0-or-later
// The libFuzzer entry of one target; TESSMAR_FUZZ_ENTRY names its function.
#include "../fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzz::TESSMAR_FUZZ_ENTRY(data, size);
}
