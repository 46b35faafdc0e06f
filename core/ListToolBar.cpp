// The tool bar tied to the command list.
#include "core/Unit1.h"
#include "platform/ProgramFolder.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QToolBar>
#include <QToolButton>

namespace {

// Watches the list's focus: entering it may enable "Coller", leaving it
// disables the list's buttons. The main window still sends focus events while
// its QWidget part is destroyed; it is no TForm1 any more then.
class ListFocus : public QObject {
public:
    explicit ListFocus(TForm1& form) : QObject(&form) {}
    bool eventFilter(QObject*, QEvent* e) override {
        auto* form = qobject_cast<TForm1*>(parent());
        if (form && (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut)) form->UpdateListButtons();
        return false;
    }
};

}  // namespace

void TForm1::buildListToolBar() {
    auto* bar = new QToolBar(QStringLiteral("Commandes"), this);
    bar->setObjectName(QStringLiteral("ToolBarList"));
    addToolBar(bar);
    auto button = [&](QToolButton*& b, const char* name, const QString& hint) {
        b = new QToolButton(bar);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(hint);
        b->setToolTip(hint);
        b->setFocusPolicy(Qt::NoFocus);  // a click leaves the focus in the list
        bar->addWidget(b);
    };
    button(SpeedButton106, "SpeedButton106", QStringLiteral("Couper"));
    button(SpeedButton107, "SpeedButton107", QStringLiteral("Copier"));
    button(SpeedButton108, "SpeedButton108", QStringLiteral("Coller"));
    button(SpeedButton109, "SpeedButton109", QStringLiteral("Supprimer"));
    button(SpeedButton110, "SpeedButton110", QStringLiteral("Évaluer une variable"));
    button(SpeedButton111, "SpeedButton111", QStringLiteral("Mette un point d'arrêt"));
    bar->addSeparator();
    button(SpeedButton25, "SpeedButton25", QStringLiteral("Défaire"));
    button(SpeedButton23, "SpeedButton23", QStringLiteral("Refaire"));
    connect(SpeedButton106, &QToolButton::clicked, this, &TForm1::Couper2Click);
    connect(SpeedButton107, &QToolButton::clicked, this, &TForm1::Copier2Click);
    connect(SpeedButton108, &QToolButton::clicked, this, &TForm1::Coller2Click);
    connect(SpeedButton109, &QToolButton::clicked, this, &TForm1::Supprimer2Click);
    connect(SpeedButton110, &QToolButton::clicked, this, &TForm1::valuer1Click);
    connect(SpeedButton111, &QToolButton::clicked, this, &TForm1::Pointdarrt1Click);
    connect(SpeedButton25, &QToolButton::clicked, this, &TForm1::SpeedButton25Click);
    connect(SpeedButton23, &QToolButton::clicked, this, &TForm1::SpeedButton23Click);
    ListView1->installEventFilter(new ListFocus(*this));
    UpdateListButtons();
}

void TForm1::UpdateListButtons() {
    const bool inList = ListView1->hasFocus();
    const QList<int> rows = ListView1->selectedRows();
    const bool selected = inList && !rows.isEmpty();
    for (QToolButton* b : {SpeedButton106, SpeedButton107, SpeedButton109, SpeedButton111}) b->setEnabled(selected);
    SpeedButton110->setEnabled(
        selected && std::any_of(rows.begin(), rows.end(), [this](int r) { return ListView1->keyword(r) == u"Variable"; }));
    SpeedButton108->setEnabled(inList && QFileInfo::exists(platform::programFile(QStringLiteral("clipboard.tmp"))));
}
