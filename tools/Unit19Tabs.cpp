// Handlers of the options dialog's tabs: tab changes and help, the delay
// fields, the Tools list, the report file, the separator check, the hotkey
// fields, the screen mode, the language, the background preview and the
// colours and fonts.
#include "core/CommandNames.h"
#include "core/Dialogs.h"
#include "core/FileDialog.h"
#include "core/FileSave.h"
#include "core/HelpContext.h"
#include "core/MessageTexts.h"
#include "core/Services.h"
#include "core/Unit1.h"
#include "engine/GestionCommande.h"
#include "look/UBackGround.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolder.h"
#include "tools/Unit19.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QPainter>
#include <QTreeView>
#include <QListView>
#include <QTextEdit>

using platform::IniFile;

namespace {
// Each tab with the help context the form takes while it is shown.
const std::pair<const char*, int> kTabHelp[] = {
    {"TabSheet1", 1174}, {"TabSheet2", 1175}, {"TabSheet3", 1176}, {"TabSheet4", 1177}, {"TabSheet5", 1178},
    {"TabSheet6", 1179}, {"TabSheet8", 1180}, {"TabSheet9", 1181}, {"TabSheet7", 1192}};

const QString kFontRubric = QStringLiteral("Police de caractère");

// The rows of a colour rubric and the default of their colours.
QStringList rubricRows(const QString& rubric) {
    if (rubric == u"Affichage") return {QStringLiteral("Texte"), QStringLiteral("Fond")};
    if (rubric == u"Bézier aléatoire")
        return {QStringLiteral("Dégradé début"), QStringLiteral("Dégradé fin"), QStringLiteral("Tracé")};
    if (rubric == kFontRubric)
        return {QStringLiteral("Impression"), QStringLiteral("Commande"), QStringLiteral("Paramètre"),
                QStringLiteral("Variable")};
    return QStringList(CommandNames.cbegin(), CommandNames.cend());
}

// The rows as the language names them; the settings file keeps the French names.
QString rowCaption(const QString& row) {
    static const std::pair<const char16_t*, const char16_t*> kRows[] = {
        {u"Texte", u"Lng_RowText"},         {u"Fond", u"Lng_RowBackground"},     {u"Dégradé début", u"Lng_RowGradientStart"},
        {u"Dégradé fin", u"Lng_RowGradientEnd"}, {u"Tracé", u"Lng_RowStroke"},    {u"Impression", u"Lng_RowPrinting"},
        {u"Commande", u"Lng_RowCommand"},   {u"Paramètre", u"Lng_RowParameter"}, {u"Variable", u"Lng_RowVariable"}};
    for (const auto& [name, key] : kRows)
        if (row == name) return MessageText(QStringLiteral("Form19"), QString::fromUtf16(key));
    return row;
}

QString colorSection(const QString& rubric) { return QStringLiteral("Color") + rubric; }

// The settings file in use.
IniFile configFile() {
    return IniFile(Form1.made() ? Form1->GetConfigFileName() : platform::programFile(QStringLiteral("config.ini")));
}

TColor rowColor(const QString& rubric, const QString& row) {
    if (row.isEmpty()) return clWhite;
    return configFile().ReadInteger(colorSection(rubric), row, clWhite);
}

// The swatch of a sample row: outlined, filled with the row's colour.
QIcon swatch(TColor color, int height) {
    QPixmap pixmap(34, qMax(8, height - 4));
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(ColorToQColor(color));
    p.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
    return QIcon(pixmap);
}
}  // namespace

void TForm19::connectTabs() {
    connect(PageControl1, &QTabWidget::currentChanged, this, &TForm19::PageControl1Change);
    connect(Edit1, &QLineEdit::textChanged, this, &TForm19::Edit1Change);
    connect(TPGEdit, &QLineEdit::textChanged, this, &TForm19::TPGEditChange);
    connect(TPFEdit, &QLineEdit::textChanged, this, &TForm19::TPFEditChange);
    connect(ComboBox3, &QComboBox::activated, this, &TForm19::ComboBox3Change);
    connect(ComboBox4, &QComboBox::activated, this, &TForm19::ComboBox4Click);
    connect(ComboBox5, &QComboBox::currentTextChanged, this, &TForm19::ComboBox5Change);
    connect(Button11, &QPushButton::clicked, this, &TForm19::Button11Click);
    connect(ListBox2, &QListWidget::itemDoubleClicked, this, &TForm19::ListBox2DblClick);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TForm19::ComboBox1Change);
    connect(Button3, &QPushButton::clicked, this, &TForm19::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm19::Button4Click);
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { MoveTools(-1); });
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { MoveTools(1); });
    connect(SpeedButton3, &QPushButton::clicked, this, &TForm19::SpeedButton3Click);
    connect(Button8, &QPushButton::clicked, this, &TForm19::Button8Click);
    connect(Button9, &QPushButton::clicked, this, &TForm19::Button9Click);
    connect(ListBox3, &QListWidget::itemSelectionChanged, this, &TForm19::ListBox3Click);
    connect(ListBox4, &QListWidget::itemSelectionChanged, this, &TForm19::ListBox4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm19::Button5Click);
    connect(Label50, &QLabel::linkActivated, this, &TForm19::Label50Click);
    connect(Button10, &QPushButton::clicked, this, &TForm19::Button10Click);
    connect(Button7, &QPushButton::clicked, this, &TForm19::Button7Click);
    connect(Button12, &QPushButton::clicked, this, &TForm19::Button12Click);
    connect(Button14, &QPushButton::clicked, this, &TForm19::Button14Click);
    connect(ListBox5, &QListWidget::itemSelectionChanged, this, &TForm19::ListBox5Click);
    connect(CheckBox9, &QCheckBox::clicked, this, &TForm19::CheckBox9Click);
    for (QObject* o : std::initializer_list<QObject*>{HotKey1, HotKey2, HotKey3, DT2, Button8, Memo1, Memo3, Label13,
                                                      Label14, Label15, Label23})
        o->installEventFilter(this);
}

bool TForm19::eventFilter(QObject* watched, QEvent* event) {
    auto* key = qobject_cast<QKeySequenceEdit*>(watched);
    if (key && (key == HotKey1 || key == HotKey2)) {
        if (event->type() == QEvent::FocusIn) HotKeyEnter(key);
        if (event->type() == QEvent::FocusOut) HotKeyExit(key);
    }
    if (event->type() == QEvent::FocusIn && watched == HotKey3) RadioButton3->setChecked(true);
    if (event->type() == QEvent::FocusIn && watched == DT2) RadioButton4->setChecked(true);
    // The read-only memos never keep the focus.
    if (event->type() == QEvent::FocusIn && (watched == Memo1 || watched == Memo3))
        (watched == Memo1 ? TabSheet6 : TabSheet9)->setFocus();
    if (event->type() == QEvent::MouseButtonRelease)
        for (QLabel* label : {Label13, Label14, Label15, Label23})
            if (watched == label) FontLabelClick(label);
    if (event->type() == QEvent::KeyPress && watched == Button8 && SpeedTestRunning) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: Button8Click(); return true;
        case Qt::Key_Minus: TrackBar1->setValue(TrackBar1->value() - 1); return true;
        case Qt::Key_Plus: TrackBar1->setValue(TrackBar1->value() + 1); return true;
        default: break;
        }
    }
    return TForm::eventFilter(watched, event);
}

// The combination being typed must not fire the hotkey it replaces; the
// field's value is in force once it is left, and stored only by "Valider".
QString TSettings::*TForm19::hotKeyOf(const QKeySequenceEdit* field) const {
    return field == HotKey1 ? &TSettings::PauseHotKey : &TSettings::StopHotKey;
}

void TForm19::HotKeyEnter(QKeySequenceEdit* field) {
    if (field->property("HeldHotKey").toBool()) return;
    Services().RemoveGlobalHotKey(settings().*hotKeyOf(field));
    field->setProperty("HeldHotKey", true);
}

void TForm19::HotKeyExit(QKeySequenceEdit* field) {
    if (!field->property("HeldHotKey").toBool()) return;
    field->setProperty("HeldHotKey", false);
    QString TSettings::*which = hotKeyOf(field);
    settings().*which = QString();  // released on entering
    SetLiveHotKey(which, field->keySequence().toString(QKeySequence::PortableText));
}

// Closing without "Valider": the hotkeys in force are those of the file again.
void TForm19::ReleaseHotKeyFields() {
    for (QKeySequenceEdit* field : {HotKey1, HotKey2})
        if (field->property("HeldHotKey").toBool()) {
            field->setProperty("HeldHotKey", false);
            Services().AddGlobalHotKey(settings().*hotKeyOf(field));
        }
    RestoreStoredHotKeys();
}

void TForm19::PageControl1Change() {
    if (SpeedTestRunning) {  // both tests end and put their buttons back
        if (!mouseIdleCaption_.isNull()) Button8Click();
        SpeedTestRunning = true;
        Button9Click();
    }
    QWidget* tab = PageControl1->currentWidget();
    for (const auto& [name, context] : kTabHelp)
        if (tab && tab->objectName() == QLatin1String(name)) SetHelpContext(this, context);
    if (tab == TabSheet8) ComboBox4Click();
    if (tab == TabSheet9) {
        ListBox3->clear();
        ListBox4->clear();
        for (const TDynamiqueOrder& plugin : std::as_const(DynamiqueOrders))
            if (!plugin.Name.isEmpty()) ListBox3->addItem(plugin.Rubrique);
        TForm1::NoDoublonofListBox(ListBox3);
        if (ListBox3->count() > 0) ListBox3->setCurrentRow(0);
        ListBox3Click();
    }
}

void TForm19::changeEvent(QEvent* event) {
    TForm::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && SpeedTestRunning) {
        if (!mouseIdleCaption_.isNull()) Button8Click();
        SpeedTestRunning = true;
        Button9Click();
    }
}

void TForm19::closeEvent(QCloseEvent* event) {
    // A test running ends with the dialog: nothing moves or types after it closed.
    if (!mouseIdleCaption_.isNull()) Button8Click();
    if (!typingIdleCaption_.isNull()) {
        SpeedTestRunning = true;
        Button9Click();
    }
    SpeedTestRunning = false;
    ReleaseHotKeyFields();
    TForm::closeEvent(event);
}

// An empty separator becomes "|"; a letter or a digit is refused.
void TForm19::Edit1Change() {
    const QString text = Edit1->text();
    if (text == u"|") return;
    const bool refused = !text.isEmpty() && text[0].unicode() < 128 && text[0].isLetterOrNumber();
    if (!text.isEmpty() && !refused) return;
    if (refused) MessageDlg(QStringLiteral("Caractère de séparation impossible"), MsgType::Warning, mbOK);
    const QSignalBlocker block(Edit1);
    Edit1->setText(QStringLiteral("|"));
    Edit1->selectAll();
}

namespace {
// A delay the settings file reads back: a whole number of milliseconds.
bool isDelay(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= -32768 && value <= 32767;
}
}  // namespace

void TForm19::TPGEditChange() {
    if (isDelay(TPGEdit->text())) return;
    MessageDlg(QStringLiteral("Délais général dans les options invalide."), MsgType::Error, mbOK);
    TPGEdit->setText(defaultSettings().GeneralTime);
    if (SpeedTestRunning) Edit2->setFocus();
}

void TForm19::TPFEditChange() {
    if (isDelay(TPFEdit->text())) return;
    MessageDlg(QStringLiteral("Délais tape de texte dans les options invalide."), MsgType::Error, mbOK);
    TPFEdit->setText(defaultSettings().TypeTime);
    if (SpeedTestRunning) Edit2->setFocus();
}

void TForm19::StepDelay(QLineEdit* field, int step, int top) {
    field->setText(QString::number(qBound(0, field->text().toInt() + step, top)));
}

// The last mode is "Pas de changement", whatever language names it.
void TForm19::ComboBox1Change() { CheckBox7->setEnabled(ComboBox1->currentIndex() < ComboBox1->count() - 1); }

void TForm19::Button3Click() {
    TFileDialog dialog(this, TFileDialog::Open, QStringLiteral("OpenDialog1"));
    dialog.Filter = QStringLiteral("Fichiers exécutable|%1;*.exe|Tous (*.*)|*.*").arg(kRunnableFiles);
    if (!Services().ChooseFile(dialog)) return;
    ListBox1->addItem(QFileInfo(dialog.FileName).absoluteFilePath());
}

void TForm19::Button4Click() {
    for (int i = ListBox1->count() - 1; i >= 0; --i)
        if (ListBox1->item(i)->isSelected()) delete ListBox1->takeItem(i);
}

// Each selected line goes one place up (step -1) or down (+1); one that
// reached the end, or the selected line before it, stays.
void TForm19::MoveTools(int step) {
    const int n = ListBox1->count();
    for (int k = 0; k < n; ++k) {
        const int i = step < 0 ? k : n - 1 - k, j = i + step;
        if (!ListBox1->item(i)->isSelected() || j < 0 || j >= n || ListBox1->item(j)->isSelected()) continue;
        QListWidgetItem* moved = ListBox1->takeItem(i);
        ListBox1->insertItem(j, moved);
        moved->setSelected(true);
    }
}

void TForm19::SpeedButton3Click() {
    TFileDialog dialog(this, TFileDialog::Save, QStringLiteral("SaveDialog1"));
    dialog.Filter = QStringLiteral("Rapport|*.doc|Tous|*.*");
    dialog.DefaultExt = QStringLiteral("doc");
    dialog.FileName = Edit3->text();
    if (!dialog.Execute()) return;
    Edit3->setText(dialog.FileName);
}

// The language goes to "config.ini" of the program folder, which the start
// reads, whatever settings file is in use.
void TForm19::ComboBox3Change() {
    const QString language = ComboBox3->currentText();
    IniFile ini(platform::programFile(QStringLiteral("config.ini")));
    ini.WriteString("Langage", "Lng", language);
    if (!SaveIniFile(ini)) return;
    settings().Language = language;
    Services().LoadLanguageFile(language);
}

void TForm19::ComboBox5Change() {
    const QString text = ComboValue(ComboBox5);
    const QString path = BackgroundPicturePath(text);
    QPixmap preview;
    if (!path.isEmpty() && QFileInfo(path).isFile()) preview.load(path);
    if (text == u"Bézier aléatoire") {
        QImage bitmap(Image1->size(), QImage::Format_RGB32);
        UBackGround::DrawRandomBezier(bitmap);
        preview = QPixmap::fromImage(bitmap);
    }
    Image1->setPixmap(preview.isNull() ? QPixmap() : preview.scaled(Image1->size()));
}

void TForm19::Button11Click() {
    TFileDialog dialog(this, TFileDialog::Open, QStringLiteral("OpenDialog1"));
    const QFileInfo current(ComboBox5->currentText());
    dialog.Filter = QStringLiteral("Fichiers image (*.bmp)|*.bmp");
    dialog.FileName = (current.path() != u"." ? current.path() : platform::programFolder()) + QStringLiteral("/*.bmp");
    if (!Services().ChooseFile(dialog)) return;
    ComboBox5->setCurrentText(QFileInfo(dialog.FileName).absoluteFilePath());
    ComboBox5Change();
}

QLabel* TForm19::fontLabel(const QString& row) const {
    return row == u"Impression" ? Label23 : row == u"Commande" ? Label13 : row == u"Paramètre" ? Label14 : Label15;
}

// The font dialog on a font label; the font is saved by "Valider".
void TForm19::FontLabelClick(QLabel* label) {
    QFont font = label->font();
    if (!Services().ChooseFont(font)) return;
    label->setFont(font);
    if (PageControl1->currentWidget() == TabSheet8 || ComboValue(ComboBox4) == kFontRubric) ComboBox4Click();
}

void TForm19::ComboBox4Click() {
    const QString rubric = ComboValue(ComboBox4);
    QStringList rows = rubricRows(rubric);
    if (rubric == u"Commandes")
        for (const TDynamiqueOrder& plugin : std::as_const(DynamiqueOrders))
            if (!plugin.Name.isEmpty()) rows << plugin.Name;
    ListBox2->clear();
    for (const QString& row : rows) {
        auto* item = new QListWidgetItem(rubric == u"Commandes" ? row : rowCaption(row), ListBox2);
        item->setData(Qt::UserRole, row);
        if (rubric == kFontRubric) {
            QFont font = fontLabel(row)->font();
            font.setPointSize(8);
            item->setFont(font);
            item->setForeground(ColorToQColor(FontColor(fontLabel(row))));
        } else {
            item->setIcon(swatch(rowColor(rubric, row), ListBox2->fontMetrics().height() + 4));
        }
    }
    ListBox2->setIconSize(QSize(34, ListBox2->fontMetrics().height()));
}

// Colours are written to the settings file at once; "Annuler" keeps them.
void TForm19::ListBox2DblClick() {
    const QList<QListWidgetItem*> chosen = ListBox2->selectedItems();
    if (chosen.isEmpty()) return;
    const QString rubric = ComboValue(ComboBox4);
    const QString row = chosen.first()->data(Qt::UserRole).toString();
    if (rubric == kFontRubric) {
        FontLabelClick(fontLabel(row));
        return;
    }
    TColor value = rowColor(rubric, row);
    if (rubric == u"Bézier aléatoire") {
        const UBackGround::TBezierColors& bezier = UBackGround::BezierColors();
        value = row == u"Dégradé début" ? bezier.gradientStart : row == u"Dégradé fin" ? bezier.gradientEnd : bezier.stroke;
    }
    QColor color = ColorToQColor(value);
    if (!Services().ChooseColor(color)) return;
    IniFile ini = configFile();
    ini.WriteInteger(colorSection(rubric), row, QColorToColor(color));
    SaveIniFile(ini);
    ComboBox4Click();
}

void ApplyGeneralColors() {
    const IniFile ini = configFile();
    const QString bezier = QStringLiteral("ColorBézier aléatoire");
    UBackGround::BezierColors() = {ini.ReadInteger(bezier, QStringLiteral("Dégradé début"), 0xDDDBD1),
                                   ini.ReadInteger(bezier, QStringLiteral("Dégradé fin"), 0xA29B80),
                                   ini.ReadInteger(bezier, QStringLiteral("Tracé"), 0xA29B80)};
    for (QWidget* window : MadeWindows()) ApplyTextColors(*window);
}

void ApplyTextColors(QWidget& window) {
    const QString name = window.objectName();
    bool number = false;
    const int n = name.startsWith(u"Form") ? name.mid(4).toInt(&number) : 0;
    if (!number || n < 1 || n > 32 || n == 4 || n == 19 || n == 23) return;
    const IniFile ini = configFile();
    const TColor text = ini.ReadInteger(QStringLiteral("ColorAffichage"), QStringLiteral("Texte"), clWindowText);
    const TColor back = ini.ReadInteger(QStringLiteral("ColorAffichage"), QStringLiteral("Fond"), TColor(0x80000005));
    // The system colours are the windows' own: only a chosen colour changes them.
    const bool ownText = !IsSystemColor(text), ownBack = !IsSystemColor(back);
    if (!ownText && !ownBack) return;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        QPalette p = w->palette();
        const bool view = qobject_cast<QAbstractItemView*>(w) || qobject_cast<QTextEdit*>(w);
        if (ownText) {
            for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
                p.setColor(role, ColorToQColor(text));
        }
        if (ownBack && view) p.setColor(QPalette::Base, ColorToQColor(back));
        w->setPalette(p);
    }
}
