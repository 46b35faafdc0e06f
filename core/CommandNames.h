#pragma once
// The command table: one line per built-in command, from which the keywords,
// the icons, the palette and the edit entry derive. A keyword's case number
// is its position plus one; a keyword not in the table (case 0) is a plug-in
// command. The dispatcher's handlers and the checker's rules are tables
// indexed by the same enumeration, checked at compile time (CoversEveryCommand).
#include <QString>
#include <array>
#include <cstddef>

enum class Command : int {
    Plugin,  // case 0: a keyword not in the table
    Goto, Procedure, Label, Examine, Variable, ScriptEval, MoveMouse, Click, TrouveImage, Lire, Ecrire, Calcul,
    CalculEvolue, Fonction, Commentaire, Champs, Type, Execute, ParcoursSouris, TypeSpecial, Objet, Question,
    Manipulation, Pause, OutilFichier, OutilEcran, OutilAffichage, OutilAlimentation, OutilRepertoire, Quitter,
    Inclusion, Message,
};

inline constexpr int kCommandCount = 32;
// Case 0 and the 32 commands: the size of a table indexed by Command.
inline constexpr int kCommandSlots = kCommandCount + 1;

// Where a command's palette button stands.
enum class PalettePage { None = -1, Standard = 0, Supplement = 1 };

struct CommandInfo {
    Command id;
    const char16_t* keyword;
    int icon;         // index of the command icons
    int form;         // the dialog that edits it; 0 none
    PalettePage page; // its palette button's page
    int place;        // left to right on that page, from 0
    int button;       // its button "SpeedButton<n>"
    const char16_t* hint;
};

inline constexpr CommandInfo kCommands[] = {
    // id                       keyword                icon form page          place button hint
    {Command::Goto,              u"Goto",               8,  3,  PalettePage::Standard,  7,  7,  u"Goto"},
    {Command::Procedure,         u"Procedure",          28, 36, PalettePage::Standard,  8,  38, u"Procédure"},
    {Command::Label,             u"Label",              7,  3,  PalettePage::Standard,  6,  6,  u"Label"},
    {Command::Examine,           u"Examine",            11, 11, PalettePage::Supplement, 4,  11, u"Examine"},
    {Command::Variable,          u"Variable",           9,  8,  PalettePage::Supplement, 0,  9,  u"Variable"},
    {Command::ScriptEval,        u"ScriptEval",         27, 25, PalettePage::Supplement, 12, 37, u"Ms Script"},
    {Command::MoveMouse,         u"Move Mouse",         3,  5,  PalettePage::Standard,  2,  4,  u"Déplacement souris"},
    {Command::Click,             u"Click",              2,  6,  PalettePage::Standard,  3,  3,  u"Clique souris"},
    {Command::TrouveImage,       u"Trouve image",       22, 22, PalettePage::Supplement, 11, 19, u"Trouve image"},
    {Command::Lire,              u"Lire",               16, 15, PalettePage::Supplement, 8,  15, u"Lire et Ecrire"},
    {Command::Ecrire,            u"Ecrire",             16, 15, PalettePage::None,       0,  0,  nullptr},
    {Command::Calcul,            u"Calcul",             12, 12, PalettePage::Supplement, 5,  12, u"Calcul"},
    {Command::CalculEvolue,      u"Calcul évolué",      26, 24, PalettePage::Supplement, 6,  22, u"Calcul évolué"},
    {Command::Fonction,          u"Fonction",           13, 13, PalettePage::Supplement, 7,  13, u"Fonctions"},
    {Command::Commentaire,       u"Commentaire",        15, 14, PalettePage::None,       0,  0,  nullptr},
    {Command::Champs,            u"Champs",             21, 30, PalettePage::Supplement, 1,  18, u"Champs"},
    {Command::Type,              u"Type",               0,  2,  PalettePage::Standard,  0,  1,  u"Tape de texte"},
    {Command::Execute,           u"Execute",            5,  26, PalettePage::Standard,  4,  5,  u"Executer un fichier, ouvrir une page internet"},
    {Command::ParcoursSouris,    u"Parcours souris",    3,  0,  PalettePage::None,       0,  0,  nullptr},
    {Command::TypeSpecial,       u"Type Special",       4,  4,  PalettePage::Standard,  1,  2,  u"Combinaison de touche"},
    {Command::Objet,             u"Objet",              17, 16, PalettePage::None,       0,  0,  nullptr},
    {Command::Question,          u"Question",           10, 9,  PalettePage::Supplement, 2,  10, u"Question"},
    {Command::Manipulation,      u"Manipulation",       18, 18, PalettePage::Supplement, 9,  16, u"Manipulation objet"},
    {Command::Pause,             u"Pause",              6,  7,  PalettePage::Standard,  5,  8,  u"Marquer une pause"},
    {Command::OutilFichier,      u"Outil Fichier",      20, 27, PalettePage::Supplement, 10, 17, u"Outils divers, alimentation, fichier, capture ecran ..."},
    {Command::OutilEcran,        u"Outil Ecran",        20, 27, PalettePage::None,       0,  0,  nullptr},
    {Command::OutilAffichage,    u"Outil Affichage",    20, 27, PalettePage::None,       0,  0,  nullptr},
    {Command::OutilAlimentation, u"Outil Alimentation", 20, 27, PalettePage::None,       0,  0,  nullptr},
    {Command::OutilRepertoire,   u"Outil Répertoire",   20, 27, PalettePage::None,       0,  0,  nullptr},
    {Command::Quitter,           u"Quitter",            14, 0,  PalettePage::Standard,  9,  14, u"Quitter"},
    {Command::Inclusion,         u"Inclusion",          29, 0,  PalettePage::Supplement, 13, 30, u"Inclusion"},
    {Command::Message,           u"Message",            30, 9,  PalettePage::Supplement, 3,  31, u"Message"},
};
static_assert(std::size(kCommands) == kCommandCount, "kCommands: one line per command");

// The line of a built-in command (case 1..32).
constexpr const CommandInfo& CommandLine(int caseNumber) { return kCommands[caseNumber - 1]; }

// True when a table indexed by Command has exactly one entry per case, in
// the enumeration's order (entries have a member `command`).
template <class Entry, std::size_t N>
constexpr bool CoversEveryCommand(const Entry (&table)[N]) {
    if (N != std::size_t(kCommandSlots)) return false;
    for (std::size_t i = 0; i < N; ++i)
        if (table[i].command != Command(int(i))) return false;
    return true;
}
// The table's lines are in the enumeration's order too.
constexpr bool CommandTableInOrder() {
    for (int i = 0; i < kCommandCount; ++i)
        if (kCommands[i].id != Command(i + 1)) return false;
    return true;
}
static_assert(CommandTableInOrder(), "kCommands: lines in the order of the Command enumeration");

// The 32 keywords, by case number - 1.
extern const std::array<QString, kCommandCount> CommandNames;

// 1..32, or 0 for a plug-in keyword. Exact, case-sensitive.
int CommandCase(const QString& keyword);
// The icon of a built-in command (-1 for case 0).
int CommandIcon(int caseNumber);
