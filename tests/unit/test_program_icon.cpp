// The program's own icon: sharp at every size from 16 to 256 pixels, shown by
// the windows and the About box, and installed with the desktop entry.
#include "apps/orvanel/ProgramIcon.h"
#include "core/Unit1.h"
#include "tests/support/TestSupport.h"
#include "tools/Unit23.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>

namespace {

const int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QImage picture(const QIcon& icon, int size) {
    return icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(ProgramIcon, IsSharpAtEverySizeFrom16To256) {
    const QIcon icon = ProgramIcon();
    for (int size : kSizes) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
        const QImage image = picture(icon, size);
        ASSERT_EQ(image.size(), QSize(size, size));
        // The tile's straight sides fall on whole pixels: across its middle row the
        // first and the last drawn pixels are opaque, not a blur of partial ones.
        const int y = size / 2;
        int first = 0, last = size - 1;
        while (first < size && qAlpha(image.pixel(first, y)) == 0) ++first;
        while (last > first && qAlpha(image.pixel(last, y)) == 0) --last;
        ASSERT_LT(first, last) << size;
        EXPECT_EQ(qAlpha(image.pixel(first, y)), 255) << size << " px: left side blurred";
        EXPECT_EQ(qAlpha(image.pixel(last, y)), 255) << size << " px: right side blurred";
        EXPECT_EQ(qAlpha(image.pixel(y, first)), 255) << size << " px: top side blurred";
    }
}

class ProgramIconWindows : public MainWindowTest {};

TEST_F(ProgramIconWindows, TheWindowsAndTheAboutBoxShowIt) {
    const qint64 icon = ProgramIcon().cacheKey();
    EXPECT_EQ(QApplication::windowIcon().cacheKey(), icon);
    EXPECT_EQ(form->windowIcon().cacheKey(), icon);
    ASSERT_NE(Form23, nullptr);
    Form23->show();  // the About box takes the program's icon as it shows
    EXPECT_EQ(Form23->Image1->pixmap().toImage().convertToFormat(QImage::Format_ARGB32), picture(ProgramIcon(), 64));
}

// The desktop entry field `key` of an entry's text.
QString field(const QString& entry, const QString& key) {
    for (const QString& line : entry.split(u'\n'))
        if (line.startsWith(key + u'=')) return line.mid(key.size() + 1);
    return {};
}

TEST(DesktopEntry, TheInstallStepWritesTheEntryAndTheIconsForTheUser) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A program folder whose path needs quoting in the entry.
    const QString bin = dir.filePath("mes $programmes/bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    const QString data = dir.filePath("data");
    for (int run = 0; run < 2; ++run) {  // a second install replaces the first
        QProcess install;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", data);
        install.setProcessEnvironment(env);
        install.start("sh", {INSTALL_DESKTOP_SCRIPT, bin});
        ASSERT_TRUE(install.waitForFinished(30000));
        ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
    }
    const QString entry = QString::fromUtf8(ReadBytes(data + "/applications/orvanel.desktop"));
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));
    EXPECT_EQ(field(entry, "Type"), "Application");
    EXPECT_EQ(field(entry, "Name"), "Orvanel");
    EXPECT_EQ(field(entry, "Icon"), "orvanel");
    EXPECT_EQ(field(entry, "Exec"), "\"" + QString(bin).replace("$", "\\$") + "/orvanel\" %f");
    EXPECT_EQ(field(entry, "StartupWMClass"), "Orvanel");
    EXPECT_FALSE(QFile::exists(data + "/applications/orvanel.desktop.tmp"));
    // The icon in the theme, at its drawn sizes and as the scalable picture.
    for (const char* place : {"16x16", "24x24", "32x32", "scalable"}) {
        const QString file = data + "/icons/hicolor/" + place + "/apps/orvanel.svg";
        EXPECT_TRUE(QSvgRenderer(file).isValid()) << place;
    }
    EXPECT_EQ(QSvgRenderer(data + "/icons/hicolor/16x16/apps/orvanel.svg").defaultSize(), QSize(16, 16));
    EXPECT_EQ(QSvgRenderer(data + "/icons/hicolor/24x24/apps/orvanel.svg").defaultSize(), QSize(24, 24));
}

}  // namespace
