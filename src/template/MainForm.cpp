#include "template/MainForm.h"

#include "vcl/FormData.h"

using namespace vcl;

TMainForm* MainForm = nullptr;

void RegisterAssets_template();  // generated from the files embedded in this library

void TMainForm::Register() {
  TClassInfo info = ClassInfo<TMainForm>("TMainForm", "TForm", {}, false);
  info.Methods = {
      Method<TMainForm>("FormCreate", &TMainForm::FormCreate),
      Method<TMainForm>("Exit2Click", &TMainForm::Exit2Click),
  };
  RegisterClass(std::move(info));
}

TMainForm::TMainForm(TComponent* AOwner) : TForm(AOwner) {
  RegisterAssets_template();
  Register();
  LoadFromFormData("MainForm.form");
}

void TMainForm::FormCreate(TObject*) {}

void TMainForm::Exit2Click(TObject*) { Close(); }
