#pragma once
// The painters of the program's pictures, one per design; Assets.cpp names and caches them.

#include "assets/Assets.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

namespace kivola::art {

QImage SplashPicture();    // 400x300
QImage TilePicture();      // 30x30, seamless
QImage CanvasPicture();    // 800x600: the meadow scene with the objects of the main buttons
QImage CanvasBackground(); // 800x600: the same meadow without the main buttons' objects

// Where a main button lies on the canvas; an empty rect for an unknown button.
QRect MainButtonRect(const QString& button);
// A main button's picture: state normal|hover|pressed|disabled, or the pinyin switch's
// "hover_shown" / "hover_hidden". A null image for an unknown combination.
QImage MainButtonPicture(const QString& button, const QString& state);

QImage PanelPicture(bool lessonPanel);                  // 112x600
QImage BallPicture(const QString& state);               // 60x60
QImage LessonPicture(int lesson, const QString& state); // 90x40

QImage AboutBackground();                        // 270x310
QImage AboutShape();                             // 270x310, black inside, pure white outside
QImage AboutButtonPicture(const QString& state); // 105x144
QImage ExitBackground();                         // 400x300
QImage ExitButtonPicture(bool yes, bool hover);  // 60x60

QImage IconPicture(int size);
QImage CursorPicture(CursorId id); // 32x32
QPoint CursorHotSpot(CursorId id);

} // namespace kivola::art
