#include "calculators/GasCalcu.h"

#include "calculators/model/GasNeedsCalc.h"
#include "widgets/Builders.h"
#include "widgets/ErrorGuard.h"
#include "widgets/Hints.h"
#include "widgets/UnitInputs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
QPlainTextEdit *memo(QWidget *parent, const QString &name)
{
    auto *edit = new QPlainTextEdit(name, parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setMinimumSize(360, 110);
    return edit;
}

void showAnswer(QPlainTextEdit *memo, const QString &text)
{
    memo->clear();
    memo->appendPlainText(ui::shownText(text));
}
} // namespace

TfmGasCalc::TfmGasCalc(ChildHost &host, QWidget *parent)
    : TChildForm(host, parent), Metric(ui::metricBox(this)), PageControl1(ui::pageControl(this, QStringLiteral("PageControl1")))
{
    setWindowTitle(QStringLiteral("Gas calculations"));
    PageControl1->addTab(createStayPage(), QStringLiteral("How long can I stay"));
    PageControl1->addTab(createNeedPage(), QStringLiteral("How much air do I need"));
    QLabel *Label15 = ui::label(this, QStringLiteral("Label15"), QStringLiteral("Fix"));
    setHint(Label15, QStringLiteral("QA Results in metric|"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(ui::headerRow(Metric, Label15));
    layout->addWidget(PageControl1);

    adoptUnitSystem(Metric);
    connectEvents();
    SwitchMeIm();
    const int depth = isMetric() ? 25 : 100;
    Depth->setValue(depth);
    NDepth->setValue(depth);
    Gas->setFocus();
}

QWidget *TfmGasCalc::createStayPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    Gas = ui::inputList(page, QStringLiteral("Gas"));
    PSI = ui::inputList(page, QStringLiteral("PSI"));
    PressureEnhLabel = ui::label(page, QStringLiteral("PressureEnhLabel"), QStringLiteral("Pressure"));
    Bre_Rate = ui::inputList(page, QStringLiteral("Bre_Rate"));
    Depth = ui::wholeSpin(page, QStringLiteral("Depth"), 0, 10000, 0);
    Label4 = ui::label(page, QStringLiteral("Label4"), QStringLiteral("CuFt/min"));
    Label6 = ui::label(page, QStringLiteral("Label6"), QStringLiteral("Feet"));
    Memo1 = memo(page, QStringLiteral("Memo1"));
    BitBot1 = ui::sendButton(page, QStringLiteral("BitBot1"));

    auto *grid = new QGridLayout(page);
    grid->addWidget(new QLabel(QStringLiteral("Availiable gas"), page), 0, 0);
    grid->addWidget(Gas, 0, 1);
    grid->addWidget(PressureEnhLabel, 1, 0);
    grid->addWidget(PSI, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Breathing rate"), page), 2, 0);
    grid->addWidget(Bre_Rate, 2, 1);
    grid->addWidget(Label4, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("Depth"), page), 3, 0);
    grid->addWidget(Depth, 3, 1);
    grid->addWidget(Label6, 3, 2);
    grid->addWidget(BitBot1, 3, 3, Qt::AlignRight);
    grid->addWidget(ui::resultGroup(page, Memo1, QStringLiteral("GroupBox1")), 4, 0, 1, 4);
    grid->setColumnStretch(2, 1);
    // The send button stands above the answer, so it comes before it.
    ui::tabOrder({Depth, BitBot1, Memo1});
    return page;
}

QWidget *TfmGasCalc::createNeedPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("HowMuchAir"));
    NDepth = ui::wholeSpin(page, QStringLiteral("NDepth"), 0, 10000, 0);
    N_Time = ui::wholeSpin(page, QStringLiteral("N_Time"), 0, 10000, 10);
    NBre_rate = ui::inputList(page, QStringLiteral("NBre_rate"));
    Label9 = ui::label(page, QStringLiteral("Label9"), QStringLiteral("Feet"));
    Label13 = ui::label(page, QStringLiteral("Label13"), QStringLiteral("CuFt/min"));
    Memo2 = memo(page, QStringLiteral("Memo2"));
    BitBot2 = ui::sendButton(page, QStringLiteral("BitBot2"));

    auto *grid = new QGridLayout(page);
    grid->addWidget(new QLabel(QStringLiteral("Depth"), page), 0, 0);
    grid->addWidget(NDepth, 0, 1);
    grid->addWidget(Label9, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Time"), page), 1, 0);
    grid->addWidget(N_Time, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Min."), page), 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Breathing rate"), page), 2, 0);
    grid->addWidget(NBre_rate, 2, 1);
    grid->addWidget(Label13, 2, 2);
    grid->addWidget(BitBot2, 2, 3, Qt::AlignRight);
    grid->addWidget(ui::resultGroup(page, Memo2), 3, 0, 1, 4);
    grid->setColumnStretch(2, 1);
    ui::tabOrder({NBre_rate, BitBot2, Memo2});
    return page;
}

void TfmGasCalc::connectEvents()
{
    for (QComboBox *list : {Gas, Bre_Rate, PSI})
        connectGuarded(list, &QComboBox::editTextChanged, this, [this] { GasChange(); });
    connectGuarded(Depth, &QSpinBox::valueChanged, this, [this] { GasChange(); });
    connectGuarded(NDepth, &QSpinBox::valueChanged, this, [this] { NDepthChange(); });
    connectGuarded(N_Time, &QSpinBox::valueChanged, this, [this] { NDepthChange(); });
    connectGuarded(NBre_rate, &QComboBox::editTextChanged, this, [this] { NDepthChange(); });
    for (QWidget *w : {static_cast<QWidget *>(NDepth), static_cast<QWidget *>(N_Time),
                       static_cast<QWidget *>(NBre_rate)})
        ui::onLeave(w, [this] { GasChange(); });
    connectGuarded(BitBot1, &QPushButton::clicked, this, [this] { ui::sendTextToNote(host(), Memo1->toPlainText()); });
    connectGuarded(BitBot2, &QPushButton::clicked, this, [this] { ui::sendTextToNote(host(), Memo2->toPlainText()); });
}

void TfmGasCalc::MetricClick()
{
    SwitchMeIm();
    host().showUnits(isMetric());
}

void TfmGasCalc::SwitchMeIm()
{
    const bool metric = isMetric();
    Label4->setText(VolumeUnitWord(metric) + "/min");
    Label13->setText(VolumeUnitWord(metric) + "/min");
    Label6->setText(DepthUnitWord(metric));
    Label9->setText(DepthUnitWord(metric));
    FillTankSizeList(Gas, metric);
    FillPressureList(PSI, metric);
    PSI->setEnabled(metric);
    PressureEnhLabel->setEnabled(metric);
    ConvertDepthSpin(Depth, metric);
    ConvertDepthSpin(NDepth, metric);
    FillBreathingRateList(Bre_Rate, metric);
    FillBreathingRateList(NBre_rate, metric);
    if (!Memo1->toPlainText().trimmed().isEmpty())
        GasChange();
    if (!Memo2->toPlainText().trimmed().isEmpty())
        NDepthChange();
}

void TfmGasCalc::GasChange()
{
    // An answer that cannot be computed yet keeps the previous one.
    try {
        showAnswer(Memo1, HowLongCanIStayText({Gas->currentText(), PSI->currentText(),
                                               Bre_Rate->currentText(), Depth->value()},
                                              isMetric()));
    } catch (const AppError &) {
    }
}

void TfmGasCalc::NDepthChange()
{
    try {
        showAnswer(Memo2, HowMuchGasText({NDepth->value(), N_Time->value(), NBre_rate->currentText()},
                                         isMetric()));
    } catch (const AppError &) {
    }
}

void TfmGasCalc::apply(const GasNeedsRequest &request)
{
    if (isMetric() != request.metric) {
        Metric->setChecked(request.metric);
        MetricClick();
    }
    PageControl1->setCurrentWidget(NDepth->parentWidget());
    NDepth->setValue(request.depth);
    N_Time->setValue(request.minutes);
    NBre_rate->setEditText(request.breathingRate);
    N_Time->setFocus();
    NDepthChange();
}
