#pragma once
// The "Calcul évolué" dialog; its expressions are checked and evaluated by
// the engine (engine/CalculEvol.h).
#include "core/Form.h"
#include "engine/CalculEvol.h"

class TForm24 : public TForm {
    Q_OBJECT
public:
    explicit TForm24(QWidget* parent = nullptr);

    static void TestCalculEvol(const QString& expression, bool execute, QString& message) {
        ::TestCalculEvol(expression, execute, message);
    }
    static QString GetValueVar(const QString& name) { return ::GetValueVar(name); }
    static void DeleteEmptyElements(QStringList& elements) { ::DeleteEmptyElements(elements); }
    static inline const QString& CalculResult = ::CalculResult;
    static inline const QString& CalculKind = ::CalculKind;
};

extern TForm24* Form24;
