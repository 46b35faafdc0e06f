#include "platform/IniFile.h"

#include "platform/AtomicFile.h"
#include "platform/Cp1252.h"

#include <QFile>

namespace platform {

namespace {
bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// 0..15 for an ASCII hexadecimal digit, -1 for any other character.
int digitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}
}  // namespace

bool parseIniInteger(const QString& text, int* value) {
    QStringView t(text);
    const bool negative = t.startsWith(u'-');
    if (negative || t.startsWith(u'+')) t = t.mid(1);
    int base = 10;
    if (t.startsWith(u'$')) {
        base = 16;
        t = t.mid(1);
    } else if (t.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        t = t.mid(2);
    }
    if (t.isEmpty()) return false;
    // Every character is a digit of the base: no blank, sign, NUL or tail.
    qint64 magnitude = 0;
    for (const QChar c : t) {
        const int digit = digitValue(c);
        if (digit < 0 || digit >= base) return false;
        magnitude = magnitude * base + digit;
        if (magnitude > qint64(INT_MAX) + 1) return false;
    }
    const qint64 v = negative ? -magnitude : magnitude;
    if (v > INT_MAX) return false;
    *value = int(v);
    return true;
}

IniFile::IniFile(const QString& fileName) : fileName_(fileName) {
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = f.readAll();
    if (!bytes.contains("\r\n") && bytes.contains('\n')) eol_ = QStringLiteral("\n");
    lines_ = cp1252Lines(bytes);
}

IniFile::~IniFile() { UpdateFile(); }

bool IniFile::parseSection(const QString& line, QString* name) {
    const QString t = line.trimmed();
    if (!t.startsWith(u'[')) return false;
    const int close = int(t.indexOf(u']'));
    if (close < 0) return false;
    *name = t.mid(1, close - 1).trimmed();
    return true;
}

bool IniFile::parseKey(const QString& line, QString* key, QString* value) {
    const int eq = int(line.indexOf(u'='));
    if (eq < 0) return false;
    const QString k = line.left(eq).trimmed();
    if (k.isEmpty() || k.startsWith(u';') || k.startsWith(u'[')) return false;
    *key = k;
    if (value) *value = line.mid(eq + 1).trimmed();
    return true;
}

int IniFile::findSection(const QString& section) const {
    QString name;
    for (int i = 0; i < lines_.size(); ++i)
        if (parseSection(lines_[i], &name) && sameName(name, section)) return i;
    return -1;
}

int IniFile::sectionEnd(int header) const {
    QString name;
    int i = header + 1;
    while (i < lines_.size() && !parseSection(lines_[i], &name)) ++i;
    return i;
}

int IniFile::findKey(int header, const QString& key) const {
    if (header < 0) return -1;
    const int end = sectionEnd(header);
    QString k;
    for (int i = header + 1; i < end; ++i)
        if (parseKey(lines_[i], &k, nullptr) && sameName(k, key)) return i;
    return -1;
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
    const int line = findKey(findSection(section), key);
    if (line < 0) return def;
    QString k, v;
    parseKey(lines_[line], &k, &v);
    return v;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int def) const {
    int v = def;
    return parseIniInteger(ReadString(section, key, QString()), &v) ? v : def;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    int header = findSection(section);
    if (header < 0) {
        lines_ << QStringLiteral("[%1]").arg(section);
        header = int(lines_.size()) - 1;
    }
    const int line = findKey(header, key);
    if (line >= 0) {
        QString k;
        parseKey(lines_[line], &k, nullptr);
        const QString newLine = k + u'=' + value;
        if (lines_[line] != newLine) {
            lines_[line] = newLine;
            dirty_ = true;
        }
        return;
    }
    // After the section's last non-blank line.
    int at = sectionEnd(header);
    while (at > header + 1 && lines_[at - 1].trimmed().isEmpty()) --at;
    lines_.insert(at, key + u'=' + value);
    dirty_ = true;
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

bool IniFile::SectionExists(const QString& section) const { return findSection(section) >= 0; }

bool IniFile::ValueExists(const QString& section, const QString& key) const {
    return findKey(findSection(section), key) >= 0;
}

QStringList IniFile::ReadSections() const {
    QStringList out;
    QString name;
    for (const QString& l : lines_)
        if (parseSection(l, &name) && !out.contains(name, Qt::CaseInsensitive)) out << name;
    return out;
}

QStringList IniFile::ReadSection(const QString& section) const {
    QStringList out;
    const int header = findSection(section);
    if (header < 0) return out;
    QString k;
    for (int i = header + 1, end = sectionEnd(header); i < end; ++i)
        if (parseKey(lines_[i], &k, nullptr)) out << k;
    return out;
}

QStringList IniFile::ReadSectionValues(const QString& section) const {
    QStringList out;
    const int header = findSection(section);
    if (header < 0) return out;
    QString k, v;
    for (int i = header + 1, end = sectionEnd(header); i < end; ++i)
        if (parseKey(lines_[i], &k, &v)) out << k + u'=' + v;
    return out;
}

void IniFile::EraseSection(const QString& section) {
    for (int header = findSection(section); header >= 0; header = findSection(section)) {
        lines_.erase(lines_.begin() + header, lines_.begin() + sectionEnd(header));
        dirty_ = true;
    }
}

void IniFile::DeleteKey(const QString& section, const QString& key) {
    const int line = findKey(findSection(section), key);
    if (line < 0) return;
    lines_.removeAt(line);
    dirty_ = true;
}

bool IniFile::UpdateFile() {
    if (!dirty_) return true;
    if (!WriteFileAtomically(fileName_, toCp1252(lines_.join(eol_) + eol_), &error_)) return false;
    dirty_ = false;
    error_.clear();
    return true;
}

}  // namespace platform
