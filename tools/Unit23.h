#pragma once
// The About box: the program's version, the system, the physical memory, the
// processor load of the machine and of this process refreshed every second,
// and the process priority.
#include "core/Form.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>

class QTimer;

// Texts the language file may replace.
extern QString LastUpdateText;       // "Dernière mise à jour : "
extern QString MemoryText;           // "Mémoire physique %d"
extern QString TotalMemoryText;      // "Total %.0n Ko"
extern QString AvailableMemoryText;  // "Disponible %.0n Ko"
extern QString CpuText;              // "Utilisation CPU %5.2f%%"
extern QString VersionText;          // the program's version

class TForm23 : public TForm {
    Q_OBJECT
public:
    explicit TForm23(QWidget* parent = nullptr);

    // Sets the program's process priority from the item index.
    void ComboBox1Change(QObject* sender);
    // One refresh of the memory and load texts and bars.
    void Timer1Timer();

    QLabel *Label3 = nullptr, *Label5 = nullptr, *Label6 = nullptr, *Label15 = nullptr;  // update, system, kernel, version
    QLabel *Label10 = nullptr, *Label11 = nullptr, *Label12 = nullptr;  // memory load, total, available
    QLabel* Label16 = nullptr;                                           // processor load text
    QFrame* Bevel2 = nullptr;                                            // the bars' frame: full scale
    QFrame *Shape4 = nullptr, *Shape5 = nullptr;                         // bars: this process, the machine
    QLabel* Image1 = nullptr;
    QComboBox* ComboBox1 = nullptr;  // process priority (core/ProcessPriority.h)
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

extern TForm23* Form23;
