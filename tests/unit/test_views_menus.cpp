// The main window's menus, status bar, comment rows, list painting and hints,
// printing and text copies.
#include "tests/support/TestServices.h"
#include "tests/unit/test_history_fixture.h"

#include "core/ActionIcons.h"
#include "core/CommentRows.h"
#include "core/CplBrd.h"
#include "core/Description.h"
#include "core/FileDialog.h"
#include "core/Form.h"
#include "core/ListViews.h"
#include "core/MacroFileRecord.h"
#include "core/Print.h"
#include "core/RunState.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/Variables.h"
#include "core/WatchList.h"
#include "platform/Cp1252.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"

#include "core/BalloonTip.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QToolButton>
#include <QDir>
#include <QLineEdit>
#include <QTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>

namespace {

// The object names of a menu's items in order (a sub-menu by its own name), separators left out.
QStringList itemNames(const QWidget* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) continue;
        out << (a->menu() ? a->menu()->objectName() : a->objectName());
    }
    return out;
}

class ViewsMenuTest : public EditingTest {
protected:
    QMenu* menu(const char* name) const { return form->findChild<QMenu*>(QLatin1String(name)); }
    void open(QMenu* m) { emit m->aboutToShow(); }
    void close(QMenu* m) { emit m->aboutToHide(); }
    // The next input box answers with text (none: it is closed).
    void answer(std::optional<QString> text) {
        testServices().onAskText = [this, text](const QString& caption, const QString& prompt, QString& t, bool) {
            asked << caption + '|' + prompt;
            if (text) t = *text;
            return text.has_value();
        };
    }
    // Prints go to this PDF file.
    QString printToPdf() {
        const QString pdf = home.filePath("out.pdf");
        testServices().onChoosePrinter = [pdf](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            return true;
        };
        return pdf;
    }
    static QString pdfText(const QString& pdf) {
        QProcess p;
        p.start("pdftotext", {"-layout", pdf, "-"});
        p.waitForFinished(20000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    QStringList asked;
};

// --- Menus ---

TEST_F(ViewsMenuTest, TheMainMenuIsInItsOrder) {
    EXPECT_EQ(itemNames(form->menuBar()), QStringList({"Macro1", "Edition1", "Executer1", "Outils1", "Aide1"}));
    EXPECT_EQ(form->menuBar()->actions().first()->text(), "&Macro");
    EXPECT_EQ(itemNames(menu("Macro1")),
              QStringList({"Nouveau1", "Ouvrir1", "Enregistrer1", "Enregistersous1", "Recents1", "Options1",
                           "Imprimer1", "Crypter1", "Quitter1", "Aperuavantimpression1", "Exporterversexecutable1",
                           "ExporterversOtherLangage1"}));
    EXPECT_EQ(itemNames(menu("Edition1")),
              QStringList({"Dfaire1", "Refaire1", "Modificattion1", "Editer1", "Mode1", "Couper2", "Copier2",
                           "Copierauformat1", "Coller2", "Collerapartirduntextesimple1", "Supprimer1", "Rechercher2",
                           "Occurencesuivante1", "Remplacer1", "Inclusion1", "N2"}));
    EXPECT_EQ(itemNames(menu("Mode1")), QStringList({"Edition2", "Insertion1"}));
    EXPECT_EQ(itemNames(menu("Executer1")),
              QStringList({"Execute1", "Paspas1", "Stop1", "Pointdarrt1", "Reprendrelexcution1",
                           "Sauvegardeducontextedexcution1"}));
    EXPECT_EQ(itemNames(menu("Outils1")),
              QStringList({"Dtailcommandes1", "Enregistrerunesequence1", "Spy1", "RechercherObjet1", "mesoutils1",
                           "Gestionnairedetche1", "Gestiondesnouvellecommandes1", "valuer2"}));
    EXPECT_EQ(itemNames(menu("Aide1")), QStringList({"Consulter1", "Rechercher3", "Apropos1"}));
    EXPECT_EQ(itemNames(menu("PopupMenu1")),
              QStringList({"Monterdunniveau1", "Descendredunniveau1", "Couper1", "Copier1", "Coller1", "Supprimer2",
                           "Insereruncommentaire1", "MiseenForme1", "Miseencommentaireprovisoirement1", "valuer1",
                           "Rechercherladclaration1"}));
    EXPECT_EQ(itemNames(menu("Copierauformat1")), QStringList({"phpBB1", "HTML1", "OtherLangEditor1"}));
    EXPECT_EQ(itemNames(menu("Miseencommentaireprovisoirement1")), QStringList({"Activer1", "Dsactiver1"}));
    // Arranging again changes nothing.
    form->ArrangeMainMenu();
    EXPECT_EQ(itemNames(menu("Outils1")).size(), 8);
}

TEST_F(ViewsMenuTest, EntriesThatActOnTheMacroAndTheRunShowTheirPictures) {
    const std::pair<const char*, const char*> pictured[] = {
        {"Nouveau1", "new"},   {"Ouvrir1", "open"},         {"Enregistrer1", "save"}, {"Enregistersous1", "save-as"},
        {"Options1", "options"}, {"Imprimer1", "print"},    {"Dfaire1", "undo"},      {"Refaire1", "redo"},
        {"Couper2", "cut"},    {"Copier2", "copy"},         {"Coller2", "paste"},     {"Supprimer1", "delete"},
        {"Remplacer1", "replace"}, {"Execute1", "run"},     {"Paspas1", "step"},      {"Stop1", "stop"},
        {"Pointdarrt1", "breakpoint"}, {"Enregistrerunesequence1", "recorder"}, {"Spy1", "spy"},
        {"RechercherObjet1", "window-list"}, {"Gestiondesnouvellecommandes1", "plugins"}, {"valuer2", "evaluate"},
        {"Consulter1", "help"}, {"Apropos1", "about"},      {"Couper1", "cut"},       {"Copier1", "copy"},
        {"Coller1", "paste"},  {"Supprimer2", "delete"},    {"valuer1", "evaluate"},
    };
    for (const auto& [item, picture] : pictured) {
        auto* a = form->findChild<QAction*>(QLatin1String(item));
        ASSERT_TRUE(a) << item;
        EXPECT_EQ(a->icon().cacheKey(), ActionIcon(picture).cacheKey()) << item;
    }
    EXPECT_EQ(menu("Rechercher2")->icon().cacheKey(), ActionIcon("find").cacheKey());
    // The list's buttons show their pictures alone, their texts as tool tips.
    const std::pair<const char*, const char*> buttons[] = {
        {"SpeedButton106", "cut"},    {"SpeedButton107", "copy"},     {"SpeedButton108", "paste"},
        {"SpeedButton109", "delete"}, {"SpeedButton110", "evaluate"}, {"SpeedButton111", "breakpoint"},
        {"SpeedButton25", "undo"},    {"SpeedButton23", "redo"},      {"SpeedButton103", "run"},
        {"SpeedButton29", "pause"},   {"SpeedButton105", "stop"},
    };
    for (const auto& [name, picture] : buttons) {
        auto* b = form->findChild<QToolButton*>(QLatin1String(name));
        ASSERT_TRUE(b) << name;
        EXPECT_EQ(b->icon().cacheKey(), ActionIcon(picture).cacheKey()) << name;
        EXPECT_EQ(b->toolButtonStyle(), Qt::ToolButtonIconOnly) << name;
        EXPECT_EQ(b->iconSize(), QSize(24, 24)) << name << ": the tool bar's size";
        EXPECT_FALSE(b->text().isEmpty()) << name;
        EXPECT_TRUE(b->toolTip().startsWith(b->text())) << name;  // a run button adds its hotkey
    }
}

TEST_F(ViewsMenuTest, MenuEntriesOpenTheirWindows) {
    form->Options1->trigger();
    QWidget* options = MadeWindow(19);
    ASSERT_TRUE(options && options->isVisible());
    EXPECT_EQ(options->windowTitle(), "Options de Orvanel");
    EXPECT_FALSE(options->findChild<QPushButton*>("Button6")->isEnabled());  // a new macro has no file yet
    options->hide();
    form->StatusPanel[0]->setText(home.filePath("m.mcr"));
    form->Options1->trigger();
    EXPECT_TRUE(options->findChild<QPushButton*>("Button6")->isEnabled());
    options->hide();

    form->Gestionnairedetche1->trigger();
    auto* pages = options->findChild<QTabWidget*>("PageControl1");
    EXPECT_TRUE(options->isVisible());
    EXPECT_EQ(pages->currentWidget()->objectName(), "TabSheet7");

    for (auto [item, number] : {std::pair{form->Spy1, 16}, {form->RechercherObjet1, 17}, {form->Apropos1, 23}}) {
        item->trigger();
        ASSERT_TRUE(MadeWindow(number)) << number;
        EXPECT_TRUE(MadeWindow(number)->isVisible()) << number;
    }
    form->Enregistrerunesequence1->trigger();
    QWidget* recorder = MadeWindow(28);
    ASSERT_TRUE(recorder);
    EXPECT_TRUE(recorder->isVisible());
    EXPECT_EQ(recorder->windowTitle(), "Capture séquence");
}

TEST_F(ViewsMenuTest, ConsulterOpensTheHelpFileOrSaysItIsMissing) {
    form->Consulter1->trigger();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Erreur: Vérifiez la présence du fichier .chm dans le dossier de Orvanel.");
    QFile help(platform::programFile(kHelpFileName));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    QString opened;
    testServices().onOpenDocument = [&](const QString& path, const QString&) {
        opened = path;
        return true;
    };
    form->Consulter1->trigger();
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(opened.endsWith(kHelpFileName));
}

TEST_F(ViewsMenuTest, OpeningMenusPreparesTheirItemsAndClosingGivesShortcutsBack) {
    QMenu* macro = menu("Macro1");
    open(macro);
    EXPECT_FALSE(form->Crypter1->isEnabled());  // no file yet
    close(macro);

    QMenu* edition = menu("Edition1");
    QFile::remove(CplBrd::ClipboardFileName());
    platform::desktop().SetClipboardText(QString());
    open(edition);
    EXPECT_FALSE(form->Coller2->isEnabled());
    EXPECT_FALSE(form->Collerapartirduntextesimple1->isEnabled());
    EXPECT_FALSE(form->Modificattion1->isEnabled() && form->PageControl1->isTabVisible(form->PageControl1->indexOf(form->TabSheet5)));
    close(edition);
    EXPECT_TRUE(form->Coller2->isEnabled());  // Ctrl+V works once rows are copied
    EXPECT_TRUE(form->Collerapartirduntextesimple1->isEnabled());
    platform::desktop().SetClipboardText("Pause\t00:00:01");
    open(edition);
    EXPECT_TRUE(form->Collerapartirduntextesimple1->isEnabled());
    close(edition);

    QMenu* tools = menu("Outils1");
    open(tools);
    EXPECT_FALSE(form->Gestionnairedetche1->isVisible());  // no scheduler beside the program
    EXPECT_TRUE(form->valuer2->isChecked());
    close(tools);
}

TEST_F(ViewsMenuTest, TheListPopUpFollowsTheSelection) {
    setRows({{"Commentaire", "x"}, {"Procedure", "CALL p"}, {"Variable", "V;0;Numerique;"}, {"Pause", "00:00:01"}});
    QMenu* popup = menu("PopupMenu1");
    struct Case {
        QList<int> rows;
        bool cut, format, declaration, watch;
    };
    const Case cases[] = {
        {{}, false, false, false, false},   {{0}, true, true, false, false}, {{1}, true, false, true, false},
        {{2, 3}, true, false, false, true}, {{3}, true, false, false, false},
    };
    for (const Case& c : cases) {
        form->ListView1->clearSelection();
        for (int r : c.rows) form->ListView1->setSelected(r, true);
        open(popup);
        EXPECT_EQ(form->Couper1->isEnabled(), c.cut) << c.rows.size();
        EXPECT_EQ(form->MiseenForme1->isVisible(), c.format);
        EXPECT_EQ(form->Rechercherladclaration1->isVisible(), c.declaration);
        EXPECT_EQ(form->valuer1->isVisible(), c.watch);
        close(popup);
    }
}

TEST_F(ViewsMenuTest, SelectAllSelectsTheRows) {
    setRows({{"Pause", "00:00:01"}, {"Pause", "00:00:02"}, {"Pause", "00:00:03"}});
    form->N2->trigger();
    EXPECT_EQ(form->ListView1->selCount(), 3);
}

// --- Status bar ---

TEST_F(ViewsMenuTest, TheLinePanelFollowsRowsAndSelection) {
    setRows({{"Pause", "1"}, {"Pause", "2"}, {"Pause", "3"}, {"Pause", "4"}, {"Pause", "5"}});
    form->ListView1->clearSelection();
    EXPECT_EQ(form->StatusPanel[3]->text(), "Ligne 0/5");
    TForm1::Select_unique(form->ListView1, 1);
    EXPECT_EQ(form->StatusPanel[3]->text(), "Ligne 2/5");
    form->Add_commande(form->ListView1, {"Pause", "6"});
    EXPECT_EQ(form->StatusPanel[3]->text(), "Ligne 2/6");
    EXPECT_EQ(form->StatusPanel[3]->toolTip(), "Double-cliquez ici pour changer la commande sélectionnée.");
}

TEST_F(ViewsMenuTest, PanelsAtPositions) {
    form->FormResize();
    QApplication::processEvents();
    for (int i = 0; i < 4; ++i) {
        const QRect g = form->StatusPanel[i]->geometry();
        EXPECT_EQ(form->StatusPanelAt(g.center().x()), i);
    }
    EXPECT_EQ(form->StatusPanelAt(form->StatusPanel[3]->geometry().right() + 1), -1);
}

TEST_F(ViewsMenuTest, GoToLineSelectsTheRowOrSaysWhy) {
    setRows({{"Pause", "1"}, {"Pause", "2"}, {"Pause", "3"}});
    const int x = form->StatusPanel[3]->geometry().center().x();
    answer(" 2 ");
    form->StatusBar1DblClick(x);
    EXPECT_EQ(asked, QStringList({"Aller à la ligne|Numéro de ligne"}));
    EXPECT_EQ(form->ListView1->selectedRows(), QList<int>({1}));
    struct Case {
        std::optional<QString> entry;
        QString message;
    };
    const Case cases[] = {{"4", "Numéro de ligne hors limite."}, {"0", "Numéro de ligne hors limite."},
                          {"deux", "Numéro de ligne invalide."},  {"2.5", "Numéro de ligne invalide."},
                          {"", ""},                                {std::nullopt, ""}};
    for (const Case& c : cases) {
        messages.shown.clear();
        answer(c.entry);
        form->StatusBar1DblClick(x);
        EXPECT_EQ(messages.shown.isEmpty() ? QString() : messages.shown[0].text, c.message) << c.entry.value_or("-").toStdString();
        EXPECT_EQ(form->ListView1->selectedRows(), QList<int>({1}));
    }
    // Not while a macro runs.
    asked.clear();
    RunState().ExecState = 1;
    form->StatusBar1DblClick(x);
    RunState().ExecState = 0;
    EXPECT_TRUE(asked.isEmpty());
}

TEST_F(ViewsMenuTest, ADoubleClickOnTheLanguageOpensTheOptions) {
    form->StatusBar1DblClick(form->StatusPanel[2]->geometry().center().x());
    QWidget* options = MadeWindow(19);
    ASSERT_TRUE(options && options->isVisible());
    ASSERT_TRUE(form->BalloonTip);
    auto* tip = form->BalloonTip.data();
    EXPECT_EQ(tip->title(), "Information");
    EXPECT_EQ(tip->text(), "Sélectionnez un autre langage.");
    EXPECT_TRUE(tip->isVisible());  // shown beside the options, which are not held up by it
    EXPECT_TRUE(options->findChild<QWidget*>("ComboBox3")->isVisible());
}

// --- Comment rows ---

TEST(CommentRows, CommentedOutAndBack) {
    const MacroCommand rows[] = {
        {"Pause", "00:00:01", 6}, {"Type", "a{b}c", 0}, {"Type Special", "Ctrl;", 4}, {"Quitter", "", 14}};
    for (const MacroCommand& row : rows) {
        const std::optional<MacroCommand> back = RestoredFromComment(CommentedOut(row));
        ASSERT_TRUE(back) << row.keyword.toStdString();
        EXPECT_EQ(*back, row);
    }
    EXPECT_EQ(CommentedOut({"Pause", "00:00:01", 6}), "// Pause {00:00:01}");
    for (const char* text : {"// sans accolade", "Pause {x}", "// {x}", "// Pause {x", "// UnMotClefBeaucoupTropLong {x}"})
        EXPECT_FALSE(RestoredFromComment(text)) << text;
}

TEST(CommentRows, StarsFillTheColumnButNeverTheRow) {
    const QFontMetrics m(QFont("DejaVu Sans", 9));
    const QString framed = FramedWithStars("abc", 400, m);
    const int n = ((400 - m.horizontalAdvance("abc")) / m.horizontalAdvance('*') - 4) / 2;
    ASSERT_GT(n, 0);
    EXPECT_EQ(framed, QString(n, '*') + " abc " + QString(n, '*'));
    EXPECT_EQ(FramedWithStars("abc", 10, m), " abc ");  // wider than the column: no stars
    EXPECT_LE(FramedWithStars(QString(240, 'x'), 100000, m).size(), 255);
}

TEST_F(ViewsMenuTest, CommentOutAndRestoreGiveTheSameRowsAndUndoRestoresThem) {
    setRows({{"Pause", "00:00:01"}, {"Type", "a{b}c;"}, {"Move Mouse", "10;20;Direct;"}});
    form->ResetHistory(HistoryAction::NewMacro);
    const QVector<MacroCommand> original = form->ListView1->items().rows();
    select({0, 1});
    form->Activer1->trigger();
    EXPECT_EQ(rowTexts(), QStringList({"Commentaire|// Pause {00:00:01}", "Commentaire|// Type {a{b}c;}",
                                       "Move Mouse|10;20;Direct;"}));
    EXPECT_EQ(form->ListView1->icon(0), 15);
    form->Dsactiver1->trigger();
    EXPECT_EQ(form->ListView1->items().rows(), original);
    // Undo: back over the restore, then over the comment-out.
    form->SpeedButton26Click();
    EXPECT_EQ(form->ListView1->keyword(1), "Commentaire");
    form->SpeedButton26Click();
    EXPECT_EQ(form->ListView1->items().rows(), original);
    form->SpeedButton27Click();  // redo the comment-out
    EXPECT_EQ(form->ListView1->params(0), "// Pause {00:00:01}");
    EXPECT_EQ(form->ListView1->icon(0), 15);
}

TEST_F(ViewsMenuTest, OneRowCommentedOutIsUndoneByOneUndo) {
    setRows({{"Pause", "00:00:01"}});
    form->ResetHistory(HistoryAction::NewMacro);
    select({0});
    form->Activer1->trigger();
    form->Dfaire1->trigger();
    EXPECT_EQ(rowTexts(), QStringList({"Pause|00:00:01"}));
    EXPECT_EQ(form->ListView1->icon(0), 6);
    form->Refaire1->trigger();
    EXPECT_EQ(rowTexts(), QStringList({"Commentaire|// Pause {00:00:01}"}));
}

TEST_F(ViewsMenuTest, ARowTooLongToCommentOutStaysAsItIs) {
    const QString params(250, 'x');
    setRows({{"Type", params}, {"Pause", "00:00:01"}});
    select({0, 1});
    form->Activer1->trigger();
    EXPECT_EQ(rowTexts(), QStringList({"Type|" + params, "Commentaire|// Pause {00:00:01}"}));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains("Ligne(s) 1 "));
}

TEST_F(ViewsMenuTest, FormattingACommentIsUndoable) {
    setRows({{"Commentaire", "titre"}, {"Pause", "00:00:01"}});
    form->ResetHistory(HistoryAction::NewMacro);
    select({0});
    form->MiseenForme1->trigger();
    const QString framed = form->ListView1->params(0);
    EXPECT_TRUE(framed.startsWith("*") && framed.contains(" titre ") && framed.endsWith("*")) << framed.toStdString();
    EXPECT_FALSE(RowEditing().modifying);
    form->Dfaire1->trigger();
    EXPECT_EQ(form->ListView1->params(0), "titre");
}

// --- Painting, indentation, hints ---

TEST(ListViews, IndentsUnderExamine) {
    TListView list;
    for (const char* k : {"Examine", "Label", "Examine", "Pause", "Pause", "Goto", "Pause"}) list.add({k, "", 0});
    EXPECT_EQ(ListIndents(list), QVector<int>({0, 2, 2, 4, 4, -1, 0}));
}

TEST_F(ViewsMenuTest, RowColours) {
    settings().CommandColors = {{"Pause", 0x0000FF}, {"Type", 0x00FF00}};
    setRows({{"Pause", ""}, {"Examine", ""}, {"Pause", ""}, {"Type", ""}, {"Pause", ""}, {"Click", ""}});
    const QColor expected[] = {Qt::red, QColor(), Qt::white, Qt::white, Qt::red, QColor()};
    for (int r = 0; r < 6; ++r) EXPECT_EQ(RowColour(*form->ListView1, r), expected[r]) << r;
    settings().CommandColors << TOrderColor{"Examine", 0xFF0000};
    EXPECT_EQ(RowColour(*form->ListView1, 2), QColor(Qt::blue));
}

TEST_F(ViewsMenuTest, RowsArePaintedInTheirColours) {
    settings().CommandColors = {{"Pause", 0x0000FF}};
    setRows({{"Pause", "00:00:01"}, {"Commentaire", "Un commentaire"}, {"Type", "x"}});
    form->ListView1->clearSelection();
    QApplication::processEvents();
    const QImage image = form->ListView1->viewport()->grab().toImage();
    const QRect pause = form->ListView1->visualRect(form->ListView1->items().index(0, 1));
    EXPECT_EQ(image.pixelColor(pause.right() - 2, pause.center().y()), QColor(Qt::red));
    // The comment row shows no command, only its text.
    const QRect comment = form->ListView1->visualRect(form->ListView1->items().index(1, 0));
    bool blank = true;
    for (int x = comment.left(); x < comment.right(); ++x)
        for (int y = comment.top(); y < comment.bottom(); ++y) blank &= image.pixelColor(x, y) == image.pixelColor(comment.topLeft());
    EXPECT_TRUE(blank);
}

TEST_F(ViewsMenuTest, HintsWhileSteppingShowValuesAndConditions) {
    setRows({{"Variable", "N;5;Numerique;"}, {"Variable", "[PASSWORD];x;Alpha;"}, {"Examine", "N;=;5;"},
             {"Examine", "N;=;6;"}});
    form->WriteVariable("VAR", "N", "5");
    EXPECT_EQ(ListHint(*form->ListView1, 0), "");  // idle
    for (int state : {2, 4}) {
        RunState().ExecState = state;
        EXPECT_EQ(ListHint(*form->ListView1, 0), "N = 5");
        EXPECT_EQ(ListHint(*form->ListView1, 1), "Valeur inaccessible");
        EXPECT_EQ(ListHint(*form->ListView1, 2), "Vrai");
        EXPECT_EQ(ListHint(*form->ListView1, 3), "Faux");
    }
    RunState().ExecState = 1;
    EXPECT_EQ(ListHint(*form->ListView1, 0), "");
    RunState().ExecState = 0;
}

TEST_F(ViewsMenuTest, AnExecuteRowShowsTheRowsOfItsMacro) {
    auto write = [](const QString& path, int rows, bool protect) {
        QByteArray bytes;
        if (protect) bytes += TMacroFileRecord{"Info", "secret"}.toBytes(true);
        bytes += TMacroFileRecord{"Évaluer", "N"}.toBytes();
        for (int i = 0; i < rows; ++i) bytes += TMacroFileRecord{"Pause", QString::number(i)}.toBytes(protect);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    };
    const QString small = home.filePath("small.mcr"), big = home.filePath("big.mcr"), locked = home.filePath("locked.mcr");
    write(small, 2, false);
    write(big, 40, false);
    write(locked, 2, true);
    setRows({{"Execute", small}, {"Execute", big + ";;"}, {"Execute", locked}, {"Execute", home.filePath("none.mcr")},
             {"Execute", home.filePath("small.MCR")}});
    EXPECT_EQ(ListHint(*form->ListView1, 0), "Pause 0\nPause 1");
    const QStringList lines = ListHint(*form->ListView1, 1).split('\n');
    ASSERT_EQ(lines.size(), 32);
    EXPECT_EQ(lines[30], "Pause 30");
    EXPECT_EQ(lines[31], "...");
    EXPECT_EQ(ListHint(*form->ListView1, 2), "");
    EXPECT_EQ(ListHint(*form->ListView1, 3), "");
    EXPECT_EQ(ListHint(*form->ListView1, 4), "");
}

// --- Printing ---

TEST_F(ViewsMenuTest, TheCheckListRepeatsItsHeaderOnEveryPage) {
    const QString pdf = printToPdf();
    form->StatusPanel[0]->setText("/tmp/essai.mcr");
    form->ListView2->clear();
    for (int i = 1; i <= 100; ++i)
        new QTreeWidgetItem(form->ListView2, {QString::number(i), "Erreur", QString("Détail %1").arg(i)});
    form->PageControl1->setCurrentWidget(form->TabSheet1);
    form->Imprimer2->trigger();
    const QStringList pages = pdfText(pdf).split('\f', Qt::SkipEmptyParts);
    QStringList printed;
    for (const QString& p : pages)
        if (!p.trimmed().isEmpty()) printed << p;
    ASSERT_EQ(printed.size(), 2);
    const QRegularExpression header(R"(^\s*Macro : /tmp/essai\.mcr Page : (\d) Date : \d\d/\d\d/\d\d Heure : \d\d:\d\d:\d\d)");
    for (int p = 0; p < 2; ++p) {
        const QRegularExpressionMatch m = header.match(printed[p]);
        ASSERT_TRUE(m.hasMatch()) << printed[p].left(200).toStdString();
        EXPECT_EQ(m.captured(1).toInt(), p + 1);
    }
    // 65 rows fill the first page: the last written at y = 3250.
    EXPECT_TRUE(printed[0].contains("65 Erreur Détail 65"));
    EXPECT_FALSE(printed[0].contains("66 Erreur"));
    EXPECT_TRUE(printed[1].contains("66 Erreur Détail 66"));
    EXPECT_TRUE(printed[1].contains("100 Erreur Détail 100"));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ViewsMenuTest, TheReportPrints) {
    const QString pdf = printToPdf();
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    form->RichEdit1->setPlainText("Rapport de la macro");
    form->Imprimer2->trigger();
    EXPECT_TRUE(pdfText(pdf).contains("Rapport de la macro"));
}

TEST_F(ViewsMenuTest, TheCommandListPrintsThroughThePrintFile) {
    const QString pdf = printToPdf();
    setRows({{"Pause", "00:00:01"}, {"Type", "Été"}});
    form->Imprimer1->trigger();
    QFile file(PrintFileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray rtf = file.readAll();
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_TRUE(QString::fromLatin1(rtf).contains(QRegularExpression(R"(\\b(\\cf\d+)? Pause)")));  // the commands font is bold
    EXPECT_TRUE(rtf.contains("\\tab"));
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains("Pause")) << text.toStdString();
    EXPECT_TRUE(text.contains("Été"));
    // The preview draws the same pages.
    QFile::remove(pdf);
    form->Aperuavantimpression1->trigger();
    EXPECT_EQ(testServices().previews, 1);
    EXPECT_TRUE(pdfText(pdf).contains("00:00:01"));
}

TEST_F(ViewsMenuTest, PrintFailuresAreSaid) {
    setRows({{"Pause", "00:00:01"}});
    QDir(home.path()).mkdir("pr~tmp.doc");  // the print file cannot be written
    testServices().onChoosePrinter = [](QPrinter&) { return true; };
    form->Imprimer1->trigger();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains("pr~tmp.doc"));
    QDir(home.path()).rmdir("pr~tmp.doc");
    messages.shown.clear();
    testServices().onChoosePrinter = [this](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(home.filePath("no/such/folder/out.pdf"));
        return true;
    };
    form->Imprimer1->trigger();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith("L'impression a échoué"));
    // A cancelled print dialog prints nothing and says nothing.
    messages.shown.clear();
    testServices().onChoosePrinter = [](QPrinter&) { return false; };
    form->Imprimer1->trigger();
    EXPECT_TRUE(messages.shown.isEmpty());
}

// --- Saving the bottom tab ---

TEST_F(ViewsMenuTest, TheCheckListSavesAsText) {
    new QTreeWidgetItem(form->ListView2, {"3", "Erreur", "Détail é"});
    form->PageControl1->setCurrentWidget(form->TabSheet1);
    const QString path = home.filePath("check.txt");
    testServices().onChooseFile = [&](TFileDialog& d) {
        d.FileName = path;
        return true;
    };
    form->Enregister1->trigger();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(platform::fromCp1252(f.readAll()).endsWith("3 Erreur Détail é\r\n"));
}

TEST_F(ViewsMenuTest, SavingADescriptionTwiceLeavesOneBlock) {
    QFile lng(platform::programFile("Français.lng"));
    ASSERT_TRUE(lng.open(QIODevice::WriteOnly));
    lng.write("[Menu1]\r\nMacro1=Macro\r\n");
    lng.close();
    DescriptionLines = {"[Menu1]", "Macro1=Macro"};
    form->TreeView1->clear();  // nodes of the test's own
    auto* clavier = new QTreeWidgetItem(form->TreeView1, {"Clavier"});
    auto* type = new QTreeWidgetItem(clavier, {"Tape de Texte"});
    form->TreeView1->setCurrentItem(type);
    form->PageControl1->setCurrentWidget(form->TabSheet3);
    form->RichEdit2->setPlainText("Tape un texte.");
    form->Enregister1->trigger();
    form->RichEdit2->setPlainText("Tape un texte.\nDeuxième ligne.");
    form->Enregister1->trigger();
    ASSERT_TRUE(lng.open(QIODevice::ReadOnly));
    EXPECT_EQ(platform::fromCp1252(lng.readAll()),
              "[Menu1]\r\nMacro1=Macro\r\n;;Clavier > Tape de Texte;;\r\nTape un texte.\r\nDeuxième ligne.\r\n");
    EXPECT_TRUE(messages.shown.isEmpty());
    // Without the language file: a message, nothing written.
    lng.remove();
    form->Enregister1->trigger();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_FALSE(QFile::exists(lng.fileName()));
}

// --- Text copies ---

TEST(TextCopies, ForumAndHtmlLines) {
    EXPECT_EQ(ForumLine("Pause", "00:00:01"),
              "[img]http://www.orvanel.org/ImgOrder/6.GIF[/img]\t[B]Pause[/B]\t\t00:00:01\r\n");
    EXPECT_EQ(HtmlLine("Type", "a & \"b\" <c>"),
              "<IMG src=\"0.GIF\">&nbsp;<B>Type</B>&nbsp;&nbsp;a &amp; &quot;b&quot; &lt;c&gt;\r\n<BR>");
}

TEST_F(ViewsMenuTest, CopiesOfTheSelectedRowsAreValidHtmlAndForumText) {
    testServices().onPluginIcon = [](const QString& k) { return k == "Mon Plugin" ? 40 : -1; };
    setRows({{"Type", "a & \"b\" <c>"}, {"Pause", "00:00:01"}, {"Mon Plugin", "<x>"}});
    select({0, 2});
    form->HTML1->trigger();
    const QString html = platform::desktop().GetClipboardText();
    EXPECT_EQ(html.count("<BR>"), 2);
    EXPECT_TRUE(html.contains("<IMG src=\"Mon~Plugin.GIF\">"));
    // Between the tags, nothing that HTML would read as markup.
    QString text = html;
    text.remove(QRegularExpression(R"(<(IMG src="[^"<>&]*"|/?B|BR)>)"));
    text.remove(QRegularExpression("&(amp|quot|lt|gt|nbsp);"));
    EXPECT_FALSE(text.contains(QRegularExpression("[<>\"&]"))) << text.toStdString();
    form->phpBB1->trigger();
    EXPECT_EQ(platform::desktop().GetClipboardText(),
              ForumLine("Type", "a & \"b\" <c>") + "[img]http://www.orvanel.org/ImgOrder/Mon~Plugin.GIF[/img]\t[B]Mon "
                                                   "Plugin[/B]\t\t<x>\r\n");
    form->ListView1->clearSelection();
    form->phpBB1->trigger();
    EXPECT_EQ(platform::desktop().GetClipboardText(), "");
}

TEST_F(ViewsMenuTest, ListingsOfAFormsControls) {
    QWidget dialog;
    dialog.setObjectName("Form99");
    dialog.setWindowTitle("Essai");
    auto* label = new QLabel("Nom", &dialog);
    label->setObjectName("Label1");
    auto* edit = new QLineEdit("x", &dialog);
    edit->setObjectName("Edit1");
    edit->setGeometry(10, 20, 100, 22);
    auto* ok = new QPushButton("Valider", &dialog);
    ok->setObjectName("Button1");
    ok->setGeometry(5, 50, 75, 25);
    auto* box = new QCheckBox(&dialog);
    box->setObjectName("CheckBox1");
    const QString text = home.filePath("list.txt"), code = home.filePath("code.pas"), map = home.filePath("map.html");
    TForm1::PrintComponentList(dialog, text, code);
    TForm1::PrintMapArea(dialog, map);
    auto read = [](const QString& path) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return platform::fromCp1252(f.readAll());
    };
    EXPECT_EQ(read(text), "\r\n*** Print Component List of Form99 ***\r\n[Form99]\r\n\r\nLabel1 =Nom\r\nEdit1 =x\r\n"
                          "Button1 =Valider\r\n*** End of Form99 ***\r\n\r\n");
    EXPECT_EQ(read(code),
              "Form99.Label1.caption := FileLng.ReadString('Form99','Label1',Form99.Label1.caption);\r\n"
              "Form99.Edit1.Text := FileLng.ReadString('Form99','Edit1',Form99.Edit1.Text);\r\n"
              "Form99.Button1.caption := FileLng.ReadString('Form99','Button1',Form99.Button1.caption);\r\n");
    EXPECT_EQ(read(map), "*** Print Component List of Form99 [Essai] ***\r\n<map name=\"graphique\">\r\n"
                         "<area shape=\"rect\" coords=\"18,48,118,70\" alt=\"Paramètre\">\r\n"
                         "<area shape=\"rect\" coords=\"13,78,88,103\" alt=\"Cliquez sur ce bouton pour valider la "
                         "commande.\">\r\n</map>\r\n*** End of Form99 ***\r\n");
}

}  // namespace

namespace {

TEST_F(ViewsMenuTest, TheMenuPanelMirrorsItsMenu) {
    QWidget* panel = form->MenuPanel(form->findChild<QMenu*>("Macro1"));
    EXPECT_EQ(panel->height(), 28);
    QStringList names;
    for (auto* b : panel->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
        if (b->objectName().startsWith("Menu") && b->objectName() != "MenuPanelClose") names << b->objectName();
    EXPECT_EQ(names, QStringList({"MenuNouveau1", "MenuOuvrir1", "MenuEnregistrer1", "MenuEnregistersous1",
                                  "MenuOptions1", "MenuImprimer1", "MenuCrypter1", "MenuQuitter1",
                                  "MenuAperuavantimpression1", "MenuExporterversexecutable1",
                                  "MenuExporterversOtherLangage1"}));
    auto* crypter = panel->findChild<QToolButton*>("MenuCrypter1");
    EXPECT_EQ(crypter->width(), 7 * int(QString("Protéger par un mot de passe").size()));
    form->Crypter1->setEnabled(false);
    EXPECT_FALSE(crypter->isEnabled());
    form->Crypter1->setEnabled(true);
    EXPECT_TRUE(crypter->isEnabled());
    panel->findChild<QToolButton*>("MenuOptions1")->click();
    EXPECT_TRUE(Window(19)->isVisible());
    QPointer<QWidget> gone = panel;
    panel->findChild<QToolButton*>("MenuPanelClose")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(gone);
}

TEST_F(ViewsMenuTest, PicturesFromTheRessourcesFolder) {
    form->LoadToolbarGlyphs();  // no folder: nothing changes
    auto* clock = Window(7)->findChild<QLabel*>("Image1");
    const QImage before = clock->pixmap().toImage();
    QDir(home.path()).mkdir("ressources");
    QPixmap red(20, 20);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(home.filePath("ressources/HORLOGE.png")));
    ASSERT_TRUE(red.save(home.filePath("ressources/KEY.png")));
    form->LoadToolbarGlyphs();
    EXPECT_EQ(clock->pixmap().toImage().pixelColor(5, 5), QColor(Qt::red));
    EXPECT_NE(clock->pixmap().toImage(), before);
    auto key = [](int n) { return Window(4)->findChild<QAbstractButton*>(QString("SpeedButton%1").arg(n)); };
    ASSERT_TRUE(key(1) && key(50));
    EXPECT_FALSE(key(1)->icon().isNull());
    EXPECT_FALSE(key(50)->icon().isNull());  // every key without a picture takes the first one's
}

TEST_F(ViewsMenuTest, TheWatchListMenuFollowsItsRows) {
    setRows({{"Variable", "N;0;Numerique;"}, {"Pause", "00:00:01"}});
    form->PopupMenu6Popup();
    for (QAction* a : {form->Modifier1, form->Supprimer4, form->Reinitialiertouteslesvariable1,
                       form->Supprimertouteslesvariables1, form->Ajouter1})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    select({0});
    form->Ajouter1Click();  // the variable goes to the watch list
    ASSERT_EQ(form->ListView3->count(), 1);
    form->ListView3->topLevelItem(0)->setSelected(true);
    form->PopupMenu6Popup();
    for (QAction* a : {form->Modifier1, form->Supprimer4, form->Reinitialiertouteslesvariable1,
                       form->Supprimertouteslesvariables1, form->Ajouter1})
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
}

}  // namespace
