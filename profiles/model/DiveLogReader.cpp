#include "profiles/model/DiveLogReader.h"

#include "profiles/model/DiveXml.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString cannotRead(const QString &path, const QString &reason, int line)
{
    return QStringLiteral("Cannot read %1: %2 (line %3)").arg(QFileInfo(path).fileName(), reason).arg(line);
}

QString holdsNoDives(const QString &path)
{
    return QStringLiteral("%1 holds no dives.").arg(QFileInfo(path).fileName());
}

void readDive(DiveLogFormat format, DiveXml &xml, const DiveLogContext &context, LogDive &dive)
{
    if (format == DiveLogFormat::Uddf)
        UddfReadDive(xml, context, dive);
    else
        SubsurfaceReadDive(xml, context, dive);
}

} // namespace

int DiveLog::firstDiveWithSamples() const
{
    for (std::size_t i = 0; i < regions.size(); ++i)
        if (regions[i].hasSamples)
            return int(i);
    return 0;
}

DiveLogOpenResult OpenDiveLog(const QString &path, const DiveLogProgress &progress)
{
    DiveLogOpenResult result;
    DiveLog &log = result.log;
    log.path = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.message = QStringLiteral("Cannot read %1: %2").arg(QFileInfo(path).fileName(), file.errorString());
        return result;
    }
    result.opened = true;
    const qint64 total = file.size();
    DiveLogScan scan;
    if (!ScanDiveLog(file, scan, [&](qint64 done) {
            if (progress)
                progress(done, total);
        })) {
        result.message = QStringLiteral("Cannot read %1: %2").arg(QFileInfo(path).fileName(), file.errorString());
        return result;
    }
    log.declaration = scan.declaration;
    log.format = scan.root == "uddf" ? DiveLogFormat::Uddf : DiveLogFormat::Subsurface;
    const bool known = scan.root == "uddf" || scan.root == "divelog" || scan.root == "dives";

    // The prolog: mixes, sites, buddies and computers; read to its end when
    // the file holds no dive, so that broken XML is told apart from no dives.
    {
        DiveXml xml(file, 0, scan.dives.empty() ? total : scan.prologEnd, {}, 1);
        if (log.format == DiveLogFormat::Uddf)
            UddfReadProlog(xml, log.context);
        else
            SubsurfaceReadProlog(xml, log.context);
        if (xml.failed()) {
            result.message = cannotRead(path, xml.error(), xml.errorLine());
            return result;
        }
        if (scan.dives.empty() && xml.endedEarly() && total > 0) {
            result.message = cannotRead(path, xml.endReason(), xml.errorLine());
            return result;
        }
    }
    if (!known || scan.dives.empty()) {
        result.message = holdsNoDives(path);
        return result;
    }

    // Each dive's header, from the part before its samples.
    log.regions = scan.dives;
    log.headers.reserve(scan.dives.size());
    for (std::size_t i = 0; i < scan.dives.size(); ++i) {
        const DiveRegion &region = scan.dives[i];
        DiveXml xml(file, region.begin, region.headEnd, log.declaration, region.line);
        LogDive dive;
        readDive(log.format, xml, log.context, dive);
        if (xml.failed()) {
            result.message = cannotRead(path, xml.error(), xml.errorLine());
            log.regions.clear();
            log.headers.clear();
            return result;
        }
        dive.header.position = int(i) + 1;
        log.headers.push_back(std::move(dive.header));
    }
    return result;
}

LogDiveResult ReadLogDive(const DiveLog &log, int index, const DiveLogProgress &progress)
{
    LogDiveResult result;
    if (index < 0 || index >= log.size())
        return result;
    QFile file(log.path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.message = QStringLiteral("Cannot read %1: %2").arg(QFileInfo(log.path).fileName(), file.errorString());
        return result;
    }
    const DiveRegion &region = log.regions[std::size_t(index)];
    // Room for the samples at once: a sample takes some 50 bytes of the file
    // at least, and room reserved but not filled costs no memory.
    result.dive.samples.reserve(std::size_t((region.end - region.begin) / 48));
    DiveXml xml(file, region.begin, region.end, log.declaration, region.line, [&](qint64 at) {
        if (progress)
            progress(at - region.begin, region.end - region.begin);
    });
    readDive(log.format, xml, log.context, result.dive);
    result.dive.header.position = index + 1;
    if (xml.failed()) {
        // Nothing half-drawn: a dive with broken XML gives no samples.
        result.dive.samples.clear();
        result.message = cannotRead(log.path, xml.error(), xml.errorLine());
    } else if (xml.endedEarly()) {
        result.dive.samples.clear();
        result.message =
            QStringLiteral("%1 changed since it was opened: open it again.").arg(QFileInfo(log.path).fileName());
    }
    return result;
}

bool IsDiveLogFile(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"uddf" || suffix == u"ssrf")
        return true;
    if (suffix != u"xml")
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray root = XmlRootName(file.read(64 * 1024));
    return root == "divelog" || root == "dives";
}
