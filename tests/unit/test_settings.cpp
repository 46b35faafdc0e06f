// The settings store: the loader, the writer behind "Valider" and the macro's own settings file.
#include "core/BuildInfo.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "core/RunState.h"
#include "platform/Cp1252.h"
#include "platform/IniFile.h"
#include "tests/unit/test_startup_support.h"
#include "tools/Unit19.h"

#include <QAction>
#include <QMenu>

namespace {

class SettingsTest : public ProgramFolderTest {
protected:
    // The section headers of a file, in order.
    static QStringList sections(const QString& path) { return platform::IniFile(path).ReadSections(); }
    // The key names of a section, in order.
    static QStringList keys(const QString& path, const QString& section) {
        return platform::IniFile(path).ReadSection(section);
    }
};

TEST_F(SettingsTest, OddValuesAreReadAndWrittenBackAsTheStoreSays) {
    const QByteArray foreign =
        "[Perso]\r\nA = 1\r\n; un commentaire\r\nB=deux\r\n\r\n[ColorAffichage]\r\nTexte=255\r\n";
    write(config(), "[General]\r\nGrille=false\r\nMode=edition\r\n[Control]\r\nCarSepParam=\r\n"
                    "Anchor Activate=oui\r\n" + foreign + "[Recents]\r\nRecents_Nr=3\r\n");
    settings().Separator = u'#';
    Form19->LoadOptions(QString());
    EXPECT_EQ(Form19->Label22->text(), config());
    EXPECT_TRUE(Form19->CheckBox3->isChecked());  // only "False" turns the grid off
    EXPECT_TRUE(form->ListView1->property("GridLines").toBool());
    EXPECT_TRUE(Form19->RadioButton2->isChecked());  // "edition" is not "Edition"
    EXPECT_TRUE(form->Insertion1->isChecked());
    EXPECT_FALSE(form->Edition2->isChecked());
    EXPECT_EQ(Form19->Edit1->text(), ";");
    EXPECT_EQ(ParamSeparator(), u';');
    EXPECT_FALSE(Form19->CheckBox11->isChecked());  // any text but "False" clears it

    Form19->Button1Click();
    EXPECT_EQ(value(config(), "General", "Grille"), "True");
    EXPECT_EQ(value(config(), "General", "Mode"), "Insertion");
    EXPECT_EQ(value(config(), "Control", "CarSepParam"), ";");
    EXPECT_EQ(value(config(), "Control", "Anchor Activate"), "True");
    EXPECT_EQ(value(config(), "Recents", "Recents_Nr"), "3");
    EXPECT_TRUE(read(config()).contains(foreign)) << read(config()).toStdString();
}

TEST_F(SettingsTest, AMissingFileGivesTheDefaultsAndValiderWritesThemInOrder) {
    Form19->LoadOptions(QString());
    EXPECT_EQ(Form19->TPGEdit->text(), "10");
    EXPECT_EQ(Form19->TPFEdit->text(), "30");
    EXPECT_EQ(Form19->TrackBar1->value(), 10);
    EXPECT_EQ(Form19->Edit4->text(), "3000");
    EXPECT_TRUE(Form19->CheckBox1->isChecked());
    EXPECT_TRUE(Form19->CheckBox2->isChecked());
    EXPECT_TRUE(Form19->CheckBox12->isChecked());
    EXPECT_FALSE(Form19->CheckBox3->isChecked());
    EXPECT_TRUE(Form19->CheckBox4->isChecked());
    EXPECT_TRUE(Form19->CheckBox10->isChecked());
    EXPECT_FALSE(Form19->CheckBox5->isChecked());
    EXPECT_TRUE(Form19->CheckBox11->isChecked());
    EXPECT_TRUE(Form19->CheckBox6->isChecked());
    EXPECT_TRUE(Form19->CheckBox7->isChecked());
    EXPECT_FALSE(Form19->CheckBox8->isChecked());
    EXPECT_EQ(Form19->ComboBox1->currentText(), "Pas de changement");
    EXPECT_EQ(Form19->ComboBox2->currentText(), "Une fois par semaine");
    EXPECT_EQ(Form19->ComboBox5->currentText(), "Aucun");
    EXPECT_EQ(Form19->Label36->text(), "26/06/08");
    EXPECT_EQ(Form19->Label30->text(), "Version du logiciel actuelle : " + ProgramBuildDate());
    EXPECT_EQ(Form19->Edit3->text(), file("rapport.doc"));
    EXPECT_EQ(settings().ReportFileName, file("rapport.doc"));
    EXPECT_EQ(Form19->HotKey1->keySequence(), QKeySequence("Alt+F1"));
    EXPECT_EQ(Form19->HotKey2->keySequence(), QKeySequence("Alt+F2"));
    EXPECT_EQ(settings().ObjectPosX, 1024 - 80);
    EXPECT_EQ(settings().ObjectPosY, 768 - 100);
    EXPECT_TRUE(Form19->Label13->font().bold());
    EXPECT_FALSE(Form19->Label14->font().bold());
    EXPECT_EQ(FontColor(Form19->Label15), 128);
    EXPECT_EQ(FontColor(Form19->Label13), clWindowText);

    Form19->Button1Click();
    EXPECT_EQ(sections(config()), QStringList({"Delais", "General", "Control", "FontCommande", "FontParam",
                                               "FontVariable", "PrinterFont", "MAJ", "Divers", "Resolution"}));
    EXPECT_EQ(keys(config(), "Delais"), QStringList({"General_time", "Type_time", "SpeedMouse", "PauseMouse",
                                                     "General_Actif", "Type_Actif"}));
    EXPECT_EQ(keys(config(), "General"), QStringList({"Mode", "Grille", "VarHeader", "Background"}));
    EXPECT_EQ(keys(config(), "Control"),
              QStringList({"Erreur Execution", "Control Execution", "Anchor Activate", "Rapport", "RapportFile",
                           "CarSepParam", "PauseExecute", "StopExecute"}));
    EXPECT_EQ(keys(config(), "FontCommande"),
              QStringList({"Color", "Height", "Name", "Size", "fsBold", "fsItalic", "fsUnderLine", "fsStrikeOut"}));
    EXPECT_EQ(keys(config(), "MAJ"), QStringList({"Run", "Frequence"}));  // no check ran: no date
    const QStringList fontCommande = platform::IniFile(config()).ReadSectionValues("FontCommande");
    EXPECT_EQ(fontCommande, QStringList({"Color=-2147483640", "Height=-11", "Name=MS Sans Serif", "Size=8",
                                         "fsBold=1", "fsItalic=0", "fsUnderLine=0", "fsStrikeOut=0"}));
    EXPECT_EQ(value(config(), "FontVariable", "Color"), "128");
    EXPECT_EQ(value(config(), "Control", "PauseExecute"), "Alt+F1");
    EXPECT_EQ(value(config(), "Control", "StopExecute"), "Alt+F2");
    EXPECT_EQ(value(config(), "Control", "Anchor Activate"), "False");
    EXPECT_EQ(value(config(), "General", "Background"), "Aucun");
}

TEST_F(SettingsTest, FontsWithAnEmptySizeOrSeveralStyles) {
    write(config(), "[FontParam]\r\nSize=\r\nfsBold=1\r\nfsItalic=1\r\nName=DejaVu Sans\r\nColor=255\r\n"
                    "[FontVariable]\r\nSize=12\r\nfsUnderLine=yes\r\n");
    Form19->LoadOptions(QString());
    const QFont param = Form19->Label14->font();
    EXPECT_EQ(param.pointSize(), 8);
    EXPECT_TRUE(param.bold());
    EXPECT_TRUE(param.italic());
    EXPECT_EQ(param.family(), "DejaVu Sans");
    EXPECT_EQ(Form19->Label14->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(Form19->Label15->font().pointSize(), 12);
    EXPECT_FALSE(Form19->Label15->font().underline());  // only "1" sets a style
    EXPECT_EQ(settings().FontParam.Size, "");

    Form19->Button1Click();
    EXPECT_EQ(value(config(), "FontParam", "fsBold"), "1");
    EXPECT_EQ(value(config(), "FontParam", "fsItalic"), "1");
    EXPECT_EQ(value(config(), "FontParam", "Size"), "8");
    EXPECT_EQ(value(config(), "FontParam", "Color"), "255");
    EXPECT_EQ(value(config(), "FontVariable", "Height"), "-16");
}

TEST_F(SettingsTest, ToolsWithAMissingProgramKeepTheirLineNumbers) {
    write(file("a.sh"), "#!/bin/sh\n");
    write(file("c.sh"), "#!/bin/sh\n");
    write(config(), QString("[Outils]\r\nexe0=%1\r\nexe1=%2\r\nexe2=%3\r\n")
                        .arg(file("a.sh"), file("b.sh"), file("c.sh"))
                        .toUtf8());
    Form19->LoadOptions(QString());
    ASSERT_EQ(Form19->ListBox1->count(), 2);
    QStringList captions;
    for (QAction* a : form->mesoutils1->actions()) captions << a->text();
    EXPECT_EQ(captions, QStringList({"1 - a.sh", "3 - c.sh"}));
    EXPECT_EQ(form->mesoutils1->actions().last()->statusTip(), file("c.sh"));

    Form19->Button1Click();
    EXPECT_EQ(platform::IniFile(config()).ReadSectionValues("Outils"),
              QStringList({"exe0=" + file("a.sh"), "exe1=" + file("c.sh")}));
    EXPECT_EQ(form->mesoutils1->actions().size(), 2);  // read back: "1 - a.sh", "2 - c.sh"
    EXPECT_EQ(form->mesoutils1->actions().last()->text(), "2 - c.sh");
}

TEST_F(SettingsTest, ReportFileAndNumbersOutOfRange) {
    write(config(), "[Control]\r\nRapportFile=/no/such/folder/mon rapport.doc\r\n"
                    "[Delais]\r\nGeneral_time=abc\r\nType_time=99999\r\nSpeedMouse=x\r\n");
    Form19->LoadOptions(QString());
    EXPECT_EQ(Form19->Edit3->text(), "/no/such/folder/mon rapport.doc");
    EXPECT_EQ(settings().ReportFileName, file("mon rapport.doc"));
    EXPECT_EQ(Form19->TPGEdit->text(), "10");
    EXPECT_EQ(Form19->TPFEdit->text(), "30");
    EXPECT_EQ(Form19->TrackBar1->value(), 10);
}

TEST_F(SettingsTest, ValiderWritesIntoTheMacrosOwnFileWhateverLabel22Shows) {
    const QString macro = file("m.mcr");
    write(file("m.ini"), "[Control]\r\nCarSepParam=#\r\n");
    write(file("other.ini"), "[Control]\r\nCarSepParam=!\r\n");
    form->StatusPanel[0]->setText(macro);
    Form19->LoadOptions(file("other.ini"));
    EXPECT_EQ(Form19->Label22->text(), file("other.ini"));
    EXPECT_EQ(ParamSeparator(), u'!');
    Form19->Button1Click();
    EXPECT_EQ(value(file("m.ini"), "Control", "CarSepParam"), "!");
    EXPECT_EQ(read(file("other.ini")), "[Control]\r\nCarSepParam=!\r\n");
    EXPECT_EQ(Form19->Label22->text(), file("m.ini"));
}

TEST_F(SettingsTest, TheMacrosOwnFileStartsWithTheColoursInUse) {
    write(config(), "[ColorCommandes]\r\nGoto=255\r\nLabel=16777215\r\nMonPlugin=42\r\n");
    form->StatusPanel[0]->setText(file("m.mcr"));
    Form19->Button6Click();
    EXPECT_EQ(form->GetConfigFileName(), file("m.ini"));
    EXPECT_EQ(value(file("m.ini"), "ColorCommandes", "Goto"), "255");
    EXPECT_EQ(value(file("m.ini"), "ColorCommandes", "Label"), "<none>");  // white is not copied
    EXPECT_EQ(value(file("m.ini"), "Delais", "General_time"), "10");       // then "Valider" saved into it
    EXPECT_EQ(value(config(), "Delais", "General_time"), "<none>");
}

TEST_F(SettingsTest, RemakingTheMacrosOwnFileKeepsItsColours) {
    write(config(), "[ColorCommandes]\r\nGoto=255\r\n");
    write(file("m.ini"), "[ColorCommandes]\r\nGoto=100\r\nPause=7\r\n[Old]\r\nx=1\r\n");
    form->StatusPanel[0]->setText(file("m.mcr"));
    Form19->Button6Click();
    EXPECT_EQ(value(file("m.ini"), "ColorCommandes", "Goto"), "100");
    EXPECT_EQ(value(file("m.ini"), "ColorCommandes", "Pause"), "7");
    EXPECT_EQ(value(file("m.ini"), "Old", "x"), "<none>");  // the file is made anew
}

TEST_F(SettingsTest, AMacrosOwnFileThatCannotBeMadeSaysSo) {
    form->StatusPanel[0]->setText("/no/such/folder/m.mcr");
    Form19->Button6Click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Impossible de créer le fichier de configuration.");
    EXPECT_FALSE(QFile::exists(config()));  // nothing saved anywhere
}

TEST_F(SettingsTest, CommandColoursFollowTheFileOrder) {
    write(config(), "[ColorCommandes]\r\nPause=$00FF00\r\nGoto=12\r\nType=rouge\r\n");
    Form19->LoadOptions(QString());
    ASSERT_EQ(settings().CommandColors.size(), 3);
    EXPECT_EQ(settings().CommandColors[0].Name, "Pause");
    EXPECT_EQ(settings().CommandColors[0].Color, 0x00FF00);
    EXPECT_EQ(settings().CommandColors[1].Color, 12);
    EXPECT_EQ(settings().CommandColors[2].Color, clWhite);
}

TEST_F(SettingsTest, BackgroundPictures) {
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(file("fond.bmp"), "BMP"));
    write(file("casse.bmp"), "pas une image");
    QDir(home.path()).mkdir("sous");
    ASSERT_TRUE(picture.save(file("sous/cache.bmp"), "BMP"));

    write(config(), "[General]\r\nBackground=fond.bmp\r\n");
    Form19->LoadOptions(QString());
    QStringList items;
    for (int i = 0; i < Form19->ComboBox5->count(); ++i) items << Form19->ComboBox5->itemText(i);
    EXPECT_EQ(items, QStringList({"Aucun", "Bézier aléatoire", "casse.bmp", "fond.bmp"}));
    EXPECT_EQ(settings().BackgroundBitmap.size(), QSize(4, 4));

    write(config(), "[General]\r\nBackground=casse.bmp\r\n");
    Form19->LoadOptions(QString());
    EXPECT_TRUE(settings().BackgroundBitmap.isNull());
    EXPECT_EQ(Form19->ComboBox5->currentText(), "casse.bmp");
    EXPECT_EQ(value(config(), "General", "Background"), "Aucun");

    write(config(), "[General]\r\nBackground=" + file("absent.bmp").toUtf8() + "\r\n");
    Form19->LoadOptions(QString());
    EXPECT_TRUE(settings().BackgroundBitmap.isNull());
    EXPECT_EQ(value(config(), "General", "Background"), file("absent.bmp"));
}

TEST_F(SettingsTest, ValiderStoresTheDateOnlyAfterAnUpdateCheck) {
    write(config(), "[MAJ]\r\nDateVerif=01/01/20\r\n");
    Form19->LoadOptions(QString());
    Form19->Button1Click();
    EXPECT_EQ(value(config(), "MAJ", "DateVerif"), "01/01/20");
    settings().UpdateCheckDone = true;
    Form19->Button1Click();
    EXPECT_EQ(value(config(), "MAJ", "DateVerif"), QDate::currentDate().toString("dd/MM/yy"));
    EXPECT_FALSE(settings().UpdateCheckDone);
}

TEST_F(SettingsTest, TheUpdateCheckRunsWhenItIsDue) {
    struct Case {
        QString run, frequency, date;
        bool due;
    };
    const QString today = QDate::currentDate().toString("dd/MM/yy");
    const QString old = QDate::currentDate().addDays(-40).toString("dd/MM/yy");
    const Case cases[] = {
        {"True", "A chaque démarrage de l'éditeur", today, true},
        {"False", "A chaque démarrage de l'éditeur", old, false},
        {"True", "Une fois par semaine", old, true},
        {"True", "Une fois par semaine", today, false},
        {"True", "Une fois par mois", old, true},
        {"True", "Une fois par mois", QDate::currentDate().addDays(-10).toString("dd/MM/yy"), false},
        {"True", "Une fois par semaine", "jamais", false},
    };
    for (const Case& c : cases) {
        write(config(), platform::toCp1252(QString("[MAJ]\r\nRun=%1\r\nFrequence=%2\r\nDateVerif=%3\r\n")
                                               .arg(c.run, c.frequency, c.date)));
        Form19->LoadOptions(QString());
        int checks = 0;
        const QMetaObject::Connection counter =
            QObject::connect(Form19->Button7, &QPushButton::clicked, [&] { ++checks; });
        AutoUpdateCheck();
        QObject::disconnect(counter);
        EXPECT_EQ(checks, c.due ? 1 : 0) << c.frequency.toStdString() << " " << c.date.toStdString();
        EXPECT_EQ(value(config(), "Delais", "General_time") != "<none>", c.due);  // "Valider" followed
    }
}

TEST_F(SettingsTest, ShowingTheDialogGivesTheLastRunsFigures) {
    setRows({{"Type", "a"}, {"Type", "b"}});
    RunState().RunStartTime = "10:00:00";
    RunState().RunEndTime = "10:01:30";
    RunState().ExecutedCount = 3;
    write(config(), "[Control]\r\nCarSepParam=#\r\n");
    Form19->FormShow();
    EXPECT_EQ(Form19->Label5->text(), "Nombre de commande : 2");
    EXPECT_EQ(Form19->Label48->text(), "Nombre de commande exécuté : 3 (soit  30 Sec(s)/commande)");
    EXPECT_EQ(Form19->Label37->text(),
              "Dernière exécution : Départ : 10:00:00 Fin : 10:01:30 Temps Total : 00:01:30");
    EXPECT_EQ(ParamSeparator(), u'#');  // and the file was read again
    RunState().RunStartTime.clear();
    RunState().RunEndTime.clear();
    RunState().ExecutedCount = 0;
    Form19->FormShow();
    EXPECT_EQ(Form19->Label48->text(), "Nombre de commande exécuté : 0 (soit   0 Sec(s)/commande)");
}

}  // namespace
