// Draws the four setting renderers in the four orientations into one picture, for a look
// by eye: render-samples <file.png>. Runs on any Qt platform (offscreen will do).
#include <cstdio>

#include "SetupCtrls/BaseAddress.h"
#include "SetupCtrls/DipSwitch.h"
#include "SetupCtrls/TwoJumper.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"

using namespace vcl;
using namespace setupctrls;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: render-samples <file.png>\n");
    return 2;
  }
  Application->Initialize();
  auto* form = new TForm(Application);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBevelOuter(bvNone);
  panel->SetColor(clWhite);
  panel->SetBounds(0, 0, 4 * 190 + 20, 560);
  const TOrientationType orientations[] = {otUp, otDown, otLeft, otRight};
  for (int col = 0; col < 4; ++col) {
    const TOrientationType o = orientations[col];
    const int x = 20 + col * 190;
    auto place = [&](TGraphicControl* c, int y, int w, int h) {
      c->SetParent(panel);
      if (IsVertical(o))
        c->SetBounds(x, y, w, h);
      else
        c->SetBounds(x, y, h, w);
    };
    auto* dip = new TDipSwitch(form);
    dip->SetValue(5);
    dip->SetOrientation(o);
    place(dip, 30, 53, 43);
    auto* piano = new TPianoSwitch(form);
    piano->SetNumSwitches(8);
    piano->SetValue(0x81);
    piano->SetOrientation(o);
    place(piano, 110, 161, 49);
    auto* ba = new TBaseAddress(form);
    ba->SetBaseAddressStr("2A0");
    ba->SetOrientation(o);
    place(ba, 300, 102, 61);
    for (int k = 0; k < 2; ++k) {
      auto* j = new TTwoJumper(form);
      j->SetClosed(k == 1);
      j->SetOrientation(o);
      place(j, 440 + k * 60, 34, 18);
    }
  }
  panel->PaintSurface();
  TCanvas& c = *panel->Surface()->Canvas();
  c.Font()->SetColor(clBlack);
  c.Brush()->SetStyle(bsClear);
  const char* names[] = {"otUp", "otDown", "otLeft", "otRight"};
  for (int col = 0; col < 4; ++col) c.TextOut(20 + col * 190, 8, names[col]);
  SaveToPngFile(*panel->Surface(), argv[1]);
  Application->Shutdown();
  return 0;
}
