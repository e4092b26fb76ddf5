#include "KELTO32/HardwarePorts.h"

#include <cerrno>
#include <cstring>

#if defined(__linux__) && (defined(__x86_64__) || defined(__i386__))
#include <setjmp.h>
#include <signal.h>
#include <sys/io.h>
#define KELTO32_HAVE_PORTS 1
#endif

namespace kelto32 {

#ifdef KELTO32_HAVE_PORTS
namespace {

sigjmp_buf gProbeJump;
void OnProbeFault(int) { siglongjmp(gProbeJump, 1); }

// Reads the port once with a fault handler in place: without permission the read raises a
// general-protection fault (SIGSEGV), which ends the probe instead of the program.
bool ProbeRead(std::uint16_t Port) {
  struct sigaction fault {}, previous{};
  fault.sa_handler = OnProbeFault;
  sigemptyset(&fault.sa_mask);
  sigaction(SIGSEGV, &fault, &previous);
  volatile bool readable = false;
  if (sigsetjmp(gProbeJump, 1) == 0) {
    (void)inb(Port);
    readable = true;
  }
  sigaction(SIGSEGV, &previous, nullptr);
  return readable;
}

}  // namespace
#endif

TRawPortAccess SystemPortAccess() {
#ifdef KELTO32_HAVE_PORTS
  return {[](unsigned long From, unsigned long Count, int On) { return ioperm(From, Count, On); },
          [](std::uint16_t Port) { return static_cast<std::uint8_t>(inb(Port)); },
          [](std::uint16_t Port, std::uint8_t Value) { outb(Value, Port); }, ProbeRead};
#else
  return {[](unsigned long, unsigned long, int) {
            errno = ENOSYS;
            return -1;
          },
          [](std::uint16_t) -> std::uint8_t { return 0xFF; }, [](std::uint16_t, std::uint8_t) {},
          [](std::uint16_t) { return false; }};
#endif
}

bool THardwarePorts::Allowed(std::uint16_t Port, bool Write) {
  if (Port == kSystemControlPort) return !Write;
  return Port >= kFirstCardPort && Port <= kLastCardPort;
}

std::unique_ptr<TPortBackend> THardwarePorts::Open(const TReport& Report, TRawPortAccess Access, bool Inherited) {
  if (Inherited) {
    if (Access.Readable && Access.Readable(kSystemControlPort) && Access.Readable(kFirstCardPort) &&
        Access.Readable(kLastCardPort))
      return std::unique_ptr<TPortBackend>(new THardwarePorts(std::move(Access)));
    Report("KELTO32: KELTO32_PORTS_GRANTED is set but this program cannot read the ports; start it through "
           "Settings-realcard; using none");
    return std::make_unique<TNoDriverPorts>();
  }
  const bool granted = Access.Ioperm(kSystemControlPort, 1, 1) == 0 &&
                       Access.Ioperm(kFirstCardPort, kLastCardPort - kFirstCardPort + 1, 1) == 0;
  if (!granted) {
    const int error = errno;
    Report(std::string("KELTO32: no access to the I/O ports (") + std::strerror(error) +
           "); grant it with 'setcap cap_sys_rawio+ep' on the launcher or run as root; using none");
    return std::make_unique<TNoDriverPorts>();
  }
  return std::unique_ptr<TPortBackend>(new THardwarePorts(std::move(Access)));
}

std::uint16_t THardwarePorts::Read(std::uint16_t Port) {
  return Allowed(Port, false) ? FAccess.In(Port) : 0xFF;
}

void THardwarePorts::Write(std::uint16_t Port, std::uint8_t Value) {
  if (Allowed(Port, true)) FAccess.Out(Port, Value);
}

}  // namespace kelto32
