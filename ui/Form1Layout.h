// The layout of the main window: every control of Form1 beside what it is.
//
// Positions are Left, Top, Width, Height in twips (1/1440 inch; 15 twips make
// one pixel at 96 dpi), measured from the top-left corner of the window's
// client area, or of the frame named in the row. Every label is 255 high,
// every text box 285 and every button 300. The window's client area is
// 11 895 x 8 295 twips (793 x 553 pixels).
//
// A row names its control (the kind of control follows from the name: a
// Picture is a picture box, a Text a text box, a Label a label, a Command a
// button, a Check a check box, an Option an option button, a Frame a frame),
// the control's caption (for a text box: none, it starts with its own name,
// "Text3"), the frame that holds it, its position and its role.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "help/Twips.h"
#include "run/Boxes.h"
#include "run/Screens.h"
#include "ui/ModeButtons.h"
#include "ui/PictureBox.h"
#include "ui/TextBox.h"

namespace vozaz2 {

// Creates a control as a child of `parent`.
using MakeControl = QWidget* (*)(QWidget* parent);

struct Form1Control {
  const char* name;
  MakeControl make;  // a control of the kind that its name tells
  const char* caption;
  const char* frame;  // the frame that holds the control; nullptr: the window
  int left, top, width, height;
  const char* what;
};

namespace form1_detail {

template <class Widget>
QWidget* Make(QWidget* parent) {
  return new Widget(parent);
}

// The kind of a control by its name (at compile time: a name of no kind does
// not compile).
constexpr MakeControl KindOf(std::string_view name) {
  const std::pair<std::string_view, MakeControl> kinds[] = {
      {"Picture", &Make<PictureBox>},  {"Text", &Make<TextBox>},          {"Label", &Make<QLabel>},
      {"Command", &Make<QPushButton>}, {"Check", &Make<ModeCheckBox>},    {"Option", &Make<ModeOptionButton>},
      {"Frame", &Make<QGroupBox>}};
  for (const auto& [kind, make] : kinds)
    if (name.starts_with(kind)) return make;
  throw std::invalid_argument("no kind of control is named so");
}

}  // namespace form1_detail

#define VOZAZ2_FORM1(name) #name, form1_detail::KindOf(#name)

inline constexpr int kClientWidthTwips = 11895, kClientHeightTwips = 8295;

// In creation order: each frame comes before the options it holds, and each
// text box comes right after the label that stands beside it (Ctrl+Shift+C
// copies the readout as those pairs, in this order).
inline constexpr Form1Control kForm1Layout[] = {
    // --- Drawing surfaces ----------------------------------------------------
    {VOZAZ2_FORM1(Picture1), nullptr, nullptr, 0, 0, 3495, 3735, "drawing of the apparatus"},
    {VOZAZ2_FORM1(Picture3), nullptr, nullptr, 7920, 0, 3975, 3975, "screen: path of the load seen from above (X-Y)"},
    {VOZAZ2_FORM1(Picture2), nullptr, nullptr, 6120, 4080, 5775, 3975, "screen: oscillogram against time"},

    // --- Start and current values, under the picture ------------------------
    {VOZAZ2_FORM1(Label1), "R1", nullptr, 120, 3840, 255, 255, "label of Text1"},
    {VOZAZ2_FORM1(Text1), nullptr, nullptr, 360, 3840, 735, 285, "input: R1, radius of rotation at the start, m"},
    {VOZAZ2_FORM1(Label13), "R2", nullptr, 1200, 3840, 255, 255, "label of Text11"},
    {VOZAZ2_FORM1(Text11), nullptr, nullptr, 1440, 3840, 735, 285, "result: R2, current radius"},
    {VOZAZ2_FORM1(Label40), "м", nullptr, 2280, 3840, 255, 255, "unit of R"},
    {VOZAZ2_FORM1(Label2), "w1", nullptr, 120, 4200, 255, 255, "label of Text2"},
    {VOZAZ2_FORM1(Text2), nullptr, nullptr, 360, 4200, 735, 285, "input: w1, angular speed at the start, rad/s"},
    {VOZAZ2_FORM1(Label15), "w2", nullptr, 1200, 4200, 255, 255, "label of Text12"},
    {VOZAZ2_FORM1(Text12), nullptr, nullptr, 1440, 4200, 735, 285, "result: w2, current angular speed"},
    {VOZAZ2_FORM1(Label41), "рад/с", nullptr, 2280, 4200, 495, 255, "unit of w"},
    {VOZAZ2_FORM1(Label7), "V1", nullptr, 120, 4560, 255, 255, "label of Text3"},
    {VOZAZ2_FORM1(Text3), nullptr, nullptr, 360, 4560, 735, 285, "result: V1, speed at the start"},
    {VOZAZ2_FORM1(Label16), "V2", nullptr, 1200, 4560, 255, 255, "label of Text13"},
    {VOZAZ2_FORM1(Text13), nullptr, nullptr, 1440, 4560, 735, 285, "result: V2, current speed"},
    {VOZAZ2_FORM1(Label42), "м/с", nullptr, 2280, 4560, 375, 255, "unit of V"},
    {VOZAZ2_FORM1(Label12), "J1", nullptr, 120, 4920, 255, 255, "label of Text4"},
    {VOZAZ2_FORM1(Text4), nullptr, nullptr, 360, 4920, 735, 285, "result: J1, moment of inertia at the start"},
    {VOZAZ2_FORM1(Label10), "J2", nullptr, 1200, 4920, 255, 255, "label of Text14"},
    {VOZAZ2_FORM1(Text14), nullptr, nullptr, 1440, 4920, 735, 285, "result: J2, current moment of inertia"},
    {VOZAZ2_FORM1(Label43), "кг * м^2", nullptr, 2280, 4920, 615, 255, "unit of J"},
    {VOZAZ2_FORM1(Label6), "h1", nullptr, 120, 5280, 255, 255, "label of Text5"},
    {VOZAZ2_FORM1(Text5), nullptr, nullptr, 360, 5280, 735, 285, "result: h1, height of the sleeve above the load at the start"},
    {VOZAZ2_FORM1(Label14), "h2", nullptr, 1200, 5280, 255, 255, "label of Text15"},
    {VOZAZ2_FORM1(Text15), nullptr, nullptr, 1440, 5280, 735, 285, "result: h2, current height of the sleeve above the load"},
    {VOZAZ2_FORM1(Label44), "м", nullptr, 2280, 5280, 255, 255, "unit of h"},
    {VOZAZ2_FORM1(Label34), "L1", nullptr, 120, 5640, 255, 255, "label of Text6"},
    {VOZAZ2_FORM1(Text6), nullptr, nullptr, 360, 5640, 735, 285, "result: L1, slant string length at the start"},
    {VOZAZ2_FORM1(Label36), "L2", nullptr, 1200, 5640, 255, 255, "label of Text16"},
    {VOZAZ2_FORM1(Text16), nullptr, nullptr, 1440, 5640, 735, 285, "result: L2, current slant string length"},
    {VOZAZ2_FORM1(Label45), "м", nullptr, 2280, 5640, 255, 255, "unit of L"},

    // --- Lower left: the drive switches, the string, the buttons ------------
    {VOZAZ2_FORM1(Check3), "VL= 0", nullptr, 360, 6000, 735, 255, "the drive stands still"},
    {VOZAZ2_FORM1(Check1), "FL= 0 до 1 с ", nullptr, 1440, 6000, 1215, 255, "string released for the first second"},
    {VOZAZ2_FORM1(Label5), "CL, н/м", nullptr, 120, 6360, 615, 255, "label of Text7"},
    {VOZAZ2_FORM1(Text7), nullptr, nullptr, 840, 6360, 735, 285, "input: CL, stiffness of the string"},
    {VOZAZ2_FORM1(Label33), "Ktr, н*с/м", nullptr, 120, 6720, 735, 255, "label of Text8"},
    {VOZAZ2_FORM1(Text8), nullptr, nullptr, 840, 6720, 735, 285, "input: Ktr, fluid friction inside the string"},
    {VOZAZ2_FORM1(Label4), "VL, м/с", nullptr, 120, 7080, 615, 255, "label of Text9"},
    {VOZAZ2_FORM1(Text9), nullptr, nullptr, 840, 7080, 735, 285, "input: VL, speed of the string end or sleeve"},
    {VOZAZ2_FORM1(Label53), "L0, м", nullptr, 240, 7440, 495, 255, "label of Text10"},
    {VOZAZ2_FORM1(Text10), nullptr, nullptr, 840, 7440, 735, 285, "result: L0, free length of the string"},
    {VOZAZ2_FORM1(Label31), "L00, м", nullptr, 240, 7800, 495, 255, "label of Text41"},
    {VOZAZ2_FORM1(Text41), nullptr, nullptr, 840, 7800, 735, 285, "result: L00, free length of the second string"},
    {VOZAZ2_FORM1(Command1), "Начать", nullptr, 1680, 6360, 855, 300, "set up and start a run"},
    {VOZAZ2_FORM1(Command2), "Остановить", nullptr, 1680, 6720, 1215, 300, "stop the timer"},
    {VOZAZ2_FORM1(Command3), "Продолжить", nullptr, 1680, 7080, 1215, 300, "start the timer again"},
    {VOZAZ2_FORM1(Command7), "Сделать 1 шаг", nullptr, 1680, 7440, 1335, 300, "one step by hand"},
    {VOZAZ2_FORM1(Command5), "Очистить экраны", nullptr, 1680, 7800, 1575, 300, "clear both screens, draw the grids"},
    {VOZAZ2_FORM1(Command4), "Выход", nullptr, 2520, 5280, 735, 300, "close the main window"},
    {VOZAZ2_FORM1(Command6), "About", nullptr, 2520, 5640, 735, 300, "open the help window"},

    // --- Middle column: the mode switches ------------------------------------
    {VOZAZ2_FORM1(Frame1), "Движение", nullptr, 3600, 0, 1815, 495, "what the drive moves"},
    {VOZAZ2_FORM1(Option1), "Нити", "Frame1", 120, 200, 735, 255, "the string end is driven"},
    {VOZAZ2_FORM1(Option2), "Втулки", "Frame1", 840, 200, 855, 255, "the sleeve is driven"},
    {VOZAZ2_FORM1(Frame2), "Направление движения", nullptr, 5760, 0, 2055, 495, "direction of the drive"},
    {VOZAZ2_FORM1(Option3), "Вверх", "Frame2", 120, 200, 855, 195, "drive upwards"},
    {VOZAZ2_FORM1(Option4), "Вниз", "Frame2", 1200, 200, 735, 195, "drive downwards"},
    {VOZAZ2_FORM1(Frame3), "Вращение нити", nullptr, 3600, 480, 1455, 640, "rotation of the load"},
    {VOZAZ2_FORM1(Option5), "По конусу", "Frame3", 100, 200, 1215, 195, "on a cone"},
    {VOZAZ2_FORM1(Option6), "В плоскости", "Frame3", 100, 400, 1335, 195, "in a horizontal plane"},
    {VOZAZ2_FORM1(Check4), "Mx задать вручную", nullptr, 3600, 1560, 1815, 195, "Mx taken as typed"},
    {VOZAZ2_FORM1(Frame4), "форма груза при T=0", nullptr, 3600, 3200, 1815, 495, "shape of the load at the start"},
    {VOZAZ2_FORM1(Option7), "m=2", "Frame4", 120, 220, 615, 195, "a single 2 kg load"},
    {VOZAZ2_FORM1(Option8), "m=1+1", "Frame4", 840, 220, 855, 195, "a dumbbell of two 1 kg balls"},
    {VOZAZ2_FORM1(Check2), "m= 1+1 от 1с  до Tr с", nullptr, 3000, 4080, 2055, 255, "the load splits at 1 s"},

    // --- Middle column: scales, step and split time (inputs) -----------------
    {VOZAZ2_FORM1(Label54), "Mx, м/см", nullptr, 3600, 1800, 735, 255, "label of Text32"},
    {VOZAZ2_FORM1(Text32), nullptr, nullptr, 4560, 1800, 735, 285, "input: Mx, scale of X and Y"},
    {VOZAZ2_FORM1(Label55), "MF, н/см", nullptr, 3720, 2160, 735, 255, "label of Text33"},
    {VOZAZ2_FORM1(Text33), nullptr, nullptr, 4560, 2160, 735, 285, "input: MF, scale of forces"},
    {VOZAZ2_FORM1(Label48), "Mz, м/см", nullptr, 3600, 2520, 855, 255, "label of Text34"},
    {VOZAZ2_FORM1(Text34), nullptr, nullptr, 4560, 2520, 735, 285, "input: Mz, scale of Z and w12"},
    {VOZAZ2_FORM1(Label61), "Mt, с/см", nullptr, 3720, 2880, 735, 255, "label of Text35"},
    {VOZAZ2_FORM1(Text35), nullptr, nullptr, 4560, 2880, 735, 285, "input: Mt, time scale"},
    {VOZAZ2_FORM1(Label3), "шаг, с", nullptr, 3600, 3720, 495, 255, "label of Text30"},
    {VOZAZ2_FORM1(Text30), nullptr, nullptr, 4200, 3720, 1215, 285, "input: P0, integration step"},
    {VOZAZ2_FORM1(Label62), "Время окончания разлета Tr, с", nullptr, 2760, 4360, 2415, 255, "label of Text36"},
    {VOZAZ2_FORM1(Text36), nullptr, nullptr, 5160, 4320, 615, 285, "input: Tr, the second string locks"},

    // --- Middle column: forces, coordinates and speeds (results) -------------
    {VOZAZ2_FORM1(Label38), "FL, н", nullptr, 3360, 4680, 495, 255, "label of Text17"},
    {VOZAZ2_FORM1(Text17), nullptr, nullptr, 3840, 4680, 1935, 285, "result: FL, string force"},
    {VOZAZ2_FORM1(Label39), "Ftr, н", nullptr, 3360, 5040, 375, 255, "label of Text18"},
    {VOZAZ2_FORM1(Text18), nullptr, nullptr, 3840, 5040, 1935, 285, "result: Ftr, its friction part"},
    {VOZAZ2_FORM1(Label56), "FC, н", nullptr, 3360, 5400, 495, 255, "label of Text19"},
    {VOZAZ2_FORM1(Text19), nullptr, nullptr, 3840, 5400, 1935, 285, "result: FC"},
    {VOZAZ2_FORM1(Label57), "Z2, м", nullptr, 3360, 5760, 495, 255, "label of Text20"},
    {VOZAZ2_FORM1(Text20), nullptr, nullptr, 3840, 5760, 1935, 285, "result: Z, height of the load"},
    {VOZAZ2_FORM1(Label58), "w12, рад/с", nullptr, 2880, 6120, 855, 255, "label of Text37"},
    {VOZAZ2_FORM1(Text37), nullptr, nullptr, 3840, 6120, 1935, 285, "result: w12, spin of the dumbbell"},
    {VOZAZ2_FORM1(Label63), "X, м", nullptr, 3480, 6480, 375, 255, "label of Text38"},
    {VOZAZ2_FORM1(Text38), nullptr, nullptr, 3840, 6480, 1935, 285, "result: X"},
    {VOZAZ2_FORM1(Label64), "Y, м", nullptr, 3480, 6840, 375, 255, "label of Text39"},
    {VOZAZ2_FORM1(Text39), nullptr, nullptr, 3840, 6840, 1935, 285, "result: Y"},
    {VOZAZ2_FORM1(Label65), "VX, м/с", nullptr, 3240, 7200, 735, 255, "label of Text40"},
    {VOZAZ2_FORM1(Text40), nullptr, nullptr, 3840, 7200, 1935, 285, "result: VX"},
    {VOZAZ2_FORM1(Label66), "VY, м/с", nullptr, 3240, 7560, 735, 255, "label of Text42"},
    {VOZAZ2_FORM1(Text42), nullptr, nullptr, 3840, 7560, 1935, 285, "result: VY"},
    {VOZAZ2_FORM1(Label59), "FL2, н", nullptr, 3360, 7920, 495, 255, "label of Text43"},
    {VOZAZ2_FORM1(Text43), nullptr, nullptr, 3840, 7920, 1935, 285, "result: FL2, force of the second string"},

    // --- Energy and angular momentum, left of Picture3 (results) -------------
    {VOZAZ2_FORM1(Label27), "MKD1", nullptr, 5280, 560, 495, 255, "label of Text28"},
    {VOZAZ2_FORM1(Text28), nullptr, nullptr, 5880, 520, 1935, 285, "result: MKD1, angular momentum at the start"},
    {VOZAZ2_FORM1(Label28), "MKD2", nullptr, 5280, 900, 495, 255, "label of Text29"},
    {VOZAZ2_FORM1(Text29), nullptr, nullptr, 5880, 840, 1935, 285, "result: MKD2, angular momentum now"},
    {VOZAZ2_FORM1(Label11), "+/- EVL+ E1 - E2 - EL- Emg - Etr", nullptr, 3480, 1200, 2295, 255, "label of Text23"},
    {VOZAZ2_FORM1(Text23), nullptr, nullptr, 5880, 1200, 1935, 285, "result: the energy balance"},
    {VOZAZ2_FORM1(Label8), "E1", nullptr, 5640, 1560, 255, 255, "label of Text21"},
    {VOZAZ2_FORM1(Text21), nullptr, nullptr, 5880, 1560, 1935, 285, "result: E1, kinetic energy at the start"},
    {VOZAZ2_FORM1(Label9), "E2", nullptr, 5640, 1920, 255, 255, "label of Text22"},
    {VOZAZ2_FORM1(Text22), nullptr, nullptr, 5880, 1920, 1935, 285, "result: E2, kinetic energy now"},
    {VOZAZ2_FORM1(Label30), "EVL", nullptr, 5520, 2280, 375, 255, "label of Text24"},
    {VOZAZ2_FORM1(Text24), nullptr, nullptr, 5880, 2280, 1935, 285, "result: EVL, work of the drive"},
    {VOZAZ2_FORM1(Label32), "EL", nullptr, 5640, 2640, 255, 255, "label of Text25"},
    {VOZAZ2_FORM1(Text25), nullptr, nullptr, 5880, 2640, 1935, 285, "result: EL, change of the string's energy"},
    {VOZAZ2_FORM1(Label29), "Emg", nullptr, 5520, 3000, 375, 255, "label of Text26"},
    {VOZAZ2_FORM1(Text26), nullptr, nullptr, 5880, 3000, 1935, 285, "result: Emg, change of the potential energy"},
    {VOZAZ2_FORM1(Label35), "Etr", nullptr, 5640, 3360, 375, 255, "label of Text27"},
    {VOZAZ2_FORM1(Text27), nullptr, nullptr, 5880, 3360, 1935, 285, "result: Etr, energy lost to friction"},
    {VOZAZ2_FORM1(Label26), "T, с", nullptr, 5520, 3720, 375, 255, "label of Text31"},
    {VOZAZ2_FORM1(Text31), nullptr, nullptr, 5880, 3720, 1935, 285, "result: T, time"},

    // --- Figures beside Picture2: y = 5 ... -5, then x = 2 ... 10 ------------
    {VOZAZ2_FORM1(Label51), "5", nullptr, 5880, 4080, 240, 255, "figure"},
    {VOZAZ2_FORM1(Label22), "4", nullptr, 5880, 4440, 240, 255, "figure"},
    {VOZAZ2_FORM1(Label23), "3", nullptr, 5880, 4800, 240, 255, "figure"},
    {VOZAZ2_FORM1(Label25), "2", nullptr, 5880, 5160, 240, 255, "figure"},
    {VOZAZ2_FORM1(Label24), "1", nullptr, 5880, 5520, 240, 255, "figure"},
    {VOZAZ2_FORM1(Label37), "0", nullptr, 5880, 5880, 240, 255, "figure"},
    {VOZAZ2_FORM1(Label52), "-1", nullptr, 5880, 6360, 240, 255, "figure"},
    {VOZAZ2_FORM1(Label50), "-2", nullptr, 5880, 6720, 240, 255, "figure"},
    {VOZAZ2_FORM1(Label49), "-3", nullptr, 5880, 7080, 240, 255, "figure"},
    {VOZAZ2_FORM1(Label47), "-4", nullptr, 5880, 7440, 240, 255, "figure"},
    {VOZAZ2_FORM1(Label46), "-5", nullptr, 5880, 7800, 240, 255, "figure"},
    {VOZAZ2_FORM1(Label17), "2", nullptr, 6960, 8040, 255, 255, "figure"},
    {VOZAZ2_FORM1(Label18), "4", nullptr, 8040, 8040, 255, 255, "figure"},
    {VOZAZ2_FORM1(Label19), "6", nullptr, 9120, 8040, 255, 255, "figure"},
    {VOZAZ2_FORM1(Label20), "8", nullptr, 9960, 8040, 255, 255, "figure"},
    {VOZAZ2_FORM1(Label60), "10", nullptr, 10800, 8040, 255, 255, "figure"},
    {VOZAZ2_FORM1(Label21), "T/Mt, см", nullptr, 11160, 8040, 735, 255, "unit of the time axis"},
};

#undef VOZAZ2_FORM1

// The row of a control (at compile time: a name not in the table does not
// compile).
constexpr const Form1Control& Form1Row(std::string_view name) {
  for (const Form1Control& c : kForm1Layout)
    if (name == c.name) return c;
  throw std::invalid_argument("no such control in Form1");
}

namespace form1_detail {

// The screens' images (run/Screens.h) fill Picture2 and Picture3 inside their
// sunken borders.
constexpr bool Holds(const Form1Control& picture, int width, int height) {
  return Pixels(picture.width) - 2 * PictureBox::kBorder == width &&
         Pixels(picture.height) - 2 * PictureBox::kBorder == height;
}

constexpr int Number(std::string_view text) {
  int sign = 1, n = 0;
  if (!text.empty() && text.front() == '-') sign = -1, text.remove_prefix(1);
  for (char c : text) n = 10 * n + (c - '0');
  return sign * n;
}

// Each figure beside Picture2 stands where its value lies on the oscillogram's
// scale, less than its own size away: y figures left of the screen, x figures
// under it.
constexpr bool FiguresMatchTheScale() {
  const Form1Control& screen = Form1Row("Picture2");
  const double left = screen.left + PictureBox::kBorder * kTwipsPerPixel;
  const double top = screen.top + PictureBox::kBorder * kTwipsPerPixel;
  const double width = kScreen2Width * kTwipsPerPixel, height = kScreen2Height * kTwipsPerPixel;
  for (const Form1Control& c : kForm1Layout) {
    if (std::string_view(c.what) != "figure") continue;
    const double v = Number(c.caption);
    double off;
    if (c.left < screen.left)
      off = top + (kScreen2Top - v) / (kScreen2Top - kScreen2Bottom) * height -
            (c.top + c.height / 2.0);
    else
      off = left + (v - kScreen2Left) / (kScreen2Right - kScreen2Left) * width -
            (c.left + c.width / 2.0);
    if (off < 0) off = -off;
    if (off >= (c.left < screen.left ? c.height : c.width)) return false;
  }
  return true;
}

}  // namespace form1_detail

static_assert(form1_detail::Holds(Form1Row("Picture2"), kScreen2Width, kScreen2Height));
static_assert(form1_detail::Holds(Form1Row("Picture3"), kScreen3Width, kScreen3Height));
static_assert(form1_detail::FiguresMatchTheScale());

// The eleven input boxes in reading order (the left column, then the middle
// one): the order of the Tab key.
inline constexpr int kInputTabOrder[] = {kR1, kW1, kCL, kKtr, kVL, kMx, kMF, kMz, kMt, kP0, kTr};

}  // namespace vozaz2
