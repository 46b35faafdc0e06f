#include "editors/Unit28.h"

#include "core/Dialogs.h"
#include "core/FileDialog.h"
#include "core/Helpers.h"
#include "core/History.h"
#include "core/Services.h"
#include "core/Unit1.h"
#include "engine/SysVars.h"
#include "look/UBackGround.h"
#include "platform/AtomicFile.h"
#include "platform/ProgramFolder.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include <string>

using namespace platform;

bool RecorderAvailable = false;

namespace {

constexpr int kIndicatorFirst = 176, kIndicatorLast = 290;

void sayWatchRefused(bool recording) {
    MessageDlg(QStringLiteral("Capture des événements souris impossible."), MsgType::Warning, mbOK);
    MessageDlg(recording ? QStringLiteral("Capture des événement clavier impossible.")
                         : QStringLiteral("Capture des événements clavier impossible."),
               MsgType::Warning, mbOK);
}

// The buttons' pictures: a red disc, two bars, a square.
QIcon drawnIcon(int kind) {
    QPixmap p(20, 20);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(kind == 0 ? QColor(200, 0, 0) : QColor(40, 40, 40));
    if (kind == 0) g.drawEllipse(3, 3, 14, 14);
    if (kind == 1) g.drawRect(4, 3, 4, 14), g.drawRect(12, 3, 4, 14);
    if (kind == 2) g.drawRect(4, 4, 12, 12);
    return QIcon(p);
}

}  // namespace

bool UpdateEventWatch() { return recorder::TEventWatch::Instance().Update(); }

QString TForm28::RecordingFile() { return programFile(QStringLiteral("temp.sqc")); }

TForm28::TForm28(QWidget* parent) : TForm(28, QStringLiteral("Capture séquence"), parent) {
    recorder::TEventWatch::Instance().Recording = &Recorder;
    RecorderAvailable = desktop().CanWatchDesktopEvents();
    if (Form1.made() && Form1->Enregistrerunesequence1) Form1->Enregistrerunesequence1->setEnabled(RecorderAvailable);
    setFixedSize(430, 250);

    auto named = [this]<typename W>(W* w, const char* name, const QRect& place) {
        w->setObjectName(QLatin1String(name));
        w->setGeometry(place);
        return w;
    };
    Image2 = named(new QLabel(this), "Image2", {0, 0, width(), 40});
    UBackGround::DrawBanner(Image2);
    auto* title = named(new QLabel(QStringLiteral("Capture séquence"), this), "Label2", {10, 8, 250, 20});
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    const char* tips[] = {"Enregistrer", "Pause", "Stop"};
    QToolButton** buttons[] = {&SpeedButton1, &SpeedButton2, &SpeedButton3};
    for (int i = 0; i < 3; ++i) {
        *buttons[i] = named(new QToolButton(this), ("SpeedButton" + std::to_string(i + 1)).c_str(),
                            {10 + 40 * i, 48, 34, 34});
        (*buttons[i])->setIcon(drawnIcon(i));
        (*buttons[i])->setIconSize({20, 20});
        (*buttons[i])->setToolTip(QString::fromUtf8(tips[i]));
    }
    Image1 = named(new QLabel(this), "Image1", {kIndicatorFirst, 58, 14, 14});
    QPixmap dot(14, 14);
    dot.fill(Qt::transparent);
    QPainter(&dot).fillRect(2, 2, 10, 10, QColor(200, 0, 0));
    Image1->setPixmap(dot);
    Image1->hide();
    Label1 = named(new QLabel(this), "Label1", {10, 88, 410, 18});

    struct Option {
        QCheckBox** box;
        QLabel** label;
        const char* boxName;
        const char* labelName;
        const char* text;
        int top;
    } options[] = {
        {&CheckBox1, &Label3, "CheckBox1", "Label3", "Optimisation", 110},
        {&CheckBox2, &Label9, "CheckBox2", "Label9", "Prendre uniquement la destination finale.", 132},
        {&CheckBox3, &Label10, "CheckBox3", "Label10", "Désactiver l'option Background Handle (BETA)", 154},
    };
    for (const Option& o : options) {
        *o.box = named(new QCheckBox(this), o.boxName, {10, o.top, 18, 18});
        *o.label = named(new QLabel(QString::fromUtf8(o.text), this), o.labelName, {30, o.top, 390, 18});
        (*o.label)->installEventFilter(this);
    }
    CheckBox1->setChecked(true);
    Label4 = named(new QLabel(QStringLiteral("Augmenter ou diminuer (-) de"), this), "Label4", {10, 180, 195, 20});
    Edit1 = named(new QLineEdit(QStringLiteral("0"), this), "Edit1", {208, 178, 36, 22});
    Label5 = named(new QLabel(QStringLiteral("seconde(s) tous les timer(s)."), this), "Label5", {248, 180, 180, 20});
    Button1 = named(new QPushButton(QStringLiteral("Copier vers macro actuelle"), this), "Button1", {10, 212, 200, 28});
    Button2 = named(new QPushButton(QStringLiteral("Sauvegarder vers fichier"), this), "Button2", {218, 212, 200, 28});
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    SaveDialog1 = new TFileDialog(this, TFileDialog::Save, QStringLiteral("SaveDialog1"));
    SaveDialog1->Filter = QStringLiteral("Macro|*.mcr");
    SaveDialog1->DefaultExt = QStringLiteral("mcr");

    connect(SpeedButton1, &QToolButton::clicked, this, &TForm28::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm28::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm28::SpeedButton3Click);
    connect(Button1, &QPushButton::clicked, this, &TForm28::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm28::Button2Click);
    connect(Timer1, &QTimer::timeout, this, &TForm28::Timer1Timer);
    Recorder.OnTrackedWindow = [this](const QString& text) { Label1->setText(text); };
    setButtons();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {  // bottom right of the screen
        const QRect s = screen->geometry();
        move(s.width() - width() - 5, s.height() - height() - 30);
    }
}

TForm28::~TForm28() {
    Recorder.Close();
    recorder::TEventWatch& watch = recorder::TEventWatch::Instance();
    watch.Recording = nullptr;
    watch.Procedures = false;  // the program ends
    watch.Update();
}

void TForm28::setButtons() {
    const bool idle = !Recording() && !Paused;
    SpeedButton1->setEnabled(!Recording());
    SpeedButton2->setEnabled(Recording());
    SpeedButton3->setEnabled(!idle);
    Button1->setEnabled(idle);
    Button2->setEnabled(idle);
    Image1->setVisible(!idle);
}

void TForm28::SpeedButton1Click() {
    const QString file = RecordingFile();
    const bool resume = Paused;
    if (!resume && QFileInfo(file).size() > 0 &&
        MessageDlg(QStringLiteral("Voulez vous réellement ignorer l'ancienne séquence ?"), MsgType::Confirmation,
                   mbYes | mbNo, QString(), mrNo) != mrYes)
        return;
    QString error;
    if (!Recorder.Open(file, resume, !CheckBox3->isChecked(), &error)) {
        MessageDlg(QStringLiteral("Impossible d'écrire le fichier \"%1\" : %2").arg(file, error), MsgType::Error, mbOK);
        return;
    }
    Paused = false;
    if (!UpdateEventWatch()) {
        sayWatchRefused(true);
        SpeedButton3Click();
        return;
    }
    Timer1->start(200);
    if (!resume && Form1.made() && Form1->isVisible()) {
        savedMainState_ = Form1->windowState();
        Form1->showMinimized();
    }
    setButtons();
}

void TForm28::SpeedButton2Click() {
    if (!Recording()) return;
    Paused = true;
    Recorder.Close();
    UpdateEventWatch();
    Timer1->start(500);
    setButtons();
}

void TForm28::SpeedButton3Click() {
    Timer1->stop();
    Recorder.Close();
    Paused = false;
    UpdateEventWatch();
    if (Form1.made() && Form1->isMinimized()) {
        Form1->setWindowState(savedMainState_ & ~Qt::WindowMinimized);
        Form1->show();
    }
    setButtons();
}

void TForm28::Timer1Timer() {
    if (Paused) return Image1->setVisible(!Image1->isVisible());
    int left = Image1->x() + 10;
    if (left > kIndicatorLast) left = kIndicatorFirst;
    Image1->move(left, Image1->y());
}

// The recording into the open macro, optimised and adjusted as the options say; one undo step.
void TForm28::Button1Click() {
    const QString file = RecordingFile();
    if (!Form1.made() || !QFile::exists(file)) return;
    const QString extra = Edit1->text().trimmed();
    if (!mdlfnct::IsInteger(extra)) {
        MessageDlg(QStringLiteral("\"%1\" n'est pas un nombre entier de secondes.").arg(extra), MsgType::Error, mbOK);
        return;
    }
    TListView scratch;
    Form1->OpenFileMacro(file, &scratch,
                         QStringLiteral("Préparation de la séquence d'enregistrement, veuillez patienter SVP."), -1);
    QVector<MacroCommand> rows = scratch.items().rows();
    if (CheckBox1->isChecked()) recorder::Optimise(rows);
    recorder::AdjustForCopy(rows, mdlfnct::StrToIntOrZero(extra), CheckBox2->isChecked());
    const bool group = rows.size() > 1;
    const EditModeAs adding(false);
    if (group) Form1->AddHistory(0, HistoryAction::GroupBegin, QString(), QString());
    for (const MacroCommand& row : std::as_const(rows))
        Form1->add_insert(row.keyword, row.params, TForm1::GetImageIndexOfText(row.keyword));
    Form1->OneVarOnly(QStringLiteral("[HANDLE.FOREGROUNDWINDOW]"));  // its deletions belong to the step
    if (group) Form1->AddHistory(0, HistoryAction::GroupEnd, QString(), QString());
}

// The recording as it stands, into a macro file of the user's choice.
void TForm28::Button2Click() {
    QFile file(RecordingFile());
    if (!file.exists() || !SaveDialog1->Execute()) return;
    const QString target = SaveDialog1->FileName;
    QString error;
    if (!file.open(QIODevice::ReadOnly) || !WriteFileAtomically(target, file.readAll(), &error))
        MessageDlg(QStringLiteral("Impossible d'enregistrer le fichier \"%1\" : %2")
                       .arg(target, error.isEmpty() ? file.errorString() : error),
                   MsgType::Error, mbOK);
}

void TForm28::closeEvent(QCloseEvent* e) {
    if (Recording() || Paused) SpeedButton3Click();
    Timer1->stop();
    QFile::remove(RecordingFile());
    TForm::closeEvent(e);
}

bool TForm28::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseButtonRelease) {
        for (auto [label, box] : {std::pair{Label3, CheckBox1}, {Label9, CheckBox2}, {Label10, CheckBox3}})
            if (watched == label) box->toggle();
    }
    return TForm::eventFilter(watched, e);
}

void ShowRecorderWindow() {
    TForm28* recorder = Form28;  // made on first use, which says whether recording is possible
    if (!RecorderAvailable) return;
    recorder->show();
    recorder->raise();
    recorder->activateWindow();
}
