// The planner's commands: plan files, the short dive plan, printing the
// form, and the hand-offs to the tank comparison, the blending worksheet
// and the gas needs calculator.

#include "planner/window/Rule3.h"

#include "planner/model/DivePlanReport.h"
#include "planner/model/PlanFile.h"
#include "planner/window/PrintRule3.h"

#include "blending/BlendRequest.h"
#include "blending/TankComparisonRequest.h"
#include "calculators/GasNeedsRequest.h"
#include "core/Errors.h"
#include "core/NumText.h"
#include "widgets/BusyCursor.h"
#include "widgets/Dialogs.h"

#include <QComboBox>
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
    const PlanInputs &in = m_plan.inputs;
    TankComparisonRequest request;
    request.metric = in.Metric;
    for (size_t k = 0; k < 2; ++k)
        request.diver[k] = {in.diver[k].Tanksize, in.diver[k].PSI, in.diver[k].BR};
    request.variedDiver = diver == 2 ? 2 : 1;
    // The sizes the varied diver's list offers, in its order.
    const QComboBox *sizes = TanksizeBox[request.variedDiver - 1];
    for (int row = 0; row < sizes->count(); ++row)
        request.sizes << sizes->itemText(row);
    request.header = Format(QStringLiteral("%s / %s"), {in.diver[0].Name, in.diver[1].Name});
    host().openTankComparison(request);
}

void TfmRuleOfThird::CreateMixClick()
{
    readInputs();
    openWorksheet(ShownValue(m_plan.results.BestMix), QStringLiteral("0"), ShownNitrogen(m_plan.results),
                  QStringLiteral("Nitrox"));
}

void TfmRuleOfThird::CreateTrimixButtomClick()
{
    readInputs();
    const PlanResults &r = m_plan.results;
    openWorksheet(ShownValue(r.SuggestedOxygen), ShownValue(r.SuggestedHelium), ShownValue(r.SuggestedNitrogen),
                  QStringLiteral("Trimix"));
}

void TfmRuleOfThird::openWorksheet(const QString &oxygen, const QString &helium, const QString &nitrogen,
                                   const QString &gasName)
{
    const DiverInputs &diver1 = m_plan.inputs.diver[0];
    const DiverInputs &diver2 = m_plan.inputs.diver[1];
    const QString name1 = diverName(diver1.Name, 1);
    const QString name2 = diverName(diver2.Name, 2);
    BlendRequest request{m_plan.inputs.Metric, diver1.PSI, oxygen, helium, nitrogen, gasName, {}};
    if (diver1.Name != diver2.Name && diver1.PSI != diver2.PSI) {
        const QString cr(QChar(u'\r'));
        const QString question = QStringLiteral("To mix the requested gas, please choose") + cr + cr + cr
                                 + QStringLiteral("Yes for \"") + name1 + u'"' + cr + cr + QStringLiteral("or") + cr
                                 + cr + QStringLiteral("No  for \"") + name2 + u'"';
        switch (MessageDlg(question, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
        case QMessageBox::Yes: request.diverName = name1; break;
        case QMessageBox::No:
            request.pressure = diver2.PSI;
            request.diverName = name2;
            break;
        default: return;
        }
    }
    TChildForm *sheet = host().openBlending(request);
    if (!sheet)
        return;

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
    const bool diver2 = m_plan.view.ShowGraphicsWho == GraphicView::Diver2;
    host().openGasNeeds({m_plan.inputs.Metric, m_plan.inputs.Depth,
                         static_cast<int>(Round(ValueOf(m_plan.results.BestTime))),
                         m_plan.inputs.diver[diver2 ? 1 : 0].BR});
}

void TfmRuleOfThird::SpeedButton2Click()
{
    ShowMessage(QStringLiteral(
        "To calculate decompression is currently outside of the scobe of what I can do in a freeware program. Please "
        "get decompression information from other source and enter it in the fields, as it will be included in the "
        "rest of the calculations."));
}
