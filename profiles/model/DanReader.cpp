#include "profiles/model/DanReader.h"

#include "core/Errors.h"
#include "profiles/model/DanFields.h"
#include "profiles/model/DanLineReader.h"
#include "profiles/model/DanProfile.h"

#include <QFileInfo>

#include <string>

namespace {

constexpr int FirstSampleLine = 9;

QString textOf(std::string_view bytes) { return QString::fromLatin1(bytes.data(), qsizetype(bytes.size())); }

QString fieldOf(const QString &line, int number)
{
    const QByteArray bytes = line.toLatin1();
    return textOf(DanField(std::string_view(bytes.constData(), std::size_t(bytes.size())), number));
}

} // namespace

QString DanHeader::chartCaption() const { return QStringLiteral("Dive # %1 on %2 %3").arg(diveNumber, date, time); }

DanHeader DanReadIdentification(const QString &line1)
{
    DanHeader header;
    const qsizetype dot = line1.indexOf(u'.');
    header.serial = (dot < 0 ? line1 : line1.left(dot)).trimmed();
    const QString first = fieldOf(line1, 1);
    const qsizetype extension = first.lastIndexOf(u'.');
    header.baseName = extension < 0 ? first : first.left(extension);
    return header;
}

void DanReadDiveHeader(const QString &line2, DanHeader &header)
{
    header.diveNumber = line2.left(2);
    header.date = fieldOf(line2, 2);
    header.time = fieldOf(line2, 3);
    header.gasUsed = fieldOf(line2, 6);
    const qsizetype p = header.gasUsed.indexOf(u'P');
    if (p >= 0)
        header.gasUsed = header.gasUsed.left(p) + QStringLiteral(" PSI");
    header.averageTemperature = fieldOf(line2, 7);
    header.tank = fieldOf(line2, 8);
}

DanLoadResult LoadDanFile(const QString &path, const DanLoadOptions &options, DanPlotter &plotter)
{
    DanLoadResult result;
    DanLineReader reader(path);
    if (!reader.openError().isEmpty()) {
        result.message = reader.openError();
        return result;
    }
    result.opened = true;
    const int step = std::max(1, options.resolutionStep);
    qint64 position = 0;
    DanProfile profile(plotter, options.animate, [&] {
        if (options.redraw)
            options.redraw(position);
    });
    if (options.sample)
        profile.setSampleSink(options.sample);
    const auto takeSummary = [&] {
        result.maxDepth = profile.maxDepth();
        result.maxTime = profile.maxTime();
        result.maxTemperature = profile.maxTemperature();
        result.samplingInterval = profile.samplingInterval();
        result.sampleCount = profile.sampleCount();
        result.charactersRead = position;
    };

    DanDrawOp start;
    plotter.draw(start); // the pen at (0, 0)

    std::string_view line;
    int lineNumber = 0;
    while (lineNumber < FirstSampleLine - 1 && reader.next(line)) {
        ++lineNumber;
        if (lineNumber == 1)
            result.header = DanReadIdentification(textOf(line));
        else if (lineNumber == 2)
            DanReadDiveHeader(textOf(line), result.header);
    }

    // The final sample is always drawn, also when the step test skipped it.
    std::string skipped;
    int skippedLine = 0;
    int parseLine = 0;
    try {
        while (reader.next(line)) {
            ++lineNumber;
            if (DanIsEmptyLine(line))
                continue;
            if (!DanBeginsWithBlank(line)) {
                result.severalDives = true;
                takeSummary();
                return result;
            }
            position += qint64(line.size());
            if (position % step == 0) {
                skippedLine = 0;
                parseLine = lineNumber;
                profile.ParseData(line);
            } else {
                skipped.assign(line);
                skippedLine = lineNumber;
            }
        }
        if (skippedLine > 0) {
            parseLine = skippedLine;
            profile.ParseData(skipped);
        }
    } catch (const ConvertError &error) {
        result.message = error.message();
        result.messageLine = parseLine;
    }
    if (result.message.isEmpty() && !reader.readError().isEmpty())
        result.message = reader.readError();
    takeSummary();
    if (result.message.isEmpty() && result.sampleCount == 0)
        result.message = QStringLiteral("%1 holds no dive samples (they begin on line %2).")
                             .arg(QFileInfo(path).fileName())
                             .arg(FirstSampleLine);
    return result;
}
