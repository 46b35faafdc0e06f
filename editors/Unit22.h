#pragma once
// The "Trouve image" dialog: a screen capture pasted from the clipboard, on
// which four corner markers drag out the search zone and the graphic to find;
// the graphic is saved as a bitmap file that the row names with the zone, the
// variables that get the position found and the occurrence to take.
#include "editors/CommandDialog.h"
#include "core/Windows.h"
#include "engine/HotKeyManager.h"

#include <QImage>
#include <array>

class QLineEdit;
class QMenu;
class QScrollArea;
class QToolButton;

// A corner marker of the capture: 16 by 16 pixels, dragged with the mouse.
// A top-left marker's position is its top-left corner, a bottom-right
// marker's its bottom-right corner.
class TCornerMarker : public QLabel {
    Q_OBJECT
public:
    TCornerMarker(const QString& name, bool bottomRight, QColor colour, QWidget* capture);
    bool BottomRight() const { return bottomRight_; }
    QPoint Corner() const { return bottomRight_ ? pos() + QPoint(width(), height()) : pos(); }
    void PlaceAt(QPoint corner) { move(bottomRight_ ? corner - QPoint(width(), height()) : corner); }
signals:
    void Picked();  // the user begins to drag it
    // The user drags it: its top-left corner would go to that point of the capture.
    void Dragged(QPoint topLeft);
    void Dropped();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    bool bottomRight_;
    bool dragging_ = false;
};

// The 32-bit bitmap file of a picture (rows from the bottom, blue, green, red, alpha).
QByteArray Bitmap32(const QImage& picture);

// While it is open, Print Screen puts the screen on the clipboard with the
// dialog hidden meanwhile, ready for "Coller".
class TForm22 : public TCommandDialog, public THotKeyListener {
    Q_OBJECT
public:
    explicit TForm22(QWidget* parent = nullptr);
    ~TForm22() override;

    // The markers in their order on the capture: zone top-left, graphic
    // top-left, graphic bottom-right, zone bottom-right.
    enum Marker { Zone1, Image1Corner, Image2Corner, Zone2 };
    // Moves a marker's corner there when the four stay in order; false when refused.
    bool MoveMarker(int marker, QPoint corner);
    QPoint Corner(int marker) const;

    void DrawImg6();    // the graphic cut out of the capture
    void CenterImg6();  // shown in the middle of its box
    // The first free bitmap name, beside the macro (in the program folder for a macro without a file).
    static QString New_Image_Name();
    void Button1Click();  // "Coller"
    void Sauvegarder1Click();
    void Restaurer1Click();
    // The arrows: the marker dragged last moves by one pixel.
    void Refine(int dx, int dy);
    void BeforeScreenCopy() override;
    void AfterScreenCopy() override;

    QImage Capture;  // the pasted screen capture
    QImage Graphic;  // what is saved and searched for (null: none)
    TCornerMarker* Image2 = nullptr;  // zone top-left
    TCornerMarker* Image3 = nullptr;  // zone bottom-right
    TCornerMarker* Image4 = nullptr;  // graphic top-left
    TCornerMarker* Image5 = nullptr;  // graphic bottom-right
    QLabel* Image1 = nullptr;  // the capture
    QLabel* Image6 = nullptr;  // the graphic
    QLabel* Image7 = nullptr;  // the marker being refined
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr;
    QLabel *Label10 = nullptr, *Label11 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* Button1Coller = nullptr;  // "Coller" (object name "Button1")
    TComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr, *ComboBox3 = nullptr, *ComboBox4 = nullptr;
    QScrollArea *ScrollBox1 = nullptr, *ScrollBox2 = nullptr;

protected:
    void LoadDefaults() override;
    void LoadFields(const QString& params) override;
    bool Validate() override;
    QString BuildParams() const override;
    bool Commit() override;
    void AfterShow() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    TCornerMarker* marker(int m) const;
    void showCorners();
    void placeMarkers(const std::array<QPoint, 4>& corners);
    void loadGraphicFile(const QString& file);
    bool saveGraphic();
    void updatePaste();
    // The marker dragged to that mouse point of the capture: placed there when
    // the corners stay in order, else the drop is refused; near an edge of
    // the visible part the capture scrolls.
    void dragTo(int marker, QPoint mouse);
    void scrollStep();
    void holdPrintScreen(bool hold);

    TCornerMarker* refined_ = nullptr;
    int dragged_ = -1;    // the marker being dragged
    QPoint dragStart_;    // its corner before the drag
    QPoint dragMouse_;    // the mouse on the capture
    bool dropRefused_ = false;
    QPoint scrollDirection_;
    QTimer* scrollTimer_ = nullptr;
    bool printHeld_ = false;      // Print Screen registered by this dialog
    bool hiddenForCopy_ = false;
};

constexpr WindowRef<TForm22> Form22{22};
