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

MailAvailability &MailAvailability::instance()
{
    static MailAvailability *mail = [] {
        auto *created = new MailAvailability;
        created->refresh();
        return created;
    }();
    return *mail;
}

void MailAvailability::refresh()
{
    // A question still open may have started before what changed: ask once
    // more when it ends, and tell only that answer.
    if (m_query) {
        m_askAgain = true;
        return;
    }
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (program.isEmpty()) {
        finish(false);
        return;
    }
    m_query = new QProcess(this);
    connect(m_query, &QProcess::finished, this, [this](int exitCode, QProcess::ExitStatus status) {
        finish(status == QProcess::NormalExit && exitCode == 0
               && !m_query->readAllStandardOutput().trimmed().isEmpty());
    });
    connect(m_query, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish(false);
    });
    m_query->start(program, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/mailto")});
}

void MailAvailability::finish(bool available)
{
    if (m_query) {
        m_query->disconnect(this);
        m_query->deleteLater();
        m_query = nullptr;
    }
    m_available = available;
    if (m_askAgain) {
        m_askAgain = false;
        refresh();
        return;
    }
    emit answered(available);
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
