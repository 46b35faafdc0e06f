#pragma once
// The "Calcul évolué" dialog: one expression over variables, kept whole as the
// row's parameter string, checked while it is typed and before it is written
// (the engine's checker, engine/CalculEvol.h).
#include "editors/CommandDialog.h"
#include "core/Windows.h"
#include "core/Variables.h"
#include "engine/CalculEvol.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QToolButton;

class TForm24 : public TCommandDialog {
    Q_OBJECT
public:
    explicit TForm24(QWidget* parent = nullptr);

    // The expression checked against the declarations of the open macro.
    static TCalculEvol TestCalculEvol(const QString& expression, bool execute) {
        return ::TestCalculEvol(Variables(), expression, execute);
    }
    static QString GetValueVar(const QString& name) { return ::GetValueVar(Variables().Declarations(), name); }
    static void DeleteEmptyElements(QStringList& elements) { ::DeleteEmptyElements(elements); }

    QLineEdit* Edit1 = nullptr;       // the expression
    QLabel* Label3 = nullptr;         // "Expression", "Expression valide" or "Expression invalide"
    QListWidget* ListBox1 = nullptr;  // the declared variables
    QPlainTextEdit* Memo1 = nullptr;  // the checker's message, the result, or a hint
    // "=", "+", "-", "*", "/", the digits, "x^y", caret left and right.
    QToolButton* SpeedButton(int n) const;

    void Edit1Change();
    void ListBox1DblClick();

protected:
    void AfterShow() override;
    // The checker's verdict, whatever the state of the button.
    bool Validate() override;

private:
    void insert(const QString& text);
    void showState(const QString& text, const QColor& colour);
};

constexpr WindowRef<TForm24> Form24{24};
