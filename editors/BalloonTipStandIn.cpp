#include "editors/BalloonTipStandIn.h"

#include <QToolTip>
#include <QWidget>

void ShowBalloonTipStandIn(QWidget* control, int corner, const QString& text, const QString& title) {
    const QPoint at(corner & 1 ? control->width() : 0, corner & 2 ? control->height() : 0);
    const QString tip = QStringLiteral("<b>%1</b><br>%2").arg(title.toHtmlEscaped(), text.toHtmlEscaped());
    QToolTip::showText(control->mapToGlobal(at), tip, control, QRect(), 2000);
}
