#pragma once
// The built-in nodes of the command tree with their built-in (French) names:
// one node a line in pre-order, two blanks of indentation a level. Plain
// data, so that the builder of the help pages reads it too.

inline constexpr char16_t kCommandTreeNodes[] = uR"(Clavier
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

// Language files name the first nodes only: "Item1".."Item136" of the
// section "Form1" are the names of nodes 0 to 135.
inline constexpr int kNamedCommandNodes = 136;
