// libFuzzer entry points: one program per target, chosen by FUZZ_TARGET at build time.
#include <cstdlib>

#include "FuzzTargets.h"
#include "vcl/Forms.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  vcl::Application->Initialize();
  vcl::Application->SetMessageBoxResponder([](const vcl::TMessageBoxCall&) { return static_cast<int>(vcl::mrOk); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  fuzz::FUZZ_TARGET(Data, Size);
  return 0;
}
