#pragma once
// The execution report: the lines of the run, numbered into report files
// of about 80,000 characters each ("000001", "000002"...). The runner owns
// the one the program uses; the main window shows its document in the
// report tab and follows its numbers.
#include <QColor>
#include <QObject>
#include <QStringList>
#include <QTextCharFormat>
#include <QTextDocument>
#include <utility>

class TRunReport : public QObject {
    Q_OBJECT
public:
    explicit TRunReport(QObject* parent = nullptr);

    QTextDocument& Document() { return document_; }
    // "Activer le rapport": the rows run are written into the report.
    bool Active = false;
    // The report numbers of this run, and the one being written or shown.
    const QStringList& Numbers() const { return numbers_; }
    QString Current() const { return numbers_.value(current_); }

    // The start of a run: numbered files of the last run deleted, numbering back to "000001".
    void Start();
    // The end of a run: the report files written when "Créer un rapport" is on.
    // False when one could not be written (the reason in *error).
    bool End(QString* error = nullptr);
    // One row run: its command, its parameters and the values of the
    // variables they name, in the fonts of the options.
    void AddCommand(const QString& command, const QString& params, const QString& values);
    // A line of one colour at the end of the report.
    void AddLine(const QString& text, const QColor& colour);
    // A line of rich text after an empty one, when the report is on (a
    // sub-macro's entry and exit).
    void AddRichLine(const QByteArray& rtfLine);
    // Shows the report of that number, read back from its file.
    void Show(const QString& number);

signals:
    // The numbers or the current one changed.
    void NumbersChanged();
    // A line was added (the view scrolls to it).
    void LineAdded();

private:
    using Parts = std::initializer_list<std::pair<QString, QTextCharFormat>>;
    void addLine(Parts parts);
    // Writes the report as rich text; false with the reason when it cannot.
    bool save(const QString& path, QString* error);

    QTextDocument document_;
    QStringList numbers_;
    int current_ = 0;
    QString saveError_;  // the first failed write of the run
};
