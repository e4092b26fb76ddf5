// Replays every input the fuzzers have kept: none may crash, hang or break an invariant.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "FuzzTargets.h"

namespace {

struct Target {
  const char* Corpus;
  void (*Run)(const std::uint8_t*, std::size_t);
};

void PrintTo(const Target& T, std::ostream* Os) { *Os << T.Corpus; }

class CorpusReplay : public ::testing::TestWithParam<Target> {};

TEST_P(CorpusReplay, EveryKeptInputRunsCleanly) {
  const std::filesystem::path dir = std::filesystem::path(FUZZ_CORPUS_DIR) / GetParam().Corpus;
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    SCOPED_TRACE(entry.path().string());
    GetParam().Run(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    ++replayed;
  }
  EXPECT_GT(replayed, 0) << "no corpus in " << dir;
}

INSTANTIATE_TEST_SUITE_P(Fuzz, CorpusReplay,
                         ::testing::Values(Target{"base_address", fuzz::BaseAddressText},
                                           Target{"binary_value", fuzz::BinaryValueText},
                                           Target{"hex_address", fuzz::HexAddress},
                                           Target{"form_data", fuzz::FormData},
                                           Target{"jpeg", fuzz::JpegBytes}),
                         [](const auto& Info) { return std::string(Info.param.Corpus); });

}  // namespace
