#include "FuzzTargets.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "SetupCtrls/BaseAddress.h"
#include "SetupCtrls/DipSwitch.h"
#include "SetupCtrls/SetupCtrls.h"
#include "vcl/FormData.h"
#include "vcl/Forms.h"
#include "vcl/Graphics.h"
#include "vcl/SysUtils.h"

using namespace vcl;
using namespace setupctrls;

namespace fuzz {

namespace {

void Check(bool Ok, const char* What) {
  if (!Ok) {
    std::fprintf(stderr, "invariant broken: %s\n", What);
    std::abort();
  }
}

std::string Text(const std::uint8_t* Data, std::size_t Size) {
  return std::string(reinterpret_cast<const char*>(Data), Size);
}

class TFuzzForm : public TForm {
  VCL_CLASS_NAME(TFuzzForm)
 public:
  using TForm::TForm;
  void Handler(TObject*) {}
};

}  // namespace

void BaseAddressText(const std::uint8_t* Data, std::size_t Size) {
  TBaseAddress ba(nullptr);
  if (Size > 0) ba.SetNumSwitches(Data[0] % 16);
  const std::string before = ba.BaseAddressStr();
  try {
    ba.SetBaseAddressStr(Text(Data + (Size > 0), Size - (Size > 0)));
  } catch (const EConvertError&) {
    Check(ba.BaseAddressStr() == before, "a failed conversion stored something");
  }
  Check((ba.Address() & ~ba.Mask()) == 0, "address bits outside the switches");
  Check(ba.BaseAddressStr() == IntToHex(ba.Address(), 1), "string and address differ");
}

void BinaryValueText(const std::uint8_t* Data, std::size_t Size) {
  TDipSwitch dip(nullptr);
  if (Size > 0) dip.SetNumSwitches(Data[0] % 40 + 1);
  dip.SetBinaryValueStr(Text(Data + (Size > 0), Size - (Size > 0)));
  const std::string& s = dip.BinaryValueStr();
  Check(static_cast<int>(s.size()) == dip.NumSwitches(), "string length is not the switch count");
  std::uint32_t v = 0;
  for (std::size_t k = 0; k < s.size(); ++k) {
    Check(s[k] == '0' || s[k] == '1', "a character other than 0 or 1");
    const std::size_t bit = s.size() - 1 - k;
    if (s[k] == '1' && bit < 32) v |= 1u << bit;
  }
  Check(v == dip.Value(), "value is not what the string spells");
}

void HexAddress(const std::uint8_t* Data, std::size_t Size) {
  const std::string text = Text(Data, Size);
  try {
    const std::uint32_t v = static_cast<std::uint32_t>(StrToInt("$" + text));
    Check(!text.empty() && text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos,
          "accepted a text that is no hexadecimal number");
    Check(std::strtoull(text.c_str(), nullptr, 16) == v, "converted to another number");
  } catch (const EConvertError& e) {
    Check(e.Message() == "'$" + text + "' is not a valid integer value", "wrong conversion message");
  }
}

void FormData(const std::uint8_t* Data, std::size_t Size) {
  static bool registered = [] {
    RegisterSetupCtrls();
    TClassInfo info = ClassInfo<TFuzzForm>("TFuzzForm", "TForm", {}, false);
    info.Methods = {Method<TFuzzForm>("Handler", &TFuzzForm::Handler)};
    RegisterClass(info);
    return true;
  }();
  (void)registered;
  TFuzzForm form(nullptr);
  try {
    ReadFormData(&form, Text(Data, Size), "fuzz");
    // What was read writes back and reads again to the same text.
    const std::string written = WriteFormData(&form);
    TFuzzForm again(nullptr);
    ReadFormData(&again, written, "written");
    Check(WriteFormData(&again) == written, "form data did not read back the same");
  } catch (const Exception&) {
  }
}

void JpegBytes(const std::uint8_t* Data, std::size_t Size) {
  TJPEGImage jpeg;
  try {
    jpeg.LoadFromBytes(Data, Size);
    Check(jpeg.Width() > 0 && jpeg.Height() > 0, "an empty picture decoded");
  } catch (const EInvalidGraphic&) {
  }
}

}  // namespace fuzz
