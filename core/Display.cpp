#include "core/Display.h"

#include "core/Dialogs.h"
#include "core/Settings.h"
#include "platform/Platform.h"

#include <QSize>

namespace {
platform::DisplayMode startupMode;

// Tests a change and, when apply is true, makes it or says why not (also
// when the change itself fails after a passed test).
template <class Change>
int testThenApply(bool apply, Change change) {
    int result = change(true);
    if (!apply) return result;
    if (result == platform::DISP_CHANGE_SUCCESSFUL) result = change(false);
    switch (result) {
    case platform::DISP_CHANGE_SUCCESSFUL: break;
    case platform::DISP_CHANGE_RESTART:
        MessageDlg(QStringLiteral("Ne peut modifier la résolution car nécessiterait un redémarrage de Windows"),
                   MsgType::Information, mbOK);
        break;
    case platform::DISP_CHANGE_BADMODE:
        MessageDlg(QStringLiteral("Mode Graphique non supporté"), MsgType::Information, mbOK);
        break;
    default:
        MessageDlg(QStringLiteral("Erreur lors du changement de la résolution de l'ecran"), MsgType::Information, mbOK);
        break;
    }
    return result;
}
}  // namespace

void RememberStartupDisplayMode() { startupMode = platform::desktop().GetDisplayMode(); }

int ChangeResolEcran(int width, int height, bool apply, int bitsPerPixel) {
    const platform::DisplayMode mode{width, height, bitsPerPixel};
    return testThenApply(apply, [&](bool test) { return platform::desktop().ChangeDisplaySettings(mode, test); });
}

int ChangeFreqEcran(int hertz, bool apply) {
    return testThenApply(apply, [&](bool test) { return platform::desktop().ChangeDisplayFrequency(hertz, test); });
}

void ChangeScreenResolution(bool restore) {
    const QString chosen = settings().ResolutionFormat;
    if (chosen == kNoResolutionChange) return;
    if (restore) {
        if (settings().RestoreResolution)
            ChangeResolEcran(startupMode.width, startupMode.height, true, startupMode.bitsPerPixel);
        return;
    }
    // The modes the options offer, as written there.
    for (const QSize size : {QSize(800, 600), QSize(1024, 768), QSize(1152, 864), QSize(1280, 768)})
        for (int bits : {8, 16, 32})
            if (chosen == QStringLiteral("%1 * %2 %3 bits").arg(size.width()).arg(size.height()).arg(bits))
                ChangeResolEcran(size.width(), size.height(), true, bits);
}
