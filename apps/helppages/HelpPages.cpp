#include "HelpPages.h"

#include "core/CommandTreeNodes.h"
#include "platform/Cp1252.h"
#include "platform/IniFile.h"

#include <QHash>
#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace helppages {

namespace {

// What is described beside the built-in nodes: the commands no node stands
// for, under their keywords, and the branch of the plug-ins the program adds
// to the tree (engine/GestionCommande.cpp), with its categories.
constexpr const char16_t* kKeysOutsideTheTree[] = {u"Parcours souris", u"Inclusion", u"Plugins"};

// The help context a dialog, or one choice of a dialog, has, and the node
// whose section F1 opens there.
struct Anchor {
    int context;
    const char16_t* node;
};
constexpr Anchor kDialogAnchors[] = {
    {1107, u"Clavier > Tape de Texte"},
    {1130, u"Clavier > Combinaison de touche"},
    {1132, u"Souris > Clique"},
    {1131, u"Souris > Déplacement"},
    {1134, u"Exécute"},
    {1136, u"Label & Goto"},
    {1139, u"Variable"},
    {1127, u"Fenêtre"},
    {1135, u"Pause"},
    {1025, u"Examine"},
    {1026, u"Calcul"},
    {1126, u"Calcul > Évolué"},
    {1091, u"Fonction"},
    {32, u"Fonction > Date"},
    {33, u"Fonction > Heure"},
    {34, u"Fonction > Clipboard"},
    {35, u"Fonction > Texte"},
    {36, u"Fonction > Ecran"},
    {37, u"Fonction > Curseur"},
    {38, u"Fonction > Handle"},
    {39, u"Fonction > Hasard"},
    {40, u"Fonction > Fichier"},
    {41, u"Fonction > Répertoire système"},
    {47, u"Fonction > Disque"},
    {48, u"Fonction > Nombre"},
    {49, u"Fonction > Paramètre d'exécution"},
    {1093, u"Commentaire"},
    {1094, u"Lire et Ecrire > Lire"},
    {1095, u"Lire et Ecrire > Ecrire"},
    {1096, u"Objet"},
    {1106, u"Manipulation sur objet"},
    {1097, u"Manipulation sur objet > Restaurer"},
    {1098, u"Manipulation sur objet > Déplacer"},
    {1099, u"Manipulation sur objet > Taille"},
    {1100, u"Manipulation sur objet > Réduire"},
    {1101, u"Manipulation sur objet > Agrandir"},
    {1102, u"Manipulation sur objet > Fermer"},
    {1103, u"Manipulation sur objet > Fermeture forcée"},
    {1104, u"Manipulation sur objet > Déplacement souris"},
    {1105, u"Manipulation sur objet > Changement texte"},
    {1123, u"Outils divers"},
    {42, u"Outils divers > Affichage"},
    {43, u"Outils divers > Alimentation"},
    {44, u"Outils divers > Ecran"},
    {45, u"Outils divers > Fichier"},
    {46, u"Outils divers > Répertoire"},
    {1124, u"Champs"},
    {1125, u"Trouve Image"},
    {1128, u"Procédure"},
    {1150, u"Script"},
};

const QString kSeparator = u" > "_s;

// The look every help page shares, added to its head.
const QString kStyle = uR"(<style>
body { font-family: sans-serif; max-width: 52em; margin: 1em auto; padding: 0 1em; line-height: 1.4; }
h2 { border-bottom: 1px solid #a29b80; margin-top: 2em; }
h3, h4 { margin-bottom: 0.3em; }
ul.sommaire { columns: 2; }
:target { background: #fff3c4; }
</style>
)"_s;

QString escaped(const QString& text) { return text.toHtmlEscaped(); }

// Lines the language file's readers would take for something else: a
// description header or a section.
bool readsAsStructure(const QString& line) {
    const QString t = line.trimmed();
    return line.startsWith(u";;"_s) || (t.startsWith(u'[') && t.endsWith(u']'));
}

// Paragraphs, and lists of the lines that begin with "- ".
QString paragraphs(const QStringList& lines) {
    QString html;
    bool inList = false;
    for (const QString& line : lines) {
        const bool item = line.startsWith(u"- "_s);
        if (inList && !item) html += u"</ul>\n"_s;
        if (!inList && item) html += u"<ul>\n"_s;
        inList = item;
        if (item)
            html += u"<li>"_s + escaped(line.mid(2)) + u"</li>\n"_s;
        else if (!line.trimmed().isEmpty())
            html += u"<p>"_s + escaped(line) + u"</p>\n"_s;
    }
    return inList ? html + u"</ul>\n"_s : html;
}

QString outsideAnchor(const QString& keyword) { return QString(keyword).replace(u' ', u'-'); }

}  // namespace

QVector<Node> CommandNodes(const QString& languageFile) {
    const platform::IniFile ini(languageFile);
    QVector<Node> nodes;
    QStringList baseNames, shownNames;  // of the current node's ancestors and itself
    for (const QString& line : QString::fromUtf16(kCommandTreeNodes).split(u'\n')) {
        const QString name = line.trimmed();
        const int level = int(line.size() - name.size()) / 2;
        const int index = int(nodes.size());
        const QString shown = index < kNamedCommandNodes
                                  ? ini.ReadString(u"Form1"_s, u"Item%1"_s.arg(index + 1), name)
                                  : name;
        baseNames.resize(level);
        shownNames.resize(level);
        baseNames << name;
        shownNames << shown;
        nodes.append({level, baseNames.join(kSeparator), shownNames.join(kSeparator)});
    }
    return nodes;
}

QVector<Description> ReadDescriptions(const QString& source, const QVector<Node>& nodes, QStringList& errors) {
    QStringList keys;
    for (const Node& n : nodes) keys << n.baseKey;
    for (const char16_t* key : kKeysOutsideTheTree) keys << QString::fromUtf16(key);

    QHash<QString, QStringList> blocks;
    QString key;
    for (QString line : source.split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        if (line.size() >= 4 && line.startsWith(u";;"_s) && line.endsWith(u";;"_s)) {
            key = line.mid(2, line.size() - 4);
            if (!keys.contains(key)) errors << u"Description d'un nœud inconnu : « %1 »."_s.arg(key);
            if (blocks.contains(key)) errors << u"Description donnée deux fois : « %1 »."_s.arg(key);
            blocks[key];
            continue;
        }
        if (key.isEmpty()) {
            if (!line.trimmed().isEmpty()) errors << u"Texte avant la première description : « %1 »."_s.arg(line);
            continue;
        }
        if (readsAsStructure(line))
            errors << u"Ligne de « %1 » lue comme un en-tête ou une section : « %2 »."_s.arg(key, line);
        if (platform::fromCp1252(platform::toCp1252(line)) != line)
            errors << u"Caractère hors de Windows-1252 dans « %1 » : « %2 »."_s.arg(key, line);
        blocks[key] << line;
    }

    QVector<Description> descriptions;
    for (const QString& k : keys) {
        QStringList lines = blocks.value(k);
        while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();
        if (lines.isEmpty()) errors << u"Pas de description pour « %1 »."_s.arg(k);
        descriptions.append({k, lines});
    }
    QSet<QString> shown;
    for (const Node& n : nodes) {
        if (shown.contains(n.shownKey))
            errors << u"Deux nœuds portent le même chemin dans cette langue : « %1 »."_s.arg(n.shownKey);
        shown.insert(n.shownKey);
    }
    return descriptions;
}

QByteArray LanguageFile(QByteArray sections, const QVector<Node>& nodes, const QVector<Description>& descriptions) {
    if (!sections.isEmpty() && !sections.endsWith('\n')) sections += "\r\n";
    QStringList lines{QString()};  // a blank line after the sections
    for (qsizetype i = 0; i < descriptions.size(); ++i) {
        const QString key = i < nodes.size() ? nodes[i].shownKey : descriptions[i].key;
        lines << u";;"_s + key + u";;"_s << descriptions[i].lines;
    }
    return sections + platform::toCp1252(lines.join(u"\r\n"_s) + u"\r\n"_s);
}

QString HelpPage(const QString& frame, const QVector<Node>& nodes, const QVector<Description>& descriptions,
                 QStringList& errors) {
    const QString marker = u"<!-- commandes -->"_s;
    const QString headEnd = u"</head>"_s;
    for (const QString& mark : {marker, headEnd})
        if (!frame.contains(mark)) errors << u"Le cadre de l'aide n'a pas la marque %1."_s.arg(mark);

    QHash<QString, int> contexts;  // node's built-in key -> its help context
    for (const Anchor& a : kDialogAnchors) {
        const QString node = QString::fromUtf16(a.node);
        if (!std::any_of(nodes.begin(), nodes.end(), [&](const Node& n) { return n.baseKey == node; }))
            errors << u"Contexte d'aide %1 sur un nœud inconnu : « %2 »."_s.arg(a.context).arg(node);
        contexts.insert(node, a.context);
    }

    QString contents = u"<ul class=\"sommaire\">\n"_s;
    QString sections;
    for (qsizetype i = 0; i < descriptions.size(); ++i) {
        const bool inTree = i < nodes.size();
        const QString title = inTree ? nodes[i].shownKey : descriptions[i].key;
        const QString anchor = !inTree ? outsideAnchor(title)
                               : contexts.contains(nodes[i].baseKey) ? QString::number(contexts[nodes[i].baseKey])
                                                                      : u"n%1"_s.arg(i);
        const int level = inTree ? nodes[i].level : 0;
        if (level == 0)
            contents += u"<li><a href=\"#%1\">%2</a></li>\n"_s.arg(anchor, escaped(title));
        sections += u"<h%1 id=\"%2\">%3</h%1>\n"_s.arg(level + 2).arg(anchor, escaped(title));
        sections += paragraphs(descriptions[i].lines);
    }
    contents += u"</ul>\n"_s;
    return QString(frame).replace(headEnd, kStyle + headEnd).replace(marker, contents + sections);
}

}  // namespace helppages
