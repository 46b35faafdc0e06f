// A macro as text: the selected rows copied as forum text or HTML, and the
// listings of a form's controls for translators and help pages.
#include "core/CplBrd.h"
#include "core/Dialogs.h"
#include "core/Print.h"
#include "core/Unit1.h"
#include "platform/Cp1252.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>

namespace {

// Where the forum finds the command pictures.
const QString kImageBase = QStringLiteral("http://www.orvanel.org/ImgOrder/");
constexpr int kBuiltInIcons = 33;

// A built-in command's icon number, or a plug-in's keyword with "~" for its blanks.
QString iconName(const QString& keyword) {
    const int n = TForm1::GetImageIndexOfText(keyword);
    return n < kBuiltInIcons ? QString::number(n) : QString(keyword).replace(u' ', u'~');
}

using LineOf = QString (*)(const QString&, const QString&);

void copySelectedRows(const TListView& list, LineOf line) {
    if (!list.isVisible()) return;
    QString text;
    for (int r = 0; r < list.count(); ++r)
        if (list.isSelected(r)) text += line(list.keyword(r), list.params(r));
    CplBrd::SetClipboardText(text);
}

// Appends lines to a text file; false (said) when it cannot be written.
bool appendLines(const QString& path, const QStringList& lines) {
    QFile file(path);
    if (file.open(QIODevice::Append) && file.write(platform::toCp1252(lines.join(QStringLiteral("\r\n")) + "\r\n")) >= 0)
        return true;
    MessageDlg(QStringLiteral("Impossible d'écrire le fichier « %1 » : %2").arg(path, file.errorString()),
               MsgType::Error, mbOK);
    return false;
}

// The text a control shows: a caption, or the text of an edit or a combo box.
QString shownText(const QWidget* w) {
    if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(w)) return edit->text();
    if (auto* combo = qobject_cast<const QComboBox*>(w)) return combo->currentText();
    return {};
}

// The controls named prefix + number (number from 0 to the form's count of
// components less one), prefix by prefix.
template <class Visit>
void forNamedControls(const QWidget& form, std::initializer_list<const char*> prefixes, Visit visit) {
    const int count = int(form.findChildren<QObject*>().size());
    for (const char* prefix : prefixes)
        for (int i = 0; i < count; ++i)
            if (auto* w = form.findChild<QWidget*>(QLatin1String(prefix) + QString::number(i))) visit(prefix, *w);
}

bool isChoice(const char* prefix) { return qstrcmp(prefix, "CheckBox") == 0 || qstrcmp(prefix, "RadioButton") == 0; }

}  // namespace

QString ForumLine(const QString& keyword, const QString& params) {
    return QStringLiteral("[img]") + kImageBase + iconName(keyword) + QStringLiteral(".GIF[/img]\t[B]") + keyword +
           QStringLiteral("[/B]\t\t") + params + QStringLiteral("\r\n");
}

QString HtmlLine(const QString& keyword, const QString& params) {
    return QStringLiteral("<IMG src=\"") + iconName(keyword).toHtmlEscaped() + QStringLiteral(".GIF\">&nbsp;<B>") +
           keyword.toHtmlEscaped() + QStringLiteral("</B>&nbsp;&nbsp;") + params.toHtmlEscaped() +
           QStringLiteral("\r\n<BR>");
}

void TForm1::phpBB1Click() { copySelectedRows(*ListView1, ForumLine); }

void TForm1::HTML1Click() { copySelectedRows(*ListView1, HtmlLine); }

void TForm1::PrintComponentList(const QWidget& form, const QString& textFile, const QString& codeFile) {
    const QString name = form.objectName();
    QStringList text = {QString(), QStringLiteral("*** Print Component List of ") + name + QStringLiteral(" ***"),
                        u'[' + name + u']', QString()};
    QStringList code;
    forNamedControls(form, {"Label", "Edit", "Button", "SpeedButton", "CheckBox", "RadioButton"},
                     [&](const char* prefix, const QWidget& w) {
                         const QString shown = shownText(&w);
                         if (isChoice(prefix) && shown.isEmpty()) return;
                         const QString property = qstrcmp(prefix, "Edit") == 0 ? QStringLiteral("Text")
                                                                                : QStringLiteral("caption");
                         const QString control = name + u'.' + w.objectName() + u'.' + property;
                         code << QStringLiteral("%1 := FileLng.ReadString('%2','%3',%1);")
                                     .arg(control, name, w.objectName());
                         text << w.objectName() + QStringLiteral(" =") + shown;
                     });
    text << QStringLiteral("*** End of ") + name + QStringLiteral(" ***") << QString();
    if (appendLines(textFile, text) && !code.isEmpty()) appendLines(codeFile, code);
}

void TForm1::PrintMapArea(const QWidget& form, const QString& file) {
    const QString name = form.objectName();
    QStringList lines = {QStringLiteral("*** Print Component List of %1 [%2] ***").arg(name, form.windowTitle()),
                         QStringLiteral("<map name=\"graphique\">")};
    forNamedControls(form, {"Edit", "ComboBox", "Button", "SpeedButton", "CheckBox", "RadioButton"},
                     [&](const char* prefix, const QWidget& w) {
                         QString alt = shownText(&w);
                         if (isChoice(prefix) && alt.isEmpty()) return;
                         if (qstrcmp(prefix, "Edit") == 0 || qstrcmp(prefix, "ComboBox") == 0)
                             alt = QStringLiteral("Paramètre");
                         else if (alt == u"Valider")
                             alt = QStringLiteral("Cliquez sur ce bouton pour valider la commande.");
                         else if (alt == u"Annuler")
                             alt = QStringLiteral("Cliquez sur ce bouton pour annuler la commande.");
                         const QRect r(w.mapTo(&form, QPoint(0, 0)), w.size());
                         lines << QStringLiteral("<area shape=\"rect\" coords=\"%1,%2,%3,%4\" alt=\"%5\">")
                                      .arg(r.left() + 8)
                                      .arg(r.top() + 28)
                                      .arg(r.left() + r.width() + 8)
                                      .arg(r.top() + r.height() + 28)
                                      .arg(alt.toHtmlEscaped());
                     });
    lines << QStringLiteral("</map>") << QStringLiteral("*** End of ") + name + QStringLiteral(" ***");
    appendLines(file, lines);
}
