// The setup supporter's windows: help, technical support and installed cards.
#pragma once

#include "vcl/ComCtrls.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace setupctrls {

class THelpForm : public vcl::TForm {
  VCL_CLASS_NAME(THelpForm)
 public:
  using vcl::TForm::TForm;
  vcl::TRichEdit* HelpRich = nullptr;
  vcl::TLabel* HelpLabel = nullptr;
  vcl::TButton* CloseButton = nullptr;  // declared, never created
  vcl::TButton* StartButton = nullptr;
  // Hides the window and starts the guided tour on the main window's board image.
  void StartButtonClick(vcl::TObject* Sender);
};

class TTechForm : public vcl::TForm {
  VCL_CLASS_NAME(TTechForm)
 public:
  using vcl::TForm::TForm;
  vcl::TMemo* TechMemo = nullptr;
  vcl::TButton* CloseButton = nullptr;
};

class TPCIForm : public vcl::TForm {
  VCL_CLASS_NAME(TPCIForm)
 public:
  using vcl::TForm::TForm;
  vcl::TMemo* PCIMemo = nullptr;
  vcl::TButton* CloseButton = nullptr;
};

}  // namespace setupctrls
