#include "editors/Unit4.h"

#include "core/KeyBoard.h"
#include "look/XPMenu.h"
#include "platform/Platform.h"

#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>

TForm4* Form4 = nullptr;


TKeyButton::TKeyButton(int number, int tag, QWidget* parent) : QToolButton(parent) {
    setObjectName(QStringLiteral("SpeedButton%1").arg(number));
    setProperty("Tag", tag);
    setText(QStringLiteral("?"));
    setAutoRaise(false);
}

QString TKeyButton::Caption() const { return text().left(width() / 7); }

void TKeyButton::paintEvent(QPaintEvent*) {
    if (Form4 && TXPMenu::StylerOf(this)) return Form4->PaintSpeedButton(this, underMouse(), isDown(), false);
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
    for (const KeyPlace& k : KeyPlaces()) {
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

void TForm4::PaintSpeedButton(TKeyButton* key, bool hot, bool, bool) {
    QPainter p(key);
    p.fillRect(key->rect(), Qt::black);
    const QIcon glyph = key->icon();
    const int shift = hot ? -2 : 0;
    if (!glyph.isNull()) {
        const QList<QSize> sizes = glyph.availableSizes();
        p.drawPixmap(shift, shift, glyph.pixmap(sizes.isEmpty() ? key->size() : sizes.first()));
    }
    // Without a picture the face stays black: the name is written in white.
    p.setPen(glyph.isNull() ? QColor(Qt::white) : key->palette().color(QPalette::ButtonText));
    p.setFont(key->font());
    const QString caption = key->Caption();
    const QFontMetrics fm(key->font());
    const int left = (key->width() - fm.horizontalAdvance(caption)) / 2 + shift;
    const int top = (key->height() - fm.height()) / 2 + shift;
    p.drawText(QRect(left, top, fm.horizontalAdvance(caption), fm.height()), Qt::AlignLeft | Qt::AlignTop, caption);
}

void TForm4::UpdateKeyBoard() {
    UpdateKeyNames();
    for (const KeyPlace& k : KeyPlaces()) {
        TKeyButton* key = SpeedButton(k.number);
        key->setText(KeyName(k.number));
        key->setToolTip(KeyName(k.number));
        key->update();
    }
}
