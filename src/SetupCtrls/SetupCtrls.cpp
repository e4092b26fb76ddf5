#include "SetupCtrls/SetupCtrls.h"

#include "SetupCtrls/BaseAddress.h"
#include "SetupCtrls/BoardHighlight.h"
#include "SetupCtrls/BoardImage.h"
#include "SetupCtrls/SetupSupporter.h"
#include "SetupCtrls/DipSwitch.h"
#include "SetupCtrls/RadioPanel.h"
#include "SetupCtrls/TwoJumper.h"
#include "vcl/FormData.h"

using namespace vcl;

namespace setupctrls {

namespace {

const std::vector<std::string> kOrientationNames = {"otUp", "otDown", "otLeft", "otRight"};
const std::vector<std::string> kClockNames = {"cdClockwise", "cdCounterclockwise"};
const std::vector<std::string> kBorderNames = {"bsNone", "bsSingle"};
const std::vector<std::string> kAnchorNames = {"akLeft", "akTop", "akRight", "akBottom"};
const std::vector<std::string> kHighlightNames = {"htOptions", "htSettings", "htCalibration"};

template <class C>
TPropInfo OrientationProp() {
  return EnumProp<C, TOrientationType>("Orientation", kOrientationNames, &C::Orientation, &C::SetOrientation, otUp);
}

}  // namespace

void RegisterSetupCtrls() {
  RegisterClass(ClassInfo<TDipSwitch>(
      "TDipSwitch", "TGraphicControl",
      {
          ColorProp<TDipSwitch>("SwitchColor", &TDipSwitch::SwitchColor, &TDipSwitch::SetSwitchColor, clWhite),
          OrientationProp<TDipSwitch>(),
          // The constructor gives 3 switches; form data leave out 7.
          IntProp<TDipSwitch>("NumSwitches", &TDipSwitch::NumSwitches, &TDipSwitch::SetNumSwitches, 7),
          StrProp<TDipSwitch>("BinaryValueStr", &TDipSwitch::BinaryValueStr, &TDipSwitch::SetBinaryValueStr,
                              std::nullopt),
          IntProp<TDipSwitch>("Value", [](TDipSwitch* s) { return static_cast<std::int64_t>(s->Value()); },
                              [](TDipSwitch* s, int v) { s->SetValue(static_cast<std::uint32_t>(v)); }, std::nullopt),
      }));
  RegisterClass(ClassInfo<TPianoSwitch>(
      "TPianoSwitch", "TDipSwitch",
      {EnumProp<TPianoSwitch, TClockDirection>("CheckDirection", kClockNames, &TPianoSwitch::CheckDirection,
                                               &TPianoSwitch::SetCheckDirection, cdCounterclockwise)}));
  RegisterClass(ClassInfo<TBaseAddress>(
      "TBaseAddress", "TGraphicControl",
      {
          ColorProp<TBaseAddress>("SwitchColor", &TBaseAddress::SwitchColor, &TBaseAddress::SetSwitchColor, clWhite),
          BoolProp<TBaseAddress>("OnIsOne", &TBaseAddress::OnIsOne, &TBaseAddress::SetOnIsOne, false),
          BoolProp<TBaseAddress>("LeftToRight", &TBaseAddress::LeftToRight, &TBaseAddress::SetLeftToRight, false),
          OrientationProp<TBaseAddress>(),
          IntProp<TBaseAddress>("NumSwitches", &TBaseAddress::NumSwitches, &TBaseAddress::SetNumSwitches, 7),
          StrProp<TBaseAddress>("BaseAddressStr", &TBaseAddress::BaseAddressStr, &TBaseAddress::SetBaseAddressStr,
                                std::nullopt),
      }));
  RegisterClass(ClassInfo<TTwoJumper>(
      "TTwoJumper", "TGraphicControl",
      {
          BoolProp<TTwoJumper>("Closed", &TTwoJumper::Closed, &TTwoJumper::SetClosed, false),
          ColorProp<TTwoJumper>("BaseColor", &TTwoJumper::BaseColor, &TTwoJumper::SetBaseColor, clGray),
          ColorProp<TTwoJumper>("PinColor", &TTwoJumper::PinColor, &TTwoJumper::SetPinColor, clYellow),
          ColorProp<TTwoJumper>("JumperColor", &TTwoJumper::JumperColor, &TTwoJumper::SetJumperColor, clMaroon),
          OrientationProp<TTwoJumper>(),
          EnumProp<TTwoJumper, TBorderStyle>("BorderStyle", kBorderNames, &TTwoJumper::BorderStyle,
                                             &TTwoJumper::SetBorderStyle, bsSingle),
      }));
  RegisterClass(ClassInfo<TRadioPanel>(
      "TRadioPanel", "TCustomPanel",
      {
          BoolProp<TRadioPanel>("Visible", &TRadioPanel::Visible, &TRadioPanel::SetVisible, false),
          StringsProp<TRadioPanel>("Lines", &TRadioPanel::Lines),
          IntProp<TRadioPanel>("MemoHeight", &TRadioPanel::MemoHeight, &TRadioPanel::SetMemoHeight, 58),
          BoolProp<TRadioPanel>("RadioEnabled", &TRadioPanel::RadioEnabled, &TRadioPanel::SetRadioEnabled, false),
          SetProp<TRadioPanel, TAnchorKind>("FinalAnchors", kAnchorNames, &TRadioPanel::FinalAnchors,
                                            &TRadioPanel::SetFinalAnchors, TAnchors{akLeft, akTop}),
          EventProp<TRadioPanel>("OnRadioChange", &TRadioPanel::OnRadioChange, &TRadioPanel::SetOnRadioChange),
          EventProp<TRadioPanel>("OnActivate", &TRadioPanel::OnActivate, &TRadioPanel::SetOnActivate),
          EventProp<TRadioPanel>("OnDeactivate", &TRadioPanel::OnDeactivate, &TRadioPanel::SetOnDeactivate),
      }));
  RegisterClass(ClassInfo<TBoardImage>(
      "TBoardImage", "TCustomPanel",
      {
          PictureProp<TBoardImage>("Picture", &TBoardImage::Picture),
          BoolProp<TBoardImage>("Stretch", &TBoardImage::Stretch, &TBoardImage::SetStretch, false),
          BoolProp<TBoardImage>("Center", &TBoardImage::Center, &TBoardImage::SetCenter, false),
          BoolProp<TBoardImage>("Transparent", &TBoardImage::Transparent, &TBoardImage::SetTransparent, false),
          BoolProp<TBoardImage>("AutoSize", &TBoardImage::AutoSize, &TBoardImage::SetAutoSize, true),
          BoolProp<TBoardImage>("Scale", &TBoardImage::Scale, &TBoardImage::SetScale, true),
          BoolProp<TBoardImage>("CenterOnForm", &TBoardImage::CenterOnForm, &TBoardImage::SetCenterOnForm, true),
          RefProp<TBoardImage, TBoardHighlight>("First", "TBoardHighlight", &TBoardImage::First, &TBoardImage::SetFirst),
          RefProp<TBoardImage, TMainMenu>("Menu", "TMainMenu", &TBoardImage::Menu, &TBoardImage::SetMenu),
      }));
  RegisterClass(ClassInfo<TBoardHighlight>(
      "TBoardHighlight", "TGraphicControl",
      {
          BoolProp<TBoardHighlight>("CreatePopup", &TBoardHighlight::CreatePopup, &TBoardHighlight::SetCreatePopup, true),
          EnumProp<TBoardHighlight, THighlightType>("HighlightType", kHighlightNames, &TBoardHighlight::HighlightType,
                                                    &TBoardHighlight::SetHighlightType, htSettings),
          StrProp<TBoardHighlight>("Title", &TBoardHighlight::Title, &TBoardHighlight::SetTitle, std::string()),
          RefProp<TBoardHighlight, TRadioPanel>("RadioPanel", "TRadioPanel", &TBoardHighlight::RadioPanel,
                                                &TBoardHighlight::SetRadioPanel),
      }));
  RegisterClass(ClassInfo<TSetupSupporter>(
      "TSetupSupporter", "TComponent",
      {
          StrProp<TSetupSupporter>("CompanyName", &TSetupSupporter::CompanyName, &TSetupSupporter::SetCompanyName, std::nullopt),
          StrProp<TSetupSupporter>("CardNameA", &TSetupSupporter::CardNameA, &TSetupSupporter::SetCardNameA, std::nullopt),
          StrProp<TSetupSupporter>("CardNameB", &TSetupSupporter::CardNameB, &TSetupSupporter::SetCardNameB, std::nullopt),
          BoolProp<TSetupSupporter>("UseCardNameB", &TSetupSupporter::UseCardNameB, &TSetupSupporter::SetUseCardNameB, false),
          StrProp<TSetupSupporter>("CallHow", &TSetupSupporter::CallHow, &TSetupSupporter::SetCallHow, std::nullopt),
          BoolProp<TSetupSupporter>("MultiPort", &TSetupSupporter::MultiPort, &TSetupSupporter::SetMultiPort, false),
          IntProp<TSetupSupporter>("Channels", &TSetupSupporter::Channels, &TSetupSupporter::SetChannels, 8),
          // The constructor gives True while the declared default is False, so form data that
          // want True record it and form data that leave it out keep True.
          BoolProp<TSetupSupporter>("ChangeButtons", &TSetupSupporter::ChangeButtons,
                                    &TSetupSupporter::SetChangeButtons, false),
          BoolProp<TSetupSupporter>("bSeries", &TSetupSupporter::bSeries, &TSetupSupporter::SetbSeries, true),
          EventProp<TSetupSupporter>("OnBeginCalib", &TSetupSupporter::OnBeginCalib, &TSetupSupporter::SetOnBeginCalib),
          EventProp<TSetupSupporter>("OnStopButtonClick", &TSetupSupporter::OnStopButtonClick,
                                     &TSetupSupporter::SetOnStopButtonClick),
          EventProp<TSetupSupporter>("OnStartButtonClick", &TSetupSupporter::OnStartButtonClick,
                                     &TSetupSupporter::SetOnStartButtonClick),
      }));
}

}  // namespace setupctrls
