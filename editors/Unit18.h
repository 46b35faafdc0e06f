#pragma once
// The "Manipulation" dialog: a window's handle and one of nine actions, six
// chosen on a painted picture of a window's system menu and three with option
// buttons, with the parameters the action takes.
#include "editors/CommandDialog.h"
#include "core/Windows.h"

#include <QImage>

class QButtonGroup;
class QRadioButton;

// The painted system menu; a click chooses the item under the last mouse position.
class TMenuPicture : public QWidget {
    Q_OBJECT
public:
    explicit TMenuPicture(QWidget* parent = nullptr);
    QImage image;
    int lastY = -1;
signals:
    void Click(int y);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
};

class TForm18 : public TCommandDialog {
    Q_OBJECT
public:
    explicit TForm18(QWidget* parent = nullptr);

    // The nine actions in their order (1 to 9), their parameters and help.
    static const TChoicePanel& Panel();
    // The item of the picture at that height (1 to 6); 0 between items.
    static int ItemAt(int y);

    // The command tree's preset: the action of that word, from no action.
    void Form18Show(const QString& item);
    void Preset(const QString& item) override { Form18Show(item); }
    // Paints the picture with item 1 to 6 highlighted (others: none).
    void DrawImageMenu(int selected);
    void Image1Click(int y);
    void RadioButtonClick(int n);  // 1 to 3: actions 7 to 9
    int Action() const { return action_; }

    TComboBox* ComboBox1 = nullptr;  // the handle
    TComboBox* ComboBox2 = nullptr;  // parameter 1
    TComboBox* ComboBox3 = nullptr;  // parameter 2
    TMenuPicture* Image1 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QLabel* Label6 = nullptr;  // the instruction

protected:
    void LoadFields(const QString& params) override;
    void LoadDefaults() override;
    QString BuildParams() const override;
    void FormClose() override;

private:
    void noAction();  // nothing chosen: no button on, nothing highlighted, no parameter
    void choose(int action);  // instruction, help and parameters of that action
    QButtonGroup* radios_ = nullptr;
    int action_ = 0;
};

constexpr WindowRef<TForm18> Form18{18};
