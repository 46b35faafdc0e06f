#include "tests/support/TestServices.h"

#include <QCoreApplication>
#include <QShowEvent>
#include <QWidget>

void TestServices::reset() { *this = TestServices(); }

int TestServices::AskMessage(const MessageRequest& r) { return onMessage ? onMessage(r) : DefaultAnswer(r); }

bool TestServices::ChooseFile(TFileDialog& dialog) { return onChooseFile && onChooseFile(dialog); }

bool TestServices::ChooseColor(QColor& color) { return onChooseColor && onChooseColor(color); }

bool TestServices::ChooseFont(QFont& font) { return onChooseFont && onChooseFont(font); }

bool TestServices::AskText(const QString& caption, const QString& prompt, QString& text, bool password) {
    return onAskText && onAskText(caption, prompt, text, password);
}

// With an answer, the window's show handler runs and the answer acts on it,
// the window staying as the answer leaves it; without one it is only shown.
void TestServices::ShowModal(QWidget& window) {
    if (!onModal) return window.show();
    QShowEvent opened;
    QCoreApplication::sendEvent(&window, &opened);
    onModal(window);
}

bool TestServices::OpenDocument(const QString& path, const QString& fragment) {
    return onOpenDocument && onOpenDocument(path, fragment);
}

bool TestServices::OpenUrl(const QUrl& url) {
    openedUrls << url;
    return true;
}

bool TestServices::ChoosePrinter(QPrinter& printer) { return onChoosePrinter && onChoosePrinter(printer); }

void TestServices::PreviewPrint(QPrinter& printer, const std::function<void(QPrinter&)>& paint) {
    ++previews;
    if (ChoosePrinter(printer)) paint(printer);
}

void TestServices::Terminate(int status) { terminations << status; }

TestServices& testServices() {
    static TestServices services;
    return services;
}

bool TestServices::IsSysVar(const QString& name) {
    return sysVars ? sysVars->IsSysVar(name) : AppServices::IsSysVar(name);
}

bool TestServices::SysVarWritable(const QString& name) {
    return sysVars ? sysVars->IsWritable(name) : AppServices::SysVarWritable(name);
}

QString TestServices::ReadSysVar(const QString& name) {
    return sysVars ? sysVars->Read(name) : AppServices::ReadSysVar(name);
}

void TestServices::WriteSysVar(const QString& name, const QString& value) {
    if (sysVars) sysVars->Write(name, value);
    else AppServices::WriteSysVar(name, value);
}

bool TestServices::PluginKnown(const QString& keyword) {
    return onPluginKnown ? onPluginKnown(keyword) : AppServices::PluginKnown(keyword);
}

int TestServices::PluginIcon(const QString& keyword) {
    return onPluginIcon ? onPluginIcon(keyword) : AppServices::PluginIcon(keyword);
}

PluginCheck TestServices::CheckPluginRow(const QString& keyword, const QString& params) {
    return onCheckPluginRow ? onCheckPluginRow(keyword, params) : AppServices::CheckPluginRow(keyword, params);
}

void TestServices::ImportOtherLangText(const QString& fileName, TListView* list) {
    if (onImportOtherLangText) onImportOtherLangText(fileName, list);
}
