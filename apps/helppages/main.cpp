// Builds, at build time, the language file and the help page of one language
// from the texts' sources (apps/orvanel/languages, descriptions and help):
//   orvanel_helppages <language.lng> <descriptions.txt> <frame.html> <out.lng> <out.html>
// A description missing, unknown or unfit for the language file fails the build.
#include "HelpPages.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

namespace {

bool read(const char* path, QByteArray& bytes) {
    QFile f(QString::fromLocal8Bit(path));
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "orvanel_helppages : « %s » illisible.\n", path);
        return false;
    }
    bytes = f.readAll();
    return true;
}

bool write(const char* path, const QByteArray& bytes) {
    QSaveFile f(QString::fromLocal8Bit(path));
    if (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit()) return true;
    std::fprintf(stderr, "orvanel_helppages : « %s » ne peut pas être écrit.\n", path);
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fputs("Usage : orvanel_helppages <langue.lng> <descriptions.txt> <cadre.html> <sortie.lng> <sortie.html>\n",
                   stderr);
        return 2;
    }
    QByteArray sections, source, frame;
    if (!read(argv[1], sections) || !read(argv[2], source) || !read(argv[3], frame)) return 1;

    QStringList errors;
    const QVector<helppages::Node> nodes = helppages::CommandNodes(QString::fromLocal8Bit(argv[1]));
    const QVector<helppages::Description> descriptions =
        helppages::ReadDescriptions(QString::fromUtf8(source), nodes, errors);
    const QString page = helppages::HelpPage(QString::fromUtf8(frame), nodes, descriptions, errors);
    for (const QString& e : errors) std::fprintf(stderr, "orvanel_helppages : %s\n", qPrintable(e));
    if (!errors.isEmpty()) return 1;
    return write(argv[4], helppages::LanguageFile(sections, nodes, descriptions)) && write(argv[5], page.toUtf8())
               ? 0
               : 1;
}
