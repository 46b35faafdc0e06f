// The main window's life: a new macro, showing, resizing, dropped files,
// help, the tray icon of a run without the editor, and closing.
#include "core/Startup.h"

#include "core/Dialogs.h"
#include "core/FileDialog.h"
#include "core/FileSave.h"
#include "core/Form.h"
#include "core/History.h"
#include "core/IgnoreMsg.h"
#include "core/MacroFile.h"
#include "core/MessageTexts.h"
#include "core/Services.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "core/WatchList.h"
#include "core/RunState.h"
#include "look/XPMenu.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolder.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMimeData>
#include <QProcess>
#include <QStatusBar>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTextEdit>
#include <QUrl>

namespace {
const QString kNewMacro = QStringLiteral("Nouvelle macro");

// Windows whose position is kept and which take the XP look: "Form1" to
// "Form37", the internal-error window and the recorder (at the bottom right
// of the screen, in the base look) excepted.
bool positioned(int n) { return n >= 1 && n <= kLastWindow && n != 34 && n != 28; }

QList<QPair<int, QWidget*>> positionedWindows() {
    QList<QPair<int, QWidget*>> out;
    for (int n = 1; n <= kLastWindow; ++n)
        if (QWidget* w = MadeWindow(n); w && positioned(n)) out.append({n, w});
    return out;
}

void readPosition(const platform::IniFile& ini, int n, QWidget& w) {
    const QString section = QStringLiteral("Form%1").arg(n);
    const QRect at = w.geometry();
    PlaceAt(w, QRect(ini.ReadInteger(section, QStringLiteral("Left"), at.x()),
                     ini.ReadInteger(section, QStringLiteral("Top"), at.y()),
                     ini.ReadInteger(section, QStringLiteral("Width"), at.width()),
                     ini.ReadInteger(section, QStringLiteral("Height"), at.height())));
    if (MainXPMenu && MainXPMenu->Active()) MainXPMenu->StyleComponent(&w);
}

// A text cut to its first and last characters around "...".
QString shortened(const QString& text, int max, int head, int tail) {
    return text.size() <= max ? text : text.left(head) + QStringLiteral("...") + text.right(tail);
}
}  // namespace

// A new, empty macro.
void TForm1::Nouveau1Click() {
    if (RunState().ExecState != 0) Stop1Click();
    if (!SaveBeforeExit()) return;
    RowEditing().historyEnabled = false;
    Macro->Includes.clear();  // the rows it followed are gone
    ListView1->clear();
    if (ListView3) ListView3->clear();
    ResetHistory(HistoryAction::NewMacro);
    RowEditing().historyEnabled = true;

    if (RichEdit1) RichEdit1->clear();
    StatusPanel[0]->setText(kNewMacro);
    QApplication::setApplicationName(NewMacroCaption());
    setWindowTitle(GetStateCaption());
    if (SaveDialog1) SaveDialog1->FileName.clear();
    OpenMacroFile().password.clear();

    ControlAll(ListView1);
    StatusPanel[3]->setText(QStringLiteral("Ligne 0/0"));
    statusBar()->repaint();

    LoadSettings();
    ClearIgnoreMsg();
    Services().ClearImageRefs();
}

void TForm1::Quitter1Click() { close(); }

void TForm1::FormShow() { PageControl1->setCurrentWidget(TabSheet1); }

void TForm1::FormActivate() { statusBar()->repaint(); }

void TForm1::FormDeactivate() {}

void TForm1::FormResize() {
    int others = 0;
    for (int i = 1; i < 4; ++i) others += StatusPanel[i]->width();
    StatusPanel[0]->setFixedWidth(qMax(10, width() - others - 40));
    if (!ListView3) return;
    const int valueWidth = ListView3->viewport()->width() - ListView3->columnWidth(0) - 4;
    if (ListView3->columnCount() > 1) ListView3->setColumnWidth(1, qMax(10, valueWidth));
}

bool TForm1::FormCloseQuery() { return SaveBeforeExit(); }

void TForm1::FormClose() {
    RowEditing().historyEnabled = false;
    if (WasShown) WriteWindowPositions();  // a run without the editor leaves them alone
    if (auto* detail = findChild<QAction*>(QStringLiteral("Dtailcommandes1"))) {
        platform::IniFile ini(GetConfigFileName());
        ini.WriteString(QStringLiteral("Detail"), QStringLiteral("afficher"), BoolToText(detail->isChecked()));
        SaveIniFile(ini);
    }
    setAcceptDrops(false);
}

void TForm1::FormDestroy() {
    QFile::remove(platform::programFile(QStringLiteral("temp.sqc")));
    RemoveTrayIcon();
    RunState().MacroRunning = false;
    DescriptionLines.clear();
    Services().UnloadPlugins();
}

// Positions are those of each window's inside, in the settings file in use.
void TForm1::ReadWindowPositions() {
    const platform::IniFile ini(GetConfigFileName());
    for (const auto& [n, w] : positionedWindows()) readPosition(ini, n, *w);
}

void TForm1::ReadWindowPosition(QWidget& window) {
    const auto* form = qobject_cast<const TForm*>(&window);
    if (form && positioned(form->number())) readPosition(platform::IniFile(GetConfigFileName()), form->number(), window);
}

void TForm1::WriteWindowPositions() {
    platform::IniFile ini(GetConfigFileName());
    for (const auto& [n, w] : positionedWindows()) {
        if (w->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) continue;
        const QString section = QStringLiteral("Form%1").arg(n);
        const QRect at = w->geometry();
        ini.WriteInteger(section, QStringLiteral("Top"), at.y());
        ini.WriteInteger(section, QStringLiteral("Left"), at.x());
        ini.WriteInteger(section, QStringLiteral("Width"), at.width());
        ini.WriteInteger(section, QStringLiteral("Height"), at.height());
    }
    SaveIniFile(ini);
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    WasShown = true;
    FormShow();
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
    Closed = true;
    emit MainWindowClosed();
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    if (isActiveWindow()) FormActivate();
    else FormDeactivate();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && event->mimeData()->urls().first().isLocalFile()) event->acceptProposedAction();
}

// Only the first dropped file is opened.
void TForm1::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) return;
    event->acceptProposedAction();
    OpenFileMacro(urls.first().toLocalFile(), ListView1,
                  QStringLiteral("Chargement des commandes en cours, veuillez patienter SVP."), -1);
}

// The help context of the focused control, or of the nearest parent that has one.
void TForm1::HelpRequested() {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        const int context = w->property("HelpContext").toInt();
        if (context > 0) {
            OpenHelp(context);
            return;
        }
    }
}

void TForm1::AddTrayIcon() {
    if (TrayIcon || !QSystemTrayIcon::isSystemTrayAvailable()) return;
    const QString name = OpenMacroFile().aliasExe.isEmpty() ? GetLongFileName(CommandLineFile) : OpenMacroFile().aliasExe;
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull()) icon = style()->standardIcon(QStyle::SP_MediaPlay);
    TrayIcon = new QSystemTrayIcon(icon, this);
    TrayIcon->setToolTip(TrayTooltip(name));
    TrayIcon->setContextMenu(PopupMenu3);
    connect(TrayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Context) activateWindow();
    });
    TrayIcon->show();
    TrayIcon->showMessage(QStringLiteral("Orvanel"), TrayBalloonText(name), QSystemTrayIcon::Information, 5000);
}

void TForm1::RemoveTrayIcon() {
    delete TrayIcon;
    TrayIcon = nullptr;
}

QString TrayTooltip(const QString& macroName) {
    return shortened(QStringLiteral("Exécution de ") + macroName, 127, 16, 107);
}

QString TrayBalloonText(const QString& macroName) {
    return shortened(QStringLiteral("Exécution de :\n") + WrapText(macroName, 38), 255, 16, 207);
}

QString WrapText(const QString& line, int maxCol) {
    QString out;
    QString current;
    int lastBreak = -1;
    for (const QChar c : line) {
        current += c;
        if (c == u' ' || c == u'-' || c == u'\t') lastBreak = int(current.size()) - 1;
        if (current.size() > maxCol && lastBreak >= 0) {
            out += current.left(lastBreak + 1) + u'\n';
            current = current.mid(lastBreak + 1);
            lastBreak = -1;
        }
    }
    return out + current;
}

bool ShellOpen(const QString& path, const QString& fragment) { return Services().OpenDocument(path, fragment); }

QString HelpFilePath() {
    const QString own = platform::programFile(QStringLiteral("aide-") + settings().Language + QStringLiteral(".html"));
    return QFileInfo(own).isFile() ? own : platform::programFile(kHelpFileName);
}

bool OpenHelp(int context) {
    const QString path = HelpFilePath();
    if (QFileInfo(path).isFile() && ShellOpen(path, context > 0 ? QString::number(context) : QString())) return true;
    MessageDlg(QStringLiteral("Erreur: Vérifiez la présence du fichier .chm dans le dossier de Orvanel."), MsgType::Error,
               mbOK);
    return false;
}
