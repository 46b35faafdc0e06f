#pragma once
// The "Move Mouse" dialog: a screen position (typed, or followed from the
// mouse until a key stops it), the way of moving, and a snapshot of the
// screen around the position kept as a reminder. Snapshots live in memory
// for the open macro only, named in the rows by "ImgRef" names.
#include "editors/CommandDialog.h"
#include "core/Windows.h"
#include "engine/HotKeyManager.h"

#include <QImage>
#include <QVector>

class QKeySequenceEdit;

// ---- The snapshot store ----

struct TImgMoveMouse {
    QString Name;   // "ImgRef" and a number
    QImage Bitmap;  // 105 by 105 pixels
};
using TTabImgMoveMouse = QVector<TImgMoveMouse>;
// The store of the program; emptied when a macro is opened or created.
extern TTabImgMoveMouse TabImgMoveMouse;

constexpr int kSnapshotSize = 105;

void ClearImageRefs(TTabImgMoveMouse& store);
// Appends a snapshot of that name: the top-left 105 by 105 pixels of source.
void AddImageRef(TTabImgMoveMouse& store, const QString& name, const QImage& source);
// Gives the snapshot of that name the picture of source; a name the store
// does not hold changes nothing.
void ReplaceImageRef(TTabImgMoveMouse& store, const QString& name, const QImage& source);
// "ImgRef" and the number of snapshots stored, or the first number after it
// that neither the store nor `taken` (the names the macro's rows use) holds.
QString NewImageRefName(const TTabImgMoveMouse& store, const QStringList& taken = {});
// The picture of the first snapshot of that name; null when there is none.
const QImage* FindImageRef(const TTabImgMoveMouse& store, const QString& name);
// Draws the mouse cursor as it shows now with its hot spot at the centre of
// the snapshot (nothing when no cursor shows).
void DrawCursorOnSnapshot(QImage& bitmap);

class TForm5 : public TCommandDialog, public THotKeyListener {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
    ~TForm5() override;

    // Follows the mouse into X and Y until Capture is set again.
    void PosCur();
    // The screen around the cursor, with the cursor drawn on it, into the preview.
    void TakeSnapshot();
    // "Trouver la cible": the mouse goes to X, Y as the command moves it.
    void Button3Click();
    bool HotKeyPressed(quint32 hotKey) override;

    TComboBox* ComboBox1 = nullptr;  // X
    TComboBox* ComboBox2 = nullptr;  // Y
    QKeySequenceEdit* HotKey1 = nullptr;
    QLabel* Image1 = nullptr;  // "Aperçu"
    QPushButton* Button3 = nullptr;
    QImage Preview;            // the picture the preview holds (null: none)
    QString SnapshotName;      // the name the row gets with the preview
    bool Capture = true;       // true while the dialog does not follow the mouse

protected:
    void LoadDefaults() override;
    void LoadFields(const QString& params) override;
    bool Validate() override;
    QString BuildParams() const override;
    void AfterCommit() override;
    void FormClose() override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void opening();
    void setPreview(const QImage& picture);
    void registerCaptureKey(quint32 hotKey);
    void captureKeyChanged();
    QStringList namesInRows() const;

    quint32 captureKey_ = 0;  // the capture key registered last (0: none)
    QChar lastTyped_;
};

constexpr WindowRef<TForm5> Form5{5};
