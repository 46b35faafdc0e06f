#pragma once
// The "Commentaire" dialog ("Insertion d'un commentaire"): a text of several
// lines written as consecutive "Commentaire" rows, one per line. Modifying a
// comment row edits its whole block of consecutive comment rows, in place.
#include "editors/CommandDialog.h"
#include "core/Windows.h"

class QPlainTextEdit;
class TFileDialog;

class TForm14 : public TCommandDialog {
    Q_OBJECT
public:
    explicit TForm14(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button3 = nullptr;  // "Parcourir...": loads a text file
    TFileDialog* OpenDialog1 = nullptr;

    void Button3Click();
    // The first and last rows of the block of comment rows around row.
    static std::pair<int, int> Block(int row);

protected:
    void LoadFields(const QString& params) override;
    void AfterShow() override;
    bool Commit() override;
    void FormClose() override;
};

constexpr WindowRef<TForm14> Form14{14};
