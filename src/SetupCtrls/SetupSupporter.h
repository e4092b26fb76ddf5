// The non-visual component that gives a card's setup program its furniture after start-up.
// Placeholder until the setup supporter lands: it keeps its published properties and its
// one-shot idle handler; its windows do not exist yet.
#pragma once

#include <string>

#include "vcl/Classes.h"
#include "vcl/Forms.h"

namespace setupctrls {

class TSetupSupporter : public vcl::TComponent {
  VCL_CLASS_NAME(TSetupSupporter)
 public:
  explicit TSetupSupporter(vcl::TComponent* AOwner) : vcl::TComponent(AOwner) {}

  const std::string& CompanyName() const { return FCompanyName; }
  void SetCompanyName(const std::string& Value) { FCompanyName = Value; }
  const std::string& CardNameA() const { return FCardNameA; }
  void SetCardNameA(const std::string& Value) { FCardNameA = Value; }
  const std::string& CardNameB() const { return FCardNameB; }
  void SetCardNameB(const std::string& Value) { FCardNameB = Value; }
  const std::string& CallHow() const { return FCallHow; }
  void SetCallHow(const std::string& Value) { FCallHow = Value; }
  bool ChangeButtons() const { return FChangeButtons; }
  void SetChangeButtons(bool Value) { FChangeButtons = Value; }

  // The application's idle handler for one call: removes itself, then starts up.
  void ApplicationIdle(vcl::TObject* Sender, bool& Done);
  void StartUp() { ++FStartUps; }
  int StartUps() const { return FStartUps; }

  vcl::TForm* HelpForm = nullptr;
  vcl::TForm* TechForm = nullptr;

 private:
  std::string FCompanyName, FCardNameA, FCardNameB, FCallHow;
  bool FChangeButtons = true;
  int FStartUps = 0;
};

}  // namespace setupctrls
