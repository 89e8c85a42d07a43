// Every window of the program on the screen: its frame (title bar and
// borders) inside the screen's free area at every zoom, and a window that
// opens beside another where there is room, rather than over it.
//
// The arithmetic is plain functions of sizes, so that it can be checked
// without a screen; the rest applies it to Qt's windows. The help window, the
// main window and the graphs window all use it, so it lives with the help
// window, the lowest of the three.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>

class QWidget;

namespace vozaz2 {

// The client size a window may have: `wanted`, but no larger than `room` (the
// screen's free area) leaves once `frame` is around it.
QSize FitClient(QSize wanted, QMargins frame, QSize room);

// Where the top-left corner of the frame `frame` goes so that the frame lies
// inside `room`, moved as little as it can be; a frame larger than the room
// keeps its top-left corner, title bar and all, inside.
QPoint KeepInside(QRect frame, QRect room);

// Where a frame of `size` stands beside the frame `beside`, `gap` pixels away:
// to its right, else to its left (both top-aligned), else below, else above
// (both left-aligned), on the first side where it lies inside `room` without
// covering `beside`; where no side has the room, made smaller, down to
// `least`, on the first side that has room for that; else at its size, inside
// `room`, where it covers the least of `beside`.
QRect PlaceBeside(QSize size, QSize least, QRect beside, QRect room, int gap = 8);

// The largest whole number from `lo` to `hi` for which `fits` holds, where it
// holds for every number below one for which it holds; `lo` when it holds for
// none.
int LargestFitting(int lo, int hi, const std::function<bool(int)>& fits);

// The frame around a top-level widget, as the window system has drawn it;
// before it is shown, that of another shown window of the program (they have
// the same title bar), else none.
QMargins FrameMargins(const QWidget* window);

// The room of the screen `window` is on, or will be on: the free area, less the
// panels and docks of the desktop.
QRect ScreenRoom(const QWidget* window);

// Resizes the top-level `window` to the client size `wanted`, no larger than
// its screen's free area leaves with its frame, and, once shown, moves it so
// that the frame lies on the screen.
void FitOnScreen(QWidget* window, QSize wanted);

// Calls `fit` once, when the window system first shows the top-level
// `window` in its frame: then the frame's size is known. Before that a
// window can only guess the room its frame takes.
void WhenFramed(QWidget* window, std::function<void()> fit);

}  // namespace vozaz2
