#include "blending/NitroxFills.h"

#include "blending/model/NitroxFillCalc.h"
#include "core/InputLists.h"
#include "core/NumText.h"
#include "widgets/Builders.h"
#include "widgets/ErrorGuard.h"
#include "widgets/Hints.h"
#include "widgets/UnitInputs.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString GasPercentagesCaption = QStringLiteral("Gas percentages");
const QString AirTopFillCaption = QStringLiteral("Air Top Fill");
const QString IdealFillCaption = QStringLiteral("Ideal fill");

QLabel *resultText(QWidget *parent, const QString &name, const QString &hint)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setMinimumHeight(label->fontMetrics().lineSpacing() * 2);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    setHint(label, hint);
    return label;
}

} // namespace

TfmtNixtroFill::TfmtNixtroFill(ChildHost &host, QWidget *parent)
    : TChildForm(host, parent),
      PSI(ui::inputList(this, QStringLiteral("PSI"))),
      Label7(new QLabel(this)),
      Metric(new QCheckBox(QStringLiteral("Metric"), this)),
      PageControl(new QTabWidget(this)),
      Depth(new QSpinBox(this)),
      Label11(new QLabel(this)),
      PO2(ui::inputList(this, QStringLiteral("PO2"))),
      EANxCombox(ui::inputList(this, QStringLiteral("EANxCombox"), {"21", "32", "36", "50", "80", "100"},
                                     QStringLiteral("32"))),
      Label3(resultText(this, QStringLiteral("Label3"), QStringLiteral("Best gas at given depth with give max PO2"))),
      Label6(resultText(this, QStringLiteral("Label6"), QStringLiteral("Fill with air and top with O2"))),
      Label5(resultText(this, QStringLiteral("Label5"), QStringLiteral("Fill empty tank"))),
      BitBot1(new QPushButton(this)),
      OKBtn(new QPushButton(QStringLiteral("Close"), this))
{
    setWindowTitle(QStringLiteral("NITROX Fills"));
    Label7->setObjectName(QStringLiteral("Label7"));
    Label11->setObjectName(QStringLiteral("Label11"));
    Metric->setObjectName(QStringLiteral("Metric"));
    PageControl->setObjectName(QStringLiteral("PageControl"));
    Depth->setObjectName(QStringLiteral("Depth"));
    Depth->setRange(0, 100000000);
    BitBot1->setObjectName(QStringLiteral("BitBot1"));
    BitBot1->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    setHint(PageControl, QStringLiteral("Select input|Select if your input should be Depth or a EANx mix"));
    setHint(BitBot1, QStringLiteral("Send result via MAPI mail|See your email program on how to set it up with MAPI."));
    setHint(EANxCombox, QStringLiteral("% oxygen"));
    setHint(Metric, QStringLiteral("Metric or Imperial standard"));

    auto *depthPage = new QWidget(PageControl);
    auto *depthForm = new QFormLayout(depthPage);
    auto *depthRow = new QHBoxLayout;
    depthRow->addWidget(Depth);
    depthRow->addWidget(Label11);
    depthForm->addRow(QStringLiteral("Depth"), depthRow);
    depthForm->addRow(QStringLiteral("Max ppO2"), PO2);
    PageControl->addTab(depthPage, QStringLiteral("Depth"));

    auto *eanxPage = new QWidget(PageControl);
    auto *eanxForm = new QFormLayout(eanxPage);
    eanxForm->addRow(QStringLiteral("NITROX Mix"), EANxCombox);
    PageControl->addTab(eanxPage, QStringLiteral("EANx"));

    auto *pressureRow = new QHBoxLayout;
    pressureRow->addWidget(new QLabel(QStringLiteral("Max pressure"), this));
    pressureRow->addWidget(PSI);
    pressureRow->addWidget(Label7);
    pressureRow->addStretch();
    pressureRow->addWidget(Metric);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BitBot1);
    buttons->addStretch();
    buttons->addWidget(OKBtn);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(pressureRow);
    layout->addWidget(PageControl);
    layout->addWidget(ui::framed(this, {}, GasPercentagesCaption, Label3));
    layout->addWidget(ui::framed(this, {}, AirTopFillCaption, Label6));
    layout->addWidget(ui::framed(this, {}, IdealFillCaption, Label5));
    layout->addLayout(buttons);
    setMinimumWidth(420);

    for (QComboBox *box : {PSI, PO2, EANxCombox})
        ui::onUserChange(box, this, [this] { GasChange(); });
    connectGuarded(Depth, &QSpinBox::valueChanged, this, [this] { GasChange(); });
    connectGuarded(PageControl, &QTabWidget::currentChanged, this, [this] { GasChange(); });
    connectGuarded(BitBot1, &QPushButton::clicked, this, [this] { BitBot1Click(); });
    // The window closes with its frame.
    connectGuarded(OKBtn, &QPushButton::clicked, this, [this] { (parentWidget() ? parentWidget() : this)->close(); });

    FillPPO2List(PO2);
    adoptUnitSystem(Metric);
    {
        // The design depth, in the unit the switch below converts from.
        const QSignalBlocker quiet(Depth);
        Depth->setValue(isMetric() ? 100 : 25);
    }
    MetricClick();
}

void TfmtNixtroFill::MetricClick()
{
    const bool metric = isMetric();
    FillPressureList(PSI, metric);
    {
        const QSignalBlocker quiet(Depth);
        ConvertDepthSpin(Depth, metric);
    }
    Label7->setText(PressureUnitWord(metric));
    Label11->setText(DepthUnitWord(metric));
    host().showUnits(metric);
    // The converted depth recomputes, as a change of the depth would.
    GasChange();
}

void TfmtNixtroFill::GasChange()
{
    NitroxFillTexts texts{Label3->text(), Label5->text(), Label6->text()};
    const NitroxFillInput input{PageControl->currentIndex() == 0, Depth->value(), PO2->currentText(),
                                EANxCombox->currentText(), PSI->currentText(), isMetric()};
    auto show = [&] {
        Label3->setText(texts.gasPercentages);
        Label5->setText(texts.idealFill);
        Label6->setText(texts.airTopFill);
    };
    try {
        NitroxFill(input, texts);
    } catch (...) {
        show();
        throw;
    }
    show();
}

void TfmtNixtroFill::BitBot1Click()
{
    host().showInNewNote({GasPercentagesCaption + u':' + Label3->text(), AirTopFillCaption + u':' + Label6->text(),
                          IdealFillCaption + u':' + Label5->text()});
}

void TfmtNixtroFill::closeEvent(QCloseEvent *event)
{
    bool wholeNumber = false;
    guarded([&] {
        StrToInt(PSI->currentText());
        wholeNumber = true;
    });
    if (!wholeNumber) {
        event->ignore();
        return;
    }
    TChildForm::closeEvent(event);
}

void TfmtNixtroFill::closeSteps()
{
    // Ending the program must not be held up by a fill pressure that is not a
    // whole number: it is then simply not remembered.
    int pressure = 0;
    if (TryStrToInt(PSI->currentText(), pressure))
        RememberPressure(isMetric(), pressure);
}
