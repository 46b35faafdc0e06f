#pragma once
// Shared by the macro file, password and variable tests: a main window whose
// file dialogs, password question, priority and input box are answered here.
#include "platform/fake/FakePlatform.h"
#include "tests/support/TestServices.h"
#include "core/FileDialog.h"
#include "core/IgnoreMsg.h"
#include "core/MacroFile.h"
#include "core/Unit1.h"
#include "core/Unit32.h"
#include "core/Variables.h"
#include "core/WatchList.h"
#include "tests/support/TestSupport.h"
#include "tools/Unit23.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>

// An encoder written from the file format alone, to check the program against.
namespace golden {
inline int shift(int i) { return i % 5 == 0 ? 19 : i % 3 == 0 ? 14 : i % 2 == 0 ? 22 : 29; }

// One 277-byte record; the texts are Windows-1252 bytes.
inline QByteArray record(QByteArray keyword, QByteArray params, bool encode) {
    QByteArray r(277, '\0');
    auto put = [&](int offset, QByteArray s) {
        if (encode)
            for (int i = 0; i < s.size(); ++i) s[i] = char(quint8(s[i]) + shift(i + 1));
        r[offset] = char(s.size());
        std::copy(s.begin(), s.end(), r.begin() + offset + 1);
    };
    put(0, keyword);
    put(21, params);
    return r;
}

struct Decoded {
    QByteArray keyword, params;
};
// Every record of a file, decoded with the scheme when `decode`.
inline QVector<Decoded> read(const QByteArray& file, bool decode) {
    QVector<Decoded> out;
    for (int at = 0; at + 277 <= file.size(); at += 277) {
        auto get = [&](int offset) {
            QByteArray s = file.mid(at + offset + 1, quint8(file[at + offset]));
            if (decode)
                for (int i = 0; i < s.size(); ++i) s[i] = char(quint8(s[i]) - shift(i + 1));
            return s;
        };
        out.append({get(0), get(21)});
    }
    return out;
}
}  // namespace golden

class FilesTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        testServices().onChooseFile = [this](TFileDialog& d) {
            const QString name = d.kind() == TFileDialog::Open ? openAnswer : saveAnswer;
            dialogs << d.objectName();
            if (name.isEmpty()) return false;
            d.FileName = name;
            return true;
        };
        testServices().onModal = [this](QWidget& w) {
            auto* f = qobject_cast<TForm32*>(&w);
            if (!f) return;
            ++passwordQuestions;
            if (typedPassword.isNull()) return f->Button2Click();
            f->Edit1->setText(typedPassword);
            f->Button1Click();
        };
        testServices().onImportOtherLangText = [this](const QString& file, TListView*) { imported << file; };
    }
    void TearDown() override {
        OpenMacroFile().password.clear();
        OpenMacroFile().protectSourceOnly = false;
        StartMode().editOnOpen = StartMode().commandLineRun = false;
        TTabIgnoreMsg.clear();
        Variables().Clear();
        MainWindowTest::TearDown();
    }
    QString path(const QString& name) const { return home.filePath(name); }
    static void writeFile(const QString& name, const QByteArray& bytes) {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray readFile(const QString& name) {
        QFile f(name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Saves the main list as name.
    void saveAs(const QString& name) {
        form->SaveDialog1->FileName = name;
        form->Enregistrer1Click();
    }
    QStringList messageTexts() const {
        QStringList out;
        for (const MessageRequest& r : messages.shown) out << r.text;
        return out;
    }

    // The nice values given to the process, and the error the next one meets.
    static platform::FakePlatform& desk() { return static_cast<platform::FakePlatform&>(platform::desktop()); }
    QString openAnswer, saveAnswer;
    QStringList dialogs, imported;
    QString typedPassword;  // null: "Annuler"
    int passwordQuestions = 0;
};
