#pragma once
// The "Click" dialog: one of 14 actions (press, release, click or
// double-click of a button, wheel notches up or down), shown on a picture of
// a mouse whose button is filled with the action's colour.
#include "editors/CommandDialog.h"
#include "core/Windows.h"
#include "look/Colors.h"

#include <QImage>
#include <QPoint>

class QCheckBox;
class QLineEdit;
class TUpDown;

// Fills the 4-connected surface of the seed's colour around the seed.
void FloodFill(QImage& image, QPoint seed, QRgb colour);

class TForm6 : public TCommandDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);

    // The actions in the order they are tested and written; the wheel ones take a count.
    static const TChoicePanel& Panel();
    // Where each button's inside is, in the picture: left, middle, right, wheel.
    static constexpr QPoint kSeeds[] = {{20, 30}, {18, 18}, {35, 5}, {35, 18}};

    // The mouse with the button of that seed filled with that colour
    // (the left seed and white: the plain mouse).
    void DrawImageMouse(QPoint seed, TColor colour);
    const QImage& Picture() const { return picture_; }

    QCheckBox* CheckBox(int n) const;  // 1 to 14
    void CheckBoxClick(int n);
    void EditChange(QLineEdit* edit);
    void UpDownClick(QLineEdit* edit, bool up);

    QLabel* Image1 = nullptr;
    QLineEdit* Edit1 = nullptr;  // wheel-up notches
    QLineEdit* Edit2 = nullptr;  // wheel-down notches
    TUpDown* UpDown1 = nullptr;
    TUpDown* UpDown2 = nullptr;

protected:
    void LoadFields(const QString& params) override;
    void LoadDefaults() override;
    bool Validate() override;
    QString BuildParams() const override;

private:
    void reset();
    void showChecked(int n);  // the picture and the count field of box n as it is
    QLineEdit* countOf(int n) const;  // null for a button action
    QVector<QCheckBox*> boxes_;
    QImage picture_;
};

constexpr WindowRef<TForm6> Form6{6};
