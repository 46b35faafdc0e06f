#include "editors/Unit4.h"

#include "platform/Platform.h"

#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>

TForm4* Form4 = nullptr;

namespace {

struct KeyPlace {
    int number, tag, left, top, width, height;
};

// The keyboard, row by row: button number, tag, position and size.
constexpr KeyPlace kKeys[] = {
    {70, 1, 8, 8, 38, 22}, {76, 59, 56, 8, 23, 22}, {77, 60, 80, 8, 23, 22}, {78, 61, 104, 8, 23, 22},
    {79, 62, 128, 8, 23, 22}, {73, 63, 164, 8, 23, 22}, {67, 64, 188, 8, 23, 22}, {10, 65, 212, 8, 23, 22},
    {11, 66, 236, 8, 23, 22}, {12, 67, 272, 8, 23, 22}, {13, 68, 296, 8, 23, 22}, {14, 87, 320, 8, 23, 22},
    {15, 88, 344, 8, 23, 22}, {16, 155, 384, 8, 23, 22}, {17, 70, 408, 8, 23, 22}, {18, 69, 432, 8, 23, 22},
    {69, 41, 8, 40, 23, 22}, {68, 2, 32, 40, 23, 22}, {19, 3, 56, 40, 23, 22}, {20, 4, 80, 40, 23, 22},
    {21, 5, 104, 40, 23, 22}, {22, 6, 128, 40, 23, 22}, {23, 7, 152, 40, 23, 22}, {24, 8, 176, 40, 23, 22},
    {25, 9, 200, 40, 23, 22}, {26, 10, 224, 40, 23, 22}, {27, 11, 248, 40, 23, 22}, {28, 12, 272, 40, 23, 22},
    {29, 13, 296, 40, 23, 22}, {30, 14, 320, 40, 49, 22}, {100, 182, 384, 40, 23, 22},
    {101, 171, 408, 40, 23, 22}, {102, 173, 432, 40, 23, 22}, {80, 169, 472, 40, 23, 22},
    {81, 153, 496, 40, 23, 22}, {82, 55, 520, 40, 23, 22}, {83, 74, 544, 40, 23, 22}, {31, 15, 8, 64, 39, 22},
    {32, 16, 48, 64, 23, 22}, {33, 17, 72, 64, 23, 22}, {34, 18, 96, 64, 23, 22}, {35, 19, 120, 64, 23, 22},
    {36, 20, 144, 64, 23, 22}, {37, 21, 168, 64, 23, 22}, {38, 22, 192, 64, 23, 22}, {39, 23, 216, 64, 23, 22},
    {40, 24, 240, 64, 23, 22}, {41, 25, 264, 64, 23, 22}, {42, 26, 288, 64, 23, 22}, {43, 27, 312, 64, 23, 22},
    {72, 28, 336, 64, 33, 46}, {103, 183, 384, 64, 23, 22}, {104, 179, 408, 64, 23, 22},
    {105, 181, 432, 64, 23, 22}, {88, 71, 472, 64, 23, 22}, {89, 72, 496, 64, 23, 22},
    {90, 73, 520, 64, 23, 22}, {91, 78, 544, 64, 23, 45}, {110, 58, 8, 88, 39, 22}, {44, 30, 48, 88, 23, 22},
    {45, 31, 72, 88, 23, 22}, {46, 32, 96, 88, 23, 22}, {47, 33, 120, 88, 23, 22}, {48, 34, 144, 88, 23, 22},
    {49, 35, 168, 88, 23, 22}, {50, 36, 192, 88, 23, 22}, {51, 37, 216, 88, 23, 22}, {52, 38, 240, 88, 23, 22},
    {53, 39, 264, 88, 23, 22}, {54, 40, 288, 88, 23, 22}, {55, 43, 312, 88, 23, 22}, {84, 75, 472, 88, 23, 22},
    {85, 76, 496, 88, 23, 22}, {86, 77, 520, 88, 23, 22}, {8, 42, 8, 112, 39, 22}, {57, 86, 48, 112, 23, 22},
    {56, 44, 72, 112, 23, 22}, {58, 45, 96, 112, 23, 22}, {59, 46, 120, 112, 23, 22},
    {60, 47, 144, 112, 23, 22}, {61, 48, 168, 112, 23, 22}, {62, 49, 192, 112, 23, 22},
    {63, 50, 216, 112, 23, 22}, {64, 51, 240, 112, 23, 22}, {65, 52, 264, 112, 23, 22},
    {66, 53, 288, 112, 23, 22}, {9, 54, 312, 112, 57, 22}, {109, 172, 408, 112, 23, 22},
    {96, 79, 472, 112, 23, 22}, {97, 80, 496, 112, 23, 22}, {98, 81, 520, 112, 23, 22},
    {87, 128, 544, 112, 23, 46}, {2, 29, 8, 136, 39, 22}, {3, 191, 48, 136, 23, 22}, {1, 56, 72, 136, 23, 22},
    {71, 57, 97, 136, 198, 22}, {5, 192, 298, 136, 23, 22}, {6, 193, 322, 136, 23, 22},
    {7, 129, 346, 136, 23, 22}, {106, 175, 384, 136, 23, 22}, {107, 180, 408, 136, 23, 22},
    {108, 177, 432, 136, 23, 22}, {92, 82, 472, 136, 47, 22}, {94, 83, 520, 136, 23, 22},
};

}  // namespace

TKeyButton::TKeyButton(int number, int tag, QWidget* parent) : QToolButton(parent) {
    setObjectName(QStringLiteral("SpeedButton%1").arg(number));
    setProperty("Tag", tag);
    setText(QStringLiteral("?"));
    setAutoRaise(false);
}

QString TKeyButton::Caption() const { return text().left(width() / 7); }

void TKeyButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.text.clear();
    p.drawComplexControl(QStyle::CC_ToolButton, option);
    p.drawText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, QString(Caption()).replace(u'&', QLatin1String("&&")));
}

TForm4::TForm4(QWidget* parent) : TForm(4, QStringLiteral("Saisie de touche"), parent) {
    Form4 = this;
    setWindowFlag(Qt::WindowStaysOnTopHint);
    QFont small = font();
    small.setPointSize(7);
    for (const KeyPlace& k : kKeys) {
        auto* key = new TKeyButton(k.number, k.tag, this);
        key->setFont(small);
        key->setGeometry(k.left, k.top, k.width, k.height);
    }
    setFixedSize(580, 240);
    KeyboardLanguage = platform::desktop().KeyboardLayout() == QLatin1String("fr") ? QStringLiteral("Français")
                                                                                      : platform::desktop().KeyboardLayout();
    setWindowTitle(QStringLiteral("Saisie de touche - ") + KeyboardLanguage);
    UpdateKeyBoard();
}

TKeyButton* TForm4::SpeedButton(int n) const {
    return findChild<TKeyButton*>(QStringLiteral("SpeedButton%1").arg(n), Qt::FindDirectChildrenOnly);
}

void TForm4::UpdateKeyBoard() {
    for (int i = 1; i <= 110; ++i) {
        TKeyButton* key = SpeedButton(i);
        if (!key) continue;
        const int tag = key->Tag();
        const QString name = tag < 100 ? platform::desktop().GetKeyNameText(tag, false)
                                       : platform::desktop().GetKeyNameText(tag - 100, true);
        if (name.isEmpty()) continue;
        key->setText(name);
        key->setToolTip(name);
        key->update();
    }
}
