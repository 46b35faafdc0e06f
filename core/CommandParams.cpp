#include "core/CommandParams.h"

#include "core/Helpers.h"
#include "platform/Platform.h"

using namespace params;

namespace {

// ---- Words ----
constexpr const char16_t* kComparisons[] = {u"=", u"<>", u"<", u">"};
constexpr const char16_t* kOperators[] = {u"+", u"-", u"*", u"/"};
constexpr const char16_t* kVariableKinds[] = {u"Alpha", u"Numerique", u"Objet"};
constexpr const char16_t* kLanguages[] = {u"JScript", u"VBScript"};
constexpr const char16_t* kDirections[] = {u"Direct", u"Indirect"};
constexpr const char16_t* kClickActions[] = {
    u"Left Down",  u"Middle Down",  u"Right Down",  u"Left Up",           u"Middle Up",           u"Right Up",
    u"Left click", u"Middle click", u"Right click", u"Left double-click", u"Middle double-click", u"Right double-click",
    u"Whell Up",   u"Whell Down"};
constexpr const char16_t* kKeyActions[] = {u"[KeyDown]", u"[KeyUp]"};
constexpr const char16_t* kCategories[] = {u"Date",    u"Heure",  u"Clipboard", u"Texte",
                                           u"Ecran",   u"Curseur", u"Handle",   u"Hasard",
                                           u"Disque",  u"Fichier", u"Nombre",   u"Répertoire système",
                                           u"Paramètre d'exécution"};
constexpr const char16_t* kFieldModes[] = {u"D", u"F"};
constexpr const char16_t* kManipulations[] = {u"Restaurer", u"Déplacer", u"Taille", u"Réduire", u"Agrandir",
                                              u"Fermer", u"Déplacement souris", u"Changement texte",
                                              u"Fermeture forcée"};
constexpr const char16_t* kPauseUnits[] = {u"Min", u"Sec", u"MilliSec"};
constexpr const char16_t* kFileTools[] = {u"Copier", u"Déplacer", u"Effacer", u"Renommer", u"Rechercher"};
constexpr const char16_t* kScreenTools[] = {u"Copier vers bmp", u"Copier vers jpg"};
constexpr const char16_t* kDisplayTools[] = {u"Résolution", u"Fréquence"};
constexpr const char16_t* kWidths[] = {u"320", u"400", u"480", u"512", u"640", u"720", u"800", u"848",
                                       u"960", u"1024", u"1152", u"1280", u"1360", u"1600", u"1920"};
constexpr const char16_t* kHeights[] = {u"200", u"240", u"300", u"360", u"384", u"400", u"480", u"576", u"600",
                                        u"720", u"768", u"864", u"900", u"960", u"1024", u"1080", u"1200"};
constexpr const char16_t* kDepths[] = {u"8 bits", u"16 bits", u"24 bits", u"32 bits"};
constexpr const char16_t* kRates[] = {u"60", u"70", u"72", u"75", u"85", u"100",
                                      u"120", u"140", u"144", u"150", u"170", u"200"};
constexpr const char16_t* kPowerTools[] = {u"Fermer la session", u"Eteindre", u"Redémarrer", u"Mise en veille"};
constexpr const char16_t* kYesNo[] = {u"Oui", u"Non"};
constexpr const char16_t* kFolderTools[] = {u"Créer", u"Supprimer", u"Renommer"};

// ---- Layouts ----
constexpr FieldDecl kWholeText[] = {Text(ParamWhole)};

constexpr FieldDecl kCondition[] = {
    Variable(1, Vars::Any),
    Word(2, kComparisons),
    Text(3).variable(Vars::Any).mayBeEmpty(),  // a number, a text or a variable
};

constexpr FieldDecl kVariable[] = {
    Name(1),
    Text(ParamMiddle(1)).mayBeEmpty(),  // the initial value, separators included
    Word(ParamLast, kVariableKinds),    // no dialog writes "Objet"; the runner reads it
};

constexpr FieldDecl kScriptEval[] = {
    Word(1, kLanguages),
    Name(2),               // the variable that receives a result that is no Boolean
    Text(ParamRest(2)),    // the expression, separators included
};

constexpr FieldDecl kMoveMouse[] = {
    Number(1).variable(Vars::Numeric).upToScreen(Extent::ScreenWidth),
    Number(2).variable(Vars::Numeric).upToScreen(Extent::ScreenHeight),
    Word(3, kDirections),
    Text(4).mayBeMissing(),  // the snapshot the dialog shows
};

// After a wheel action, the next field is its number of notches.
constexpr FieldDecl kClick[] = {Word(1, kClickActions).repeated()};

constexpr FieldDecl kTrouveImage[] = {
    File(1).variable(Vars::Alpha),
    Number(2), Number(3), Number(4), Number(5),  // the searched rectangle: left, top, right, bottom
    Number(6), Number(7), Number(8), Number(9),  // the picture's corners in the dialog's capture
    Variable(10, Vars::Numeric),                 // receives X
    Variable(11, Vars::Numeric),                 // receives Y
    Decl(FieldKind::Number, ParamRest(11)).variable(Vars::Numeric),  // which occurrence; no separator after it
};

constexpr FieldDecl kRead[] = {
    File(1).variable(Vars::Alpha),
    Variable(2, Vars::Any),               // or a writable system variable
    Number(3).variable(Vars::Any),        // the line; below 1 the next one
};

constexpr FieldDecl kWrite[] = {
    File(1).variable(Vars::Alpha),
    Text(2).variable(Vars::Any),                  // the text, or the variable holding it
    Number(3).variable(Vars::Any).mayBeEmpty(),   // the line; empty appends
};

constexpr FieldDecl kCalcul[] = {
    Variable(1, Vars::Any),
    Word(2, kOperators),
    Text(3).variable(Vars::Any),  // a number, a text or a variable
};

// The parameters of the function follow its name; the Fonction dialog's
// catalogue holds the functions of each category.
constexpr FieldDecl kFonction[] = {
    Variable(1, Vars::Any),
    Word(2, kCategories),
    Text(3),
    Text(4).variable(Vars::Any).mayBeMissing(),
    Text(5).variable(Vars::Any).mayBeMissing(),
    Text(6).variable(Vars::Any).mayBeMissing(),
};
constexpr const char16_t* kText[] = {u"Texte"};
constexpr const char16_t* kTextPositions[] = {u"Texte", u"Caractère(s)/Position(s)"};
constexpr FieldDecl kTextFields[] = {Name(4).variable(Vars::Alpha)};
constexpr FieldDecl kPositionFields[] = {Number(5).variable(Vars::Numeric), Number(6).variable(Vars::Numeric)};
constexpr ParamVariant kFonctionVariants[] = {{kText, kTextFields}, {kTextPositions, kPositionFields}};

constexpr FieldDecl kChamps[] = {
    Variable(1, Vars::Alpha),
    Word(2, kFieldModes),
    Text(3).mayBeMissing().repeated(),  // by the mode: delimiters, then names and numbers
};
constexpr const char16_t* kDelimited[] = {u"D"};
constexpr const char16_t* kFixed[] = {u"F"};
// Tab, space, ";", ",", another (its first character): each used when not empty; then six names and run numbers.
constexpr FieldDecl kDelimitedFields[] = {
    Text(3).mayBeEmpty(), Text(4).mayBeEmpty(), Text(5).mayBeEmpty(), Text(6).mayBeEmpty(), Text(7).mayBeEmpty(),
    Variable(8, Vars::Any).mayBeMissing(),  Number(9).mayBeMissing(),
    Variable(10, Vars::Any).mayBeMissing(), Number(11).mayBeMissing(),
    Variable(12, Vars::Any).mayBeMissing(), Number(13).mayBeMissing(),
    Variable(14, Vars::Any).mayBeMissing(), Number(15).mayBeMissing(),
    Variable(16, Vars::Any).mayBeMissing(), Number(17).mayBeMissing(),
    Variable(18, Vars::Any).mayBeMissing(), Number(19).mayBeMissing(),
};
// Six names, each with its first and last position.
constexpr FieldDecl kFixedFields[] = {
    Variable(3, Vars::Any).mayBeMissing(),  Number(4).mayBeMissing(),  Number(5).mayBeMissing(),
    Variable(6, Vars::Any).mayBeMissing(),  Number(7).mayBeMissing(),  Number(8).mayBeMissing(),
    Variable(9, Vars::Any).mayBeMissing(),  Number(10).mayBeMissing(), Number(11).mayBeMissing(),
    Variable(12, Vars::Any).mayBeMissing(), Number(13).mayBeMissing(), Number(14).mayBeMissing(),
    Variable(15, Vars::Any).mayBeMissing(), Number(16).mayBeMissing(), Number(17).mayBeMissing(),
    Variable(18, Vars::Any).mayBeMissing(), Number(19).mayBeMissing(), Number(20).mayBeMissing(),
};
constexpr ParamVariant kChampsVariants[] = {{kDelimited, kDelimitedFields}, {kFixed, kFixedFields}};

constexpr FieldDecl kType[] = {Text(ParamWhole).variable(Vars::Any)};

constexpr FieldDecl kExecute[] = {
    File(1).variable(Vars::Alpha),                        // a program, a document, an address, a macro
    Text(2).variable(Vars::Alpha).mayBeMissing(),         // its parameters
};

// Points X, Y, X, Y... written by the recorder.
constexpr FieldDecl kMousePath[] = {Number(1).repeated()};

// Up to three keys; the last field may also press or release them only.
constexpr FieldDecl kTypeSpecial[] = {
    Key(ParamField(1)),
    Key(ParamField(2)).mayBeMissing(),
    Key(ParamField(3)).mayBeMissing().repeated(),
    Key(ParamLast).orWords(kKeyActions),
};

// Written by the window spy: the window as last found, its criteria, what to do when none or several match.
constexpr FieldDecl kObjet[] = {
    Number(1).range(0, 4294967295LL),   // the window's handle, the object's name in other rows
    Number(2).range(0, 4294967295LL),   // its parent's
    Name(3),                            // the program that owns it
    Name(4),                            // its class
    Text(5),                            // its text
    Number(6).range(-2560, 2560),       // width
    Number(7).range(-2560, 2560),       // height
    Number(8).range(1, 2),              // none found: 1 wait
    Number(9).range(1, 3),              // several: 1 choose, 2 nothing, 3 the n-th
    Variable(10, Vars::Any).mayBeEmpty(),                            // receives the number found
    Number(11).range(1, 999).variable(Vars::Numeric).mayBeEmpty(),  // the n-th; needed for 3
    Number(12).range(0, 256),           // the criteria's bits
};

constexpr FieldDecl kQuestion[] = {
    Text(1).variable(Vars::Any),
    Text(2).variable(Vars::Any),
    Variable(3, Vars::Any).mayBeEmpty(),  // receives the answer
};
constexpr FieldDecl kMessage[] = {Text(1).variable(Vars::Any), Text(2).variable(Vars::Any)};

constexpr FieldDecl kManipulation[] = {
    Number(1).variable(Vars::Any),  // the window's handle
    Word(2, kManipulations),
    Text(3).variable(Vars::Any).mayBeEmpty(),
    Text(4).variable(Vars::Any).mayBeEmpty(),
};
constexpr const char16_t* kSize[] = {u"Taille"};
constexpr const char16_t* kMove[] = {u"Déplacer"};
// Width and height; left and top.
constexpr FieldDecl kTwoNumbers[] = {Number(3).variable(Vars::Any), Number(4).variable(Vars::Any)};
constexpr ParamVariant kManipulationVariants[] = {{kSize, kTwoNumbers}, {kMove, kTwoNumbers}};

// A time "hh:mm:ss", or an amount of the unit of field 2.
constexpr FieldDecl kPause[] = {Time(1).variable(Vars::Any), Word(2, kPauseUnits).mayBeMissing()};

constexpr FieldDecl kFileTool[] = {
    Word(1, kFileTools),
    File(2).variable(Vars::Alpha),
    Text(3).variable(Vars::Alpha).mayBeMissing(),
    File(4).variable(Vars::Alpha).mayBeMissing(),
};
constexpr const char16_t* kCopyMove[] = {u"Copier", u"Déplacer"};
constexpr const char16_t* kCopy[] = {u"Copier"};
constexpr const char16_t* kMoveFile[] = {u"Déplacer"};
constexpr const char16_t* kRename[] = {u"Renommer"};
constexpr const char16_t* kDelete[] = {u"Effacer"};
constexpr const char16_t* kSearch[] = {u"Rechercher"};
constexpr FieldDecl kToFolder[] = {Folder(3).variable(Vars::Alpha)};
constexpr FieldDecl kToFile[] = {File(3).variable(Vars::Alpha)};
constexpr FieldDecl kToTrash[] = {Word(3, kYesNo)};  // "Non" deletes for good
constexpr FieldDecl kSearchFields[] = {Folder(2).variable(Vars::Alpha), Text(3).variable(Vars::Alpha),  // masks
                                       File(4).variable(Vars::Alpha)};
constexpr ParamVariant kFileToolVariants[] = {
    {kCopy, kToFolder}, {kMoveFile, kToFolder}, {kRename, kToFile}, {kDelete, kToTrash}, {kSearch, kSearchFields}};

constexpr FieldDecl kScreenTool[] = {Word(1, kScreenTools), File(2).variable(Vars::Alpha)};

constexpr FieldDecl kDisplayTool[] = {
    Word(1, kDisplayTools),
    Text(2),
    Text(3).mayBeMissing(),
    Text(4).mayBeMissing(),
};
constexpr const char16_t* kResolution[] = {u"Résolution"};
constexpr const char16_t* kRefresh[] = {u"Fréquence"};
constexpr FieldDecl kResolutionFields[] = {Word(2, kWidths), Word(3, kHeights), Word(4, kDepths)};
constexpr FieldDecl kRefreshFields[] = {Word(2, kRates)};
constexpr ParamVariant kDisplayVariants[] = {{kResolution, kResolutionFields}, {kRefresh, kRefreshFields}};

constexpr FieldDecl kPowerTool[] = {Word(1, kPowerTools), Word(2, kYesNo).mayBeMissing()};  // "Oui" hibernates

constexpr FieldDecl kFolderTool[] = {
    Word(1, kFolderTools),
    Folder(2).variable(Vars::Alpha),
    Text(3).variable(Vars::Alpha).mayBeMissing(),  // the new name
};

constexpr FieldDecl kInclusion[] = {File(ParamWhole)};

constexpr ParamLayout kLayouts[] = {
    {Command::Plugin, {}},  // a plug-in's parameters are its own
    {Command::Goto, kWholeText},       // a label's name or a row number
    {Command::Procedure, kWholeText},  // a name, "END", or "CALL " and a name
    {Command::Label, kWholeText},
    {Command::Examine, kCondition},
    {Command::Variable, kVariable},
    {Command::ScriptEval, kScriptEval},
    {Command::MoveMouse, kMoveMouse},
    {Command::Click, kClick},
    {Command::TrouveImage, kTrouveImage},
    {Command::Lire, kRead},
    {Command::Ecrire, kWrite},
    {Command::Calcul, kCalcul},
    {Command::CalculEvolue, kWholeText},
    {Command::Fonction, kFonction, 2, kFonctionVariants},
    {Command::Commentaire, kWholeText},
    {Command::Champs, kChamps, 2, kChampsVariants},
    {Command::Type, kType},
    {Command::Execute, kExecute},
    {Command::ParcoursSouris, kMousePath},
    {Command::TypeSpecial, kTypeSpecial},
    {Command::Objet, kObjet},
    {Command::Question, kQuestion},
    {Command::Manipulation, kManipulation, 2, kManipulationVariants},
    {Command::Pause, kPause},
    {Command::OutilFichier, kFileTool, 1, kFileToolVariants},
    {Command::OutilEcran, kScreenTool},
    {Command::OutilAffichage, kDisplayTool, 1, kDisplayVariants},
    {Command::OutilAlimentation, kPowerTool},
    {Command::OutilRepertoire, kFolderTool},
    {Command::Quitter, {}},
    {Command::Inclusion, kInclusion},
    {Command::Message, kMessage},
};
static_assert(CoversEveryCommand(kLayouts),
              "kLayouts: one parameter layout per command, in the order of the command table");

const FieldDecl kUndeclared{};

}  // namespace

const ParamLayout& LayoutOf(Command command) { return kLayouts[int(command)]; }

const FieldDecl& DeclaredField(Command command, int n) {
    const auto fields = LayoutOf(command).fields;
    return n >= 1 && n <= int(fields.size()) ? fields[n - 1] : kUndeclared;
}

QStringList WordsOf(const FieldDecl& field) {
    QStringList words;
    for (const char16_t* w : field.words) words << QString::fromUtf16(w);
    return words;
}

// The screen spans the monitors put side by side: their widths added, the tallest height.
qint64 RangeTop(const FieldDecl& field) {
    if (field.top == Extent::Fixed) return field.max;
    int width = 0, height = 0;
    for (const QRect& monitor : platform::desktop().GetMonitors()) {
        width += monitor.width();
        height = qMax(height, monitor.height());
    }
    return field.top == Extent::ScreenWidth ? width : height;
}

FieldCounts CountsOf(const ParamLayout& layout) {
    FieldCounts counts{0, 0};
    for (const FieldDecl& f : layout.fields) {
        if (f.presence != Presence::MayBeMissing) ++counts.least;
        if (f.repeats || f.place.kind == ParamPlace::Middle || f.place.kind == ParamPlace::Rest)
            counts.most = -1;
        else if (counts.most >= 0)
            ++counts.most;
    }
    return counts;
}

// ---- ParamView ----

ParamView::ParamView(Command command, const QString& params, QChar separator, Resolve resolve)
    : layout_(LayoutOf(command)),
      params_(params),
      separator_(separator),
      resolve_(std::move(resolve)) {}

const TParamFields& ParamView::fields() const {
    if (!fields_) fields_ = SplitFields(params_, separator_, SplitRule::Runner);
    return *fields_;
}

const FieldDecl& ParamView::governing(ParamPlace place) const {
    const FieldDecl* decl = &kUndeclared;
    for (const FieldDecl& f : layout_.fields) {
        if (f.place == place) decl = &f;
        const bool repeatsHere = f.repeats && place.kind == ParamPlace::Field && f.place.n < place.n;
        if (repeatsHere && decl == &kUndeclared) decl = &f;
    }
    for (const ParamVariant& v : layout_.variants) {
        bool chosen = true;
        for (qsizetype k = 0; k < qsizetype(v.when.size()); ++k)
            chosen = chosen && fields()[layout_.selector + int(k)] == QStringView(v.when[k]);
        if (!chosen) continue;
        for (const FieldDecl& f : v.fields)
            if (f.place == place) decl = &f;
    }
    return *decl;
}

const FieldDecl& ParamView::field(int n) const {
    const auto decls = layout_.fields;
    return governing(n >= 1 && n <= int(decls.size()) ? decls[n - 1].place : ParamField(n));
}

const FieldDecl& ParamView::fieldAt(int position) const {
    const bool last = position == qMin(count(), kMaxParamFields) && governing(ParamLast).place == ParamLast;
    return governing(last ? ParamLast : ParamField(position));
}

QString ParamView::text(int n) const {
    const auto decls = layout_.fields;
    if (n >= 1 && n <= int(decls.size())) return ValueAt(params_, fields(), decls[n - 1].place, separator_);
    return textAt(n);
}

QString ParamView::textAt(int position) const {
    return position >= 1 && position <= kMaxParamFields ? fields()[position] : QString();
}

QString ParamView::value(int n) const {
    const QString written = text(n);
    return resolve_ && field(n).vars != Vars::None ? resolve_(written) : written;
}

std::optional<qint64> ParamView::integer(int n) const {
    const QString v = value(n);
    if (!mdlfnct::IsInteger(v)) return std::nullopt;
    return mdlfnct::StrToIntOrZero(v);
}

std::optional<qint64> ParamView::number(int n) const {
    const std::optional<qint64> v = integer(n);
    const FieldDecl& f = field(n);
    if (v && f.hasRange() && (*v < f.min || *v > RangeTop(f))) return std::nullopt;
    return v;
}

int ParamView::word(int n) const { return int(WordsOf(field(n)).indexOf(value(n))); }
