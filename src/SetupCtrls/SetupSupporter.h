// The non-visual component that gives a card's setup program its furniture once the main
// window is up: a header label, the help window (shown by itself at the first timer tick),
// the technical-support window and, when OnGetCardString is set, the installed-cards window
// with its File-menu entry. It also carries a calibration-polling service for programs with
// per-channel calibration displays, driven by its 100 ms timer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/Forms.h"
#include "vcl/Platform.h"
#include "vcl/StdCtrls.h"

namespace setupctrls {

class THelpForm;
class TTechForm;
class TPCIForm;

using TPCIEvent = vcl::TEvent<std::string(vcl::TObject* Sender, int CardIndex)>;
using TCalibEvent = vcl::TEvent<std::string(vcl::TObject* Sender, std::uint8_t Channel, bool& ItsAllBad)>;

// One calibration display; each member refers to the variable that holds the control, so a
// poll uses whatever control the variable holds at that time.
struct TCalibDisplay {
  vcl::TComboBox** ChannelList;
  vcl::TButton** StartStopButton;
  vcl::TControl** HideControl;
};

class TSetupSupporter : public vcl::TComponent {
  VCL_CLASS_NAME(TSetupSupporter)
 public:
  explicit TSetupSupporter(vcl::TComponent* AOwner);
  ~TSetupSupporter() override;

  const std::string& CompanyName() const { return FCompanyName; }
  void SetCompanyName(const std::string& Value) { FCompanyName = Value; }
  const std::string& CardNameA() const { return FCardNameA; }
  void SetCardNameA(const std::string& Value) { FCardNameA = Value; }
  const std::string& CardNameB() const { return FCardNameB; }
  void SetCardNameB(const std::string& Value) { FCardNameB = Value; }
  bool UseCardNameB() const { return FUseCardNameB; }
  void SetUseCardNameB(bool Value) { FUseCardNameB = Value; }
  const std::string& CallHow() const { return FCallHow; }
  void SetCallHow(const std::string& Value) { FCallHow = Value; }
  bool MultiPort() const { return FMultiPort; }
  void SetMultiPort(bool Value) { FMultiPort = Value; }
  int Channels() const { return FChannels; }
  void SetChannels(int Value) { FChannels = static_cast<std::uint8_t>(Value); }
  bool ChangeButtons() const { return FChangeButtons; }
  void SetChangeButtons(bool Value) { FChangeButtons = Value; }
  bool bSeries() const { return FbSeries; }
  void SetbSeries(bool Value) { FbSeries = Value; }
  vcl::TNotifyEvent OnBeginCalib() const { return FOnBeginCalib; }
  // Stores the event and restarts a running timer's interval.
  void SetOnBeginCalib(const vcl::TNotifyEvent& Value);
  TPCIEvent OnGetCardString() const { return FOnGetCardString; }
  void SetOnGetCardString(const TPCIEvent& Value) { FOnGetCardString = Value; }
  TCalibEvent OnGetCalibString() const { return FOnGetCalibString; }
  void SetOnGetCalibString(const TCalibEvent& Value) { FOnGetCalibString = Value; }
  vcl::TNotifyEvent OnStopButtonClick() const { return FOnStopButtonClick; }
  void SetOnStopButtonClick(const vcl::TNotifyEvent& Value) { FOnStopButtonClick = Value; }
  vcl::TNotifyEvent OnStartButtonClick() const { return FOnStartButtonClick; }
  void SetOnStartButtonClick(const vcl::TNotifyEvent& Value) { FOnStartButtonClick = Value; }

  // The application's idle handler for one call: removes itself, then starts up.
  void ApplicationIdle(vcl::TObject* Sender, bool& Done);
  void StartUp();
  void WndProc(vcl::TMessage& Message);
  // Stops timer 1; starts it again (100 ms) while polling runs or the help window is
  // pending. Raises EOutOfResources "Not enough timers available" when refused.
  void UpdateTimer();
  void TimerTick();
  bool Calibrating() const { return FCalibrating; }
  void SetCalibrating(bool Value);
  void StopCalib();
  void ShowChannelText(std::uint8_t Channel, const std::string& Text);
  // Adds a calibration display served by the polling, in registration order.
  void RegisterCalibDisplay(vcl::TComboBox*& ChannelList, vcl::TButton*& StartStopButton, vcl::TControl*& HideControl);
  void DisplayPCIClick(vcl::TObject* Sender);
  // Hides the window on which the clicked button sits.
  void CloseButtonClick(vcl::TObject* Sender);

  bool HelpPending() const { return FHelpPending; }
  bool TimerRunning() const { return FWindowHandle->TimerActive(1); }
  // The card name in use and the series suffix.
  std::string CardName() const { return FUseCardNameB ? FCardNameB : FCardNameA; }
  std::string SeriesSuffix() const { return FbSeries ? " Series" : ""; }

  vcl::TLabel* HeaderLabel = nullptr;
  TPCIForm* PCIForm = nullptr;
  THelpForm* HelpForm = nullptr;
  TTechForm* TechForm = nullptr;

 private:
  // The main window that owns the supporter's windows.
  vcl::TForm* MainWindow() const;
  void BuildHelpForm(const std::string& Card);
  void BuildTechForm();
  vcl::TMemo* AddMemoAndClose(vcl::TForm* F, const std::string& MemoName, int CloseLeft, vcl::TButton*& Close);
  // Builds the installed-cards window and checks for cards; true when cards were found.
  bool BuildPCIForm(const std::string& Card);
  void Poll();

  std::string FCompanyName, FCardNameA, FCardNameB;
  bool FUseCardNameB = false;
  std::string FCallHow;
  bool FMultiPort = false;
  std::uint8_t FChannels = 8;
  bool FChangeButtons = true;
  bool FbSeries = true;
  TPCIEvent FOnGetCardString;
  TCalibEvent FOnGetCalibString;
  vcl::TNotifyEvent FOnStopButtonClick, FOnStartButtonClick;
  bool FHelpPending = false;
  bool FCalibrating = false;
  std::unique_ptr<vcl::TMessageWindow> FWindowHandle;
  vcl::TNotifyEvent FOnBeginCalib;
  std::vector<TCalibDisplay> FCalibDisplays;
};

}  // namespace setupctrls
