#include "core/CommandTree.h"

#include "core/Description.h"
#include "core/Unit1.h"

#include <QTreeWidget>

QVector<TDetailOrder> TAllDetailOrder;

namespace {

// One node a line, two blanks of indentation a level.
constexpr char16_t kNodes[] = uR"(Clavier
  Tape de Texte
  Combinaison de touche
Souris
  Clique
  Déplacement
Exécute
  Programme
  Email
  Page internet
Label & Goto
  Label
  Goto
Variable
  Alphanumérique
  Numérique
Fenêtre
  Message
  Question
Pause
  Pause
Examine
  Égale
  Différent
  Inférieur
  Supérieur
Calcul
  Évolué
  Addition
  Soustraction
  Division
  Multiplication
Fonction
  Date
    JJ/MM/AAAA
    JJMMAAAA
    AAAAMMJJ
    Jour
    Mois
    Année
  Heure
    HH:MM:SS
    HHMMSS
    Heure
    Minute
    Seconde
  Clipboard
    Texte
  Texte
    Longueur
    Caractère/position
    Caractère/Longueur
    Majuscule
    Minuscule
  Ecran
    Longueur
    Largeur
  Curseur
    Position X
    Position Y
  Handle
    Texte
    Longueur
    Largeur
    Etat
  Hasard
    Lettre
    Nombre
  Fichier
    Nombre d'enregistrement
    Existe
    Taille en octets
    Extrait nom de fichier
    Extrait répertoire
    Extrait extension
  Répertoire système
    Répertoire Maison
    Répertoire Program File
    Répertoire Temporaire
    Répertoire Windows
    Répertoire Orvanel
    Répertoire macro
  Paramètre d'exécution
    Paramètre n°
    Nombre de paramètre
  Nombre
    Abs
    Cos
    Cotang
    Décimales
    Monétaire
    Tang
    Tronc
    Sin
  Disque
    Type de disque
    Taille Totale
    Taille Disponible
Quitter
  Quitter
Commentaire
  Commentaire
Lire et Ecrire
  Lire
  Ecrire
Objet
  Objet
Manipulation sur objet
  Restaurer
  Déplacer
  Taille
  Réduire
  Agrandir
  Fermer
  Déplacement souris
  Changement texte
  Fermeture forcée
Outils divers
  Affichage
    Résolution
    Fréquence
  Alimentation
    Fermer session
    Eteindre
    Redémarrer
    Mise en veille
  Ecran
    Copier vers bmp
    Copier vers jpg
  Fichier
    Copier
    Déplacer
    Effacer
    Renommer
    Rechercher
  Répertoire
    Créer
    Supprimer
Champs
  Champs
Trouve Image
  Trouve Image
Procédure
  Déclaration
  Fin
  Appel
Script
  JScript
  VBScript
Ouvrir une session au démarrage
Ne pas ouvrir la session au démarrage)";

QStringList nodeLines() { return QString::fromUtf16(kNodes).split(u'\n'); }

}  // namespace

void BuildCommandTree(QTreeWidget* tree) {
    QVector<QTreeWidgetItem*> parents;
    for (const QString& line : nodeLines()) {
        const qsizetype level = (line.size() - QStringView(line).trimmed().size()) / 2;
        parents.resize(level);
        auto* node = level == 0 ? new QTreeWidgetItem(tree, {line.trimmed()})
                                : new QTreeWidgetItem(parents.last(), {line.trimmed()});
        parents << node;
    }
}

int BuiltInCommandNodes() { return int(nodeLines().size()); }

void FillCommandNames() {
    TAllDetailOrder.clear();
    if (!Form1 || !Form1->TreeView1) return;
    for (QTreeWidgetItemIterator it(Form1->TreeView1); *it; ++it)
        TAllDetailOrder.append({(*it)->text(0), (*it)->text(0)});
}

void SetCommandDisplayName(const QString& name, int index) {
    if (index < 0 || index >= TAllDetailOrder.size()) return;
    TAllDetailOrder[index].DisplayName = name;
    if (QTreeWidgetItem* node = Form1 ? ItemAtAbsoluteIndex(Form1->TreeView1, index) : nullptr) node->setText(0, name);
}

QString GetTreeViewFullText(const QObject* control, bool baseNames) {
    const auto* tree = qobject_cast<const QTreeWidget*>(control);
    const QTreeWidgetItem* node = tree ? tree->currentItem() : nullptr;
    QStringList parts;
    for (int level = 0; node && level < 3; ++level, node = node->parent()) {
        const int index = AbsoluteIndex(node);
        const bool known = index >= 0 && index < TAllDetailOrder.size();
        parts.prepend(!known ? node->text(0)
                      : baseNames ? TAllDetailOrder[index].BaseName
                                  : TAllDetailOrder[index].DisplayName);
    }
    return parts.join(QStringLiteral(" > "));
}
