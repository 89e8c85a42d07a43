// The one font family of the program's windows and message boxes, built into
// the program, so that they look the same on every machine.
#pragma once

#include <QFont>
#include <QString>

namespace vozaz2 {

// "Nimbus Sans Narrow", registered from the program's own resource on first
// use (a QGuiApplication must exist).
QString ProgramFontFamily();

// The family at a size in pixels.
QFont ProgramFont(int pixels);

// `font` at `percent` % of its size, in the unit its size was given in
// (pixels or points): the texts of a zoomed window.
QFont Enlarged(QFont font, int percent);

}  // namespace vozaz2
