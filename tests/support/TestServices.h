#pragma once
// The services the tests install: the program's own, with the person at the
// screen replaced by the answers a test gives. Without an answer nothing
// modal ever waits: a message box takes its default answer, a file or text
// question is cancelled, a modal window is only shown.
#include "apps/orvanel/AppServices.h"

#include <QStringList>
#include <QUrl>
#include <functional>

class TestServices : public AppServices {
public:
    std::function<int(const MessageRequest&)> onMessage;
    std::function<bool(TFileDialog&)> onChooseFile;
    std::function<bool(QColor&)> onChooseColor;
    std::function<bool(QFont&)> onChooseFont;
    std::function<bool(const QString& caption, const QString& prompt, QString& text, bool password)> onAskText;
    std::function<void(QWidget&)> onModal;
    // The desktop's handler; without one nothing opens (false).
    std::function<bool(const QString& path, const QString& fragment)> onOpenDocument;
    QVector<QUrl> openedUrls;
    // The print dialog's answer; without one nothing prints. The preview's
    // pages are drawn on a printer set up the same way.
    std::function<bool(QPrinter&)> onChoosePrinter;
    int previews = 0;
    QVector<int> terminations;
    // A system-variable table in place of the engine's.
    struct SysVars {
        virtual ~SysVars() = default;
        virtual bool IsSysVar(const QString& name) const = 0;
        virtual bool IsWritable(const QString& name) const = 0;
        virtual QString Read(const QString& name) = 0;
        virtual void Write(const QString& name, const QString& value) = 0;
    };
    SysVars* sysVars = nullptr;
    // Loaded plug-in commands and what their libraries say of a row (without
    // them: the plug-ins really loaded).
    std::function<bool(const QString& keyword)> onPluginKnown;
    std::function<int(const QString& keyword)> onPluginIcon;
    std::function<PluginCheck(const QString& keyword, const QString& params)> onCheckPluginRow;
    std::function<void(const QString& fileName, TListView* list)> onImportOtherLangText;
    // Back to no answers.
    void reset();

    int AskMessage(const MessageRequest& request) override;
    bool ChooseFile(TFileDialog& dialog) override;
    bool ChooseColor(QColor& color) override;
    bool ChooseFont(QFont& font) override;
    bool AskText(const QString& caption, const QString& prompt, QString& text, bool password) override;
    void ShowModal(QWidget& window) override;
    bool OpenDocument(const QString& path, const QString& fragment) override;
    bool OpenUrl(const QUrl& url) override;
    bool ChoosePrinter(QPrinter& printer) override;
    void PreviewPrint(QPrinter& printer, const std::function<void(QPrinter&)>& paint) override;
    void Terminate(int status) override;
    bool IsSysVar(const QString& name) override;
    bool SysVarWritable(const QString& name) override;
    QString ReadSysVar(const QString& name) override;
    void WriteSysVar(const QString& name, const QString& value) override;
    bool PluginKnown(const QString& keyword) override;
    int PluginIcon(const QString& keyword) override;
    PluginCheck CheckPluginRow(const QString& keyword, const QString& params) override;
    void ImportOtherLangText(const QString& fileName, TListView* list) override;
};

// The tests' services, installed for the whole test program.
TestServices& testServices();
