#pragma once
// What the build says of the program: its version (the project's version)
// and the day it was built.
#include <QString>

QString ProgramVersionText();
// "dd/mm/yy".
QString ProgramBuildDate();
