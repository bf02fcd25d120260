#pragma once

// Small DAN research files written by hand for the profile tests.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

// Line 1, a dive header with `header` (or the usual one) and six lines.
inline QByteArray danHead(const QByteArray &header = "1 03/02/97 14:23 45 60 1500P 72 80")
{
    return "02345.NEM  Cochran Nemesis IIa\r\n" + header + "\r\nl3\r\nl4\r\nl5\r\nl6\r\nl7\r\nl8\r\n";
}

// One sample line: time m.ss, depth, warning, deco, ceiling, temperature, pressure.
inline QByteArray danSample(const QByteArray &time, const QByteArray &depth, const QByteArray &warning = "false",
                            const QByteArray &deco = "false", const QByteArray &ceiling = "0",
                            const QByteArray &temperature = "72", const QByteArray &pressure = "3000")
{
    return ' ' + time + ' ' + depth + " 0 " + warning + ' ' + deco + ' ' + ceiling + ' ' + temperature + ' ' + pressure + "\r\n";
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
