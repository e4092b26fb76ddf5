#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <set>

#include "KELTO32/HardwarePorts.h"
#include "KELTO32/PortIO.h"
#include "KELTO32/SimulatedCard.h"

using namespace kelto32;

namespace {

constexpr std::uint16_t kBase = 0x200;

TSimulatedCard Card(double Volts, std::uint32_t Seed = 1) { return TSimulatedCard({kBase, Volts, Seed}); }

// One conversion as the readout does it: start, poll the status, read high then low.
struct Conversion {
  int BusyReads = 0;
  int Counts = 0;
};

Conversion Convert(TPortBackend& Card, std::uint8_t Gain) {
  Card.Write(kBase + 3, Gain);
  Card.Write(kBase + 1, 0);
  Conversion c;
  while (Card.Read(kBase + 2) & 0x80) ++c.BusyReads;
  const int high = Card.Read(kBase + 1), low = Card.Read(kBase + 0);
  c.Counts = high * 16 + low / 16;
  return c;
}

struct CountsCase {
  const char* Name;
  double Volts;
  std::uint8_t Gain;
  int Counts;
};

void PrintTo(const CountsCase& C, std::ostream* Os) { *Os << C.Name; }

class SimulatedCounts : public ::testing::TestWithParam<CountsCase> {};

TEST_P(SimulatedCounts, ResultStaysWithinOneCountOfTheIdealValue) {
  TSimulatedCard card = Card(GetParam().Volts);
  EXPECT_EQ(TSimulatedCard::IdealCounts(GetParam().Volts, GetParam().Gain), GetParam().Counts);
  std::set<int> seen;
  for (int i = 0; i < 200; ++i) {
    const Conversion c = Convert(card, GetParam().Gain);
    EXPECT_EQ(c.BusyReads, TSimulatedCard::kBusyReads);
    EXPECT_LE(std::abs(c.Counts - GetParam().Counts), 1) << c.Counts;
    seen.insert(c.Counts);
  }
  EXPECT_GE(*seen.begin(), 0);
  EXPECT_LE(*seen.rbegin(), 4095);
}

INSTANTIATE_TEST_SUITE_P(
    Sim, SimulatedCounts,
    ::testing::Values(CountsCase{"MinusFiveVoltsBipolar", -5.0, 0, 0}, CountsCase{"ZeroBipolar", 0.0, 0, 2048},
                      CountsCase{"FullScaleBipolar", 4.9976, 0, 4095}, CountsCase{"ClampedBelow", -7.0, 0, 0},
                      CountsCase{"ClampedAbove", 6.0, 0, 4095}, CountsCase{"HalfScaleUnipolar", 5.0, 9, 2048},
                      CountsCase{"NegativeUnipolarClamps", -1.0, 9, 0}, CountsCase{"TenMillivoltsX500", 0.01, 15, 2048},
                      CountsCase{"UnknownGainMeasuresBipolar", 0.0, 4, 2048}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(SimulatedCard, MidrangeInputFlickersBetweenNeighbouringCodes) {
  TSimulatedCard card = Card(0.0012);
  std::set<int> seen;
  for (int i = 0; i < 200; ++i) seen.insert(Convert(card, 0).Counts);
  EXPECT_EQ(seen, (std::set<int>{2048, 2049}));
}

TEST(SimulatedCard, RegistersOutsideTheCardReadAsAnEmptyBusAndPort61AsSystemControl) {
  TSimulatedCard card = Card(0.0);
  for (std::uint16_t port : {0x1FF, 0x204, 0x300, 0x000, 0xFFFF}) EXPECT_EQ(card.Read(port), 0xFF) << port;
  card.Write(0x204, 0);  // dropped, and no conversion starts
  EXPECT_EQ(card.Read(kBase + 2), 0x00);
  EXPECT_EQ(card.Read(0x61), TSimulatedCard::kSystemControl);
  EXPECT_NE(card.Read(0x61), kDriverMissing);
  card.Write(kBase + 3, 15);
  EXPECT_EQ(card.Gain(), 15);
  card.Write(kBase + 1, 7);  // only a write of 0 starts a conversion
  EXPECT_EQ(card.Read(kBase + 2), 0x00);
}

TEST(SimulatedCard, TheLowNibbleOfTheLowByteIsNoiseThatReadersIgnore) {
  TSimulatedCard card = Card(0.0);
  std::set<int> nibbles;
  for (int i = 0; i < 100; ++i) {
    Convert(card, 0);
    nibbles.insert(card.Read(kBase) & 0x0F);
  }
  EXPECT_GT(nibbles.size(), 4u);
}

// ---- Selection from the environment -------------------------------------------------------

struct Selection {
  std::unique_ptr<TPortBackend> Backend;
  std::vector<std::string> Reports;
};

Selection Select(std::map<std::string, std::string> Env) {
  Selection s;
  s.Backend = CreateBackend(
      [&](const char* Name) -> const char* {
        auto it = Env.find(Name);
        return it == Env.end() ? nullptr : it->second.c_str();
      },
      [&](const std::string& Line) { s.Reports.push_back(Line); });
  return s;
}

TEST(Backend, SimulatedCardIsTheDefaultAndNoneAnswers0xAA55) {
  Selection sim = Select({});
  EXPECT_EQ(sim.Backend->Name(), "sim");
  EXPECT_TRUE(sim.Reports.empty());

  Selection none = Select({{"KELTO32_BACKEND", "none"}});
  EXPECT_EQ(none.Backend->Name(), "none");
  for (std::uint16_t port : {0x61, 0x200, 0x202, 0x0}) EXPECT_EQ(none.Backend->Read(port), kDriverMissing);
}

TEST(Backend, AnUnknownBackendIsReportedWithTheValidNamesAndFallsBackToNone) {
  Selection s = Select({{"KELTO32_BACKEND", "simulated"}});
  EXPECT_EQ(s.Backend->Name(), "none");
  ASSERT_EQ(s.Reports.size(), 1u);
  EXPECT_NE(s.Reports[0].find("sim, hw, none"), std::string::npos);
}

struct SimEnvCase {
  const char* Name;
  const char* Base;
  const char* Volts;
  std::uint16_t ExpectedBase;
  double ExpectedVolts;
  std::size_t Reports;
};

void PrintTo(const SimEnvCase& C, std::ostream* Os) { *Os << C.Name; }

class SimulatorSettings : public ::testing::TestWithParam<SimEnvCase> {};

TEST_P(SimulatorSettings, ComeFromTheEnvironmentWithBadValuesReported) {
  std::map<std::string, std::string> env;
  if (GetParam().Base) env["KELTO32_SIM_BASE"] = GetParam().Base;
  if (GetParam().Volts) env["KELTO32_SIM_VOLTS"] = GetParam().Volts;
  Selection s = Select(env);
  auto* card = dynamic_cast<TSimulatedCard*>(s.Backend.get());
  ASSERT_NE(card, nullptr);
  EXPECT_EQ(card->Base(), GetParam().ExpectedBase);
  EXPECT_DOUBLE_EQ(card->Volts(), GetParam().ExpectedVolts);
  EXPECT_EQ(s.Reports.size(), GetParam().Reports);
}

INSTANTIATE_TEST_SUITE_P(
    Sim, SimulatorSettings,
    ::testing::Values(SimEnvCase{"Defaults", nullptr, nullptr, 0x200, 0.0012, 0},
                      SimEnvCase{"Base2A0", "2a0", "-4.9988", 0x2A0, -4.9988, 0},
                      SimEnvCase{"LowestBase", "100", nullptr, 0x100, 0.0012, 0},
                      SimEnvCase{"HighestBase", "3F8", nullptr, 0x3F8, 0.0012, 0},
                      SimEnvCase{"BaseNotOnAStepOf8", "201", nullptr, 0x200, 0.0012, 1},
                      SimEnvCase{"BaseBelowRange", "F8", nullptr, 0x200, 0.0012, 1},
                      SimEnvCase{"BaseAboveRange", "400", nullptr, 0x200, 0.0012, 1},
                      SimEnvCase{"BaseNotHex", "0x2g0", nullptr, 0x200, 0.0012, 1},
                      SimEnvCase{"VoltsNotANumber", nullptr, "five", 0x200, 0.0012, 1}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// ---- Real ports ---------------------------------------------------------------------------

struct FakeBus {
  std::vector<std::pair<unsigned long, unsigned long>> Granted;
  std::vector<int> Touched;
  bool Refuse = false;
  TRawPortAccess Access() {
    return {[this](unsigned long From, unsigned long Count, int) {
              if (Refuse) {
                errno = EPERM;
                return -1;
              }
              Granted.emplace_back(From, Count);
              return 0;
            },
            [this](std::uint16_t Port) {
              Touched.push_back(Port);
              return std::uint8_t{0x42};
            },
            [this](std::uint16_t Port, std::uint8_t) { Touched.push_back(Port); },
            {}};
  }
};

TEST(HardwarePorts, RefusedPermissionActsAsNoDriverAndSaysWhyAndHow) {
  FakeBus bus;
  bus.Refuse = true;
  std::vector<std::string> reports;
  auto backend = THardwarePorts::Open([&](const std::string& L) { reports.push_back(L); }, bus.Access());
  EXPECT_EQ(backend->Name(), "none");
  EXPECT_EQ(backend->Read(0x61), kDriverMissing);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("Operation not permitted"), std::string::npos);
  EXPECT_NE(reports[0].find("cap_sys_rawio"), std::string::npos);
  EXPECT_TRUE(bus.Touched.empty());
}

TEST(HardwarePorts, AsksOnlyForPort61AndTheCardRange) {
  FakeBus bus;
  auto backend = THardwarePorts::Open([](const std::string&) {}, bus.Access());
  EXPECT_EQ(backend->Name(), "hw");
  EXPECT_EQ(bus.Granted, (std::vector<std::pair<unsigned long, unsigned long>>{{0x61, 1}, {0x100, 0x300}}));
}

// Started by the real-card launcher, the program finds the ports already granted: it asks
// the kernel for nothing (it no longer may) and only checks that the grant arrived.
TEST(HardwarePorts, InheritedAccessIsCheckedNotAskedFor) {
  for (const bool readable : {true, false}) {
    FakeBus bus;
    TRawPortAccess access = bus.Access();
    std::vector<int> probed;
    access.Readable = [&](std::uint16_t Port) {
      probed.push_back(Port);
      return readable;
    };
    std::vector<std::string> reports;
    auto backend = THardwarePorts::Open([&](const std::string& L) { reports.push_back(L); }, access, true);
    EXPECT_EQ(backend->Name(), readable ? "hw" : "none");
    EXPECT_TRUE(bus.Granted.empty());
    EXPECT_EQ(probed.front(), 0x61);
    EXPECT_EQ(reports.size(), readable ? 0u : 1u);
    if (!readable) {
      EXPECT_NE(reports[0].find("Settings-realcard"), std::string::npos);
    }
  }
}

// The real probe in a process that was granted nothing: the read faults, and the fault ends
// only the probe.
TEST(HardwarePorts, TheRealProbeSurvivesAPortItMayNotRead) {
  EXPECT_FALSE(SystemPortAccess().Readable(0x61));
  EXPECT_FALSE(SystemPortAccess().Readable(0x300));
}

struct GuardCase {
  const char* Name;
  int Port;  // as a caller computes it: base address plus offset, before 16-bit truncation
  bool Read;
  bool Write;
};

void PrintTo(const GuardCase& C, std::ostream* Os) { *Os << C.Name; }

class PortGuard : public ::testing::TestWithParam<GuardCase> {};

TEST_P(PortGuard, OnlyCardPortsAndReadingPort61ReachTheBus) {
  FakeBus bus;
  auto backend = THardwarePorts::Open([](const std::string&) {}, bus.Access());
  kelto32::SetPortBackend(std::move(backend));
  const int read = InPortB(GetParam().Port);
  EXPECT_EQ(read, GetParam().Read ? 0x42 : 0xFF);
  EXPECT_EQ(bus.Touched.size(), GetParam().Read ? 1u : 0u);
  bus.Touched.clear();
  OutPortB(GetParam().Port, 0);
  EXPECT_EQ(bus.Touched.size(), GetParam().Write ? 1u : 0u);
  kelto32::SetPortBackend(nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Hw, PortGuard,
    ::testing::Values(GuardCase{"SystemControlReadOnly", 0x61, true, false},
                      GuardCase{"CardBase", 0x200 + 2, true, true}, GuardCase{"LowestCardPort", 0x100, true, true},
                      GuardCase{"HighestCardPort", 0x3FF, true, true}, GuardCase{"JustBelow", 0xFF, false, false},
                      GuardCase{"JustAbove", 0x400, false, false},
                      GuardCase{"DmaControllerFromBase2", 0x2 + 1, false, false},
                      GuardCase{"AllOnesTruncatesToZero", static_cast<int>(0xFFFFFFFF) + 1, false, false},
                      GuardCase{"NegativeBase", -8 + 3, false, false},
                      GuardCase{"HugeBaseTruncatesIntoCardRange", 0x10200, true, true},
                      GuardCase{"HugeBaseTruncatesOutside", 0x7FFF0000 + 0x20, false, false}),
    [](const auto& Info) { return std::string(Info.param.Name); });

}  // namespace
