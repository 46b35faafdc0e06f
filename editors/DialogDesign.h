#pragma once
// What a command dialog declares instead of building and wiring its own
// controls: the named controls with their labels and lists, the choice
// groups, where each value stands in the row's parameter string, and the
// checks "Valider" runs. TCommandDialog::Declare builds the controls from it;
// the base then fills their lists, loads them from a row and joins them back,
// so a dialog writes only the rules that are its own.
#include "core/CommandParams.h"

#include <QFlags>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class QAbstractButton;
class QComboBox;
class QLabel;

// ---- The parameter string (places: core/Params.h; each command's, core/CommandParams.h) ----

// The values standing at those places of a parameter string.
QStringList ParamValues(const QString& params, const QVector<ParamPlace>& places);
// The parameter string of those values at those places: a whole text alone;
// else fields 1 to the last one placed, each followed by the separator (a
// field no value is placed at stays empty), then the middle text and the last
// field, each followed by the separator, then the rest.
QString ParamString(const QVector<ParamPlace>& places, const QStringList& values);
// Fields each followed by the separator.
QString JoinFields(const QStringList& fields);

// ---- Controls ----

// What a list offers; sources add up, in this order.
enum class ListSource : unsigned {
    AlphaVariables = 1,    // the declared "Alpha" variables
    NumericVariables = 2,  // the declared "Numerique" variables
    Labels = 4,
    Procedures = 8,
    Objects = 16,
    Items = 32,  // the control's fixed items
};
Q_DECLARE_FLAGS(ListSources, ListSource)
Q_DECLARE_OPERATORS_FOR_FLAGS(ListSources)
inline constexpr ListSources AllVariables = ListSource::AlphaVariables | ListSource::NumericVariables;

enum class ControlKind : char {
    Combo,  // an editable combo box: typed text, a list to choose from
    Line,   // a line edit
    Memo,   // a text of several lines
    Check,  // a check box: its word when ticked, else nothing; ticked by any text
    Spin,   // a whole number from 0 to 32000, with arrows
    List,   // a list of names to pick from; it carries no value
};

// A group box around controls or a choice group; consecutive ones with the same name share it.
struct TFrame {
    QString name;  // "RadioGroup1"; none: no box
    QString title;
};

// One control and the value it carries.
struct TSlot {
    ControlKind kind = ControlKind::Combo;
    QString name;        // its object name: "ComboBox1"
    ParamPlace place;    // where its value stands; none: the dialog's own business
    QString label;       // its label's object name: "Label1"; none when empty
    QString caption;     // the label's text; a check box without label shows it itself
    ListSources list;    // what its list offers when the dialog opens
    ListSources dropDown;  // what it offers each time it drops down; none: the same
    QStringList items;   // the fixed items
    QString word;        // a check box's word
    QStringList keywords;  // the commands it serves; none: all. For the others it is
                           // hidden with its label, and its value is left out.
    TFrame frame;
};

// A radio button, the label beside it (clicking it selects the radio) and the word it stands for.
struct TChoice {
    QString radio;    // "RadioButton1"
    QString label;    // "Label3"; none: the caption is the radio's own text
    QString caption;
    QString word;
    int helpContext = 0;  // the dialog's help context while it is on; 0: unchanged
};
// Radio buttons of which one is on, its word standing at the group's place,
// or being the command's keyword. The first is on when the dialog opens and
// when the row holds none of their words.
struct TChoiceGroup {
    ParamPlace place;
    QVector<TChoice> choices;
    bool keyword = false;  // the words are keywords: the one on is the command written
    TFrame frame;
};

// ---- Checks ----

// A rule of "Valider" and what the dialog says when it fails. Before them, a
// value placed in a field is refused when it holds the separator, which would
// shift the fields after it.
struct TCheck {
    std::function<bool()> passes;
    QString message;
};
enum class CheckMode : char {
    FirstFailure,  // the first failing check is told, the others are not run
    EveryFailure,  // every failing check is told, one message after the other
};

// ---- Choice panels ----

// A dialog where one choice (a function of a category, a tool, an action)
// decides the help, the information text and which parameters are taken
// declares one table of its choices; TCommandDialog::ApplyPanelChoice sets the
// parameters up from an entry.

// What a parameter's browse button asks for.
enum class BrowseKind : char { None, File, Folder };

// One parameter of a choice.
struct TPanelParam {
    bool enabled = false;
    ListSources list;    // what its list offers (refilled each time the choice is set up)
    QStringList items;   // the fixed items, when the list offers Items
    QString preset;      // the text it gets
    BrowseKind browse = BrowseKind::None;
};

struct TPanelChoice {
    QString category;  // empty when the dialog has none
    QString choice;    // "Minute", "Résolution", "Déplacer"
    int helpContext = 0;
    QString info;      // the information text
    QVector<TPanelParam> params;  // parameters 1 to 3; missing ones are off
    const TPanelParam& param(int i) const;  // from 0; off when missing
};

// A dialog's choices in display order.
class TChoicePanel {
public:
    explicit TChoicePanel(QVector<TPanelChoice> entries) : entries_(std::move(entries)) {}
    QStringList categories() const;  // in the order they first appear
    QStringList choices(const QString& category) const;
    // The entry of that choice in that category; null when none.
    const TPanelChoice* find(const QString& category, const QString& choice) const;
    const QVector<TPanelChoice>& entries() const { return entries_; }

private:
    QVector<TPanelChoice> entries_;
};

// The controls of one parameter of a panel; the label and the button may be null.
struct TPanelParamControls {
    QComboBox* box;
    QLabel* label;
    QAbstractButton* browse;
};

struct TDialogDesign {
    QSize size;  // as designed: a compact size that fits the contents
    QVector<TSlot> controls;  // in their tab order
    QVector<TChoiceGroup> choices;
    QVector<TCheck> checks;   // in the order they run
    CheckMode checkMode = CheckMode::FirstFailure;
    bool emptyOnAdd = false;    // opening for adding empties every control first
    bool titleIsKeyword = false;  // the caption names the command (a dialog for two commands)
};
