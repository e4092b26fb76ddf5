// The value models of the renderers: strings, values, switch counts and addresses, and
// setters that do nothing (not even a repaint) when the value is unchanged.
#include <gtest/gtest.h>

#include "SetupCtrls/BaseAddress.h"
#include "SetupCtrls/DipSwitch.h"
#include "SetupCtrls/SetupCtrls.h"
#include "vcl/FormData.h"
#include "vcl/Forms.h"

using namespace vcl;
using namespace setupctrls;

namespace {

// Counts the repaints a control asks for.
template <class T>
struct Counting : T {
  explicit Counting(TComponent* Owner = nullptr) : T(Owner) {}
  int Repaints = 0;
  void Invalidate() override { ++Repaints; }
};

struct DipCase {
  const char* Name;
  int N;
  std::string Start;                    // BinaryValueStr before the step
  std::function<void(TDipSwitch&)> Step;
  std::string Str;
  std::uint32_t Value;
  bool Repaints;
};

void PrintTo(const DipCase& C, std::ostream* Os) { *Os << C.Name; }

class DipValues : public ::testing::TestWithParam<DipCase> {};

TEST_P(DipValues, StringAndValueStayInStep) {
  const DipCase& c = GetParam();
  Counting<TPianoSwitch> dip;
  dip.SetNumSwitches(c.N);
  dip.SetBinaryValueStr(c.Start);
  dip.Repaints = 0;
  c.Step(dip);
  EXPECT_EQ(dip.BinaryValueStr(), c.Str);
  EXPECT_EQ(dip.Value(), c.Value);
  EXPECT_EQ(dip.Repaints > 0, c.Repaints);
}

INSTANTIATE_TEST_SUITE_P(
    Dip, DipValues,
    ::testing::Values(
        DipCase{"JunkIsDropped", 3, "000", [](TDipSwitch& d) { d.SetBinaryValueStr("1x0 1"); }, "101", 5, true},
        DipCase{"NoDigitsChangesNothing", 3, "011", [](TDipSwitch& d) { d.SetBinaryValueStr("abc 2"); }, "011", 3, false},
        DipCase{"LastNDigitsKept", 3, "000", [](TDipSwitch& d) { d.SetBinaryValueStr("110101"); }, "101", 5, true},
        DipCase{"PaddedOnTheLeft", 3, "000", [](TDipSwitch& d) { d.SetBinaryValueStr("1"); }, "001", 1, true},
        DipCase{"SameNumberOtherSpelling", 3, "101", [](TDipSwitch& d) { d.SetBinaryValueStr("0101"); }, "101", 5, false},
        DipCase{"ValueLosesHighBits", 3, "000", [](TDipSwitch& d) { d.SetValue(13); }, "101", 5, true},
        DipCase{"SameValueDoesNothing", 3, "101", [](TDipSwitch& d) { d.SetValue(5); }, "101", 5, false},
        DipCase{"NineBitsOnEightKeys", 8, "0", [](TDipSwitch& d) { d.SetValue(256 + 5); }, "00000101", 5, true},
        DipCase{"MoreSwitchesPadLeft", 3, "101", [](TDipSwitch& d) { d.SetNumSwitches(5); }, "00101", 5, true},
        DipCase{"FewerSwitchesDropLeft", 5, "10110", [](TDipSwitch& d) { d.SetNumSwitches(2); }, "10", 2, true},
        DipCase{"SameCountDoesNothing", 3, "101", [](TDipSwitch& d) { d.SetNumSwitches(3); }, "101", 5, false},
        DipCase{"ThirtyTwoSwitches", 32, "0", [](TDipSwitch& d) { d.SetValue(0x80000001u); },
                "10000000000000000000000000000001", 0x80000001u, true},
        // Beyond 32 switches the leftmost ones stand for bits Value does not have: always OFF.
        DipCase{"FortySwitches", 40, "0", [](TDipSwitch& d) { d.SetBinaryValueStr(std::string(40, '1')); },
                std::string(40, '1'), 0xFFFFFFFFu, true},
        DipCase{"ColourUnchangedDoesNotRepaint", 3, "101", [](TDipSwitch& d) { d.SetSwitchColor(clWhite); }, "101", 5, false},
        DipCase{"OrientationChangeRepaints", 3, "101", [](TDipSwitch& d) { d.SetOrientation(otLeft); }, "101", 5, true}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(DipSwitch, InitialValuesAndDeclaredDefaults) {
  TPianoSwitch piano(nullptr);
  EXPECT_EQ(piano.Width(), 53);
  EXPECT_EQ(piano.Height(), 43);
  EXPECT_EQ(piano.NumSwitches(), 3);
  EXPECT_EQ(piano.BinaryValueStr(), "000");
  EXPECT_EQ(piano.Value(), 0u);
  EXPECT_EQ(piano.SwitchColor(), clWhite);
  EXPECT_EQ(piano.Orientation(), otUp);
  EXPECT_EQ(piano.CheckDirection(), cdCounterclockwise);
  Counting<TPianoSwitch> counted;
  counted.SetCheckDirection(cdCounterclockwise);
  EXPECT_EQ(counted.Repaints, 0);
  counted.SetCheckDirection(cdClockwise);
  EXPECT_EQ(counted.Repaints, 1);
}

TEST(DipSwitch, ZeroSwitchesDrawOnlyTheBodyAndKeepTheValue) {
  TDipSwitch dip(nullptr);
  dip.SetValue(5);
  dip.SetNumSwitches(0);
  EXPECT_EQ(dip.BinaryValueStr(), "");
  EXPECT_EQ(dip.Value(), 5u);
  TForm form(nullptr);
  dip.SetParent(&form);
  form.PaintSurface();  // must not divide by zero
  EXPECT_EQ(dip.Picture().Upright().Width(), 53);
  dip.SetParent(nullptr);
}

struct AddressCase {
  const char* Name;
  std::string Text;
  std::string Str;
  bool Repaints;
};

void PrintTo(const AddressCase& C, std::ostream* Os) { *Os << C.Name; }

class BaseAddressText : public ::testing::TestWithParam<AddressCase> {};

TEST_P(BaseAddressText, KeepsTheSwitchBitsInNormalForm) {
  Counting<TBaseAddress> ba;
  ba.SetBaseAddressStr("200");
  ba.Repaints = 0;
  ba.SetBaseAddressStr(GetParam().Text);
  EXPECT_EQ(ba.BaseAddressStr(), GetParam().Str);
  EXPECT_EQ(ba.Address(), std::stoul(GetParam().Str, nullptr, 16));
  EXPECT_EQ(ba.Repaints > 0, GetParam().Repaints);
}

INSTANTIATE_TEST_SUITE_P(
    BaseAddress, BaseAddressText,
    ::testing::Values(AddressCase{"LowerCase", "2a0", "2A0", true}, AddressCase{"HexPrefix", "0x2A0", "2A0", true},
                      AddressCase{"TrailingH", "2a0h", "2A0", true},
                      AddressCase{"BitsBelowA3Dropped", "201", "200", false},
                      AddressCase{"Seven", "207", "200", false}, AddressCase{"LeadingZero", "0200", "200", false},
                      AddressCase{"MaskedTo3F8", "3FF", "3F8", true}, AddressCase{"NoSwitchBit", "1000", "0", true},
                      AddressCase{"AllOnes", "FFFFFFFF", "3F8", true},
                      AddressCase{"TwelveDigitsWithLeadingZeros", "000000000200", "200", false},
                      AddressCase{"Empty", "", "200", false}, AddressCase{"NoHexDigit", "xyz", "200", false},
                      AddressCase{"Blanks", " 3 0 0 ", "300", true}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(BaseAddress, NineSignificantDigitsRaiseTheConversionErrorWithNothingStored) {
  Counting<TBaseAddress> ba;
  ba.SetBaseAddressStr("200");
  ba.Repaints = 0;
  try {
    ba.SetBaseAddressStr("123456789");
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'$123456789' is not a valid integer value");
  }
  try {
    ba.SetBaseAddressStr("0x12345678 9");
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'$0123456789' is not a valid integer value");  // the digits that were kept
  }
  EXPECT_EQ(ba.BaseAddressStr(), "200");
  EXPECT_EQ(ba.Repaints, 0);
}

TEST(BaseAddress, InitialValuesAndAChangedSwitchCountKeepTheAddress) {
  TBaseAddress ba(nullptr);
  EXPECT_EQ(ba.BaseAddressStr(), "0");
  EXPECT_EQ(ba.NumSwitches(), 7);
  EXPECT_EQ(ba.Mask(), 0x3F8u);
  EXPECT_EQ(ba.Width(), 102);
  EXPECT_EQ(ba.Height(), 61);
  ba.SetBaseAddressStr("208");
  ba.SetNumSwitches(6);
  EXPECT_EQ(ba.BaseAddressStr(), "208");
  EXPECT_EQ(ba.Mask(), 0x3F0u);
  ba.SetBaseAddressStr("208");  // masks with the new range now
  EXPECT_EQ(ba.BaseAddressStr(), "200");
  ba.SetNumSwitches(12);       // beyond bit 0: the mask stops at bit 0
  EXPECT_EQ(ba.Mask(), 0x3FFu);
  ba.SetNumSwitches(0);
  EXPECT_EQ(ba.Mask(), 0u);
}

// ---- Form data ------------------------------------------------------------------------------

class TRendererForm : public TForm {
  VCL_CLASS_NAME(TRendererForm)
 public:
  using TForm::TForm;
};

TEST(RendererFormData, SevenSwitchesAreLeftOutAndReadBackAsThree) {
  RegisterSetupCtrls();
  RegisterClass(ClassInfo<TRendererForm>("TRendererForm", "TForm", {}, false));
  TRendererForm form(nullptr);
  ReadFormData(&form,
               "F : TRendererForm {\n"
               "  D : TDipSwitch { NumSwitches = 7  BinaryValueStr = \"1000001\" }\n"
               "  P : TPianoSwitch { Orientation = otLeft  NumSwitches = 8  BinaryValueStr = \"00000000\" Value = 0 }\n"
               "  B : TBaseAddress { BaseAddressStr = \"200\" }\n"
               "}",
               "renderers");
  auto* d = FindComponentAs<TDipSwitch>(&form, "D");
  EXPECT_EQ(d->NumSwitches(), 7);
  EXPECT_EQ(d->Value(), 65u);
  const std::string written = WriteFormData(&form);
  EXPECT_EQ(written.find("NumSwitches = 7"), std::string::npos);
  EXPECT_NE(written.find("NumSwitches = 8"), std::string::npos);
  EXPECT_NE(written.find("Value = 0"), std::string::npos);  // Value has no default: always written

  TRendererForm again(nullptr);
  ReadFormData(&again, written, "written");
  auto* d2 = FindComponentAs<TDipSwitch>(&again, "D");
  EXPECT_EQ(d2->NumSwitches(), 3);
  EXPECT_EQ(d2->BinaryValueStr(), "001");
  EXPECT_EQ(FindComponentAs<TPianoSwitch>(&again, "P")->Orientation(), otLeft);
  EXPECT_EQ(FindComponentAs<TBaseAddress>(&again, "B")->BaseAddressStr(), "200");
}

}  // namespace
