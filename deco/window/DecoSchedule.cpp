#include "deco/window/DecoSchedule.h"

#include "core/Errors.h"
#include "core/InputLists.h"
#include "core/NumText.h"
#include "core/Units.h"
#include "deco/window/DecoPrintout.h"
#include "widgets/Builders.h"
#include "widgets/Dialogs.h"
#include "widgets/ErrorGuard.h"
#include "widgets/Hints.h"
#include "widgets/PrintJob.h"
#include "widgets/UnitInputs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QTableWidget *resultTable(QWidget *parent, const QString &name, const QStringList &columns)
{
    auto *table = new QTableWidget(0, int(columns.size()), parent);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(columns);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    return table;
}

// Rows of cells; the gas names (column `gasColumn`) flush left, the numbers right.
void fillTable(QTableWidget *table, const std::vector<QStringList> &rows, int gasColumn)
{
    table->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < int(rows[size_t(r)].size()); ++c) {
            auto *item = new QTableWidgetItem(rows[size_t(r)][c]);
            item->setTextAlignment((c == gasColumn ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            table->setItem(r, c, item);
        }
}

QSpinBox *spin(QWidget *parent, const QString &name, int min, int max, int value, const QString &hint)
{
    QSpinBox *box = ui::wholeSpin(parent, name, min, max, value);
    setHint(box, hint);
    return box;
}

QDoubleSpinBox *sacSpin(QWidget *parent, const QString &name, const QString &hint)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setMinimumWidth(80);
    box->setMaximumWidth(120);
    setHint(box, hint);
    return box;
}

// The SAC boxes hold litres per minute to one decimal, or cubic feet to two.
void setSacUnit(QDoubleSpinBox *box, bool metric)
{
    box->setDecimals(metric ? 1 : 2);
    box->setRange(0.0, metric ? 100.0 : 4.0);
    box->setSingleStep(metric ? 1.0 : 0.05);
}

QStringList lastStops(bool metric)
{
    return metric ? QStringList{QStringLiteral("3 m"), QStringLiteral("6 m")}
                  : QStringList{QStringLiteral("10 ft"), QStringLiteral("20 ft")};
}

QString surfaceText(double pressure) { return Format(QStringLiteral("%.5f"), {pressure}); }

constexpr double BarPerAtmosphere = 1.01325;

} // namespace

TfmDecoSchedule::TfmDecoSchedule(ChildHost &host, QWidget *parent) : TChildForm(host, parent)
{
    setWindowTitle(QStringLiteral("Decompression schedule"));
    createControls();
    layOut();
    adoptUnitSystem(Metric);
    m_setting = true;
    const bool metric = isMetric();
    DecoDepth->setValue(metric ? 40 : 130);
    DescentRate->setValue(metric ? 20 : 66);
    AscentRateDeco->setValue(metric ? 10 : 33);
    setSacUnit(DecoBottomSAC, metric);
    setSacUnit(DecoDecoSAC, metric);
    DecoBottomSAC->setValue(metric ? 20.0 : 0.7);
    DecoDecoSAC->setValue(metric ? 15.0 : 0.5);
    LastStop->addItems(lastStops(metric));
    SurfacePressure->setText(surfaceText(metric ? BarPerAtmosphere : 1.0));
    FillPPO2List(DecoPPO2);
    setHint(DecoDepth, QStringLiteral("Bottom depth"));
    m_setting = false;
    showUnitLabels();
    connectEvents();
    guarded([this] { Recalculate(); });
    DecoDepth->setFocus();
}

void TfmDecoSchedule::createControls()
{
    Metric = ui::metricBox(this);
    DecoDepth = spin(this, QStringLiteral("DecoDepth"), 1, 1000, 40, QStringLiteral("Bottom depth"));
    DecoBottomTime = spin(this, QStringLiteral("DecoBottomTime"), 1, 999, 25,
                          QStringLiteral("Bottom time|Bottom time in minutes, the descent included"));
    DecoBottomO2 = spin(this, QStringLiteral("DecoBottomO2"), 5, 100, 21, QStringLiteral("Oxygen of the bottom gas, percent"));
    DecoBottomHe = spin(this, QStringLiteral("DecoBottomHe"), 0, 95, 0, QStringLiteral("Helium of the bottom gas, percent"));
    for (int g = 0; g < 3; ++g) {
        const QString n = QString::number(g + 1);
        DecoGasO2[size_t(g)] = spin(this, QStringLiteral("DecoGas%1O2").arg(n), 0, 100, 0,
                                    QStringLiteral("Oxygen of deco gas %1, percent|0: the gas is not used").arg(n));
        DecoGasHe[size_t(g)] = spin(this, QStringLiteral("DecoGas%1He").arg(n), 0, 95, 0,
                                    QStringLiteral("Helium of deco gas %1, percent").arg(n));
        DecoGasDepth[size_t(g)] = ui::textBox(this, QStringLiteral("DecoGas%1Depth").arg(n));
        setHint(DecoGasDepth[size_t(g)],
                QStringLiteral("Switch depth of deco gas %1|Empty: its MOD at the deco ppO2, to the nearest stop").arg(n));
    }
    GFLow = spin(this, QStringLiteral("GFLow"), 1, 100, 30, QStringLiteral("Gradient factor low, percent|At the first stop"));
    GFHigh = spin(this, QStringLiteral("GFHigh"), 1, 100, 85, QStringLiteral("Gradient factor high, percent|At the surface"));
    DescentRate = spin(this, QStringLiteral("DescentRate"), 1, 300, 20, QStringLiteral("Descent rate"));
    AscentRateDeco = spin(this, QStringLiteral("AscentRateDeco"), 1, 300, 10,
                          QStringLiteral("Ascent rate|Ascent rate, also between the stops"));
    LastStop = new QComboBox(this);
    LastStop->setObjectName(QStringLiteral("LastStop"));
    setHint(LastStop, QStringLiteral("Last stop"));
    DecoPPO2 = ui::inputList(this, QStringLiteral("DecoPPO2"));
    setHint(DecoPPO2, QStringLiteral("Deco ppO2|Sets the switch depths left empty"));
    SurfacePressure = ui::textBox(this, QStringLiteral("SurfacePressure"));
    setHint(SurfacePressure, QStringLiteral("Surface pressure"));
    MinSwitchTime = spin(this, QStringLiteral("MinSwitchTime"), 0, 60, 0, QStringLiteral("Minutes at a gas switch"));
    DecoBottomSAC = sacSpin(this, QStringLiteral("DecoBottomSAC"), QStringLiteral("SAC on the bottom"));
    DecoDecoSAC = sacSpin(this, QStringLiteral("DecoDecoSAC"), QStringLiteral("SAC during the ascent"));

    StopTable = resultTable(this, QStringLiteral("StopTable"),
                            {QStringLiteral("Depth"), QStringLiteral("Stop"), QStringLiteral("Run time"), QStringLiteral("Gas")});
    GasNeeds = resultTable(this, QStringLiteral("GasNeeds"), {QStringLiteral("Gas"), QStringLiteral("Litres")});
    TotalRunTime = ui::resultBox(this, QStringLiteral("TotalRunTime"));
    TotalDecoTime = ui::resultBox(this, QStringLiteral("TotalDecoTime"));
    FirstStopDepth = ui::resultBox(this, QStringLiteral("FirstStopDepth"));
    NoDecoLimit = ui::resultBox(this, QStringLiteral("NoDecoLimit"));
    CNSPercent = ui::resultBox(this, QStringLiteral("CNSPercent"));
    OTUs = ui::resultBox(this, QStringLiteral("OTUs"));
    ToNoteButton = ui::button(this, QStringLiteral("ToNoteButton"), QStringLiteral("To note"),
                              QStringLiteral("The schedule in a new note"));
    PrintButton = ui::button(this, QStringLiteral("PrintButton"), QStringLiteral("&Print"),
                             QStringLiteral("Print the schedule"));
    DepthUnit = ui::label(this, QStringLiteral("DepthUnit"), {});
    RateUnit = ui::label(this, QStringLiteral("RateUnit"), {});
    SacUnit = ui::label(this, QStringLiteral("SacUnit"), {});
    PressureUnit = ui::label(this, QStringLiteral("PressureUnit"), {});
    SwitchDepthUnit = ui::label(this, QStringLiteral("SwitchDepthUnit"), {});
    FirstStopUnit = ui::label(this, QStringLiteral("FirstStopUnit"), {});
}

void TfmDecoSchedule::layOut()
{
    auto *dive = ui::group(this, QStringLiteral("DiveGroup"), QStringLiteral("Dive"));
    auto *diveGrid = new QGridLayout(dive);
    int row = 0;
    const auto add = [](QGridLayout *grid, int r, const QString &caption, QWidget *box, QWidget *unit = nullptr) {
        grid->addWidget(ui::caption(grid->parentWidget(), caption, box), r, 0);
        grid->addWidget(box, r, 1);
        if (unit)
            grid->addWidget(unit, r, 2);
    };
    add(diveGrid, row++, QStringLiteral("Depth"), DecoDepth, DepthUnit);
    add(diveGrid, row++, QStringLiteral("Bottom time"), DecoBottomTime, new QLabel(QStringLiteral("min"), dive));
    add(diveGrid, row++, QStringLiteral("Bottom gas O2 %"), DecoBottomO2);
    add(diveGrid, row++, QStringLiteral("Bottom gas He %"), DecoBottomHe);
    add(diveGrid, row++, QStringLiteral("SAC bottom"), DecoBottomSAC, SacUnit);
    add(diveGrid, row++, QStringLiteral("SAC ascent"), DecoDecoSAC);

    auto *gases = ui::group(this, QStringLiteral("DecoGasGroup"), QStringLiteral("Deco gases"));
    auto *gasGrid = new QGridLayout(gases);
    gasGrid->addWidget(new QLabel(QStringLiteral("O2 %"), gases), 0, 1);
    gasGrid->addWidget(new QLabel(QStringLiteral("He %"), gases), 0, 2);
    gasGrid->addWidget(new QLabel(QStringLiteral("Switch depth"), gases), 0, 3);
    gasGrid->addWidget(SwitchDepthUnit, 0, 4);
    for (int g = 0; g < 3; ++g) {
        gasGrid->addWidget(ui::caption(gases, QStringLiteral("Gas %1").arg(g + 1), DecoGasO2[size_t(g)]), g + 1, 0);
        gasGrid->addWidget(DecoGasO2[size_t(g)], g + 1, 1);
        gasGrid->addWidget(DecoGasHe[size_t(g)], g + 1, 2);
        gasGrid->addWidget(DecoGasDepth[size_t(g)], g + 1, 3);
        DecoGasDepth[size_t(g)]->setMaximumWidth(90);
    }

    auto *model = ui::group(this, QStringLiteral("ModelGroup"), QStringLiteral("Model"));
    auto *modelGrid = new QGridLayout(model);
    row = 0;
    add(modelGrid, row++, QStringLiteral("GF low %"), GFLow);
    add(modelGrid, row++, QStringLiteral("GF high %"), GFHigh);
    add(modelGrid, row++, QStringLiteral("Descent rate"), DescentRate, RateUnit);
    add(modelGrid, row++, QStringLiteral("Ascent rate"), AscentRateDeco);
    add(modelGrid, row++, QStringLiteral("Last stop"), LastStop);
    add(modelGrid, row++, QStringLiteral("Deco ppO2"), DecoPPO2);
    add(modelGrid, row++, QStringLiteral("Surface pressure"), SurfacePressure, PressureUnit);
    add(modelGrid, row++, QStringLiteral("Switch time"), MinSwitchTime, new QLabel(QStringLiteral("min"), model));

    auto *inputs = new QVBoxLayout;
    inputs->addWidget(dive);
    inputs->addWidget(gases);
    inputs->addWidget(model);
    inputs->addStretch();

    auto *totals = new QGridLayout;
    const auto result = [&](int r, int c, const QString &caption, QLineEdit *box, QLabel *unit) {
        box->setMaximumWidth(90);
        totals->addWidget(ui::caption(this, caption, box), r, c);
        totals->addWidget(box, r, c + 1);
        totals->addWidget(unit, r, c + 2);
    };
    result(0, 0, QStringLiteral("Run time"), TotalRunTime, new QLabel(QStringLiteral("min"), this));
    result(1, 0, QStringLiteral("Deco time"), TotalDecoTime, new QLabel(QStringLiteral("min"), this));
    result(2, 0, QStringLiteral("First stop"), FirstStopDepth, FirstStopUnit);
    result(0, 3, QStringLiteral("No-deco limit"), NoDecoLimit, new QLabel(QStringLiteral("min"), this));
    result(1, 3, QStringLiteral("CNS"), CNSPercent, new QLabel(QStringLiteral("%"), this));
    result(2, 3, QStringLiteral("OTU"), OTUs, new QLabel(this));

    auto *outputs = new QVBoxLayout;
    outputs->addWidget(StopTable, 3);
    outputs->addLayout(totals);
    outputs->addWidget(GasNeeds, 1);

    auto *header = new QHBoxLayout;
    header->addWidget(Metric);
    header->addStretch();
    header->addWidget(ToNoteButton);
    header->addWidget(PrintButton);

    auto *body = new QHBoxLayout;
    body->addLayout(inputs);
    body->addLayout(outputs, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addLayout(body);
    StopTable->setMinimumSize(320, 240);
    GasNeeds->setMinimumHeight(110);
}

void TfmDecoSchedule::connectEvents()
{
    const auto recalculate = [this] {
        if (!m_setting)
            Recalculate();
    };
    for (QSpinBox *box : {DecoDepth, DecoBottomTime, DecoBottomO2, DecoBottomHe, GFLow, GFHigh, DescentRate,
                          AscentRateDeco, MinSwitchTime})
        connectGuarded(box, &QSpinBox::valueChanged, this, recalculate);
    for (size_t g = 0; g < 3; ++g) {
        connectGuarded(DecoGasO2[g], &QSpinBox::valueChanged, this, recalculate);
        connectGuarded(DecoGasHe[g], &QSpinBox::valueChanged, this, recalculate);
        connectGuarded(DecoGasDepth[g], &QLineEdit::textChanged, this, recalculate);
    }
    for (QDoubleSpinBox *box : {DecoBottomSAC, DecoDecoSAC})
        connectGuarded(box, &QDoubleSpinBox::valueChanged, this, recalculate);
    connectGuarded(LastStop, &QComboBox::currentIndexChanged, this, recalculate);
    connectGuarded(DecoPPO2, &QComboBox::editTextChanged, this, recalculate);
    connectGuarded(SurfacePressure, &QLineEdit::textChanged, this, recalculate);
    connectGuarded(ToNoteButton, &QPushButton::clicked, this, [this] { ToNoteClick(); });
    connectGuarded(PrintButton, &QPushButton::clicked, this, [this] { PrintClick(); });
}

void TfmDecoSchedule::showUnitLabels()
{
    const bool metric = isMetric();
    DepthUnit->setText(DepthUnitWord(metric));
    RateUnit->setText(DepthUnitWord(metric) + QStringLiteral("/min"));
    SacUnit->setText(VolumeUnitWord(metric) + QStringLiteral("/min"));
    PressureUnit->setText(metric ? QStringLiteral("bar") : QStringLiteral("atm"));
    SwitchDepthUnit->setText(DepthUnitWord(metric));
    FirstStopUnit->setText(DepthUnitWord(metric));
    GasNeeds->setHorizontalHeaderLabels({QStringLiteral("Gas"), VolumeUnitWord(metric)});
}

deco::ScheduleInputs TfmDecoSchedule::readInputs() const
{
    deco::ScheduleInputs in;
    in.metric = isMetric();
    in.saltWater = WaterType();
    in.depth = DecoDepth->value();
    in.bottomTime = DecoBottomTime->value();
    in.bottomO2 = DecoBottomO2->value();
    in.bottomHe = DecoBottomHe->value();
    for (size_t g = 0; g < 3; ++g)
        in.decoGases[g] = {DecoGasO2[g]->value(), DecoGasHe[g]->value(), DecoGasDepth[g]->text()};
    in.gfLow = GFLow->value();
    in.gfHigh = GFHigh->value();
    in.descentRate = DescentRate->value();
    in.ascentRate = AscentRateDeco->value();
    in.lastStop = (in.metric ? 3 : 10) * (LastStop->currentIndex() == 1 ? 2 : 1);
    in.ppO2 = DecoPPO2->currentText();
    in.surfacePressure = SurfacePressure->text();
    in.minSwitchTime = MinSwitchTime->value();
    in.bottomSac = DecoBottomSAC->value();
    in.decoSac = DecoDecoSAC->value();
    return in;
}

void TfmDecoSchedule::Recalculate()
{
    const deco::ScheduleTexts texts = deco::ComputeScheduleTexts(readInputs());
    m_texts = texts;
    showTexts(texts);
    showWarnings(texts.warnings);
}

void TfmDecoSchedule::showTexts(const deco::ScheduleTexts &texts)
{
    std::vector<QStringList> stops;
    for (const deco::ScheduleTexts::StopRow &row : texts.stops)
        stops.push_back({row.depth, row.stop, row.runTime, row.gas});
    fillTable(StopTable, stops, 3);
    std::vector<QStringList> gases;
    for (const deco::ScheduleTexts::GasRow &row : texts.gasNeeds)
        gases.push_back({row.gas, row.volume});
    fillTable(GasNeeds, gases, 0);
    TotalRunTime->setText(texts.totalRunTime);
    TotalDecoTime->setText(texts.totalDecoTime);
    FirstStopDepth->setText(texts.firstStopDepth);
    NoDecoLimit->setText(texts.noDecoLimit);
    CNSPercent->setText(texts.cnsPercent);
    OTUs->setText(texts.otus);
    for (size_t g = 0; g < 3; ++g)
        DecoGasDepth[g]->setPlaceholderText(texts.switchDepths[g]);
}

void TfmDecoSchedule::showWarnings(const QStringList &warnings)
{
    if (warnings.isEmpty()) {
        if (m_warned)
            host().showMessage(QString());
        m_warned = false;
        return;
    }
    host().showMessage(warnings.join(QStringLiteral("; ")));
    QApplication::beep();
    m_warned = true;
}

void TfmDecoSchedule::MetricClick()
{
    m_setting = true;
    convertInputs(isMetric());
    m_setting = false;
    showUnitLabels();
    Recalculate();
}

void TfmDecoSchedule::convertInputs(bool toMetric)
{
    const double factor = toMetric ? Conversion::FeetToMetres : Conversion::MetresToFeet;
    ConvertDepthSpin(DecoDepth, toMetric);
    for (QSpinBox *rate : {DescentRate, AscentRateDeco})
        rate->setValue(int(Round(rate->value() * factor)));
    for (QLineEdit *depth : DecoGasDepth) {
        double value = 0.0;
        if (!depth->text().trimmed().isEmpty() && TryStrToFloat(depth->text(), value))
            depth->setText(IntToStr(Round(value * factor)));
    }
    const int last = LastStop->currentIndex();
    LastStop->clear();
    LastStop->addItems(lastStops(toMetric));
    LastStop->setCurrentIndex(last < 0 ? 0 : last);
    double pressure = 0.0;
    if (TryStrToFloat(SurfacePressure->text(), pressure))
        SurfacePressure->setText(surfaceText(toMetric ? pressure * BarPerAtmosphere : pressure / BarPerAtmosphere));
    const double volume = toMetric ? Conversion::CuFtToLitres : Conversion::LitresToCuFt;
    for (QDoubleSpinBox *sac : {DecoBottomSAC, DecoDecoSAC}) {
        const double value = sac->value() * volume;
        setSacUnit(sac, toMetric);
        sac->setValue(value);
    }
}

void TfmDecoSchedule::ShowDive(const DecoScheduleRequest &request)
{
    if (isMetric() != request.metric) {
        Metric->setChecked(request.metric);
        m_setting = true;
        convertInputs(request.metric);
        m_setting = false;
        showUnitLabels();
        host().showUnits(request.metric);
    }
    m_setting = true;
    DecoDepth->setValue(request.depth);
    DecoBottomTime->setValue(request.bottomTime);
    DecoBottomO2->setValue(request.bottomO2);
    DecoBottomHe->setValue(request.bottomHe);
    DecoGasO2[0]->setValue(request.decoO2);
    DecoGasHe[0]->setValue(0);
    for (size_t g = 1; g < 3; ++g)
        DecoGasO2[g]->setValue(0);
    GFLow->setValue(request.gfLow);
    GFHigh->setValue(request.gfHigh);
    m_setting = false;
    Recalculate();
}

void TfmDecoSchedule::ToNoteClick() { ui::sendLinesToNote(host(), m_texts.lines); }

void TfmDecoSchedule::PrintClick()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!Dialogs::current().print(printer))
        return;
    QPainter painter;
    if (!BeginPrintJob(painter, printer))
        return;
    PrintDecoSchedule(painter, printer, m_texts);
    painter.end();
}
