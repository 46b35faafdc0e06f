// The check pass, its check list, the ignored warnings and the error window.
#include "platform/fake/FakePlatform.h"
#include "core/KeyBoard.h"
#include "core/Settings.h"
#include "core/Erreurcompil.h"
#include "core/FileDialog.h"
#include "core/MacroFile.h"
#include "core/Unit29.h"
#include "platform/Cp1252.h"
#include "tests/unit/test_checker_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <stdexcept>

namespace {

const QString kValid = QStringLiteral("0|Valide|Aucune erreur, ni suggestion n'a été detectée");
const QString kUnusedX = QStringLiteral("La variable nommée X n'est pas utilisée.");

// Counts the times a window is shown.
class ShowCounter : public QObject {
public:
    explicit ShowCounter(QWidget* w) { w->installEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show) ++shown;
        return false;
    }
};

TEST_F(CheckerTest, EmptyMacroIsValid) {
    setRows({});
    EXPECT_TRUE(form->ControlAll(form->ListView1));
    EXPECT_EQ(checkList(), QStringList{kValid});
    EXPECT_EQ(image(0), 2);
    EXPECT_EQ(form->ListView2->currentItem(), form->ListView2->topLevelItem(0));
}

TEST_F(CheckerTest, DisabledCheckOnlySaysSo) {
    setRows({{"Bidule", "x"}});
    settings().CheckCommands = false;
    EXPECT_TRUE(form->ControlAll(form->ListView1));
    EXPECT_EQ(checkList(), QStringList{W(0, "Le contrôle des commandes est désactivé, pour le réactiver rendez vous dans "
                                             "les options, onglet contrôle, puis coché la case \"Contrôle des commandes "
                                             "avant chaque exécution\".")});
    EXPECT_EQ(image(0), 1);
}

TEST_F(CheckerTest, CommandLineRunWithoutErrorStopChecksNothing) {
    setRows({{"Bidule", "x"}});
    StartMode().commandLineRun = true;
    settings().CheckBeforeRun = false;
    EXPECT_TRUE(form->ControlAll(form->ListView1));
    EXPECT_TRUE(checkList().isEmpty());
    settings().CheckBeforeRun = true;
    EXPECT_FALSE(form->ControlAll(form->ListView1));
}

TEST_F(CheckerTest, TenBadRowsStopAfterTheNinthError) {
    QVector<QPair<QString, QString>> rows;
    for (int i = 0; i < 10; ++i) rows.append({QStringLiteral("Bidule"), QString()});
    setRows(rows);
    EXPECT_FALSE(form->ControlAll(form->ListView1));
    QStringList expected;
    for (int line = 1; line <= 9; ++line) expected << E(line, "<unknown>");
    expected << E(0, "Nombre d'erreur trop important.(Arrêt du contrôle des commandes)");
    EXPECT_EQ(checkList(), expected);
    EXPECT_EQ(Debug::ProgramCheckReport().ErrorCount, 10);
}

TEST_F(CheckerTest, RowWithTwoParameterErrorsCountsTwo) {
    setRows({{"Move Mouse", "5;800;Sideways;"}, {"Bidule", ""}, {"Bidule", ""}, {"Bidule", ""}, {"Bidule", ""},
             {"Bidule", ""}, {"Bidule", ""}, {"Bidule", ""}, {"Bidule", ""}});
    EXPECT_FALSE(form->ControlAll(form->ListView1));
    // 2 + 7 errors: the pass stops after row 8, before row 9.
    EXPECT_EQ(checkList().size(), 10);
    EXPECT_EQ(checkList().last(), E(0, "Nombre d'erreur trop important.(Arrêt du contrôle des commandes)"));
    EXPECT_FALSE(checkList().contains(E(9, "<unknown>")));
}

TEST_F(CheckerTest, BrokenVariableStopsThePass) {
    setRows({{"Variable", "X;0;"}, {"Bidule", ""}});
    EXPECT_FALSE(form->ControlAll(form->ListView1));
    EXPECT_EQ(checkList(), QStringList({E(1, "Nombre de paramètre invalide."),
                                        E(0, "Commande destructurée.(Arrêt du contrôle des commandes)")}));
    // The next pass starts clean.
    setRows({});
    EXPECT_TRUE(form->ControlAll(form->ListView1));
}

TEST_F(CheckerTest, WarningsDoNotFailThePass) {
    setRows({{"Variable", "X;0;Numerique;"}});
    EXPECT_TRUE(form->ControlAll(form->ListView1));
    EXPECT_EQ(checkList(), QStringList{W(1, kUnusedX)});
}

TEST_F(CheckerTest, IgnoredWarningDisappearsForEveryRowAndComesBack) {
    setRows({{"Variable", "X;0;Numerique;"}, {"Type", ""}, {"Type", ""}});
    form->ControlAll(form->ListView1);
    ASSERT_EQ(checkList().size(), 3);
    form->ListView2->setCurrentItem(form->ListView2->topLevelItem(1));  // "Commande inutile..." of line 2
    form->Ignorercetteavertissement1Click();
    EXPECT_EQ(checkList(), QStringList{W(1, kUnusedX)});
    ASSERT_EQ(TTabIgnoreMsg.size(), 1);
    EXPECT_EQ(TTabIgnoreMsg[0].Origin, "2");
    EXPECT_EQ(TTabIgnoreMsg[0].Message, "Commande inutile puisque aucun paramètre");
    EXPECT_TRUE(TTabIgnoreMsg[0].StillPresent);

    setRows({{"Variable", "X;0;Numerique;"}, {"Type", "x"}});  // no longer met
    form->ControlAll(form->ListView1);
    EXPECT_FALSE(TTabIgnoreMsg[0].StillPresent);

    setRows({{"Type", ""}});
    form->Restituerlesavertissementsignors1Click();
    EXPECT_TRUE(TTabIgnoreMsg.isEmpty());
    EXPECT_EQ(checkList(), QStringList{W(1, "Commande inutile puisque aucun paramètre")});
}

TEST_F(CheckerTest, IgnoredErrorNeitherListsNorFails) {
    setRows({{"Bidule", ""}});
    TTabIgnoreMsg.append({QStringLiteral("1"), QStringLiteral("<unknown>"), false});
    EXPECT_TRUE(form->ControlAll(form->ListView1));
    EXPECT_EQ(checkList(), QStringList{kValid});
    EXPECT_TRUE(TTabIgnoreMsg[0].StillPresent);
    EXPECT_EQ(Debug::ProgramCheckReport().ErrorCount, 0);
}

TEST_F(CheckerTest, IgnoredWarningIsSavedWithItsMacroOnly) {
    const QString mine = home.path() + QStringLiteral("/mine.mcr");
    const QString other = home.path() + QStringLiteral("/other.mcr");
    const QString useless = QStringLiteral("Commande inutile puisque aucun paramètre");
    setRows({{"Type", ""}});
    form->SaveDialog1->FileName = other;
    form->SaveMacro(nullptr);

    setRows({{"Type", ""}, {"Variable", "X;0;Numerique;"}});
    form->ControlAll(form->ListView1);
    form->ListView2->setCurrentItem(form->ListView2->topLevelItem(0));
    form->Ignorercetteavertissement1Click();
    form->SaveDialog1->FileName = mine;
    form->SaveMacro(nullptr);

    TTabIgnoreMsg.clear();
    ASSERT_EQ(form->OpenFileMacro(mine, form->ListView1, QString(), -1), 2);
    ASSERT_EQ(TTabIgnoreMsg.size(), 1);
    EXPECT_EQ(TTabIgnoreMsg[0].Origin, "1");
    EXPECT_EQ(TTabIgnoreMsg[0].Message, useless);
    EXPECT_EQ(checkList(), QStringList{W(2, kUnusedX)});

    ASSERT_EQ(form->OpenFileMacro(other, form->ListView1, QString(), -1), 1);
    EXPECT_TRUE(TTabIgnoreMsg.isEmpty());
    EXPECT_EQ(checkList(), QStringList{W(1, useless)});
}

TEST_F(CheckerTest, ProgressWindowAbove300Rows) {
    ASSERT_NE(Form29, nullptr);
    ShowCounter counter(Form29);
    QVector<QPair<QString, QString>> rows(300, {QStringLiteral("Type"), QStringLiteral("x")});
    setRows(rows);
    EXPECT_TRUE(form->ControlAll(form->ListView1));
    EXPECT_EQ(counter.shown, 0);
    rows.append({QStringLiteral("Type"), QStringLiteral("x")});
    setRows(rows);
    EXPECT_TRUE(form->ControlAll(form->ListView1));
    EXPECT_EQ(counter.shown, 1);
    EXPECT_FALSE(Form29->isVisible());
    EXPECT_EQ(checkList(), QStringList{kValid});
}

TEST_F(CheckerTest, EscapeInTheProgressWindowFailsThePass) {
    QVector<QPair<QString, QString>> rows(400, {QStringLiteral("Type"), QStringLiteral("x")});
    setRows(rows);
    // Escape arrives while the pass pumps events.
    QTimer::singleShot(0, Form29, [] {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(Form29, &esc);
    });
    EXPECT_FALSE(form->ControlAll(form->ListView1));
    EXPECT_EQ(checkList(), QStringList{W(0, "Progression \"Vérification des commandes en cours. Veuillez patienter "
                                            "SVP.\" stoppé par l'utilisateur.")});
}

TEST_F(CheckerTest, SortsAsTextAndFlips) {
    QVector<QPair<QString, QString>> rows(10, {QStringLiteral("Type"), QStringLiteral("x")});
    rows[1].second.clear();
    rows[9].second.clear();
    setRows(rows);
    form->ControlAll(form->ListView1);
    form->ListView2ColumnClick(0);
    EXPECT_EQ(form->ListView2->topLevelItem(0)->text(0), "10");
    EXPECT_EQ(form->ListView2->topLevelItem(1)->text(0), "2");
    form->ListView2ColumnClick(0);
    EXPECT_EQ(form->ListView2->topLevelItem(0)->text(0), "2");
}

TEST_F(CheckerTest, DoubleClickSelectsTheCommand) {
    QVector<QPair<QString, QString>> rows(14, {QStringLiteral("Type"), QStringLiteral("x")});
    rows[11].second.clear();
    setRows(rows);
    form->ControlAll(form->ListView1);
    form->ListView2->setCurrentItem(form->ListView2->topLevelItem(0));
    form->ListView2DblClick();
    EXPECT_EQ(form->ListView1->selectedRows(), QList<int>{11});
    setRows(rows.mid(0, 3));
    form->ControlAll(form->ListView1);  // the "Valide" row selects the first command
    form->ListView2DblClick();
    EXPECT_EQ(form->ListView1->selectedRows(), QList<int>{0});
}

TEST_F(CheckerTest, OtherListsShowSourceAndLine) {
    TMacroDocument hidden;
    hidden.add({QStringLiteral("Bidule"), QString()});
    Debug::ProgramCheckReport().Clear();
    EXPECT_FALSE(Debug::CheckCommand(hidden, QStringLiteral("Bidule"), QString(), 5, 2, Debug::ProgramCheckReport()));
    EXPECT_EQ(checkList(), QStringList{QStringLiteral("5") + QLocale::system().decimalPoint() + QStringLiteral("3|Erreur|<unknown>")});
}

TEST_F(CheckerTest, ClickCountsComeFromTheCheckedList) {
    setRows({{"Click", "Left Down;"}});  // the main list is unbalanced, the other one is not
    TMacroDocument other;
    other.add({QStringLiteral("Click"), QStringLiteral("Left Down;")});
    other.add({QStringLiteral("Click"), QStringLiteral("Left Up;")});
    Debug::ProgramCheckReport().Clear();
    EXPECT_TRUE(Debug::CheckCommand(other, QStringLiteral("Click"), QStringLiteral("Left Down;"), 1, 0, Debug::ProgramCheckReport()));
    EXPECT_TRUE(checkList().isEmpty());
}

TEST_F(CheckerTest, TypeSpecialAllowsThreeKeysAndAKeyState) {
    // The key-combination dialog's buttons name the keys.
    QWidget* keys = Window(4);
    ASSERT_NE(keys, nullptr);
    for (int n = 1; n <= 110; ++n) {
        const QString name = QStringLiteral("SpeedButton%1").arg(n);
        if (!keys->findChild<QAbstractButton*>(name)) {
            auto* b = new QToolButton(keys);
            b->setObjectName(name);
            b->setText(QStringLiteral("K%1").arg(n));
        }
    }
    QStringList names;
    for (const QString& k : KeyNames())
        if (!k.isEmpty() && !names.contains(k)) names << k;
    ASSERT_GE(names.size(), 4);
    const QString k1 = names[0], k2 = names[1], k3 = names[2], k4 = names[3];
    const QString four = QStringLiteral("Le nombre maximal est 3 touches simultanées.");
    const QVector<QPair<QString, QStringList>> cases = {
        {k1 + ';' + k2 + ';' + k3 + ';' + k4 + ';', {W(1, four)}},
        {k1 + ';' + k2 + ";[KeyDown];", {}},
        {k1 + ';' + k2 + ';' + k3 + ";[KeyUp];", {}},
        {QStringLiteral("Nope;") + k1 + ';',
         {E(1, QStringLiteral("Le paramètre 1 de la commande \"Type special\" doit être de type suivant [%1].")
                   .arg(KeyNames().join(QStringLiteral(", "))))}},
        {k1 + QStringLiteral(";[KeyUp];") + k2 + ';',
         {E(1, QStringLiteral("Le paramètre 2 de la commande \"Type special\" doit être de type suivant [%1].")
                   .arg(KeyNames().join(QStringLiteral(", "))))}},
    };
    for (const auto& [params, found] : cases) {
        setRows({{"Type Special", params}});
        checkRow(0);
        EXPECT_EQ(checkList(), found) << params.toStdString();
    }
}

TEST_F(CheckerTest, DisplayTestOutcomes) {
    setRows({{"Outil Affichage", "Fréquence;60;"}});
    const QVector<QPair<int, QString>> codes = {
        {0, QString()},
        {-2, "Le mode Graphique n'est pas supporté."},
        {-1, "Le test de changement de Fréquence a echoué."},
        {1, "Votre configuration demande un redémarrage du PC, il n'est donc pas possible d'exécuter cette commande."},
    };
    auto& desktop = static_cast<platform::FakePlatform&>(platform::desktop());
    for (const auto& [code, message] : codes) {
        desktop.calls.clear();
        desktop.frequencyResult = code;
        EXPECT_EQ(checkRow(0), code == 0);
        EXPECT_EQ(desktop.calls, QStringList{"ChangeDisplayFrequency 60 test"});
        EXPECT_EQ(checkList(), message.isEmpty() ? QStringList() : QStringList{E(1, message)});
    }
}

TEST_F(CheckerTest, PluginChecks) {
    struct Case {
        bool hasCheck, ok;
        QString message;
        QStringList found;
    };
    const QVector<Case> cases = {
        {false, false, "ignored", {}},
        {true, true, "", {}},
        {true, true, "Conseil", {W(1, "Conseil")}},
        {true, false, "Mauvais", {E(1, "Mauvais")}},
        {true, false, "", {E(1, "Le contrôle de la commande Bidule a échoué.")}},
    };
    setRows({{"Bidule", "p;"}});
    QString seen;
    testServices().onPluginKnown = [](const QString& k) { return k == QLatin1String("Bidule"); };
    for (const Case& c : cases) {
        testServices().onCheckPluginRow = [&](const QString&, const QString& params) {
            seen = params;
            return PluginCheck{c.hasCheck, c.ok, c.message};
        };
        EXPECT_EQ(checkRow(0), c.ok || !c.hasCheck);
        EXPECT_EQ(seen, "p;");
        EXPECT_EQ(checkList(), c.found);
    }
    testServices().onCheckPluginRow = [](const QString&, const QString&) -> PluginCheck {
        throw std::runtime_error("plug-in fault");
    };
    EXPECT_FALSE(checkRow(0));
    EXPECT_EQ(checkList(), QStringList{E(1, "Le contrôle de la commande Bidule a échoué.")});
}

TEST_F(CheckerTest, CheckTabRunsTheCheck) {
    setRows({{"Bidule", ""}});
    form->PageControl1->setCurrentWidget(form->TabSheet1);
    Debug::ProgramCheckReport().Clear();
    form->PageControl1Change();
    EXPECT_EQ(checkList(), QStringList{E(1, "<unknown>")});
    setRows({});
    form->Rafr1Click();
    EXPECT_EQ(checkList(), QStringList{kValid});
}

// --- The error window ---

using ErrorWindowTest = CheckerTest;

TEST_F(ErrorWindowTest, ListsErrorsAndTheAuthor) {
    setRows({{"Variable", "[MACRO.MAIL];dev@example.org;Alpha;"}, {"Bidule", ""}, {"Type", ""}});
    form->ControlAll(form->ListView1);
    bool waited = false;
    testServices().onModal = [&](QWidget& window) {
        auto& w = static_cast<TForm35&>(window);
        waited = true;
        EXPECT_EQ(w.Label2->text(), "dev@example.org");
        EXPECT_EQ(w.Memo1->toPlainText(), "2\tErreur\t<unknown>");
        EXPECT_TRUE(w.Memo1->isHidden());
        EXPECT_EQ(w.height(), 120);
        w.Button2Click();
        EXPECT_FALSE(w.Memo1->isHidden());
        EXPECT_EQ(w.height(), 375);
        EXPECT_EQ(w.Button2->text(), "Cacher");
        w.Button2Click();
        EXPECT_EQ(w.Button2->text(), "Consulter");
    };
    Form35->ShowModal();
    EXPECT_TRUE(waited);
    EXPECT_EQ(Form35->Label1->text(),
              "Cette macro comportent des erreurs, prennez contact avec le concepteur de la macro.");
}

TEST_F(ErrorWindowTest, MailAddressIsEncoded) {
    Form35->Label2->setText(QStringLiteral("a b@x.org?cc=evil@y.org&bcc=z"));
    Form35->Label2Click();
    ASSERT_EQ(testServices().openedUrls.size(), 1);
    const QUrl opened = testServices().openedUrls[0];
    EXPECT_EQ(opened.toEncoded(), "mailto:a%20b@x.org%3Fcc%3Devil@y.org%26bcc%3Dz?subject=Macro%20error&body=%20");
    EXPECT_EQ(opened.path(), "a b@x.org?cc=evil@y.org&bcc=z");
}

TEST_F(ErrorWindowTest, SavesTheErrorLines) {
    setRows({{"Bidule", ""}, {"Type", "x"}, {"Goto", "Zéro"}});
    form->ControlAll(form->ListView1);
    Form35->ShowModal();
    const QString file = home.path() + QStringLiteral("/erreurs");
    testServices().onChooseFile = [&](TFileDialog& d) {
        EXPECT_EQ(d.Filter, "Fichiers texte (*.txt)|*.txt");
        d.FileName = file;
        return true;
    };
    Form35->Button1Click();
    QFile saved(file + QStringLiteral(".txt"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(platform::fromCp1252(saved.readAll()),
              "1\tErreur\t<unknown>\r\n3\tErreur\tLe Label nommé Zéro n'existe pas.\r\n");
}

}  // namespace
