// The planner's commands: plan files, the short dive plan, printing the
// form, and the hand-offs to the tank comparison, the blending worksheet
// and the gas needs calculator.

#include "planner/Rule3.h"

#include "planner/DivePlanReport.h"
#include "planner/PlanFile.h"
#include "planner/PrintRule3.h"

#include "blending/ConsumTankSize.h"
#include "blending/ParticialPressureMix.h"
#include "calculators/GasCalcu.h"
#include "core/Errors.h"
#include "core/NumText.h"
#include "widgets/BusyCursor.h"
#include "widgets/Dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QScreen>

namespace {

// A name that stands for a diver in questions and captions.
QString diverName(const QString &name, int diver)
{
    const QString trimmed = name.trimmed();
    return trimmed.isEmpty() ? QStringLiteral("Diver #%1").arg(diver) : trimmed;
}

} // namespace

// ---- plan files -----------------------------------------------------------

QString AskDivePlanToLoad()
{
    FileDialogOptions options;
    options.title = QStringLiteral("Load a dive");
    options.filter = QStringLiteral("Tidewell Dive files (*.dive)|*.dive|All files (*.*)|*.*");
    options.defaultExtension = QStringLiteral("Dive");
    options.mustExist = true;
    return Dialogs::current().openFileName(options);
}

void TfmRuleOfThird::Loaddive11Click()
{
    const QString fileName = AskDivePlanToLoad();
    if (fileName.isEmpty())
        return;
    BusyCursor busy;
    LoadDive(fileName);
}

void TfmRuleOfThird::Saveas1Click()
{
    run([this] {
        ::Saveas1Click(m_plan, [](const SaveDialogRequest &request) {
            FileDialogOptions options;
            options.title = request.title;
            options.defaultExtension = request.defaultExtension;
            options.filter = request.filter;
            return Dialogs::current().saveFileName(options);
        });
    });
}

// ---- the short dive plan ----------------------------------------------------

void TfmRuleOfThird::CalculateButtonClick()
{
    ShortDivePlan report;
    run([&] {
        report = MakeShortDivePlan(m_plan);
        warnOfSrf(report.srfProblem);
    });
    host().showReport(report.fileName, QFont(QStringLiteral("Courier New"), 8), report.lines);
    // The lines before a value that does not read as a number stay in the note.
    if (report.stopped)
        throw AppError(report.error);
}

void TfmRuleOfThird::PreviewDivePlanClick()
{
    // Built from this window's own plan, whichever planner was opened last.
    PreviewDivePlan(m_plan, this);
}

void TfmRuleOfThird::PrintButtomClick()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!Dialogs::current().print(printer))
        return;
    const QPixmap image = grab();
    QPainter painter;
    if (!painter.begin(&printer))
        throw AppError(QStringLiteral("Printing failed: the printer could not be started."));
    // The window's image, as large as the page allows, keeping its shape.
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRect(QPoint(0, 0), size), image);
    painter.end();
}

// ---- hand-offs ----------------------------------------------------------------

void TfmRuleOfThird::ConsumpTankSizeClick(int diver)
{
    readInputs();
    auto *comparison = qobject_cast<TfmConsumptionVersusTankSize *>(host().openWindow(ChildKind::TankComparison));
    if (!comparison)
        return;
    const size_t chosen = diver == 2 ? 1 : 0;
    const size_t other = 1 - chosen;
    const DiverInputs &a = m_plan.inputs.diver[chosen];
    const DiverInputs &b = m_plan.inputs.diver[other];
    QComboBox *sizes = TanksizeBox[chosen];
    const int rows = std::min(sizes->count(), int(TfmConsumptionVersusTankSize::RowCount));
    for (int row = 1; row <= rows; ++row) {
        const QString size = sizes->itemText(row - 1);
        // The rows take diver 2's tank first, then diver 1's.
        if (chosen == 0)
            comparison->SetRow(row, b.Tanksize, b.PSI, b.BR, size, a.PSI, a.BR, m_plan.inputs.Metric);
        else
            comparison->SetRow(row, size, a.PSI, a.BR, b.Tanksize, b.PSI, b.BR, m_plan.inputs.Metric);
    }
    comparison->Header->setText(
        Format(QStringLiteral("%s / %s"), {m_plan.inputs.diver[0].Name, m_plan.inputs.diver[1].Name}));
}

void TfmRuleOfThird::CreateMixClick()
{
    readInputs();
    openBlending(ShownValue(m_plan.results.BestMix), QStringLiteral("0"), ShownNitrogen(m_plan.results),
                 QStringLiteral("Nitrox"));
}

void TfmRuleOfThird::CreateTrimixButtomClick()
{
    readInputs();
    const PlanResults &r = m_plan.results;
    openBlending(ShownValue(r.SuggestedOxygen), ShownValue(r.SuggestedHelium), ShownValue(r.SuggestedNitrogen),
                 QStringLiteral("Trimix"));
}

void TfmRuleOfThird::openBlending(const QString &oxygen, const QString &helium, const QString &nitrogen,
                                  const QString &gasName)
{
    const DiverInputs &diver1 = m_plan.inputs.diver[0];
    const DiverInputs &diver2 = m_plan.inputs.diver[1];
    const QString name1 = diverName(diver1.Name, 1);
    const QString name2 = diverName(diver2.Name, 2);
    QString pressure = diver1.PSI;
    QString suffix = QStringLiteral(", ") + gasName;
    if (diver1.Name != diver2.Name && diver1.PSI != diver2.PSI) {
        const QString cr(QChar(u'\r'));
        const QString question = QStringLiteral("To mix the requested gas, please choose") + cr + cr + cr
            + QStringLiteral("Yes for \"") + name1 + u'"' + cr + cr + QStringLiteral("or") + cr + cr
            + QStringLiteral("No  for \"") + name2 + u'"';
        switch (MessageDlg(question, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
        case QMessageBox::Yes:
            suffix += QStringLiteral(", ") + name1;
            break;
        case QMessageBox::No:
            pressure = diver2.PSI;
            suffix += QStringLiteral(", ") + name2;
            break;
        default:
            return;
        }
    }
    auto *sheet = qobject_cast<TfmParticialPressureMix *>(host().openWindow(ChildKind::Blending));
    if (!sheet)
        return;
    if (sheet->Metric->isChecked() != m_plan.inputs.Metric) {
        sheet->Metric->setChecked(m_plan.inputs.Metric);
        sheet->MetricClick();
    }
    // The nitrogen is set as computed, not balanced from the other two.
    sheet->AutoCalc->setChecked(false);
    sheet->AutoCalcClick();
    sheet->PSIG->setEditText(pressure);
    sheet->xFo2->setEditText(oxygen);
    sheet->xFHe->setEditText(helium);
    sheet->xFN2->setEditText(nitrogen);
    sheet->AutoCalc->setChecked(true);
    sheet->AutoCalcClick();
    sheet->setWindowTitle(sheet->windowTitle() + suffix);

    // Just right of the planner, each further worksheet a little lower.
    const QRect frame = host().windowFrame(*sheet);
    const int screenWidth = screen() ? screen()->geometry().width() : 0;
    if (const auto place = WorksheetPlace(host().windowFrame(*this), frame.size(), screenWidth, m_worksheetOffset)) {
        host().placeWindow(*sheet, *place);
        m_worksheetOffset += 32;
    }
}

std::optional<QPoint> WorksheetPlace(const QRect &planner, const QSize &sheet, int screenWidth, int offset)
{
    const int left = planner.right() + 1;
    if (left + sheet.width() > screenWidth - 200)
        return std::nullopt;
    return QPoint(left, planner.top() + offset);
}

void TfmRuleOfThird::HowMuchGasBottumClick()
{
    readInputs();
    auto *gas = qobject_cast<TfmGasCalc *>(host().openWindow(ChildKind::GasNeeds));
    if (!gas)
        return;
    const bool diver2 = m_plan.view.ShowGraphicsWho == GraphicView::Diver2;
    gas->HowMuchAir(m_plan.inputs.Depth, static_cast<int>(Round(ValueOf(m_plan.results.BestTime))),
                    m_plan.inputs.diver[diver2 ? 1 : 0].BR, m_plan.inputs.Metric);
}

void TfmRuleOfThird::SpeedButton2Click()
{
    ShowMessage(QStringLiteral(
        "To calculate decompression is currently outside of the scobe of what I can do in a freeware program. Please "
        "get decompression information from other source and enter it in the fields, as it will be included in the "
        "rest of the calculations."));
}
