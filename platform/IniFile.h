#pragma once
// Settings files with the semantics of classic profile files: sections and
// keys are found case-insensitively, values are read as the text after "="
// with surrounding blanks removed (nothing is unescaped), and a write changes
// only its own line: unknown sections, comments and key order survive.
// Files are Windows-1252. Writes are kept in memory until UpdateFile() or the
// destructor, and then replace the file atomically.

#include <QString>
#include <QStringList>

namespace platform {

class IniFile {
public:
    explicit IniFile(const QString& fileName);
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    const QString& FileName() const { return fileName_; }

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // The whole value must be an integer (decimal, or hex after "$" or "0x"); else def.
    int ReadInteger(const QString& section, const QString& key, int def) const;
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    QStringList ReadSections() const;
    QStringList ReadSection(const QString& section) const;        // key names in file order
    QStringList ReadSectionValues(const QString& section) const;  // "key=value" lines
    void EraseSection(const QString& section);
    void DeleteKey(const QString& section, const QString& key);

    // Writes pending changes; false (and the file untouched) when that fails.
    bool UpdateFile();
    // Why the last UpdateFile failed: the system's reason.
    const QString& ErrorString() const { return error_; }

private:
    struct Entry;
    int findSection(const QString& section) const;  // line of the header, -1 if none
    int sectionEnd(int header) const;                // first line after the section
    int findKey(int header, const QString& key) const;
    static bool parseKey(const QString& line, QString* key, QString* value);
    static bool parseSection(const QString& line, QString* name);

    QString fileName_;
    QStringList lines_;
    QString eol_ = QStringLiteral("\r\n");
    bool dirty_ = false;
    QString error_;
};

// Integer text as the settings reader understands it.
bool parseIniInteger(const QString& text, int* value);

}  // namespace platform
