// One faulty row of each kind and the exact findings it gives.
#include "tests/unit/test_checker_support.h"

#include "platform/fake/FakePlatform.h"

#include <QDir>
#include <QFile>

namespace {

using Rows = QVector<QPair<QString, QString>>;

struct RuleCase {
    const char* title;
    Rows rows;           // "$TMP" stands for a private folder
    int row;             // the row checked
    QStringList found;   // its check-list rows
    bool passes = false; // the routine's result
};

const QString kNum = QStringLiteral("N;0;Numerique;");
const QString kAlpha = QStringLiteral("A;;Alpha;");
const QString kNbParam = QStringLiteral("Nombre de paramètre invalide.");

QString generic(int param, const QString& command, const QString& kinds) {
    return QStringLiteral("Le paramètre %1 de la commande \"%2\" doit être de type suivant [%3].").arg(param).arg(command, kinds);
}

const QVector<RuleCase>& ruleCases() {
    static const QVector<RuleCase> cases = {
        // Goto
        {"goto to a missing label", {{"Goto", "Nowhere"}}, 0, {E(1, "Le Label nommé Nowhere n'existe pas.")}},
        {"goto past the end + 1", {{"Type", "x"}, {"Goto", "4"}}, 1, {E(2, "La commande n° 4 n'existe pas.")}},
        {"goto to the end of the macro", {{"Type", "x"}, {"Goto", "3"}}, 1, {}, true},
        {"goto to line 0", {{"Goto", "0"}}, 0, {E(1, "La commande n° 0 n'existe pas.")}},
        {"goto to its own line", {{"Type", "x"}, {"Goto", "2"}}, 1,
         {E(2, "La commande Goto ne peut pas Boucler sur soi-même.")}},
        // Label
        {"label without goto", {{"Type", "x"}, {"Label", "L"}}, 1, {W(2, "Aucun Goto L n'a été appelé.")}, true},
        {"label without goto on the first row", {{"Label", "L"}}, 0, {W(1, "Aucun Goto L n'a été appelé.")}, true},
        {"label defined twice", {{"Label", "L"}, {"Type", "x"}, {"Goto", "L"}, {"Label", "L"}}, 0,
         {E(1, "Le label nommé L est défini 2 fois.")}},
        {"empty label-goto loop", {{"Label", "L"}, {"Goto", "L"}}, 0,
         {E(1, "La boucle Label-Goto ne peut pas être vide.")}},
        // Procedure
        {"procedure without end", {{"Procedure", "P"}, {"Type", "x"}}, 0, {E(1, "Fin de procédure introuvable.")}},
        {"end without procedure", {{"Type", "x"}, {"Procedure", "END"}}, 1, {E(2, "Aucune procédure à fermer.")}},
        {"call of a missing procedure", {{"Procedure", "CALL Q"}}, 0, {E(1, "Définition de procédure introuvable.")}},
        {"well-formed procedure", {{"Procedure", "P"}, {"Procedure", "END"}, {"Procedure", "CALL P"}}, 2, {}, true},
        {"procedure ended by ENDP1", {{"Procedure", "P1"}, {"Procedure", "ENDP1"}}, 0, {}, true},
        {"ENDP1 closes its procedure", {{"Procedure", "P1"}, {"Procedure", "ENDP1"}}, 1, {}, true},
        {"call of a name only a variable declares", {{"Variable", "P;P;Alpha;"}, {"Procedure", "CALL P"}}, 1,
         {E(2, "Définition de procédure introuvable.")}},
        // Variable
        {"variable name with an operator", {{"Variable", "A+B;0;Numerique;"}, {"Type", "A+B"}}, 0,
         {E(1, "Le nom de la variable ne peut posséder le caractère \"+\".")}},
        {"mail without @", {{"Variable", "[MACRO.MAIL];nobody;Alpha;"}}, 0,
         {W(1, "Adresse mail invalide."), W(1, "La variable nommée [MACRO.MAIL] n'est pas utilisée.")}, true},
        {"variable with 2 fields", {{"Variable", "X;0;"}}, 0, {E(1, kNbParam)}},
        {"unused variable", {{"Variable", "X;0;Numerique;"}}, 0, {W(1, "La variable nommée X n'est pas utilisée.")}, true},
        {"variable whose value holds the separator", {{"Variable", "X;a;b;Alpha;"}, {"Type", "X"}}, 0, {}, true},
        // Examine
        {"examine with 2 fields", {{"Examine", "N;=;"}}, 0, {E(1, kNbParam)}},
        {"examine with an empty first field", {{"Examine", ";=;1;"}, {"Type", "a"}, {"Type", "b"}}, 0,
         {E(1, "Vous devez spécifez tous les paramètres."), E(1, "Le premier paramètre d'examine doit être une variable.")}},
        {"examine against an alpha variable", {{"Variable", kNum}, {"Variable", kAlpha}, {"Examine", "N;=;A;"}, {"Type", "a"}, {"Type", "b"}}, 2,
         {W(3, "Assurez vous que la variable du deuxième paramètre de la commande d'examine contient une valeur numerique.")}, true},
        {"examine against a word", {{"Variable", kNum}, {"Examine", "N;=;abc;"}, {"Type", "a"}, {"Type", "b"}}, 1,
         {E(2, "Le deuxième operande doit être un nombre entier.")}},
        {"examine on the second-to-last row", {{"Variable", kNum}, {"Examine", "N;=;1;"}, {"Type", "a"}}, 1,
         {E(2, "La commande examine a besoin de deux commandes placées en dessous d'elle pour agir correctement.")}},
        {"examine above a label", {{"Variable", kNum}, {"Examine", "N;=;1;"}, {"Label", "L"}, {"Type", "b"}}, 1,
         {E(3, "Un label ne peut pas être défini à cette endroit, car la position de cette commande appartient à la commande Examine ci-dessus.")}},
        {"examine above a procedure", {{"Variable", kNum}, {"Examine", "N;=;1;"}, {"Type", "a"}, {"Procedure", "P"}}, 1,
         {E(4, "Une procédure ne peut pas être définie à cette endroit, car la position de cette commande appartient à la commande Examine ci-dessus.")}},
        {"examine above a call", {{"Variable", kNum}, {"Examine", "N;=;1;"}, {"Type", "a"}, {"Procedure", "CALL P"}}, 1, {}, true},
        // Calcul
        {"calcul with 2 fields", {{"Calcul", "N;+;"}}, 0, {E(1, kNbParam)}},
        {"calcul on a word", {{"Calcul", "X;+;1;"}}, 0, {E(1, "Le premier paramètre de calcul doit être une variable.")}},
        {"calcul with an alpha operand", {{"Variable", kNum}, {"Variable", kAlpha}, {"Calcul", "N;+;A;"}}, 2,
         {W(3, "Assurez vous que la variable du deuxième paramètre de la commande calcul contient une valeur numerique.")}, true},
        {"subtraction from an alpha variable", {{"Variable", kAlpha}, {"Calcul", "A;-;x;"}}, 1,
         {E(2, "Operation impossible sur une variable de type alphanumérique.")}},
        {"division by 0", {{"Variable", kNum}, {"Calcul", "N;/;0;"}}, 1, {E(2, "Division par 0 impossible.")}},
        {"calcul with a word operand", {{"Variable", kNum}, {"Calcul", "N;+;x;"}}, 1,
         {E(2, "Le deuxième operande doit être un nombre entier.")}},
        {"calcul into a read-only variable", {{"Calcul", "[MOUSE.X];+;1;"}}, 0,
         {E(1, "Le premier paramètre de calcul doit être une variable."), E(1, "La variable [MOUSE.X] est en lecture seule.")}},
        {"calcul évolué into a read-only variable", {{"Calcul évolué", " [MOUSE.X] = 1+2"}}, 0,
         {E(1, "La variable [MOUSE.X] est en lecture seule.")}},
        {"calcul évolué into a writable variable", {{"Calcul évolué", "[ERROR]=1"}}, 0, {}, true},
        // Type, Click
        {"empty type", {{"Type", ""}}, 0, {W(1, "Commande inutile puisque aucun paramètre")}, true},
        {"click without action", {{"Click", ""}}, 0, {W(1, "Aucun paramètre n'est spécifié dans la commande Click.")}, true},
        {"more presses than releases", {{"Click", "Left Down;"}, {"Click", "Left Down;"}, {"Click", "Left Up;"}}, 2,
         {W(3, "Le nombre d'appui du bouton Left Down de la souris est supérieur au relâchement.")}, true},
        {"a release without press", {{"Click", "Right Up;"}}, 0,
         {W(1, "Le nombre de relâchement du bouton Right Up de la souris est supérieur à l'appui.")}, true},
        {"balanced clicks", {{"Click", "Middle Down;"}, {"Click", "Middle Up;"}}, 0, {}, true},
        // Move Mouse (the fake screen is 1024 x 768)
        {"move mouse with 2 fields", {{"Move Mouse", "1;2;"}}, 0, {E(1, kNbParam)}},
        {"move mouse to the screen's far corner", {{"Move Mouse", "1024;768;Direct;snap;"}}, 0, {}, true},
        {"move mouse past the screen width", {{"Move Mouse", "1025;5;Direct;"}}, 0,
         {E(1, generic(1, "Déplacement souris", "variable numérique, valeur comprise entre 0 et 1024"))}},
        {"move mouse with two bad fields", {{"Move Mouse", "5;800;Sideways;"}}, 0,
         {E(1, generic(2, "Déplacement souris", "variable numérique, valeur comprise entre 0 et 768")),
          E(1, generic(3, "Déplacement souris", "Direct, Indirect"))}},
        {"move mouse to variables", {{"Variable", kNum}, {"Move Mouse", "N;N;Indirect;"}}, 1, {}, true},
        // Lire, Ecrire
        {"lire with 2 fields", {{"Lire", "a;b;"}}, 0, {E(1, kNbParam)}},
        {"lire of nothing into nothing", {{"Lire", "$TMP/none.txt;V;x;"}}, 0,
         {W(1, "Le fichier $TMP/none.txt appelé dans la commande lire n'existe pas."),
          E(1, "La variable V appelée dans la commande lire n'existe pas."), E(1, "La position de lecture est invalide.")}},
        {"lire at an alpha position", {{"Variable", kAlpha}, {"Lire", "$TMP/data.txt;A;A;"}}, 1,
         {W(2, "Assurez-vous que la variable placée dans la position de lecture contient une valeur numerique.")}, true},
        {"lire into a read-only variable", {{"Lire", "$TMP/data.txt;[MOUSE.X];1;"}}, 0,
         {E(1, "La variable [MOUSE.X] appelée dans la commande lire n'existe pas."),
          E(1, "La variable [MOUSE.X] est en lecture seule.")}},
        {"lire into a writable system variable", {{"Lire", "$TMP/data.txt;[ERROR];0;"}}, 0, {}, true},
        {"ecrire with 1 field", {{"Ecrire", "a;"}}, 0, {E(1, kNbParam)}},
        {"ecrire without file name", {{"Ecrire", ";x;1;"}}, 0,
         {W(1, "Nom de fichier  est peut être incorrect dans la commande ecrire.")}, true},
        {"ecrire to a file", {{"Ecrire", "$TMP/out.txt;x;1;"}}, 0, {}, true},
        // Question, Pause, Execute
        {"question with 2 fields", {{"Question", "a;b;"}}, 0, {E(1, kNbParam)}},
        {"question without texts", {{"Question", ";;V;"}}, 0,
         {W(1, "Aucun titre n'est spécifié dans la fenêtre de la commande question."),
          W(1, "Aucun message n'est spécifié dans la fenêtre de la commande question."),
          E(1, "La variable V appelée dans la commande question n'existe pas.")}},
        {"question into a read-only variable", {{"Question", "t;m;[MOUSE.X];"}}, 0,
         {E(1, "La variable [MOUSE.X] appelée dans la commande question n'existe pas."),
          E(1, "La variable [MOUSE.X] est en lecture seule.")}},
        {"question without variable", {{"Question", "t;m;;"}}, 0, {}, true},
        {"pause of a word", {{"Pause", "abc"}}, 0, {E(1, "Le temps de pause est invalide, (00:00:01) ou variable.")}},
        {"pause of an alpha variable", {{"Variable", kAlpha}, {"Pause", "A"}}, 1,
         {W(2, "Assurez-vous que la variable placée dans le temps de pause contient une valeur 00:00:00.")}, true},
        {"pause of a numeric variable", {{"Variable", kNum}, {"Pause", "N"}}, 1, {}, true},
        {"pause of a time", {{"Pause", "00:00:05"}}, 0, {}, true},
        {"execute of a numeric variable", {{"Variable", kNum}, {"Execute", "N;"}}, 1, {E(2, "La variable N est numèrique.")}},
        // Fonction
        {"fonction into a word", {{"Fonction", "X;Date;Jour;"}}, 0,
         {E(1, generic(1, "Fonction", "variable alphanumérique, variable numérique"))}},
        {"fonction position with 5 fields", {{"Variable", kAlpha}, {"Fonction", "A;Texte;Caractère(s)/Position(s);t;1;"}}, 1,
         {E(2, "Le paramètre 6 de la commande Caractère(s)/Position(s) est introuvable.")}},
        {"fonction length with 4 fields", {{"Variable", kAlpha}, {"Fonction", "A;Texte;Caractère(s)/Longueur;t;"}}, 1,
         {E(2, "Le paramètre 5 de la commande Caractère(s)/Longueur est introuvable.")}},
        {"fonction longueur with 5 fields", {{"Variable", kAlpha}, {"Fonction", "A;Texte;Longueur;t;x;"}}, 1,
         {E(2, "Veuillez sélectionner dans les paramètres uniquement le texte a traiter.")}},
        {"fonction position of numbers", {{"Variable", kAlpha}, {"Fonction", "A;Texte;Caractère(s)/Position(s);12;x;2;"}}, 1,
         {E(2, generic(4, "Fonction", "valeur alphanumérique, variable alphanumérique")),
          E(2, generic(5, "Fonction", "valeur numérique, variable numérique"))}},
        {"fonction into a read-only variable", {{"Fonction", "[MOUSE.X];Date;Jour;"}}, 0,
         {E(1, generic(1, "Fonction", "variable alphanumérique, variable numérique")),
          E(1, "La variable [MOUSE.X] est en lecture seule.")}},
        // Champs
        {"champs of a word", {{"Champs", "X;D;"}}, 0,
         {E(1, "La variable a traiter dans la commande déclaration de champs n'est pas valide."),
          W(1, "Si vous ne séléctionnez pas de séparateur cette commande devient obsolette."),
          W(1, "Si vous n'utilisez pas de champ cette commande devient obsolette.")}},
        {"champs with an undeclared field", {{"Variable", kAlpha}, {"Champs", "A;D;,;;;;;F1;x;"}}, 1,
         {E(2, "Le champ F1n'a pas de variable correpondant, veuillez déclarer la variable."),
          E(2, "Le paramètre du champ F1n'est pas un nombre entier.")}},
        {"fixed champs without field", {{"Variable", kAlpha}, {"Champs", "A;F;"}}, 1,
         {W(2, "Si vous n'utilisez pas de champ cette commande devient obsolette.")}, true},
        {"fixed champs with a bad start", {{"Variable", kAlpha}, {"Variable", "F1;;Alpha;"}, {"Champs", "A;F;F1;x;2;"}}, 2,
         {E(3, "L'un des paramètres du champ F1n'est pas un nombre entier.")}},
        // Objet
        {"objet with 2 fields", {{"Objet", "1;2;"}}, 0, {E(1, kNbParam)}},
        {"objet out of its ranges", {{"Objet", "1;0;app;cls;t;0;0;3;4;;;300;"}}, 0,
         {E(1, generic(8, "Objet", "valeur comprise entre 1 et 2")), E(1, generic(9, "Objet", "valeur comprise entre 1 et 3")),
          E(1, generic(12, "Objet", "valeur comprise entre 0 et 256"))}},
        {"objet counting without count", {{"Objet", "1;0;app;cls;t;0;0;1;3;;;0;"}}, 0,
         {E(1, generic(11, "Objet", "variable numérique, valeur comprise entre 1 et 999"))}},
        {"objet with a numeric class", {{"Objet", "1;0;app;12;t;-5;5;2;1;;5;0;"}}, 0,
         {E(1, generic(4, "Objet", "valeur alphanumérique"))}},
        // Display, power and folder tools (the fake screen offers 800x600, 1024x768, 1280x1024 in 32 bits)
        {"resolution of an odd width", {{"Outil Affichage", "Résolution;1000;768;32 bits;"}}, 0,
         {E(1, generic(2, "Résolution", "320, 400, 480, 512, 640, 720, 800, 848, 960, 1024, 1152, 1280, 1360, 1600, 1920"))}},
        {"resolution the screen lacks", {{"Outil Affichage", "Résolution;640;480;8 bits;"}}, 0,
         {E(1, "Le mode Graphique n'est pas supporté.")}},
        {"resolution the screen has", {{"Outil Affichage", "Résolution;1024;768;32 bits;"}}, 0, {}, true},
        {"odd refresh rate", {{"Outil Affichage", "Fréquence;61;"}}, 0,
         {E(1, generic(2, "Fréquence", "60, 70, 72, 75, 85, 100, 120, 140, 144, 150, 170, 200"))}},
        {"unknown power action", {{"Outil Alimentation", "Exploser;"}}, 0,
         {E(1, generic(1, "Outil alimentation", "Fermer la session, Eteindre, Redémarrer, Mise en veille"))}},
        {"folder tool", {{"Outil Répertoire", "Créer;;"}}, 0, {}, true},
        // Screen and file tools
        {"bmp capture into a jpg", {{"Outil Ecran", "Copier vers bmp;$TMP/shot.jpg;"}}, 0,
         {E(1, "Le paramètre 1 n'est pas un fichier avec l'extension .bmp.")}},
        {"jpg capture with an upper-case extension", {{"Outil Ecran", "Copier vers jpg;$TMP/shot.JPG;"}}, 0,
         {E(1, "Le paramètre 1 n'est pas un fichier avec l'extension .jpg.")}},
        {"capture without file name", {{"Outil Ecran", "Copier vers bmp;;"}}, 0,
         {E(1, "Le paramètre 1 n'est pas un nom de fichier valide.")}},
        {"capture into a numeric variable", {{"Variable", kNum}, {"Outil Ecran", "Copier vers jpg;N;"}}, 1,
         {E(2, "Le paramètre 1 ne peut pas être une variable numèrique.")}},
        {"capture over an existing file", {{"Outil Ecran", "Copier vers bmp;$TMP/old.bmp;"}}, 0,
         {W(1, "Vous allez écraser un fichier existant.")}, true},
        {"copy of a nameless file", {{"Outil Fichier", "Copier;;$TMP;"}}, 0,
         {E(1, "Le paramètre 1 n'est pas un nom de fichier valide.")}},
        {"copy into no folder", {{"Outil Fichier", "Copier;$TMP/data.txt;;"}}, 0,
         {E(1, "Le paramètre 2 n'est pas un répertoire valide.")}},
        {"rename to no name", {{"Outil Fichier", "Renommer;$TMP/data.txt;;"}}, 0,
         {E(1, "Le paramètre 2 n'est pas un nom de fichier valide.")}},
        {"move between numeric variables", {{"Variable", kNum}, {"Outil Fichier", "Déplacer;N;N;"}}, 1,
         {E(2, "Le paramètre 1 ne peut pas être une variable numèrique."),
          E(2, "Le paramètre 2 ne peut pas être une variable numèrique.")}},
        {"delete of a missing file", {{"Outil Fichier", "Effacer;$TMP/none.txt;"}}, 0,
         {W(1, "Le fichier que vous voulez effacer n'existe pas (A moins qu'il soit créé durant l'exécution de la macro).")}, true},
        {"copy of a file into a folder", {{"Outil Fichier", "Copier;$TMP/data.txt;$TMP;"}}, 0, {}, true},
        // Inclusion, script, unknown keyword
        {"missing inclusion", {{"Inclusion", "$TMP/none.mcr"}}, 0, {E(1, "Fichier inclusion introuvable [$TMP/none.mcr].")}},
        {"existing inclusion", {{"Inclusion", "$TMP/data.txt"}}, 0, {}, true},
        {"script in an unknown language", {{"ScriptEval", "Python;R;1+1"}}, 0,
         {E(1, generic(1, "ScriptEval", "JScript, VBScript"))}},
        {"script into a number", {{"ScriptEval", "JScript;12;1+1"}}, 0, {E(1, generic(2, "ScriptEval", "valeur alphanumérique"))}},
        {"script with a syntax error", {{"ScriptEval", "JScript;R;1+("}}, 0,
         {W(1, "L'expression du script comporte une erreur de syntaxe.")}, true},
        {"script that would never end", {{"ScriptEval", "JScript;R;while(true){}"}}, 0, {}, true},
        {"script over declared variables", {{"Variable", "<Var1>;0;Numerique;"}, {"ScriptEval", "JScript;R;<Var1> > 2"}}, 1, {}, true},
        {"vbscript with an open string", {{"ScriptEval", "VBScript;R;\"abc = 1"}}, 0,
         {W(1, "L'expression du script comporte une erreur de syntaxe.")}, true},
        {"vbscript with a call left open", {{"ScriptEval", "VBScript;R;Len(\"a\""}}, 0,
         {W(1, "L'expression du script comporte une erreur de syntaxe.")}, true},
        {"vbscript calling an unknown function", {{"ScriptEval", "VBScript;R;Foo(1) > 2"}}, 0,
         {W(1, "L'expression du script comporte une erreur de syntaxe.")}, true},
        {"vbscript over declared variables", {{"Variable", "<Var1>;0;Numerique;"}, {"Variable", "<Var12>;a;Alpha;"},
                                              {"ScriptEval", "VBScript;R;<Var12> & Len(<Var1>) = \"11\""}}, 2, {}, true},
        // The check substitutes as the run does: the whole expression, whole names.
        {"script with the separator inside", {{"ScriptEval", "JScript;R;'a;b'.length > 2"}}, 0, {}, true},
        {"vbscript with a name inside a word", {{"Variable", "a;x;Alpha;"}, {"Variable", "T;y;Alpha;"},
                                                {"ScriptEval", "VBScript;R;Len(Trim(\"abc\")) > a & T"}}, 2, {}, true},
        {"unknown keyword", {{"Bidule", "x;"}}, 0, {E(1, "<unknown>")}},
    };
    return cases;
}

class CheckerRulesTest : public CheckerTest, public ::testing::WithParamInterface<int> {};

TEST_P(CheckerRulesTest, GivesTheExactFindings) {
    const RuleCase& c = ruleCases()[GetParam()];
    SCOPED_TRACE(c.title);
    const QString tmp = home.path() + QStringLiteral("/files");
    QDir().mkpath(tmp);
    for (const char* name : {"data.txt", "old.bmp"}) {
        QFile f(tmp + u'/' + QLatin1String(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    Rows rows = c.rows;
    for (auto& r : rows) r.second.replace(QStringLiteral("$TMP"), tmp);
    setRows(rows);
    QStringList expected = c.found;
    expected.replaceInStrings(QStringLiteral("$TMP"), tmp);
    EXPECT_EQ(checkRow(c.row), c.passes);
    EXPECT_EQ(checkList(), expected);
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, CheckerRulesTest, ::testing::Range(0, int(ruleCases().size())));

// Monitors side by side: X up to the sum of their widths, Y up to the tallest.
TEST_F(CheckerTest, MoveMouseReachesEveryMonitor) {
    auto& fake = static_cast<platform::FakePlatform&>(platform::desktop());
    fake.monitors = {QRect(0, 0, 1024, 768), QRect(1024, 0, 1280, 1024)};
    const QString bounds = QStringLiteral("variable numérique, valeur comprise entre 0 et %1");
    const std::pair<QString, QStringList> cases[] = {
        {"2304;1024;Direct;", {}},
        {"2305;5;Direct;", {E(1, generic(1, "Déplacement souris", bounds.arg(2304)))}},
        {"5;1025;Direct;", {E(1, generic(2, "Déplacement souris", bounds.arg(1024)))}},
    };
    for (const auto& [params, found] : cases) {
        setRows({{"Move Mouse", params}});
        EXPECT_EQ(checkRow(0), found.isEmpty()) << params.toStdString();
        EXPECT_EQ(checkList(), found) << params.toStdString();
    }
}

TEST_F(CheckerTest, CommandsWithoutRoutineAlwaysPass) {
    for (const char* keyword : {"Trouve image", "Commentaire", "Parcours souris", "Manipulation", "Quitter", "Message"}) {
        setRows({{keyword, ";;garbage;;;"}});
        EXPECT_TRUE(checkRow(0)) << keyword;
        EXPECT_TRUE(checkList().isEmpty()) << keyword;
    }
}

}  // namespace
