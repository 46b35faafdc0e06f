// A sample command plug-in for Orvanel (plugins/OrvanelPlugin.h).
//
// The command "Exemple" gives a variable a value: its parameter string is
// "variable;valeur;" with the macro's separator, and a value that names a
// variable stands for that variable's value. It writes a green note into the
// execution report (error code 5: the run goes on). Its window edits both
// fields; cancelling it cancels the new or changed row.
#include "plugins/OrvanelPlugin.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include <string>

namespace {

uint64_t orvanel = 0;  // the main window
uint32_t self = 0;     // our module handle
std::string returned;  // what the last call returned, kept until the next one

// The last answer of GetInfoFromOrvanel.
struct {
    QString text;
    bool valid = false;
} answer;

const char* keep(const QString& text) {
    returned = text.toStdString();
    return returned.c_str();
}

intptr_t send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return OrvanelSendMessage(orvanel, message, wParam, lParam);
}

QString ask(uint32_t message, intptr_t lParam) {
    answer = {};
    send(message, self, lParam);
    return answer.text;
}

QString separator() {
    const QString s = ask(ORVANEL_QUERY, 4);
    return s.isEmpty() ? QStringLiteral(";") : s;
}

// Variable and value of a parameter string.
QStringList fields(const char* params) {
    QStringList f = QString::fromUtf8(params).split(separator());
    while (f.size() < 2) f << QString();
    return f;
}

void report(int code, const QString& text) {
    const std::string bytes = text.toStdString();
    send(ORVANEL_ERROR, uintptr_t(code), intptr_t(bytes.c_str()));
}

// Our editing window: the parameter string of the row, or none when cancelled
// (then Orvanel is told to drop the row).
const char* edit(const QStringList& current) {
    QDialog dialog;
    dialog.setObjectName(QStringLiteral("ExempleDialog"));
    dialog.setWindowTitle(QStringLiteral("Exemple"));
    auto* variable = new QLineEdit(current[0], &dialog);
    variable->setObjectName(QStringLiteral("Variable"));
    auto* value = new QLineEdit(current[1], &dialog);
    value->setObjectName(QStringLiteral("Valeur"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QFormLayout(&dialog);
    layout->addRow(QStringLiteral("Variable"), variable);
    layout->addRow(QStringLiteral("Valeur"), value);
    layout->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        send(ORVANEL_QUERY, self, 0);
        return keep(QString());
    }
    const QString s = separator();
    return keep(variable->text() + s + value->text() + s);
}

// A small picture: a puzzle piece.
const char* const kIcon[] = {
    "16 16 3 1", "  c None", ". c #2E6DB4", "o c #FFFFFF",
    "                ",
    "      ....      ",
    "     ......     ",
    "     ......     ",
    "  ............  ",
    "  ............  ",
    "  ....oooo....  ",
    "......oooo......",
    "......oooo......",
    "  ....oooo....  ",
    "  ............  ",
    "  ............  ",
    "     ......     ",
    "     ......     ",
    "      ....      ",
    "                ",
};

}  // namespace

extern "C" {

ORVANEL_PLUGIN_EXPORT_VERSION

void ReceiveHandleApp(uint64_t window) { orvanel = window; }
void ReceiveHandleLibrary(uint32_t module) { self = module; }

const char* GetInfoName(void) { return "Exemple"; }
const char* GetInfoRubrique(void) { return "Exemples"; }
const char* GetInfoHint(void) { return "Exemple : donne une valeur à une variable"; }
const char* GetInfoDescription(void) {
    return "Donne une valeur à une variable. Paramètres : la variable, puis la valeur (le nom d'une variable "
           "vaut sa valeur).";
}
const char* const* GetInfoIcon(void) { return kIcon; }

void GetInfoFromOrvanel(const char*, const char* text, int32_t, int32_t valid) {
    answer = {QString::fromUtf8(text), valid != 0};
}
void GetListOrder(const char*, const char*, int32_t) {}

int32_t Debug(const char* params) { return fields(params)[0].isEmpty() ? 0 : 1; }
const char* MsgDebug(const char* params) {
    const QStringList f = fields(params);
    if (f[0].isEmpty()) return keep(QStringLiteral("Exemple : il manque le nom de la variable."));
    if (f[1].isEmpty()) return keep(QStringLiteral("Exemple : la valeur est vide."));
    return keep(QString());
}

const char* NewOrdre(void) { return edit({QStringLiteral("RESULTAT"), QStringLiteral("Bonjour")}); }
const char* ChangeOrdre(const char* params) { return edit(fields(params)); }

void ExecuteOrder(const char* params) {
    const QStringList f = fields(params);
    if (f[0].isEmpty()) return report(0, QStringLiteral("Exemple : aucune variable à écrire."));
    const std::string asked = f[1].toStdString();
    const QString value = ask(ORVANEL_GETVAR, intptr_t(asked.c_str()));
    const std::string name = f[0].toStdString(), bytes = value.toStdString();
    send(ORVANEL_SETVAR, uintptr_t(name.c_str()), intptr_t(bytes.c_str()));
    report(5, QStringLiteral("Exemple : %1 = %2").arg(f[0], value));
}

void StopOrder(void) {}

}  // extern "C"
