#pragma once
// The dialogs of "Calcul" and "Examine": a variable, an operator chosen among
// four, and a second operand; the row is "variable;operator;operand;". The
// two differ only by their table: caption, operators, information and rules.
#include "editors/CommandDialog.h"

class QLabel;

class TOperandsDialog : public TCommandDialog {
    Q_OBJECT
public:
    // The rules "Valider" may apply.
    enum class Rule : char {
        FirstIsVariable,  // the first operand is a declared variable
        AlphaAddsOnly,    // an "Alpha" variable takes "+" only
        NumericOperand,   // a "Numerique" variable takes a whole number
    };
    struct Table {
        int number;
        QString caption, keyword;
        int helpContext;
        QVector<TChoice> operators;  // the first is on when the dialog opens
        QString information;         // what the information picture tells
        QVector<Rule> rules;
        CheckMode checkMode;
        bool emptyOnAdd;  // else adding starts from the texts of the last use
    };
    TOperandsDialog(const Table& table, QWidget* parent);

    TComboBox* ComboBox1 = nullptr;  // the variable
    TComboBox* ComboBox2 = nullptr;  // the second operand
    QLabel* Image2 = nullptr;        // information picture
    // The operator chosen.
    QString Operator() const;
    // Shows the information window with the table's text.
    void Image2Click();

private:
    QString information_;
};

extern const TOperandsDialog::Table kCalculTable;
extern const TOperandsDialog::Table kExamineTable;
