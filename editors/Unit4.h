#pragma once
// The key-capture dialog of "Type Special": an on-screen keyboard of 104 key
// buttons (SpeedButton1..SpeedButton110, 104 of them exist) made from the
// key table of core/KeyBoard.h. Each has the key's scan code as its "Tag"
// property and the key's name as its text and tool tip. One to three keys
// are selected, in slots; the row is their names in slot order, then the
// action ("[KeyDown]", "[KeyUp]", or nothing for a press and release).
#include "editors/CommandDialog.h"
#include "core/Windows.h"
#include "engine/HotKeyManager.h"

#include <QPointer>
#include <QToolButton>
#include <array>

class QListWidget;
class QPainter;

// One key of the on-screen keyboard; paints its whole caption, in red while
// the key is selected.
class TKeyButton : public QToolButton {
    Q_OBJECT
public:
    TKeyButton(int number, int tag, QWidget* parent);
    int Tag() const { return property("Tag").toInt(); }
    // The name shown on the key: its whole name, but a key of the numeric
    // keypad leaves out the keypad's mark ("7 (pavé num.)" and "Num 7" show
    // "7"), which its place says.
    QString Caption() const;
    // The key's font, made smaller where the whole caption needs it to fit
    // the key, on as many lines as its words take.
    QFont CaptionFont() const;
    // Where the caption lies in the key with that font.
    QRect CaptionBounds() const;
    // Writes the caption centred in the key, moved by shift.
    void DrawCaption(QPainter& p, QPoint shift = {}) const;
    // The key's full name.
    QString Hint() const { return toolTip(); }
    bool Selected() const { return selected_; }
    void SetSelected(bool on);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    bool selected_ = false;
};

// A lock indicator: a small rectangle filled lime when the lock is on, white when off.
class TLockShape : public QWidget {
    Q_OBJECT
public:
    TLockShape(const QString& name, QWidget* parent);
    QColor Brush() const { return brush_; }
    void SetOn(bool on);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QColor brush_ = Qt::white;
};

class TForm4 : public TCommandDialog, public THotKeyListener {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
    ~TForm4() override;

    // Names every key from the active keyboard layout (the key table too); a
    // key the layout does not name keeps its name ("?" until one is read).
    void UpdateKeyBoard();
    // Paints one key in the XP look: a black face, the key's picture (moved
    // up and left while the mouse is over it) and its name centred.
    void PaintSpeedButton(TKeyButton* key, bool hot, bool mouseDown, bool spaceDown);
    // The key button numbered n, null for the six numbers without one.
    TKeyButton* SpeedButton(int n) const;
    // Selects a key into the first free slot, or frees its slot; a fourth key
    // is refused with a warning.
    void select_touche(TKeyButton* key);

    // The chooser of the layout that names the keys ("LangDialog"); it lists
    // the installed layouts and changes nothing until "Valider".
    void LangDialogShow();
    // Fills LayoutIds and LayoutNames with the installed layouts.
    void LoadLangToTString();
    // The languages of those names (the text before the last "("), each once.
    static QStringList ExtractLang(const QStringList& names);
    // The sub-languages of a language (the text from the last "(" on), each once.
    static QStringList ExtractSubLang(const QStringList& names, const QString& language);
    void OnClickLg();
    void OnClickOkButton();
    void OnClickCancelButton();

    void LockStateChanged(uint8_t vk, bool on) override;

    QString KeyboardLanguage;
    QStringList LayoutIds, LayoutNames;
    std::array<QString, 3> SelectedKeys;
    int SelectedKeyCount = 0;

    QComboBox* ComboBox1 = nullptr;  // "Appuyer & relâcher", "Appuyer", "Relâcher"
    QPushButton* Button3 = nullptr;  // "Liste des langues"
    TLockShape* Shape1 = nullptr;    // Num Lock
    TLockShape* Shape2 = nullptr;    // Caps Lock
    QPointer<QWidget> LangDialog;    // the chooser while it is open
    QListWidget* Lg = nullptr;
    QListWidget* SubLg = nullptr;

protected:
    void LoadDefaults() override;
    void LoadFields(const QString& params) override;
    void AfterShow() override;
    bool Validate() override;
    QString BuildParams() const override;
    void FormClose() override;

private:
    void opening();
    void showLocks();
    bool capsLockKey_ = false;  // Caps Lock is registered for this dialog
};

constexpr WindowRef<TForm4> Form4{4};
