#include "core/FileSave.h"

#include "core/Dialogs.h"
#include "platform/AtomicFile.h"
#include "platform/IniFile.h"

#include <QFileInfo>

namespace {
bool said(const QString& fileName, const QString& reason) {
    QString text = QStringLiteral("Impossible d'enregistrer le fichier %1 (%2).").arg(fileName, reason);
    if (QFileInfo::exists(fileName)) text += QStringLiteral(" Le fichier existant n'a pas été modifié.");
    MessageDlg(text, MsgType::Error, mbOK);
    return false;
}
}  // namespace

bool SaveFile(const QString& fileName, const QByteArray& bytes, platform::FileAccess access) {
    QString reason;
    return platform::WriteFileAtomically(fileName, bytes, &reason, access) || said(fileName, reason);
}

bool SaveIniFile(platform::IniFile& ini) { return ini.UpdateFile() || said(ini.FileName(), ini.ErrorString()); }
