#include <gtest/gtest.h>

#include "LLLQVRWDM/LLLQVRWDM.h"

using namespace lllqvrwdm;

namespace {

struct Binding : ::testing::Test {
  Binding() { WDMBound = false; }
  ~Binding() override { WDMBound = false; }
};

TEST_F(Binding, ALibraryWithAll33EntryPointsIsBoundAndAskedForItsCards) {
  LoadQVRWDMFrom(FAKE_FULL_LIBRARY);
  EXPECT_TRUE(WDMBound);
  EXPECT_EQ(GetNumCards(), 2);
}

TEST_F(Binding, ALibraryMissingOneEntryPointIsNotBound) {
  LoadQVRWDMFrom(FAKE_PARTIAL_LIBRARY);
  EXPECT_FALSE(WDMBound);
  EXPECT_EQ(GetNumCards(), 0);
}

TEST_F(Binding, AMissingLibraryIsNotBoundAndIsTriedAgainAtTheNextCall) {
  LoadQVRWDMFrom("/nonexistent/libQVRWDM.so");
  EXPECT_FALSE(WDMBound);
  LoadQVRWDM();  // this machine has no driver library under the real name either
  EXPECT_FALSE(WDMBound);
  LoadQVRWDMFrom(FAKE_FULL_LIBRARY);
  EXPECT_TRUE(WDMBound);
  // Once bound, later calls return at once, whatever library they name.
  LoadQVRWDMFrom("/nonexistent/libQVRWDM.so");
  EXPECT_TRUE(WDMBound);
}

TEST(BindingNames, LooksUpThe33EntryPointsInOrder) {
  EXPECT_STREQ(kEntryPointNames[0], "GetNumCards");
  EXPECT_STREQ(kEntryPointNames[16], "EmergencyReboot");
  EXPECT_STREQ(kEntryPointNames[32], "RelOutPortDWord");
  EXPECT_STREQ(kLibraryName, "libQVRWDM.so");
}

}  // namespace
