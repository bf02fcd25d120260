#include "profiles/model/DanDive.h"

#include "core/NumText.h"
#include "core/Units.h"
#include "profiles/model/DanFields.h"
#include "profiles/model/DanLineReader.h"
#include "profiles/model/DanReader.h"

namespace {

constexpr int FirstSampleLine = 9;

QString textOf(std::string_view bytes) { return QString::fromLatin1(bytes.data(), qsizetype(bytes.size())); }

bool number(std::string_view field, double &value) { return TryStrToFloat(field, '.', value) && std::abs(value) < 1e9; }

} // namespace

DanDiveResult ReadDanDive(const QString &path)
{
    DanDiveResult result;
    DanLineReader reader(path);
    if (!reader.openError().isEmpty()) {
        result.message = reader.openError();
        return result;
    }
    LogDive &dive = result.dive;
    dive.mixes = {DiveMix{}};
    DanHeader header;
    std::string_view line;
    int lineNumber = 0;
    while (reader.next(line)) {
        ++lineNumber;
        if (lineNumber == 1) {
            header = DanReadIdentification(textOf(line));
            continue;
        }
        if (lineNumber == 2)
            DanReadDiveHeader(textOf(line), header);
        if (lineNumber < FirstSampleLine || DanIsEmptyLine(line))
            continue;
        if (!DanBeginsWithBlank(line))
            break; // the next dive's header
        std::array<std::string_view, DanSampleFields> fields;
        const int count = DanSplitFields(line, fields);
        double time = 0, depth = 0, temperature = 0;
        int ceiling = 0, pressure = 0;
        if (count < DanSampleFields || !number(fields[0], time) || !number(fields[1], depth)
            || !TryDecimalToInt(fields[5], ceiling) || !number(fields[6], temperature)
            || !TryDecimalToInt(fields[7], pressure)) {
            result.message = QStringLiteral("The sample line does not hold eight fields of numbers and words");
            result.messageLine = lineNumber;
            break;
        }
        DiveSample s;
        s.time = float(DanTimeSeconds(time));
        s.depth = float(depth * Conversion::FeetToMetres);
        s.temperature = float((temperature - Conversion::FahrenheitOffset) * Conversion::FahrenheitToCelsiusFactor);
        s.pressure = float(pressure * Conversion::PsiToBar);
        s.inDeco = fields[4] == "true";
        s.ceiling = s.inDeco ? float(std::max(0, ceiling) * Conversion::FeetToMetres) : 0.0f;
        s.given = DiveSample::TemperatureGiven | DiveSample::PressureGiven;
        dive.samples.push_back(s);
    }
    if (result.message.isEmpty() && !reader.readError().isEmpty())
        result.message = reader.readError();
    DiveHeader &h = dive.header;
    h.position = 1;
    h.number = header.diveNumber.trimmed();
    h.date = header.date;
    h.time = header.time;
    h.computer = header.serial;
    h.tankDescription = header.tank;
    return result;
}
