#pragma once
// What a check pass finds: one row per error, warning or "Valide", in the
// order found. The checker writes into the report it is given; the main
// window shows its own in the check list ListView2 and follows its signals.
#include <QObject>
#include <QString>
#include <QVector>

struct TCheckFinding {
    QString caption;  // the line: "12", or "5,3" for line 3 of a sub-macro run by line 5
    QString kind;     // "Erreur", "Avertissement" or "Valide"
    QString message;
    int image = 0;    // 0 error, 1 warning, 2 "Valide"
};

class TCheckReport : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    const QVector<TCheckFinding>& Findings() const { return findings_; }
    // The errors as lines of a message: "\n  ligne 12 : ..." each.
    QString ErrorLines() const;

    void Clear();
    void Add(const TCheckFinding& finding);
    // Deletes the "Valide" row when it heads the report.
    void RemoveValidRow();

    // State of the current pass.
    int ErrorCount = 0;             // "Erreur" rows listed since the pass began
    bool StructureBroken = false;   // a row's structure is broken: the pass stops

signals:
    void Cleared();
    void Added(const TCheckFinding& finding);
    void FirstRemoved();

private:
    QVector<TCheckFinding> findings_;
};
