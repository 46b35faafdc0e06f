// Pictures of the dialogs taken from the folder "ressources" of the program
// folder, one file a picture named after it ("ECRAN.png", "KEY22PAR38.bmp"...);
// without the folder, or without a picture, the windows keep their own.
#include "core/Form.h"
#include "core/Startup.h"
#include "core/Unit1.h"
#include "look/XPMenu.h"
#include "platform/ProgramFolder.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>

namespace {

// The key glyphs of the Type Special keyboard, by button number.
constexpr std::pair<int, const char*> kKeyGlyphs[] = {
    {1, "KEY"},          {70, "KEY22PAR38"},  {31, "KEY22PAR38"}, {110, "KEY22PAR38"}, {8, "KEY22PAR38"},
    {2, "KEY22PAR38"},   {71, "KEY22PAR198"}, {30, "KEY22PAR49"}, {92, "KEY22PAR49"},  {72, "KEY46PAR33"},
    {9, "KEY22PAR57"},   {91, "KEY46PAR23"},  {87, "KEY46PAR23"},
};

QPixmap bitmap(const QDir& folder, const QString& name) {
    for (const char* ext : {".png", ".bmp"})
        if (const QString path = folder.filePath(name + QLatin1String(ext)); QFileInfo::exists(path)) return QPixmap(path);
    return {};
}

void setPicture(QLabel* label, const QPixmap& picture) {
    if (label && !picture.isNull()) label->setPixmap(picture);
}

}  // namespace

void TForm1::LoadToolbarGlyphs() {
    for (QWidget* window : MadeWindows()) LoadGlyphs(*window);
}

void LoadGlyphs(QWidget& window) {
    const QDir folder(platform::programFile(QStringLiteral("ressources")));
    if (!folder.exists()) return;
    if (&window == MadeWindow(19))
        setPicture(window.findChild<QLabel*>(QStringLiteral("Image6")), bitmap(folder, QStringLiteral("ECRAN")));
    if (&window == MadeWindow(4)) {
        auto key = [&window](int n) { return window.findChild<QAbstractButton*>(QStringLiteral("SpeedButton%1").arg(n)); };
        if (MainXPMenu && MainXPMenu->Active()) {
            for (const auto& [n, name] : kKeyGlyphs)
                if (QAbstractButton* b = key(n); b && !bitmap(folder, QLatin1String(name)).isNull())
                    b->setIcon(bitmap(folder, QLatin1String(name)));
        }
        if (QAbstractButton* first = key(1); first && !first->icon().isNull())
            for (int n = 2; n <= 110; ++n)
                if (QAbstractButton* b = key(n); b && b->icon().isNull()) b->setIcon(first->icon());
    }
    if (&window == MadeWindow(7)) {
        const QPixmap clock = bitmap(folder, QStringLiteral("HORLOGE"));
        for (const char* image : {"Image1", "Image2"}) setPicture(window.findChild<QLabel*>(QLatin1String(image)), clock);
    }
}
