#include "blending/ConsumTankSize.h"

#include "blending/model/TankMatch.h"
#include "core/SettingsFile.h"
#include "widgets/Builders.h"
#include "widgets/ErrorGuard.h"
#include "widgets/Hints.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString SettingsSection = QStringLiteral("Defaults");
const QString ShowTextKey = QStringLiteral("ShowTextInConsumptionTanks");
const QColor BestRowColour(0, 128, 0);
// The rows' panel and the help panel keep one width; the window follows it.
constexpr int RowsPanelWidth = 412;

QLabel *helpText(QWidget *parent, const QString &name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

} // namespace

TfmConsumptionVersusTankSize::TfmConsumptionVersusTankSize(ChildHost &host, QWidget *parent)
    : TChildForm(host, parent),
      PageControl1(new QTabWidget(this)),
      Panel1x(ui::panel(this, QStringLiteral("Panel1x"))),
      Label1x(helpText(this, QStringLiteral("Label1x"),
                       QStringLiteral("What would happen if I could use different tanks? Many people have access to "
                                      "different tanks. The chart below shows the relationship between you buddy's and "
                                      "your own breathing rate in relationship to different sizes tanks."))),
      Label2x(helpText(this, QStringLiteral("Label2x"),
                       QStringLiteral("The closer the bar is to be full, the more optimal the match is to your "
                                      "buddy's available gas supply."))),
      LowerPanel(ui::panel(this, QStringLiteral("LowerPanel"))),
      Header(new QLabel(QStringLiteral("Diver 1 / Diver 2"), this)),
      CheckBox1(new QCheckBox(QStringLiteral("Text"), this))
{
    setWindowTitle(QStringLiteral("Air consumption / Tank sizes"));
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    Header->setObjectName(QStringLiteral("Header"));
    QFont bold = Header->font();
    bold.setBold(true);
    Header->setFont(bold);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    setHint(CheckBox1, QStringLiteral("Show help text"));

    auto *help = new QVBoxLayout(Panel1x);
    help->addWidget(Label1x);
    help->addWidget(Label2x);

    auto *rows = new QWidget;
    auto *rowLayout = new QVBoxLayout(rows);
    rowLayout->setSpacing(2);
    for (int k = 1; k <= RowCount; ++k) {
        Row &row = m_rows[k - 1];
        row.panel = ui::panel(rows, QStringLiteral("Panel%1").arg(k));
        row.panel->setAutoFillBackground(true);
        row.label = new QLabel(QStringLiteral("  80 CuFt  /  80 CuFt"), row.panel);
        row.label->setObjectName(QStringLiteral("Label%1").arg(k));
        row.label->setMinimumWidth(170);
        row.bar = new QProgressBar(row.panel);
        row.bar->setObjectName(QStringLiteral("ProgressBar%1").arg(k));
        row.bar->setRange(0, 100);
        row.bar->setValue(60);
        row.bar->setTextVisible(false);
        auto *line = new QHBoxLayout(row.panel);
        line->setContentsMargins(6, 2, 6, 2);
        line->addWidget(row.label);
        line->addWidget(row.bar, 1);
        rowLayout->addWidget(row.panel);
    }
    auto *scroll = new QScrollArea(LowerPanel);
    scroll->setObjectName(QStringLiteral("ScrollBox1"));
    scroll->setWidgetResizable(true);
    scroll->setWidget(rows);
    scroll->setMinimumHeight(rows->sizeHint().height() + 4);
    auto *lower = new QVBoxLayout(LowerPanel);
    lower->addWidget(Header);
    lower->addWidget(scroll);

    auto *page = new QWidget(PageControl1);
    page->setObjectName(QStringLiteral("TabSheet1"));
    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(6, 6, 6, 6);
    pageLayout->addWidget(CheckBox1, 0, Qt::AlignLeft);
    Panel1x->setFixedWidth(RowsPanelWidth);
    LowerPanel->setFixedWidth(RowsPanelWidth);
    pageLayout->addWidget(Panel1x, 0, Qt::AlignLeft);
    pageLayout->addWidget(LowerPanel, 1, Qt::AlignLeft);
    PageControl1->addTab(page, QStringLiteral("Service funtion"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(PageControl1);

    connectGuarded(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });

    resize(RowsPanelWidth + WidthBesideRows, sizeHint().height());
    m_heightAtCreation = height();
    CheckBox1->setChecked(SettingsFile().readBool(SettingsSection, ShowTextKey, true));
    CheckBox1Click();
}

void TfmConsumptionVersusTankSize::apply(const TankComparisonRequest &request)
{
    const size_t varied = request.variedDiver == 2 ? 1 : 0;
    const int rows = std::min(int(request.sizes.size()), RowCount);
    for (int row = 1; row <= rows; ++row) {
        std::array<DiverTank, 2> tanks = request.diver;
        tanks[varied].size = request.sizes.at(row - 1);
        setRow(row, tanks[1], tanks[0], request.metric);
    }
    Header->setText(request.header);
}

void TfmConsumptionVersusTankSize::setRow(int row, const DiverTank &diver2, const DiverTank &diver1, bool metric)
{
    const TankMatchRow match = MatchTanks(diver2, diver1, metric);
    Row &r = m_rows.at(row - 1);
    r.label->setText(match.label);
    setHint(r.panel, match.hint);
    r.bar->setMaximum(match.maximum);
    r.bar->setValue(match.position);
    if (row == RowCount)
        markBestRows();
}

void TfmConsumptionVersusTankSize::markBestRows()
{
    QList<int> gaps;
    for (const Row &row : m_rows)
        gaps << row.bar->maximum() - row.bar->value();
    for (int index : BestRows(gaps)) {
        Row &row = m_rows.at(index);
        QPalette panelPalette = row.panel->palette();
        panelPalette.setColor(QPalette::Window, BestRowColour);
        row.panel->setPalette(panelPalette);
        QPalette labelPalette = row.label->palette();
        labelPalette.setColor(QPalette::WindowText, palette().color(QPalette::HighlightedText));
        row.label->setPalette(labelPalette);
        setHint(row.panel, hintOf(row.panel) + BestGasSuffix);
    }
}

void TfmConsumptionVersusTankSize::setFrameHeight(int height)
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget())) {
        frame->resize(frame->width(), height + frame->height() - this->height());
        return;
    }
    resize(width(), height);
}

void TfmConsumptionVersusTankSize::setFrameWidth(int width)
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget())) {
        frame->resize(width + frame->width() - this->width(), frame->height());
        return;
    }
    resize(width, height());
}

void TfmConsumptionVersusTankSize::FormActivate() { setFrameWidth(LowerPanel->width() + WidthBesideRows); }

bool TfmConsumptionVersusTankSize::event(QEvent *event)
{
    // The frame the main window puts around the window reports its activation.
    if (event->type() == QEvent::ParentChange) {
        if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
            connect(frame, &QMdiSubWindow::windowStateChanged, this,
                    [this](Qt::WindowStates before, Qt::WindowStates now) {
                        if (now.testFlag(Qt::WindowActive) && !before.testFlag(Qt::WindowActive))
                            guarded([this] { FormActivate(); });
                    });
    }
    return TChildForm::event(event);
}

void TfmConsumptionVersusTankSize::CheckBox1Click()
{
    const bool shown = CheckBox1->isChecked();
    Panel1x->setVisible(shown);
    setFrameHeight(shown ? m_heightAtCreation : m_heightAtCreation - Panel1x->sizeHint().height());
}

void TfmConsumptionVersusTankSize::closeSteps()
{
    SettingsFile().writeBool(SettingsSection, ShowTextKey, CheckBox1->isChecked());
}
