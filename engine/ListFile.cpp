#include "engine/ListFile.h"

#include "engine/Handlers.h"

#include "platform/Cp1252.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringList>
#include <optional>

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

namespace {
// The text of bytes that are UTF-8; nothing when they are not.
std::optional<QString> utf8Text(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError()) return std::nullopt;
    return text;
}
}  // namespace

QString Decode(const QByteArray& bytes) {
    if (std::optional<QString> text = utf8Text(bytes)) return *text;
    return platform::fromCp1252(bytes);
}

bool IsUtf8(const QByteArray& bytes) { return utf8Text(bytes).has_value(); }

QVector<RawLine> SplitLines(const QByteArray& bytes) {
    QVector<RawLine> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size();) {
        if (bytes[i] != '\n' && bytes[i] != '\r') {
            ++i;
            continue;
        }
        const qsizetype next = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n' ? i + 2 : i + 1;
        lines.append({bytes.mid(start, i - start), bytes.mid(i, next - i)});
        start = i = next;
    }
    if (start < bytes.size()) lines.append({bytes.mid(start), QByteArray()});
    return lines;
}

}  // namespace textfile
