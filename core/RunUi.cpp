// The main window's run controls: the Execute menu, the run tool bar, the
// report tab and the saved contexts. They ask the runner (Services().Run())
// and follow its state, its report and its variables through their signals.
#include "core/Dialogs.h"
#include "core/FileDialog.h"
#include "core/MessageTexts.h"
#include "core/RunControl.h"
#include "core/RunReport.h"
#include "core/Services.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "core/Unit29.h"
#include "core/Variables.h"
#include "platform/VirtualKeys.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// Esc released in the main window (or any of its children) stops the run.
class EscFilter : public QObject {
public:
    explicit EscFilter(TForm1& form) : QObject(&form), form_(form) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyRelease) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        if (key->key() == Qt::Key_Escape && !key->isAutoRepeat() && widget && widget->window() == &form_)
            Services().Run().FormKeyUp(platform::VK_ESCAPE);
        return false;
    }

private:
    TForm1& form_;
};

QToolButton* runButton(QToolBar* bar, const char* name, const QString& hint) {
    auto* b = new QToolButton(bar);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(hint);
    b->setToolTip(hint);
    bar->addWidget(b);
    return b;
}

}  // namespace

void TForm1::buildRunUi() {
    QMenu* m = MenuExecuter;
    auto action = [m](const char* name, const QString& text, const QKeySequence& key = {}) {
        QAction* a = m->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        return a;
    };
    Execute1 = action("Execute1", QStringLiteral("Executer"), Qt::Key_F9);
    Paspas1 = action("Paspas1", QStringLiteral("Pas à pas"), Qt::Key_F8);
    Stop1 = action("Stop1", QStringLiteral("Stop"));
    Reprendrelexcution1 = action("Reprendrelexcution1", QStringLiteral("Reprendre l'exécution"));
    m->addSeparator();
    Pointdarrt1 = action("Pointdarrt1", MessageText(u"Menu1"_s, u"Exec5"_s), Qt::Key_F7);
    Sauvegardeducontextedexcution1 = action("Sauvegardeducontextedexcution1", MessageText(u"Menu1"_s, u"Exec9"_s));
    m->addSeparator();
    Enregistrerunesequence1 = action("Enregistrerunesequence1", QStringLiteral("Enregistrer une séquence"));
    connect(Execute1, &QAction::triggered, this, &TForm1::Execute1Click);
    connect(Paspas1, &QAction::triggered, this, &TForm1::Paspas1Click);
    connect(Stop1, &QAction::triggered, this, &TForm1::Stop1Click);
    connect(Reprendrelexcution1, &QAction::triggered, this, &TForm1::Reprendrelexcution1Click);
    connect(Pointdarrt1, &QAction::triggered, this, &TForm1::Pointdarrt1Click);
    connect(Sauvegardeducontextedexcution1, &QAction::triggered, this, &TForm1::Sauvegardeducontextedexcution1Click);
    connect(m, &QMenu::aboutToShow, this, &TForm1::Executer1Click);
    // Shortcuts work while the menu is closed.
    addActions({Execute1, Paspas1, Stop1, Reprendrelexcution1, Pointdarrt1});

    auto* bar = new QToolBar(QStringLiteral("Exécution"), this);
    bar->setObjectName(QStringLiteral("ToolBarRun"));
    addToolBarBreak();  // a row of its own, beside nothing it could hide
    addToolBar(bar);
    SpeedButton103 = runButton(bar, "SpeedButton103", QStringLiteral("Executer"));
    SpeedButton29 = runButton(bar, "SpeedButton29", QStringLiteral("Pause"));
    SpeedButton105 = runButton(bar, "SpeedButton105", QStringLiteral("Stop"));
    SpeedButton36 = runButton(bar, "SpeedButton36", QStringLiteral("Contextes d'exécution sauvegardés"));
    SpeedButton36->setArrowType(Qt::DownArrow);
    PopupMenu7 = new QMenu(this);
    PopupMenu7->setObjectName(QStringLiteral("PopupMenu7"));
    SpeedButton29->setEnabled(false);
    SpeedButton105->setEnabled(false);
    connect(SpeedButton103, &QToolButton::clicked, this, &TForm1::Execute1Click);
    connect(SpeedButton29, &QToolButton::clicked, this, &TForm1::SpeedButton29Click);
    connect(SpeedButton105, &QToolButton::clicked, this, &TForm1::Stop1Click);
    connect(SpeedButton36, &QToolButton::clicked, this, &TForm1::SpeedButton36Click);
    qApp->installEventFilter(new EscFilter(*this));
}

void TForm1::buildReportTab() {
    TabSheet2 = new QWidget(PageControl1);
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    auto* layout = new QVBoxLayout(TabSheet2);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* top = new QHBoxLayout;
    CheckBox3 = new QCheckBox(QStringLiteral("Activer le rapport"), TabSheet2);
    CheckBox3->setObjectName(QStringLiteral("CheckBox3"));
    Label1 = new QLabel(QStringLiteral("Rapport n°"), TabSheet2);
    Label1->setObjectName(QStringLiteral("Label1"));
    ComboBox1 = new QComboBox(TabSheet2);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    top->addWidget(CheckBox3);
    top->addStretch(1);
    top->addWidget(Label1);
    top->addWidget(ComboBox1);
    layout->addLayout(top);
    RichEdit1 = new QTextEdit(TabSheet2);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setUndoRedoEnabled(false);
    layout->addWidget(RichEdit1, 1);
    PageControl1->addTab(TabSheet2, QStringLiteral("Rapport"));
    connect(CheckBox3, &QCheckBox::clicked, this, &TForm1::CheckBox3Click);
    connect(ComboBox1, &QComboBox::activated, this, &TForm1::ComboBox1Change);
}

void TForm1::FollowRun(TRunControl& run) {
    TRunState& state = run.State();
    connect(&state, &TRunState::ExecStateChanged, this, &TForm1::showRunState);
    connect(&state, &TRunState::RowReached, this, [this](int row) { Select_unique(ListView1, row); });
    connect(&state, &TRunState::RunStarted, this, [this, &state] {
        state.SavedWindowState = int(windowState());
        showRunState(state.ExecState);
    });
    connect(&state, &TRunState::CheckFailed, this, [this] { PageControl1->setCurrentWidget(TabSheet1); });
    connect(&state, &TRunState::ErrorRaised, this, [this] { PageControl1->setCurrentWidget(TabSheet2); });
    connect(&state, &TRunState::RunEnded, this, [this, &state] {
        if (TForm29* progress = Form29.made(); progress && progress->isVisible()) progress->close();
        showRunState(state.ExecState);
    });

    TRunReport& report = run.Report();
    RichEdit1->setDocument(&report.Document());
    CheckBox3->setChecked(report.Active);
    connect(CheckBox3, &QCheckBox::toggled, &report, [&report](bool on) { report.Active = on; });
    auto numbers = [this, &report] {
        ComboBox1->clear();
        ComboBox1->addItems(report.Numbers());
        ComboBox1->setCurrentIndex(int(report.Numbers().indexOf(report.Current())));
        CheckBox3->setChecked(report.Active);
    };
    connect(&report, &TRunReport::NumbersChanged, this, numbers);
    connect(&report, &TRunReport::LineAdded, this, [this] { RichEdit1->moveCursor(QTextCursor::End); });

    connect(&run.Vars(), &TVariables::ValueSeen, this, &TForm1::RefreshWatchValue);
}

// What the run controls offer in each state: idle and step modes leave
// "Executer" to start (a step mode may turn into a run); a run takes it back
// until it pauses or stops at a breakpoint.
void TForm1::showRunState(int state) {
    setWindowTitle(GetStateCaption());
    const bool running = state == 1 || state == 3 || state == 4;
    const bool held = state == 3 || state == 4;
    Execute1->setEnabled(!running);
    SpeedButton103->setEnabled(!running || held);
    SpeedButton105->setEnabled(state != 0);
    SpeedButton29->setEnabled(running && state != 3);
    Enregistrerunesequence1->setEnabled(!running);
    Execute1->setShortcut(running ? QKeySequence() : QKeySequence(Qt::Key_F9));
    Reprendrelexcution1->setShortcut(running ? QKeySequence(Qt::Key_F9) : QKeySequence());
    ComboBox1->setEnabled(!running);
    Label1->setEnabled(!running);
}

void TForm1::Pointdarrt1Click() {
    for (int row : ListView1->selectedRows()) {
        if (ListView1->icon(row) == kBreakpointIcon)
            ListView1->setIcon(row, GetImageIndexOfText(ListView1->keyword(row)));
        else
            ListView1->setIcon(row, kBreakpointIcon);
    }
}

void TForm1::Executer1Click() {
    const int row = ListView1->selectedIndex();
    Pointdarrt1->setEnabled(row >= 0);
    Pointdarrt1->setText(MessageText(u"Menu1"_s, row >= 0 && ListView1->icon(row) == kBreakpointIcon ? u"Exec7"_s
                                                                                                    : u"Exec5"_s));
    const TRunState& state = RunState();
    if (row >= 0) Reprendrelexcution1->setEnabled(state.BreakpointWait);
    if (state.ExecState != 0) {
        Sauvegardeducontextedexcution1->setText(MessageText(u"Menu1"_s, u"Exec8"_s));
        Sauvegardeducontextedexcution1->setEnabled(StatusPanel[0]->text() != QLatin1String("Nouvelle macro"));
    } else {
        Sauvegardeducontextedexcution1->setText(MessageText(u"Menu1"_s, u"Exec9"_s));
        Sauvegardeducontextedexcution1->setEnabled(true);
    }
}

void TForm1::CheckBox3Click() { settings().Report = CheckBox3->isChecked(); }

void TForm1::ComboBox1Change() { Services().Run().Report().Show(ComboBox1->currentText()); }

// ---- Execution contexts ----

// The Execute menu's item saves a context during a run and resumes one when idle.
void TForm1::Sauvegardeducontextedexcution1Click() {
    TRunControl& run = Services().Run();
    const QString folder = ContextFolder();
    if (!QDir().mkpath(folder)) {
        MessageDlg(folder + QStringLiteral(" can't be create."), MsgType::Error, mbOK);
        return;
    }
    const QString filter = QStringLiteral("Fichier contextuel d'execution (*.ctx)|*.ctx|Tous|*.*");
    if (RunState().ExecState != 0) {  // the run waits while the dialog is open
        TFileDialog save(this, TFileDialog::Save, QStringLiteral("SaveDialog3"));
        save.Filter = filter;
        save.DefaultExt = QStringLiteral("ctx");
        save.FileName = QDir(folder).filePath(run.ProposedContextName());
        if (save.Execute()) run.SaveContext(save.FileName);
        return;
    }
    TFileDialog& dialog = *OpenDialog2;
    dialog.Filter = filter;
    dialog.FilterIndex = 1;
    dialog.FileName = folder + u'/';
    if (!dialog.Execute()) return;
    run.ResumeContext(dialog.FileName);
}

// The contexts saved for the open macro; a click on one resumes it.
void TForm1::SpeedButton36Click() {
    PopupMenu7->clear();
    for (const QString& name : Services().Run().SavedContexts()) {
        QAction* item = PopupMenu7->addAction(QString(name).replace(u'&', QStringLiteral("&&")));  // the exact file name
        connect(item, &QAction::triggered, this, [this, name] { RunSavedContext(name); });
    }
    PopupMenu7->popup(SpeedButton103->mapToGlobal(QPoint(0, SpeedButton103->height() + 2)));
}

void TForm1::RunSavedContext(const QString& fileName) {
    if (RunState().ExecState != 0) return;
    Services().Run().ResumeContext(QDir(ContextFolder()).filePath(fileName));
}
