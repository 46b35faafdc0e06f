#pragma once
// The update check's network and news (the options dialog's "Mise à jour").
#include <QByteArray>
#include <QString>
#include <QStringList>

class QUrl;

// The program's web site, where updates are: a constant of the program, or
// ORVANEL_UPDATE_URL.
QString UpdateServer();
// What one GET may take: "update.ini" is a few kilobytes, and the whole
// answer must come within the deadline, however slowly it trickles.
struct HttpLimits {
    qint64 maxBytes = 64 * 1024;
    int deadlineMs = 15000;
};
// One GET into memory; false with "Erreur : " and the reason, also when the
// answer passes the limits (it is then dropped at once).
bool HttpGetToStream(const QUrl& url, QByteArray& into, QString& error, const HttpLimits& limits = {});
// The lines of "update.ini" above the first release not newer than this one,
// under an empty line; with no news, "Aucune mise à jour n'a été trouvée sur
// le serveur." above it. A date line that names no real day is news. True
// when there is news.
bool UpdateNews(const QStringList& lines, QStringList& news);
