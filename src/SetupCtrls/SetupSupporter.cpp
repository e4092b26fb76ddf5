#include "SetupCtrls/SetupSupporter.h"

using namespace vcl;

namespace setupctrls {

void TSetupSupporter::ApplicationIdle(TObject* Sender, bool&) {
  if (auto* app = dynamic_cast<TApplication*>(Sender)) app->SetOnIdle({});
  StartUp();
}

}  // namespace setupctrls
