#pragma once

// Diver records: named sets of tank size, certified pressure and breathing
// rate (RMV) in the settings file. Section "Divers" holds "Total" and the
// names under "1".."Total"; each record is a section named after the diver
// with the keys "TankSize", "Certified" and "RMV", stored as typed.

#include <QString>
#include <QStringList>

#include <functional>

class PlanModel;

// Asks a Yes/No question; true for Yes.
using AskRecordQuestion = std::function<bool(const QString &question)>;

// Why a name cannot name a diver record (it would overwrite a section the
// program itself uses, or break the file's layout); empty when it can.
QString DiverNameProblem(const QString &name);

// The record names of the "Divers" index, in order.
QStringList DiverRecordNames();

// Puts a record into diver 1's or diver 2's fields of the plan without
// recalculating. "Default", "Load Error" and the empty name select the record
// named by "Default" in "Divers"; a missing value reads "Load Error".
void PutDiverRecord(PlanModel &plan, int diver, const QString &name);
void LoadDiver1(PlanModel &plan, const QString &name);
void LoadDiver2(PlanModel &plan, const QString &name);

// The "Dive members" page: the record editor and the list of records.
class DiverRecords final
{
public:
    DiverRecords(PlanModel &plan, AskRecordQuestion ask);

    QString EdName, EdTankSize, EdCertified, EdRMV;
    QStringList DiversListBox;
    bool DiverDeleteEnabled() const { return !EdName.isEmpty(); }

    // Adds or updates a record; a new name is appended to the list.
    // Raises AppError for a name DiverNameProblem refuses.
    void SaveDiverRecord(const QString &name, const QString &tankSize, const QString &certified, const QString &rmv);
    void LoadRecord(const QString &name);
    void FillComboBoxForDiverRecords();
    void DiverDeleteClick();
    void SpeedButton1Click();

    void DiversListBoxClick(int index);
    void EdNameChange();
    void DiverNewClick();
    void DiverSaveClick();
    // A list entry dropped on diver 1's or diver 2's box.
    void GroupBox1DragDrop(const QString &name);
    void GroupBox2DragDrop(const QString &name);

private:
    void readList();

    PlanModel &m_plan;
    AskRecordQuestion m_ask;
};
