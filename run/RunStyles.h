// The look of the kept runs on a graph: a colour and a dash each, so that a
// run is told from another on white paper, on a washed-out projector and by
// a colour-blind pupil alike. The colours are Okabe and Ito's set for
// colour-blind readers (less its yellow, which vanishes on white), with three
// darker tones beside them; every dash pattern is different too, so that two
// runs differ in the line itself even where the colours do not.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vozaz2 {

struct RunStyle {
  std::uint32_t rgb;  // 0xRRGGBB
  // Dash and gap lengths in line widths, in turn; all 0: a solid line.
  std::array<double, 6> dashes;
  const char* words;  // the colour and the line in words, for the menu
};

inline constexpr std::array<RunStyle, 10> kRunStyles = {{
    {0x0072B2, {}, "синяя, сплошная"},
    {0xD55E00, {6, 3}, "оранжево-красная, штрихи"},
    {0x009E73, {1, 2.5}, "зелёная, точки"},
    {0xCC79A7, {6, 2.5, 1, 2.5}, "розовая, штрих и точка"},
    {0x000000, {10, 4}, "чёрная, длинные штрихи"},
    {0xE69F00, {6, 2.5, 1, 2.5, 1, 2.5}, "оранжевая, штрих и две точки"},
    {0x56B4E9, {3, 2}, "голубая, короткие штрихи"},
    {0x7F4F1F, {10, 3, 3, 3}, "коричневая, длинный и короткий штрихи"},
    {0x6A3D9A, {1, 2, 1, 2, 6, 2}, "фиолетовая, две точки и штрих"},
    {0x808080, {14, 3, 1, 3}, "серая, длинный штрих и точка"},
}};

}  // namespace vozaz2
