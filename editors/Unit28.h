#pragma once
// The recorder window "Capture séquence": records what the user does with
// the mouse and the keyboard in other programs into "temp.sqc", then copies
// it into the open macro or saves it as a macro file. The same desktop events
// run the event procedures while "[EVENT.ACTIVATE]" is "1".
#include "core/Form.h"
#include "core/Windows.h"
#include "engine/Recorder.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;
class TFileDialog;

class TForm28 : public TForm {
    Q_OBJECT
public:
    explicit TForm28(QWidget* parent = nullptr);
    ~TForm28() override;

    QLabel* Image2 = nullptr;  // banner
    QToolButton* SpeedButton1 = nullptr;  // record (or resume)
    QToolButton* SpeedButton2 = nullptr;  // pause
    QToolButton* SpeedButton3 = nullptr;  // stop
    QLabel* Image1 = nullptr;             // the recording indicator
    QLabel* Label1 = nullptr;             // the last window tracked
    QCheckBox* CheckBox1 = nullptr;       // optimise when copying
    QLabel* Label3 = nullptr;
    QCheckBox* CheckBox2 = nullptr;       // only the end point of mouse paths
    QLabel* Label9 = nullptr;
    QCheckBox* CheckBox3 = nullptr;       // no foreground-window tracking
    QLabel* Label10 = nullptr;
    QLabel* Label4 = nullptr;             // "Augmenter ou diminuer (-) de"
    QLineEdit* Edit1 = nullptr;           // seconds added to every pause when copying
    QLabel* Label5 = nullptr;             // "seconde(s) tous les timer(s)."
    QPushButton* Button1 = nullptr;       // "Copier vers macro actuelle"
    QPushButton* Button2 = nullptr;       // "Sauvegarder vers fichier"
    QTimer* Timer1 = nullptr;
    TFileDialog* SaveDialog1 = nullptr;

    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void Button1Click();
    void Button2Click();
    void Timer1Timer();

    // Events are being written (not paused).
    bool Recording() const { return Recorder.IsOpen(); }
    bool Paused = false;
    recorder::TSequenceRecorder Recorder;
    // "temp.sqc" in the program folder.
    static QString RecordingFile();

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;  // a label toggles its check box

private:
    void setButtons();
    Qt::WindowStates savedMainState_;
};

constexpr WindowRef<TForm28> Form28{28};
// The recorder can record: the desktop reports its input events.
extern bool RecorderAvailable;
// Makes the recorder window when first needed and shows it when the recorder can record.
void ShowRecorderWindow();
// Watches the desktop's events exactly while the recorder records or the
// event procedures are on; false when the desktop refused.
bool UpdateEventWatch();
