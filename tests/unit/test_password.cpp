#include "platform/Cp1252.h"
#include "tests/support/TestServices.h"
#include "tests/unit/test_macrofile_support.h"

#include <QCheckBox>
#include <QLabel>
#include <cerrno>
#include <cstring>

namespace {

using golden::record;

TEST(Crypte, FollowsTheShiftTableAndWraps) {
    // Positions 1..10 shift by 29 22 14 22 19 14 29 22 14 19.
    const QByteArray plain("\x00\x01\xF0\xFF\xED\xF2\x10\x20\x30\xFF", 10);
    const QByteArray expected("\x1D\x17\xFE\x15\x00\x00\x2D\x36\x3E\x12", 10);
    EXPECT_EQ(CrypteBytes(plain), expected);
    EXPECT_EQ(DecrypteBytes(expected), plain);
    EXPECT_EQ(TForm32::Crypte(QString()), QString());
    // Every byte value survives a round trip through the texts of the program.
    QByteArray all;
    for (int b = 0; b < 256; ++b) all += char(b);
    const QString text = platform::fromCp1252(all);
    EXPECT_EQ(TForm32::Decrypte(TForm32::Crypte(text)), text);
    EXPECT_EQ(TForm32::Crypte(text).size(), text.size());
}

class PasswordTest : public FilesTest {
protected:
    void setPassword(const QString& first, const QString& second) {
        form->Crypter1Click();
        Form32->Edit1->setText(first);
        Form32->Button1Click();
        ASSERT_EQ(Form32->Label1->text(), "Confirmation du mot de passe");
        Form32->Edit1->setText(second);
        Form32->Button1Click();
    }
};

TEST_F(PasswordTest, SettingAPasswordNeedsItsConfirmation) {
    OpenMacroFile().password = "old";
    setPassword("abc", "abd");
    EXPECT_EQ(messageTexts(), QStringList({"La confirmation du mot de passe n'est pas correcte, veuillez  renouveller "
                                           "l'opération."}));
    EXPECT_EQ(OpenMacroFile().password, "old");
    EXPECT_FALSE(Form32->isVisible());
    EXPECT_EQ(Form32->Label1->text(), "Mot de passe");

    messages.shown.clear();
    setPassword("abc", "abc");
    EXPECT_EQ(messageTexts(),
              QStringList({"Le cryptage de votre macro prendra effet lors de votre prochain enregistrement."}));
    EXPECT_EQ(OpenMacroFile().password, "abc");
    EXPECT_EQ(Form32->windowTitle(), "Cryptage d'une macro");
    EXPECT_TRUE(Form32->Edit1->text().isEmpty());

    // Twice empty: no protection from the next save on.
    setPassword("", "");
    EXPECT_EQ(OpenMacroFile().password, "");
}

TEST_F(PasswordTest, CancellingKeepsThePasswordInForce) {
    OpenMacroFile().password = "old";
    OpenMacroFile().protectSourceOnly = false;
    for (bool byTitleBar : {false, true}) {
        form->Crypter1Click();
        Form32->Label2Click();  // toggles the box
        EXPECT_TRUE(OpenMacroFile().protectSourceOnly);
        Form32->Edit1->setText("new");
        Form32->Button1Click();
        if (byTitleBar) Form32->close();
        else Form32->Button2Click();
        EXPECT_EQ(OpenMacroFile().password, "old");
        EXPECT_FALSE(OpenMacroFile().protectSourceOnly);
        EXPECT_EQ(Form32->Label1->text(), "Mot de passe");  // reopens at the first step
    }
}

TEST_F(PasswordTest, ValidationAnswersOneZeroOrTwo) {
    writeFile(path("p.mcr"), record("Info", "abc", true) + record("Infos", "False", true) +
                                 record("Type", "a;", true));
    writeFile(path("open.mcr"), record("Type", "a;", false));
    OpenMacroFile().password = "mine";
    EXPECT_EQ(TForm32::GetPass(path("p.mcr")), "abc");
    EXPECT_TRUE(TForm32::IsCrypted(path("p.mcr")));
    EXPECT_FALSE(TForm32::IsCrypted(path("open.mcr")));
    EXPECT_FALSE(TForm32::IsCrypted(path("none.mcr")));
    EXPECT_FALSE(TForm32::IsCryptedSourceOnly(path("p.mcr")));
    EXPECT_EQ(OpenMacroFile().password, "mine");

    EXPECT_EQ(Form32->Validation(path("open.mcr")), 1);
    EXPECT_EQ(passwordQuestions, 0);
    const std::vector<std::pair<QString, int>> cases = {{"abc", 1}, {"ab", 0}, {QString(), 2}};
    for (const auto& [typed, result] : cases) {
        typedPassword = typed;
        EXPECT_EQ(Form32->Validation(path("p.mcr")), result) << typed.toStdString();
        EXPECT_EQ(Form32->windowTitle(), "Decryptage d'une macro");
        EXPECT_FALSE(Form32->CheckBox1->isVisibleTo(Form32));
        EXPECT_TRUE(Form32->Edit1->text().isEmpty());
        EXPECT_FALSE(Form32->isVisible());
    }
    // Closing by the title bar counts as "Valider".
    testServices().onModal = [](QWidget& w) {
        auto& f = static_cast<TForm32&>(w);
        f.Edit1->setText("abc");
        f.close();
    };
    EXPECT_EQ(Form32->Validation(path("p.mcr")), 1);
    EXPECT_EQ(OpenMacroFile().password, "mine");
}

TEST_F(PasswordTest, TheBoxShowsTheFilesSourceOnlyFlag) {
    writeFile(path("s.mcr"), record("Info", "abc", true) + record("Infos", "True", true) + record("Type", "a;", true));
    form->StatusPanel[0]->setText(path("s.mcr"));
    form->Crypter1Click();
    EXPECT_TRUE(Form32->CheckBox1->isChecked());
    EXPECT_TRUE(OpenMacroFile().protectSourceOnly);
    EXPECT_EQ(Form32->Edit1->maxLength(), 12);
    EXPECT_EQ(Form32->Edit1->echoMode(), QLineEdit::Password);
    Form32->Button2Click();
}

TEST_F(PasswordTest, APriorityThatCannotBeSetIsReported) {
    desk().niceError = EPERM;
    Form23->ComboBox1->setCurrentIndex(1);
    Form23->ComboBox1Change(form);
    EXPECT_EQ(desk().nices.last(), -10);
    EXPECT_EQ(messageTexts(), QStringList({QString::fromLocal8Bit(std::strerror(EPERM)) + " (Priority [1])"}));
    const std::vector<std::pair<int, int>> table = {{1, -10}, {2, -10}, {3, 0}, {4, 19}, {5, 19}};
    desk().niceError = 0;
    for (auto [index, nice] : table) {
        Form23->ComboBox1->setCurrentIndex(index);
        Form23->ComboBox1Change(form);
        EXPECT_EQ(desk().nices.last(), nice) << index;
    }
    EXPECT_EQ(desk().realTimeRequests, 0);  // "Haute" is never the real-time class
    Form23->ComboBox1->setCurrentIndex(0);
    Form23->ComboBox1Change(form);
    EXPECT_EQ(desk().realTimeRequests, 1);
}

}  // namespace
