#include "tools/Export.h"

#include "core/Dialogs.h"
#include "core/FileDialog.h"
#include "core/MacroList.h"
#include "core/Params.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "core/Unit29.h"
#include "engine/GestionCommande.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolder.h"
#include "tools/ResourcesMaker.h"
#include "tools/Unit33.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

constexpr int kVirtualFiles = 20;
constexpr int kMaxParams = 255;

QString virtualName(int n) { return u"[VIRTUALFILEDIR"_s + QString::number(n) + u']'; }

// The file's place below the exported macro's folder, parts joined by "/".
QString relativePlace(const QString& path) {
    const QFileInfo file(QFileInfo(path).canonicalFilePath());
    const QString folder = ExportPathHelper(path);
    return folder.isEmpty() ? file.fileName() : folder + u'/' + file.fileName();
}

// "\"-separated, as the container names entries.
QString entryName(const QString& relative) { return u'\\' + QString(relative).replace(u'/', u'\\'); }

// A "+" of a path stays a "+" of the text in a "Calcul évolué" expression when tripled.
QString bindingRow(int field, const QString& path) {
    return virtualName(field) + u"=[SYSDIR.CURRENTMACRO]+/"_s + relativePlace(path).replace(u"+"_s, u"+++"_s);
}

QString withExtension(const QString& path, const QString& extension) {
    const QFileInfo info(path);
    const QString name = info.fileName();
    const QString stem = info.suffix().isEmpty() ? name : name.left(name.size() - info.suffix().size() - 1);
    return info.path() + u'/' + stem + extension;
}

bool refuseLongRow(const QString& keyword, const QString& params) {
    if (params.size() <= kMaxParams) return false;
    ShowMessage(u"Export impossible : la commande \""_s + keyword + u"\" dépasserait 255 caractères ("_s + params +
                u")."_s);
    return true;
}

void notFound(const QString& path) { ShowMessage(u"Fichier "_s + path + u" introuvable."_s); }

// One file packed under its entry name.
struct Packed {
    QString source;
    QString entry;
};

// The copy of the settings in use, trimmed for the exported program, with
// the plug-ins the macro uses; they join the packed files.
bool prepareSettings(const QString& scratch, QVector<Packed>& packed) {
    const QString config = scratch + u"/config.ini"_s;
    const QString active = Form1->GetConfigFileName();
    if (QFileInfo::exists(active) && !QFile::copy(active, config)) {
        notFound(active);
        return false;
    }
    QFile::setPermissions(config, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    platform::IniFile ini(config);
    for (const char* section : {"DynOrder", "Recents", "Outils"}) ini.EraseSection(QLatin1String(section));
    ini.WriteString(u"MAJ"_s, u"Run"_s, u"False"_s);
    ini.WriteString(u"Control"_s, u"Rapport"_s, u"False"_s);
    // Each library once, however many of the macro's commands it serves.
    QVector<Packed> plugins;
    QSet<QString> libraries;
    const TListView& rows = *Form1->ListView1;
    for (const TDynamiqueOrder& order : std::as_const(DynamiqueOrders)) {
        if (!order.Module || order.LibraryPath.isEmpty()) continue;
        bool used = false;
        for (int i = 0; i < rows.count() && !used; ++i) used = rows.keyword(i) == order.Name;
        const QString library = QFileInfo(order.LibraryPath).canonicalFilePath();
        if (!used || library.isEmpty() || libraries.contains(library)) continue;
        libraries << library;
        const QString name = QFileInfo(library).fileName();
        ini.WriteString(u"DynOrder"_s, QString::number(plugins.size()), name);
        plugins.append({library, u'\\' + name});
    }
    // They run in their host program, packed beside the program.
    if (!plugins.isEmpty()) {
        const QString host = PluginHostProgram();
        if (host.isEmpty()) {
            notFound(platform::programFile(QLatin1String(kPluginHostName)));
            return false;
        }
        plugins.append({host, u'\\' + QLatin1String(kPluginHostName)});
    }
    if (!ini.UpdateFile()) {
        ShowMessage(u"Fichier "_s + config + u" : "_s + ini.ErrorString());
        return false;
    }
    packed.append({config, u"\\config.ini"_s});
    packed += plugins;
    return true;
}

// Removes the working files however the export ends.
struct WorkingFiles {
    QString prepared, container;
    ~WorkingFiles() {
        if (TForm29* progress = Form29.made()) progress->hide();
        QFile::remove(prepared);
        QFile::remove(container);
    }
};

}  // namespace

QString ExportPathHelper(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    const QString folder = canonical.isEmpty() ? QDir::cleanPath(info.absolutePath()) : QFileInfo(canonical).path();
    return folder.mid(1);
}

bool RewriteExportPaths(const QString& preparedMacro) {
    const QString sep(ParamSeparator());
    const QVector<MacroCommand> rows = Form1->ListView1->items().rows();
    const int variableIcon = TForm1::GetImageIndexOfText(u"Variable"_s);
    const int bindingIcon = TForm1::GetImageIndexOfText(u"Calcul évolué"_s);
    QVector<MacroCommand> out;
    out.append({u"Variable"_s, u"[SYSDIR.CURRENTMACRO]"_s + sep + sep + u"Alpha"_s + sep, variableIcon});
    for (int n = 1; n <= kVirtualFiles; ++n)
        out.append({u"Variable"_s, virtualName(n) + sep + sep + u"Alpha"_s + sep, variableIcon});
    for (const MacroCommand& row : rows) {
        if (row.keyword == u"Label" || row.keyword == u"Goto" || row.keyword == u"Type") {
            out.append(row);
            continue;
        }
        // Only whole fields are replaced: a path inside another text stays as it is.
        const TParamFields fields = TForm1::GetParam(row.params);
        QStringList parts = row.params.split(ParamSeparator());
        for (int j = 1; j < fields.Count && j <= parts.size(); ++j) {
            if (!Form33->IsExportFileSelected(fields[j])) continue;
            parts[j - 1] = virtualName(j);
            const QString binding = bindingRow(j, fields[j]);
            if (refuseLongRow(u"Calcul évolué"_s, binding)) return false;
            out.append({u"Calcul évolué"_s, binding, bindingIcon});
        }
        MacroCommand rewritten = row;
        rewritten.params = parts.join(ParamSeparator());
        if (refuseLongRow(row.keyword, rewritten.params)) return false;
        out.append(rewritten);
    }
    TListView copy;
    copy.append(out);
    const QString macroFile = Form1->SaveDialog1->FileName;
    Form1->SaveDialog1->FileName = preparedMacro;
    Form1->SaveMacro(&copy);
    Form1->SaveDialog1->FileName = macroFile;
    return QFileInfo::exists(preparedMacro);
}

void Exporterversexecutable1Click() {
    if (!Form1.made()) return;
    const QString macro = Form1->StatusPanel[0]->text();
    if (!QFileInfo(macro).isFile()) {
        notFound(macro);
        return;
    }
    if (!Form33->CollectExportFiles(nullptr)) return;
    WorkingFiles work{withExtension(macro, u".AssignFileDirToVar"_s), withExtension(macro, u".~exe"_s)};
    QFile::remove(work.prepared);
    QFile::remove(work.container);
    QVector<Packed> packed;
    bool anyChecked = false;
    for (int i = 0; i < Form33->ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = Form33->ListView1->topLevelItem(i);
        if (item->checkState(0) != Qt::Checked) continue;
        anyChecked = true;
        const QString path = item->text(0);
        const QString source = QFileInfo(path).canonicalFilePath();
        if (source.isEmpty()) return notFound(path);
        const bool fromMacro = item->data(0, Qt::UserRole).toInt() == 0;
        packed.append({source, fromMacro ? entryName(relativePlace(path)) : u'\\' + QFileInfo(path).fileName()});
    }
    if (anyChecked ? !RewriteExportPaths(work.prepared) : !QFile::copy(macro, work.prepared)) {
        if (!anyChecked) notFound(macro);
        return;
    }
    const QString program = QCoreApplication::applicationFilePath();
    packed.append({program, u"\\orvanel.exe"_s});
    packed.append({work.prepared, u'\\' + QFileInfo(macro).fileName()});
    const QString language = settings().Language;
    if (language != u"Français") {
        const QString file = platform::programFile(language + u".lng"_s);
        if (!QFileInfo(file).isFile()) return notFound(file);
        packed.append({file, u'\\' + language + u".lng"_s});
    }
    QTemporaryDir scratch;
    if (!scratch.isValid()) return ShowMessage(u"Dossier temporaire impossible : "_s + scratch.errorString());
    if (!prepareSettings(scratch.path(), packed)) return;

    try {
        TResourcesMaker maker(work.container, QString());
        maker.CompressionLevel = 0;
        {
            maker.ProgressBar = Form29->ProgressBar1;
            Form29->Label1->setText(u"Exportation de la macro vers exécutable, patientez SVP..."_s);
            Form29->ShowProgress(true);
            Form29->repaint();
            QApplication::processEvents();
        }
        for (const Packed& p : std::as_const(packed)) {
            if (!QFileInfo(p.source).isFile()) return notFound(p.source);
            maker.AddResource(p.source, p.entry, true);
        }
        if (!maker.MakeExe(platform::programFile(u"DivOV.exe"_s)))
            return ShowMessage(u"L'exécutable n'a pas pu être créé : "_s + maker.LastError());
        Form29->hide();
        MessageDlg(u"La macro a été exportée dans le programme "_s + withExtension(macro, u".exe"_s) + u'.',
                   MsgType::Information, mbOK);
    } catch (const EResourcesMaker& e) {
        ShowMessage(u"Export impossible : "_s + e.Message);
    }
}
