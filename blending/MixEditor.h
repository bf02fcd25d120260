#pragma once

// "Mix Editor": picks, edits, saves and deletes the named gas mixes kept in
// the settings file, and recreates the default mixes.

#include "widgets/ChildForm.h"

#include <QStringList>

class QCheckBox;
class QComboBox;
class QPushButton;

class TfmMixEditor final : public TChildForm
{
    Q_OBJECT
public:
    explicit TfmMixEditor(ChildHost &host, QWidget *parent = nullptr);

    void LoadRecord(const QString &name);
    void SaveRecord(const QString &name, const QString &oxygen, const QString &helium, const QString &nitrogen);
    void CreateDefaults();
    void FillComboBox();

    void NameOfMixChange();
    void TotalGasChange();
    void AutoCalcClick();
    void NewRecordClick();
    void DeleteButtonClick();

    void closeSteps() override;

    QComboBox *const NameOfMix;
    QComboBox *const Oxygen;
    QComboBox *const Helium;
    QComboBox *const Nitrogen;
    QCheckBox *const AutoCalc;
    QPushButton *const SaveRecordBot;
    QPushButton *const DeleteButton;
    QPushButton *const NewRecord;
    QPushButton *const SpeedButton1;

private:
    // Shows the percentages stored for `name`, leaving the name box alone.
    void showMix(const QString &name);
    // Adds a name to the sorted list, keeping the shown text.
    void listName(const QString &name);
    // Lists every name of the index, sorted, keeping the shown text.
    void listAllNames();
    // Replaces the list by `names`, sorted, keeping the shown text.
    void showNames(QStringList names);
};
