// The capture dialogs on the fake desktop: the on-screen keyboard of "Type
// Special" with its layout chooser, "Move Mouse" with its snapshots, and
// "Trouve image" with its markers and bitmap file.
#include "core/KeyBoard.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "editors/Unit22.h"
#include "editors/Unit4.h"
#include "editors/Unit5.h"
#include "engine/HotKeyManager.h"
#include "platform/VirtualKeys.h"
#include "platform/XkbRegistry.h"
#include "platform/fake/FakePlatform.h"
#include "tests/support/TestServices.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <functional>

namespace {

using namespace Qt::StringLiterals;

platform::FakePlatform& fake() { return static_cast<platform::FakePlatform&>(platform::desktop()); }

// Pumps events until the condition holds (false after five seconds).
bool waitUntil(const std::function<bool()>& condition) {
    QElapsedTimer waited;
    waited.start();
    while (!condition() && waited.elapsed() < 5000) QApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

class CaptureDialogsTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        form->show();
    }
    // The key button of that name.
    static TKeyButton* key(const QString& name) {
        for (const KeyPlace& k : KeyPlaces())
            if (Form4->SpeedButton(k.number)->Hint() == name) return Form4->SpeedButton(k.number);
        ADD_FAILURE() << "no key named " << name.toStdString();
        return nullptr;
    }
    static QStringList selectedNames() {
        QStringList out;
        for (const KeyPlace& k : KeyPlaces())
            if (Form4->SpeedButton(k.number)->Selected()) out << Form4->SpeedButton(k.number)->Hint();
        out.sort();
        return out;
    }
    void modify(const QString& keyword, const QString& params) {
        setRows({{keyword, params}});
        TForm1::Select_unique(form->ListView1, 0);
        form->ListView1DblClick();
    }
};

// ---- Type Special ----

TEST_F(CaptureDialogsTest, KeysAreJoinedInSlotOrderWithTheAction) {
    Form4->ShowForAdd();
    for (const char* name : {"Ctrl", "Alt", "Suppr"}) key(QString::fromUtf8(name))->click();
    Form4->ComboBox1->setCurrentIndex(1);  // "Appuyer"
    Form4->Button1->click();
    EXPECT_EQ(rowTexts(), QStringList({u"Type Special|Ctrl;Alt;Suppr;[KeyDown];"_s}));
    EXPECT_EQ(form->ListView1->icon(0), 4);
    EXPECT_FALSE(Form4->isVisible());
    EXPECT_TRUE(selectedNames().isEmpty()) << "closing frees the keys";

    // A fourth key is refused; three stay selected.
    Form4->ShowForAdd();
    for (const char* name : {"A", "Z", "E"}) key(QString::fromUtf8(name))->click();
    key(u"R"_s)->click();
    EXPECT_EQ(messages.texts().last(), u"Le nombre de touche appuyé simultanément ne peut excéder 3."_s);
    EXPECT_EQ(selectedNames(), QStringList({u"A"_s, u"E"_s, u"Z"_s}));
    EXPECT_EQ(Form4->SelectedKeyCount, 3);

    // Freeing slot 1 and choosing another key puts that key first.
    key(u"A"_s)->click();
    key(u"Maj"_s)->click();
    Form4->ComboBox1->setCurrentIndex(2);  // "Relâcher"
    Form4->Button1->click();
    EXPECT_EQ(rowTexts().last(), u"Type Special|Maj;Z;E;[KeyUp];"_s);

    // No key: a warning, and the dialog stays open.
    Form4->ShowForAdd();
    Form4->Button1->click();
    EXPECT_EQ(messages.texts().last(), u"Vous devez sélectionner au moins 1 touche clavier."_s);
    EXPECT_TRUE(Form4->isVisible());
}

TEST_F(CaptureDialogsTest, ModifyModeSelectsOneKeyPerField) {
    // The separator key and another: the empty field stands for the separator.
    modify(u"Type Special"_s, u";;Ctrl;"_s);
    ASSERT_TRUE(Form4->isVisible());
    EXPECT_EQ(selectedNames(), QStringList({u";"_s, u"Ctrl"_s}));
    EXPECT_EQ(Form4->ComboBox1->currentIndex(), 0);
    Form4->Button1->click();
    EXPECT_EQ(rowTexts(), QStringList({u"Type Special|;;Ctrl;"_s}));

    // Two keys share a name: each field selects one of them, never a key twice, never a warning.
    Form4->SpeedButton(32)->setToolTip(u"Ctrl"_s);  // "A" renamed, as a language file could
    const int before = int(messages.shown.size());
    for (const auto& [params, names] :
         std::vector<std::pair<QString, QStringList>>{{u"Ctrl;[KeyDown];"_s, {u"Ctrl"_s}},
                                                      {u"Ctrl;Ctrl;[KeyUp];"_s, {u"Ctrl"_s, u"Ctrl"_s}},
                                                      {u"Ctrl;Ctrl;Ctrl;Alt;"_s, {u"Alt"_s, u"Ctrl"_s, u"Ctrl"_s}}}) {
        modify(u"Type Special"_s, params);
        EXPECT_EQ(selectedNames(), names) << params.toStdString();
        EXPECT_LE(Form4->SelectedKeyCount, 3);
        Form4->Button2->click();
    }
    EXPECT_EQ(int(messages.shown.size()), before);
    modify(u"Type Special"_s, u"Ctrl;Alt;[KeyUp];"_s);
    EXPECT_EQ(Form4->ComboBox1->currentIndex(), 2);
}

TEST_F(CaptureDialogsTest, CapsLockIsHeldOnlyWhileTheKeyboardIsOpen) {
    auto capsHeld = [] {
        for (const auto& h : fake().hotKeys)
            if (h.vk == platform::VK_CAPITAL && h.modifiers == 0) return true;
        return false;
    };
    fake().keysToggled = {platform::VK_CAPITAL};
    Form4->ShowForAdd();
    EXPECT_TRUE(capsHeld());
    EXPECT_EQ(Form4->Shape2->Brush(), QColor(0, 255, 0));
    EXPECT_EQ(Form4->Shape1->Brush(), QColor(Qt::white));
    fake().keysToggled.clear();
    fake().PressHotKey(0, platform::VK_CAPITAL);
    EXPECT_EQ(Form4->Shape2->Brush(), QColor(Qt::white));
    Form4->Button2->click();
    EXPECT_FALSE(capsHeld());
}

TEST_F(CaptureDialogsTest, TheLayoutChooserRenamesOnlyOnValider) {
    Form4->ShowForAdd();
    const QStringList french = KeyNames();
    Form4->Button3->click();
    ASSERT_TRUE(Form4->LangDialog);
    EXPECT_EQ(Form4->LangDialog->windowTitle(), u"Liste des Langues disponibles"_s);
    EXPECT_EQ(Form4->LayoutNames, QStringList({u"French"_s, u"English (US)"_s}));
    ASSERT_EQ(Form4->Lg->count(), 2);
    EXPECT_EQ(Form4->Lg->currentItem()->text(), u"French"_s);
    Form4->Lg->setCurrentRow(1);
    EXPECT_EQ(Form4->SubLg->currentItem()->text(), u"(US)"_s);

    // "Annuler": nothing changes, the layout in use neither.
    Form4->LangDialog->findChild<QPushButton*>(u"CancelButton"_s)->click();
    EXPECT_FALSE(Form4->LangDialog && Form4->LangDialog->isVisible());
    EXPECT_EQ(KeyNames(), french);
    EXPECT_EQ(fake().KeyboardLayout(), u"fr"_s);

    // "Valider": the names come from the layout chosen.
    Form4->Button3->click();
    Form4->Lg->setCurrentRow(1);
    Form4->LangDialog->findChild<QPushButton*>(u"OkButton"_s)->click();
    EXPECT_EQ(fake().KeyboardLayout(), u"us"_s);
    EXPECT_EQ(Form4->windowTitle(), u"Saisie de touche - English (US)"_s);
    EXPECT_EQ(Form4->SpeedButton(32)->Hint(), u"Q"_s) << "the French A key types q in English";
    EXPECT_EQ(Form4->SpeedButton(44)->Hint(), u"A"_s);
    EXPECT_EQ(Form4->SpeedButton(31)->Hint(), u"Tab"_s);
    EXPECT_EQ(key(u"Delete"_s)->Tag(), 183);
}

TEST(KeyboardLayouts, TheRegistryGivesLayoutsThenTheirVariants) {
    QByteArray xml = R"(<?xml version="1.0"?>
<xkbConfigRegistry><modelList><model><configItem><name>pc105</name><description>Generic</description></configItem></model></modelList>
<layoutList>
 <layout><configItem><name>fr</name><shortDescription>fr</shortDescription><description>French</description></configItem>
  <variantList><variant><configItem><name>oss</name><description>French (alt.)</description></configItem></variant></variantList></layout>
 <layout><configItem><name>us</name><description>English (US)</description></configItem></layout>
</layoutList></xkbConfigRegistry>)";
    QBuffer buffer(&xml);
    buffer.open(QIODevice::ReadOnly);
    const QVector<platform::KeyboardLayoutInfo> expected{
        {u"fr"_s, u"French"_s}, {u"fr(oss)"_s, u"French (alt.)"_s}, {u"us"_s, u"English (US)"_s}};
    EXPECT_EQ(platform::ReadXkbLayouts(buffer), expected);
    EXPECT_EQ(TForm4::ExtractLang({u"French"_s, u"French (alt.)"_s, u"English (US)"_s, u"English (UK)"_s}),
              QStringList({u"French"_s, u"English"_s}));
    EXPECT_EQ(TForm4::ExtractSubLang({u"French"_s, u"French (alt.)"_s, u"English (US)"_s}, u"French"_s),
              QStringList({QString(), u"(alt.)"_s}));
}

// ---- Move Mouse ----

TEST_F(CaptureDialogsTest, SnapshotsAreNamedFromTheStoreAndNeverLikeARow) {
    fake().screenColour = Qt::white;
    fake().cursor = {300, 200};
    setRows({{u"Move Mouse"_s, u"1;2;Direct;ImgRef1;"_s}});  // a row of a macro opened earlier
    for (const QString& expected : {u"ImgRef0"_s, u"ImgRef2"_s}) {
        Form5->ShowForAdd();
        EXPECT_EQ(Form5->SnapshotName, expected);
        Form5->TakeSnapshot();
        EXPECT_EQ(Form5->Preview.size(), QSize(105, 105));
        EXPECT_EQ(Form5->Preview.pixelColor(52, 52), QColor(Qt::black)) << "the cursor's hot spot at the centre";
        EXPECT_EQ(Form5->Preview.pixelColor(50, 50), QColor(Qt::white));
        EXPECT_EQ(Form5->ComboBox1->currentText(), u"0"_s);
        Form5->Button1->click();
    }
    EXPECT_EQ(rowTexts().mid(1), QStringList({u"Move Mouse|0;0;Direct;ImgRef0;"_s, u"Move Mouse|0;0;Direct;ImgRef2;"_s}));
    ASSERT_EQ(TabImgMoveMouse.size(), 2);
    EXPECT_TRUE(FindImageRef(TabImgMoveMouse, u"ImgRef2"_s));

    // Modify mode shows the stored snapshot; a new macro empties the store.
    TForm1::Select_unique(form->ListView1, 1);
    form->ListView1DblClick();
    EXPECT_EQ(Form5->Preview, *FindImageRef(TabImgMoveMouse, u"ImgRef0"_s));
    Form5->Button2->click();
    messages.answer = mrNo;  // not saved
    form->Nouveau1Click();
    messages.answer = mrNone;
    EXPECT_TRUE(TabImgMoveMouse.isEmpty());
    Form5->ShowForAdd();
    EXPECT_EQ(Form5->SnapshotName, u"ImgRef0"_s);
    Form5->Button1->click();
    EXPECT_EQ(rowTexts().last(), u"Move Mouse|0;0;Direct;"_s) << "without a preview, three fields";
}

TEST_F(CaptureDialogsTest, TheCaptureKeyFollowsTheMouseAndIsHeldOnlyWhileOpen) {
    auto held = [](unsigned modifiers, uint8_t vk) {
        for (const auto& h : fake().hotKeys)
            if (h.vk == vk && h.modifiers == modifiers) return true;
        return false;
    };
    Form5->ShowForAdd();
    EXPECT_TRUE(held(platform::MOD_ALT, 'C'));
    fake().cursor = {300, 200};
    // The first press starts the following; the second, a moment later, stops it and takes the snapshot.
    QTimer::singleShot(50, [] {
        EXPECT_FALSE(Form5->Capture);
        EXPECT_EQ(Form5->ComboBox1->currentText(), u"300"_s);
        fake().PressHotKey(platform::MOD_ALT, 'C');
    });
    ASSERT_TRUE(fake().PressHotKey(platform::MOD_ALT, 'C'));
    ASSERT_TRUE(waitUntil([] { return !Form5->Preview.isNull(); }));
    EXPECT_TRUE(Form5->Capture);
    EXPECT_EQ(Form5->ComboBox2->currentText(), u"200"_s);

    // Another capture key: only that one is held; closing writes it and holds none.
    Form5->HotKey1->setKeySequence(QKeySequence(u"Ctrl+K"_s));
    emit Form5->HotKey1->editingFinished();
    EXPECT_FALSE(held(platform::MOD_ALT, 'C'));
    EXPECT_TRUE(held(platform::MOD_CONTROL, 'K'));
    Form5->Button2->click();
    EXPECT_FALSE(held(platform::MOD_CONTROL, 'K'));
    EXPECT_EQ(settings().CaptureMouseHotKey, u"Ctrl+K"_s);
}

// "c" starts and stops the following wherever the focus is: right after the
// dialog opens it is in X, which takes digits only.
TEST_F(CaptureDialogsTest, CFollowsTheMouseWhereverTheFocusIs) {
    auto type = [](QWidget* w, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(w, &release);
    };
    fake().cursor = {321, 123};
    Form5->ShowForAdd();
    QApplication::setActiveWindow(Form5);
    ASSERT_EQ(QApplication::focusWidget(), Form5->ComboBox1);
    for (QWidget* focus : {static_cast<QWidget*>(Form5->ComboBox1), static_cast<QWidget*>(Form5->Button3)}) {
        bool following = false;  // seen while the dialog follows, from inside its loop
        QTimer::singleShot(50, [&] {
            following = !Form5->Capture && !Form5->ComboBox1->isEnabled();
            type(Form5, u"C"_s);
        });
        type(focus, u"c"_s);
        EXPECT_TRUE(waitUntil([&] { return following && Form5->Capture && Form5->ComboBox1->isEnabled(); }))
            << focus->objectName().toStdString();
        EXPECT_EQ(Form5->ComboBox1->currentText(), u"321"_s);
        EXPECT_EQ(Form5->ComboBox2->currentText(), u"123"_s);
    }

    // X and Y take digits typed; a variable comes from the list.
    Form5->ComboBox2->lineEdit()->clear();
    for (const char* typed : {"4", "x", "2", "é", "-"}) type(Form5->ComboBox2, QString::fromUtf8(typed));
    EXPECT_EQ(Form5->ComboBox2->currentText(), u"42"_s);
    EXPECT_TRUE(Form5->Capture);
}

// A row modified keeps its snapshot name though the picture is not in memory
// (the macro was reopened); without a name and with a new preview the field is empty.
TEST_F(CaptureDialogsTest, AModifiedRowKeepsItsSnapshotName) {
    setRows({{u"Move Mouse"_s, u"1;2;Direct;ImgRef5;"_s}, {u"Move Mouse"_s, u"3;4;Indirect;"_s}});
    TForm1::Select_unique(form->ListView1, 0);
    form->ListView1DblClick();
    ASSERT_TRUE(Form5->Modifying());
    EXPECT_TRUE(Form5->Preview.isNull());
    Form5->ComboBox1->setEditText(u"10"_s);
    Form5->Button1->click();
    EXPECT_EQ(rowTexts().first(), u"Move Mouse|10;2;Direct;ImgRef5;"_s);
    EXPECT_TRUE(TabImgMoveMouse.isEmpty());

    TForm1::Select_unique(form->ListView1, 1);
    form->ListView1DblClick();
    Form5->TakeSnapshot();
    Form5->Button1->click();
    EXPECT_EQ(rowTexts().last(), u"Move Mouse|3;4;Indirect;;"_s);
    EXPECT_TRUE(TabImgMoveMouse.isEmpty());
}

// ---- Trouve image ----

class TrouveImageTest : public CaptureDialogsTest {
protected:
    void SetUp() override {
        CaptureDialogsTest::SetUp();
        capture = QImage(300, 200, QImage::Format_RGB32);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x) capture.setPixel(x, y, qRgb(x % 256, y, (x * y) % 256));
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        capture.save(&png, "PNG");
        fake().clipboardFormats = {{u"image/png"_s, png.data()}};
        setRows({{u"Variable"_s, u"PosX;0;Numerique;"_s}, {u"Variable"_s, u"PosY;;Objet;"_s},
                 {u"Variable"_s, u"Texte;;Alpha;"_s}});
    }
    QImage capture;
};

TEST_F(TrouveImageTest, ThePastedGraphicIsSavedAs32BitsAndTheRowEndsWithTheOccurrence) {
    Form22->ShowForAdd();
    EXPECT_EQ(Form22->ComboBox4->currentText(), QDir(home.path()).filePath(u"image1.bmp"_s));
    EXPECT_FALSE(Form22->Capture.isNull());
    ASSERT_TRUE(Form22->MoveMarker(TForm22::Image1Corner, {10, 20}));
    ASSERT_TRUE(Form22->MoveMarker(TForm22::Image2Corner, {60, 50}));
    EXPECT_FALSE(Form22->MoveMarker(TForm22::Image2Corner, {5, 50})) << "left of the graphic's top-left corner";
    Form22->DrawImg6();
    EXPECT_EQ(Form22->Label1->text(), u"Position : 10,20"_s);

    Form22->ComboBox1->setEditText(u"Texte"_s);
    Form22->ComboBox2->setEditText(u"PosY"_s);
    Form22->Button1->click();
    EXPECT_EQ(messages.texts().last(), u"Saisissez une variable de type numèrique pour la position de X."_s);
    Form22->ComboBox1->setEditText(u"PosX"_s);
    Form22->ComboBox3->setEditText(u"deux"_s);
    Form22->Button1->click();
    const QString file = Form22->ComboBox4->currentText();
    const QString zone = QStringLiteral("%1;%2;%3;%4;").arg(Form22->Corner(TForm22::Zone1).x())
                             .arg(Form22->Corner(TForm22::Zone1).y()).arg(Form22->Corner(TForm22::Zone2).x())
                             .arg(Form22->Corner(TForm22::Zone2).y());
    EXPECT_EQ(rowTexts().last(), u"Trouve image|"_s + file + u';' + zone + u"10;20;60;50;PosX;PosY;1"_s);
    QFile bmp(file);
    ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
    const QByteArray bytes = bmp.readAll();
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(quint8(bytes[28]), 32) << "bits per pixel";
    EXPECT_EQ(QImage(file).convertToFormat(QImage::Format_RGB32), capture.copy(10, 20, 50, 30));
}

// Only OK replaces an existing bitmap; the row is written either way. A file
// that cannot be written keeps the dialog open and writes nothing.
TEST_F(TrouveImageTest, TheOverwriteQuestionDecidesTheFileNotTheRow) {
    Form22->ShowForAdd();
    Form22->ComboBox1->setEditText(u"PosX"_s);
    Form22->ComboBox2->setEditText(u"PosX"_s);
    QFile existing(Form22->ComboBox4->currentText());
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("old");
    existing.close();
    messages.answer = mrCancel;
    Form22->Button1->click();
    EXPECT_TRUE(messages.texts().last().endsWith(u" existe déja voulez vous le remplacer?"_s));
    EXPECT_EQ(rowTexts().size(), 4);
    EXPECT_TRUE(rowTexts().last().startsWith(u"Trouve image|"_s + existing.fileName() + u';'));
    EXPECT_EQ(existing.size(), 3);
    EXPECT_FALSE(Form22->isVisible());
    messages.answer = mrNone;

    Form22->ShowForAdd();
    Form22->ComboBox1->setEditText(u"PosX"_s);
    Form22->ComboBox2->setEditText(u"PosX"_s);
    for (const QString& name : {QString(), home.filePath(u"absent/image.bmp"_s)}) {
        Form22->ComboBox4->setEditText(name);
        const qsizetype shown = messages.shown.size();
        Form22->Button1->click();
        EXPECT_GT(messages.shown.size(), shown) << name.toStdString();
        EXPECT_EQ(rowTexts().size(), 4);
        EXPECT_TRUE(Form22->isVisible());
    }
}

// The picture a row names loads whenever the dialog shows the row: F2,
// "Annuler", F2 again and "Valider" give the row back unchanged, and so does
// a second row naming the same bitmap.
TEST_F(TrouveImageTest, AReopenedRowValidatesUnchanged) {
    const QString file = home.filePath(u"cible.bmp"_s);
    ASSERT_TRUE(capture.copy(10, 20, 50, 30).save(file, "BMP"));
    const QString params = file + u";0;0;300;200;10;20;60;50;PosX;PosY;1"_s;
    setRows({{u"Variable"_s, u"PosX;0;Numerique;"_s}, {u"Variable"_s, u"PosY;;Objet;"_s},
             {u"Trouve image"_s, params}, {u"Trouve image"_s, params}});
    const QStringList before = rowTexts();
    auto edit = [this](int row) {
        TForm1::Select_unique(form->ListView1, row);
        form->ListView1DblClick();
        ASSERT_TRUE(Form22->isVisible() && Form22->Modifying());
    };
    edit(2);
    Form22->Button2->click();  // "Annuler"
    messages.answer = mrOk;
    for (int row : {2, 3}) {
        edit(row);
        EXPECT_EQ(Form22->Graphic.size(), QSize(50, 30)) << row;
        Form22->Button1->click();  // "Valider"
        EXPECT_FALSE(Form22->isVisible()) << row;
    }
    messages.answer = mrNone;
    EXPECT_FALSE(messages.texts().contains(u"Le graphique rechercher n'est pas valide."_s));
    EXPECT_EQ(rowTexts(), before);
    EXPECT_EQ(QImage(file).convertToFormat(QImage::Format_RGB32), capture.copy(10, 20, 50, 30));
}

// A drag the order of the corners refuses shows it and refuses the drop: the
// marker goes back where it was. Near an edge of the visible part, a large
// capture scrolls.
TEST_F(TrouveImageTest, ARefusedDropLeavesTheMarkerWhereItWas) {
    Form22->ShowForAdd();
    ASSERT_TRUE(Form22->MoveMarker(TForm22::Image1Corner, {40, 40}));
    ASSERT_TRUE(Form22->MoveMarker(TForm22::Image2Corner, {100, 80}));
    TCornerMarker* k = Form22->Image5;
    auto mouse = [&k](QEvent::Type type, QPoint onCapture) {
        const QPointF local = onCapture - k->pos();
        QMouseEvent e(type, local, k->mapToGlobal(local), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(k, &e);
    };
    mouse(QEvent::MouseButtonPress, k->pos() + QPoint(2, 2));
    mouse(QEvent::MouseMove, {120, 90});  // allowed: the marker follows
    EXPECT_EQ(Form22->Corner(TForm22::Image2Corner), QPoint(136, 106));
    EXPECT_EQ(Form22->Label2->text(), u"Position : 136,106"_s);
    mouse(QEvent::MouseMove, {10, 90});  // left of the graphic's top-left corner
    EXPECT_EQ(k->cursor().shape(), Qt::ForbiddenCursor);
    mouse(QEvent::MouseButtonRelease, {10, 90});
    EXPECT_EQ(Form22->Corner(TForm22::Image2Corner), QPoint(100, 80));
    EXPECT_EQ(Form22->Label2->text(), u"Position : 100,80"_s);
    EXPECT_EQ(Form22->Graphic.size(), QSize(60, 40));

    // A large capture scrolls while the zone's corner is held near the right edge.
    QImage large(3000, 2000, QImage::Format_RGB32);
    large.fill(Qt::gray);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    large.save(&png, "PNG");
    fake().clipboardFormats = {{u"image/png"_s, png.data()}};
    Form22->Button1Coller->click();
    QScrollBar* across = Form22->ScrollBox1->horizontalScrollBar();
    ASSERT_GT(across->maximum(), 0);
    k = Form22->Image3;
    const int nearEdge = Form22->ScrollBox1->viewport()->width() - 10;
    mouse(QEvent::MouseButtonPress, k->pos() + QPoint(2, 2));
    mouse(QEvent::MouseMove, {nearEdge, 300});
    EXPECT_TRUE(waitUntil([&] { return across->value() >= 100; }));
    mouse(QEvent::MouseButtonRelease, {nearEdge + across->value(), 300});
    EXPECT_GE(Form22->Corner(TForm22::Zone2).x(), nearEdge + 16 + 100);
}

// The graphic stands in the middle of its box, or 20 pixels from its edges
// when larger; each "Position :" line says its corner.
TEST_F(TrouveImageTest, TheGraphicIsCentredAndTheCornersNamed) {
    Form22->ShowForAdd();
    // Where the graphic's top-left pixel shows in its box.
    auto shownAt = [this] {
        Form22->DrawImg6();
        Form22->CenterImg6();
        QApplication::processEvents();
        const QImage shown = Form22->ScrollBox2->viewport()->grab().toImage();
        const QRgb first = capture.pixel(Form22->Corner(TForm22::Image1Corner));
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (shown.pixel(x, y) == first) return QPoint(x, y);
        return QPoint(-1, -1);
    };
    Form22->MoveMarker(TForm22::Image1Corner, {10, 20});
    Form22->MoveMarker(TForm22::Image2Corner, {30, 30});
    const QSize box = Form22->ScrollBox2->viewport()->size();
    const QPoint small = shownAt();
    EXPECT_LE(std::abs(small.x() - (box.width() - 20) / 2), 1) << small.x() << " of " << box.width();
    EXPECT_LE(std::abs(small.y() - (box.height() - 10) / 2), 1) << small.y() << " of " << box.height();
    Form22->MoveMarker(TForm22::Image1Corner, {0, 0});
    Form22->MoveMarker(TForm22::Image2Corner, {299, 199});
    ASSERT_GT(299, box.width());
    EXPECT_EQ(shownAt().x(), 20);

    const std::pair<QLabel*, QString> lines[] = {{Form22->Label3, u"Zone, en haut à gauche"_s},
                                                 {Form22->Label4, u"Zone, en bas à droite"_s},
                                                 {Form22->Label1, u"Image, en haut à gauche"_s},
                                                 {Form22->Label2, u"Image, en bas à droite"_s}};
    for (const auto& line : lines) {
        QLabel* position = line.first;
        const QString& corner = line.second;
        EXPECT_TRUE(position->text().startsWith(u"Position : "_s));
        const QList<QLabel*> labels = Form22->findChildren<QLabel*>();
        EXPECT_TRUE(std::any_of(labels.cbegin(), labels.cend(), [&](const QLabel* l) {
            return l->text() == corner && l->geometry().center().y() == position->geometry().center().y() &&
                   l->x() < position->x();
        })) << corner.toStdString();
    }
}

// While the dialog is open Print Screen takes the screen, the dialog hidden
// meanwhile, onto the clipboard: "Coller" pastes it.
TEST_F(TrouveImageTest, PrintScreenGivesACaptureToPaste) {
    fake().clipboardFormats.clear();
    fake().screenColour = QColor(10, 200, 30);
    Form22->ShowForAdd();
    EXPECT_FALSE(Form22->Button1Coller->isEnabled());
    ASSERT_TRUE(HotKeyManager1->Registered(platform::VK_SNAPSHOT));
    struct Witness : THotKeyListener {
        bool dialogShown = true;
        void BeforeScreenCopy() override { dialogShown = Form22->isVisible(); }
    } witness;  // heard after the dialog
    HotKeyManager1->AddListener(&witness);
    EXPECT_TRUE(fake().PressHotKey(0, platform::VK_SNAPSHOT));
    HotKeyManager1->RemoveListener(&witness);
    EXPECT_FALSE(witness.dialogShown);
    EXPECT_TRUE(Form22->isVisible());
    ASSERT_TRUE(Form22->Button1Coller->isEnabled());
    Form22->Button1Coller->click();
    EXPECT_EQ(Form22->Capture.size(), QSize(1024, 768));
    EXPECT_EQ(Form22->Capture.pixelColor(500, 400), QColor(10, 200, 30));
    Form22->Button2->click();
    EXPECT_FALSE(HotKeyManager1->Registered(platform::VK_SNAPSHOT)) << "held only while the dialog is open";
}



TEST_F(TrouveImageTest, ARowWithWordsForNumbersOpensWithZeros) {
    modify(u"Trouve image"_s, u"x.bmp;a;2;b;4;5;c;7;8;PosX;PosY;3"_s);
    ASSERT_TRUE(Form22->isVisible());
    EXPECT_EQ(Form22->Corner(TForm22::Zone1), QPoint(0, 2));
    EXPECT_EQ(Form22->Corner(TForm22::Zone2), QPoint(0, 4));
    EXPECT_EQ(Form22->Corner(TForm22::Image1Corner), QPoint(5, 0));
    EXPECT_EQ(Form22->ComboBox3->currentText(), u"3"_s);
    EXPECT_EQ(Form22->ComboBox4->currentText(), u"x.bmp"_s);
}

TEST_F(TrouveImageTest, TheMarkersAreSavedAndRestored) {
    Form22->ShowForAdd();
    Form22->MoveMarker(TForm22::Image1Corner, {30, 40});
    Form22->Sauvegarder1Click();
    Form22->MoveMarker(TForm22::Image1Corner, {31, 41});
    Form22->Restaurer1Click();
    EXPECT_EQ(Form22->Corner(TForm22::Image1Corner), QPoint(30, 40));
    LoadSettings();
    EXPECT_EQ(settings().DarkMarkers[2].Left, 30);
    EXPECT_EQ(settings().DarkMarkers[2].Top, 40);
}

}  // namespace
