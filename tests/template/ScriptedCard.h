// A port backend for the wizard's tests: records every write, answers the status register
// from a script, and lets a test act at the start of each conversion. Ticks are faked: every
// sleep slice of a wait advances the clock by one millisecond, so no test waits for real.
#pragma once

#include <functional>
#include <vector>

#include "KELTO32/PortIO.h"
#include "vcl/Platform.h"

struct TPortWrite {
  int Port;
  int Value;
  friend bool operator==(const TPortWrite&, const TPortWrite&) = default;
};

inline void PrintTo(const TPortWrite& W, std::ostream* Os) { *Os << std::hex << W.Port << "<-" << W.Value; }

class TScriptedCard final : public kelto32::TPortBackend {
 public:
  int Base = 0x200;
  std::vector<TPortWrite> Writes;
  int BusyReads = 2;      // status reads with bit 7 set per conversion
  int High = 0x80;        // result bytes
  int Low = 0x00;
  int Conversions = 0;
  std::vector<std::uint32_t> ConversionTicks;  // tick count at each conversion start
  std::function<void(int Conversion)> OnConversion;

  std::uint16_t Read(std::uint16_t Port) override {
    if (Port == Base + 2) return FBusyLeft-- > 0 ? 0x80 : 0x00;
    if (Port == Base + 1) return static_cast<std::uint16_t>(High);
    if (Port == Base + 0) return static_cast<std::uint16_t>(Low);
    return Port == 0x61 ? 0x20 : 0xFF;
  }
  void Write(std::uint16_t Port, std::uint8_t Value) override {
    Writes.push_back({Port, Value});
    if (Port == Base + 1 && Value == 0) {
      ConversionTicks.push_back(vcl::GetTickCount());
      ++Conversions;
      if (OnConversion) OnConversion(Conversions);  // may change the script of this conversion
      FBusyLeft = BusyReads;
    }
  }
  std::string Name() const override { return "scripted"; }

 private:
  int FBusyLeft = 0;
};

// Installs a fake tick count that only sleep slices advance.
struct TFakeTicks {
  std::uint32_t Now;
  explicit TFakeTicks(std::uint32_t Start = 1000) : Now(Start) {
    vcl::SetTickCountSource([this] { return Now; });
    vcl::SetSleepSlice([this] { ++Now; });
  }
  ~TFakeTicks() {
    vcl::SetTickCountSource({});
    vcl::SetSleepSlice({});
  }
};
