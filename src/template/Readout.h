// The arithmetic and timing of the live A/D readout.
#pragma once

#include <cstdint>
#include <string>

namespace readout {

constexpr std::uint32_t kSettleMs = 10;   // before the first conversion of a readout step
constexpr std::uint32_t kPeriodMs = 100;  // from one cycle's message handling to the next
constexpr int kPollReads = 1000;          // status reads; ready on the last one is a failure

// counts = high x 16 + low div 16 (the low nibble of the low byte is not part of the
// result); volts = (counts - 2048) x 0.002441406.
double CountsToVolts(int High, int Low);
// Four decimals right-aligned in seven characters, then " Volts    ", cut to 20 characters.
std::string VoltsText(double Volts);
// Waits at least Ms on the tick count, sleeping in short slices; handles no messages.
void WaitMilliseconds(std::uint32_t Ms);

}  // namespace readout
