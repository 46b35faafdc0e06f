#include "tools/Unit19.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

TForm19* Form19 = nullptr;

namespace {
template <class W>
W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QCheckBox* check(const char* name, const QString& text) { return named(new QCheckBox(text), name); }
}  // namespace

TForm19::TForm19(QWidget* parent) : TForm(19, QStringLiteral("Options de Orvanel"), parent) {
    Form19 = this;
    PageControl1 = named(new QTabWidget(this), "PageControl1");

    auto* delays = new QWidget;
    auto* dl = new QFormLayout(delays);
    CheckBox1 = check("CheckBox1", QStringLiteral("Activer"));
    TPGEdit = named(new QLineEdit(QStringLiteral("10")), "TPGEdit");
    UpDown1 = named(new QSpinBox, "UpDown1");
    UpDown1->setRange(0, 2000);
    CheckBox2 = check("CheckBox2", QStringLiteral("Activer"));
    TPFEdit = named(new QLineEdit(QStringLiteral("30")), "TPFEdit");
    UpDown2 = named(new QSpinBox, "UpDown2");
    UpDown2->setRange(0, 1000);
    TrackBar1 = named(new QSlider(Qt::Horizontal), "TrackBar1");
    TrackBar1->setRange(0, 30);
    TrackBar1->setValue(10);
    Edit4 = named(new QLineEdit(QStringLiteral("3000")), "Edit4");
    dl->addRow(CheckBox1);
    dl->addRow(QStringLiteral("Délai entre commandes (ms)"), TPGEdit);
    dl->addRow(QString(), UpDown1);
    dl->addRow(CheckBox2);
    dl->addRow(QStringLiteral("Délai de frappe (ms)"), TPFEdit);
    dl->addRow(QString(), UpDown2);
    dl->addRow(QStringLiteral("Vitesse de la souris"), TrackBar1);
    dl->addRow(QStringLiteral("Pause souris (ms)"), Edit4);
    PageControl1->addTab(delays, QStringLiteral("Délais"));

    auto* general = new QWidget;
    auto* gl = new QFormLayout(general);
    CheckBox12 = check("CheckBox12", QStringLiteral("Placer les variables en tête de macro"));
    RadioButton1 = named(new QRadioButton(QStringLiteral("Edition")), "RadioButton1");
    RadioButton2 = named(new QRadioButton(QStringLiteral("Insertion")), "RadioButton2");
    RadioButton2->setChecked(true);
    CheckBox3 = check("CheckBox3", QStringLiteral("Grille"));
    ComboBox5 = named(new QComboBox, "ComboBox5");
    ComboBox5->setEditable(true);  // a picture may be named by its full path
    ComboBox5->addItems({QStringLiteral("Aucun"), QStringLiteral("Bézier aléatoire")});
    ListBox1 = named(new QListWidget, "ListBox1");
    ComboBox3 = named(new QComboBox, "ComboBox3");
    ComboBox3->addItem(QStringLiteral("Français"));
    ComboBox3->setEditable(true);
    for (QWidget* w : {static_cast<QWidget*>(CheckBox12), static_cast<QWidget*>(RadioButton1),
                       static_cast<QWidget*>(RadioButton2), static_cast<QWidget*>(CheckBox3)})
        gl->addRow(w);
    gl->addRow(QStringLiteral("Fond"), ComboBox5);
    gl->addRow(QStringLiteral("Langue"), ComboBox3);
    gl->addRow(QStringLiteral("Outils"), ListBox1);
    Label5 = named(new QLabel, "Label5");
    Label48 = named(new QLabel, "Label48");
    Label37 = named(new QLabel, "Label37");
    for (QLabel* l : {Label5, Label48, Label37}) gl->addRow(l);
    PageControl1->addTab(general, QStringLiteral("Général"));

    auto* control = new QWidget;
    auto* cl = new QFormLayout(control);
    CheckBox4 = check("CheckBox4", QStringLiteral("Ne pas executer si erreur avant exécution"));
    CheckBox10 = check("CheckBox10", QStringLiteral("Contrôle des commandes avant chaque exécution"));
    CheckBox5 = check("CheckBox5", QStringLiteral("Créer un rapport"));
    Edit1 = named(new QLineEdit(QStringLiteral(";")), "Edit1");
    Edit1->setMaxLength(1);
    Edit3 = named(new QLineEdit, "Edit3");
    CheckBox11 = check("CheckBox11", QStringLiteral("Shuntage des redimensionnements des composants"));
    HotKey1 = named(new QKeySequenceEdit(QKeySequence(QStringLiteral("Alt+F1"))), "HotKey1");
    HotKey2 = named(new QKeySequenceEdit(QKeySequence(QStringLiteral("Alt+F2"))), "HotKey2");
    for (QWidget* w : {static_cast<QWidget*>(CheckBox4), static_cast<QWidget*>(CheckBox10),
                       static_cast<QWidget*>(CheckBox5), static_cast<QWidget*>(CheckBox11)})
        cl->addRow(w);
    cl->addRow(QStringLiteral("Séparateur de paramètres"), Edit1);
    cl->addRow(QStringLiteral("Fichier rapport"), Edit3);
    cl->addRow(QStringLiteral("Pause"), HotKey1);
    cl->addRow(QStringLiteral("Stop"), HotKey2);
    PageControl1->addTab(control, QStringLiteral("Contrôle"));

    auto* fonts = new QWidget;
    auto* fl = new QVBoxLayout(fonts);
    Label13 = named(new QLabel(QStringLiteral("Police Commandes")), "Label13");
    Label14 = named(new QLabel(QStringLiteral("Police Parametres")), "Label14");
    Label15 = named(new QLabel(QStringLiteral("Police Variables")), "Label15");
    Label23 = named(new QLabel(QStringLiteral("Police d'impression")), "Label23");
    for (QLabel* l : {Label13, Label14, Label15, Label23}) fl->addWidget(l);
    PageControl1->addTab(fonts, QStringLiteral("Polices"));

    TabSheet5 = named(new QWidget, "TabSheet5");
    auto* ml = new QFormLayout(TabSheet5);
    CheckBox6 = check("CheckBox6", QStringLiteral("Attendre la fin du son ( Commande Execute *.wav )"));
    ComboBox1 = named(new QComboBox, "ComboBox1");
    for (const char* mode : {"800 * 600 8 bits", "800 * 600 16 bits", "800 * 600 32 bits", "1024 * 768 8 bits",
                             "1024 * 768 16 bits", "1024 * 768 32 bits", "1152 * 864 8 bits", "1152 * 864 16 bits",
                             "1152 * 864 32 bits", "1280 * 768 8 bits", "1280 * 768 16 bits", "1280 * 768 32 bits",
                             "Pas de changement"})
        ComboBox1->addItem(QString::fromLatin1(mode));
    ComboBox1->setCurrentText(QStringLiteral("Pas de changement"));
    CheckBox7 = check("CheckBox7", QStringLiteral("Restaurer à la fin de l'exécution"));
    CheckBox8 = check("CheckBox8", QStringLiteral("Autoriser la recherche de mise à jour"));
    ComboBox2 = named(new QComboBox, "ComboBox2");
    ComboBox2->addItems({QStringLiteral("A chaque démarrage de l'éditeur"), QStringLiteral("Une fois par semaine"),
                         QStringLiteral("Une fois par mois")});
    Label36 = named(new QLabel(QStringLiteral("26/06/08")), "Label36");
    Label30 = named(new QLabel, "Label30");
    Button7 = named(new QPushButton(QStringLiteral("Rechercher maintenant")), "Button7");
    ml->addRow(CheckBox6);
    ml->addRow(QStringLiteral("Résolution"), ComboBox1);
    ml->addRow(CheckBox7);
    ml->addRow(CheckBox8);
    ml->addRow(QStringLiteral("Fréquence"), ComboBox2);
    ml->addRow(QStringLiteral("Dernière vérification"), Label36);
    ml->addRow(Label30);
    ml->addRow(Button7);
    PageControl1->addTab(TabSheet5, QStringLiteral("Divers"));
    TabSheet7 = named(new QWidget, "TabSheet7");
    PageControl1->addTab(TabSheet7, QStringLiteral("Lancements"));
    TabSheet9 = named(new QWidget, "TabSheet9");
    PageControl1->addTab(TabSheet9, QStringLiteral("Plug-ins"));

    Label22 = named(new QLabel, "Label22");
    Button1 = named(new QPushButton(QStringLiteral("Valider")), "Button1");
    Button2 = named(new QPushButton(QStringLiteral("Annuler")), "Button2");
    Button6 = named(new QPushButton(QStringLiteral("Enregistrer")), "Button6");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Label22, 1);
    buttons->addWidget(Button6);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, &TForm19::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm19::Button2Click);
    connect(Button6, &QPushButton::clicked, this, &TForm19::Button6Click);
    FormCreate();
}
