// Run-time handler of "Fonction": the category table, and the functions
// computed from the parameters alone (text, date, time, random, numbers).
#include "core/RunState.h"
#include "engine/Fonction.h"
#include "core/Variables.h"
#include "engine/Handlers.h"
#include "engine/Runner.h"
#include "engine/mdlfnct.h"

#include <QDateTime>
#include <QRandomGenerator>

#include <cmath>

using namespace mdlfnct;

namespace {

struct Category {
    const char16_t* name;
    FonctionResult (*compute)(const FonctionCall&);
};
// In the order the categories are tried.
constexpr Category kCategories[] = {
    {u"Texte", TextFunction},
    {u"Clipboard", ClipboardFunction},
    {u"Date", DateFunction},
    {u"Heure", TimeFunction},
    {u"Curseur", CursorFunction},
    {u"Handle", HandleFunction},
    {u"Hasard", RandomFunction},
    {u"Disque", DiskFunction},
    {u"Fichier", FileFunction},
    {u"Répertoire système", FolderFunction},
    {u"Ecran", ScreenFunction},
    {u"Nombre", NumberFunction},
    {u"Paramètre d'exécution", RunParameterFunction},
};

// Copy of n characters from position p (1-based); a start below 1 counts from 1.
QString copy(const QString& text, qint64 p, qint64 n) {
    if (n <= 0 || p > text.size()) return QString();
    return text.mid(qsizetype(qMax<qint64>(p, 1) - 1), qsizetype(qMin<qint64>(n, text.size())));
}

// Only the letters a to z (A to Z) change case.
QString asciiCase(QString text, bool upper) {
    for (QChar& ch : text) {
        const char16_t c = ch.unicode();
        if (upper && c >= u'a' && c <= u'z') ch = QChar(c - 32);
        if (!upper && c >= u'A' && c <= u'Z') ch = QChar(c + 32);
    }
    return text;
}

// Positions of "Caractère(s)/...": F5 and F6 resolved, integers.
bool positions(const FonctionCall& c, qint64& first, qint64& second) {
    for (int field : {5, 6}) {
        const QString value = GetVarValue(c.p.text(field));
        if (!IsInteger(value)) {
            FonctionError(QStringLiteral("Le paramètre %1 de la commande %2 est invalide [%3].")
                              .arg(field)
                              .arg(c.function(), c.p.text(field)));
            return false;
        }
        (field == 5 ? first : second) = StrToIntOrZero(value);
    }
    return true;
}

QString number(double x) { return QString::number(x, 'g', 15); }

// The picture "0.00..." with that many decimals (a field holds at most
// 255), rounded; a value rounded to zero has no sign.
QString fixed(double x, int decimals) {
    QString text = QString::number(x, 'f', qBound(0, decimals, kMaxFieldLength));
    if (text.startsWith(u'-') && text.toDouble() == 0) text.remove(0, 1);
    return text;
}

}  // namespace

FonctionResult FonctionError(const QString& message) {
    Runner->RaiseExecError(message, 0);
    return std::nullopt;
}

// A category's error is the row's (the runner holds it until the row ends).
CommandResult ExecFonction(CommandCall& c) {
    const FonctionCall call{c.param, c.param.value(4)};
    const QString category = c.param.text(2);
    for (const Category& known : kCategories) {
        if (category != QStringView(known.name)) continue;
        if (const FonctionResult result = known.compute(call)) c.Write(c.param.text(1), *result);
        break;
    }
    return Done();
}

FonctionResult TextFunction(const FonctionCall& c) {
    const QString fn = c.function();
    if (fn == u"Longueur") return QString::number(c.v.size());
    const bool toEnd = fn == QStringLiteral("Caractère(s)/Position(s)");
    if (toEnd || fn == QStringLiteral("Caractère(s)/Longueur")) {
        qint64 p = 0, q = 0;
        if (!positions(c, p, q)) return std::nullopt;
        return copy(c.v, p, toEnd ? q - p + 1 : q);
    }
    const QString again = GetVarValue(c.v);
    if (fn == u"Majuscule") return asciiCase(again, true);
    if (fn == u"Minuscule") return asciiCase(again, false);
    if (fn == u"Remplace") {
        QString text = GetVarValue(c.p.text(1));
        return again.isEmpty() ? text : text.replace(again, GetVarValue(c.p.text(5)), Qt::CaseInsensitive);
    }
    if (fn == u"Trouver") {
        const QString sought = GetVarValue(c.p.text(5));
        return QString::number(sought.isEmpty() ? 0 : again.indexOf(sought) + 1);
    }
    return std::nullopt;
}

FonctionResult DateFunction(const FonctionCall& c) {
    if (!c.v.isEmpty() && !IsInteger(c.v))
        return FonctionError(QStringLiteral("Le paramètre de décalage de jour n'est pas une valeur numérique. [") +
                             c.v + u']');
    const QDateTime when = QDateTime::currentDateTime().addDays(StrToIntOrZero(c.v));
    const QString fn = c.function();
    if (fn == u"JJ/MM/AAAA") return when.toString(QStringLiteral("dd/MM/yyyy"));
    if (fn == u"JJMMAAAA") return when.toString(QStringLiteral("ddMMyyyy"));
    if (fn == u"AAAAMMJJ") return when.toString(QStringLiteral("yyyyMMdd"));
    if (fn == u"Jour" || fn == u"Mois" || fn == QStringLiteral("Année")) return DateTimePart(fn, when);
    return std::nullopt;
}

FonctionResult TimeFunction(const FonctionCall& c) {
    const QDateTime now = QDateTime::currentDateTime();
    const QString fn = c.function();
    if (fn == u"Heure" || fn == u"Minute" || fn == u"Seconde") return DateTimePart(fn, now);
    if (fn == u"HH:MM:SS") return now.toString(QStringLiteral("hh:mm:ss"));
    if (fn == u"HHMMSS") return now.toString(QStringLiteral("hhmmss"));
    return std::nullopt;
}

// "Lettre" draws among the 26 letters, Z included.
FonctionResult RandomFunction(const FonctionCall& c) {
    QRandomGenerator& random = *QRandomGenerator::global();
    if (c.function() == u"Nombre") {
        const int n = IsInteger(c.v) ? StrToIntOrZero(c.v) : 0;
        return QString::number(n > 0 ? random.bounded(n) : 0);
    }
    if (c.function() == u"Lettre") return QString(QChar(u'A' + random.bounded(26)));
    return std::nullopt;
}

FonctionResult NumberFunction(const FonctionCall& c) {
    const QString input = GetVarValue(c.p.text(1));
    if (!IsInteger(input) && !IsFloat(input))
        return FonctionError(QStringLiteral("[Ligne :%1]- Fonction Nombre impossible à exécuter,car la valeur n'est "
                                            "pas numérique.")
                                 .arg(RunState().CurrentOrderIndex + 1));
    const double x = IsInteger(input) ? StrToIntOrZero(input) : input.trimmed().toDouble();
    const QString fn = c.function();
    if (fn == u"Abs") return number(std::fabs(x));
    if (fn == u"Cos") return number(std::cos(x));
    if (fn == u"Sin") return number(std::sin(x));
    if (fn == u"Tang") return number(std::tan(x));
    if (fn == u"Cotang") return number(1.0 / std::tan(x));
    if (fn == u"Tronc") return number(std::trunc(x));
    if (fn == QStringLiteral("Décimales")) return fixed(x, IsInteger(c.v) ? qMax(0, StrToIntOrZero(c.v)) : 2);
    if (fn == QStringLiteral("Monétaire")) return fixed(x, 2);
    return std::nullopt;
}
