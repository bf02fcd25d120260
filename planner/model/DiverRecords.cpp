#include "planner/model/DiverRecords.h"

#include "planner/model/PlanModel.h"

#include "core/Errors.h"
#include "core/NumText.h"
#include "core/SettingsFile.h"
#include "core/SettingsSections.h"
#include "core/Units.h"

#include <span>

namespace {

const QString Divers = QStringLiteral("Divers");
const QString Total = QStringLiteral("Total");
const QString DefaultName = QStringLiteral("Default");
const QString LoadError = QStringLiteral("Load Error");

// Record names compare as the settings file compares section names, so a
// name differing only in letter case or surrounding blanks is the same record.
bool sameRecord(const QString &a, const QString &b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

QString defaultRecordName(const IniFile &settings) { return settings.readString(Divers, DefaultName, QString()); }

struct ExampleRecord
{
    const char *name;
    const char *tankSize;
    const char *certified;
    double rmv;
};

constexpr ExampleRecord MetricExamples[] = {
    {"Diver #1", "10", "241", 15},
    {"Diver #2", "12", "230", 20},
};

constexpr ExampleRecord ImperialExamples[] = {
    {"Dorvik, Doubles", "240", "3500", 0.95}, {"Dorvik, 120", "120", "3500", 0.95}, {"Zovu, 120", "120", "3500", 0.75},
    {"Zovu, 100", "100", "3500", 0.75},       {"Zovu, 80", "80", "3500", 0.75},     {"Zaru, 160", "160", "3000", 1.15},
    {"Zaru, 120", "120", "3000", 1.15},       {"Zaru, 100", "100", "3000", 1.15},   {"Zad, 95", "95", "2475", 0.65},
};

void refuseBadName(const QString &name)
{
    const QString problem = DiverNameProblem(name);
    if (!problem.isEmpty())
        throw AppError(problem);
}

} // namespace

QString DiverNameProblem(const QString &name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("A diver record needs a name.");
    if (IsProgramSection(name))
        return QStringLiteral("\"%1\" is a name the program uses for its own settings. "
                              "Please choose another name for the diver.")
            .arg(name.trimmed());
    // A gas mix keeps its record in a section of its own name too.
    for (const QString &mix : IndexedNames(SettingsFile(), QStringLiteral("Gas Mixes")))
        if (sameRecord(name, mix))
            return QStringLiteral("\"%1\" is the name of a gas mix. "
                                  "Please choose another name for the diver.")
                .arg(name.trimmed());
    for (const QChar c : {QChar(u'['), QChar(u']'), QChar(u'='), QChar(u'\r'), QChar(u'\n')})
        if (name.contains(c))
            return QStringLiteral("A diver name cannot hold the characters [ ] = or a line break.");
    return {};
}

QStringList DiverRecordNames()
{
    const IniFile settings = SettingsFile();
    const int total = settings.readInteger(Divers, Total, 0);
    QStringList names;
    for (int i = 1; i <= total; ++i)
        names << settings.readString(Divers, IntToStr(i), QString());
    return names;
}

void PutDiverRecord(PlanModel &plan, int diver, const QString &requested)
{
    const IniFile settings = SettingsFile();
    QString name = requested;
    if (name.isEmpty() || name == DefaultName || name == LoadError)
        name = defaultRecordName(settings);
    DiverInputs &fields = plan.inputs.diver.at(diver - 1);
    if (name.isEmpty()) {
        fields.Name.clear();
        return;
    }
    fields.Name = name;
    fields.Tanksize = settings.readString(name, QStringLiteral("TankSize"), LoadError);
    fields.PSI = settings.readString(name, QStringLiteral("Certified"), LoadError);
    fields.BR = settings.readString(name, QStringLiteral("RMV"), LoadError);
}

void LoadDiver1(PlanModel &plan, const QString &name)
{
    PutDiverRecord(plan, 1, name);
    plan.DepthChange();
}

void LoadDiver2(PlanModel &plan, const QString &name)
{
    PutDiverRecord(plan, 2, name);
    plan.DepthChange();
}

DiverRecords::DiverRecords(PlanModel &plan, AskRecordQuestion ask) : m_plan(plan), m_ask(std::move(ask)) {}

void DiverRecords::SaveDiverRecord(const QString &name, const QString &tankSize, const QString &certified,
                                   const QString &rmv)
{
    refuseBadName(name);
    // The record and its index entry go in one write: all of it or nothing.
    IniFile::Batch settings = SettingsFile().batch();
    const int total = settings.readInteger(Divers, Total, 0);
    bool known = false;
    for (int i = 1; i <= total && !known; ++i)
        known = sameRecord(settings.readString(Divers, IntToStr(i), QString()), name);
    if (!known) {
        settings.writeInteger(Divers, Total, total + 1);
        settings.writeString(Divers, IntToStr(total + 1), name);
    }
    settings.writeString(name, QStringLiteral("TankSize"), tankSize);
    settings.writeString(name, QStringLiteral("Certified"), certified);
    settings.writeString(name, QStringLiteral("RMV"), rmv);
    settings.commit();
    if (!known)
        DiversListBox << name;
}

void DiverRecords::LoadRecord(const QString &requested)
{
    const IniFile settings = SettingsFile();
    QString name = requested.isEmpty() ? DefaultName : requested;
    if (name == DefaultName)
        name = defaultRecordName(settings);
    EdName = name;
    const auto value = [&](const char *key) {
        return name.isEmpty() ? QString() : settings.readString(name, QString::fromLatin1(key), QString());
    };
    EdTankSize = value("TankSize");
    EdCertified = value("Certified");
    EdRMV = value("RMV");
    m_plan.DepthChange();
}

void DiverRecords::readList() { DiversListBox = DiverRecordNames(); }

void DiverRecords::FillComboBoxForDiverRecords()
{
    DiversListBox.clear();
    if (SettingsFile().readInteger(Divers, Total, 0) == 0)
        SpeedButton1Click();
    readList();
    LoadRecord(DefaultName);
}

void DiverRecords::DiverDeleteClick()
{
    EdNameChange();
    if (EdName.isEmpty())
        return;
    const QString name = EdName;
    refuseBadName(name);
    if (!m_ask(QStringLiteral("Are you sure you want to delete this record ?")))
        return;
    IniFile::Batch settings = SettingsFile().batch();
    settings.eraseSection(name);
    // Close the gap: the other names move up in their old order.
    const int total = settings.readInteger(Divers, Total, 0);
    int kept = 0;
    for (int i = 1; i <= total; ++i) {
        const QString entry = settings.readString(Divers, IntToStr(i), QString());
        if (sameRecord(entry, name)) {
            settings.writeString(Divers, IntToStr(i), QString());
            continue;
        }
        settings.writeString(Divers, IntToStr(++kept), entry);
    }
    if (kept < total)
        settings.writeInteger(Divers, Total, kept);
    settings.commit();
    DiversListBox.removeIf([&](const QString &entry) { return sameRecord(entry, name); });
    DiverNewClick();
}

void DiverRecords::SpeedButton1Click()
{
    DiversListBox.clear();
    if (m_ask(QStringLiteral("Do you wish to create some example dive members ?"))) {
        for (const ExampleRecord &r : UnitSystem() ? std::span<const ExampleRecord>(MetricExamples)
                                                   : std::span<const ExampleRecord>(ImperialExamples))
            SaveDiverRecord(QString::fromUtf8(r.name), QString::fromLatin1(r.tankSize),
                            QString::fromLatin1(r.certified), FloatToStr(r.rmv));
    }
    // The list shows every record of the file, also the ones that existed before.
    readList();
    LoadRecord(EdName);
}

void DiverRecords::DiversListBoxClick(int index)
{
    if (index < 0 || index >= DiversListBox.size())
        return;
    EdName = DiversListBox.at(index);
    EdNameChange();
}

void DiverRecords::EdNameChange()
{
    if (!EdName.isEmpty())
        LoadRecord(EdName);
}

void DiverRecords::DiverNewClick()
{
    EdName.clear();
    EdTankSize.clear();
    EdCertified.clear();
    EdRMV.clear();
    EdNameChange();
}

void DiverRecords::DiverSaveClick() { SaveDiverRecord(EdName, EdTankSize, EdCertified, EdRMV); }

void DiverRecords::GroupBox1DragDrop(const QString &name) { LoadDiver1(m_plan, name); }

void DiverRecords::GroupBox2DragDrop(const QString &name) { LoadDiver2(m_plan, name); }
