// The planner's input pages: the dive, reserves, decompression, narcosis,
// speeds and the diver records.

#include "planner/window/Rule3.h"

#include "widgets/Builders.h"
#include "widgets/Hints.h"
#include "widgets/UnitInputs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QWidget *page(const QString &name)
{
    auto *widget = new QWidget;
    widget->setObjectName(name);
    return widget;
}

QRadioButton *radio(QWidget *parent, const QString &name, const QString &caption)
{
    auto *button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    return button;
}

// A caption, a control and its unit label in one row of a grid.
void row(QGridLayout *grid, int r, QWidget *parent, const QString &caption, QWidget *control, QLabel *unit = nullptr)
{
    grid->addWidget(ui::caption(parent, caption, control), r, 0);
    grid->addWidget(control, r, 1);
    if (unit)
        grid->addWidget(unit, r, 2);
}

} // namespace

QWidget *TfmRuleOfThird::createDivePage()
{
    QWidget *p = page(QStringLiteral("Dive"));
    Depth = ui::wholeSpin(p, QStringLiteral("Depth"), 0, 10000, 0);
    Label16 = ui::label(p, QStringLiteral("Label16"), QStringLiteral("Feet"));
    BottomMixO2 = ui::wholeSpin(p, QStringLiteral("BottomMixO2"), 1, 100, 21);
    BottomMixO2->setContextMenuPolicy(Qt::CustomContextMenu);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const std::pair<const char *, int> quickGases[] = {{"&Air", 21}, {"&EAN32", 32}, {"EA&N36", 36}};
    for (const auto &[caption, oxygen] : quickGases) {
        QAction *item = PopupMenu1->addAction(QString::fromLatin1(caption));
        item->setData(oxygen);
    }
    PO2 = ui::inputList(p, QStringLiteral("PO2"));
    FillPPO2List(PO2);

    QGroupBox *bottomGas = ui::group(p, QStringLiteral("GroupBox3"), QStringLiteral("Bottom gas"));
    MODBottomGasEdit = ui::resultBox(bottomGas, QStringLiteral("MODBottomGasEdit"));
    EAD = ui::resultBox(bottomGas, QStringLiteral("EAD"));
    ModUnitLabel = ui::label(bottomGas, QStringLiteral("Label19"), QStringLiteral("Feet"));
    EadUnitLabel = ui::label(bottomGas, QStringLiteral("Label20"), QStringLiteral("Feet"));
    auto *gasGrid = new QGridLayout(bottomGas);
    row(gasGrid, 0, bottomGas, QStringLiteral("MOD:"), MODBottomGasEdit, ModUnitLabel);
    row(gasGrid, 1, bottomGas, QStringLiteral("EAD:"), EAD, EadUnitLabel);

    QGroupBox *suggested = ui::group(p, QStringLiteral("GroupBox4"), QStringLiteral("Suggested gas"));
    UseSuggestedGasButton = ui::button(suggested, QStringLiteral("UseSuggestedGasButton"),
                                       QStringLiteral("Use 21% oxygen"),
                                       QStringLiteral("Use suggested 'best nitrox gas'"));
    (new QVBoxLayout(suggested))->addWidget(UseSuggestedGasButton);

    auto *grid = new QGridLayout(p);
    row(grid, 0, p, QStringLiteral("Max Depth"), Depth, Label16);
    row(grid, 1, p, QStringLiteral("Primary gas"), BottomMixO2,
        ui::label(p, QStringLiteral("Label18"), QStringLiteral("% O²")));
    row(grid, 2, p, QStringLiteral("Desired max ppO2"), PO2,
        ui::label(p, QStringLiteral("Label21"), QStringLiteral("ATA")));
    grid->addWidget(bottomGas, 0, 3, 2, 1);
    grid->addWidget(suggested, 2, 3, 2, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(4, 1);
    return p;
}

QWidget *TfmRuleOfThird::createReservesPage()
{
    QWidget *p = page(QStringLiteral("Reserves"));
    setHint(p, QStringLiteral("Data common for both divers"));
    UseRuleOfThirdRadio = radio(p, QStringLiteral("UseRuleOfThirdRadio"), QStringLiteral("Use Rule of Third"));
    UseRuleOfThirdRadio->setChecked(true);
    UsedFixedPressureReserveRadio = radio(p, QStringLiteral("UsedFixedPressureReserveRadio"),
                                          QStringLiteral("Used fixed pressure reserve"));

    QGroupBox *rule = ui::group(p, QStringLiteral("GroupBox6"), QStringLiteral("Rule of Third"));
    SRF = ui::textBox(rule, QStringLiteral("SRF"));
    setHint(SRF, QStringLiteral("SAC Ratio Factor|The turn point is adjusted for divers whose breathing rates differ. "
                                "The factor comes from a published SRF table for breathing rates from 0.35 to 1.15 "
                                "CuFt/Min; outside that range 2/3 is used."));
    OnlyDiver1 = ui::checkBox(rule, QStringLiteral("OnlyDiver1"), QStringLiteral("Strict Rule of Third"));
    setHint(OnlyDiver1, QStringLiteral("Use only 1 diver in consideration"));
    auto *ruleGrid = new QGridLayout(rule);
    row(ruleGrid, 0, rule, QStringLiteral("SAC Ratio Factor (SRF)"), SRF);
    ruleGrid->addWidget(OnlyDiver1, 1, 0, 1, 2);

    QGroupBox *fixed = ui::group(p, QStringLiteral("GroupBox7"), QStringLiteral("Fixed reserve"));
    ReservePressure = ui::inputList(fixed, QStringLiteral("ReservePressure"), {}, QStringLiteral("500"));
    ReservePressureUnit = ui::label(fixed, QStringLiteral("Label22"), QStringLiteral("PSI"));
    auto *fixedGrid = new QGridLayout(fixed);
    row(fixedGrid, 0, fixed, QStringLiteral("Reserve Pressure:"), ReservePressure, ReservePressureUnit);

    ReserveBar = new QProgressBar(p);
    ReserveBar->setObjectName(QStringLiteral("ReserveBar"));
    ReserveBar->setRange(0, 100);
    ReserveBar->setValue(0);

    auto *grid = new QGridLayout(p);
    grid->addWidget(UseRuleOfThirdRadio, 0, 0);
    grid->addWidget(UsedFixedPressureReserveRadio, 1, 0);
    grid->addWidget(rule, 0, 1, 2, 1);
    grid->addWidget(fixed, 0, 2, 2, 1);
    grid->addWidget(ui::caption(p, QStringLiteral("Reserve versus available gas"), ReserveBar), 2, 0);
    grid->addWidget(ReserveBar, 2, 1, 1, 2);
    grid->setRowStretch(3, 1);
    return p;
}

QWidget *TfmRuleOfThird::createDecompressionPage()
{
    QWidget *p = page(QStringLiteral("Decompression"));
    auto *grid = new QGridLayout(p);
    grid->addWidget(ui::caption(p, QStringLiteral("Stop")), 0, 0);
    grid->addWidget(ui::caption(p, QStringLiteral("Depth")), 0, 1);
    grid->addWidget(ui::caption(p, QStringLiteral("Time (min)")), 0, 2);
    const int depths[] = {30, 20, 15};
    const int times[] = {0, 0, 3};
    QCheckBox **checks[] = {&Decom1Check, &Decom2Check, &Decom3Check};
    QSpinBox **depthBoxes[] = {&DecoDepth1, &DecoDepth2, &DecoDepth3};
    QSpinBox **timeBoxes[] = {&DecoTime1, &DecoTime2, &DecoTime3};
    for (int k = 0; k < 3; ++k) {
        *checks[k] = ui::checkBox(p, QStringLiteral("Decom%1Check").arg(k + 1), QStringLiteral("Deco %1").arg(k + 1));
        setHint(*checks[k], QStringLiteral("Toggle Deco%1 Active/Inactive").arg(k + 1));
        *depthBoxes[k] = ui::wholeSpin(p, QStringLiteral("DecoDepth%1").arg(k + 1), 0, 10000, depths[k]);
        *timeBoxes[k] = ui::wholeSpin(p, QStringLiteral("DecoTime%1").arg(k + 1), 0, 10000, times[k]);
        (*depthBoxes[k])->setEnabled(false);
        (*timeBoxes[k])->setEnabled(false);
        grid->addWidget(*checks[k], k + 1, 0);
        grid->addWidget(*depthBoxes[k], k + 1, 1);
        grid->addWidget(*timeBoxes[k], k + 1, 2);
    }
    DecoDepthUnit = ui::label(p, QStringLiteral("Label23"), QStringLiteral("Feet"));
    grid->addWidget(DecoDepthUnit, 1, 3);

    DecoGas = ui::wholeSpin(p, QStringLiteral("DecoGas"), 1, 100, 80);
    setHint(DecoGas, QStringLiteral("fraction of Oxygen"));
    DecoGas->setEnabled(false);
    SameAsBottomGas = ui::checkBox(p, QStringLiteral("SameAsBottomGas"), QStringLiteral("Same as bottom gas"));
    MODDecomixEdit = ui::resultBox(p, QStringLiteral("MODDecomixEdit"));
    setHint(MODDecomixEdit, QStringLiteral("Max ppO2 for the deepest active deco stop"));
    SpeedButton2 = ui::button(p, QStringLiteral("SpeedButton2"), QStringLiteral("?"));
    SpeedButton2->setMaximumWidth(32);

    grid->addWidget(ui::caption(p, QStringLiteral("Deco gas % O²"), DecoGas), 0, 4);
    grid->addWidget(DecoGas, 0, 5);
    grid->addWidget(SameAsBottomGas, 1, 4, 1, 2);
    grid->addWidget(ui::caption(p, QStringLiteral("ppO2 at deepest stop"), MODDecomixEdit), 2, 4);
    grid->addWidget(MODDecomixEdit, 2, 5);
    grid->addWidget(SpeedButton2, 3, 5, Qt::AlignRight);
    grid->setColumnStretch(3, 1);
    addDecoModelControls(p, grid);
    return p;
}

QWidget *TfmRuleOfThird::createNarcosisPage()
{
    QWidget *p = page(QStringLiteral("Narcosis"));
    setHint(p, QStringLiteral("Narcosis depth is used for calculate the best Trimix/Heliox mix"));
    LessNarcDepth10Radio = radio(p, QStringLiteral("LessNarcDepth10Radio"), QStringLiteral("10 % of current depth"));
    LessNarcDepth50Radio = radio(p, QStringLiteral("LessNarcDepth50Radio"), QStringLiteral("50 % of current depth"));
    LessNarcDepth50Radio->setChecked(true);
    SpecifyNarcDepthCheck = radio(p, QStringLiteral("SpecifyNarcDepthCheck"),
                                  QStringLiteral("Specify fixed narcosis depth"));
    NarcosisDepth = ui::wholeSpin(p, QStringLiteral("NarcosisDepth"), 0, 10000, 10);
    NarcosisDepthUnit = ui::label(p, QStringLiteral("Label24"), QStringLiteral("Feet"));
    auto *grid = new QGridLayout(p);
    grid->addWidget(LessNarcDepth10Radio, 0, 0);
    grid->addWidget(LessNarcDepth50Radio, 1, 0);
    grid->addWidget(SpecifyNarcDepthCheck, 2, 0);
    grid->addWidget(NarcosisDepth, 2, 1);
    grid->addWidget(NarcosisDepthUnit, 2, 2);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(3, 1);
    return p;
}

QWidget *TfmRuleOfThird::createSpeedPage()
{
    QWidget *p = page(QStringLiteral("CommonData"));
    Speed1 = ui::textBox(p, QStringLiteral("Speed1"), QStringLiteral("60"));
    Speed2 = ui::textBox(p, QStringLiteral("Speed2"), QStringLiteral("75"));
    AscentRateEdit = ui::textBox(p, QStringLiteral("AscentRateEdit"));
    setHint(AscentRateEdit, QStringLiteral("Fixed table ascent/descent rate"));
    Speed1Unit = ui::label(p, QStringLiteral("Label25"), QStringLiteral("Ft/Min"));
    Speed2Unit = ui::label(p, QStringLiteral("Label26"), QStringLiteral("Ft/Min"));
    AscentRateUnit = ui::label(p, QStringLiteral("Label27"), QStringLiteral("Feet"));
    for (QLineEdit *edit : {Speed1, Speed2, AscentRateEdit})
        edit->setMaximumWidth(90);
    auto *grid = new QGridLayout(p);
    row(grid, 0, p, QStringLiteral("Speed to turnpoint"), Speed1, Speed1Unit);
    row(grid, 1, p, QStringLiteral("Speed from turnpoint"), Speed2, Speed2Unit);
    row(grid, 2, p, QStringLiteral("Ascent/Descent rate:"), AscentRateEdit, AscentRateUnit);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(3, 1);
    return p;
}

QWidget *TfmRuleOfThird::createDiveMembersPage()
{
    QWidget *p = page(QStringLiteral("DiveMembers"));
    DiversListBox = new QListWidget(p);
    DiversListBox->setObjectName(QStringLiteral("DiversListBox"));
    setHint(DiversListBox, QStringLiteral("Drag and drop a diver the Dive Team"));
    DiversListBox->setDragEnabled(true);
    DiversListBox->setDragDropMode(QAbstractItemView::DragOnly);
    DiversListBox->setMaximumHeight(110);
    EdName = ui::textBox(p, QStringLiteral("EdName"));
    EdName->setMaxLength(80);
    EdTankSize = ui::inputList(p, QStringLiteral("EdTankSize"));
    EdCertified = ui::inputList(p, QStringLiteral("EdCertified"));
    EdRMV = ui::inputList(p, QStringLiteral("EdRMV"));
    EdTankSizeUnit = ui::label(p, QStringLiteral("Label28"), QStringLiteral("CuFt"));
    EdCertifiedUnit = ui::label(p, QStringLiteral("Label29"), QStringLiteral("PSI"));
    EdRMVUnit = ui::label(p, QStringLiteral("Label31"), QStringLiteral("CuFt/Min"));
    DiverSave = ui::button(p, QStringLiteral("DiverSave"), QStringLiteral("Save"),
                           QStringLiteral("Save diver information"));
    DiverNew = ui::button(p, QStringLiteral("DiverNew"), QStringLiteral("New"));
    DiverDelete = ui::button(p, QStringLiteral("DiverDelete"), QStringLiteral("Delete"));
    SpeedButton1 = ui::button(p, QStringLiteral("SpeedButton1"), QStringLiteral("D"),
                              QStringLiteral("Create defaults"));
    SpeedButton1->setMaximumWidth(32);

    auto *fields = new QGridLayout;
    row(fields, 0, p, QStringLiteral("Name:"), EdName);
    row(fields, 1, p, QStringLiteral("Tanks size:"), EdTankSize, EdTankSizeUnit);
    row(fields, 2, p, QStringLiteral("Certified to:"), EdCertified, EdCertifiedUnit);
    row(fields, 3, p, QStringLiteral("RMV:"), EdRMV, EdRMVUnit);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {DiverSave, DiverNew, DiverDelete, SpeedButton1})
        buttons->addWidget(button);
    fields->addLayout(buttons, 4, 0, 1, 3);
    auto *layout = new QHBoxLayout(p);
    layout->addWidget(DiversListBox, 1);
    layout->addLayout(fields, 2);
    return p;
}
