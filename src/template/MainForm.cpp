#include "template/MainForm.h"

#include "KELTO32/PortIO.h"
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

void TMainForm::FormCreate(TObject*) {
  // Port-driver check: without the driver every port reads 0xAA55. The answer to the box
  // is ignored; start-up goes on either way.
  if ((InPortB(0x61) & 0xFFFF) == kelto32::kDriverMissing)
    Application->MessageBox(
        "KELTONT.SYS not detected. Please copy KELTONT.SYS into [NT]/system32/drivers and re-run this setup program.",
        "Warning", {mbOKCancel, miNone});
}

void TMainForm::Exit2Click(TObject*) { Close(); }
