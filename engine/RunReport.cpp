// The runner's run-time errors and the execution report of the main window.
#include "core/Dialogs.h"
#include "core/RunState.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "core/Rtf.h"
#include "engine/Runner.h"
#include "engine/SysVars.h"
#include "engine/mdlfnct.h"
#include "platform/AtomicFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextEdit>
#include <QTime>
#include <QVBoxLayout>

namespace {

constexpr int kReportLimit = 80000;

QTextCharFormat fontOf(const TMyFont& font) {
    QTextCharFormat f;
    f.setFont(MyFontToQFont(font));
    f.setForeground(ColorToQColor(MyFontColor(font)));
    return f;
}

QTextCharFormat headerFormat() {
    QTextCharFormat f = fontOf(settings().FontParam);
    f.setForeground(QColor(0x80, 0x80, 0x80));
    f.setFontPointSize(8);
    return f;
}

using Parts = std::initializer_list<std::pair<QString, QTextCharFormat>>;

// Adds one line at the end of the report.
void addLine(QTextEdit* edit, Parts parts) {
    QTextDocument* doc = edit->document();
    QTextCursor c(doc);
    c.movePosition(QTextCursor::End);
    if (doc->characterCount() > 1 || doc->blockCount() > 1) c.insertBlock();
    for (const auto& [text, format] : parts) c.insertText(text, format);
}

bool reportFileWanted() { return settings().Report; }

QString entry(TForm1& form, int i) { return form.ComboBox1->itemText(i); }

}  // namespace

// Writes the report as rich text; a file that cannot be written is said so,
// and the run counts as failed (an unattended one ends with status 1).
void TRunner::saveReport(const QString& path) {
    QString reason;
    if (platform::WriteFileAtomically(path, rtf::fromDocument(*form_.RichEdit1->document()), &reason)) return;
    RunEndedInError = true;
    const QString text = QStringLiteral("Impossible d'écrire le rapport ") + path + QStringLiteral(" : ") + reason;
    if (AutoRun) ReportUnattended(text);
    else MessageDlg(text, MsgType::Error, mbOK);
}

void TRunner::buildReportTab() {
    TForm1* form = &form_;
    form->TabSheet2 = new QWidget(form->PageControl1);
    form->TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    auto* layout = new QVBoxLayout(form->TabSheet2);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* top = new QHBoxLayout;
    form->CheckBox3 = new QCheckBox(QStringLiteral("Activer le rapport"), form->TabSheet2);
    form->CheckBox3->setObjectName(QStringLiteral("CheckBox3"));
    form->Label1 = new QLabel(QStringLiteral("Rapport n°"), form->TabSheet2);
    form->Label1->setObjectName(QStringLiteral("Label1"));
    form->ComboBox1 = new QComboBox(form->TabSheet2);
    form->ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    top->addWidget(form->CheckBox3);
    top->addStretch(1);
    top->addWidget(form->Label1);
    top->addWidget(form->ComboBox1);
    layout->addLayout(top);
    form->RichEdit1 = new QTextEdit(form->TabSheet2);
    form->RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    form->RichEdit1->setReadOnly(true);
    form->RichEdit1->setUndoRedoEnabled(false);
    layout->addWidget(form->RichEdit1, 1);
    form->PageControl1->addTab(form->TabSheet2, QStringLiteral("Rapport"));
    connect(form->CheckBox3, &QCheckBox::clicked, this, &TRunner::CheckBox3Click);
    connect(form->ComboBox1, &QComboBox::activated, this, &TRunner::ComboBox1Change);
}

void TRunner::StartReport() {
    TForm1* form = &form_;
    RunStartTime = QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));
    ExecutedCount = 0;
    form->CheckBox3->setChecked(settings().Report || form->CheckBox3->isChecked());
    form->RichEdit1->clear();
    for (int i = 0; i < form->ComboBox1->count(); ++i) QFile::remove(NumberedReportPath(entry(*form, i)));
    form->ComboBox1->clear();
    form->ComboBox1->addItem(QStringLiteral("000001"));
    form->ComboBox1->setCurrentIndex(0);
    form->RichEdit1->clear();
    if (form->CheckBox3->isChecked())
        addLine(form->RichEdit1, {{QStringLiteral("Fichier ") + NumberedReportPath(QStringLiteral("000001")), headerFormat()}});
    form->ComboBox1->setEnabled(false);
    form->Label1->setEnabled(false);
}

// The numbered file of the selected number is written too, so that the file
// the report's first line names always exists.
void TRunner::EndReport() {
    TForm1* form = &form_;
    if (!reportFileWanted()) return;
    saveReport(NumberedReportPath(form->ComboBox1->currentText()));
    if (form->ComboBox1->count() >= 2) {
        form->RichEdit1->clear();
        addLine(form->RichEdit1,
                {{QStringLiteral("Retrouvez l'ensemble des fichiers rapports dans les fichiers suivants :"), headerFormat()}});
        for (int i = 0; i < form->ComboBox1->count(); ++i)
            addLine(form->RichEdit1, {{NumberedReportPath(entry(*form, i)), headerFormat()}});
    }
    saveReport(ReportBasePath());
}

void TRunner::AddReportLine(const QString& text, const QColor& colour) {
    QTextCharFormat format;
    format.setForeground(colour);
    addLine(form_.RichEdit1, {{text, format}});
    form_.RichEdit1->moveCursor(QTextCursor::End);
}

void TRunner::RaiseExecError(const QString& message, int code) {
    int reaction = code;
    if (code == 0) {
        const QString adaptator = mdlfnct::GetVarValue(QStringLiteral("[ERROR.ADAPTATOR]"));
        reaction = mdlfnct::IsInteger(adaptator) ? mdlfnct::StrToIntOrZero(adaptator) : 1;
    }
    AddReportLine(message, QColor(0xFF, 0, 0));
    form_.WriteVariable(QStringLiteral("VAR"), QStringLiteral("[ERROR]"), message);
    if (form_.PageControl1->currentWidget() != form_.TabSheet2) form_.PageControl1->setCurrentWidget(form_.TabSheet2);

    TListView* list = nullptr;
    int row = 0;
    form_.GetExecPosition(list, row);
    const QString position = list != form_.ListView1 ? QStringLiteral("%1.%2").arg(CurrentOrderIndex + 1).arg(row + 1)
                                               : QString::number(row + 1);
    auto stop = [this] {
        RunEndedInError = true;
        Stop1Click();
    };
    switch (reaction) {
    case 1: {
        const QString text = QStringLiteral("%1 Arrêt de la macro%2. [Position %3]")
                                 .arg(message, code == 1 ? QStringLiteral(" inévitable") : QString(), position);
        if (AutoRun) ReportUnattended(text);
        else MessageDlg(text, MsgType::Error, mbOK);
        stop();
        break;
    }
    case 2:
        // Unattended, the row is not tried again (it would fail for ever): the run goes on.
        if (MessageDlg(QStringLiteral("%1 Confirmez la tentative de reprise. [Position %2]").arg(message, position),
                       MsgType::Error, mbYes | mbNo, QString(), mrNo) == mrYes) {
            // The row runs again on its own copy of the row number; the
            // failed handler then stops where it is.
            TActiveOrder ownFlags(list->count(), true);
            TActiveOrder& flags = list == form_.ListView1 && ActiveOrder.size() == list->count() ? ActiveOrder : ownFlags;
            int again = row;
            Execute_commande(list, again, flags);
            if (InsideCommandHandler()) throw CommandRetried{};
        }
        break;
    case 3:
        if (MessageDlg(QStringLiteral("%1 Confirmez la poursuite de l'exécution. [Position %2]").arg(message, position),
                       MsgType::Error, mbYes | mbNo, QString(), mrYes) == mrNo)
            stop();
        break;
    default: break;
    }
}

void TRunner::AddToRapport(const QString& command, const QString& params) {
    if (command == QLatin1String("Procedure") && mdlfnct::ProcedureRowRole(params) != mdlfnct::ProcedureRole::Call) return;
    if (form_.RichEdit1->document()->characterCount() - 1 > kReportLimit) {
        if (reportFileWanted()) saveReport(NumberedReportPath(form_.ComboBox1->currentText()));
        const QString next = QString::number(form_.ComboBox1->count() + 1).rightJustified(6, u'0');
        form_.ComboBox1->addItem(next);
        form_.ComboBox1->setCurrentIndex(form_.ComboBox1->count() - 1);
        form_.RichEdit1->clear();
        addLine(form_.RichEdit1, {{QStringLiteral("Fichier ") + NumberedReportPath(next), headerFormat()}});
    }
    QString values;
    if (command != QLatin1String("Parcours souris")) {
        TListView* list = nullptr;
        int row = 0;
        form_.GetExecPosition(list, row);
        QVector<ParamValue> pairs;
        ExpandParamValues(list, row, pairs);
        for (const ParamValue& p : pairs) values += u' ' + p.name + u'=' + p.value;
    }
    addLine(form_.RichEdit1, {{command + u' ', fontOf(settings().FontCommande)},
                              {params + u' ', fontOf(settings().FontParam)},
                              {values, fontOf(settings().FontVariable)}});
    if (command == QLatin1String("Goto")) addLine(form_.RichEdit1, {});
}

void TRunner::ExpandParamValues(TListView* list, int row, QVector<ParamValue>& pairs) {
    pairs.clear();
    if (!list || !list->hasRow(row)) return;
    const QString keyword = list->keyword(row);
    const QString params = list->params(row);
    auto add = [&](const QString& name, const QString& kind) {
        QString value;
        form_.ReadVariable(QStringLiteral("VAR"), name, kind == QLatin1String("Numerique") ? QStringLiteral("0") : QString(),
                     value);
        if (name == QLatin1String("[PASSWORD]")) value = QStringLiteral("********");
        else if (kind == QLatin1String("Alpha")) value = u'\'' + value + u'\'';
        pairs.append({name, value, kind});
    };
    // Expressions name their variables anywhere in their text.
    if (keyword == QStringLiteral("Calcul évolué") || keyword == QLatin1String("ScriptEval")) {
        for (int r = 0; r < list->count(); ++r) {
            if (list->keyword(r) != QLatin1String("Variable")) continue;
            const TParamFields f = mdlfnct::SplitParams(list->params(r));
            if (!f[1].isEmpty() && params.contains(f[1])) add(f[1], mdlfnct::GetVarType(f[1]));
        }
        return;
    }
    const TParamFields f = TForm1::GetParam(params);
    for (int i = 1; i < f.Count && i <= 20; ++i) {
        const QString kind = mdlfnct::GetVarType(f[i]);
        if (kind == QLatin1String("No_Type")) continue;
        // A declaration of a writable system variable does not read it before it runs.
        const int sys = SystemVariableIndex(f[i]);
        if (i == 1 && keyword == QLatin1String("Variable") && sys >= 0 && TListOfSysVar[sys].Writable &&
            f[1] != QLatin1String("[PASSWORD]"))
            pairs.append({f[1], kind == QLatin1String("Numerique") ? QStringLiteral("0") : QStringLiteral("''"), kind});
        else
            add(f[i], kind);
    }
}

double TRunner::StrToNumber(const QString& text) {
    QString t = text;
    if (!mdlfnct::IsFloat(t) && !mdlfnct::IsInteger(t)) t.replace(u',', u'.');  // "." is the decimal separator
    if (mdlfnct::IsInteger(t)) return mdlfnct::StrToIntOrZero(t);
    if (mdlfnct::IsFloat(t)) return t.trimmed().toDouble();
    RaiseExecError(text + QStringLiteral(" n'est pas une valeur numérique valide."), 0);
    return 0;
}

void TRunner::CheckBox3Click() {
    settings().Report = form_.CheckBox3->isChecked();
}

void TRunner::ComboBox1Change() {
    form_.RichEdit1->clear();
    for (const QString& path : {NumberedReportPath(form_.ComboBox1->currentText()), ReportBasePath()}) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            QTextCursor c(form_.RichEdit1->document());
            rtf::insert(c, file.readAll());
            return;
        }
    }
    form_.RichEdit1->setPlainText(QStringLiteral("Report file is not found !"));
}
