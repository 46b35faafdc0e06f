#pragma once
// Stand-in for the main window's balloon tip until it exists: a tool tip with
// the title and the text, shown for two seconds at a corner of the control
// (0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right).
#include <QString>

class QWidget;

void ShowBalloonTipStandIn(QWidget* control, int corner, const QString& text, const QString& title);
