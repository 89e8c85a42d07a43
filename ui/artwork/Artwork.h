// The program's own pictures: the window icon (a small grey cone) and the
// fixed drawing of the apparatus in the main window's Picture1. Both are drawn
// here in code; nothing is read from files.
#pragma once

#include <QIcon>
#include <QImage>

namespace vozaz2 {

// The grey cone in the sizes the window manager asks for, 16 x 16 and
// 32 x 32 pixels. Needs a QGuiApplication (an icon holds pixmaps).
QIcon ConeIcon();

// One size of the cone (16 or 32; any size from 8 up works): a palette image
// of at most 16 colours with a transparent background. Needs no application
// object; the icon generator of the build uses it.
QImage ConeImage(int size);

// The apparatus, 231 x 249 pixels, black lines and labels on white: the
// guide sleeve with the movable sleeve and the string, the load on its cone
// with the forces, and the view from above with the load and the dumbbell.
// Needs a QGuiApplication (the labels are text). At a `scale` other than 1
// the same drawing on an image that much larger, for a zoomed window.
QImage ApparatusPicture(double scale = 1);

inline constexpr int kApparatusWidth = 231;
inline constexpr int kApparatusHeight = 249;

}  // namespace vozaz2
