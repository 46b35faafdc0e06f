#pragma once
// What the program ships per language, built from the sources of its texts:
// the language file (its sections, then the command descriptions under the
// keys the description panel looks for) and the help page (its frame, with a
// section per command made of the same descriptions).
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

namespace helppages {

// A node of the command tree, in pre-order.
struct Node {
    int level = 0;      // 0 at the top
    QString baseKey;    // "grandparent > parent > node" with the built-in names
    QString shownKey;   // the same with the names of the language
};

// A description: the built-in key of its node (or the keyword of a command
// no node stands for, or the branch of the plug-ins) and its lines.
struct Description {
    QString key;
    QStringList lines;
};

// The tree with the names the language file gives it (section "Form1").
QVector<Node> CommandNodes(const QString& languageFile);

// The blocks of a description source (";;key;;" then its lines), one per node,
// then those outside the tree. What is wrong goes to errors.
QVector<Description> ReadDescriptions(const QString& source, const QVector<Node>& nodes, QStringList& errors);

// The language file to ship: its sections, then a block per description
// under the key the description panel forms in that language.
QByteArray LanguageFile(QByteArray sections, const QVector<Node>& nodes, const QVector<Description>& descriptions);

// The help page: the frame with the pages' style added to its head, and its
// marker "<!-- commandes -->" replaced by the contents and a section per node
// (under the anchor of its help context when a dialog has one) and per
// description outside the tree.
QString HelpPage(const QString& frame, const QVector<Node>& nodes, const QVector<Description>& descriptions,
                 QStringList& errors);

}  // namespace helppages
