#pragma once
// The program's own icon (apps/orvanel/icons): drawn on a 16-, a 24- and a
// 32-pixel grid, each shown at its size and at its multiples (and at the
// trays' 22 pixels without its margin), so that it is sharp from 16 to 256
// pixels. The windows, the tray and the About box show
// it as the application's window icon; the desktop entry names it "orvanel".
#include <QIcon>

QIcon ProgramIcon();
