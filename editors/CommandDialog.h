#pragma once
// What every command dialog shares with the main window. A dialog opens
// without blocking, either to add a command (palette, menus, command tree) or
// to modify one row (edit entry); it keeps its own mode and the row it was
// opened on, so the selection moving or another dialog closing meanwhile
// changes nothing. On "Valider" it checks its fields, joins them and either
// rewrites that row (history "Modification") or adds a row through
// TForm1::add_insert (history "Ajout"). F1 opens the help at the active
// control's context; the shared background paints the form.
//
// A dialog declares its controls, choices, parameter layout and checks
// (editors/DialogDesign.h) and overrides only the steps where it has rules
// of its own.
#include "core/Form.h"
#include "editors/DialogDesign.h"

#include <QComboBox>
#include <QLabel>
#include <QPersistentModelIndex>
#include <QStringList>

class QBoxLayout;
class QButtonGroup;
class QPushButton;
class QToolButton;

// A combo box that says when its list is about to drop down.
class TComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TComboBox(QWidget* parent = nullptr);
    void showPopup() override;
signals:
    void DropDown();
};

// A label that says when it is clicked (the label of a radio button or a check box).
class TClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

// An editable combo box for text typed into a row: Enter inserts nothing into
// its list, and it takes no more than a row holds.
TComboBox* NewTextCombo(QWidget* parent, const QString& name);
// Replaces the list of a combo box, keeping the typed text.
void FillKeepingText(QComboBox* box, const QStringList& items);
// The names a list of those sources offers, fixed items last.
QStringList ListNames(ListSources sources, const QStringList& items = {});
// A row holds at most 255 characters of parameters: a longer string is refused
// with a message (the file would cut it).
bool FitsInRow(const QString& params);

// Brackets several history rows as one undo step (nothing when inactive).
class THistoryGroup {
public:
    explicit THistoryGroup(bool active = true);
    ~THistoryGroup();
    THistoryGroup(const THistoryGroup&) = delete;
    THistoryGroup& operator=(const THistoryGroup&) = delete;

private:
    bool active_;
};

class TCommandDialog : public TForm {
    Q_OBJECT
public:
    // keyword: the command it writes (a dialog for several commands is told
    // which one when it opens).
    TCommandDialog(int number, const QString& caption, const QString& keyword, int helpContext,
                   QWidget* parent = nullptr);

    // Opens for adding a command of that keyword (empty: the current one).
    // Already open for adding the same command: only brought to the front.
    void ShowForAdd(const QString& keyword = QString());
    // Opens for modifying that row of the command list, reloading when already open.
    void ShowForModify(int row);

    bool Modifying() const { return modifying_; }
    QString Keyword() const { return keyword_; }
    // The row being modified; -1 when adding, or when that row was deleted or
    // changed by something else since the dialog opened.
    int TargetRow() const;

    void Button1Click();  // "Valider"
    void Button2Click();  // "Annuler"

    // What the command tree presets on a dialog it opened: the choice of that
    // word or caption is clicked.
    virtual void Preset(const QString& choice);
    // What a palette button adds once it has opened the dialog for adding.
    virtual void OpenedFromPalette() {}

    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

protected:
    // Builds the declared controls and labels, named as declared, and gives
    // the dialog its designed size; the dialog then lays them out
    // (ArrangeInColumn, or a layout of its own). Called once, by the constructor.
    void Declare(TDialogDesign design);
    // One under the other: each control under its label (a check box beside
    // it), each radio button beside its label, then "Valider" and "Annuler".
    void ArrangeInColumn();

    // The steps of opening and "Valider". Each does what the declaration says;
    // a dialog with rules of its own overrides a step (calling the base for the
    // declared part). On opening, every choice group goes back to its first
    // choice and FillLists runs; then LoadFields gets the row's parameter
    // string (modifying), or LoadDefaults runs (adding).
    virtual void FillLists();
    virtual void LoadFields(const QString& params);
    virtual void LoadDefaults() {}
    // Focuses the first declared control.
    virtual void AfterShow();
    // Runs the checks in their mode; false keeps the dialog open with its contents.
    virtual bool Validate();
    virtual QString BuildParams() const;
    // The keyword opened with, or the one a keyword choice names.
    virtual QString CommandKeyword() const;
    virtual int IconIndex() const;
    // Writes the command; dialogs that write several rows replace it.
    virtual bool Commit();
    virtual void AfterCommit() {}
    virtual void FormClose() {}

    // Rewrites the target row's parameters, its keyword and icon staying
    // (modify), or adds the row (add); false when the parameters are too long or
    // the target row is gone or changed (the user is told and nothing is written).
    // A row given another keyword is replaced: its deletion and the new row's
    // addition are one step of the history, so that undo gives the old row back.
    bool WriteRow(const QString& keyword, const QString& params, int icon);
    // The row being modified; when it is gone or changed the user is told and -1 comes back.
    int TargetRowOrTell() const;
    // The word of the choice that is on in that choice group (in declaration order).
    QString ChosenWord(int group) const;
    // Puts a row at that index and records its addition, whatever the list's mode.
    static void InsertRow(int index, const QString& keyword, const QString& params, int icon);
    // Sets the parameters up as a panel's choice says (none: all off): each
    // enabled or disabled as one unit with its label and browse button, its
    // list refilled; an enabled one gets the preset text (keeps its text when
    // there is none), a disabled one is emptied. The dialog takes the choice's
    // help context.
    void ApplyPanelChoice(const TPanelChoice* entry, const QVector<TPanelParamControls>& params);
    // A warning with one OK button; answers false.
    static bool Refuse(const QString& message);
    // "Valider" and "Annuler" at the right of a row, for the dialog's layout.
    QBoxLayout* ButtonRow();
    // Puts a button of the dialog's own at the right of a laid out control.
    void AddBeside(QWidget* control, QWidget* extra);
    // A "..." button of that name and hint at the right of a laid out control.
    QToolButton* AddButtonBeside(QWidget* control, const QString& name, const QString& hint = QString());

    void closeEvent(QCloseEvent* e) override;

private:
    struct Control {
        TSlot slot;
        QWidget* widget;
        QLabel* label;  // null when it has none
    };
    struct Choices {
        TChoiceGroup group;
        QButtonGroup* buttons;  // button ids are the choices' indexes
        QVector<QLabel*> labels;  // null where a choice has none
    };
    void open(bool modifying, int row, const QString& keyword);
    // Tab goes through the fields with the buttons beside them, then the
    // choices, then the dialog's other controls, then "Valider" and "Annuler".
    void orderTabs();
    bool serves(const TSlot& slot) const;  // the slot belongs to the current keyword
    void showForKeyword();  // the caption and the controls of the current keyword
    void emptyControls();
    void firstChoices();  // every choice group on its first choice (a keyword group on the keyword's)
    void fill(const Control& c, ListSources sources);
    QVector<ParamPlace> places() const;  // of the controls, then of the choice groups

    QVector<Control> controls_;
    QVector<std::pair<QWidget*, QWidget*>> besides_;  // a control and a button put beside it
    QVector<Choices> choices_;
    QVector<TCheck> checks_;
    CheckMode checkMode_ = CheckMode::FirstFailure;
    bool emptyOnAdd_ = false;
    bool titleIsKeyword_ = false;
    QString keyword_;
    bool modifying_ = false;
    QPersistentModelIndex target_;
    QString targetParams_;  // the row's parameters when the dialog opened
};

// The command dialog of a form number, or null when that form is not one (yet).
TCommandDialog* CommandDialog(int formNumber);
