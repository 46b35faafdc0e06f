#include "core/CommandNames.h"

const std::array<QString, kCommandCount> CommandNames = {
    QStringLiteral("Goto"),          QStringLiteral("Procedure"),       QStringLiteral("Label"),
    QStringLiteral("Examine"),       QStringLiteral("Variable"),        QStringLiteral("ScriptEval"),
    QStringLiteral("Move Mouse"),    QStringLiteral("Click"),           QStringLiteral("Trouve image"),
    QStringLiteral("Lire"),          QStringLiteral("Ecrire"),          QStringLiteral("Calcul"),
    QStringLiteral("Calcul évolué"), QStringLiteral("Fonction"),        QStringLiteral("Commentaire"),
    QStringLiteral("Champs"),        QStringLiteral("Type"),            QStringLiteral("Execute"),
    QStringLiteral("Parcours souris"), QStringLiteral("Type Special"),  QStringLiteral("Objet"),
    QStringLiteral("Question"),      QStringLiteral("Manipulation"),    QStringLiteral("Pause"),
    QStringLiteral("Outil Fichier"), QStringLiteral("Outil Ecran"),     QStringLiteral("Outil Affichage"),
    QStringLiteral("Outil Alimentation"), QStringLiteral("Outil Répertoire"), QStringLiteral("Quitter"),
    QStringLiteral("Inclusion"),     QStringLiteral("Message"),
};

namespace {
constexpr std::array<int, kCommandCount> kIcons = {8,  28, 7,  11, 9,  27, 3,  2,  22, 16, 16,
                                                   12, 26, 13, 15, 21, 0,  5,  3,  4,  17, 10,
                                                   18, 6,  20, 20, 20, 20, 20, 14, 29, 30};
PluginIconLookup pluginLookup = nullptr;
}  // namespace

int CommandCase(const QString& keyword) {
    for (int i = 0; i < kCommandCount; ++i)
        if (CommandNames[i] == keyword) return i + 1;
    return 0;
}

int CommandIcon(int caseNumber) {
    return caseNumber >= 1 && caseNumber <= kCommandCount ? kIcons[caseNumber - 1] : -1;
}

void setPluginIconLookup(PluginIconLookup lookup) { pluginLookup = lookup; }

int PluginIcon(const QString& keyword) { return pluginLookup ? pluginLookup(keyword) : -1; }
