// The drawn icons (core/icons): every command index and every action has its own picture, sharp at
// the list, menu, palette and tool-bar sizes.
#include "core/ActionIcons.h"
#include "core/MacroList.h"
#include "core/WatchList.h"

#include "tests/support/TestSupport.h"

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <vector>

namespace {

// The indexes that have a picture of their own: commands, breakpoint, tools, watch list.
const std::vector<int> kDrawn = {0,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                                 15, 16, 17, 18, 19, 20, 21, 22, 26, 27, 28, 29, 30, kWatchIcon};
const int kSizes[] = {16, 24};

// The actions drawn for the menus and tool bars.
const char* const kActions[] = {"new",  "open", "save",  "save-as", "print",   "cut",    "copy",        "paste",
                                "delete", "undo", "redo", "find",    "replace", "run",    "step",        "pause",
                                "stop", "options", "spy", "window-list", "recorder", "plugins", "about", "help"};

QImage image(const QIcon& icon, int size, QIcon::Mode mode = QIcon::Normal) {
    return icon.pixmap(QSize(size, size), mode).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage picture(int index, int size, QIcon::Mode mode = QIcon::Normal) {
    return image(CommandIcons::icon(index), size, mode);
}

int inkedPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += qAlpha(image.pixel(x, y)) > 64;
    return n;
}

// Share of the pixels that visibly differ between two pictures of one size, as shown on the white list.
double difference(const QImage& a, const QImage& b) {
    auto onWhite = [](QRgb p) {
        const int alpha = qAlpha(p);
        auto c = [alpha](int v) { return (v * alpha + 255 * (255 - alpha)) / 255; };
        return QColor(c(qRed(p)), c(qGreen(p)), c(qBlue(p)));
    };
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = onWhite(a.pixel(x, y)), q = onWhite(b.pixel(x, y));
            n += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) + std::abs(p.blue() - q.blue()) > 96;
        }
    return double(n) / (a.width() * a.height());
}

TEST(CommandIcons, EachIndexIsDrawnSharplyAtTheListAndPaletteSizes) {
    for (int index : kDrawn) {
        const QList<QSize> sizes = CommandIcons::icon(index).availableSizes();
        for (int size : kSizes) {
            EXPECT_TRUE(sizes.contains(QSize(size, size))) << "index " << index << " has no " << size << " px drawing";
            const QImage image = picture(index, size);
            ASSERT_EQ(image.size(), QSize(size, size)) << index;
            // Neither empty nor a filled square: a picture covers part of its cell.
            const int inked = inkedPixels(image);
            EXPECT_GT(inked, size * size / 8) << "index " << index << " at " << size << " px is nearly blank";
            EXPECT_LT(inked, size * size) << "index " << index << " at " << size << " px fills its whole cell";
        }
    }
}

TEST(CommandIcons, EveryPictureDiffersFromTheOthersAndFromTheNeutralOne) {
    for (int size : kSizes) {
        const QImage neutral = picture(57, size);
        EXPECT_GT(inkedPixels(neutral), 0);
        EXPECT_EQ(neutral, picture(99, size)) << "indexes without a picture share the neutral one";
        for (size_t i = 0; i < kDrawn.size(); ++i) {
            const QImage a = picture(kDrawn[i], size);
            EXPECT_GT(difference(a, neutral), 0.1) << "index " << kDrawn[i] << " looks like the neutral picture";
            for (size_t j = i + 1; j < kDrawn.size(); ++j)
                EXPECT_GT(difference(a, picture(kDrawn[j], size)), 0.1)
                    << "indexes " << kDrawn[i] << " and " << kDrawn[j] << " look alike at " << size << " px";
        }
    }
}

TEST(CommandIcons, TypeVariableAndInclusionAreClearlyDifferent) {
    const int type = 0, variable = 9, inclusion = 29;
    for (int size : kSizes) {
        EXPECT_GT(difference(picture(type, size), picture(variable, size)), 0.3) << size;
        EXPECT_GT(difference(picture(type, size), picture(inclusion, size)), 0.3) << size;
        EXPECT_GT(difference(picture(variable, size), picture(inclusion, size)), 0.3) << size;
    }
}

TEST(CommandIcons, TheBreakpointIsMostlyRedEvenOnASelectedRow) {
    for (QIcon::Mode mode : {QIcon::Normal, QIcon::Selected})
        for (int size : kSizes) {
            const QImage image = picture(kBreakpointIcon, size, mode);
            int red = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const QRgb p = image.pixel(x, y);
                    red += qAlpha(p) > 200 && qRed(p) > 140 && qGreen(p) < 90 && qBlue(p) < 90;
                }
            EXPECT_GT(red, size * size / 2) << "mode " << mode << ", " << size << " px";
        }
}

TEST(CommandIcons, AnIconSetByTheProgramWinsOverTheDrawnOne) {
    const int index = 9;
    const QIcon drawn = CommandIcons::icon(index);
    QPixmap plain(16, 16);
    plain.fill(QColor(10, 200, 30));
    CommandIcons::setIcon(index, QIcon(plain));
    const QImage shown = CommandIcons::icon(index).pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
    CommandIcons::setIcon(index, drawn);
    EXPECT_EQ(shown.pixel(8, 8), QColor(10, 200, 30).rgba());
    EXPECT_EQ(shown.pixel(0, 0), QColor(10, 200, 30).rgba());
    EXPECT_EQ(CommandIcons::icon(index).cacheKey(), drawn.cacheKey());
}

TEST(CommandIcons, NoIndexNoIcon) { EXPECT_TRUE(CommandIcons::icon(-1).isNull()); }

TEST(ActionIcons, EachIsDrawnSharplyAtTheMenuAndToolBarSizesAndDiffersFromTheOthers) {
    for (const char* name : kActions) {
        const QIcon icon = ActionIcon(name);
        ASSERT_FALSE(icon.isNull()) << name;
        for (int size : kSizes) {
            EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << name << " has no " << size << " px drawing";
            const int inked = inkedPixels(image(icon, size));
            EXPECT_GT(inked, size * size / 8) << name << " at " << size << " px is nearly blank";
            EXPECT_LT(inked, size * size) << name << " at " << size << " px fills its whole cell";
        }
    }
    for (int size : kSizes)
        for (size_t i = 0; i < std::size(kActions); ++i)
            for (size_t j = i + 1; j < std::size(kActions); ++j)
                EXPECT_GT(difference(image(ActionIcon(kActions[i]), size), image(ActionIcon(kActions[j]), size)), 0.1)
                    << kActions[i] << " and " << kActions[j] << " look alike at " << size << " px";
    // The breakpoint and the watch are the command list's own pictures.
    EXPECT_EQ(ActionIcon("breakpoint").cacheKey(), CommandIcons::icon(kBreakpointIcon).cacheKey());
    EXPECT_EQ(ActionIcon("evaluate").cacheKey(), CommandIcons::icon(kWatchIcon).cacheKey());
    EXPECT_TRUE(ActionIcon("nothing").isNull());
}

}  // namespace
