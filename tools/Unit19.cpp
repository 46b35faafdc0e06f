#include "tools/Unit19.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QHBoxLayout>
#include <QStyle>
#include <QVBoxLayout>

namespace {
template <class W>
W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QCheckBox* check(const char* name, const QString& text) { return named(new QCheckBox(text), name); }
QLabel* caption(const char* name, const QString& text) { return named(new QLabel(text), name); }

// A list whose items stand for the values the settings hold: the language
// files may show them in other words (ComboValue gives the value back).
QComboBox* values(QComboBox* combo, const QStringList& items) {
    for (const QString& item : items) combo->addItem(item, item);
    return combo;
}

// Up and down arrows beside a field; they never take the focus, so the
// field's caret stays where it was.
QWidget* arrows(const char* name, const std::function<void(bool up)>& click) {
    auto* box = named(new QWidget, name);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    for (const auto& [arrow, up] : {std::pair{Qt::UpArrow, true}, {Qt::DownArrow, false}}) {
        auto* b = new QToolButton;
        b->setArrowType(arrow);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(16, 11);
        column->addWidget(b);
        QObject::connect(b, &QToolButton::clicked, box, [click, up = up] { click(up); });
    }
    return box;
}

QLayout* beside(QWidget* field, QWidget* arrows) {
    auto* row = new QHBoxLayout;
    row->addWidget(field);
    row->addWidget(arrows);
    return row;
}
}  // namespace

TForm19::TForm19(QWidget* parent) : TForm(19, QStringLiteral("Options de Orvanel"), parent) {
    PageControl1 = named(new QTabWidget(this), "PageControl1");
    PageControl1->setUsesScrollButtons(false);  // the dialog is as wide as its tabs
    auto page = [this](QWidget*& sheet, const char* name, const QString& caption) {
        sheet = named(new QWidget, name);
        PageControl1->addTab(sheet, caption);
        return new QFormLayout(sheet);
    };

    auto* gl = page(TabSheet1, "TabSheet1", QStringLiteral("Générale"));
    RadioButton1 = named(new QRadioButton(QStringLiteral("Edition")), "RadioButton1");
    RadioButton2 = named(new QRadioButton(QStringLiteral("Insertion")), "RadioButton2");
    RadioButton2->setChecked(true);
    CheckBox3 = check("CheckBox3", QStringLiteral("Grille"));
    CheckBox12 = check("CheckBox12", QStringLiteral("Placer les variables en tête de macro"));
    Label22 = named(new QLabel, "Label22");
    Label5 = named(new QLabel, "Label5");
    Label48 = named(new QLabel, "Label48");
    Label37 = named(new QLabel, "Label37");
    for (QWidget* w : std::initializer_list<QWidget*>{RadioButton1, RadioButton2, CheckBox3, CheckBox12})
        gl->addRow(w);
    gl->addRow(caption("Label6", QStringLiteral("Fichier de configuration")), Label22);
    for (QLabel* l : {Label5, Label48, Label37}) gl->addRow(l);

    auto* dl = page(TabSheet2, "TabSheet2", QStringLiteral("Délais"));
    CheckBox1 = check("CheckBox1", QStringLiteral("Activer"));
    TPGEdit = named(new QLineEdit(QStringLiteral("10")), "TPGEdit");
    UpDown1 = arrows("UpDown1", [this](bool up) { StepDelay(TPGEdit, up ? 1 : -1, 2000); });
    CheckBox2 = check("CheckBox2", QStringLiteral("Activer"));
    TPFEdit = named(new QLineEdit(QStringLiteral("30")), "TPFEdit");
    UpDown2 = arrows("UpDown2", [this](bool up) { StepDelay(TPFEdit, up ? 1 : -1, 1000); });
    TrackBar1 = named(new QSlider(Qt::Horizontal), "TrackBar1");
    TrackBar1->setRange(0, 30);
    TrackBar1->setValue(10);
    Edit4 = named(new QLineEdit(QStringLiteral("3000")), "Edit4");
    Button8 = named(new QPushButton(QStringLiteral("Tester la souris")), "Button8");
    Button9 = named(new QPushButton(QStringLiteral("Tester le clavier")), "Button9");
    Label7 = named(new QLabel(QStringLiteral("Il est parfois nécessaire de mettre un temps de pause afin que les "
                                             "commandes de frappe de caractère se déroulent correctements.")),
                   "Label7");
    Label7->setWordWrap(true);
    Edit2 = named(new QLineEdit, "Edit2");
    Edit2->hide();
    dl->addRow(CheckBox1);
    dl->addRow(caption("Label1", QStringLiteral("Délai entre commandes (ms)")), beside(TPGEdit, UpDown1));
    dl->addRow(CheckBox2);
    dl->addRow(caption("Label2", QStringLiteral("Délai de frappe (ms)")), beside(TPFEdit, UpDown2));
    dl->addRow(caption("Label3", QStringLiteral("Vitesse de la souris")), TrackBar1);
    dl->addRow(caption("Label4", QStringLiteral("Pause souris (ms)")), Edit4);
    dl->addRow(Button8, Button9);
    dl->addRow(Label7);
    dl->addRow(Edit2);

    auto* tl = page(TabSheet3, "TabSheet3", QStringLiteral("Outils"));
    ListBox1 = named(new QListWidget, "ListBox1");
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Button3 = named(new QPushButton(QStringLiteral("Ajouter")), "Button3");
    Button4 = named(new QPushButton(QStringLiteral("Supprimer")), "Button4");
    SpeedButton1 = named(new QPushButton(style()->standardIcon(QStyle::SP_ArrowUp), QStringLiteral("Monter")),
                         "SpeedButton1");
    SpeedButton2 = named(new QPushButton(style()->standardIcon(QStyle::SP_ArrowDown), QStringLiteral("Descendre")),
                         "SpeedButton2");
    auto* toolButtons = new QVBoxLayout;
    for (QPushButton* b : {Button3, Button4, SpeedButton1, SpeedButton2}) toolButtons->addWidget(b);
    toolButtons->addStretch(1);
    auto* toolsRow = new QHBoxLayout;
    toolsRow->addWidget(ListBox1, 1);
    toolsRow->addLayout(toolButtons);
    tl->addRow(toolsRow);

    auto* cl = page(TabSheet4, "TabSheet4", QStringLiteral("Contrôle"));
    CheckBox4 = check("CheckBox4", QStringLiteral("Ne pas executer si erreur avant exécution"));
    CheckBox10 = check("CheckBox10", QStringLiteral("Contrôle des commandes avant chaque exécution"));
    CheckBox5 = check("CheckBox5", QStringLiteral("Créer un rapport"));
    Edit1 = named(new QLineEdit(QStringLiteral(";")), "Edit1");
    Edit1->setMaxLength(1);
    Edit3 = named(new QLineEdit, "Edit3");
    HotKey1 = named(new QKeySequenceEdit(QKeySequence(QStringLiteral("Alt+F1"))), "HotKey1");
    HotKey2 = named(new QKeySequenceEdit(QKeySequence(QStringLiteral("Alt+F2"))), "HotKey2");
    for (QWidget* w : std::initializer_list<QWidget*>{CheckBox4, CheckBox10, CheckBox5}) cl->addRow(w);
    cl->addRow(caption("Label8", QStringLiteral("Séparateur de paramètres")), Edit1);
    SpeedButton3 = named(new QPushButton(QStringLiteral("Parcourir ...")), "SpeedButton3");
    auto* reportRow = new QHBoxLayout;
    reportRow->addWidget(Edit3, 1);
    reportRow->addWidget(SpeedButton3);
    cl->addRow(caption("Label9", QStringLiteral("Fichier rapport")), reportRow);
    cl->addRow(caption("Label10", QStringLiteral("Pause")), HotKey1);
    cl->addRow(caption("Label11", QStringLiteral("Stop")), HotKey2);

    auto* ml = page(TabSheet5, "TabSheet5", QStringLiteral("Divers"));
    CheckBox6 = check("CheckBox6", QStringLiteral("Attendre la fin du son ( Commande Execute *.wav )"));
    ComboBox1 = values(named(new QComboBox, "ComboBox1"), ResolutionFormats());
    ComboBox1->setCurrentIndex(ComboBox1->count() - 1);  // "Pas de changement"
    CheckBox7 = check("CheckBox7", QStringLiteral("Restaurer à la fin de l'exécution"));
    ComboBox3 = named(new QComboBox, "ComboBox3");
    ComboBox3->addItems({QStringLiteral("Français"), QStringLiteral("English")});
    ComboBox5 = named(new QComboBox, "ComboBox5");
    ComboBox5->setEditable(true);  // a picture may be named by its full path
    values(ComboBox5, {QStringLiteral("Aucun"), QStringLiteral("Bézier aléatoire")});
    Button11 = named(new QPushButton(QStringLiteral("Parcourir ...")), "Button11");
    Image1 = named(new QLabel, "Image1");
    Image1->setFixedSize(160, 90);
    Image1->setFrameShape(QFrame::Box);
    CheckBox11 = check("CheckBox11", QStringLiteral("Shuntage des redimensionnements des composants"));
    ml->addRow(CheckBox6);
    ml->addRow(caption("Label12", QStringLiteral("Résolution")), ComboBox1);
    ml->addRow(CheckBox7);
    ml->addRow(caption("Label16", QStringLiteral("Langue")), ComboBox3);
    ml->addRow(caption("Label17", QStringLiteral("Fond")), ComboBox5);
    ml->addRow(Button11, Image1);
    ml->addRow(CheckBox11);

    auto* ul = page(TabSheet6, "TabSheet6", QStringLiteral("Mise à jour"));
    CheckBox8 = check("CheckBox8", QStringLiteral("Autoriser la recherche de mise à jour"));
    ComboBox2 = values(named(new QComboBox, "ComboBox2"), UpdateFrequencies());
    Label36 = named(new QLabel(QStringLiteral("26/06/08")), "Label36");
    Label30 = named(new QLabel, "Label30");
    Button7 = named(new QPushButton(QStringLiteral("Rechercher maintenant")), "Button7");
    Label33 = named(new QLabel, "Label33");
    Memo1 = named(new QPlainTextEdit, "Memo1");
    Memo1->setReadOnly(true);
    ul->addRow(CheckBox8);
    ul->addRow(caption("Label18", QStringLiteral("Fréquence")), ComboBox2);
    ul->addRow(caption("Label19", QStringLiteral("Dernière vérification")), Label36);
    ul->addRow(Label30);
    ul->addRow(Button7, Label33);
    ul->addRow(Memo1);

    auto* kl = page(TabSheet8, "TabSheet8", QStringLiteral("Couleurs"));
    ComboBox4 = values(named(new QComboBox, "ComboBox4"), {QStringLiteral("Affichage"), QStringLiteral("Bézier aléatoire"),
                                                           QStringLiteral("Commandes"), QStringLiteral("Police de caractère")});
    ListBox2 = named(new QListWidget, "ListBox2");
    ListBox2->setSortingEnabled(true);
    Label13 = named(new QLabel(QStringLiteral("Police Commandes")), "Label13");
    Label14 = named(new QLabel(QStringLiteral("Police Parametres")), "Label14");
    Label15 = named(new QLabel(QStringLiteral("Police Variables")), "Label15");
    Label23 = named(new QLabel(QStringLiteral("Police d'impression")), "Label23");
    kl->addRow(caption("Label20", QStringLiteral("Rubrique")), ComboBox4);
    kl->addRow(ListBox2);
    for (QLabel* l : {Label13, Label14, Label15, Label23}) kl->addRow(l);

    auto* pl = page(TabSheet9, "TabSheet9", QStringLiteral("Plug-ins"));
    ListBox3 = named(new QListWidget, "ListBox3");
    ListBox4 = named(new QListWidget, "ListBox4");
    Memo3 = named(new QPlainTextEdit, "Memo3");
    Memo3->setReadOnly(true);
    Image3 = named(new QLabel, "Image3");
    Image3->setFixedSize(32, 32);
    Button5 = named(new QPushButton(QStringLiteral("Ajouter ...")), "Button5");
    Button10 = named(new QPushButton(QStringLiteral("Supprimer")), "Button10");
    pl->addRow(ListBox3, ListBox4);
    pl->addRow(Image3, Memo3);
    pl->addRow(Button5, Button10);
    Label50 = named(new QLabel(QStringLiteral("<a href=\"#\">Rechercher des plug-ins sur internet</a>")), "Label50");
    pl->addRow(Label50);

    auto* ll = page(TabSheet7, "TabSheet7", QStringLiteral("Lancements"));
    ListBox5 = named(new QListWidget, "ListBox5");
    RadioButton4 = named(new QRadioButton(QStringLiteral("Tâche planifiée")), "RadioButton4");
    RadioButton4->setChecked(true);
    RadioButton3 = named(new QRadioButton(QStringLiteral("Raccourci clavier")), "RadioButton3");
    DT1 = named(new QDateEdit(QDate::currentDate()), "DT1");
    DT1->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    DT2 = named(new QLineEdit(QTime::currentTime().toString(QStringLiteral("hh:mm"))), "DT2");
    UpDown3 = arrows("UpDown3", [this](bool up) { UpDown3Click(up); });
    ComboBox6 = named(new QComboBox, "ComboBox6");
    ComboBox6->addItems({QStringLiteral("Une seule fois"), QStringLiteral("Tous les jours"),
                         QStringLiteral("Toutes les semaines"), QStringLiteral("Tous les mois")});
    HotKey3 = named(new QKeySequenceEdit(QKeySequence(QStringLiteral("Alt+A"))), "HotKey3");
    Button12 = named(new QPushButton(QStringLiteral("Ajouter")), "Button12");
    Button14 = named(new QPushButton(QStringLiteral("Supprimer")), "Button14");
    CheckBox9 = check("CheckBox9", QStringLiteral("Lancer le planifieur de tâche au démarrage de Windows."));
    ll->addRow(ListBox5);
    ll->addRow(RadioButton4, RadioButton3);
    ll->addRow(caption("Label21", QStringLiteral("Date")), DT1);
    ll->addRow(caption("Label24", QStringLiteral("Heure")), beside(DT2, UpDown3));
    ll->addRow(caption("Label25", QStringLiteral("Fréquence")), ComboBox6);
    ll->addRow(caption("Label26", QStringLiteral("Raccourci")), HotKey3);
    ll->addRow(Button12, Button14);
    ll->addRow(CheckBox9);

    Button1 = named(new QPushButton(QStringLiteral("Valider")), "Button1");
    Button2 = named(new QPushButton(QStringLiteral("Annuler")), "Button2");
    Button6 = named(new QPushButton(QStringLiteral("Enregistrer")), "Button6");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button6);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, &TForm19::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm19::Button2Click);
    connect(Button6, &QPushButton::clicked, this, &TForm19::Button6Click);
    connectTabs();
    FormCreate();
}
