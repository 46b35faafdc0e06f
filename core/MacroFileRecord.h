#pragma once
// The 277-byte record of macro files, "clipboard.tmp" and "temp.sqc":
// keyword as a length byte and 20 characters, then parameters as a length
// byte and 255 characters, Windows-1252.
#include <QByteArray>
#include <QString>

struct TMacroFileRecord {
    static constexpr int kKeywordSize = 20;
    static constexpr int kParamsSize = 255;
    static constexpr int kSize = 1 + kKeywordSize + 1 + kParamsSize;  // 277

    QString keyword;
    QString params;

    // Texts longer than their room are cut; unused bytes are zero.
    QByteArray toBytes() const;
    // Reads kSize bytes; a length byte beyond its room is clamped.
    static TMacroFileRecord fromBytes(const char* bytes);
};
