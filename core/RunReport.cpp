#include "core/RunReport.h"

#include "core/Rtf.h"
#include "core/RunState.h"
#include "core/Settings.h"
#include "platform/AtomicFile.h"

#include <QFile>
#include <QTextCursor>
#include <QTime>

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

QString fileLine(const QString& number) { return QStringLiteral("Fichier ") + NumberedReportPath(number); }

}  // namespace

TRunReport::TRunReport(QObject* parent) : QObject(parent), numbers_{QStringLiteral("000001")} {
    document_.setUndoRedoEnabled(false);
}

void TRunReport::addLine(Parts parts) {
    QTextCursor c(&document_);
    c.movePosition(QTextCursor::End);
    if (document_.characterCount() > 1 || document_.blockCount() > 1) c.insertBlock();
    for (const auto& [text, format] : parts) c.insertText(text, format);
    emit LineAdded();
}

bool TRunReport::save(const QString& path, QString* error) {
    QString reason;
    if (platform::WriteFileAtomically(path, rtf::fromDocument(document_), &reason)) return true;
    const QString text = QStringLiteral("Impossible d'écrire le rapport ") + path + QStringLiteral(" : ") + reason;
    if (error && error->isEmpty()) *error = text;
    return false;
}

void TRunReport::Start() {
    Active = settings().Report || Active;
    for (const QString& number : std::as_const(numbers_)) QFile::remove(NumberedReportPath(number));
    numbers_ = {QStringLiteral("000001")};
    current_ = 0;
    saveError_.clear();
    document_.clear();
    if (Active) addLine({{fileLine(numbers_.first()), headerFormat()}});
    emit NumbersChanged();
}

// The numbered file of the current number is written too, so that the file
// the report's first line names always exists.
bool TRunReport::End(QString* error) {
    if (!settings().Report) return true;
    bool ok = save(NumberedReportPath(Current()), error);
    if (numbers_.size() >= 2) {
        document_.clear();
        addLine({{QStringLiteral("Retrouvez l'ensemble des fichiers rapports dans les fichiers suivants :"),
                  headerFormat()}});
        for (const QString& number : std::as_const(numbers_))
            addLine({{NumberedReportPath(number), headerFormat()}});
    }
    ok = save(ReportBasePath(), error) && ok;
    // A file of the run written when the report rolled over, which failed then.
    if (!saveError_.isEmpty()) {
        if (error && error->isEmpty()) *error = saveError_;
        ok = false;
    }
    return ok;
}

void TRunReport::AddCommand(const QString& command, const QString& params, const QString& values) {
    if (document_.characterCount() - 1 > kReportLimit) {
        if (settings().Report) save(NumberedReportPath(Current()), &saveError_);
        numbers_ << QString::number(numbers_.size() + 1).rightJustified(6, u'0');
        current_ = int(numbers_.size()) - 1;
        document_.clear();
        addLine({{fileLine(Current()), headerFormat()}});
        emit NumbersChanged();
    }
    addLine({{command + u' ', fontOf(settings().FontCommande)},
             {params + u' ', fontOf(settings().FontParam)},
             {values, fontOf(settings().FontVariable)}});
    if (command == QLatin1String("Goto")) addLine({});
}

void TRunReport::AddLine(const QString& text, const QColor& colour) {
    QTextCharFormat format;
    format.setForeground(colour);
    addLine({{text, format}});
}

void TRunReport::AddRichLine(const QByteArray& rtfLine) {
    if (!Active && !settings().Report) return;
    QTextCursor cursor(&document_);
    cursor.movePosition(QTextCursor::End);
    cursor.insertBlock();
    rtf::insert(cursor, rtfLine);
    emit LineAdded();
}

void TRunReport::Show(const QString& number) {
    const int i = int(numbers_.indexOf(number));
    if (i >= 0) current_ = i;
    document_.clear();
    for (const QString& path : {NumberedReportPath(number), ReportBasePath()}) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            QTextCursor c(&document_);
            rtf::insert(c, file.readAll());
            return;
        }
    }
    document_.setPlainText(QStringLiteral("Report file is not found !"));
}
