#pragma once
// The About box: the program's icon, name, version and build date, the
// system, the physical memory, the processor load of the machine and of this
// process refreshed every second, and the process priority. Its texts are
// those of the language file (section "Form23").
#include "core/Form.h"
#include "core/Windows.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

class QTimer;

class TForm23 : public TForm {
    Q_OBJECT
public:
    explicit TForm23(QWidget* parent = nullptr);

    // Sets the program's process priority from the item index.
    void ComboBox1Change(QObject* sender);
    // One refresh of the memory and load texts and bars.
    void Timer1Timer();

    QLabel* Image1 = nullptr;                                            // the program's icon
    QLabel *Label1 = nullptr, *Label15 = nullptr, *Label3 = nullptr;     // name, version, build date
    QLabel* Label5 = nullptr;                                            // "Windows version : " and the system
    QLabel *Label7 = nullptr, *Label6 = nullptr;                         // "Noyau :" and the kernel
    QLabel *Label10 = nullptr, *Label11 = nullptr, *Label12 = nullptr;  // memory load, total, available
    QLabel* Label16 = nullptr;                                           // processor load text
    QFrame* Bevel2 = nullptr;                                            // the bars' frame: full scale
    QFrame *Shape4 = nullptr, *Shape5 = nullptr;                         // bars: this process, the machine
    QLabel* Label17 = nullptr;                                           // "Priorité du programme :"
    QComboBox* ComboBox1 = nullptr;  // process priority (core/ProcessPriority.h)
    QPushButton* Button1 = nullptr;  // "Fermer"
    QTimer* Timer1 = nullptr;
    // Where the loads and the memory are read (tests give files of their own).
    QString ProcStat = QStringLiteral("/proc/stat");
    QString OwnStat = QStringLiteral("/proc/self/stat");
    QString MemInfo = QStringLiteral("/proc/meminfo");

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    int barWidth(double percent) const;
};

constexpr WindowRef<TForm23> Form23{23};
