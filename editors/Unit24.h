#pragma once
// The "Calcul évolué" dialog and its expression checker-evaluator.
#include "core/Form.h"

#include <QStringList>

class TForm24 : public TForm {
    Q_OBJECT
public:
    explicit TForm24(QWidget* parent = nullptr);

    // Checks (Execute false) or evaluates and stores (Execute true) an
    // expression "target = a + b * c ..." of at most 30 elements. Message
    // gets the first problem, empty when none; checking leaves the value it
    // would give (or a warning) in CalculResult and the target's kind in CalculKind.
    static void TestCalculEvol(const QString& Expression, bool Execute, QString& Message);
    // The initial value the last "Variable" row declaring name gives it; the name itself when none.
    static QString GetValueVar(const QString& name);
    // Removes the empty elements, closing up the rest.
    static void DeleteEmptyElements(QStringList& elements);

    static QString CalculResult;
    static QString CalculKind;
};

extern TForm24* Form24;
