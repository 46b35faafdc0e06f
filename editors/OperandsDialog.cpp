#include "editors/OperandsDialog.h"

#include "core/Helpers.h"
#include "engine/Unit21.h"

#include <QStyle>

using namespace Qt::StringLiterals;

const TOperandsDialog::Table kCalculTable{
    .number = 12,
    .caption = u"Calcul sur variable"_s,
    .keyword = u"Calcul"_s,
    .helpContext = 1026,
    .operators = {{u"RadioButton1"_s, u"Label3"_s, u"  Addition          (+)"_s, u"+"_s},
                  {u"RadioButton2"_s, u"Label4"_s, u"  Soustraction   (-)"_s, u"-"_s},
                  {u"RadioButton3"_s, u"Label5"_s, u"  Multiplication  (*)"_s, u"*"_s},
                  {u"RadioButton4"_s, u"Label6"_s, u"  Division          (/)"_s, u"/"_s}},
    .information = u"Vous avez la possiblité de concaténer deux valeurs alphanumériques avec l'opérateur "
                   u"d'addition."_s,
    .rules = {TOperandsDialog::Rule::FirstIsVariable, TOperandsDialog::Rule::AlphaAddsOnly,
              TOperandsDialog::Rule::NumericOperand},
    .checkMode = CheckMode::EveryFailure,
    .emptyOnAdd = false,
};

const TOperandsDialog::Table kExamineTable{
    .number = 11,
    .caption = u"Condition"_s,
    .keyword = u"Examine"_s,
    .helpContext = 1025,
    .operators = {{u"RadioButton1"_s, u"Label3"_s, u"  Égale           (=)"_s, u"="_s},
                  {u"RadioButton4"_s, u"Label4"_s, u"  Different      (<>) "_s, u"<>"_s},
                  {u"RadioButton2"_s, u"Label5"_s, u"  Inferieur        (<)"_s, u"<"_s},
                  {u"RadioButton3"_s, u"Label6"_s, u"  Superieur    (>)"_s, u">"_s}},
    .information = u"Les deux prochaines commandes appartiennent à la commande examine, si la condition est vraie, "
                   u"alors la première commande sera exécutée, sinon se sera la seconde."_s,
    .rules = {TOperandsDialog::Rule::FirstIsVariable},
    .checkMode = CheckMode::FirstFailure,
    .emptyOnAdd = true,
};

namespace {
const QString kNoType = u"No_Type"_s;
const QString kAlpha = u"Alpha"_s;
const QString kNumerique = u"Numerique"_s;
}  // namespace

TOperandsDialog::TOperandsDialog(const Table& table, QWidget* parent)
    : TCommandDialog(table.number, table.caption, table.keyword, table.helpContext, parent),
      information_(table.information) {
    auto first = [this] { return ComboBox1->currentText(); };
    auto second = [this] { return ComboBox2->currentText(); };
    const std::pair<Rule, TCheck> rules[] = {
        {Rule::FirstIsVariable,
         {[first] { return mdlfnct::GetVarType(first()) != kNoType; },
          u"Le premier paramètre doit être obligatoirement une variable."_s}},
        {Rule::AlphaAddsOnly,
         {[this, first] { return mdlfnct::GetVarType(first()) != kAlpha || Operator() == u"+"; },
          u"Le seul opérateur possible avec une variable Alphanumérique est celui d'addition."_s}},
        {Rule::NumericOperand,
         {[first, second] {
              return mdlfnct::GetVarType(first()) != kNumerique || mdlfnct::GetVarType(second()) == kNumerique ||
                     mdlfnct::IsInteger(mdlfnct::GetVarValue(second()));
          },
          u"Vous avez séléctionné une variable numérique dans le premier paramètre, vous devez donc utiliser une "
          u"valeur numérique dans le deuxième paramètre (constante ou  variable)."_s}},
    };
    QVector<TCheck> checks;
    for (const auto& [rule, check] : rules)
        if (table.rules.contains(rule)) checks << check;
    const TFrame variables{u"GroupBox1"_s, u"Variables"_s};
    const Command command = Command(CommandCase(table.keyword));
    Declare({.size = {330, 260},
             .controls = {{.name = u"ComboBox1"_s, .place = PlaceOf(command, 1), .caption = u"Variable"_s,
                           .list = AllVariables, .frame = variables},
                          {.name = u"ComboBox2"_s, .place = PlaceOf(command, 3), .caption = u"Deuxième paramètre"_s,
                           .list = AllVariables, .frame = variables}},
             .choices = {{.place = PlaceOf(command, 2), .choices = table.operators}},
             .checks = checks,
             .checkMode = table.checkMode,
             .emptyOnAdd = table.emptyOnAdd});
    ArrangeInColumn();
    ComboBox1 = findChild<TComboBox*>(u"ComboBox1"_s);
    ComboBox2 = findChild<TComboBox*>(u"ComboBox2"_s);
    auto* image = new TClickLabel(this);
    image->setObjectName(u"Image2"_s);
    image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(24, 24));
    image->setCursor(Qt::PointingHandCursor);
    connect(image, &TClickLabel::Click, this, &TOperandsDialog::Image2Click);
    Image2 = image;
    AddBeside(findChild<QWidget*>(u"GroupBox1"_s), Image2);
}

QString TOperandsDialog::Operator() const { return ChosenWord(0); }

void TOperandsDialog::Image2Click() {
    Form21->Label1->setText(information_);
    Form21->show();
    Form21->raise();
}
