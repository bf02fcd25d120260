#pragma once

#include <QIcon>
#include <QPixmap>

// The two pictures tiled behind the child windows (choice 0 or 1).
QPixmap backgroundPicture(int choice);
// The glyph beside the nitrox button's "itrox" caption: an "N".
QIcon nitroxGlyph();
// The toolbar's open-plan and exit buttons.
QIcon openPlanGlyph();
QIcon exitGlyph();
// The program's icon: the red diver-down flag with its white diagonal.
QIcon programIcon();
