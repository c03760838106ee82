#pragma once
// The entry point of a fuzz target, under the name libFuzzer calls: one input,
// `size` bytes at `data`; returns 0. The replay program calls it the same way.

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
