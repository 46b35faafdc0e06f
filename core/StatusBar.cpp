// The status bar of the main window: the macro file, its protection, the
// language and the line position; a double-click on the last two acts.
#include "core/Dialogs.h"
#include "core/MacroFile.h"
#include "core/RunState.h"
#include "core/Settings.h"
#include "core/Unit1.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QCoreApplication>
#include <QStatusBar>
#include <QTabWidget>

namespace {

const QString kLinePanelHint = QStringLiteral("Double-cliquez ici pour changer la commande sélectionnée.");

// A small padlock, drawn for the protection panel.
QPixmap padlock() {
    QPixmap pm(14, 14);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.6));
    p.drawArc(QRectF(3.5, 1, 7, 8), 0, 180 * 16);
    p.drawLine(QPointF(3.5, 5), QPointF(3.5, 7));
    p.drawLine(QPointF(10.5, 5), QPointF(10.5, 7));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC8, 0x9B, 0x2C));
    p.drawRoundedRect(QRectF(2, 6.5, 10, 7), 1.5, 1.5);
    return pm;
}

// Double-clicks anywhere on the status bar, its panels included.
class StatusBarClicks : public QObject {
public:
    explicit StatusBarClicks(TForm1& form) : QObject(&form), form_(form) {}
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::MouseButtonDblClick) return false;
        const auto* w = qobject_cast<QWidget*>(o);
        const QPoint at = w->mapTo(form_.statusBar(), static_cast<QMouseEvent*>(e)->position().toPoint());
        form_.StatusBar1DblClick(at.x());
        return true;
    }

private:
    TForm1& form_;
};

}  // namespace

void TForm1::buildStatusBar() {
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    auto* clicks = new StatusBarClicks(*this);
    statusBar()->installEventFilter(clicks);
    for (int i = 0; i < 4; ++i) {
        StatusPanel[i] = new QLabel(this);
        StatusPanel[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        StatusPanel[i]->installEventFilter(clicks);
        statusBar()->addWidget(StatusPanel[i], i == 0 ? 1 : 0);
    }
    StatusPanel[0]->setText(QStringLiteral("Nouvelle macro"));
    StatusPanel[3]->setText(QStringLiteral("Ligne 0/0"));
    StatusPanel[3]->setToolTip(kLinePanelHint);
    // The language badge: white on navy.
    StatusPanel[2]->setStyleSheet(QStringLiteral("QLabel { background: #000080; color: white; padding: 0 3px; }"));
    StatusPanel[2]->setAlignment(Qt::AlignCenter);
    connect(&settingsNotifier(), &TSettingsNotifier::loaded, this, &TForm1::UpdateStatusPanels);
}

void TForm1::UpdateLinePanel() {
    if (StartMode().commandLineRun) return;
    const int row = ListView1->selectedIndex();
    StatusPanel[3]->setText(QStringLiteral("Ligne %1/%2").arg(row < 0 ? 0 : row + 1).arg(ListView1->count()));
}

void TForm1::UpdateStatusPanels() {
    const bool locked = !OpenMacroFile().password.isEmpty();
    StatusPanel[1]->setPixmap(locked ? padlock() : QPixmap());
    StatusPanel[1]->setToolTip(locked ? QStringLiteral("Macro protégée par mot de passe.")
                                      : QStringLiteral("Macro non protégée."));
    const QString& language = settings().Language;
    StatusPanel[2]->setText(language == u"Français" ? QStringLiteral("FR") : language == u"English" ? QStringLiteral("EN")
                                                                                                    : QStringLiteral("??"));
    StatusPanel[2]->setToolTip(QStringLiteral("Language ") + language);
}

// Walked from the right: a panel squeezed by a long file name lies under the next one.
int TForm1::StatusPanelAt(int x) const {
    if (x > StatusPanel[3]->geometry().right()) return -1;
    for (int i = 3; i > 0; --i)
        if (x >= StatusPanel[i]->geometry().left()) return i;
    return 0;
}

void TForm1::StatusBar1DblClick(int x) {
    if (RunState().ExecState != 0) return;
    const int panel = StatusPanelAt(x);
    if (panel == 3) return GoToLine();
    if (panel != 2) return;
    QWidget* options = ShowOptionsPage("TabSheet5");
    auto* languages = options ? options->findChild<QWidget*>(QStringLiteral("ComboBox3")) : nullptr;
    if (!languages) return;
    // The page that holds the language list, should it not be that one.
    auto* pages = options->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    for (int i = 0; pages && i < pages->count(); ++i)
        if (pages->widget(i)->isAncestorOf(languages)) pages->setCurrentIndex(i);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);  // laid out where it shows
    ShowBalloonTip(languages, 2, QStringLiteral("Sélectionnez un autre langage."), QStringLiteral("Information"));
}

void TForm1::GoToLine() {
    QString entry;
    if (!Saisie(QStringLiteral("Aller à la ligne"), QStringLiteral("Numéro de ligne"), entry, false, QString())) return;
    entry = entry.trimmed();
    if (entry.isEmpty()) return;
    bool number = false;
    const int n = entry.toInt(&number);
    if (!number) return ShowMessage(QStringLiteral("Numéro de ligne invalide."));
    if (n < 1 || n > ListView1->count()) return ShowMessage(QStringLiteral("Numéro de ligne hors limite."));
    Select_unique(ListView1, n - 1);
    ListView1->setFocus();
}
