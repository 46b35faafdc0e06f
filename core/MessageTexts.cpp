#include "core/MessageTexts.h"

#include <QHash>
#include <QLocale>
#include <QRegularExpression>

namespace {

struct BuiltIn {
    const char16_t* section;
    const char16_t* key;
    const char16_t* text;
};

constexpr BuiltIn kBuiltIn[] = {
    {u"Menu1", u"Exec5", u"Point d'arrêt"},
    {u"Menu1", u"Exec7", u"Supprimer point d'arrêt"},
    {u"Menu1", u"Exec8", u"Contexte d'exécution (Sauvegarde)"},
    {u"Menu1", u"Exec9", u"Contexte d'exécution (Chargement)"},
    {u"Form1", u"Error_with_edit",
     u"Cette macro comportent des erreurs, veuillez consulter le contrôle des commandes."},
    {u"Form1", u"Error_without_edit",
     u"Cette macro comportent des erreurs, prennez contact avec le concepteur de la macro."},
    {u"Form1", u"Lng_NewMacro", u"Nouvelle macro"},
    {u"Form1", u"Lng_SaveBeforeQuit", u"Voulez-vous sauvegarder avant de quitter?"},
    {u"Form1", u"Lng_State0", u"- Orvanel"},
    {u"Form1", u"Lng_State1", u"- Orvanel [En exécution]"},
    {u"Form1", u"Lng_State2", u"- Orvanel [Pas à pas]"},
    {u"Form1", u"Lng_State3", u"- Orvanel [Mise en pause]"},
    {u"Form1", u"Lng_State4", u"- Orvanel [Stoppé par Point d'arrêt]"},
    {u"Form1", u"Lng_State5", u"- Orvanel [Pas à pas, Commande en exécution]"},
    {u"Form18", u"lng_Restaurer", u"Restaurer"},
    {u"Form18", u"lng_Deplacer", u"Déplacer"},
    {u"Form18", u"lng_Taille", u"Taille"},
    {u"Form18", u"lng_Reduire", u"Réduire"},
    {u"Form18", u"lng_Agrandir", u"Agrandir"},
    {u"Form18", u"lng_Fermer", u"Fermer"},
    {u"Form18", u"lng_msgInit",
     u"Sélectionnez le n° du Handle puis une action dans la rubrique manipulation. Si l'action a besoin un ou des "
     u"paramètres, un message vous le dira."},
    {u"Form18", u"lng_msgNotParam", u"Cette action demande aucun paramètre."},
    {u"Form18", u"lng_msgDeplace",
     u"Sélectionnez dans Paramètre 1 l'abscisse, puis dans Paramètre 2 l'ordonnée, la mesure est en pixel."},
    {u"Form18", u"lng_msgTaille",
     u"Sélectionnez dans Paramètre 1 la Longueur, puis dans Paramètre 2 la largueur, la mesure est en pixel."},
    {u"Form18", u"lng_msgChgText", u"Sélectionnez dans Paramètre 1 le Texte de remplacement."},
    {u"Form18", u"lng_msgChoose", u"Sélectionnez une action dans la rubrique Manipulation."},
    {u"Form19", u"Lng_LastExecution", u"Dernière exécution : Départ : %s Fin : %s Temps Total : %s"},
    {u"Form19", u"Lgn_No_Change", u"Pas de changement"},
    {u"Form19", u"Lng_CommandCount", u"Nombre de commande : %d"},
    {u"Form19", u"Lng_ExecutedCount", u"Nombre de commande exécuté : %d (soit %s Sec(s)/commande)"},
    {u"Form19", u"Lng_RowText", u"Texte"},
    {u"Form19", u"Lng_RowBackground", u"Fond"},
    {u"Form19", u"Lng_RowGradientStart", u"Dégradé début"},
    {u"Form19", u"Lng_RowGradientEnd", u"Dégradé fin"},
    {u"Form19", u"Lng_RowStroke", u"Tracé"},
    {u"Form19", u"Lng_RowPrinting", u"Impression"},
    {u"Form19", u"Lng_RowCommand", u"Commande"},
    {u"Form19", u"Lng_RowParameter", u"Paramètre"},
    {u"Form19", u"Lng_RowVariable", u"Variable"},
    {u"Form19", u"Lng_MouseTest",
     u"Vous êtes en train de tester la vitesse de la souris. Pour arrêter ce test appuiez sur Entrée, pour diminuer "
     u"ou augmenter la vitesse de la souris utilisez les touche + ou - du pavé numérique."},
    {u"Form23", u"Lng_LastUpdate", u"Dernière mise à jour : "},
    {u"Form23", u"Lng_Version", u"Version %s"},
    {u"Form23", u"Lng_Memory", u"Mémoire physique %d"},
    {u"Form23", u"Lng_TotalMemory", u"Total %.0n Ko"},
    {u"Form23", u"Lng_UsedMemory", u"Disponible %.0n Ko"},
    {u"Form23", u"Lng_UsedCpu", u"Utilisation CPU %5.2f%%"},
    {u"Debug", u"Dbg_NoError", u"Aucune erreur, ni suggestion n'a été detectée"},
};

QString id(const QString& section, const QString& key) { return section + u'/' + key; }

QHash<QString, QString> builtInTexts() {
    QHash<QString, QString> t;
    for (const BuiltIn& b : kBuiltIn)
        t.insert(id(QString::fromUtf16(b.section), QString::fromUtf16(b.key)), QString::fromUtf16(b.text));
    return t;
}

QHash<QString, QString>& texts() {
    static QHash<QString, QString> current = builtInTexts();
    return current;
}

// A placeholder: "%", flags, width, precision, kind letter; or "%%".
const QRegularExpression& placeholder() {
    static const QRegularExpression re(QStringLiteral("%(%|[-+ 0#]*(\\d*)(?:\\.(\\d+))?([a-zA-Z]))"));
    return re;
}

}  // namespace

QString MessageText(const QString& section, const QString& key) { return texts().value(id(section, key)); }

QString NewMacroCaption() { return MessageText(QStringLiteral("Form1"), QStringLiteral("Lng_NewMacro")); }

bool SetMessageText(const QString& section, const QString& key, const QString& value) {
    auto it = texts().find(id(section, key));
    if (it == texts().end() || PlaceholderKinds(value) != PlaceholderKinds(*it)) return false;
    *it = value;
    return true;
}

void ResetMessageTexts() { texts() = builtInTexts(); }

QVector<QPair<QString, QString>> MessageTextKeys() {
    QVector<QPair<QString, QString>> keys;
    for (const BuiltIn& b : kBuiltIn) keys.append({QString::fromUtf16(b.section), QString::fromUtf16(b.key)});
    return keys;
}

QString PlaceholderKinds(const QString& format) {
    QString kinds;
    for (auto it = placeholder().globalMatch(format); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(1) != u"%") kinds += m.captured(4);
    }
    return kinds;
}

QString FormatMessageText(const QString& format, const QVariantList& values) {
    QString out;
    qsizetype from = 0, next = 0;
    for (auto it = placeholder().globalMatch(format); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += format.mid(from, m.capturedStart() - from);
        from = m.capturedEnd();
        if (m.captured(1) == u"%") {
            out += u'%';
            continue;
        }
        const QVariant v = values.value(next++);
        const int width = m.captured(2).toInt();
        const int precision = m.captured(3).isEmpty() ? -1 : m.captured(3).toInt();
        QString piece;
        switch (m.captured(4).at(0).toLower().unicode()) {
        case 'd': piece = QString::number(v.toLongLong()); break;
        case 'f': piece = QString::number(v.toDouble(), 'f', precision < 0 ? 6 : precision); break;
        case 'n': {
            QLocale blanks(QLocale::French);
            blanks.setNumberOptions(QLocale::DefaultNumberOptions);
            piece = blanks.toString(v.toDouble(), 'f', precision < 0 ? 2 : precision).replace(QChar(0x202F), u' ');
            piece.replace(QChar(0xA0), u' ');
            break;
        }
        default: piece = v.toString();
        }
        out += piece.rightJustified(width, u' ');
    }
    return out + format.mid(from);
}
