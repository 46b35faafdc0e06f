#include "core/BuildInfo.h"

#include "BuildDate.h"

QString ProgramVersionText() { return QStringLiteral(ORVANEL_VERSION); }

QString ProgramBuildDate() { return QStringLiteral(ORVANEL_BUILD_DATE); }
