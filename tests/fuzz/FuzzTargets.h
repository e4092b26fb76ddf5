// The places that take text or bytes from outside, as functions of raw input. The fuzzers
// call them with generated inputs and the corpus replay test with the found ones. Each
// checks its own invariants and aborts on a violation.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz {

void BaseAddressText(const std::uint8_t* Data, std::size_t Size);
void BinaryValueText(const std::uint8_t* Data, std::size_t Size);
void HexAddress(const std::uint8_t* Data, std::size_t Size);
void FormData(const std::uint8_t* Data, std::size_t Size);
void JpegBytes(const std::uint8_t* Data, std::size_t Size);

}  // namespace fuzz
