// The planner's result pages: bottom information, the profile graphic with
// its status lines, the dive team, the gas suggestions and the output.

#include "planner/window/Rule3.h"

#include "planner/window/ProfileGraphic.h"
#include "widgets/Builders.h"
#include "widgets/Hints.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QWidget *page(const QString &name)
{
    auto *widget = new QWidget;
    widget->setObjectName(name);
    return widget;
}

QProgressBar *bar(QWidget *parent, const QString &name)
{
    auto *progress = new QProgressBar(parent);
    progress->setObjectName(name);
    progress->setRange(0, 100);
    progress->setValue(0);
    return progress;
}

// A status line of captioned panels: panel i is the label named `name` + "Panel" + i.
QStatusBar *statusLine(QWidget *parent, const QString &name, const QStringList &panels)
{
    auto *line = new QStatusBar(parent);
    line->setObjectName(name);
    line->setSizeGripEnabled(false);
    for (int i = 0; i < panels.size(); ++i) {
        auto *panel = new QLabel(panels.at(i), line);
        panel->setObjectName(name + QStringLiteral("Panel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        line->addWidget(panel, i % 2 ? 1 : 0);
    }
    return line;
}

QLabel *valueLabel(QWidget *parent, const QString &name)
{
    QLabel *label = ui::label(parent, name, QString());
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

} // namespace

QWidget *TfmRuleOfThird::createBottomInformationPage()
{
    QWidget *p = page(QStringLiteral("BottomInformation"));
    QLineEdit **times[] = {&BestTime, &DescentTime, &BottomTime, &AscentTime, &TotalDecoTime, &AscentFromDecoTime};
    const char *timeNames[] = {"BestTime",   "DescentTime",   "BottomTime",
                               "AscentTime", "TotalDecoTime", "AscentFromDecoTime"};
    const char *timeCaptions[] = {"Total Run time:", "Descent:",       "Max Bottom time:",
                                  "Ascent:",         "Decompression:", "Ascent from deco:"};
    Panel21 = ui::label(p, QStringLiteral("Panel21"), QStringLiteral("Diver #1"));
    Panel22 = ui::label(p, QStringLiteral("Panel22"), QStringLiteral("Diver #2"));
    for (QLabel *heading : {Panel21, Panel22}) {
        heading->setFrameShape(QFrame::Panel);
        heading->setFrameShadow(QFrame::Raised);
        heading->setAlignment(Qt::AlignCenter);
        setHint(heading, heading->text());
    }
    ConsumptionUnit = ui::label(p, QStringLiteral("Label32"), QStringLiteral("CuFt"));

    auto *grid = new QGridLayout(p);
    grid->addWidget(ui::caption(p, QStringLiteral("Minutes")), 0, 1);
    grid->addWidget(Panel21, 0, 2);
    grid->addWidget(Panel22, 0, 3);
    grid->addWidget(ConsumptionUnit, 0, 4);
    // The consumption of each time row, per diver; the total run row has the total.
    std::array<QLineEdit *, 2> *consumption[] = {&TotalRunTimeConsumption, &DescentComsumption, &BottomTimeConsumption,
                                                 &Ascent1Consumption,      &DecoConsumption,    &Ascent2Consumption};
    const char *consumptionNames[] = {"TotalRunTimeConsumption", "DescentComsumption", "BottomTimeConsumption",
                                      "Ascent1Consumption",      "DecoConsumption",    "Ascent2Consumption"};
    for (int r = 0; r < 6; ++r) {
        *times[r] = ui::resultBox(p, QString::fromLatin1(timeNames[r]));
        grid->addWidget(ui::caption(p, QString::fromLatin1(timeCaptions[r]), *times[r]), r + 1, 0);
        grid->addWidget(*times[r], r + 1, 1);
        for (int n = 0; n < 2; ++n) {
            QLineEdit *box = ui::resultBox(p, QString::fromLatin1(consumptionNames[r]) + QString::number(n + 1));
            (*consumption[r])[n] = box;
            grid->addWidget(box, r + 1, n + 2);
        }
    }
    PressureInATA = ui::resultBox(p, QStringLiteral("PressureInATA"));
    MaxPOTwo = ui::resultBox(p, QStringLiteral("MaxPOTwo"));
    grid->addWidget(ui::caption(p, QStringLiteral("Pressure:"), PressureInATA), 7, 0);
    grid->addWidget(PressureInATA, 7, 1);
    grid->addWidget(ui::caption(p, QStringLiteral("Max ppO2:"), MaxPOTwo), 7, 2, Qt::AlignRight);
    grid->addWidget(MaxPOTwo, 7, 3);
    grid->setColumnStretch(5, 1);
    grid->setRowStretch(8, 1);
    return p;
}

QWidget *TfmRuleOfThird::createVisualizationPage()
{
    QWidget *p = page(QStringLiteral("Visualization"));
    Panel11 = new ProfileGraphic(p);
    Panel11->setObjectName(QStringLiteral("Panel11"));
    auto caption = [this](const QString &name, const QString &text) { return ui::label(Panel11, name, text); };
    DescentCaption = caption(QStringLiteral("DescentLabel"), QStringLiteral("Descent"));
    BottomCaption = caption(QStringLiteral("BottomLabel"), QStringLiteral("Bottom"));
    AscentCaption = caption(QStringLiteral("AscentLabel"), QStringLiteral("Ascent"));
    DecoAscentCaption = caption(QStringLiteral("DecoAscentLabel"), QStringLiteral("Deco Ascent"));
    DecompressionCaption = caption(QStringLiteral("DecompressionLabel"), QStringLiteral("Decompression"));
    TotalRunCaption = caption(QStringLiteral("TotalRunLabel"), QStringLiteral("Total run"));
    Label33 = valueLabel(Panel11, QStringLiteral("Label33"));
    Label34 = valueLabel(Panel11, QStringLiteral("Label34"));
    Label35 = valueLabel(Panel11, QStringLiteral("Label35"));
    Label41 = valueLabel(Panel11, QStringLiteral("Label41"));
    Label36 = valueLabel(Panel11, QStringLiteral("Label36"));
    Label30 = valueLabel(Panel11, QStringLiteral("Label30"));
    Label17Depth = valueLabel(Panel11, QStringLiteral("Label17Depth"));
    auto mark = [this](const QString &name, const QString &hint, const QColor &colour) {
        QLabel *shape = ui::label(Panel11, name, QString());
        shape->setFixedSize(12, 12);
        shape->setStyleSheet(
            QStringLiteral("background: %1; border: 1px solid black; border-radius: 6px;").arg(colour.name()));
        setHint(shape, hint);
        return shape;
    };
    Shape1 = mark(QStringLiteral("Shape1"), QStringLiteral("Rule of Third: Turn point"), QColor(0, 160, 0));
    Shape2 = mark(QStringLiteral("Shape2"), QStringLiteral("Rule of Third: Call point"), QColor(230, 180, 0));
    Shape3 = mark(QStringLiteral("Shape3"), QStringLiteral("Rule of Third: End point"), QColor(200, 0, 0));
    // The places that do not depend on the stops.
    Panel11->place(DescentCaption, {0.01, 0.30});
    Panel11->place(Label33, {0.01, 0.40});
    Panel11->place(Label17Depth, {0.20, 0.55});
    Panel11->place(BottomCaption, {0.22, 0.76});
    Panel11->place(Label34, {0.22, 0.86});
    Panel11->place(Shape1, {0.24, 0.665});
    Panel11->place(Shape2, {0.33, 0.665});
    Panel11->place(Shape3, {0.42, 0.665});
    Panel11->place(TotalRunCaption, {0.50, 0.86});
    Panel11->place(Label30, {0.62, 0.86});

    HowMuchGasBottum = ui::button(p, QStringLiteral("HowMuchGasBottum"),
                                  QStringLiteral("How much gas do I need to stay at this depth ..."));
    TotalRunAndBottomTime = statusLine(p, QStringLiteral("TotalRunAndBottomTime"),
                                       {QStringLiteral("Runtime"), QString(), QStringLiteral("Bottom time"),
                                        QString()});
    TotalConsumptionStatusBar = statusLine(p, QStringLiteral("TotalConsumptionStatusBar"),
                                           {QStringLiteral("Total"), QString()});
    ReserveStatusBar = statusLine(p, QStringLiteral("ReserveStatusBar"), {QStringLiteral("Reserve"), QString()});
    GasUsedVersusAvailableGasProgress = bar(p, QStringLiteral("GasUsedVersusAvailableGasProgress"));
    GasUsedVersusAvailableGasProgress->setTextVisible(false);
    AlarmShape = ui::button(p, QStringLiteral("AlarmShape"), QStringLiteral("!"),
                            QStringLiteral("ALARM: Diver will use more gas than what is available.|"
                                           "This could be a program error because of down rounding. This is a bug."));
    AlarmShape->setFixedSize(24, 24);
    AlarmShape->setStyleSheet(QStringLiteral("background: red; color: white; font-weight: bold; border-radius: 12px;"));
    AlarmShape->hide();
    ShowGraphicsWho = new QComboBox(p);
    ShowGraphicsWho->setObjectName(QStringLiteral("ShowGraphicsWho"));
    ShowGraphicsWho->addItems({QStringLiteral("Diver 1"), QStringLiteral("Diver 2"), QStringLiteral("Time")});
    ShowGraphicsWho->setCurrentIndex(2);
    ShowGraphicsWho->setMinimumContentsLength(12);

    auto *choice = new QHBoxLayout;
    choice->addWidget(ui::caption(p, QStringLiteral("Show"), ShowGraphicsWho));
    choice->addWidget(ShowGraphicsWho);
    choice->addStretch();
    choice->addWidget(AlarmShape);
    choice->addWidget(HowMuchGasBottum);
    auto *layout = new QVBoxLayout(p);
    layout->addLayout(choice);
    layout->addWidget(Panel11, 1);
    layout->addWidget(TotalRunAndBottomTime);
    layout->addWidget(TotalConsumptionStatusBar);
    layout->addWidget(ReserveStatusBar);
    layout->addWidget(GasUsedVersusAvailableGasProgress);
    return p;
}

QGroupBox *TfmRuleOfThird::createDiverBox(int diver)
{
    const int n = diver - 1;
    const QString k = QString::number(diver);
    QGroupBox *box = ui::group(nullptr, QStringLiteral("GroupBox") + k, QStringLiteral("Diver #") + k);
    box->setAcceptDrops(true);
    DiverName[n] = ui::textBox(box, QStringLiteral("Diver%1Name").arg(k));
    PSIBox[n] = ui::inputList(box, QStringLiteral("PSI") + k, {"4400", "3500", "3190", "3000", "2640", "2475", "2450"});
    TanksizeBox[n] = ui::inputList(box, QStringLiteral("Tanksize") + k,
                                   {"240", "120", "108", "104", "100", "95", "80", "70", "50", "45", "13"});
    BRBox[n] = ui::inputList(box, QStringLiteral("BR") + k);
    stReserveInCuFt[n] = ui::resultBox(box, QStringLiteral("stReserveInCuFt") + k);
    TeoretiskAvailTime[n] = ui::resultBox(box, diver == 1 ? QStringLiteral("TeoretiskAvailTime")
                                                          : QStringLiteral("TeoretiskAvailTime2"));
    PSIUnit[n] = ui::label(box, QStringLiteral("PSIUnit") + k, QStringLiteral("PSI"));
    TanksizeUnit[n] = ui::label(box, QStringLiteral("TanksizeUnit") + k, QStringLiteral("CuFt"));
    BRUnit[n] = ui::label(box, QStringLiteral("BRUnit") + k, QStringLiteral("CuFt/Min"));
    ReserveUnit[n] = ui::label(box, QStringLiteral("ReserveUnit") + k, QStringLiteral("CuFt"));
    QPushButton *different = ui::button(box, QStringLiteral("BitBot") + k, QStringLiteral("Different tanks"));
    (diver == 1 ? BitBot1 : BitBot2) = different;

    auto *grid = new QGridLayout(box);
    grid->addWidget(DiverName[n], 0, 0, 1, 3);
    const std::tuple<const char *, QWidget *, QLabel *> rows[] = {
        {"Certified to: ", PSIBox[n], PSIUnit[n]},
        {"Size:", TanksizeBox[n], TanksizeUnit[n]},
        {"RMV:", BRBox[n], BRUnit[n]},
        {"Reserve:", stReserveInCuFt[n], ReserveUnit[n]},
        {"Avail. time", TeoretiskAvailTime[n], ui::label(box, QStringLiteral("MinUnit") + k, QStringLiteral("Min."))},
    };
    int r = 1;
    for (const auto &[caption, control, unit] : rows) {
        grid->addWidget(ui::caption(box, QString::fromLatin1(caption), control), r, 0);
        grid->addWidget(control, r, 1);
        grid->addWidget(unit, r, 2);
        ++r;
    }
    grid->addWidget(different, r, 1, 1, 2);
    for (QWidget *child : box->findChildren<QWidget *>())
        child->installEventFilter(this);
    box->installEventFilter(this);
    return box;
}

QWidget *TfmRuleOfThird::createDiveTeamPage()
{
    QWidget *p = page(QStringLiteral("DiveTeam"));
    DiverMatchProgressBar = bar(p, QStringLiteral("DiverMatchProgressBar"));
    setHint(DiverMatchProgressBar,
            QStringLiteral("Diver matching|How well does the two divers air consumtion match. Available bottom time in "
                           "relation to each other. Best match would be 100%."));
    GroupBox1 = createDiverBox(1);
    GroupBox2 = createDiverBox(2);
    GroupBox1->setParent(p);
    GroupBox2->setParent(p);
    auto *boxes = new QHBoxLayout;
    boxes->addWidget(GroupBox1);
    boxes->addWidget(GroupBox2);
    auto *layout = new QVBoxLayout(p);
    auto *match = new QHBoxLayout;
    match->addWidget(ui::caption(p, QStringLiteral("Diver matching"), DiverMatchProgressBar));
    match->addWidget(DiverMatchProgressBar, 1);
    layout->addLayout(match);
    layout->addLayout(boxes);
    layout->addStretch();
    return p;
}

QWidget *TfmRuleOfThird::createGasSuggestionsPage()
{
    QWidget *p = page(QStringLiteral("GasSuggestions"));
    Gauge = bar(p, QStringLiteral("Gauge"));
    SuggestedTrimixGroupbox = ui::group(p, QStringLiteral("SuggestedTrimixGroupbox"),
                                        QStringLiteral("Suggested Trimix/Heliox"));
    SuggestedHelium = ui::resultBox(SuggestedTrimixGroupbox, QStringLiteral("SuggestedHelium"));
    SuggestedOxygen = ui::resultBox(SuggestedTrimixGroupbox, QStringLiteral("SuggestedOxygen"));
    SuggestedNitrogen = ui::resultBox(SuggestedTrimixGroupbox, QStringLiteral("SuggestedNitrogen"));
    auto *trimix = new QGridLayout(SuggestedTrimixGroupbox);
    const std::pair<const char *, QLineEdit *> trimixRows[] = {{"Helium:", SuggestedHelium},
                                                               {"Oxygen:", SuggestedOxygen},
                                                               {"Nitrogen:", SuggestedNitrogen}};
    int r = 0;
    for (const auto &[caption, box] : trimixRows) {
        trimix->addWidget(ui::caption(SuggestedTrimixGroupbox, QString::fromLatin1(caption), box), r, 0);
        trimix->addWidget(box, r++, 1);
    }
    CreateTrimixButtom = ui::button(SuggestedTrimixGroupbox, QStringLiteral("CreateTrimixButtom"),
                                    QStringLiteral("Trimix"));
    trimix->addWidget(CreateTrimixButtom, r, 1);

    GroupBox5 = ui::group(p, QStringLiteral("GroupBox5"), QStringLiteral("Suggested Nitrox"));
    BestMix = ui::resultBox(GroupBox5, QStringLiteral("BestMix"));
    LblEdit4 = ui::resultBox(GroupBox5, QStringLiteral("LblEdit4"));
    SpeedButton4 = ui::button(GroupBox5, QStringLiteral("SpeedButton4"), QStringLiteral("Nitrox"));
    auto *nitrox = new QGridLayout(GroupBox5);
    nitrox->addWidget(ui::caption(GroupBox5, QStringLiteral("Oxygen:"), BestMix), 0, 0);
    nitrox->addWidget(BestMix, 0, 1);
    nitrox->addWidget(ui::caption(GroupBox5, QStringLiteral("Nitrogen:"), LblEdit4), 1, 0);
    nitrox->addWidget(LblEdit4, 1, 1);
    nitrox->addWidget(SpeedButton4, 3, 1);
    nitrox->setRowStretch(2, 1);

    auto *layout = new QGridLayout(p);
    layout->addWidget(ui::caption(p, QStringLiteral("Gas matching"), Gauge), 0, 0);
    layout->addWidget(Gauge, 0, 1);
    layout->addWidget(SuggestedTrimixGroupbox, 1, 0);
    layout->addWidget(GroupBox5, 1, 1);
    layout->setRowStretch(2, 1);
    return p;
}

QWidget *TfmRuleOfThird::createOutputPage()
{
    QWidget *p = page(QStringLiteral("Output"));
    QTabWidget *pages = ui::pageControl(p, QStringLiteral("OutputPageControl"));
    auto outputPage = [pages](const QString &name, const QString &caption, QPushButton *button,
                              const QString &text = {}) {
        QWidget *sheet = page(name);
        button->setParent(sheet);
        auto *layout = new QVBoxLayout(sheet);
        if (!text.isEmpty())
            layout->addWidget(new QLabel(text, sheet));
        layout->addWidget(button, 0, Qt::AlignLeft);
        layout->addStretch();
        pages->addTab(sheet, caption);
    };
    CalculateButton = ui::button(nullptr, QStringLiteral("CalculateButton"), QStringLiteral("Preview"));
    PrintButtom = ui::button(nullptr, QStringLiteral("PrintButtom"), QStringLiteral("Print"));
    SpeedButton3 = ui::button(nullptr, QStringLiteral("SpeedButton3"), QStringLiteral("Create"));
    QPushButton *notYet = ui::button(nullptr, QStringLiteral("SpeedButton5"), QStringLiteral("Print"));
    notYet->setEnabled(false);
    outputPage(QStringLiteral("DivePlanSheet"), QStringLiteral("Dive plan"), CalculateButton);
    outputPage(QStringLiteral("FormsSheet"), QStringLiteral("Forms"), PrintButtom);
    outputPage(QStringLiteral("ShortDivePlanSheet"), QStringLiteral("Short dive plan"), SpeedButton3);
    outputPage(QStringLiteral("SubmercibleSheet"), QStringLiteral("Submercible dive plan"), notYet,
               QStringLiteral("Not implemented yet"));
    (new QVBoxLayout(p))->addWidget(pages);
    return p;
}
