#pragma once

#include <QImage>
#include <QString>

// The demo's pictures, painted by code: a backdrop, an emblem, button tiles and icons.
namespace DemoArt {

QImage Backdrop(int width, int height);
QImage Emblem(int size);
// A rounded button tile; lit is the amber "on" state.
QImage Tile(int width, int height, bool lit);
// White line icons on a transparent ground: "bulb", "speaker", "home", "blinds",
// "projector", "power".
QImage Icon(const QString& name, int size, bool lit = false);
// A level meter strip: frames of equal height stacked top to bottom, the first unlit,
// each further frame one more segment lit.
QImage LevelStrip(int width, int frameHeight, int frames);
// The editor's weather picture (DATA/PHOTO/weather.png): a sun behind a cloud.
QImage Weather(int width, int height);

}
