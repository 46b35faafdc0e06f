#include "editors/Unit4.h"

#include "core/KeyBoard.h"
#include "core/Params.h"
#include "core/Unit1.h"
#include "look/XPMenu.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"

#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TKeyButton::TKeyButton(int number, int tag, QWidget* parent) : QToolButton(parent) {
    setObjectName(QStringLiteral("SpeedButton%1").arg(number));
    setProperty("Tag", tag);
    setText(QStringLiteral("?"));
    setAutoRaise(false);
}

namespace {
// The keypad's keys whose names carry the keypad's mark, by tag.
bool markedKeypadKey(int tag) { return tag == 55 || (tag >= 71 && tag <= 83) || tag == 128 || tag == 153; }

// The room of a caption inside its key.
QRect captionRoom(const QWidget& key) { return key.rect().adjusted(1, 1, -1, -1); }
constexpr int kCaptionFlags = Qt::AlignCenter | Qt::TextWordWrap;
}  // namespace

QString TKeyButton::Caption() const {
    const QString name = text();
    if (!markedKeypadKey(Tag())) return name;
    const qsizetype bracket = name.lastIndexOf(u" ("_s);
    const QString cap = bracket > 0 && name.endsWith(u')') ? name.left(bracket)
                        : name.startsWith(u"Num "_s)        ? name.mid(4)
                                                            : name;
    return cap.trimmed().isEmpty() ? name : cap.trimmed();
}

QFont TKeyButton::CaptionFont() const {
    const QRect room = captionRoom(*this);
    QFont f = font();
    for (int size = QFontInfo(f).pixelSize(); size > 1; --size) {
        f.setPixelSize(size);
        if (room.contains(QFontMetrics(f).boundingRect(room, kCaptionFlags, Caption()))) break;
    }
    return f;
}

QRect TKeyButton::CaptionBounds() const {
    return QFontMetrics(CaptionFont()).boundingRect(captionRoom(*this), kCaptionFlags, Caption());
}

void TKeyButton::DrawCaption(QPainter& p, QPoint shift) const {
    p.setFont(CaptionFont());
    p.drawText(captionRoom(*this).translated(shift), kCaptionFlags, Caption());
}

void TKeyButton::SetSelected(bool on) {
    selected_ = on;
    update();
}

void TKeyButton::paintEvent(QPaintEvent*) {
    if (Form4.made() && TXPMenu::StylerOf(this)) return Form4->PaintSpeedButton(this, underMouse(), isDown(), false);
    QStylePainter p(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.text.clear();
    p.drawComplexControl(QStyle::CC_ToolButton, option);
    if (selected_) p.setPen(Qt::red);
    DrawCaption(p);
}

TLockShape::TLockShape(const QString& name, QWidget* parent) : QWidget(parent) { setObjectName(name); }

void TLockShape::SetOn(bool on) {
    brush_ = on ? QColor(Qt::green) : QColor(Qt::white);  // Qt's green is lime: 0x00ff00
    update();
}

void TLockShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(Qt::black);
    p.setBrush(brush_);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

namespace {

const QStringList kActions = {u"Appuyer & relâcher"_s, u"Appuyer"_s, u"Relâcher"_s};
const QString kKeyDown = u"[KeyDown]"_s;
const QString kKeyUp = u"[KeyUp]"_s;

QLabel* label(QWidget* parent, const QString& name, const QString& text, QRect place) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(place);
    return l;
}

// A name's language and the rest of it, split at its last "(".
std::pair<QString, QString> splitName(const QString& name) {
    const qsizetype bracket = name.lastIndexOf(u'(');
    if (bracket < 0) return {name.trimmed(), QString()};
    return {name.left(bracket).trimmed(), name.mid(bracket)};
}

QString joinName(const QString& language, const QString& sub) {
    return sub.isEmpty() ? language : language + u' ' + sub;
}

}  // namespace

TForm4::TForm4(QWidget* parent) : TCommandDialog(4, u"Saisie de touche"_s, u"Type Special"_s, 1130, parent) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    QFont small = font();
    small.setPointSize(7);
    for (const KeyPlace& k : KeyPlaces()) {
        auto* key = new TKeyButton(k.number, k.tag, this);
        key->setFont(small);
        key->setGeometry(k.left, k.top, k.width, k.height);
        connect(key, &QToolButton::clicked, this, [this, key] { select_touche(key); });
    }
    label(this, u"Label3"_s, u"Action"_s, {8, 170, 120, 16});
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(u"ComboBox1"_s);
    ComboBox1->addItems(kActions);
    ComboBox1->setGeometry(8, 188, 160, 24);
    Shape1 = new TLockShape(u"Shape1"_s, this);
    Shape1->setGeometry(190, 178, 14, 10);
    label(this, u"Label2"_s, u"Num lock"_s, {210, 175, 70, 16});
    Shape2 = new TLockShape(u"Shape2"_s, this);
    Shape2->setGeometry(190, 198, 14, 10);
    label(this, u"Label1"_s, u"Caps lock"_s, {210, 195, 70, 16});
    Button3 = new QPushButton(u"Liste des langues"_s, this);
    Button3->setObjectName(u"Button3"_s);
    Button3->setGeometry(290, 188, 120, 26);
    connect(Button3, &QPushButton::clicked, this, &TForm4::LangDialogShow);
    Button1->setGeometry(420, 188, 72, 26);
    Button2->setGeometry(498, 188, 72, 26);
    setFixedSize(580, 226);

    KeyboardLanguage = platform::desktop().KeyboardLayout();
    for (const platform::KeyboardLayoutInfo& layout : platform::desktop().KeyboardLayouts())
        if (layout.id == KeyboardLanguage) KeyboardLanguage = layout.name;
    setWindowTitle(u"Saisie de touche - "_s + KeyboardLanguage);
    UpdateKeyBoard();
}

TForm4::~TForm4() {
    if (HotKeyManager1) HotKeyManager1->RemoveListener(this);
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
    if (key->Selected()) p.setPen(Qt::red);
    key->DrawCaption(p, QPoint(shift, shift));
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

// ---- Selection ----

void TForm4::select_touche(TKeyButton* key) {
    if (key->Selected()) {
        key->SetSelected(false);
        for (QString& slot : SelectedKeys)
            if (slot == key->Hint()) {
                slot.clear();
                break;
            }
        --SelectedKeyCount;
        return;
    }
    if (SelectedKeyCount >= 3) {
        Refuse(u"Le nombre de touche appuyé simultanément ne peut excéder 3."_s);
        return;
    }
    key->SetSelected(true);
    for (QString& slot : SelectedKeys)
        if (slot.isEmpty()) {
            slot = key->Hint();
            break;
        }
    ++SelectedKeyCount;
}

// ---- Opening ----

void TForm4::opening() {
    if (HotKeyManager1) {
        HotKeyManager1->AddListener(this);
        if (!capsLockKey_) capsLockKey_ = HotKeyManager1->AddGlobalHotKey(platform::VK_CAPITAL) != 0;
    }
    for (const KeyPlace& k : KeyPlaces()) SpeedButton(k.number)->SetSelected(false);
    SelectedKeys = {};
    SelectedKeyCount = 0;
    ComboBox1->setCurrentIndex(0);
    showLocks();
}

void TForm4::LoadDefaults() { opening(); }

// Each field selects one key of that name not selected yet (the last one of
// the keyboard first), so a row never reopens with a key twice or a warning.
void TForm4::LoadFields(const QString& params) {
    opening();
    TParamFields fields = TForm1::GetParam(params);
    const int n = fields.Count - 1;
    // A key named like the separator leaves an empty field between two separators.
    for (int i = 1; i <= n; ++i)
        if (fields[i].isEmpty()) {
            fields[i] = ParamSeparator();
            break;
        }
    if (n >= 1 && fields[n] == kKeyDown) ComboBox1->setCurrentIndex(1);
    if (n >= 1 && fields[n] == kKeyUp) ComboBox1->setCurrentIndex(2);
    const auto places = KeyPlaces();
    for (int i = 1; i <= n && SelectedKeyCount < 3; ++i) {
        if (fields[i].isEmpty()) continue;
        for (auto k = places.rbegin(); k != places.rend(); ++k) {
            TKeyButton* key = SpeedButton(k->number);
            if (!key->Selected() && key->Hint() == fields[i]) {
                select_touche(key);
                break;
            }
        }
    }
}

void TForm4::AfterShow() {
    // No layout could name the keys: the user picks one.
    if (SpeedButton(1)->text() == u"?" && SpeedButton(2)->text() == u"?" && SpeedButton(3)->text() == u"?" &&
        SpeedButton(5)->text() == u"?")
        Button3->click();
}

void TForm4::showLocks() {
    platform::Platform& desk = platform::desktop();
    Shape1->SetOn(desk.IsKeyToggled(platform::VK_NUMLOCK));
    Shape2->SetOn(desk.IsKeyToggled(platform::VK_CAPITAL));
}

void TForm4::LockStateChanged(uint8_t vk, bool on) {
    if (vk == platform::VK_NUMLOCK) Shape1->SetOn(on);
    if (vk == platform::VK_CAPITAL) Shape2->SetOn(on);
}

// ---- Valider ----

bool TForm4::Validate() {
    if (SelectedKeyCount == 0) return Refuse(u"Vous devez sélectionner au moins 1 touche clavier."_s);
    return true;
}

QString TForm4::BuildParams() const {
    QString s;
    for (const QString& slot : SelectedKeys)
        if (!slot.isEmpty()) s += slot + ParamSeparator();
    if (ComboBox1->currentText() == kActions[1]) s += kKeyDown + ParamSeparator();
    if (ComboBox1->currentText() == kActions[2]) s += kKeyUp + ParamSeparator();
    return s;
}

void TForm4::FormClose() {
    if (HotKeyManager1) {
        if (capsLockKey_) HotKeyManager1->RemoveGlobalHotKey(platform::VK_CAPITAL);
        HotKeyManager1->RemoveListener(this);
    }
    for (const KeyPlace& k : KeyPlaces()) SpeedButton(k.number)->SetSelected(false);
    capsLockKey_ = false;
    if (LangDialog) LangDialog->close();
}

// ---- The layout chooser ----

void TForm4::LoadLangToTString() {
    LayoutIds.clear();
    LayoutNames.clear();
    for (const platform::KeyboardLayoutInfo& layout : platform::desktop().KeyboardLayouts()) {
        LayoutIds << layout.id;
        LayoutNames << layout.name;
    }
}

QStringList TForm4::ExtractLang(const QStringList& names) {
    QStringList out;
    for (const QString& name : names)
        if (const QString language = splitName(name).first; !out.contains(language)) out << language;
    return out;
}

QStringList TForm4::ExtractSubLang(const QStringList& names, const QString& language) {
    QStringList out;
    for (const QString& name : names)
        if (const auto [lang, sub] = splitName(name); lang == language && !out.contains(sub)) out << sub;
    return out;
}

void TForm4::LangDialogShow() {
    if (LangDialog && LangDialog->isVisible()) return LangDialog->raise();
    delete LangDialog;  // closed, not deleted yet
    auto* dialog = new QWidget(this, Qt::Dialog);
    LangDialog = dialog;
    dialog->setObjectName(u"LangDialog"_s);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setWindowTitle(u"Liste des Langues disponibles"_s);
    dialog->resize(400, 300);
    auto* top = new QWidget(dialog);
    top->setFixedHeight(22);
    new QLabel(u"Langue"_s, top);
    label(top, u"Label2"_s, u"Sous-Langue"_s, {125, 0, 200, 20});
    Lg = new QListWidget(dialog);
    Lg->setObjectName(u"Lg"_s);
    SubLg = new QListWidget(dialog);
    SubLg->setObjectName(u"SubLg"_s);
    auto* lists = new QHBoxLayout;
    lists->addWidget(Lg, 1);
    lists->addWidget(SubLg, 2);
    auto* bottom = new QWidget(dialog);
    bottom->setFixedHeight(42);
    auto* ok = new QPushButton(u"Valider"_s, bottom);
    ok->setObjectName(u"OkButton"_s);
    ok->move(210, 10);
    auto* cancel = new QPushButton(u"Annuler"_s, bottom);
    cancel->setObjectName(u"CancelButton"_s);
    cancel->move(300, 10);
    auto* column = new QVBoxLayout(dialog);
    column->addWidget(top);
    column->addLayout(lists, 1);
    column->addWidget(bottom);
    connect(Lg, &QListWidget::currentRowChanged, this, &TForm4::OnClickLg);
    connect(ok, &QPushButton::clicked, this, &TForm4::OnClickOkButton);
    connect(cancel, &QPushButton::clicked, this, &TForm4::OnClickCancelButton);

    LoadLangToTString();
    Lg->addItems(ExtractLang(LayoutNames));
    const auto [language, sub] = splitName(KeyboardLanguage);
    const QList<QListWidgetItem*> current = Lg->findItems(language, Qt::MatchExactly);
    Lg->setCurrentRow(current.isEmpty() ? 0 : Lg->row(current.first()));
    if (const QList<QListWidgetItem*> s = SubLg->findItems(sub, Qt::MatchExactly); !s.isEmpty())
        SubLg->setCurrentItem(s.first());
    dialog->show();
}

void TForm4::OnClickLg() {
    if (!Lg->currentItem()) return;
    SubLg->clear();
    SubLg->addItems(ExtractSubLang(LayoutNames, Lg->currentItem()->text()));
    SubLg->setCurrentRow(0);
}

// Only the names change: the session's keyboard stays as it is.
void TForm4::OnClickOkButton() {
    const QString name = joinName(Lg->currentItem() ? Lg->currentItem()->text() : QString(),
                                  SubLg->currentItem() ? SubLg->currentItem()->text() : QString());
    const qsizetype i = LayoutNames.indexOf(name);
    if (i < 0) {
        Refuse(u"Erreur de sélection."_s);
    } else {
        platform::desktop().LoadKeyboardLayout(LayoutIds[i]);
        UpdateKeyBoard();
        KeyboardLanguage = LayoutNames[i];
        setWindowTitle(u"Saisie de touche - "_s + KeyboardLanguage);
    }
    LangDialog->close();
}

void TForm4::OnClickCancelButton() { LangDialog->close(); }
