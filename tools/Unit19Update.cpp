// The update check of the "Mise à jour" tab: one GET of "update.ini" from the
// update server into memory, the news of the releases after this one, and
// the offer to open the installer's address. Nothing is installed here.
#include "core/Dialogs.h"
#include "core/Services.h"
#include "platform/Cp1252.h"
#include "tools/Unit19.h"
#include "tools/UpdateCheck.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>

namespace {
// The date of this release.
const QDate kBuildDate(2008, 6, 26);

// A line "dd/mm/yy" that names a real day (two-digit years within fifty years of today).
QDate releaseDate(const QString& line) {
    static const QRegularExpression pattern(QStringLiteral("^\\d\\d/\\d\\d/\\d\\d$"));
    if (!pattern.match(line).hasMatch()) return {};
    QDate day = QDate::fromString(line, QStringLiteral("dd/MM/yy"));
    if (day.isValid() && day.year() < QDate::currentDate().year() - 50) day = day.addYears(100);
    return day;
}
}  // namespace

QString UpdateServer() {
    const QString custom = qEnvironmentVariable("ORVANEL_UPDATE_URL");
    return custom.isEmpty() ? QStringLiteral("https://www.orvanel.org") : custom;
}

bool HttpGetToStream(const QUrl& url, QByteArray& into, QString& error, const HttpLimits& limits) {
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setTransferTimeout(limits.deadlineMs);
    QNetworkReply* reply = manager.get(request);
    QByteArray body;
    QString refused;  // why the answer was dropped
    auto drop = [&](const QString& why) {
        if (!refused.isEmpty()) return;
        refused = why;
        reply->abort();
    };
    const QString tooLong = QStringLiteral("réponse trop longue (plus de %1 Ko)").arg(limits.maxBytes / 1024);
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [&] {
        if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > limits.maxBytes) drop(tooLong);
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
        body += reply->read(limits.maxBytes + 1 - body.size());
        if (body.size() > limits.maxBytes) drop(tooLong);
    });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, [&] {
        drop(QStringLiteral("pas de réponse complète en %1 s").arg(limits.deadlineMs / 1000.0));
    });
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    deadline.start(limits.deadlineMs);
    if (!reply->isFinished()) loop.exec();
    if (refused.isEmpty() && reply->error() == QNetworkReply::NoError) body += reply->read(limits.maxBytes + 1 - body.size());
    if (refused.isEmpty() && body.size() > limits.maxBytes) refused = tooLong;
    error.clear();
    if (!refused.isEmpty()) error = QStringLiteral("Erreur : %1").arg(refused);
    else if (reply->error() != QNetworkReply::NoError) error = QStringLiteral("Erreur : %1").arg(reply->errorString());
    else into = body;
    delete reply;
    return error.isEmpty();
}

bool UpdateNews(const QStringList& lines, QStringList& news) {
    news.clear();
    for (const QString& line : lines) {
        const QDate day = releaseDate(line);
        if (day.isValid() && day <= kBuildDate) break;
        news << line;
    }
    const bool any = std::any_of(news.cbegin(), news.cend(), [](const QString& l) { return !l.isEmpty(); });
    news.prepend(QString());
    if (!any) news.prepend(QStringLiteral("Aucune mise à jour n'a été trouvée sur le serveur."));
    return any;
}

void TForm19::Button7Click() {
    Memo1->clear();
    Button7->setEnabled(false);
    Label33->setText(QStringLiteral("Status : Attendez SVP"));
    QByteArray text;
    QString error;
    const bool fetched = HttpGetToStream(QUrl(UpdateServer() + QStringLiteral("/Download/update.ini")), text, error);
    Label33->setText(fetched ? QStringLiteral("Status : Recherche terminée avec succès.") : error);
    Button7->setEnabled(true);
    if (!fetched) return;  // no news is said, and the date of the last check stays
    settings().UpdateCheckDone = true;
    QStringList news;
    const bool newer = UpdateNews(platform::cp1252Lines(text), news);
    Memo1->setPlainText(news.join(u'\n'));
    if (isVisible() && PageControl1->currentWidget() == TabSheet6) Memo1->setFocus();
    if (newer && MessageDlg(QStringLiteral("Une version plus recente de Orvanel existe. Voulez vous la télécharger ?"),
                            MsgType::Confirmation, mbYes | mbNo, QString(), mrNo) == mrYes)
        Services().OpenUrl(QUrl(UpdateServer() + QStringLiteral("/Download/Orvanel_install.exe")));
    Label36->setText(QDate::currentDate().toString(kShortDateFormat));
}
