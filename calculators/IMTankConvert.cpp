#include "calculators/IMTankConvert.h"

#include "calculators/model/TankCalc.h"
#include "core/Arithmetic.h"
#include "core/InputLists.h"
#include "core/NumText.h"
#include "core/Units.h"
#include "widgets/Builders.h"
#include "widgets/ErrorGuard.h"
#include "widgets/UnitInputs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const QString ImperialCaption = QStringLiteral("Tank, Imperial mesurements");
const QString MetricCaption = QStringLiteral("Tank, Metric mesurements");
} // namespace

TfmIMTankConverter::TfmIMTankConverter(ChildHost &host, QWidget *parent)
    : TChildForm(host, parent), PageControl1(ui::pageControl(this, QStringLiteral("PageControl1")))
{
    setWindowTitle(QStringLiteral("Tank Converter"));
    m_imperial = createPage({"IM", "GroupBox1", "Label1", "ICertified", "Label5", "Label6", "ITanksize", "Label7",
                             "GroupBox2", "Label2", "BitBot1"},
                            ImperialCaption, QStringLiteral("PSI"), QStringLiteral("CuFt"), MetricCaption);
    m_metric = createPage({"MI", "GroupBox3", "Label3", "MCertified", "Label4", "Label8", "MTanksize", "Label9",
                           "GroupBox4", "Label10", "BitBot2"},
                          MetricCaption, QStringLiteral("BAR"), QStringLiteral("Liters"), ImperialCaption);
    PageControl1->addTab(m_imperial.page, QStringLiteral("Imperial to Metric"));
    PageControl1->addTab(m_metric.page, QStringLiteral("Metric to Imperial"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);

    FillPressureList(m_imperial.certified, false);
    FillTankSizeList(m_imperial.tanksize, false);
    IValueChanged();
    FillPressureList(m_metric.certified, true);
    FillTankSizeList(m_metric.tanksize, true);
    MValueChange();
    if (UnitSystem())
        PageControl1->setCurrentWidget(m_metric.page);

    for (QComboBox *list : {m_imperial.certified, m_imperial.tanksize})
        connectGuarded(list, &QComboBox::editTextChanged, this, [this] { IValueChanged(); });
    for (QComboBox *list : {m_metric.certified, m_metric.tanksize})
        connectGuarded(list, &QComboBox::editTextChanged, this, [this] { MValueChange(); });
    connectGuarded(m_imperial.send, &QPushButton::clicked, this, [this] { sendPage(m_imperial); });
    connectGuarded(m_metric.send, &QPushButton::clicked, this, [this] { sendPage(m_metric); });
    connectGuarded(PageControl1, &QTabWidget::currentChanged, this, [this] { activated(); });
    activated();
}

TfmIMTankConverter::TankPage TfmIMTankConverter::createPage(const QStringList &names, const QString &fromCaption,
                                                            const QString &pressureWord, const QString &volumeWord,
                                                            const QString &toCaption)
{
    auto *page = new QWidget;
    page->setObjectName(names[0]);
    TankPage p{page,
               ui::group(page, names[1], fromCaption),
               ui::label(page, names[2], QStringLiteral("Certified to: ")),
               ui::inputList(page, names[3]),
               ui::label(page, names[4], pressureWord),
               ui::label(page, names[5], QStringLiteral("Size")),
               ui::inputList(page, names[6]),
               ui::label(page, names[7], volumeWord),
               ui::group(page, names[8], toCaption),
               ui::resultLabel(page, names[9]),
               ui::sendButton(page, names[10])};

    auto *fromGrid = new QGridLayout(p.from);
    fromGrid->addWidget(p.certifiedLabel, 0, 0);
    fromGrid->addWidget(p.certified, 0, 1);
    fromGrid->addWidget(p.pressureWord, 0, 2);
    fromGrid->addWidget(p.sizeLabel, 1, 0);
    fromGrid->addWidget(p.tanksize, 1, 1);
    fromGrid->addWidget(p.volumeWord, 1, 2);
    fromGrid->setColumnStretch(2, 1);
    auto *toLayout = new QVBoxLayout(p.to);
    toLayout->addWidget(p.answer);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(p.from);
    layout->addWidget(p.to, 1);
    layout->addWidget(p.send, 0, Qt::AlignRight);
    return p;
}

bool TfmIMTankConverter::metricPageActive() const
{
    return PageControl1->currentWidget() == m_metric.page;
}

void TfmIMTankConverter::IValueChanged()
{
    m_imperial.answer->setText(ui::shownText(
        ImperialToMetricText(m_imperial.certified->currentText(), m_imperial.tanksize->currentText())));
}

void TfmIMTankConverter::MValueChange()
{
    m_metric.answer->setText(ui::shownText(
        MetricToImperialText(m_metric.certified->currentText(), m_metric.tanksize->currentText())));
}

void TfmIMTankConverter::sendPage(const TankPage &page)
{
    ui::sendLinesToNote(host(), {
        page.from->title(),
        page.certifiedLabel->text() + " " + page.certified->currentText() + " " + page.pressureWord->text(),
        page.sizeLabel->text() + " " + page.tanksize->currentText() + " " + page.volumeWord->text(),
        "Equals " + page.to->title(),
        page.answer->text(),
    });
}

void TfmIMTankConverter::activated() { host().showUnits(metricPageActive()); }

void TfmIMTankConverter::closeSteps()
{
    auto rounded = [](QComboBox *list) { return CheckedWhole(Round(StrToFloat(list->currentText()))); };
    RememberPressure(true, rounded(m_metric.certified));
    RememberTankSize(true, rounded(m_metric.tanksize));
    RememberPressure(false, rounded(m_imperial.certified));
    RememberTankSize(false, rounded(m_imperial.tanksize));
}
