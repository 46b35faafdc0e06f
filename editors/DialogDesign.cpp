#include "editors/DialogDesign.h"

#include "core/Params.h"
#include "core/Unit1.h"
#include "editors/CommandDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include "core/HelpContext.h"
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>

QStringList ParamValues(const QString& params, const QVector<ParamPlace>& places) {
    const TParamFields fields = TForm1::GetParam(params);
    QStringList values;
    for (const ParamPlace& p : places) values << ValueAt(params, fields, p, ParamSeparator());
    return values;
}

QString ParamString(const QVector<ParamPlace>& places, const QStringList& values) {
    QStringList fields, tail;  // tail: the middle text and the last field
    QString rest;
    for (qsizetype i = 0; i < places.size(); ++i) {
        const ParamPlace& p = places[i];
        const QString value = values.value(i);
        switch (p.kind) {
            case ParamPlace::Whole: return value;
            case ParamPlace::Field:
                if (p.n < 1) break;
                if (fields.size() < p.n) fields.resize(p.n);
                fields[p.n - 1] = value;
                break;
            case ParamPlace::Rest:
                if (fields.size() < p.n) fields.resize(p.n);
                rest = value;
                break;
            case ParamPlace::Middle:
                if (fields.size() < p.n) fields.resize(p.n);
                tail.prepend(value);
                break;
            case ParamPlace::Last: tail.append(value); break;
            case ParamPlace::None: break;
        }
    }
    return JoinFields(fields + tail) + rest;
}

QString JoinFields(const QStringList& fields) {
    QString s;
    for (const QString& f : fields) s += f + ParamSeparator();
    return s;
}


// ---- The declared part of TCommandDialog ----

namespace {

QWidget* newControl(const TSlot& slot, QWidget* parent) {
    QWidget* w = nullptr;
    switch (slot.kind) {
        case ControlKind::Combo: w = NewTextCombo(parent, slot.name); break;
        case ControlKind::Line: {
            auto* edit = new QLineEdit(parent);
            edit->setMaxLength(kMaxFieldLength);
            w = edit;
            break;
        }
        case ControlKind::Memo: w = new QPlainTextEdit(parent); break;
        case ControlKind::Check: w = new QCheckBox(slot.label.isEmpty() ? slot.caption : QString(), parent); break;
        case ControlKind::Spin: {
            auto* spin = new QSpinBox(parent);
            spin->setRange(0, 32000);
            w = spin;
            break;
        }
        case ControlKind::List: w = new QListWidget(parent); break;
    }
    w->setObjectName(slot.name);
    return w;
}

// The label of a control or a choice; one that clicks the button beside it.
QLabel* newLabel(const QString& name, const QString& caption, QWidget* parent, QAbstractButton* clicks) {
    if (name.isEmpty()) return nullptr;
    auto* label = new TClickLabel(caption, parent);
    label->setObjectName(name);
    if (clicks) QObject::connect(label, &TClickLabel::Click, clicks, &QAbstractButton::click);
    return label;
}

QString valueOf(const TSlot& slot, const QWidget* w) {
    switch (slot.kind) {
        case ControlKind::Combo: return static_cast<const QComboBox*>(w)->currentText();
        case ControlKind::Line: return static_cast<const QLineEdit*>(w)->text();
        case ControlKind::Memo: return static_cast<const QPlainTextEdit*>(w)->toPlainText();
        case ControlKind::Check: return static_cast<const QCheckBox*>(w)->isChecked() ? slot.word : QString();
        case ControlKind::Spin: return QString::number(static_cast<const QSpinBox*>(w)->value());
        case ControlKind::List: break;
    }
    return QString();
}

void setValue(const TSlot& slot, QWidget* w, const QString& value) {
    switch (slot.kind) {
        case ControlKind::Combo: static_cast<QComboBox*>(w)->setEditText(value); break;
        case ControlKind::Line: static_cast<QLineEdit*>(w)->setText(value); break;
        case ControlKind::Memo: static_cast<QPlainTextEdit*>(w)->setPlainText(value); break;
        case ControlKind::Check: static_cast<QCheckBox*>(w)->setChecked(!value.isEmpty()); break;
        case ControlKind::Spin: static_cast<QSpinBox*>(w)->setValue(value.toInt()); break;
        case ControlKind::List: break;
    }
}

bool inField(const ParamPlace& p) { return p.kind == ParamPlace::Field || p.kind == ParamPlace::Last; }

// Two widgets side by side, the second taking the room left.
QBoxLayout* besideRow(QWidget* first, QWidget* second) {
    auto* row = new QHBoxLayout;
    row->addWidget(first);
    if (second) row->addWidget(second, 1);
    return row;
}

// Where the next items of a column go: the column itself, or the group box of their frame.
class FramedColumn {
public:
    FramedColumn(QWidget* dialog, QVBoxLayout* column) : dialog_(dialog), column_(column) {}
    QVBoxLayout* at(const TFrame& frame) {
        if (frame.name.isEmpty()) return column_;
        if (frame.name != name_) {
            auto* box = new QGroupBox(frame.title, dialog_);
            box->setObjectName(frame.name);
            column_->addWidget(box);
            inside_ = new QVBoxLayout(box);
            name_ = frame.name;
        }
        return inside_;
    }

private:
    QWidget* dialog_;
    QVBoxLayout* column_;
    QVBoxLayout* inside_ = nullptr;
    QString name_;
};

}  // namespace

void TCommandDialog::Declare(TDialogDesign design) {
    for (const TSlot& slot : design.controls) {
        QWidget* w = newControl(slot, this);
        auto* button = qobject_cast<QAbstractButton*>(w);
        controls_.append({slot, w, newLabel(slot.label, slot.caption, this, button)});
        if (auto* box = qobject_cast<TComboBox*>(w))
            connect(box, &TComboBox::DropDown, this, [this, i = controls_.size() - 1] {
                const Control& c = controls_[i];
                fill(c, c.slot.dropDown ? c.slot.dropDown : c.slot.list);
            });
    }
    for (const TChoiceGroup& group : design.choices) {
        Choices built{group, new QButtonGroup(this), {}};
        for (qsizetype i = 0; i < group.choices.size(); ++i) {
            const TChoice& choice = group.choices[i];
            auto* radio = new QRadioButton(choice.label.isEmpty() ? choice.caption : QString(), this);
            radio->setObjectName(choice.radio);
            built.buttons->addButton(radio, int(i));
            built.labels << newLabel(choice.label, choice.caption, this, radio);
            if (choice.helpContext)
                connect(radio, &QRadioButton::toggled, this, [this, context = choice.helpContext](bool on) {
                    if (on) SetHelpContext(this, context);
                });
        }
        choices_ << built;
    }
    checks_ = std::move(design.checks);
    checkMode_ = design.checkMode;
    emptyOnAdd_ = design.emptyOnAdd;
    titleIsKeyword_ = design.titleIsKeyword;
    if (design.size.isValid()) resize(design.size);
}

void TCommandDialog::ArrangeInColumn() {
    auto* column = new QVBoxLayout(this);
    FramedColumn framed(this, column);
    for (const Control& c : controls_) {
        QVBoxLayout* at = framed.at(c.slot.frame);
        if (c.slot.kind == ControlKind::Check) {
            at->addLayout(besideRow(c.widget, c.label));
            continue;
        }
        if (c.label) at->addWidget(c.label);
        at->addWidget(c.widget);
    }
    for (const Choices& g : choices_)
        for (qsizetype i = 0; i < g.labels.size(); ++i)
            framed.at(g.group.frame)->addLayout(besideRow(g.buttons->button(int(i)), g.labels[i]));
    column->addStretch(1);
    column->addLayout(ButtonRow());
}

QStringList ListNames(ListSources sources, const QStringList& items) {
    QStringList names;
    if (sources & AllVariables)
        Form1->List_Var(names, sources.testFlag(ListSource::AlphaVariables),
                        sources.testFlag(ListSource::NumericVariables));
    // The lists of declared names fill a combo box of their own.
    using Lister = void (TForm1::*)(QObject*) const;
    const std::pair<ListSource, Lister> listers[] = {{ListSource::Labels, &TForm1::List_Label},
                                                     {ListSource::Procedures, &TForm1::List_procedure},
                                                     {ListSource::Objects, &TForm1::List_Objet}};
    for (const auto& [source, lister] : listers) {
        if (!sources.testFlag(source)) continue;
        QComboBox found;
        (Form1->*lister)(&found);
        for (int i = 0; i < found.count(); ++i) names << found.itemText(i);
    }
    if (sources.testFlag(ListSource::Items)) names << items;
    return names;
}

void TCommandDialog::fill(const Control& c, ListSources sources) {
    auto* box = qobject_cast<QComboBox*>(c.widget);
    auto* list = qobject_cast<QListWidget*>(c.widget);
    if ((!box && !list) || !sources) return;
    const QStringList names = ListNames(sources, c.slot.items);
    if (box) {
        FillKeepingText(box, names);
    } else {
        list->clear();
        list->addItems(names);
    }
}

bool TCommandDialog::serves(const TSlot& slot) const {
    return slot.keywords.isEmpty() || slot.keywords.contains(keyword_);
}

void TCommandDialog::showForKeyword() {
    if (titleIsKeyword_) setWindowTitle(keyword_);
    for (const Control& c : controls_) {
        c.widget->setVisible(serves(c.slot));
        if (c.label) c.label->setVisible(serves(c.slot));
    }
}

void TCommandDialog::emptyControls() {
    for (const Control& c : controls_) {
        setValue(c.slot, c.widget, QString());
        if (auto* box = qobject_cast<QComboBox*>(c.widget)) box->clear();
    }
}

void TCommandDialog::firstChoices() {
    for (const Choices& g : choices_) {
        int on = 0;
        for (qsizetype i = 0; g.group.keyword && i < g.group.choices.size(); ++i)
            if (g.group.choices[i].word == keyword_) on = int(i);
        if (QAbstractButton* b = g.buttons->button(on)) b->setChecked(true);
    }
}

void TCommandDialog::Preset(const QString& choice) {
    for (const Choices& g : choices_)
        for (qsizetype i = 0; i < g.group.choices.size(); ++i)
            if (g.group.choices[i].word == choice || g.group.choices[i].caption.trimmed() == choice)
                g.buttons->button(int(i))->click();
}

void TCommandDialog::FillLists() {
    for (const Control& c : controls_) fill(c, c.slot.list);
}

QVector<ParamPlace> TCommandDialog::places() const {
    QVector<ParamPlace> out;
    for (const Control& c : controls_) out << (serves(c.slot) ? c.slot.place : ParamPlace{});
    for (const Choices& g : choices_) out << g.group.place;
    return out;
}

void TCommandDialog::LoadFields(const QString& params) {
    const QStringList values = ParamValues(params, places());
    qsizetype at = 0;
    for (const Control& c : controls_) {
        const QString& value = values[at++];
        if (c.slot.place.kind != ParamPlace::None) setValue(c.slot, c.widget, value);  // empty when not served
    }
    for (const Choices& g : choices_) {
        const QString& value = g.group.keyword ? keyword_ : values[at];
        ++at;
        for (qsizetype i = 0; i < g.group.choices.size(); ++i)
            if (g.group.choices[i].word == value) g.buttons->button(int(i))->setChecked(true);
    }
}

QString TCommandDialog::BuildParams() const {
    QStringList values;
    for (const Control& c : controls_) values << valueOf(c.slot, c.widget);
    for (qsizetype g = 0; g < choices_.size(); ++g) values << ChosenWord(int(g));
    return ParamString(places(), values);
}

QString TCommandDialog::ChosenWord(int group) const {
    if (group < 0 || group >= choices_.size()) return QString();
    const Choices& g = choices_[group];
    return g.group.choices.value(g.buttons->checkedId()).word;
}

QString TCommandDialog::CommandKeyword() const {
    for (const Choices& g : choices_)
        if (g.group.keyword && g.buttons->checkedId() >= 0) return g.group.choices[g.buttons->checkedId()].word;
    return keyword_;
}

void TCommandDialog::AfterShow() {
    for (const Control& c : controls_)
        if (serves(c.slot)) return c.widget->setFocus();
}

bool TCommandDialog::Validate() {
    QVector<TCheck> checks;
    for (const Control& c : controls_) {
        if (!inField(c.slot.place) || !serves(c.slot)) continue;
        const QString value = valueOf(c.slot, c.widget);
        checks.append({[value] { return !value.contains(ParamSeparator()); },
                       QStringLiteral("Le champ « %1 » ne peut pas contenir « %2 », le caractère qui sépare "
                                      "les paramètres.")
                           .arg(c.slot.caption.isEmpty() ? c.slot.name : c.slot.caption.trimmed(), ParamSeparator())});
    }
    checks << checks_;
    bool ok = true;
    for (const TCheck& check : std::as_const(checks)) {
        if (check.passes()) continue;
        Refuse(check.message);
        ok = false;
        if (checkMode_ == CheckMode::FirstFailure) break;
    }
    return ok;
}

// ---- Choice panels ----

const TPanelParam& TPanelChoice::param(int i) const {
    static const TPanelParam off;
    return i >= 0 && i < params.size() ? params[i] : off;
}

QStringList TChoicePanel::categories() const {
    QStringList out;
    for (const TPanelChoice& e : entries_)
        if (!out.contains(e.category)) out << e.category;
    return out;
}

QStringList TChoicePanel::choices(const QString& category) const {
    QStringList out;
    for (const TPanelChoice& e : entries_)
        if (e.category == category) out << e.choice;
    return out;
}

const TPanelChoice* TChoicePanel::find(const QString& category, const QString& choice) const {
    for (const TPanelChoice& e : entries_)
        if (e.category == category && e.choice == choice) return &e;
    return nullptr;
}

void TCommandDialog::ApplyPanelChoice(const TPanelChoice* entry, const QVector<TPanelParamControls>& params) {
    for (qsizetype i = 0; i < params.size(); ++i) {
        const TPanelParamControls& c = params[i];
        const TPanelParam& p = entry ? entry->param(int(i)) : TPanelChoice{}.param(0);
        for (QWidget* w : {static_cast<QWidget*>(c.box), static_cast<QWidget*>(c.label),
                           static_cast<QWidget*>(c.browse)})
            if (w) w->setEnabled(p.enabled);
        const QString text = !p.enabled ? QString() : p.preset.isEmpty() ? c.box->currentText() : p.preset;
        const QSignalBlocker quiet(c.box);
        c.box->clear();
        if (p.enabled) c.box->addItems(ListNames(p.list, p.items));
        c.box->setEditText(text);
    }
    if (entry && entry->helpContext) SetHelpContext(this, entry->helpContext);
}
