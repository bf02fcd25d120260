#include "profiles/window/DANGraphic.h"

#include "charts/ProfileLook.h"
#include "charts/RChart.h"
#include "charts/dbm.h"
#include "core/SettingsFile.h"
#include "profiles/model/DiveCeiling.h"
#include "profiles/model/DiveLogReader.h"
#include "profiles/window/DanSampleMarker.h"
#include "widgets/Builders.h"
#include "widgets/DockLayout.h"
#include "widgets/Dockbar.h"
#include "widgets/ErrorGuard.h"
#include "widgets/Hints.h"
#include "widgets/MShape.h"
#include "widgets/PanelBar.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString Section = QStringLiteral("DAN Format");

const QString PanelSection = QStringLiteral("Panel1x");

} // namespace

TfmDANResarchFormatGraphic::TfmDANResarchFormatGraphic(ChildHost &host, QWidget *parent) : TChildForm(host, parent)
{
    setObjectName(QStringLiteral("fmDANResarchFormatGraphic"));
    setWindowTitle(QStringLiteral("DAN Research file"));
    setAcceptDrops(true);

    createToolbar();
    createMenus();

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientPanel"));
    auto *column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    // The one-section strip that sets the split between file panel and chart.
    HeaderControl = new QHeaderView(Qt::Horizontal, client);
    HeaderControl->setObjectName(QStringLiteral("HeaderControl"));
    auto *headerModel = new QStandardItemModel(0, 1, HeaderControl);
    headerModel->setHorizontalHeaderLabels({QString()});
    HeaderControl->setModel(headerModel);
    HeaderControl->setStretchLastSection(false);
    HeaderControl->setSectionResizeMode(QHeaderView::Interactive);
    HeaderControl->setMinimumSectionSize(40);
    HeaderControl->setFixedHeight(10);
    setHint(HeaderControl, QStringLiteral("Drag the marker to resize proportions"));
    column->addWidget(HeaderControl);

    m_body = new QHBoxLayout;
    m_body->setContentsMargins(0, 0, 0, 0);
    m_body->setSpacing(0);
    createFilePanel();
    m_pageArea = new QWidget(client);
    m_pageArea->setObjectName(QStringLiteral("Panel3"));
    createPages();
    m_body->addWidget(Panel1x);
    m_body->addWidget(m_pageArea, 1);
    column->addLayout(m_body, 1);

    ProgressBar = new QProgressBar(client);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setTextVisible(false);
    ProgressBar->setFixedHeight(12);
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    column->addWidget(ProgressBar);
    StatusBar = new TPanelBar(client, QStringLiteral("StatusBar"), {120, 115, 135, 135, 180, 110, 140});
    column->addWidget(StatusBar);
    DockLayout::of(this)->setClient(client);

    createPopupMenus();

    DemoTimer = new QTimer(this);
    DemoTimer->setObjectName(QStringLiteral("DemoTimer"));
    DemoTimer->setInterval(2000);
    DemoTimer->setSingleShot(true);
    connectGuarded(DemoTimer, &QTimer::timeout, this, [this] { DemoTimerTimer(); });

    connectGuarded(HeaderControl, &QHeaderView::sectionResized, this,
                   [this](int, int, int width) { HeaderControlSectionResize(width); });

    // The window's start: chart settings, the stored menu states, the panels.
    applyChartSettings();
    m_resolutionStep = 1;
    m_noteModified = false;
    DiveLogStatusBar->setPanelText(1, QString());
    MouseActionClick(m_options.pan->data().toInt());
    ResetToSysDefault();
    RChart1->MovePenTo(0, 0);
    readSettings();
    Panel1x->setVisible(m_options.showFilePanel->isChecked());
    HeaderControl->setVisible(Panel1x->isVisible());
    MouseActionClick(checkedTag(m_options.mouseActions));
    m_resolutionStep = checkedTag(m_options.resolution);
    for (QAction *item : m_options.resolution->actions())
        item->setChecked(item->data().toInt() == m_resolutionStep);
    GridChangeClick(checkedTag(m_options.grid));
    LeftRight1Click(checkedTag(m_options.side));
    for (int panel : {CeilingPanel, NdlTtsPanel})
        StatusBarForGraph->setPanelVisible(panel, ceilingShown());
    showDirectory(QDir::currentPath());
    resize(sizeHint());
}

TfmDANResarchFormatGraphic::~TfmDANResarchFormatGraphic() = default;

QSize TfmDANResarchFormatGraphic::sizeHint() const { return {900, 600}; }

void TfmDANResarchFormatGraphic::applyChartSettings()
{
    RChart1->setAutoRedraw(true);
    SetProfileLook(*RChart1, palette().color(QPalette::Button));
}

DanView TfmDANResarchFormatGraphic::chartView() const
{
    return {RChart1->RangeLoX(), RChart1->RangeLoY(), RChart1->RangeHiX(), RChart1->RangeHiY()};
}

void TfmDANResarchFormatGraphic::setView(const DanView &view)
{
    RChart1->SetScaleRange(view.loX, view.loY, view.hiX, view.hiY);
}

// ---- settings ---------------------------------------------------------------

void TfmDANResarchFormatGraphic::readSettings()
{
    const IniFile ini = SettingsFile();
    // The groups take one check each: the first stored mark wins, the
    // design mark stays when none is stored.
    for (QAction *item : m_options.stored())
        item->setChecked(ini.readBool(Section, item->objectName(), item->isChecked()));
    m_panelWidth = std::clamp(ini.readInteger(PanelSection, QStringLiteral("Width"), m_panelWidth), 80, 2000);
}

void TfmDANResarchFormatGraphic::writeSettings() const
{
    QList<QPair<QString, QString>> entries;
    for (const QAction *item : m_options.stored())
        entries.append({item->objectName(), item->isChecked() ? QStringLiteral("1") : QStringLiteral("0")});
    IniFile ini = SettingsFile();
    ini.writeStrings(Section, entries);
    ini.writeInteger(PanelSection, QStringLiteral("Width"), m_panelWidth);
}

void TfmDANResarchFormatGraphic::closeSteps()
{
    DemoTimer->stop();
    if (m_noteModified)
        RichEditProfileNoteExit();
    writeSettings();
}

void TfmDANResarchFormatGraphic::activated()
{
    TChildForm::activated();
    DoPanelResizing();
}

// ---- view and panels -------------------------------------------------------

void TfmDANResarchFormatGraphic::ResetToSysDefault()
{
    StatusBar->clearPanels();
    RChart1->SetScaleRange(0, 130, 4000, -1);
    m_savedView = chartView();
}

void TfmDANResarchFormatGraphic::ResetButtonClick() { setView(m_savedView); }

void TfmDANResarchFormatGraphic::Autoresize1Click()
{
    // The item's check mark has toggled with the click.
    ResetToSysDefault();
}

void TfmDANResarchFormatGraphic::ResolutionClick(int tag)
{
    for (QAction *item : m_options.resolution->actions())
        item->setChecked(item->data().toInt() == tag);
    m_resolutionStep = tag;
    // Without a file loaded there is nothing to reload.
    OpenFile(m_lastFile);
}

void TfmDANResarchFormatGraphic::MouseActionClick(int tag)
{
    for (QAction *item : m_options.mouseActions->actions())
        item->setChecked(item->data().toInt() == tag);
    RChart1->setMouseAction(MouseActMode(std::clamp(tag, int(maNone), int(maZoomDrag))));
}

void TfmDANResarchFormatGraphic::GridChangeClick(int tag)
{
    for (QAction *item : m_options.grid->actions())
        item->setChecked(false);
    switch (tag) {
    case 0:
        m_options.gridLarge->setChecked(true);
        RChart1->setGridStyle(gsDotLines);
        RChart1->setGridDx(300);
        RChart1->setGridDy(10);
        break;
    case 1:
        m_options.gridSmall->setChecked(true);
        RChart1->setGridStyle(gsDotLines);
        RChart1->setGridDx(60);
        RChart1->setGridDy(5);
        break;
    default:
        m_options.gridNone->setChecked(true);
        RChart1->setGridStyle(gsNone);
        break;
    }
}

void TfmDANResarchFormatGraphic::ShowFilesCheckClick()
{
    // The item's check mark has toggled with the click.
    const bool shown = m_options.showFilePanel->isChecked();
    Panel1x->setVisible(shown);
    HeaderControl->setVisible(shown);
    DoPanelResizing();
}

void TfmDANResarchFormatGraphic::showFilePanel()
{
    m_options.showFilePanel->setChecked(true);
    Panel1x->setVisible(true);
    HeaderControl->setVisible(true);
    DoPanelResizing();
}

void TfmDANResarchFormatGraphic::LeftRight1Click(int tag)
{
    m_options.panelRight->setChecked(tag == 2);
    m_options.panelLeft->setChecked(tag != 2);
    DoPanelResizing();
}

void TfmDANResarchFormatGraphic::DoPanelResizing()
{
    const bool right = m_options.panelRight->isChecked();
    const int panelIndex = m_body->indexOf(Panel1x);
    if ((right && panelIndex == 0) || (!right && panelIndex != 0)) {
        m_body->removeWidget(Panel1x);
        m_body->insertWidget(right ? 1 : 0, Panel1x);
    }
    m_panelWidth = std::clamp(m_panelWidth, 80, std::max(80, width() - 120));
    Panel1x->setFixedWidth(m_panelWidth);
    const QSignalBlocker quiet(HeaderControl);
    HeaderControl->resizeSection(0, right ? std::max(40, width() - m_panelWidth) : m_panelWidth);
}

void TfmDANResarchFormatGraphic::HeaderControlSectionResize(int sectionWidth)
{
    const bool right = m_options.panelRight->isChecked();
    m_panelWidth = right ? width() - sectionWidth : sectionWidth;
    m_panelWidth = std::clamp(m_panelWidth, 80, std::max(80, width() - 120));
    Panel1x->setFixedWidth(m_panelWidth);
}

void TfmDANResarchFormatGraphic::resizeEvent(QResizeEvent *event)
{
    TChildForm::resizeEvent(event);
    guarded([this] { DoPanelResizing(); });
}

void TfmDANResarchFormatGraphic::placeMeter()
{
    const QLabel *room = StatusBarForGraph->panel(3);
    ppO2DBMeter->setGeometry(room->x() + 3, 3, std::max(1, room->width() - 6),
                             std::max(1, StatusBarForGraph->height() - 5));
}

void TfmDANResarchFormatGraphic::placeShapeDemo()
{
    ShapeDemo->move(DocPanel1->width() - ShapeDemo->width() - 6, (DocPanel1->height() - ShapeDemo->height()) / 2);
}

bool TfmDANResarchFormatGraphic::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == DocPanel1 && event->type() == QEvent::Resize)
        placeShapeDemo();
    return handleViewerEvent(watched, event) || TChildForm::eventFilter(watched, event);
}

TfmDANResarchFormatGraphic *NewEmptyDanViewer(ChildHost &host)
{
    auto *viewer = new TfmDANResarchFormatGraphic(host);
    viewer->showFilePanel();
    return viewer;
}
