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
// The toolbar extension button's double arrow: pointing along a horizontal
// toolbar (mirrored right to left), down a vertical one.
QIcon extensionGlyph(Qt::Orientation orientation, Qt::LayoutDirection direction = Qt::LeftToRight);
// The program's icon: the red diver-down flag with its white diagonal.
QIcon programIcon();
