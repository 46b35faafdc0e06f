#pragma once
// The window list "Liste Objet": the windows of the desktop with their handle,
// class and text, and the details of one. Browse mode (menu "Rechercher
// Objets"): windows whose class begins with a text, handed to the spy wizard
// with "Ajouter". Choice mode (the run-time "Objet" command): the windows
// that met a row's criteria, one of which the user picks with "Sélectionner".
#include "core/Form.h"
#include "core/Windows.h"

#include <QVector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QToolButton;
class QTreeWidget;

class TForm17 : public TForm {
    Q_OBJECT
public:
    explicit TForm17(QWidget* parent = nullptr);

    // Browse mode, from the menu.
    void RechercherObjet1Click();
    // Choice mode: these windows, one row each; the run waits on ChoiceDone.
    void ShowChoice(const QVector<quint64>& windows);

    void SpeedButton1Click();  // "Actualiser"
    void ListView1Click();     // the details of the selected window
    void ListView1ColumnClick(int column);
    void Button1Click();  // "Sélectionner"
    void Button2Click();  // "Annuler"
    void Button3Click();  // "Supp": windows some "Objet" row already names leave the list
    void Button4Click();  // "Ajouter": the selected window to the spy wizard

    QLabel* Label1 = nullptr;  // "Classe recherchée", or the choice instruction
    QLineEdit* Edit1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QTreeWidget* ListView1 = nullptr;
    QLabel* Label2 = nullptr;  // "Informations détaillées"
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr, *Button4 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* Image1 = nullptr;

    QString ClassFilter;  // the class prefix of the last refresh
    // Set once the user chose or cancelled in choice mode; Chosen is 0 when cancelled.
    bool ChoiceDone = true;
    quint64 Chosen = 0;
    int SortColumn = 0;
    bool SortDescending = false;

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    bool choosing() const;
    void addRow(quint64 window);
    quint64 selectedWindow() const;
    void stopRun();
    bool editModeFound_ = false;  // RowEditing().modifying when the list opened, given back when it closes
};

constexpr WindowRef<TForm17> Form17{17};
