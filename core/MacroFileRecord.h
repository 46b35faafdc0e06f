#pragma once
// The 277-byte record of macro files, "clipboard.tmp" and "temp.sqc":
// keyword as a length byte and 20 characters, then parameters as a length
// byte and 255 characters, Windows-1252.
#include <QByteArray>
#include <QLatin1StringView>
#include <QString>

struct TMacroFileRecord {
    static constexpr int kKeywordSize = 20;
    static constexpr int kParamsSize = 255;
    static constexpr int kSize = 1 + kKeywordSize + 1 + kParamsSize;  // 277

    QString keyword;
    QString params;

    // Texts longer than their room are cut; unused bytes are zero. With
    // `encode`, both texts are stored with the password shift (Crypte).
    QByteArray toBytes(bool encode = false) const;
    // Reads kSize bytes; a length byte beyond its room is clamped. With
    // `decode`, both texts are read back through Decrypte.
    static TMacroFileRecord fromBytes(const char* bytes, bool decode = false);
    // The keyword as stored, undecoded.
    static QString storedKeyword(const char* bytes);
    // The stored keyword reads `word` once decoded (a quick test on the bytes).
    static bool decodesTo(const char* bytes, QLatin1StringView word);
};

// The password shift of protected macro files, byte by byte: position i
// (from 1) moves by 19 when i is a multiple of 5, else 14 for a multiple of 3,
// else 22 when even, else 29; modulo 256. The length never changes.
QByteArray CrypteBytes(QByteArray bytes);
QByteArray DecrypteBytes(QByteArray bytes);

// Every whole record of a macro file, as stored.
class TMacroFileData {
public:
    // Reads the file's whole records (a length byte beyond its room reads as
    // that room). False, with a French message, when it cannot be read.
    bool load(const QString& fileName, QString* error);
    // What the reader tells of the file: it ends with bytes that form no
    // whole record (they are left out), or, when it is opened as the macro,
    // it is empty. An empty text when all is well.
    QString warning(const QString& fileName, bool openedAsMacro) const;
    int count() const { return int(bytes_.size() / TMacroFileRecord::kSize); }
    const char* at(int i) const { return bytes_.constData() + qsizetype(i) * TMacroFileRecord::kSize; }
    TMacroFileRecord record(int i, bool decode) const { return TMacroFileRecord::fromBytes(at(i), decode); }

    // The decoded parameters of the first "Info" record; empty when none.
    QString password() const;
    // An "Infos" record says "True".
    bool sourceOnly() const;

private:
    QByteArray bytes_;
    int trailing_ = 0;
};
