// Draws the two pictures of the main window and writes them as JPEG files:
//   make-pictures <card.jpg> <pots.jpg>
// card.jpg: the RT16-4K photograph, 600 x 313, progressive; its switches, jumpers and trim
// potentiometers lie under the highlight circles of the main window's form data.
// pots.jpg: the five trim potentiometers RP1 to RP5, 152 x 60, baseline; the calibration
// wizard's marker ellipse frames each of them.
#include <cstdio>
#include <algorithm>
#include <fstream>
#include <string>

#include "vcl/Forms.h"
#include "vcl/Graphics.h"

using namespace vcl;

namespace {

// A small deterministic generator, so the pictures come out the same on every run.
struct TNoise {
  std::uint32_t State = 20261211u;
  int Next(int Range) {
    State = State * 1664525u + 1013904223u;
    return static_cast<int>((State >> 8) % static_cast<std::uint32_t>(Range));
  }
};

void Box(TCanvas& C, TRect R, TColor Fill, TColor Edge) {
  C.Pen()->SetColor(Edge);
  C.Brush()->SetColor(Fill);
  C.Rectangle(R);
}

void Label(TCanvas& C, int X, int Y, const std::string& Text, TColor Color, int Height = -9) {
  C.Font()->SetName("DejaVu Sans");
  C.Font()->SetHeight(Height);
  C.Font()->SetColor(Color);
  C.Brush()->SetStyle(bsClear);
  C.TextOut(X, Y, Text);
  C.Brush()->SetStyle(bsSolid);
}

// A square trimmer potentiometer: blue body, brass screw with a slot.
void Trimmer(TCanvas& C, TRect R, bool SlotAcross) {
  Box(C, R, RGB(40, 80, 190), RGB(20, 40, 110));
  const int cx = (R.Left + R.Right) / 2, cy = (R.Top + R.Bottom) / 2;
  const int r = std::min(R.Width(), R.Height()) * 3 / 8;
  C.Pen()->SetColor(RGB(120, 100, 40));
  C.Brush()->SetColor(RGB(215, 190, 110));
  C.Ellipse(cx - r, cy - r, cx + r + 1, cy + r + 1);
  C.Pen()->SetColor(RGB(90, 70, 20));
  if (SlotAcross) {
    C.MoveTo(cx - r + 1, cy);
    C.LineTo(cx + r, cy);
  } else {
    C.MoveTo(cx, cy - r + 1);
    C.LineTo(cx, cy + r);
  }
}

void Chip(TCanvas& C, TRect R, const std::string& Name) {
  C.Pen()->SetColor(RGB(200, 200, 205));
  for (int x = R.Left + 4; x < R.Right - 3; x += 7) {
    C.MoveTo(x, R.Top - 4);
    C.LineTo(x, R.Top);
    C.MoveTo(x, R.Bottom);
    C.LineTo(x, R.Bottom + 4);
  }
  Box(C, R, RGB(25, 25, 28), RGB(10, 10, 10));
  Label(C, R.Left + 5, R.Top + (R.Height() - 11) / 2, Name, RGB(210, 210, 210));
}

void TestPoint(TCanvas& C, int X, int Y, const std::string& Name) {
  C.Pen()->SetColor(RGB(200, 200, 200));
  C.Brush()->SetColor(RGB(170, 150, 90));
  C.Ellipse(X - 3, Y - 3, X + 4, Y + 4);
  Label(C, X + 5, Y - 6, Name, clWhite, -8);
}

TBitmap DrawCard() {
  TBitmap b(600, 313);
  TCanvas& c = *b.Canvas();
  TNoise noise;
  c.Brush()->SetColor(RGB(232, 232, 228));  // the backdrop of the photograph
  c.FillRect({0, 0, 600, 313});

  // Board, with its mounting bracket on the left and the edge connector at the bottom.
  Box(c, {26, 4, 592, 284}, RGB(28, 104, 56), RGB(18, 70, 38));
  Box(c, {130, 284, 480, 306}, RGB(28, 104, 56), RGB(18, 70, 38));
  c.Brush()->SetColor(RGB(212, 175, 70));
  for (int x = 136; x < 474; x += 6) c.FillRect({x, 288, x + 4, 305});
  Box(c, {2, 0, 24, 313}, RGB(178, 180, 186), RGB(120, 122, 128));
  Box(c, {6, 70, 22, 240}, RGB(60, 60, 66), RGB(30, 30, 30));  // 37-pin connector shell
  for (int y = 78; y < 234; y += 8) {
    c.Pen()->SetColor(RGB(190, 170, 90));
    c.Brush()->SetColor(RGB(190, 170, 90));
    c.Ellipse(11, y, 16, y + 5);
  }

  // Copper traces.
  c.Pen()->SetColor(RGB(52, 140, 80));
  for (int i = 0; i < 26; ++i) {
    const int y = 20 + noise.Next(250), x1 = 40 + noise.Next(200), x2 = x1 + 60 + noise.Next(260);
    c.MoveTo(x1, y);
    c.LineTo(std::min(x2, 585), y);
    c.LineTo(std::min(x2, 585), std::min(y + 10 + noise.Next(40), 280));
  }

  // Chips: input multiplexers, instrumentation amplifier, converter, bus logic.
  Chip(c, {60, 40, 120, 72}, "MUX");
  Chip(c, {60, 96, 120, 128}, "MUX");
  Chip(c, {150, 60, 205, 86}, "PGA");
  Chip(c, {300, 110, 390, 150}, "ADC 12");
  Chip(c, {150, 150, 220, 176}, "74HC688");
  Chip(c, {420, 110, 490, 136}, "74HC245");
  Chip(c, {250, 160, 300, 184}, "OSC");
  Chip(c, {510, 110, 570, 136}, "74HC138");

  // Resistors and capacitors.
  for (int i = 0; i < 12; ++i) {
    const int x = 60 + i * 18, y = 200 + (i % 2) * 26;
    Box(c, {x, y, x + 14, y + 6}, RGB(210, 190, 150), RGB(150, 130, 100));
    c.Brush()->SetColor(i % 3 ? RGB(160, 40, 30) : RGB(40, 40, 40));
    c.FillRect({x + 4, y + 1, x + 6, y + 5});
  }
  for (int i = 0; i < 6; ++i) {
    const int x = 440 + i * 22;
    Box(c, {x, 160, x + 12, 172}, RGB(220, 160, 40), RGB(150, 100, 20));
  }

  // Calibration parts under the four red circles: trimmers RP1 and RP2 with the test
  // points, RP3, RP4 and RP5.
  Trimmer(c, {232, 12, 256, 36}, false);
  Trimmer(c, {264, 12, 288, 36}, false);
  Label(c, 236, 38, "RP1", clWhite, -8);
  Label(c, 268, 38, "RP2", clWhite, -8);
  Trimmer(c, {384, 44, 397, 62}, false);   // RP3, upright
  Trimmer(c, {392, 62, 412, 76}, true);    // RP4, lying
  Trimmer(c, {509, 16, 529, 30}, true);    // RP5
  TestPoint(c, 325, 40, "TP1");
  TestPoint(c, 325, 60, "TP2");
  TestPoint(c, 325, 80, "TP3");

  // Address switch, seven sections, under the "Base Address" circle.
  Box(c, {240, 213, 296, 235}, RGB(200, 35, 35), RGB(120, 20, 20));
  for (int i = 0; i < 7; ++i) {
    const int x = 243 + i * 7;
    Box(c, {x, 216, x + 5, 232}, RGB(60, 20, 20), RGB(60, 20, 20));
    Box(c, {x, 216 + (i % 3 == 0 ? 8 : 0), x + 5, 224 + (i % 3 == 0 ? 8 : 0)}, clWhite, RGB(200, 200, 200));
  }
  Label(c, 246, 238, "SW1  ADDRESS", clWhite, -8);

  // IRQ jumpers: six two-pin headers under the "IRQ" circle, one capped.
  for (int i = 0; i < 6; ++i) {
    const int x = 381 + i * 8;
    Box(c, {x, 214, x + 7, 233}, RGB(30, 30, 30), RGB(10, 10, 10));
    c.Brush()->SetColor(RGB(215, 190, 110));
    c.FillRect({x + 2, 217, x + 5, 220});
    c.FillRect({x + 2, 227, x + 5, 230});
    if (i == 2) Box(c, {x - 1, 215, x + 8, 232}, RGB(150, 20, 20), RGB(90, 10, 10));
  }
  Label(c, 384, 236, "J1  IRQ", clWhite, -8);
  for (int i = 0; i < 6; ++i) Label(c, 382 + i * 8, 203, std::to_string(7 - i), clWhite, -7);

  // Input-mode switch: eight sections, standing, under the "S/E or Diff" circle.
  Box(c, {534, 16, 560, 70}, RGB(30, 60, 190), RGB(15, 30, 110));
  for (int i = 0; i < 8; ++i) {
    const int y = 19 + i * 6;
    Box(c, {537, y, 557, y + 4}, RGB(15, 30, 90), RGB(15, 30, 90));
    Box(c, {537 + (i == 0 ? 12 : 0), y, 545 + (i == 0 ? 12 : 0), y + 4}, clWhite, RGB(200, 200, 200));
  }
  Label(c, 536, 72, "SW2", clWhite, -8);

  Label(c, 430, 245, "KELTO  RT16-4K", clWhite, -13);
  Label(c, 430, 262, "16 CH  12 BIT  A/D", clWhite, -9);

  // A little grain, so it looks photographed rather than drawn.
  for (int y = 0; y < b.Height(); ++y) {
    std::uint8_t* row = b.ScanLine(y);
    for (int x = 0; x < b.Width(); ++x)
      for (int k = 0; k < 3; ++k) {
        const int v = row[4 * x + k] + noise.Next(9) - 4;
        row[4 * x + k] = static_cast<std::uint8_t>(std::clamp(v, 0, 255));
      }
  }
  return b;
}

TBitmap DrawPots() {
  TBitmap b(152, 60);
  TCanvas& c = *b.Canvas();
  c.Brush()->SetColor(RGB(28, 104, 56));
  c.FillRect({0, 0, 152, 60});
  // Centres under the marker ellipse: Left 33, 60, 85, 112, 138 in the panel, 25 wide,
  // picture at Left 23.
  const int centres[] = {22, 49, 74, 101, 127};
  for (int i = 0; i < 5; ++i) {
    const int x = centres[i];
    Trimmer(c, {x - 10, 8, x + 11, 29}, i % 2 == 0);
    Label(c, x - 10, 36, "RP" + std::to_string(i + 1), clWhite, -10);
  }
  return b;
}

void Write(const std::string& Path, const std::vector<unsigned char>& Data) {
  std::ofstream out(Path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(Data.data()), static_cast<std::streamsize>(Data.size()));
  if (!out) throw EInvalidGraphic("Cannot write " + Path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make-pictures <card.jpg> <pots.jpg>\n");
    return 2;
  }
  Application->Initialize();  // text is drawn through the toolkit
  Write(argv[1], EncodeJPEG(DrawCard(), 88, true));
  Write(argv[2], EncodeJPEG(DrawPots(), 92, false));
  Application->Shutdown();
  return 0;
}
