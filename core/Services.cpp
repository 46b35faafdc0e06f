#include "core/Services.h"

#include "core/FileDialog.h"
#include "core/InputBox.h"
#include "core/RunControl.h"
#include "core/RunReport.h"
#include "core/RunState.h"
#include "core/Variables.h"
#include "core/Waits.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QSortFilterProxyModel>
#include <QThread>
#include <QUrl>

#include <functional>

namespace {

// Nobody could ever answer a window on the offscreen platform, nor once the
// program is ending.
bool offscreen() { return QGuiApplication::platformName() == QLatin1String("offscreen") || EndRequested(); }

// A wait of the run ends with the run; every wait ends with the program.
// Its timer also wakes a loop that waits for events, to look.
class WaitEnd : public QObject {
public:
    WaitEnd(bool runWait, std::function<void()> end) : runWait_(runWait && RunState().MacroRunning), end_(std::move(end)) {
        startTimer(50);
    }
    bool reached() const { return EndRequested() || (runWait_ && !RunState().MacroRunning); }

protected:
    void timerEvent(QTimerEvent*) override {
        if (reached()) end_();
    }

private:
    bool runWait_;
    std::function<void()> end_;
};

struct ButtonMap {
    int ours;
    QMessageBox::StandardButton qt;
    int result;
};
constexpr ButtonMap kButtons[] = {
    {mbOK, QMessageBox::Ok, mrOk},          {mbCancel, QMessageBox::Cancel, mrCancel},
    {mbYes, QMessageBox::Yes, mrYes},       {mbNo, QMessageBox::No, mrNo},
    {mbAbort, QMessageBox::Abort, mrAbort}, {mbRetry, QMessageBox::Retry, mrRetry},
    {mbIgnore, QMessageBox::Ignore, mrIgnore},
};

// Without an engine nothing runs: the controls only keep the state idle.
class IdleRun : public TRunControl {
public:
    TRunState& State() override { return state_; }
    TVariables& Vars() override { return variables_; }
    TRunReport& Report() override { return report_; }
    void Execute(bool, int) override {}
    void Execute1Click() override {}
    void Paspas1Click() override {}
    void Stop1Click() override {
        state_.MacroRunning = false;
        state_.SetExecState(0);
    }
    void Reprendrelexcution1Click() override {}
    void SpeedButton29Click() override {}
    void FormKeyUp(int) override {}
    void WaitWithMessages(unsigned milliseconds) override {
        QElapsedTimer elapsed;
        elapsed.start();
        while (elapsed.elapsed() < qint64(milliseconds)) {
            QCoreApplication::processEvents();
            QThread::msleep(5);
        }
    }
    void FnctPause(const QString&) override {}
    void Execute_commande(TMacroDocument*, int& index, TActiveOrder&) override { ++index; }
    void RaiseExecError(const QString&, int) override {}
    void ExpandParamValues(const TMacroDocument*, int, QVector<ParamValue>& pairs) override { pairs.clear(); }
    void AddToRapport(const QString&, const QString&) override {}
    double StrToNumber(const QString& text) override { return text.toDouble(); }
    QStringList SavedContexts() override { return {}; }
    QString ProposedContextName() override { return {}; }
    void SaveContext(const QString&) override {}
    void ResumeContext(const QString&) override {}

private:
    TRunState state_;
    TVariables variables_;
    TRunReport report_;
};

// Under a filter holding kRunnableFiles, the files that may be executed and
// those of the filter's other patterns.
class RunnableFiles : public QSortFilterProxyModel {
public:
    RunnableFiles(QFileDialog& dialog, const QStringList& filters, const QStringList& patterns)
        : QSortFilterProxyModel(&dialog), dialog_(dialog), filters_(filters), patterns_(patterns) {}

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!files) return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        const QStringList patterns = patterns_.value(filters_.indexOf(dialog_.selectedNameFilter())).split(u';');
        if (info.isDir() || !patterns.contains(kRunnableFiles) || info.isExecutable()) return true;
        for (const QString& p : patterns)
            if (p != kRunnableFiles && QDir::match(p, info.fileName())) return true;
        return false;
    }

private:
    QFileDialog& dialog_;
    QStringList filters_, patterns_;
};

CoreServices*& installed() {
    static CoreServices* services = nullptr;
    return services;
}

}  // namespace

CoreServices& Services() {
    static CoreServices defaults;
    return installed() ? *installed() : defaults;
}

void InstallServices(CoreServices* services) { installed() = services; }

int CoreServices::AskMessage(const MessageRequest& request) {
    if (EndRequested()) return DefaultAnswer(request);
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (request.type) {
        case MsgType::Warning: icon = QMessageBox::Warning; break;
        case MsgType::Error: icon = QMessageBox::Critical; break;
        case MsgType::Confirmation: icon = QMessageBox::Question; break;
        case MsgType::Information: break;
    }
    // Above the window it answers, and above every window of ours that stays on top.
    QMessageBox box(icon, request.caption, request.text, QMessageBox::NoButton, QApplication::activeWindow());
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            box.setWindowFlag(Qt::WindowStaysOnTopHint);
    for (const ButtonMap& b : kButtons)
        if (request.buttons & b.ours) box.addButton(b.qt);
    const WaitEnd end(request.runWait, [&box] { box.done(QMessageBox::NoButton); });
    const auto pressed = QMessageBox::StandardButton(box.exec());
    for (const ButtonMap& b : kButtons)
        if (b.qt == pressed) return b.result;
    return request.buttons & mbCancel ? mrCancel : mrNone;
}

bool CoreServices::ChooseColor(QColor& color) {
    if (offscreen()) return false;
    const QColor chosen = QColorDialog::getColor(color, QApplication::activeWindow());
    if (!chosen.isValid()) return false;
    color = chosen;
    return true;
}

bool CoreServices::ChooseFont(QFont& font) {
    if (offscreen()) return false;
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, QApplication::activeWindow());
    if (ok) font = chosen;
    return ok;
}

bool CoreServices::ChooseFile(TFileDialog& dialog) {
    if (offscreen()) return false;
    auto* owner = qobject_cast<QWidget*>(dialog.parent());
    if (dialog.kind() == TFileDialog::Folder) {
        const QString folder = QFileDialog::getExistingDirectory(owner, dialog.Title, dialog.FileName);
        if (folder.isEmpty()) return false;
        dialog.FileName = folder;
        return true;
    }
    // "Name|*.a|Other|*.b" becomes "Name (*.a);;Other (*.b)".
    const QStringList parts = dialog.Filter.split(u'|');
    QStringList filters, patterns;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        patterns << parts[i + 1];
        const QString shown = QString(parts[i + 1]).replace(kRunnableFiles, QStringLiteral("*"));
        filters << parts[i] + QStringLiteral(" (") + shown + u')';
    }
    QFileDialog d(owner, dialog.Title, dialog.FileName, filters.join(QStringLiteral(";;")));
    const bool open = dialog.kind() == TFileDialog::Open;
    d.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    d.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!open) d.setDefaultSuffix(dialog.DefaultExt);  // the overwrite question asks about the full name
    if (dialog.FilterIndex >= 1 && dialog.FilterIndex <= filters.size())
        d.selectNameFilter(filters[dialog.FilterIndex - 1]);
    if (dialog.Filter.contains(kRunnableFiles)) {
        d.setOption(QFileDialog::DontUseNativeDialog);
        auto* runnable = new RunnableFiles(d, filters, patterns);
        d.setProxyModel(runnable);
        QObject::connect(&d, &QFileDialog::filterSelected, runnable, &QSortFilterProxyModel::invalidate);
    }
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return false;
    dialog.FileName = d.selectedFiles().first();
    dialog.FilterIndex = int(filters.indexOf(d.selectedNameFilter())) + 1;
    return true;
}

bool CoreServices::AskText(const QString& caption, const QString& prompt, QString& text, bool password) {
    return !offscreen() && RunInputBox(caption, prompt, text, password);
}

// A window shown during a run closes when the run stops.
void CoreServices::ShowModal(QWidget& window) {
    if (EndRequested()) return;
    window.setWindowModality(Qt::ApplicationModal);
    window.show();
    if (!offscreen()) {
        const WaitEnd end(true, [] {});
        while (window.isVisible() && !end.reached()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        window.hide();
    }
    window.setWindowModality(Qt::NonModal);
}

bool CoreServices::OpenDocument(const QString& path, const QString& fragment) {
    const QFileInfo info(path);
    if (!info.exists()) return false;
    if (fragment.isEmpty() && info.isFile() && info.isExecutable() &&
        QProcess::startDetached(info.absoluteFilePath(), {}, info.absolutePath()))
        return true;
    QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    if (!fragment.isEmpty()) url.setFragment(fragment);
    return OpenUrl(url);
}

bool CoreServices::OpenUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

bool CoreServices::ChoosePrinter(QPrinter& printer) {
    if (offscreen()) return false;
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

void CoreServices::PreviewPrint(QPrinter& printer, const std::function<void(QPrinter&)>& paint) {
    if (offscreen()) return;
    QPrintPreviewDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("Aperçu avant impression"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&paint](QPrinter* p) { paint(*p); });
    dialog.exec();
}

void CoreServices::Terminate(int status) { QCoreApplication::exit(status); }

TRunControl& CoreServices::Run() {
    static IdleRun idle;
    return idle;
}
