#include "engine/ListFile.h"

#include "engine/Handlers.h"

#include "platform/Cp1252.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringList>

std::vector<ListFileEntry> TListFile;

void CloseListFile(const QString& name) {
    for (ListFileEntry& e : TListFile) {
        if (e.name != name) continue;
        e.file.reset();
        e.name.clear();
        e.linesRead = 0;
    }
}

void CloseRunFiles() { TListFile.clear(); }

namespace textfile {

QByteArray ReadLine(QFile& file) {
    QByteArray line;
    char c;
    while (file.getChar(&c)) {
        if (c == '\n') break;
        if (c == '\r') {
            char next;
            if (file.peek(&next, 1) == 1 && next == '\n') file.getChar(&next);
            break;
        }
        line += c;
    }
    return line;
}

QString Decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    return utf8.hasError() ? platform::fromCp1252(bytes) : text;
}

QStringList SplitLines(const QByteArray& bytes) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n' && bytes[i] != '\r') continue;
        lines << Decode(bytes.mid(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines << Decode(bytes.mid(start));
    return lines;
}

}  // namespace textfile
