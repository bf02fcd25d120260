#include "tests/support/DanFiles.h"

#include <QSaveFile>

#include <algorithm>

QByteArray DanMinutesText(int seconds)
{
    QByteArray text = QByteArray::number(seconds / 60) + '.';
    if (seconds % 60 < 10)
        text += '0';
    return text + QByteArray::number(seconds % 60);
}

namespace {

// Down in the first tenth of the dive, back up in the last fifth.
double depthAt(const DanDiveShape &dive, int i)
{
    const double f = double(i) / std::max(1, dive.samples - 1);
    if (f < 0.1)
        return dive.maxDepth * f / 0.1;
    if (f > 0.8)
        return dive.maxDepth * (1.0 - f) / 0.2;
    return dive.maxDepth;
}

void appendSample(QByteArray &out, const DanDiveShape &dive, int i)
{
    const double depth = depthAt(dive, i);
    int ceiling = 0;
    for (const DanDecoPhase &phase : dive.deco)
        if (i >= phase.from && i < phase.to)
            ceiling = phase.ceiling;
    const bool deco = ceiling > 0;
    const int pressure = dive.startPressure - (dive.startPressure * 2 / 3) * i / std::max(1, dive.samples);
    out += ' ';
    out += DanMinutesText(i * dive.intervalSeconds);
    out += ' ';
    out += QByteArray::number(depth, 'f', 1);
    out += " 0 ";
    out += dive.warnings.contains(i) ? "true " : "false ";
    out += deco ? "true " : "false ";
    out += QByteArray::number(ceiling);
    out += ' ';
    out += QByteArray::number(72.0 - depth / 10.0, 'f', 1);
    out += ' ';
    out += QByteArray::number(pressure);
    out += "\r\n";
}

QByteArray headerText(const DanDiveShape &dive)
{
    QByteArray out = QByteArray::number(dive.number) + ' ' + dive.date.toLatin1() + ' ' + dive.time.toLatin1() + " 45 60 "
                     + dive.gasUsed.toLatin1() + ' ' + dive.averageTemperature.toLatin1() + ' ' + dive.tank.toLatin1() + "\r\n";
    for (int i = 1; i <= 6; ++i)
        out += "Profile line " + QByteArray::number(i) + " not interpreted\r\n";
    return out;
}

} // namespace

QByteArray DanDiveText(const DanDiveShape &dive)
{
    QByteArray out = headerText(dive);
    for (int i = 0; i < dive.samples; ++i)
        appendSample(out, dive, i);
    return out;
}

bool WriteDanFile(const QString &path, const QList<DanDiveShape> &dives)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QByteArray(DanIdentification) + "\r\n");
    QByteArray chunk;
    for (const DanDiveShape &dive : dives) {
        chunk += headerText(dive);
        for (int i = 0; i < dive.samples; ++i) {
            appendSample(chunk, dive, i);
            if (chunk.size() > (1 << 20)) {
                file.write(chunk);
                chunk.clear();
            }
        }
    }
    file.write(chunk);
    return file.commit();
}
