#include "core/Unit29.h"

#include "core/Debug.h"
#include "core/Unit1.h"
#include "core/RunState.h"

#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTreeWidget>
#include <QVBoxLayout>

TForm29::TForm29(QWidget* parent) : TForm(29, QStringLiteral("Chargement"), parent) {
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    Label2 = new QLabel(QStringLiteral("Appuiez sur la touche Echap pour interrompre la progression."), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ProgressBar1);
    layout->addWidget(Label2);
    resize(380, 110);
}

void TForm29::ShowProgress(bool takeFocus) {
    if (isVisible()) return;
    setWindowFlag(Qt::WindowDoesNotAcceptFocus, !takeFocus);
    setAttribute(Qt::WA_ShowWithoutActivating, !takeFocus);
    show();
}

void TForm29::showEvent(QShowEvent* event) {
    TForm::showEvent(event);
    Cancelled = false;
}

// Esc stops what the progress belongs to: the running macro ends at its
// next wait, and the check list says who stopped it.
void TForm29::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape) {
        TForm::keyPressEvent(event);
        return;
    }
    Cancelled = true;
    RunState().MacroRunning = false;
    Debug::AddCheckError(0, Debug::kAvertissement,
                             QStringLiteral("Progression \"") + Label1->text() + QStringLiteral("\" stoppé par l'utilisateur."), 0);
    if (Form1.made() && Form1->ListView2 && Form1->ListView2->topLevelItemCount() > 0)
        Form1->ListView2->setCurrentItem(Form1->ListView2->topLevelItem(Form1->ListView2->topLevelItemCount() - 1));
    close();
}
