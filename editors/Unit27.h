#pragma once
// The tool box: the five tool commands ("Outil " and a category) chosen on a
// tree of categories and tools, each tool taking up to three parameters.
// The tools, their help, information texts and parameters are one table.
#include "editors/CommandDialog.h"
#include "core/Windows.h"

class QTreeWidget;
class QTreeWidgetItem;
class TFileDialog;

class TForm27 : public TCommandDialog {
    Q_OBJECT
public:
    explicit TForm27(QWidget* parent = nullptr);

    static const TChoicePanel& Panel();

    // The command tree's preset: collapses the tree and selects the first node of that text.
    void Form27Show(const QString& tool);
    void Preset(const QString& tool) override { Form27Show(tool); }
    // The last node of that text; null when none.
    QTreeWidgetItem* FindNode(const QString& text) const;
    // The checks of the chosen tool's parameters, each told; true lets "Valider" go on.
    bool TestFonction();
    // This desktop has no automatic log-on: nothing is set and nothing changes.
    void RebootXP(bool) {}
    bool RebootXPExists() const { return false; }

    void TreeView1Click();
    void Browse(int param);  // 1 to 3

    QTreeWidget* TreeView1 = nullptr;
    TComboBox* ComboBox(int n) const;  // 1 to 3
    QLabel* Label5 = nullptr;  // the information text
    TFileDialog* OpenDialog1 = nullptr;
    TFileDialog* FolderDialog = nullptr;

protected:
    void LoadFields(const QString& params) override;
    void LoadDefaults() override;
    bool Validate() override;
    QString BuildParams() const override;
    QString CommandKeyword() const override;

private:
    const TPanelChoice* chosen() const;  // the selected tool's entry; null on a category
    void select(QTreeWidgetItem* node);
    QVector<TPanelParamControls> params_;
    QString lastNode_;  // the node clicked before: category and text
};

constexpr WindowRef<TForm27> Form27{27};
