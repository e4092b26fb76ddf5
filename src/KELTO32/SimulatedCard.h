// A simulated RT16-4K card: the four registers at its base address, a conversion that
// takes a few status reads, and a 12-bit result from an applied input voltage with about
// one count of noise, so the reading flickers between neighbouring codes as a real
// converter does. Ports where no card answers read 0xFF, as an empty ISA bus does.
//
// Registers (offsets from the base):
//   0  read: bits 7..4 the four lowest result bits; bits 3..0 noise
//   1  write 0: start a conversion; read: the eight highest result bits
//   2  read: status, bit 7 set while a conversion runs; write: accepted, no effect
//   3  write: gain code (read back unchanged)
//
// Gain codes and what the converter measures (counts clamped to 0..4095, rounding halves
// to even):
//   0   x1 bipolar     -5 V .. +5 V     counts = round(V * 2048 / 5) + 2048
//   9   x1 unipolar     0 V .. +10 V    counts = round(V * 4096 / 10)
//   15  x500 unipolar   0 V .. +20 mV   counts = round(V * 500 * 4096 / 10)
//   other codes measure as x1 bipolar.
#pragma once

#include <cstdint>
#include <memory>
#include <random>

#include "KELTO32/PortIO.h"

namespace kelto32 {

class TSimulatedCard final : public TPortBackend {
 public:
  static constexpr std::uint16_t kDefaultBase = 0x200;
  static constexpr double kDefaultVolts = 0.0012;  // the midrange check's input
  static constexpr int kBusyReads = 3;              // status reads with bit 7 set per conversion
  static constexpr std::uint8_t kSystemControl = 0x20;  // what port 0x61 reads

  struct TSettings {
    std::uint16_t Base = kDefaultBase;
    double Volts = kDefaultVolts;
    std::uint32_t Seed = std::random_device{}();
  };

  explicit TSimulatedCard(const TSettings& Settings);
  // Base from KELTO32_SIM_BASE (hexadecimal, 100 to 3F8 in steps of 8), input from
  // KELTO32_SIM_VOLTS; a bad value is reported and the default taken.
  static std::unique_ptr<TSimulatedCard> FromEnvironment(const TEnvironment& Environment, const TReport& Report);

  std::uint16_t Read(std::uint16_t Port) override;
  void Write(std::uint16_t Port, std::uint8_t Value) override;
  std::string Name() const override { return "sim"; }

  std::uint16_t Base() const { return FBase; }
  double Volts() const { return FVolts; }
  void SetVolts(double Value) { FVolts = Value; }
  std::uint8_t Gain() const { return FGain; }
  // The noiseless result for an input and gain code.
  static int IdealCounts(double Volts, std::uint8_t Gain);

 private:
  double Scaled(double Volts) const;  // counts before rounding and clamping
  std::uint16_t FBase;
  double FVolts;
  std::mt19937 FRandom;
  std::uint8_t FGain = 0;
  std::uint8_t FControl = 0;
  int FBusyLeft = 0;
  int FCounts = 0;
};

}  // namespace kelto32
