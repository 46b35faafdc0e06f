// Each command's declared parameters and the typed view handlers read a row
// through.
#include "core/CommandParams.h"
#include "platform/fake/FakePlatform.h"

#include "tests/support/TestSupport.h"

namespace {

// ---- The declarations ----

TEST(CommandParams, EveryLayoutPlacesItsFieldsInOrder) {
    for (int c = 0; c < kCommandSlots; ++c) {
        const ParamLayout& layout = LayoutOf(Command(c));
        SCOPED_TRACE(c);
        EXPECT_EQ(layout.command, Command(c));
        int field = 0;
        for (const FieldDecl& f : layout.fields) {
            if (f.place.kind != ParamPlace::Field) continue;
            EXPECT_EQ(f.place.n, ++field);
            EXPECT_TRUE(f.kind != FieldKind::Word || !f.words.empty());
        }
        for (const ParamVariant& v : layout.variants) {
            EXPECT_GE(layout.selector, 1);
            for (const FieldDecl& f : v.fields) EXPECT_GT(f.place.n, layout.selector);
        }
    }
}

TEST(CommandParams, CountTheFieldsOfACompleteRow) {
    const struct {
        Command command;
        int least, most;
    } cases[] = {
        {Command::MoveMouse, 3, 4}, {Command::Objet, 12, 12}, {Command::Lire, 3, 3},       {Command::Ecrire, 3, 3},
        {Command::Question, 3, 3},  {Command::Message, 2, 2}, {Command::Variable, 3, -1}, {Command::Quitter, 0, 0},
    };
    for (const auto& c : cases) {
        const FieldCounts counts = CountsOf(LayoutOf(c.command));
        EXPECT_EQ(counts.least, c.least) << int(c.command);
        EXPECT_EQ(counts.most, c.most) << int(c.command);
    }
    EXPECT_TRUE(CountsOf(LayoutOf(Command::Variable)).fits(5));
    EXPECT_FALSE(CountsOf(LayoutOf(Command::MoveMouse)).fits(5));
}

TEST(CommandParams, DialogsFindTheirPlaces) {
    EXPECT_EQ(PlaceOf(Command::Lire, 3), ParamField(3));
    EXPECT_EQ(PlaceOf(Command::Variable, 2), ParamMiddle(1));
    EXPECT_EQ(PlaceOf(Command::Variable, 3), ParamLast);
    EXPECT_EQ(PlaceOf(Command::ScriptEval, 3), ParamRest(2));
    EXPECT_EQ(PlaceOf(Command::TrouveImage, 12), ParamRest(11));
    EXPECT_EQ(PlaceOf(Command::Type, 1), ParamWhole);
    EXPECT_EQ(PlaceOf(Command::Type, 2), ParamPlace{});
    EXPECT_EQ(WordsOf(DeclaredField(Command::ScriptEval, 1)), QStringList({"JScript", "VBScript"}));
}

// ---- Reading a row ----

class ParamViewTest : public ::testing::Test {
protected:
    void SetUp() override { platform::setDesktop(std::make_unique<platform::FakePlatform>()); }  // 1024 x 768
    // Variables of the test: "<X>" holds 40, "<Name>" holds "Indirect".
    static QString resolve(const QString& name) {
        return name == "<X>" ? "40" : name == "<Name>" ? "Indirect" : name;
    }
    static ParamView view(Command c, const QString& params) { return ParamView(c, params, u';', resolve); }
};

TEST_F(ParamViewTest, ReadsEachDeclaredFieldAtItsPlace) {
    const ParamView variable = view(Command::Variable, "V;a;b;Alpha;");
    EXPECT_EQ(variable.text(1), "V");
    EXPECT_EQ(variable.text(2), "a;b");
    EXPECT_EQ(variable.text(3), "Alpha");
    EXPECT_EQ(variable.count(), 4);
    const ParamView script = view(Command::ScriptEval, "JScript;R;a = 1; b = 2");
    EXPECT_EQ(script.text(3), "a = 1; b = 2");
    EXPECT_EQ(view(Command::TrouveImage, "f.bmp;1;2;3;4;5;6;7;8;X;Y;2").text(12), "2");
    EXPECT_EQ(view(Command::Type, "a;b").text(1), "a;b");
    EXPECT_EQ(view(Command::Click, "Whell Up;3;").text(2), "3");  // past the declared field
    EXPECT_EQ(view(Command::Lire, "").count(), 1);                 // as the runner counts
}

TEST_F(ParamViewTest, ResolvesOnlyWhereAVariableMayStand) {
    const ParamView move = view(Command::MoveMouse, "<X>;<X>;<Name>;<X>;");
    EXPECT_EQ(move.value(1), "40");
    EXPECT_EQ(move.value(3), "<Name>");  // a word, never a variable
    EXPECT_EQ(move.value(4), "<X>");
    EXPECT_EQ(ParamView(Command::MoveMouse, "<X>;", u';').value(1), "<X>");  // no resolver
}

// Every place is found at the separator given: the same rows written with "#".
TEST_F(ParamViewTest, ReadsAtTheSeparatorGiven) {
    const struct {
        Command command;
        QString params;
        int field;
        QString text, value;
    } cases[] = {
        {Command::Variable, "V;a;b;Alpha;", 2, "a;b", "a;b"},
        {Command::Variable, "V;a;b;Alpha;", 3, "Alpha", "Alpha"},
        {Command::ScriptEval, "JScript;R;a = 1; b = 2", 3, "a = 1; b = 2", "a = 1; b = 2"},
        {Command::TrouveImage, "f.bmp;1;2;3;4;5;6;7;8;X;Y;<X>", 12, "<X>", "40"},
        {Command::Calcul, "N;+;<X>;", 3, "<X>", "40"},
        {Command::Fonction, "R;Texte;Caractère(s)/Position(s);abc;<X>;3;", 5, "<X>", "40"},  // the variant's
        {Command::TypeSpecial, "Ctrl;Alt;[KeyUp];", 4, "[KeyUp]", "[KeyUp]"},
    };
    for (const QChar separator : {QChar(u';'), QChar(u'#')}) {
        for (const auto& c : cases) {
            auto at = [&](QString text) { return text.replace(u';', separator); };
            SCOPED_TRACE(at(c.params).toStdString() + " field " + std::to_string(c.field));
            const ParamView v(c.command, at(c.params), separator, resolve);
            EXPECT_EQ(v.text(c.field), at(c.text));
            EXPECT_EQ(v.value(c.field), at(c.value));
        }
    }
    EXPECT_EQ(ParamView(Command::Fonction, "R#Texte#Caractère(s)/Position(s)#abc#<X>#3#", u'#', resolve).number(5), 40);
}

TEST_F(ParamViewTest, NumbersKeepToTheDeclaredRange) {
    const struct {
        Command command;
        QString params;
        int field;
        std::optional<qint64> integer, number;
    } cases[] = {
        {Command::MoveMouse, "1024;768;Direct;", 1, 1024, 1024},  // up to the screen's size
        {Command::MoveMouse, "1025;769;Direct;", 1, 1025, std::nullopt},
        {Command::MoveMouse, "1025;769;Direct;", 2, 769, std::nullopt},
        {Command::MoveMouse, "<X>;-1;Direct;", 1, 40, 40},
        {Command::MoveMouse, "<X>;-1;Direct;", 2, -1, std::nullopt},
        {Command::MoveMouse, "x;0;Direct;", 1, std::nullopt, std::nullopt},
        {Command::MoveMouse, "$10;0;Direct;", 1, 16, 16},
        {Command::Objet, "1;2;a;c;t;3;4;1;1;;;256;", 12, 256, 256},
        {Command::Objet, "1;2;a;c;t;3;4;1;1;;;257;", 12, 257, std::nullopt},  // read as 16 bits at run time
        {Command::Lire, "f;V;-3;", 3, -3, -3},                                // no range declared
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.params.toStdString() + " field " + std::to_string(c.field));
        const ParamView v = view(c.command, c.params);
        EXPECT_EQ(v.integer(c.field), c.integer);
        EXPECT_EQ(v.number(c.field), c.number);
    }
}

TEST_F(ParamViewTest, WordsFollowTheChosenVariant) {
    EXPECT_EQ(view(Command::MoveMouse, "1;1;Indirect;").word(3), 1);
    EXPECT_EQ(view(Command::MoveMouse, "1;1;indirect;").word(3), -1);  // exact, as the runner compares
    EXPECT_EQ(view(Command::OutilAffichage, "Résolution;800;600;16 bits;").word(2), 6);
    EXPECT_EQ(view(Command::OutilAffichage, "Résolution;800;600;16 bits;").word(4), 1);
    EXPECT_EQ(view(Command::OutilAffichage, "Fréquence;60;").word(2), 0);
    EXPECT_EQ(view(Command::OutilAffichage, "Fréquence;800;").word(2), -1);
    EXPECT_EQ(view(Command::OutilFichier, "Effacer;a.txt;Non;").word(3), 1);
    EXPECT_EQ(view(Command::OutilFichier, "Copier;a.txt;/tmp;").field(3).kind, FieldKind::Folder);
    EXPECT_EQ(view(Command::OutilFichier, "Renommer;a.txt;b.txt;").field(3).kind, FieldKind::File);
    const ParamView position = view(Command::Fonction, "R;Texte;Caractère(s)/Position(s);abc;<X>;3;");
    EXPECT_EQ(position.field(4).kind, FieldKind::Name);
    EXPECT_EQ(position.number(5), 40);
    EXPECT_EQ(view(Command::Fonction, "R;Texte;Longueur;abc;").field(5).kind, FieldKind::Text);
    EXPECT_EQ(view(Command::Fonction, "R;Date;JJMMAAAA;-1;").field(4).kind, FieldKind::Text);
    EXPECT_EQ(view(Command::Champs, "S;F;A;1;2;B;3;4;").field(7).kind, FieldKind::Number);
    EXPECT_EQ(view(Command::Champs, "S;D;;;x;;;A;1;").field(8).kind, FieldKind::Variable);
}

TEST_F(ParamViewTest, TheLastFieldOfAKeyCombinationMayPressOrRelease) {
    const ParamView keys = view(Command::TypeSpecial, "Ctrl;Alt;Suppr;A;[KeyDown];");
    EXPECT_EQ(keys.fieldAt(1).place, ParamField(1));
    EXPECT_EQ(keys.fieldAt(4).kind, FieldKind::Key);  // a fourth key, as the third
    EXPECT_TRUE(keys.fieldAt(4).words.empty());
    EXPECT_EQ(keys.fieldAt(5).place, ParamLast);
    EXPECT_EQ(keys.text(4), "[KeyDown]");
    EXPECT_EQ(keys.word(4), 0);
    EXPECT_EQ(view(Command::TypeSpecial, "Ctrl;").fieldAt(1).place, ParamLast);
}

}  // namespace
