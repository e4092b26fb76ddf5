// The main window "Setup", built from its form data.
#pragma once

#include "vcl/Forms.h"
#include "vcl/Menus.h"

class TMainForm : public vcl::TForm {
  VCL_CLASS_NAME(TMainForm)
 public:
  explicit TMainForm(vcl::TComponent* AOwner);

  // Handlers named in the form data.
  void FormCreate(vcl::TObject* Sender);
  void Exit2Click(vcl::TObject* Sender);

  // Registers the class, its properties and its handlers with the form-data reader.
  static void Register();
};

extern TMainForm* MainForm;
