#pragma once
// The run-time variable store: every variable's value by name, and the kinds
// the "Variable" rows of the list being run declare. The runner owns the one
// the program uses; the watch list follows its signal.
#include <QObject>
#include <QString>
#include <QVector>

class TMacroDocument;
class TRunState;

struct TVar {
    QString Name;   // as written in the macro, brackets included
    QString Value;  // numbers as their decimal text
    QString Extra;  // no operation sets or reads it
};

class TVariables : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The value of a variable; def when it has none. A system variable is
    // read afresh.
    QString Read(const QString& name, const QString& def = QString());
    // Sets a variable. A declaration's initialisation (init) leaves a value
    // already set alone when it only names the variable; a read-only system
    // variable keeps its own value; numbers lose their blanks.
    void Write(const QString& name, const QString& value, bool init = false);

    // "Numerique", "Alpha", "Objet" or "No_Type", from the declarations in use.
    QString KindOf(const QString& name) const;
    // The value a field stands for: a declared Numerique or Alpha variable's
    // value, else the text itself.
    QString ValueOf(const QString& field);

    // Every entry, one per name; emptied when a run starts.
    const QVector<TVar>& Entries() const { return entries_; }
    void SetEntries(const QVector<TVar>& entries) { entries_ = entries; }
    void Clear() { entries_.clear(); }

    // The macro whose "Variable" rows give the kinds, and the run state whose
    // sub-macro (while one runs) gives them instead; null: no name is declared.
    const TMacroDocument* Main = nullptr;
    const TRunState* Run = nullptr;
    // The declarations in use: the list being run.
    const TMacroDocument* Declarations() const;

signals:
    // A value read or written, for the watch list.
    void ValueSeen(const QString& name, const QString& value);

private:
    int lastEntry(const QString& name) const;
    void store(const QString& name, const QString& value);

    QVector<TVar> entries_;
};

// The store of the program's runner (an empty one before there is a runner).
TVariables& Variables();
