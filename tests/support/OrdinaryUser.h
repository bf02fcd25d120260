#pragma once

// File permissions do not bind the superuser, and CI runs as root. While an
// OrdinaryUser lives, this thread's file accesses are checked as the user
// "nobody" instead (the file-system user id; the process keeps its own), so
// tests of read-only files and folders run the same for root and for anyone.
// What such a test sets up must belong to that user: `own` hands it over.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtGlobal>

#include <sys/fsuid.h>
#include <unistd.h>

class OrdinaryUser
{
public:
    static constexpr uid_t Nobody = 65534;

    OrdinaryUser()
    {
        if (m_wasRoot) {
            setfsgid(Nobody);
            setfsuid(Nobody);
        }
    }
    ~OrdinaryUser()
    {
        if (m_wasRoot) {
            setfsuid(0);
            setfsgid(0);
        }
    }
    OrdinaryUser(const OrdinaryUser &) = delete;
    OrdinaryUser &operator=(const OrdinaryUser &) = delete;

    // Gives a file or folder made by the test to the user the checks run as.
    static void own(const QString &path)
    {
        if (geteuid() == 0 && chown(QFile::encodeName(path).constData(), Nobody, Nobody) != 0)
            qWarning("cannot hand %s to the ordinary user", qPrintable(path));
    }

private:
    const bool m_wasRoot = geteuid() == 0;
};
