#include "editors/Unit2.h"

#include "core/Settings.h"
#include "look/UBackGround.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>

QString LastBackgroundForm;

using namespace Qt::StringLiterals;

TForm2::TForm2(QWidget* parent) : TCommandDialog(2, u"Frappe de texte"_s, u"Type"_s, 1107, parent) {
    // The whole string is the text: a separator inside it is part of it.
    Declare({.size = {380, 110},
             .controls = {{.name = u"ComboBox1"_s, .place = PlaceOf(Command::Type, 1), .label = u"Label1"_s,
                           .caption = u"Inserez un texte ou une variable"_s, .list = AllVariables}}});
    ArrangeInColumn();
    Label1 = findChild<QLabel*>(u"Label1"_s);
    ComboBox1 = findChild<TComboBox*>(u"ComboBox1"_s);
    ComboBox1->installEventFilter(this);
}

// Adding again starts from an empty text; "Annuler" keeps it.
void TForm2::AfterCommit() { ComboBox1->setEditText(QString()); }

bool TForm2::eventFilter(QObject* watched, QEvent* e) {
    if (watched == ComboBox1 && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Button1Click();
            return true;
        }
    }
    return TCommandDialog::eventFilter(watched, e);
}

// --- The shared background ---

namespace {
const QString kBezier = QStringLiteral("Bézier aléatoire");

// The options dialog's preview shows the background chosen: a picture file, or random curves.
bool previewHasPicture() {
    const QString& background = settings().Background;
    return background == kBezier || QFileInfo(BackgroundPicturePath(background)).isFile();
}

// Each radio button "RadioButton1" to "RadioButton6" placed on the form takes,
// once, the colour of the picture just left of it.
void colourRadioButtons(QWidget* sender, const QImage& bitmap, const QRect& area) {
    for (int i = 1; i <= 6; ++i) {
        auto* radio = sender->findChild<QRadioButton*>(QStringLiteral("RadioButton%1").arg(i));
        if (!radio || radio->property("Tag").toInt() != 0) continue;
        QColor colour = QApplication::palette().color(QPalette::Button);
        if (previewHasPicture() && radio->parentWidget() == sender) {
            const QPoint at = radio->mapTo(sender, QPoint(-1, 7));
            const QPoint source(at.x() * bitmap.width() / qMax(1, area.width()),
                                at.y() * bitmap.height() / qMax(1, area.height()));
            if (bitmap.valid(source)) colour = bitmap.pixelColor(source);
        }
        radio->setProperty("Tag", 1);
        QPalette p = radio->palette();
        p.setColor(QPalette::Window, colour);
        radio->setPalette(p);
        radio->setAutoFillBackground(true);
    }
}

// Numbered forms but "Form1", "Form34" and "Form36" paint the shared background.
bool sharesTheBackground(const QWidget* w) {
    const QString name = w->objectName();
    bool numbered = false;
    const int n = name.startsWith(QLatin1String("Form")) ? name.mid(4).toInt(&numbered) : 0;
    return numbered && n != 1 && n != 34 && n != 36;
}

class BackgroundPainter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Paint && watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            if (w->isWindow() && sharesTheBackground(w)) TForm2::FormPaint(w);
        }
        return false;
    }
};
}  // namespace

void TForm2::FormPaint(QWidget* sender) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area(QPoint(0, 0), screen ? screen->size() : sender->size());
    QImage& BackgroundBitmap = settings().BackgroundBitmap;
    if (settings().Background == kBezier) {
        if (BackgroundBitmap.size() != area.size()) BackgroundBitmap = QImage(area.size(), QImage::Format_RGB32);
        if (sender->objectName() != LastBackgroundForm) UBackGround::DrawRandomBezier(BackgroundBitmap);
        LastBackgroundForm = sender->objectName();
    }
    if (BackgroundBitmap.isNull()) return;
    // A picture smaller than the screen is stretched to it; a larger one shows its top-left part.
    const bool stretched = BackgroundBitmap.height() < area.height() || BackgroundBitmap.width() < area.width();
    {
        QPainter p(sender);
        if (stretched)
            p.drawImage(area, BackgroundBitmap);
        else
            p.drawImage(QPoint(0, 0), BackgroundBitmap);
    }
    colourRadioButtons(sender, BackgroundBitmap, stretched ? area : BackgroundBitmap.rect());
}

void InstallDialogBackgrounds() {
    static auto* painter = new BackgroundPainter;
    qApp->installEventFilter(painter);
}
