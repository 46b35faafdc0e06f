#include "editors/Unit5.h"

#include "core/Params.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "engine/Handlers.h"
#include "engine/Runner.h"
#include "platform/IniFile.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

TTabImgMoveMouse TabImgMoveMouse;

using namespace Qt::StringLiterals;

// ---- The snapshot store ----

namespace {

QImage snapshotOf(const QImage& source) {
    QImage bitmap(kSnapshotSize, kSnapshotSize, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    QPainter(&bitmap).drawImage(0, 0, source);
    return bitmap;
}

}  // namespace

void ClearImageRefs(TTabImgMoveMouse& store) { store.clear(); }

void AddImageRef(TTabImgMoveMouse& store, const QString& name, const QImage& source) {
    store.push_back({name, snapshotOf(source)});
}

void ReplaceImageRef(TTabImgMoveMouse& store, const QString& name, const QImage& source) {
    for (TImgMoveMouse& entry : store)
        if (entry.Name == name) return void(entry.Bitmap = snapshotOf(source));
}

QString NewImageRefName(const TTabImgMoveMouse& store, const QStringList& taken) {
    for (qsizetype n = store.size();; ++n) {
        const QString name = u"ImgRef"_s + QString::number(n);
        if (!taken.contains(name) && !FindImageRef(store, name)) return name;
    }
}

const QImage* FindImageRef(const TTabImgMoveMouse& store, const QString& name) {
    for (const TImgMoveMouse& entry : store)
        if (entry.Name == name) return &entry.Bitmap;
    return nullptr;
}

void DrawCursorOnSnapshot(QImage& bitmap) {
    const platform::CursorImage cursor = platform::desktop().GetCursorImage();
    if (cursor.image.isNull()) return;
    const QPoint centre(bitmap.width() / 2, bitmap.height() / 2);
    QPainter(&bitmap).drawImage(centre - cursor.hotSpot, cursor.image);
}

// ---- The dialog ----

TForm5::TForm5(QWidget* parent) : TCommandDialog(5, u"Déplacement Curseur"_s, u"Move Mouse"_s, 1131, parent) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    const TFrame position{u"GroupBox1"_s, u"Position du curseur"_s};
    Declare({.size = {330, 420},
             .controls = {{.name = u"ComboBox1"_s, .place = PlaceOf(Command::MoveMouse, 1), .label = u"Label4"_s, .caption = u"X"_s,
                           .list = AllVariables, .frame = position},
                          {.name = u"ComboBox2"_s, .place = PlaceOf(Command::MoveMouse, 2), .label = u"Label5"_s, .caption = u"Y"_s,
                           .list = AllVariables, .frame = position}},
             .choices = {{.place = PlaceOf(Command::MoveMouse, 3),
                          .choices = {{u"RadioButton1"_s, u"Label2"_s, u" Déplacement direct"_s, u"Direct"_s},
                                      {u"RadioButton2"_s, u"Label3"_s, u" Déplacement indirect"_s, u"Indirect"_s}}}},
             .checks = {{[this] { return !ComboBox1->currentText().isEmpty() && !ComboBox2->currentText().isEmpty(); },
                         u"Les paramètres X et Y ne peuvent pas être vides."_s}}});
    ArrangeInColumn();
    ComboBox1 = findChild<TComboBox*>(u"ComboBox1"_s);
    ComboBox2 = findChild<TComboBox*>(u"ComboBox2"_s);
    for (TComboBox* box : {ComboBox1, ComboBox2}) box->installEventFilter(this);  // keys reach the box first

    auto* keyBox = new QGroupBox(u"Combinaison de touche pour activer ou désactiver la capture"_s, this);
    keyBox->setObjectName(u"GroupBox2"_s);
    HotKey1 = new QKeySequenceEdit(keyBox);
    HotKey1->setObjectName(u"HotKey1"_s);
    (new QVBoxLayout(keyBox))->addWidget(HotKey1);
    connect(HotKey1, &QKeySequenceEdit::editingFinished, this, &TForm5::captureKeyChanged);

    auto* previewBox = new QGroupBox(u"Aperçu"_s, this);
    previewBox->setObjectName(u"GroupBox3"_s);
    Image1 = new QLabel(previewBox);
    Image1->setObjectName(u"Image1"_s);
    Image1->setFixedSize(106, 106);
    Image1->setFrameShape(QFrame::Box);
    Button3 = new QPushButton(u"Trouver la cible"_s, previewBox);
    Button3->setObjectName(u"Button3"_s);
    connect(Button3, &QPushButton::clicked, this, &TForm5::Button3Click);
    auto* previewRow = new QHBoxLayout(previewBox);
    previewRow->addWidget(Image1);
    previewRow->addWidget(Button3, 0, Qt::AlignBottom);

    auto* column = qobject_cast<QVBoxLayout*>(layout());
    const int beforeButtons = column->count() - 2;  // the stretch, then "Valider" and "Annuler"
    column->insertWidget(beforeButtons, previewBox);
    column->insertWidget(beforeButtons, keyBox);
}

TForm5::~TForm5() {
    if (HotKeyManager1) HotKeyManager1->RemoveListener(this);
}

void TForm5::setPreview(const QImage& picture) {
    Preview = picture;
    Image1->setPixmap(picture.isNull() ? QPixmap() : QPixmap::fromImage(picture));
}

QStringList TForm5::namesInRows() const {
    QStringList names;
    const TListView* list = Form1->ListView1;
    for (int r = 0; r < list->count(); ++r)
        if (list->keyword(r) == u"Move Mouse")
            if (const QString name = SplitFields(list->params(r), ParamSeparator())[4]; !name.isEmpty()) names << name;
    return names;
}

// ---- The capture key ----

void TForm5::registerCaptureKey(quint32 hotKey) {
    if (!HotKeyManager1) return;
    if (captureKey_) HotKeyManager1->RemoveGlobalHotKey(captureKey_);
    captureKey_ = hotKey && HotKeyManager1->AddGlobalHotKey(hotKey) ? hotKey : 0;
}

void TForm5::captureKeyChanged() {
    const QKeySequence typed = HotKey1->keySequence();
    const QKeySequence first = typed.isEmpty() ? QKeySequence() : QKeySequence(typed[0]);
    if (first != typed) HotKey1->setKeySequence(first);
    registerCaptureKey(TextToHotKey(first.toString(QKeySequence::PortableText)));
}

bool TForm5::HotKeyPressed(quint32 hotKey) {
    if (!isVisible() || !captureKey_ || hotKey != captureKey_) return false;
    if (!Capture) {
        Capture = true;
        return true;
    }
    // Followed from the event loop, not inside the hotkey handler's own call.
    QTimer::singleShot(0, this, [this] {
        PosCur();
        if (isVisible()) TakeSnapshot();
    });
    return true;
}

// ---- Following the mouse ----

void TForm5::PosCur() {
    if (!Capture) return;
    Capture = false;
    ComboBox1->setEnabled(false);
    ComboBox2->setEnabled(false);
    platform::Platform& desk = platform::desktop();
    while (!Capture && isVisible()) {
        const platform::POINT p = desk.GetCursorPos();
        ComboBox1->setEditText(QString::number(p.x));
        ComboBox2->setEditText(QString::number(p.y));
        setWindowTitle(u"X:%1-Y:%2"_s.arg(p.x).arg(p.y));
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    Capture = true;
    ComboBox1->setEnabled(true);
    ComboBox2->setEnabled(true);
}

void TForm5::TakeSnapshot() {
    const platform::POINT p = platform::desktop().GetCursorPos();
    const int half = kSnapshotSize / 2;
    QImage shot = platform::desktop().CaptureScreen(QRect(p.x - half, p.y - half, kSnapshotSize, kSnapshotSize));
    if (shot.isNull()) return;
    shot = shot.convertToFormat(QImage::Format_RGB32);
    DrawCursorOnSnapshot(shot);
    setPreview(shot);
}

// "c" starts and stops the following wherever the focus is, but for the
// capture key's own field, where keys are combinations to record.
namespace {
// A character typed without Ctrl, Alt or the logo key.
QChar typedCharacter(const QKeyEvent* e) {
    const bool command = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    return command || e->text().isEmpty() ? QChar() : e->text().front();
}
}  // namespace

void TForm5::keyPressEvent(QKeyEvent* e) {
    if (!e->text().isEmpty()) lastTyped_ = e->text().front();
    TCommandDialog::keyPressEvent(e);
}

void TForm5::keyReleaseEvent(QKeyEvent* e) {
    TCommandDialog::keyReleaseEvent(e);
    if (lastTyped_.toLower() != u'c' || e->isAutoRepeat()) return;
    lastTyped_ = QChar();
    if (Capture)
        QTimer::singleShot(0, this, &TForm5::PosCur);
    else
        Capture = true;
}

// X and Y take digits typed; "c" typed there is the follow key.
bool TForm5::eventFilter(QObject* watched, QEvent* e) {
    const bool key = e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease;
    if (key && (watched == ComboBox1 || watched == ComboBox2)) {
        auto* k = static_cast<QKeyEvent*>(e);
        const QChar c = typedCharacter(k);
        if (c.toLower() == u'c') {
            e->type() == QEvent::KeyPress ? keyPressEvent(k) : keyReleaseEvent(k);
            return true;
        }
        if (e->type() == QEvent::KeyPress && c.isPrint() && !c.isDigit()) return true;
    }
    return TCommandDialog::eventFilter(watched, e);
}

void TForm5::Button3Click() {
    const QChar separator = ParamSeparator();
    RunCommand(Runner->Context(), u"Move Mouse"_s,
               ComboBox1->currentText() + separator + ComboBox2->currentText() + separator + u"Direct"_s + separator);
}

// ---- Opening, Valider, closing ----

void TForm5::opening() {
    const QString shortcut = settings().CaptureMouseHotKey;
    HotKey1->setKeySequence(QKeySequence::fromString(shortcut, QKeySequence::PortableText));
    if (HotKeyManager1) HotKeyManager1->AddListener(this);
    registerCaptureKey(TextToHotKey(shortcut));
    setPreview(QImage());
    setWindowTitle(u"Déplacement Curseur"_s);
    Capture = true;
}

void TForm5::LoadDefaults() {
    opening();
    for (TComboBox* box : {ComboBox1, ComboBox2}) {
        box->setEnabled(true);
        box->setEditText(u"0"_s);
    }
    SnapshotName = NewImageRefName(TabImgMoveMouse, namesInRows());
}

void TForm5::LoadFields(const QString& params) {
    opening();
    TCommandDialog::LoadFields(params);
    ComboBox1->setEnabled(true);
    ComboBox2->setEnabled(true);
    SnapshotName = SplitFields(params, ParamSeparator())[4];
    const QImage* stored = FindImageRef(TabImgMoveMouse, SnapshotName);
    setPreview(stored ? *stored : QImage());
}

bool TForm5::Validate() {
    Capture = true;
    return TCommandDialog::Validate();
}

// A row modified keeps its snapshot name, also when this program no longer
// holds the picture (a macro reopened).
QString TForm5::BuildParams() const {
    QString s = TCommandDialog::BuildParams();
    if (!Preview.isNull() || (Modifying() && !SnapshotName.isEmpty())) s += SnapshotName + ParamSeparator();
    return s;
}

void TForm5::AfterCommit() {
    if (Preview.isNull() || SnapshotName.isEmpty()) return;
    if (Modifying())
        ReplaceImageRef(TabImgMoveMouse, SnapshotName, Preview);
    else
        AddImageRef(TabImgMoveMouse, SnapshotName, Preview);
}

void TForm5::FormClose() {
    Capture = true;
    const QString shortcut = HotKey1->keySequence().toString(QKeySequence::PortableText);
    settings().CaptureMouseHotKey = shortcut;
    platform::IniFile ini(Form1->GetConfigFileName());
    ini.WriteString(u"HotKey"_s, u"Capture mouse"_s, shortcut);
    ini.UpdateFile();
    registerCaptureKey(0);
    if (HotKeyManager1) HotKeyManager1->RemoveListener(this);
    if (QAbstractButton* direct = findChild<QAbstractButton*>(u"RadioButton1"_s)) direct->setChecked(true);
}
