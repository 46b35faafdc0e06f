#include "tools/OtherLang.h"

#include "core/CplBrd.h"
#include "core/Debug.h"
#include "core/FileDialog.h"
#include "core/FileSave.h"
#include "core/Helpers.h"
#include "core/Params.h"
#include "core/Unit1.h"
#include "platform/Cp1252.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolder.h"
#include "tools/Unit37.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace {

const QString kCrLf = u"\r\n"_s;

// A text between two quotes loses them, and doubled quotes inside become single.
QString unquote(const QString& text, const QString& quote) {
    if (quote.isEmpty() || text.size() < 2 || !text.startsWith(quote) || !text.endsWith(quote)) return text;
    return text.mid(1, text.size() - 2).replace(quote + quote, quote);
}

// Trimmed, but a closing bracket that is a blank stays at the end.
QString trimKeeping(const QString& text, const QString& close) {
    const QString trimmed = text.trimmed();
    const bool blankClose = close.size() == 1 && close.at(0).isSpace();
    if (blankClose && !trimmed.isEmpty() && text.endsWith(close) && !trimmed.endsWith(close)) return trimmed + close;
    return trimmed;
}

QString statementText(const TLinkageFile& link, const MacroCommand& row) {
    const TParamFields fields = TForm1::GetParam(row.params);
    QString params;
    for (int i = 1; i < fields.Count; ++i) params += fields[i] + link.SeparatorPrm;
    params.chop(1);
    QString word = row.keyword;
    for (const auto& [key, value] : link.Aliases)
        if (key == word) word = value.left(20);
    if (!word.isEmpty()) return word + link.Open + params + link.Close + link.EndCommand;
    const qsizetype equal = params.indexOf(u'=');
    if (equal >= 0) params.replace(equal, 1, link.AffectationOperator);
    return params + link.EndCommand;
}

MacroCommand row(const QString& keyword, const QString& params) {
    return {keyword.left(TMacroFileRecord::kKeywordSize), params.left(TMacroFileRecord::kParamsSize), -1};
}

bool isVariable(const QString& name) { return mdlfnct::GetVarType(name.trimmed()) != u"No_Type"; }

// The row of one statement that is no comment.
MacroCommand statementRow(const TLinkageFile& link, QString s) {
    const QString asRead = s;
    const QString sep(ParamSeparator());
    // The command word: before the opening bracket. A word of the other
    // language is replaced by its keyword unless the word holds a keyword already.
    const qsizetype open = link.Open.isEmpty() ? -1 : s.indexOf(link.Open);
    const qsizetype p = qMin<qsizetype>(open >= 0 ? open : s.size(), 20);
    QString word = s.left(p);
    bool keyed = false;
    for (const auto& [key, value] : link.Aliases) keyed = keyed || word.contains(key);
    if (!keyed)
        for (const auto& [key, value] : link.Aliases) {
            const qsizetype at = value.isEmpty() ? -1 : word.indexOf(value, 0, Qt::CaseInsensitive);
            if (at < 0) continue;
            word.replace(at, value.size(), key);
            break;
        }
    s = word + s.mid(p);

    // An assignment or an increment of a variable: a "Calcul évolué" row.
    if (const qsizetype at = s.indexOf(link.AffectationOperator, 0, Qt::CaseInsensitive);
        !link.AffectationOperator.isEmpty() && at >= 0 && isVariable(s.left(at)))
        return row(u"Calcul évolué"_s, QString(s).replace(at, link.AffectationOperator.size(), u"="_s));
    for (const QChar sign : {u'+', u'-'})
        if (const qsizetype at = s.indexOf(sign); at >= 0 && isVariable(s.left(at))) return row(u"Calcul évolué"_s, s);

    // The brackets: the last closing one ends the parameters and becomes a
    // separator, as does each separator of the other language.
    const qsizetype first = link.Open.isEmpty() ? -1 : s.indexOf(link.Open);
    qsizetype last = first < 0 || link.Close.isEmpty() ? -1 : s.lastIndexOf(link.Close);
    if (last <= first) last = -1;
    if (last >= 0) s.replace(last, link.Close.size(), sep);
    if (first >= 0 && !link.SeparatorPrm.isEmpty() && link.SeparatorPrm != sep)
        s = s.left(first + 1) + s.mid(first + 1).replace(link.SeparatorPrm, sep);
    const QString keyword = first < 0 ? QString() : s.left(first).trimmed().left(20);
    if (keyword.isEmpty()) return row(u"Unknow"_s, asRead);
    const QString inner = last < 0 ? QString() : s.mid(first + 1, last - first);  // with its final separator
    const QString quote = link.StringCar.left(1);

    if (keyword == u"Label" || keyword == u"Goto" || keyword == u"Type" || keyword == u"Calcul évolué")
        return row(keyword, unquote(QString(inner).chopped(inner.isEmpty() ? 0 : 1), quote));
    if ((keyword == u"Calcul" || keyword == u"Examine") && TForm1::GetParam(inner).Count == 2) {
        const QString field = inner.chopped(1);
        const QStringList operators = keyword == u"Calcul" ? QStringList{u"+"_s, u"-"_s, u"*"_s, u"/"_s}
                                                           : QStringList{u"="_s, u"<>"_s, u"<"_s, u">"_s};
        for (const QString& op : operators)
            if (const qsizetype at = field.indexOf(op); at >= 0)
                return row(keyword, field.left(at) + sep + op + sep + unquote(field.mid(at + op.size()), quote) + sep);
        return row(keyword, sep + sep + sep);
    }
    if (keyword == u"Calcul" || keyword == u"Examine") return row(keyword, inner);
    QString params;
    const TParamFields fields = TForm1::GetParam(inner);
    for (int i = 1; i < fields.Count; ++i) params += unquote(fields[i], quote) + sep;
    return row(keyword, params);
}

// The linkage file an imported text names, whatever the case of its name.
QString findLinkageFile(const QString& name) {
    const QDir folder(platform::programFolder());
    for (const QString& file : folder.entryList(QDir::Files | QDir::Hidden))
        if (file.compare(name, Qt::CaseInsensitive) == 0) return folder.filePath(file);
    return {};
}

}  // namespace

TLinkageFile ReadLinkageFile(const QString& path, LinkageUse use) {
    const platform::IniFile ini(path);
    const QString general = u"General"_s;
    auto read = [&](const char* key, const QString& def) { return ini.ReadString(general, QLatin1String(key), def); };
    TLinkageFile link;
    link.TypeFileName = read("TypeFileName", u"Pascal"_s);
    link.TypeFileExt = read("TypeFileExt", u"*.pas"_s);
    link.SeparatorPrm = read("SeparatorPrm", QString(ParamSeparator()));
    link.EndCommand = read("EndCommand", use == LinkageUse::Copy ? QString() : kCrLf);
    if (link.EndCommand.isEmpty() && use != LinkageUse::Copy) link.EndCommand = kCrLf;
    link.StringCar = read("StringCar", u"'"_s);
    QString brackets = read("Parametre", use == LinkageUse::Copy ? u"()"_s : u"\t "_s);
    if (use == LinkageUse::Copy && brackets.size() != 2) brackets = u"()"_s;
    if (brackets.isEmpty()) brackets = u"\t "_s;
    link.Open = brackets.left(1);
    link.Close = brackets.mid(1, 1);
    link.AffectationOperator = read("AffectationOperator", u"="_s);
    for (const QString& line : ini.ReadSectionValues(u"Alias"_s))
        link.Aliases.append({line.section(u'=', 0, 0), line.section(u'=', 1)});
    return link;
}

QString OtherLangRows(const TLinkageFile& link, const QVector<MacroCommand>& rows) {
    QString text;
    for (const MacroCommand& r : rows) {
        if (r.keyword == u"Commentaire") text += u"//"_s + r.params + kCrLf;
        else text += statementText(link, r) + kCrLf;
    }
    return text;
}

QVector<MacroCommand> OtherLangStatements(const TLinkageFile& link, const QString& line) {
    QVector<MacroCommand> rows;
    const QChar end = link.EndCommand.isEmpty() ? QChar() : link.EndCommand.at(0);
    qsizetype start = 0;
    while (start < line.size()) {
        qsizetype stop = end.isNull() ? -1 : line.indexOf(end, start);
        stop = stop < 0 ? line.size() : stop + 1;
        const QString s = trimKeeping(line.mid(start, stop - start), link.Close);
        // A comment takes the rest of the line, as it stands.
        for (const QString& mark : {u"//"_s, u"Commentaire"_s})
            if (s.startsWith(mark)) {
                const qsizetype at = line.indexOf(mark, start) + mark.size();
                rows << row(u"Commentaire"_s, line.mid(at).trimmed());
                return rows;
            }
        if (!s.isEmpty()) rows << statementRow(link, s);
        start = stop;
    }
    return rows;
}

bool LinkageNameOf(const QStringList& lines, QString& name, qsizetype& next) {
    next = 0;
    while (next < lines.size() && lines[next].trimmed().isEmpty()) ++next;
    const QString header = next < lines.size() ? lines[next++].trimmed().toLower() : QString();
    name = header.mid(11);
    return header.startsWith(u"langeditor="_s);
}

void ImportOtherLangText(const QString& fileName, TListView* list) {
    TForm1* f = Form1;
    if (!list) list = f->ListView1;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return;
    const QStringList lines = platform::cp1252Lines(file.readAll());
    QString name;
    qsizetype next = 0;
    if (!LinkageNameOf(lines, name, next)) {
        Debug::AddCheckError(0, Debug::kErreur, u"Le paramètre LangEditor doit être spécifier en tête de fichier."_s, 0);
        return;
    }
    const QString path = findLinkageFile(name);
    if (path.isEmpty()) {
        Debug::AddCheckError(0, Debug::kErreur, u"Le fichier de linkage nommé \"%1\" est introuvable."_s.arg(name), 0);
        return;
    }
    const TLinkageFile link = ReadLinkageFile(path, LinkageUse::Import);
    for (; next < lines.size(); ++next) {
        if (lines[next].trimmed().isEmpty()) continue;
        for (const MacroCommand& r : OtherLangStatements(link, lines[next]))
            f->Add_commande(list, {r.keyword, r.params});
    }
    TForm1::Select_unique(list, -1);
    f->ControlAll(list);
}

void ExporterversOtherLangage1Click() {
    TForm1* f = Form1;
    const QString linkage = ListOtherLangEditors();
    if (linkage.isEmpty()) return;
    const TLinkageFile link = ReadLinkageFile(linkage, LinkageUse::Export);
    TFileDialog* d = f->OpenDialog2;
    d->Filter = link.TypeFileName + u'|' + link.TypeFileExt + u";|Tous|*.*"_s;
    d->FilterIndex = 0;
    d->FileName.clear();
    if (!d->Execute()) return;
    const QString text = u"LangEditor="_s + QFileInfo(linkage).fileName() + kCrLf + kCrLf +
                         OtherLangRows(link, f->ListView1->items().rows());
    SaveFile(d->FileName, platform::toCp1252(text));
}

void CopyOtherLangText(const QString& linkagePath) {
    TForm1* f = Form1;
    const TLinkageFile link = ReadLinkageFile(linkagePath, LinkageUse::Copy);
    if (!f->ListView1->isVisible() && StartMode().commandLineRun) return;
    QList<int> selected = f->ListView1->selectedRows();
    std::sort(selected.begin(), selected.end());
    QVector<MacroCommand> rows;
    const QVector<MacroCommand>& all = f->ListView1->items().rows();
    if (selected.isEmpty()) rows = all;
    for (int r : selected) rows << all[r];
    CplBrd::SetClipboardText(OtherLangRows(link, rows));
}

void BuildOtherLangMenus(TForm1& form) {
    auto* exporter = new QAction(u"Exporter vers OtherLangage"_s, &form);
    exporter->setObjectName(u"ExporterversOtherLangage1"_s);
    QObject::connect(exporter, &QAction::triggered, &form, [] { ExporterversOtherLangage1Click(); });
    form.MenuFichier->addAction(exporter);
    auto* copy = new QAction(u"OtherLangEditor"_s, &form);
    copy->setObjectName(u"OtherLangEditor1"_s);
    // A cancelled picker copies nothing: the clipboard keeps its text.
    QObject::connect(copy, &QAction::triggered, &form, [] {
        if (const QString path = ListOtherLangEditors(); !path.isEmpty()) CopyOtherLangText(path);
    });
    if (auto* copyAs = form.findChild<QMenu*>(u"Copierauformat1"_s)) copyAs->addAction(copy);
}
