#include <gtest/gtest.h>

#include "vcl/Classes.h"
#include "vcl/SysUtils.h"

using namespace vcl;

namespace {

// Counts its own destruction so ownership can be observed.
class TCounted : public TComponent {
 public:
  TCounted(TComponent* Owner, int* Destroyed) : TComponent(Owner), FDestroyed(Destroyed) {}
  ~TCounted() override { ++*FDestroyed; }

 private:
  int* FDestroyed;
};

}  // namespace

TEST(Component, OwnerFreesOwnedComponentsAndTheyLeaveTheOwnerWhenFreedFirst) {
  int destroyed = 0;
  auto* owner = new TComponent(nullptr);
  auto* a = new TCounted(owner, &destroyed);
  auto* b = new TCounted(a, &destroyed);  // owned by a, freed with it
  new TCounted(owner, &destroyed);
  EXPECT_EQ(owner->ComponentCount(), 2);
  EXPECT_EQ(b->Owner(), a);

  delete a;  // frees b too, and leaves the owner's list
  EXPECT_EQ(destroyed, 2);
  EXPECT_EQ(owner->ComponentCount(), 1);
  delete owner;
  EXPECT_EQ(destroyed, 3);
}

TEST(Component, NamesAreUniqueWithinTheOwnerWithoutRegardToCase) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  a->SetName("BaseEdit");
  EXPECT_EQ(owner.FindComponent("baseedit"), a);
  EXPECT_EQ(owner.FindComponent("Missing"), nullptr);
  EXPECT_EQ(owner.FindComponent(""), nullptr);

  auto* b = new TComponent(&owner);
  EXPECT_THROW(b->SetName("BASEEDIT"), EComponentError);
  EXPECT_THROW(b->SetName("1abc"), EComponentError);
  EXPECT_THROW(b->SetName("has space"), EComponentError);
  EXPECT_EQ(b->Name(), "");
  b->SetName("Other");
  EXPECT_EQ(b->Name(), "Other");
}

TEST(Component, UniqueNameTakesTheSmallestFreeNumber) {
  TComponent owner(nullptr);
  EXPECT_EQ(owner.UniqueName("Settings"), "Settings1");
  (new TComponent(&owner))->SetName("Settings1");
  (new TComponent(&owner))->SetName("Settings3");
  EXPECT_EQ(owner.UniqueName("Settings"), "Settings2");
  (new TComponent(&owner))->SetName("calibration1");
  EXPECT_EQ(owner.UniqueName("Calibration"), "Calibration2");
}

TEST(StringList, EditsRaiseListErrorOutsideTheListAndReportChangesOnce) {
  TStringList list{"a", "b"};
  int changes = 0;
  list.SetOnChange(TNotifyEvent([&](TObject*) { ++changes; }));
  list.Insert(2, "c");
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(changes, 1);
  EXPECT_THROW(list.Get(3), EListError);
  EXPECT_THROW(list.Insert(5, "x"), EListError);
  EXPECT_THROW(list.Delete(-1), EListError);

  changes = 0;
  list.SetStrings({"x", "y", "z"});
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(list.IndexOf("y"), 1);
  EXPECT_EQ(list.IndexOf("Y"), -1);
}

TEST(StringList, TextJoinsWithLineBreaksAndSplitsAnyBreak) {
  TStringList list;
  list.SetText("one\r\ntwo\nthree\rfour");
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"one", "two", "three", "four"}));
  EXPECT_EQ(list.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
  list.SetText("a\r\n\r\nb\r\n");
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"a", "", "b"}));
}

struct StrToIntCase {
  const char* Text;
  bool Valid;
  std::int32_t Value;
};

inline void PrintTo(const StrToIntCase& C, std::ostream* Os) { *Os << '"' << C.Text << '"'; }

class StrToIntTest : public ::testing::TestWithParam<StrToIntCase> {};

TEST_P(StrToIntTest, ConvertsOrRaisesTheConversionError) {
  const StrToIntCase& c = GetParam();
  if (c.Valid) {
    EXPECT_EQ(StrToInt(c.Text), c.Value);
  } else {
    try {
      StrToInt(c.Text);
      ADD_FAILURE() << "no error for " << c.Text;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + c.Text + "' is not a valid integer value");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrToIntTest,
    ::testing::Values(StrToIntCase{"$200", true, 0x200}, StrToIntCase{"$2a0", true, 0x2A0},
                      StrToIntCase{"$0000000000200", true, 0x200},  // leading zeros are not significant
                      StrToIntCase{"$FFFFFFFF", true, -1},          // 32-bit two's complement
                      StrToIntCase{"$123456789", false, 0},         // nine significant digits
                      StrToIntCase{"$", false, 0}, StrToIntCase{"$ 200", false, 0},
                      StrToIntCase{"$-200", false, 0}, StrToIntCase{"$0x200", false, 0},
                      StrToIntCase{"$2g0", false, 0}, StrToIntCase{"42", true, 42},
                      StrToIntCase{" -42", true, -42}, StrToIntCase{"2147483647", true, 2147483647},
                      StrToIntCase{"2147483648", false, 0}, StrToIntCase{"", false, 0},
                      StrToIntCase{"12a", false, 0}));

TEST(SysUtils, TrimRemovesBlanksAndControlCharactersAtBothEnds) {
  EXPECT_EQ(Trim("  2a0\t\r\n"), "2a0");
  EXPECT_EQ(Trim("a b"), "a b");
  EXPECT_EQ(Trim("\x01\x1f"), "");
  EXPECT_EQ(UpperCase("2a0x"), "2A0X");
  EXPECT_TRUE(SameText("TBoardImage", "tboardimage"));
  EXPECT_FALSE(SameText("TBoardImage", "TBoardImage1"));
  EXPECT_EQ(IntToHex(0x2A0, 1), "2A0");
}
