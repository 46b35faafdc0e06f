#pragma once
// The window spy wizard "Spy": the user drags the target onto a window of
// the desktop; that window and its ancestors become up to 48 objects whose
// values, criteria and behaviours the next pages edit; "Terminer" writes one
// "Objet" row per object, as one undo step. Opened from the menu for adding,
// or on an "Objet" row for modifying the run of "Objet" rows around it.
//
// The wizard is a command dialog whose "Valider" is "Suivant >>" (Button5,
// which turns into "Terminer" on the last page) and whose "Annuler" is Button3.
#include "editors/CommandDialog.h"
#include "core/Windows.h"
#include "engine/ObjectSearch.h"

#include <QPersistentModelIndex>

class QAbstractButton;
class QAction;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

class TForm16 : public TCommandDialog {
    Q_OBJECT
public:
    explicit TForm16(QWidget* parent = nullptr);

    static constexpr int kMaxObjects = 48;
    // The captured objects: the outermost window first, the one under the cursor last.
    QVector<TCmObjet> CapturedObjects;

    // Menu "Spy (capture d'objet)": the wizard for adding, on its first page.
    void Spy1Click();
    // The capture loop, while the left button pressed on the target is down.
    void PrcRun();
    void PrcStop();
    // One step of the capture: the window under the cursor is now w.
    void CaptureWindow(quint64 w);
    // The table becomes w's ancestors, outermost first, then w.
    void LoadWindowChain(quint64 w);
    // False, with the warning, when 48 objects are held.
    bool AddCapturedObject(quint64 w);
    void ClearCaptured();
    void RebuildTree();
    void FillCriteriaList();

    void Button1Click();  // "Modifier": the Edition page into the object
    void Button2Click();  // "Defaut": the three capture options become the defaults
    void Button4Click();  // "<< Precedent"
    void NextPage();      // "Suivant >>"
    void TreeView1Click();
    void SpeedButton1Click();  // "msdn"
    void CheckListBox1Change(QListWidgetItem* item);

    QTabWidget* PageControl1 = nullptr;
    QWidget *TabSheet1 = nullptr, *TabSheet4 = nullptr, *TabSheet2 = nullptr, *TabSheet3 = nullptr;
    QLabel* Image1 = nullptr;  // the target
    QCheckBox *CheckBox1 = nullptr, *CheckBox2 = nullptr, *CheckBox3 = nullptr;
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr,
              *Edit6 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QListWidget* CheckListBox1 = nullptr;
    QComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr, *ComboBox3 = nullptr;
    QGroupBox *RadioGroup1 = nullptr, *RadioGroup2 = nullptr;
    QTreeWidget* TreeView1 = nullptr;
    // Button3 and Button5 are the dialog base's "Annuler" and "Valider".
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr, *Button4 = nullptr, *Button5 = nullptr;

protected:
    void LoadFields(const QString& params) override;
    void LoadDefaults() override;
    void AfterShow() override;
    bool Validate() override;
    bool Commit() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void startOn(QWidget* page);
    void pageShown();
    void setCaptions();
    TCmObjet* objectOf(const QString& handle);
    void loadBehaviour();
    void storeBehaviour();
    int firstWritten() const;
    bool loadedRowsIntact() const;

    bool capturing_ = false;
    bool loading_ = false;
    QButtonGroup *notFound_ = nullptr, *several_ = nullptr;
    // Modify mode: the rows loaded, as they were.
    QVector<QPersistentModelIndex> loadedRows_;
    QStringList loadedParams_;
};

constexpr WindowRef<TForm16> Form16{16};

// An item of the main window's "Outils" menu, before "Mes Outils": the spy's
// and the window list's. One already made under that name is answered as it is.
QAction* SpyMenuItem(const QString& name, const QString& caption);
// Those items open the spy on its capture page and the window list (at start-up).
void InstallSpyMenus();
