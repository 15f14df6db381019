// Night vision. At the eyepiece the observer's eyes are adapted to the dark,
// and green or blue light spoils that in seconds while dim red light barely
// does. With night vision on, every window of the program shows dark red on
// black, and every picture is seen through a red filter: the brightness of
// each pixel goes into the red channel alone.
//
// It is application-wide and automatic:
//  - the application palette (and the tooltips') turns dark red on black, so
//    every widget that takes its colours from the palette follows;
//  - the style becomes one that paints with the palette alone (the usual one
//    shades buttons and frames with greys of its own), and the day's comes
//    back after;
//  - a picture shown in a QLabel (the satellites, the about box, the icons of
//    the notices) is filtered when the label is shown, and the fields of text
//    keep only the red of what they paint (their cursor inverts the colours
//    under it);
//  - switching re-applies at once the colours set through ImpostaColore, the
//    labels' pictures and the fields' filter, and repaints every widget.
//
// The one rule for a window, now or added later: a colour or a picture that
// it chooses itself goes through this file. A colour of its widgets' palettes
// is set with ImpostaColore; what its paintEvent paints takes ColoreScena /
// ColoreFondo / ColoreInchiostro / ImmagineScena at paint time (the canvas
// TelaQPainter does so for every drawing). A window whose size counts on the
// style's metrics sizes itself again on QEvent::StyleChange.
#pragma once

#include <QColor>
#include <QImage>
#include <QPalette>

class QWidget;

namespace mr {

bool VisioneNotturna();
// Turns night vision on or off for the whole program, the open windows at once.
void ImpostaVisioneNotturna(bool attiva);

// The red filter: the brightness (luma, 0.299 R + 0.587 G + 0.114 B) into the
// red channel, green and blue to zero; alpha is kept.
QColor FiltroRosso(QColor c);
// The picture through the filter, in its own size and display scale
// (Format_ARGB32, or Format_RGB32 for a picture without alpha).
QImage FiltroRosso(const QImage& immagine);

// The palette of night vision: dark red on black, no green or blue anywhere.
QPalette TavolozzaNotturna();

// Colours as shown now. A scene colour (a picture, a drawing, the sky) keeps
// its brightness through the filter. A background is a scene colour, except
// the face of the windows (ColoreFacciata), which turns black at night. Ink
// (text, frames) is shown on its design background: on the face, which goes
// from light to dark, the ink goes from dark to light, the filter of its
// negative dimmed to the palette's text; on a scene colour it is filtered
// like the scene.
QColor ColoreScena(QColor c);
QColor ColoreFondo(QColor c);
QColor ColoreInchiostro(QColor inchiostro, QColor fondo);
QImage ImmagineScena(const QImage& immagine);

// Sets one palette colour of a widget as the design wants it, shown through
// the rules above: background roles (Window, Base, Button, AlternateBase,
// ToolTipBase) as backgrounds, the others as ink on the nearest background
// set this way on the widget or its parents (else the face). The colour is
// remembered, so a switch of night vision shows it again. A disabled control
// keeps the style's greyed colour.
void ImpostaColore(QWidget* w, QPalette::ColorRole ruolo, QColor colore);

}  // namespace mr
