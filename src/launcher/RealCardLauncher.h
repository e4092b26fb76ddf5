// Settings-realcard: starts Settings on the real card without running the GUI privileged.
//
// Given the capability cap_sys_rawio (setcap on this launcher, or started through sudo), it
// asks the kernel for port 0x61 and the card range 0x100-0x3FF, drops every privilege and
// capability, and replaces itself with Settings on the real-port backend. Port permissions
// survive execve; the privilege to ask for more does not.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace launcher {

// The system calls the launcher makes; tests put fakes in.
struct TSystem {
  std::function<bool()> PortIoAvailable;                             // an x86 Linux machine
  std::function<std::string()> Machine;                              // uname's machine name
  std::function<int(unsigned long From, unsigned long Count)> Grant;  // ioperm on: 0 or an errno
  std::function<bool()> HasRawIo;                                    // cap_sys_rawio effective
  std::function<std::string()> Lockdown;                             // "none", "integrity", ... or ""
  std::function<int()> DropPrivileges;                               // 0 or an errno
  std::function<bool()> Unprivileged;  // every id the real user's, no capability, no new privileges
  std::function<int(const std::string& Path, const std::vector<std::string>& Args,
                    const std::vector<std::string>& Env)>
      Exec;  // returns only on failure, with an errno
};

// Everything the launcher does, in order; returns the exit status when it could not start
// Settings (on success Exec does not return). Each refusal is one line through Report.
int Launch(const TSystem& System, const std::string& SettingsPath, const std::vector<std::string>& Args,
           std::vector<std::string> Env, const std::function<void(const std::string&)>& Report);

// The real system calls of Linux.
TSystem LinuxSystem();

// The kernel lockdown mode from the text of /sys/kernel/security/lockdown
// ("none [integrity] confidentiality" gives "integrity"); "" when unknown.
std::string ActiveLockdown(const std::string& Text);

}  // namespace launcher
