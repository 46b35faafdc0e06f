// F1 help by context and the shared background of the dialogs.
#include "tests/support/TestServices.h"
#include "core/Settings.h"
#include "core/Form.h"
#include "core/HelpContext.h"
#include "core/Startup.h"
#include "core/Unit1.h"
#include "editors/CommandDialog.h"
#include "editors/Palette.h"
#include "editors/Unit2.h"
#include "editors/Unit7.h"
#include "look/UBackGround.h"
#include "tests/support/TestSupport.h"
#include "tools/Unit19.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QScreen>
#include <QToolButton>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

class DialogLookTest : public MainWindowTest {
protected:
    void TearDown() override {
        settings().BackgroundBitmap = QImage();
        settings().Background = defaultSettings().Background;
        LastBackgroundForm.clear();
        MainWindowTest::TearDown();
    }
    QVector<int> opened;
    bool opens = true;
    void recordHelp() {
        QFile help(home.filePath(kHelpFileName));
        ASSERT_TRUE(help.open(QIODevice::WriteOnly));
        testServices().onOpenDocument = [this](const QString& file, const QString& fragment) {
            EXPECT_EQ(file, home.filePath(kHelpFileName));
            opened << fragment.toInt();
            return opens;
        };
    }
};

TEST_F(DialogLookTest, F1OpensTheActiveControlsContextOrItsParents) {
    recordHelp();
    form->PaletteButton(1)->click();
    Form2->ComboBox1->setFocus();
    FormHelpRequest(Form2);  // the combo has no context: the form's
    SetHelpContext(Form2->ComboBox1, 4242);
    FormHelpRequest(Form2);
    EXPECT_EQ(opened, QVector<int>({1107, 4242}));

    // A control of context 0 in holders of context 0: the first holder with a
    // context, up to the form; none anywhere: nothing.
    auto* panel = new QWidget(Form2);
    auto* inner = new QWidget(panel);
    auto* edit = new QLineEdit(inner);
    Form2->layout()->addWidget(panel);
    edit->setFocus();
    FormHelpRequest(Form2);
    EXPECT_EQ(opened.last(), 1107);
    SetHelpContext(panel, 77);
    FormHelpRequest(Form2);
    EXPECT_EQ(opened.last(), 77);
    SetHelpContext(panel, 0);
    SetHelpContext(Form2, 0);
    FormHelpRequest(Form2);
    SetHelpContext(Form2, 1107);
    EXPECT_EQ(opened.size(), 4);
    EXPECT_TRUE(messages.shown.isEmpty());

    opens = false;
    FormHelpRequest(Form2);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Erreur: Vérifiez la présence du fichier .chm dans le dossier de Orvanel.");
    EXPECT_TRUE(Form2->isVisible());
}

// The field that has the focus when these dialogs open stands beside a button.
TEST_F(DialogLookTest, F1OnTheFirstFieldBesideAButtonOpensTheDialogsHelp) {
    recordHelp();
    const std::tuple<const char*, int, int> dialogs[] = {
        {"Variable", 8, 1139}, {"Procedure", 36, 1128}, {"Lire", 15, 1094}, {"Execute", 26, 1134}};
    for (const auto& [keyword, number, context] : dialogs) {
        ShowCommandDialog(QString::fromUtf8(keyword));
        TCommandDialog* dialog = CommandDialog(number);
        ASSERT_TRUE(dialog && dialog->isVisible()) << keyword;
        ASSERT_TRUE(dialog->focusWidget()) << keyword;
        EXPECT_NE(dialog->focusWidget()->parentWidget(), dialog) << keyword << ": the field stands in a holder";
        FormHelpRequest(dialog);
        EXPECT_EQ(opened.value(opened.size() - 1), context) << keyword;
        dialog->close();
    }
}

// Tab from the first field: each field with the button beside it, then the
// choices, then "Valider" and "Annuler".
TEST_F(DialogLookTest, TabGoesThroughTheFieldsWithTheirButtonsThenTheChoicesThenValider) {
    const std::tuple<const char*, int, QStringList> dialogs[] = {
        {"Variable", 8, {"Edit1", "SpeedButton1", "Edit2", "RadioButton1", "Button1", "Button2"}},
        {"Procedure", 36, {"ComboBox1", "SpeedButton1", "RadioButton1", "Button1", "Button2"}},
        {"Lire", 15, {"ComboBox3", "SpeedButton1", "ComboBox1", "ComboBox2", "RadioButton1", "Button1", "Button2"}},
        {"Execute", 26, {"ComboBox1", "Button3", "Button1", "Button2"}},
    };
    for (const auto& [keyword, number, expected] : dialogs) {
        ShowCommandDialog(QString::fromUtf8(keyword));
        TCommandDialog* dialog = CommandDialog(number);
        ASSERT_TRUE(dialog && dialog->isVisible()) << keyword;
        QApplication::setActiveWindow(dialog);
        dialog->findChild<QWidget*>(expected.first())->setFocus();
        QStringList visited;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QWidget* w = QApplication::focusWidget();  // a combo box's text field stands for the box
            while (w && w != dialog && !expected.contains(w->objectName())) w = w->parentWidget();
            visited << (w ? w->objectName() : QString());
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QApplication::sendEvent(QApplication::focusWidget(), &tab);
        }
        EXPECT_EQ(visited, expected) << keyword;
        dialog->close();
    }
}

TEST_F(DialogLookTest, F1WithoutAHelpFileInTheProgramFolderSaysSo) {
    form->PaletteButton(8)->click();
    Form7->ComboBox1->setFocus();
    FormHelpRequest(Form7);  // no help file in the test's program folder
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith("Erreur: Vérifiez"));
    EXPECT_EQ(HelpContext(Form7), 1135);
}

class BackgroundTest : public DialogLookTest {
protected:
    // Paints the form as it appears.
    static QImage shownImage(QWidget* w) {
        w->show();
        return w->grab().toImage();
    }
    static QColor shown(QWidget* w, QPoint at) { return shownImage(w).pixelColor(at); }
};

TEST_F(BackgroundTest, ASmallPictureIsStretchedToTheScreen) {
    settings().BackgroundBitmap = QImage(4, 4, QImage::Format_RGB32);
    settings().BackgroundBitmap.fill(Qt::red);
    settings().BackgroundBitmap.setPixelColor(0, 0, Qt::blue);  // a quarter of the picture: bigger than any dialog
    EXPECT_EQ(shown(Form2, {2, 2}), QColor(Qt::blue));
}

TEST_F(BackgroundTest, AScreenSizedPictureShowsItsTopLeftUnscaled) {
    const QSize screen = QGuiApplication::primaryScreen()->size();
    settings().BackgroundBitmap = QImage(screen, QImage::Format_RGB32);
    settings().BackgroundBitmap.fill(Qt::red);
    settings().BackgroundBitmap.setPixelColor(3, 3, Qt::blue);
    EXPECT_EQ(shown(Form7, {3, 3}), QColor(Qt::blue));
    EXPECT_EQ(shown(Form7, {4, 3}), QColor(Qt::red));
}

TEST_F(BackgroundTest, NoPictureNoBackgroundAndSomeFormsKeepTheirOwn) {
    settings().BackgroundBitmap = QImage();
    const QColor plain = shown(Form2, {2, 2});
    EXPECT_NE(plain, QColor(Qt::red));
    settings().BackgroundBitmap = QImage(4, 4, QImage::Format_RGB32);
    settings().BackgroundBitmap.fill(Qt::red);
    for (int n : {34, 36})
        if (QWidget* f = Window(n)) EXPECT_NE(shown(f, {2, 2}), QColor(Qt::red)) << n;
    TForm numbered(98, "Essai");  // any numbered window, made at any time
    EXPECT_EQ(shown(&numbered, {2, 2}), QColor(Qt::red));
}

TEST_F(BackgroundTest, RandomBezierChangesOnlyWhenAnotherFormPaints) {
    settings().Background = "Bézier aléatoire";
    const TColor kept[3] = {UBackGround::BezierColors().gradientStart, UBackGround::BezierColors().gradientEnd, UBackGround::BezierColors().stroke};
    UBackGround::BezierColors().gradientStart = 0xFFFFFF;
    UBackGround::BezierColors().gradientEnd = 0x000000;
    UBackGround::BezierColors().stroke = 0x0000FF;
    const QImage first = shownImage(Form2);
    EXPECT_EQ(settings().BackgroundBitmap.size(), QGuiApplication::primaryScreen()->size());
    EXPECT_EQ(LastBackgroundForm, "Form2");
    EXPECT_EQ(shownImage(Form2), first);  // the same form keeps its pattern
    const QImage pattern = settings().BackgroundBitmap;
    shownImage(Form7);
    EXPECT_EQ(LastBackgroundForm, "Form7");
    const QImage second = settings().BackgroundBitmap;
    EXPECT_NE(second, pattern);  // a new one for another form
    shownImage(Form2);
    EXPECT_EQ(LastBackgroundForm, "Form2");
    // and again when the first comes back (compared whole: a dialog shows only
    // a corner of the screen-sized picture, which strokes may miss both times)
    EXPECT_NE(settings().BackgroundBitmap, second);
    UBackGround::BezierColors().gradientStart = kept[0];
    UBackGround::BezierColors().gradientEnd = kept[1];
    UBackGround::BezierColors().stroke = kept[2];
}

TEST_F(BackgroundTest, RadioButtonsTakeTheirColourOnce) {
    settings().BackgroundBitmap = QImage(4, 4, QImage::Format_RGB32);
    settings().BackgroundBitmap.fill(Qt::red);
    TForm dialog(99, "Essai");
    auto* onForm = new QRadioButton("a", &dialog);
    onForm->setObjectName("RadioButton1");
    onForm->move(20, 20);
    auto* box = new QGroupBox(&dialog);
    box->setGeometry(20, 60, 100, 60);
    auto* inBox = new QRadioButton("b", box);
    inBox->setObjectName("RadioButton2");

    // Without a preview picture in the options, every radio button gets the face colour.
    const QColor face = QApplication::palette().color(QPalette::Button);
    shown(&dialog, {0, 0});
    EXPECT_EQ(onForm->palette().color(QPalette::Window), face);
    EXPECT_EQ(onForm->property("Tag").toInt(), 1);
    EXPECT_EQ(inBox->palette().color(QPalette::Window), face);

    // With one, a radio button on the form takes the picture's colour left of it; once only.
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::green);
    ASSERT_TRUE(picture.save(home.filePath("fond.bmp")));
    settings().Background = "fond.bmp";
    onForm->setProperty("Tag", 0);
    inBox->setProperty("Tag", 0);
    shown(&dialog, {0, 0});
    EXPECT_EQ(onForm->palette().color(QPalette::Window), QColor(Qt::red));
    EXPECT_EQ(inBox->palette().color(QPalette::Window), face);
    settings().BackgroundBitmap.fill(Qt::blue);
    shown(&dialog, {0, 0});
    EXPECT_EQ(onForm->palette().color(QPalette::Window), QColor(Qt::red));
}

}  // namespace
