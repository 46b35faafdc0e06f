#include "engine/mdlfnct.h"

#include "core/Rtf.h"

namespace mdlfnct {

QString DateTimePart(const QString& part, const QDateTime& when) {
    const QString date = when.toString(QStringLiteral("dd/MM/yyyy"));
    const QString time = when.toString(QStringLiteral("hh:mm:ss"));
    if (part == QLatin1String("Jour")) return date.mid(0, 2);
    if (part == QLatin1String("Mois")) return date.mid(3, 2);
    if (part == QStringLiteral("Année")) return date.mid(6, 4);
    if (part == QLatin1String("Heure")) return time.mid(0, 2);
    if (part == QLatin1String("Minute")) return time.mid(3, 2);
    if (part == QLatin1String("Seconde")) return time.mid(6, 2);
    return QString();
}

QString MakeRtfLine(const QString& text) {
    return QStringLiteral(
               "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New "
               "Roman;}{\\f1\\fnil MS Sans Serif;}}{\\colortbl ;\\red255\\green255\\blue255;\\red0\\green0\\blue0;}"
               "\\viewkind4\\uc1\\pard\\cf1\\highlight2\\f0\\fs24 ") +
           QString::fromLatin1(rtf::escape(text)) + QStringLiteral("\\highlight0\\par \\pard\\cf0\\f1\\fs16\\par }");
}

}  // namespace mdlfnct
