#include "KELTO32/SimulatedCard.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kelto32 {

namespace {

double ScaledCounts(double Volts, std::uint8_t Gain) {
  switch (Gain) {
    case 9: return Volts * 4096.0 / 10.0;
    case 15: return Volts * 500.0 * 4096.0 / 10.0;
    default: return Volts * 2048.0 / 5.0 + 2048.0;
  }
}

int RoundAndClamp(double Counts) {
  return static_cast<int>(std::clamp(std::nearbyint(Counts), 0.0, 4095.0));
}

}  // namespace

TSimulatedCard::TSimulatedCard(const TSettings& Settings)
    : FBase(Settings.Base), FVolts(Settings.Volts), FRandom(Settings.Seed) {}

std::unique_ptr<TSimulatedCard> TSimulatedCard::FromEnvironment(const TEnvironment& Environment,
                                                                const TReport& Report) {
  TSettings s;
  if (const char* base = Environment("KELTO32_SIM_BASE"); base && *base) {
    char* end = nullptr;
    const unsigned long v = std::strtoul(base, &end, 16);
    if (*end != '\0' || v < 0x100 || v > 0x3F8 || v % 8 != 0)
      Report(std::string("KELTO32: KELTO32_SIM_BASE '") + base +
             "' is not a card address (hexadecimal 100 to 3F8 in steps of 8); using 200");
    else
      s.Base = static_cast<std::uint16_t>(v);
  }
  if (const char* volts = Environment("KELTO32_SIM_VOLTS"); volts && *volts) {
    char* end = nullptr;
    const double v = std::strtod(volts, &end);
    if (*end != '\0' || !std::isfinite(v))
      Report(std::string("KELTO32: KELTO32_SIM_VOLTS '") + volts + "' is not a number of volts; using 0.0012");
    else
      s.Volts = v;
  }
  return std::make_unique<TSimulatedCard>(s);
}

int TSimulatedCard::IdealCounts(double Volts, std::uint8_t Gain) { return RoundAndClamp(ScaledCounts(Volts, Gain)); }

std::uint16_t TSimulatedCard::Read(std::uint16_t Port) {
  if (Port == 0x61) return kSystemControl;
  if (Port < FBase || Port > FBase + 3) return 0xFF;
  switch (Port - FBase) {
    case 0: {
      const auto noise = static_cast<std::uint16_t>(FRandom() & 0x0F);
      return static_cast<std::uint16_t>(((FCounts & 0x0F) << 4) | noise);
    }
    case 1: return static_cast<std::uint16_t>(FCounts >> 4);
    case 2:
      if (FBusyLeft > 0) {
        --FBusyLeft;
        return 0x80;
      }
      return 0x00;
    default: return FGain;
  }
}

void TSimulatedCard::Write(std::uint16_t Port, std::uint8_t Value) {
  if (Port < FBase || Port > FBase + 3) return;
  switch (Port - FBase) {
    case 1:
      if (Value == 0) {
        // About one count of noise: the reading flickers between neighbouring codes.
        std::uniform_real_distribution<double> noise(-0.5, 0.5);
        FCounts = RoundAndClamp(ScaledCounts(FVolts, FGain) + noise(FRandom));
        FBusyLeft = kBusyReads;
      }
      break;
    case 2: FControl = Value; break;
    case 3: FGain = Value; break;
    default: break;
  }
}

}  // namespace kelto32
