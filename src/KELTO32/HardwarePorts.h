// The real I/O ports of a Linux x86 PC, through ioperm. The backend never touches a port
// outside the card range 0x100..0x3FF, except reading 0x61: any other port is refused
// (reads give 0xFF, writes are dropped), whatever base address a user types, so a typed
// address such as FFFFFFFF or 2 never reaches the DMA controller or another device.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "KELTO32/PortIO.h"

namespace kelto32 {

// The system calls the backend needs; tests put fakes in.
struct TRawPortAccess {
  std::function<int(unsigned long From, unsigned long Count, int On)> Ioperm;  // 0 or -1 with errno
  std::function<std::uint8_t(std::uint16_t Port)> In;
  std::function<void(std::uint16_t Port, std::uint8_t Value)> Out;
  // Whether reading the port works without asking the kernel: true when a launcher granted
  // the access before starting this program (permissions survive execve).
  std::function<bool(std::uint16_t Port)> Readable;
};

// ioperm, inb and outb on Linux x86; elsewhere Ioperm fails (ENOSYS).
TRawPortAccess SystemPortAccess();

class THardwarePorts final : public TPortBackend {
 public:
  static constexpr std::uint16_t kFirstCardPort = 0x100;
  static constexpr std::uint16_t kLastCardPort = 0x3FF;
  static constexpr std::uint16_t kSystemControlPort = 0x61;

  // Asks the kernel for the card range and port 0x61 on the calling thread (permissions
  // are per thread). When it refuses, says why and how to grant access, and returns the
  // driver-missing backend. With Inherited (the real-card launcher has granted the ports
  // and dropped the privilege to ask), it only checks that the grant arrived.
  static std::unique_ptr<TPortBackend> Open(const TReport& Report, TRawPortAccess Access = SystemPortAccess(),
                                            bool Inherited = false);
  static bool Allowed(std::uint16_t Port, bool Write);

  std::uint16_t Read(std::uint16_t Port) override;
  void Write(std::uint16_t Port, std::uint8_t Value) override;
  std::string Name() const override { return "hw"; }

 private:
  explicit THardwarePorts(TRawPortAccess Access) : FAccess(std::move(Access)) {}
  TRawPortAccess FAccess;
};

}  // namespace kelto32
