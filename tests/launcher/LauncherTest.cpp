#include <gtest/gtest.h>

#include <cerrno>

#include "launcher/RealCardLauncher.h"

using namespace launcher;

namespace {

// A system whose calls are scripted and recorded in order.
struct FakeSystem {
  bool X86 = true;
  int GrantError = 0;
  bool RawIo = true;
  std::string LockdownMode = "none";
  int DropError = 0;
  bool DroppedClean = true;
  int ExecError = ENOENT;
  std::vector<std::string> Calls;
  std::vector<std::string> ExecArgs, ExecEnv;

  TSystem System() {
    TSystem s;
    s.PortIoAvailable = [this] { return X86; };
    s.Machine = [] { return std::string("aarch64"); };
    s.Grant = [this](unsigned long From, unsigned long Count) {
      Calls.push_back("grant " + std::to_string(From) + "+" + std::to_string(Count));
      return GrantError;
    };
    s.HasRawIo = [this] { return RawIo; };
    s.Lockdown = [this] { return LockdownMode; };
    s.DropPrivileges = [this] {
      Calls.push_back("drop");
      return DropError;
    };
    s.Unprivileged = [this] {
      Calls.push_back("verify");
      return DroppedClean;
    };
    s.Exec = [this](const std::string& Path, const std::vector<std::string>& Args, const std::vector<std::string>& Env) {
      Calls.push_back("exec " + Path);
      ExecArgs = Args;
      ExecEnv = Env;
      return ExecError;
    };
    return s;
  }
};

struct Outcome {
  int Status;
  std::vector<std::string> Lines;
};

Outcome RunLauncher(FakeSystem& Fake, std::vector<std::string> Env = {"HOME=/home/u"}) {
  Outcome o;
  o.Status = Launch(Fake.System(), "/usr/bin/Settings", {"--extra"}, std::move(Env),
                    [&](const std::string& L) { o.Lines.push_back(L); });
  return o;
}

TEST(Launcher, GrantsThePortsDropsEverythingThenStartsSettingsOnTheRealPorts) {
  FakeSystem fake;
  const Outcome o = RunLauncher(fake, {"HOME=/home/u", "KELTO32_BACKEND=sim", "KELTO32_PORTS_GRANTED=0"});
  EXPECT_EQ(fake.Calls, (std::vector<std::string>{"grant 97+1", "grant 256+768", "drop", "verify",
                                                  "exec /usr/bin/Settings"}));
  EXPECT_EQ(fake.ExecArgs, (std::vector<std::string>{"/usr/bin/Settings", "--extra"}));
  EXPECT_EQ(fake.ExecEnv,
            (std::vector<std::string>{"HOME=/home/u", "KELTO32_BACKEND=hw", "KELTO32_PORTS_GRANTED=1"}));
  // Exec returned: the fake's execve failed, and that is said too.
  EXPECT_EQ(o.Status, 8);
  ASSERT_EQ(o.Lines.size(), 1u);
  EXPECT_EQ(o.Lines[0], "Settings-realcard: cannot start /usr/bin/Settings: No such file or directory");
}

struct RefusalCase {
  const char* Name;
  std::function<void(FakeSystem&)> Arrange;
  int Status;
  const char* Says;
};

void PrintTo(const RefusalCase& C, std::ostream* Os) { *Os << C.Name; }

class Refusal : public ::testing::TestWithParam<RefusalCase> {};

// Every refusal is one line saying why, and Settings is never started with privileges.
TEST_P(Refusal, IsOneLineAndNeverStartsSettings) {
  FakeSystem fake;
  GetParam().Arrange(fake);
  const Outcome o = RunLauncher(fake);
  EXPECT_EQ(o.Status, GetParam().Status);
  ASSERT_EQ(o.Lines.size(), 1u);
  EXPECT_NE(o.Lines[0].find(GetParam().Says), std::string::npos) << o.Lines[0];
  EXPECT_EQ(o.Lines[0].find('\n'), std::string::npos);
  for (const std::string& c : fake.Calls) EXPECT_NE(c.rfind("exec", 0), 0u) << c;
}

INSTANTIATE_TEST_SUITE_P(
    Launcher, Refusal,
    ::testing::Values(
        RefusalCase{"NotX86", [](FakeSystem& F) { F.X86 = false; }, 3, "needs an x86 PC, and this machine is aarch64"},
        RefusalCase{"MissingCapability",
                    [](FakeSystem& F) {
                      F.GrantError = EPERM;
                      F.RawIo = false;
                    },
                    4, "sudo setcap cap_sys_rawio+ep"},
        RefusalCase{"KernelLockdown",
                    [](FakeSystem& F) {
                      F.GrantError = EPERM;
                      F.LockdownMode = "integrity";
                    },
                    5, "locked down (integrity)"},
        RefusalCase{"KernelWithoutPortIo", [](FakeSystem& F) { F.GrantError = ENOSYS; }, 6, "this kernel offers no port I/O"},
        RefusalCase{"OtherKernelRefusal", [](FakeSystem& F) { F.GrantError = EINVAL; }, 6, "Invalid argument"},
        RefusalCase{"DropFails", [](FakeSystem& F) { F.DropError = EPERM; }, 7, "could not drop its privileges"},
        RefusalCase{"DropLeavesAPrivilege", [](FakeSystem& F) { F.DroppedClean = false; }, 7,
                    "Settings is not started with them"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(Launcher, ReadsTheActiveLockdownMode) {
  EXPECT_EQ(ActiveLockdown("[none] integrity confidentiality\n"), "none");
  EXPECT_EQ(ActiveLockdown("none [integrity] confidentiality\n"), "integrity");
  EXPECT_EQ(ActiveLockdown(""), "");
  EXPECT_EQ(ActiveLockdown("none] [x"), "");
}

}  // namespace
