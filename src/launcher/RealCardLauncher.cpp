#include "launcher/RealCardLauncher.h"

#include <fcntl.h>
#include <grp.h>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#if defined(__x86_64__) || defined(__i386__)
#include <sys/io.h>
#define LAUNCHER_HAVE_PORTS 1
#endif

namespace launcher {

namespace {

constexpr const char* kName = "Settings-realcard";

// Sets NAME=VALUE in an environment list, replacing an earlier value.
void SetVariable(std::vector<std::string>& Env, const std::string& Name, const std::string& Value) {
  const std::string prefix = Name + "=";
  std::erase_if(Env, [&](const std::string& E) { return E.compare(0, prefix.size(), prefix) == 0; });
  Env.push_back(prefix + Value);
}

}  // namespace

std::string ActiveLockdown(const std::string& Text) {
  const auto open = Text.find('['), close = Text.find(']');
  if (open == std::string::npos || close == std::string::npos || close < open) return "";
  return Text.substr(open + 1, close - open - 1);
}

int Launch(const TSystem& System, const std::string& SettingsPath, const std::vector<std::string>& Args,
           std::vector<std::string> Env, const std::function<void(const std::string&)>& Report) {
  const std::string me = kName;
  if (!System.PortIoAvailable()) {
    Report(me + ": port I/O needs an x86 PC, and this machine is " + System.Machine() +
           "; start Settings on the simulated card instead");
    return 3;
  }
  for (const auto& [from, count] : {std::pair{0x61UL, 1UL}, std::pair{0x100UL, 0x300UL}}) {
    const int error = System.Grant(from, count);
    if (error == 0) continue;
    if (error == EPERM && !System.HasRawIo()) {
      Report(me + ": no permission for the I/O ports: grant it once with 'sudo setcap cap_sys_rawio+ep " +
             "<path of " + me + ">', or start it through sudo");
      return 4;
    }
    if (error == EPERM) {
      const std::string mode = System.Lockdown();
      if (!mode.empty() && mode != "none") {
        Report(me + ": the kernel is locked down (" + mode +
               "), which forbids port I/O even with cap_sys_rawio; a real card needs lockdown off");
        return 5;
      }
    }
    if (error == ENOSYS) {
      Report(me + ": this kernel offers no port I/O (a sandbox or a virtual machine without it); "
                  "a real card needs the PC's own kernel");
      return 6;
    }
    Report(me + ": the kernel refused the I/O ports: " + std::strerror(error));
    return 6;
  }
  if (const int error = System.DropPrivileges(); error != 0 || !System.Unprivileged()) {
    Report(me + ": could not drop its privileges (" + std::string(std::strerror(error ? error : EPERM)) +
           "); Settings is not started with them");
    return 7;
  }
  SetVariable(Env, "KELTO32_BACKEND", "hw");
  SetVariable(Env, "KELTO32_PORTS_GRANTED", "1");
  std::vector<std::string> args{SettingsPath};
  args.insert(args.end(), Args.begin(), Args.end());
  const int error = System.Exec(SettingsPath, args, Env);
  Report(me + ": cannot start " + SettingsPath + ": " + std::strerror(error));
  return 8;
}

namespace {

bool CapabilitySets(__user_cap_data_struct (&Data)[2]) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  return syscall(SYS_capget, &header, Data) == 0;
}

// The user to become: the one who ran sudo when started through it, else the real user.
void TargetIds(uid_t& Uid, gid_t& Gid) {
  Uid = getuid();
  Gid = getgid();
  if (Uid != 0) return;
  const char* su = std::getenv("SUDO_UID");
  const char* sg = std::getenv("SUDO_GID");
  if (su && sg) {
    Uid = static_cast<uid_t>(std::strtoul(su, nullptr, 10));
    Gid = static_cast<gid_t>(std::strtoul(sg, nullptr, 10));
  }
}

int DropAll() {
  uid_t uid;
  gid_t gid;
  TargetIds(uid, gid);
  if (uid == 0) return EPERM;  // root without sudo: there is no user to become
  if (geteuid() == 0 && setgroups(0, nullptr) != 0) return errno;
  if (setresgid(gid, gid, gid) != 0 || setresuid(uid, uid, uid) != 0) return errno;
  if (prctl(PR_CAP_AMBIENT, PR_CAP_AMBIENT_CLEAR_ALL, 0, 0, 0) != 0 && errno != EINVAL) return errno;
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct none[2] = {};
  if (syscall(SYS_capset, &header, none) != 0) return errno;
  if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) return errno;
  return 0;
}

bool NothingLeft() {
  uid_t ru, eu, su;
  gid_t rg, eg, sg;
  if (getresuid(&ru, &eu, &su) != 0 || getresgid(&rg, &eg, &sg) != 0) return false;
  if (ru == 0 || eu != ru || su != ru || eg != rg || sg != rg) return false;
  __user_cap_data_struct data[2] = {};
  if (!CapabilitySets(data)) return false;
  for (const auto& d : data)
    if (d.effective || d.permitted || d.inheritable) return false;
  return prctl(PR_GET_NO_NEW_PRIVS, 0, 0, 0, 0) == 1;
}

}  // namespace

TSystem LinuxSystem() {
  TSystem s;
  s.PortIoAvailable = [] {
#ifdef LAUNCHER_HAVE_PORTS
    return true;
#else
    return false;
#endif
  };
  s.Machine = [] {
    utsname u{};
    return uname(&u) == 0 ? std::string(u.machine) : std::string("unknown");
  };
  s.Grant = [](unsigned long From, unsigned long Count) {
#ifdef LAUNCHER_HAVE_PORTS
    return ioperm(From, Count, 1) == 0 ? 0 : errno;
#else
    (void)From, (void)Count;
    return ENOSYS;
#endif
  };
  s.HasRawIo = [] {
    __user_cap_data_struct data[2] = {};
    return CapabilitySets(data) && (data[CAP_TO_INDEX(CAP_SYS_RAWIO)].effective & CAP_TO_MASK(CAP_SYS_RAWIO));
  };
  s.Lockdown = [] {
    std::ifstream f("/sys/kernel/security/lockdown");
    std::stringstream text;
    text << f.rdbuf();
    return ActiveLockdown(text.str());
  };
  s.DropPrivileges = DropAll;
  s.Unprivileged = NothingLeft;
  s.Exec = [](const std::string& Path, const std::vector<std::string>& Args, const std::vector<std::string>& Env) {
    std::vector<char*> argv, envp;
    for (const std::string& a : Args) argv.push_back(const_cast<char*>(a.c_str()));
    for (const std::string& e : Env) envp.push_back(const_cast<char*>(e.c_str()));
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    execve(Path.c_str(), argv.data(), envp.data());
    return errno;
  };
  return s;
}

}  // namespace launcher
