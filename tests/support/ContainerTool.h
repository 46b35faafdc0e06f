#pragma once
// Containers read and written by tests/support/container_tool.py (struct and
// zlib alone), to hold the program's layout against an independent one.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>

namespace containertool {

// The trailer and entries of a container ("offset", "password", "entries":
// name, csize, usize, attr, zlib, padding_zero); entry i inflated into
// outDir/i. Empty, after the script's complaint, when it cannot read it.
inline QJsonObject read(const QString& container, const QString& outDir, QString* complaint = nullptr) {
    QProcess p;
    p.start(QStringLiteral("python3"), {QStringLiteral(CONTAINER_TOOL), QStringLiteral("read"), container, outDir});
    p.waitForFinished(60000);
    if (complaint) *complaint = QString::fromUtf8(p.readAllStandardError());
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return {};
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

// Builds a container from a description (see the script); false when it failed.
inline bool write(const QString& container, const QJsonObject& layout) {
    QProcess p;
    p.start(QStringLiteral("python3"), {QStringLiteral(CONTAINER_TOOL), QStringLiteral("write"), container});
    p.waitForStarted();
    p.write(QJsonDocument(layout).toJson());
    p.closeWriteChannel();
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

}  // namespace containertool
