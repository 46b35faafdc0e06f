#pragma once
// The main window's open and save dialogs, and the folder pickers of the
// dialogs. FileName is kept between runs of the dialog (SaveDialog1's is the
// macro's file). Execute() asks through Services().ChooseFile.
#include <QObject>
#include <QString>

class QWidget;

// In a Filter, the pattern of the files that may be executed, whatever their names.
inline const QString kRunnableFiles = QStringLiteral("<exécutables>");

class TFileDialog : public QObject {
    Q_OBJECT
public:
    enum Kind { Open, Save, Folder };
    TFileDialog(QWidget* owner, Kind kind, const QString& objectName);

    Kind kind() const { return kind_; }
    QString FileName;     // a Folder dialog's folder
    QString Title;        // the caption; empty: the toolkit's
    QString Filter;       // "Macro|*.mcr|Tous|*.*"
    int FilterIndex = 1;  // from 1
    QString DefaultExt;   // "mcr": added to a file name saved without an extension

    // Asks for a file; true when one was chosen (then in FileName, with the
    // default extension when it is saved and named without one).
    bool Execute();

private:
    Kind kind_;
};
