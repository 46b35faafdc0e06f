#pragma once
// Shared by the start-up and settings tests: a main window whose program
// folder is a temporary one, with helpers for the files in it.
#include "core/MacroFileRecord.h"
#include "platform/IniFile.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>

class ProgramFolderTest : public MainWindowTest {
protected:
    QString file(const QString& name) const { return QDir(home.path()).filePath(name); }
    QString config() const { return file("config.ini"); }
    static void write(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    static QByteArray read(const QString& path) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    // A macro file of rows {keyword, params}.
    static void writeMacro(const QString& path, const QVector<QPair<QString, QString>>& rows) {
        QByteArray bytes;
        for (const auto& [k, p] : rows) bytes += TMacroFileRecord{k, p}.toBytes();
        write(path, bytes);
    }
    // A key's text, "<none>" when missing.
    static QString value(const QString& path, const QString& section, const QString& key) {
        return platform::IniFile(path).ReadString(section, key, "<none>");
    }
};
