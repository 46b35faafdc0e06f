#include "core/MacroFileRecord.h"

#include "platform/Cp1252.h"

#include <QFile>
#include <QFileInfo>

namespace {
int shiftAt(qsizetype i) {  // i counts from 1
    if (i % 5 == 0) return 19;
    if (i % 3 == 0) return 14;
    if (i % 2 == 0) return 22;
    return 29;
}

QByteArray shifted(QByteArray bytes, int direction) {
    for (qsizetype i = 0; i < bytes.size(); ++i) bytes[i] = char(quint8(bytes[i]) + direction * shiftAt(i + 1));
    return bytes;
}

void putShortString(char* out, const QString& text, int room, bool encode) {
    QByteArray b = platform::toCp1252(text.left(room));
    if (encode) b = CrypteBytes(b);
    out[0] = char(quint8(b.size()));
    std::copy(b.begin(), b.end(), out + 1);
}

QString getShortString(const char* in, int room, bool decode) {
    const QByteArray b(in + 1, qMin(int(quint8(in[0])), room));
    return platform::fromCp1252(decode ? DecrypteBytes(b) : b);
}

constexpr int kParamsOffset = 1 + TMacroFileRecord::kKeywordSize;
}  // namespace

QByteArray CrypteBytes(QByteArray bytes) { return shifted(std::move(bytes), 1); }
QByteArray DecrypteBytes(QByteArray bytes) { return shifted(std::move(bytes), -1); }

QByteArray TMacroFileRecord::toBytes(bool encode) const {
    QByteArray out(kSize, '\0');
    putShortString(out.data(), keyword, kKeywordSize, encode);
    putShortString(out.data() + kParamsOffset, params, kParamsSize, encode);
    return out;
}

TMacroFileRecord TMacroFileRecord::fromBytes(const char* bytes, bool decode) {
    return {getShortString(bytes, kKeywordSize, decode), getShortString(bytes + kParamsOffset, kParamsSize, decode)};
}

QString TMacroFileRecord::storedKeyword(const char* bytes) { return getShortString(bytes, kKeywordSize, false); }

bool TMacroFileData::load(const QString& fileName, QString* error) {
    bytes_.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("Impossible de lire le fichier %1.").arg(fileName);
        return false;
    }
    bytes_ = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error) *error = QStringLiteral("Impossible de lire le fichier %1.").arg(fileName);
        bytes_.clear();
        return false;
    }
    // Whole records only: a partial last one is left out (and said by the reader).
    trailing_ = int(bytes_.size() % TMacroFileRecord::kSize);
    bytes_.chop(trailing_);
    return true;
}

QString TMacroFileData::warning(const QString& fileName, bool openedAsMacro) const {
    const QString name = QFileInfo(fileName).fileName();
    if (openedAsMacro && bytes_.isEmpty() && trailing_ == 0)
        return QStringLiteral("Le fichier %1 est vide : la macro ne contient aucune commande.").arg(name);
    if (trailing_ == 0) return {};
    return QStringLiteral("Le fichier %1 se termine par %2 octet(s) qui ne forment pas une commande entière : "
                          "ils ont été ignorés.")
        .arg(name)
        .arg(trailing_);
}

bool TMacroFileRecord::decodesTo(const char* bytes, QLatin1StringView word) {
    if (quint8(bytes[0]) != word.size()) return false;
    for (qsizetype j = 0; j < word.size(); ++j)
        if (char(quint8(bytes[1 + j]) - shiftAt(j + 1)) != word[j].toLatin1()) return false;
    return true;
}

QString TMacroFileData::password() const {
    for (int i = 0; i < count(); ++i)
        if (TMacroFileRecord::decodesTo(at(i), QLatin1StringView("Info"))) return record(i, true).params;
    return {};
}

bool TMacroFileData::sourceOnly() const {
    for (int i = 0; i < count(); ++i)
        if (TMacroFileRecord::decodesTo(at(i), QLatin1StringView("Infos")) &&
            record(i, true).params == QLatin1String("True"))
            return true;
    return false;
}
