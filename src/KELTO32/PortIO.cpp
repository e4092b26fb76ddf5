#include "KELTO32/PortIO.h"

#include <cstdio>
#include <cstdlib>

#include "KELTO32/HardwarePorts.h"
#include "KELTO32/SimulatedCard.h"

namespace kelto32 {

namespace {

std::unique_ptr<TPortBackend>& Installed() {
  static std::unique_ptr<TPortBackend> backend;
  return backend;
}

}  // namespace

std::unique_ptr<TPortBackend> CreateBackend(const TEnvironment& Environment, const TReport& Report) {
  const char* chosen = Environment("KELTO32_BACKEND");
  const std::string name = chosen && *chosen ? chosen : "sim";
  if (name == "sim") return TSimulatedCard::FromEnvironment(Environment, Report);
  if (name == "hw") {
    const char* granted = Environment("KELTO32_PORTS_GRANTED");  // set by Settings-realcard
    return THardwarePorts::Open(Report, SystemPortAccess(), granted && std::string(granted) == "1");
  }
  if (name != "none")
    Report("KELTO32: unknown KELTO32_BACKEND '" + name + "' (valid: sim, hw, none); using none");
  return std::make_unique<TNoDriverPorts>();
}

void SetPortBackend(std::unique_ptr<TPortBackend> Backend) { Installed() = std::move(Backend); }

TPortBackend& CurrentBackend() {
  if (!Installed())
    Installed() = CreateBackend([](const char* Name) { return std::getenv(Name); },
                                [](const std::string& Line) { std::fprintf(stderr, "%s\n", Line.c_str()); });
  return *Installed();
}

}  // namespace kelto32

int InPortB(int Port) { return kelto32::CurrentBackend().Read(static_cast<std::uint16_t>(Port)); }

void OutPortB(int Port, int Value) {
  kelto32::CurrentBackend().Write(static_cast<std::uint16_t>(Port), static_cast<std::uint8_t>(Value));
}
