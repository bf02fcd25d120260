#include "blending/MixEditor.h"

#include "blending/model/GasRecords.h"
#include "core/NumText.h"
#include "widgets/Builders.h"
#include "widgets/Dialogs.h"
#include "widgets/ErrorGuard.h"
#include "widgets/Hints.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

TfmMixEditor::TfmMixEditor(ChildHost &host, QWidget *parent)
    : TChildForm(host, parent),
      NameOfMix(ui::inputList(this, QStringLiteral("NameOfMix"))),
      Oxygen(ui::inputList(this, QStringLiteral("Oxygen"))),
      Helium(ui::inputList(this, QStringLiteral("Helium"))),
      Nitrogen(ui::inputList(this, QStringLiteral("Nitrogen"))),
      AutoCalc(ui::checkBox(this, QStringLiteral("AutoCalc"), QStringLiteral("Auto balance Nitrogen"), true)),
      SaveRecordBot(ui::button(this, QStringLiteral("SaveRecordBot"), QStringLiteral("Save"))),
      DeleteButton(ui::button(this, QStringLiteral("DeleteButton"), QStringLiteral("Delete"))),
      NewRecord(ui::button(this, QStringLiteral("NewRecord"), QStringLiteral("New"))),
      SpeedButton1(ui::button(this, QStringLiteral("SpeedButton1"), QStringLiteral("Def")))
{
    setWindowTitle(QStringLiteral("Mix Editor"));
    setHint(AutoCalc, QStringLiteral("Automatic calculate Nitrogen fraction"));
    setHint(SpeedButton1, QStringLiteral("Create defaults"));
    NameOfMix->setMinimumContentsLength(14);

    QFrame *panel = ui::panel(this, QStringLiteral("Panel1"));
    setHint(panel, QStringLiteral("|Drag gas mix to any other place where a gas mix is used"));
    auto *grid = new QGridLayout(panel);
    grid->addWidget(ui::caption(panel, QStringLiteral("Name of mix:"), NameOfMix), 0, 0);
    grid->addWidget(NameOfMix, 0, 1);
    grid->addWidget(ui::caption(panel, QStringLiteral("Oxygen:"), Oxygen), 1, 0);
    grid->addWidget(Oxygen, 1, 1);
    grid->addWidget(ui::caption(panel, QStringLiteral("Helium:"), Helium), 2, 0);
    grid->addWidget(Helium, 2, 1);
    grid->addWidget(ui::caption(panel, QStringLiteral("Nitrogen:"), Nitrogen), 3, 0);
    grid->addWidget(Nitrogen, 3, 1);
    grid->addWidget(AutoCalc, 4, 1);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {SaveRecordBot, DeleteButton, NewRecord, SpeedButton1})
        buttons->addWidget(b);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(buttons);
    layout->addStretch();

    ui::onUserChange(NameOfMix, this, [this] { NameOfMixChange(); });
    ui::onUserChange(Oxygen, this, [this] { TotalGasChange(); });
    ui::onUserChange(Helium, this, [this] { TotalGasChange(); });
    connectGuarded(AutoCalc, &QCheckBox::clicked, this, [this] { AutoCalcClick(); });
    connectGuarded(SaveRecordBot, &QPushButton::clicked, this, [this] {
        SaveRecord(NameOfMix->currentText(), Oxygen->currentText(), Helium->currentText(), Nitrogen->currentText());
    });
    connectGuarded(NewRecord, &QPushButton::clicked, this, [this] { NewRecordClick(); });
    connectGuarded(DeleteButton, &QPushButton::clicked, this, [this] { DeleteButtonClick(); });
    connectGuarded(SpeedButton1, &QPushButton::clicked, this, [this] { CreateDefaults(); });

    FillComboBox();
    DeleteButton->setEnabled(!NameOfMix->currentText().isEmpty());
    AutoCalcClick();
}

void TfmMixEditor::LoadRecord(const QString &name)
{
    const QString shown = name == QStringLiteral("Default") ? StoredDefaultMixName() : name;
    ui::setListText(NameOfMix, shown);
    showMix(shown);
}

void TfmMixEditor::showMix(const QString &name)
{
    const GasMix mix = LoadGasMix(name);
    ui::setListText(Oxygen, mix.oxygen);
    ui::setListText(Helium, mix.helium);
    ui::setListText(Nitrogen, mix.nitrogen);
}

void TfmMixEditor::SaveRecord(const QString &name, const QString &oxygen, const QString &helium,
                              const QString &nitrogen)
{
    if (SaveGasMix(name, {oxygen, helium, nitrogen}))
        listName(name);
}

void TfmMixEditor::listName(const QString &name)
{
    QStringList names;
    for (int i = 0; i < NameOfMix->count(); ++i)
        names << NameOfMix->itemText(i);
    showNames(names << name);
}

void TfmMixEditor::showNames(QStringList names)
{
    // Alphabetical order, as a reader expects it: "air" before "EAN32".
    std::stable_sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    const QSignalBlocker quiet(NameOfMix);
    const QString shown = NameOfMix->currentText();
    NameOfMix->clear();
    NameOfMix->addItems(names);
    NameOfMix->setEditText(shown);
}

void TfmMixEditor::CreateDefaults()
{
    CreateDefaultGasMixes();
    listAllNames();
    LoadRecord(QStringLiteral("Air"));
    DeleteButton->setEnabled(true);
}

void TfmMixEditor::FillComboBox()
{
    if (GasMixNames().isEmpty())
        CreateDefaultGasMixes();
    listAllNames();
    LoadRecord(QStringLiteral("Default"));
}

void TfmMixEditor::listAllNames()
{
    QStringList names;
    for (const QString &name : GasMixNames())
        if (!names.contains(name))
            names << name;
    showNames(names);
}

void TfmMixEditor::NameOfMixChange()
{
    // The name box holds what the user is typing: only the percentages follow
    // it. "Default" is a mix name like any other here; the stored default is
    // looked up only when the window opens.
    const QString name = NameOfMix->currentText();
    if (!name.isEmpty())
        showMix(name);
    DeleteButton->setEnabled(!name.isEmpty());
}

void TfmMixEditor::TotalGasChange()
{
    if (AutoCalc->isChecked())
        ui::setListText(Nitrogen,
                           MyFormat(100 - (StrToFloat(Helium->currentText()) + StrToFloat(Oxygen->currentText()))));
}

void TfmMixEditor::AutoCalcClick()
{
    Nitrogen->setEnabled(!AutoCalc->isChecked());
    TotalGasChange();
}

void TfmMixEditor::NewRecordClick()
{
    ui::setListText(NameOfMix, QString());
    for (QComboBox *box : {Oxygen, Helium, Nitrogen})
        ui::setListText(box, QStringLiteral("0"));
    NameOfMixChange();
}

void TfmMixEditor::DeleteButtonClick()
{
    NameOfMixChange();
    const QString name = NameOfMix->currentText();
    if (name.isEmpty())
        return;
    // A name that is not a mix's own section is refused before anything is asked.
    CheckGasMixName(name);
    if (!AskYesNo(QStringLiteral("Are you sure you want to delete this record ?")))
        return;
    if (DeleteGasMix(name)) {
        const QSignalBlocker quiet(NameOfMix);
        NameOfMix->removeItem(NameOfMix->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive));
    }
    NewRecordClick();
}

void TfmMixEditor::closeSteps() { StoreDefaultMixName(NameOfMix->currentText()); }
