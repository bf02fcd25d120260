#include "platform/Mail.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>

namespace {

QByteArray mailtoLink(const QString &body)
{
    return "mailto:?body=" + QUrl::toPercentEncoding(body);
}

bool startXdgEmail(const QStringList &arguments)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    return !program.isEmpty() && QProcess::startDetached(program, arguments);
}

// The attachment outlives this program's call: the mail program reads it later.
bool sendAsAttachment(const QString &body)
{
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/Tidewell-note-XXXXXX.txt"));
    file.setAutoRemove(false);
    const QByteArray bytes = body.toUtf8();
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush())
        return false;
    return startXdgEmail({QStringLiteral("--utf8"), QStringLiteral("--attach"), file.fileName()});
}

} // namespace

bool mailAvailable()
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (program.isEmpty())
        return false;
    QProcess query;
    query.start(program, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/mailto")});
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished();
        return false;
    }
    return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0
           && !query.readAllStandardOutput().trimmed().isEmpty();
}

bool sendMail(const QString &body)
{
    const QByteArray link = mailtoLink(body);
    if (link.size() <= MaxMailtoLength)
        return QDesktopServices::openUrl(QUrl::fromEncoded(link, QUrl::StrictMode));
    if (body.toUtf8().size() <= MaxCommandLineBody)
        return startXdgEmail({QStringLiteral("--utf8"), QStringLiteral("--body"), body});
    return sendAsAttachment(body);
}
