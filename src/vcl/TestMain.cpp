// Entry point of the test programs: starts the toolkit once, then runs every test.
#include <gtest/gtest.h>

#include "vcl/Forms.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Listing the tests (at build time) needs no display.
  if (!GTEST_FLAG_GET(list_tests)) vcl::Application->Initialize();
  const int result = RUN_ALL_TESTS();
  vcl::Application->Shutdown();
  return result;
}
