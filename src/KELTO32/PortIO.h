// Port I/O for the card: InPortB and OutPortB over a backend chosen once, at the first
// call, from the environment variable KELTO32_BACKEND:
//   sim   a simulated RT16-4K card (the default), see SimulatedCard.h
//   hw    the real I/O ports of a Linux x86 PC, see HardwarePorts.h
//   none  no port driver: every read gives 0xAA55, writes are dropped
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// Reads one byte from an I/O port; callers use the low 16 bits of the result. Without a
// port driver the result is 0xAA55. Port is taken modulo 65536, as the bus sees it.
int InPortB(int Port);
// Writes the byte Value (0 to 255) to an I/O port.
void OutPortB(int Port, int Value);

namespace kelto32 {

// The value every read gives when no port driver is present.
constexpr std::uint16_t kDriverMissing = 0xAA55;

class TPortBackend {
 public:
  virtual ~TPortBackend() = default;
  virtual std::uint16_t Read(std::uint16_t Port) = 0;
  virtual void Write(std::uint16_t Port, std::uint8_t Value) = 0;
  virtual std::string Name() const = 0;
};

// The driver-missing case.
class TNoDriverPorts final : public TPortBackend {
 public:
  std::uint16_t Read(std::uint16_t) override { return kDriverMissing; }
  void Write(std::uint16_t, std::uint8_t) override {}
  std::string Name() const override { return "none"; }
};

using TEnvironment = std::function<const char*(const char* Name)>;
using TReport = std::function<void(const std::string& Line)>;

// Builds the backend that the environment asks for; problems (an unknown backend, a bad
// simulator setting, refused port access) are reported as one line each.
std::unique_ptr<TPortBackend> CreateBackend(const TEnvironment& Environment, const TReport& Report);

// Installs a backend in place of the environment's choice (tests); nullptr makes the next
// call choose from the environment again.
void SetPortBackend(std::unique_ptr<TPortBackend> Backend);
// The backend in use, chosen from the environment at the first call.
TPortBackend& CurrentBackend();

}  // namespace kelto32
