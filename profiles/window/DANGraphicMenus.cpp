// The viewer's menus, tool bar and pop-up menus.

#include "profiles/window/DANGraphic.h"

#include "core/SettingsFile.h"
#include "profiles/window/PrintGraphs.h"
#include "widgets/Dialogs.h"
#include "widgets/Dockbar.h"
#include "widgets/ErrorGuard.h"
#include "widgets/Hints.h"
#include "widgets/MShape.h"
#include "widgets/PanelBar.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QToolButton>
#include <QTreeView>

namespace {

// A glyph drawn as a plain symbol, for the buttons without a standard icon.
QIcon symbolIcon(const QString &symbol)
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font = QApplication::font();
    font.setBold(true);
    font.setPixelSize(15);
    p.setFont(font);
    p.drawText(pixmap.rect(), Qt::AlignCenter, symbol);
    return QIcon(pixmap);
}

} // namespace

QAction *TfmDANResarchFormatGraphic::addItem(QMenu *menu, const QString &name, const QString &caption,
                                             const QKeySequence &key, int tag)
{
    QAction *item = menu->addAction(caption);
    item->setObjectName(name);
    item->setData(tag);
    if (!key.isEmpty())
        item->setShortcut(key);
    return item;
}

QList<QAction *> ViewerActions::stored() const
{
    QList<QAction *> items = resolution->actions();
    items << showFilePanel << animate << autoScale << mouseActions->actions() << gridLarge << gridSmall << gridNone
          << panelLeft << panelRight << computedCeiling;
    return items;
}

QActionGroup *TfmDANResarchFormatGraphic::choiceGroup(std::initializer_list<QAction *> items, QAction *designItem)
{
    // The handlers keep one item checked themselves, as the items' tags say.
    auto *group = new QActionGroup(this);
    group->setExclusive(false);
    for (QAction *item : items) {
        item->setCheckable(true);
        group->addAction(item);
    }
    designItem->setChecked(true);
    group->setProperty("designTag", designItem->data());
    return group;
}

int TfmDANResarchFormatGraphic::checkedTag(QActionGroup *group) const
{
    for (const QAction *item : group->actions())
        if (item->isChecked())
            return item->data().toInt();
    return group->property("designTag").toInt();
}

void TfmDANResarchFormatGraphic::createToolbar()
{
    DocPanel1 = new TDocPanel(this);
    DocPanel1->setObjectName(QStringLiteral("DocPanel1"));
    DocPanel1->setTitle(QStringLiteral("DAN toolbar"));
    DocPanel1->setIconSize(QSize(20, 20));
    DocPanel1->setIniFile(SettingsFileName());
    const auto addButton = [this](const QString &name, const QIcon &icon, const QString &hint) {
        QAction *action = DocPanel1->addAction(icon, GetShortHint(hint));
        action->setObjectName(name);
        setHint(action, hint);
        QToolButton *button = DocPanel1->buttonFor(action);
        button->setObjectName(name);
        return std::pair{action, button};
    };
    auto [zoomIn, zoomInButton] = addButton(QStringLiteral("Zoomin"), symbolIcon(QStringLiteral("+")),
                                            QStringLiteral("Right mouse click will zoom in"));
    auto [zoomOut, zoomOutButton] = addButton(QStringLiteral("ZoomOut"), symbolIcon(QStringLiteral("\u2212")),
                                              QStringLiteral("Right mouse click will zoom out"));
    Zoomin = zoomInButton;
    ZoomOut = zoomOutButton;
    // One of the two is always pressed.
    auto *zoomGroup = new QActionGroup(this);
    zoomGroup->setExclusive(true);
    for (QAction *a : {zoomIn, zoomOut}) {
        a->setCheckable(true);
        zoomGroup->addAction(a);
    }
    zoomIn->setChecked(true);

    auto [print, printButton] = addButton(QStringLiteral("SpeedButton5"),
                                          style()->standardIcon(QStyle::SP_FileDialogDetailedView),
                                          QStringLiteral("Print"));
    SpeedButton5 = printButton;
    connectGuarded(print, &QAction::triggered, this, [this] { PrintGraphClick(); });
    auto [seeNote, seeNoteButton] = addButton(QStringLiteral("SeeNoteSpeedButton"),
                                              style()->standardIcon(QStyle::SP_FileDialogContentsView),
                                              QStringLiteral("See attached note."));
    SeeNoteSpeedButton = seeNoteButton;
    seeNote->setEnabled(false);
    connectGuarded(seeNote, &QAction::triggered, this, [this] { SeeNoteSpeedButtonClick(); });

    ShapeDemo = new TMultiShape(DocPanel1);
    ShapeDemo->setObjectName(QStringLiteral("ShapeDemo"));
    ShapeDemo->setShapeType(TMultiShapeType::msEllipse);
    ShapeDemo->setRepeatMode(TRepeatMode::rpNone);
    ShapeDemo->setShapeW(14);
    ShapeDemo->setShapeH(14);
    ShapeDemo->setColor(QColor(0xFF, 0, 0));
    ShapeDemo->setBorder(true);
    ShapeDemo->setFixedSize(16, 16);
    setHint(ShapeDemo, QStringLiteral("Demo active"));
    ShapeDemo->hide();
    DocPanel1->installEventFilter(this);
    DocPanel1->Loaded();
}

void TfmDANResarchFormatGraphic::createMenus()
{
    const auto on = [this](QAction *item, auto handler) { connectGuarded(item, &QAction::triggered, this, handler); };

    m_fileMenu = new QMenu(QStringLiteral("&File"), this);
    m_fileMenu->setObjectName(QStringLiteral("File1"));
    on(addItem(m_fileMenu, QStringLiteral("Newnotepad1"), QStringLiteral("&New notepad")),
       [this] { host().openWindow(ChildKind::Notepad); });
    QAction *openNote = addItem(m_fileMenu, QStringLiteral("Opennotepad1"), QStringLiteral("Open note&pad"));
    openNote->setEnabled(host().commandAvailable(ProgramCommand::OpenFile));
    on(openNote, [this] { host().runCommand(ProgramCommand::OpenFile); });
    m_fileMenu->addSeparator();
    on(addItem(m_fileMenu, QStringLiteral("Open1"), QStringLiteral("&Open DAN File"), Qt::Key_F2),
       [this] { OpenButtomClick(); });
    on(addItem(m_fileMenu, QStringLiteral("OpenDANfileastext1"), QStringLiteral("&Edit DAN file")),
       [this] { OpenDANfileastext1Click(); });
    m_fileMenu->addSeparator();
    QAction *loadPlan = addItem(m_fileMenu, QStringLiteral("Loaddiveplan1"), QStringLiteral("&Load dive plan"),
                                Qt::Key_F11);
    loadPlan->setEnabled(host().commandAvailable(ProgramCommand::LoadDivePlan));
    on(loadPlan, [this] { host().runCommand(ProgramCommand::LoadDivePlan); });
    m_fileMenu->addSeparator();
    on(addItem(m_fileMenu, QStringLiteral("Printgraph1"), QStringLiteral("&Print graph")),
       [this] { PrintGraphClick(); });
    m_fileMenu->addSeparator();
    on(addItem(m_fileMenu, QStringLiteral("Exit1"), QStringLiteral("E&xit")),
       [this] { host().runCommand(ProgramCommand::Exit); });

    m_graphicMenu = new QMenu(QStringLiteral("&Graphic"), this);
    m_graphicMenu->setObjectName(QStringLiteral("Graphic1"));
    QMenu *resolution = m_graphicMenu->addMenu(QStringLiteral("&Resolution"));
    resolution->setObjectName(QStringLiteral("Resolution1"));
    QAction *high = addItem(resolution, QStringLiteral("High1"), QStringLiteral("&High"),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F1), 1);
    QAction *medium = addItem(resolution, QStringLiteral("Medium1"), QStringLiteral("&Medium"),
                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F2), 4);
    QAction *low = addItem(resolution, QStringLiteral("Low1"), QStringLiteral("&Low"),
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F3), 8);
    m_options.resolution = choiceGroup({high, medium, low}, high);
    for (QAction *item : m_options.resolution->actions())
        on(item, [this, item] { ResolutionClick(item->data().toInt()); });

    QMenu *view = m_graphicMenu->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("View1"));
    on(addItem(view, QStringLiteral("Resetview1"), QStringLiteral("&Reset view"), QKeySequence(Qt::CTRL | Qt::Key_R)),
       [this] { ResetButtonClick(); });
    QAction *animate = m_options.animate = addItem(view, QStringLiteral("Animate1"), QStringLiteral("&Animate"),
                                                   QKeySequence(Qt::CTRL | Qt::Key_A));
    animate->setCheckable(true);
    QAction *autoScale = m_options.autoScale = addItem(view, QStringLiteral("Autoresize1"),
                                                       QStringLiteral("Auto &scale"),
                                                       QKeySequence(Qt::CTRL | Qt::Key_S));
    autoScale->setCheckable(true);
    autoScale->setChecked(true);
    on(autoScale, [this] { Autoresize1Click(); });

    QMenu *mouse = m_graphicMenu->addMenu(QStringLiteral("&Mouse action"));
    mouse->setObjectName(QStringLiteral("Mouseaction1"));
    QAction *none = addItem(mouse, QStringLiteral("None1"), QStringLiteral("&None"), {}, 0);
    QAction *pan = m_options.pan = addItem(mouse, QStringLiteral("Pan1"), QStringLiteral("&Pan"), {}, 1);
    QAction *window = addItem(mouse, QStringLiteral("ZoomWindow1"), QStringLiteral("Zoom &Window"), {}, 2);
    QAction *windowPos = addItem(mouse, QStringLiteral("ZoomWindowsposition1"),
                                 QStringLiteral("Zoom Windows &position"), {}, 3);
    QAction *drag = addItem(mouse, QStringLiteral("Zoomdrag1"), QStringLiteral("&Zoom drag"), {}, 4);
    m_options.mouseActions = choiceGroup({none, pan, window, windowPos, drag}, pan);
    for (QAction *item : m_options.mouseActions->actions())
        on(item, [this, item] { MouseActionClick(item->data().toInt()); });

    QMenu *grid = m_graphicMenu->addMenu(QStringLiteral("&Grid"));
    grid->setObjectName(QStringLiteral("Grid1"));
    QAction *noGrid = m_options.gridNone = addItem(grid, QStringLiteral("None3"), QStringLiteral("&None"), {}, 2);
    QAction *large = m_options.gridLarge = addItem(grid, QStringLiteral("Large1"), QStringLiteral("&Large"), {}, 0);
    QAction *small = m_options.gridSmall = addItem(grid, QStringLiteral("Small1"), QStringLiteral("&Small"), {}, 1);
    m_options.grid = choiceGroup({noGrid, large, small}, large);
    for (QAction *item : m_options.grid->actions())
        on(item, [this, item] { GridChangeClick(item->data().toInt()); });

    QMenu *panel = m_graphicMenu->addMenu(QStringLiteral("&File Panel"));
    panel->setObjectName(QStringLiteral("FilePanel1"));
    QAction *showPanel = m_options.showFilePanel = addItem(panel, QStringLiteral("Showfilepanel1"),
                                                           QStringLiteral("Show file &panel"),
                                                           QKeySequence(Qt::CTRL | Qt::Key_F));
    showPanel->setCheckable(true);
    showPanel->setChecked(true);
    on(showPanel, [this] { ShowFilesCheckClick(); });
    panel->addSeparator();
    QAction *left = m_options.panelLeft = addItem(panel, QStringLiteral("Left1"), QStringLiteral("&Left"), {}, 1);
    QAction *right = m_options.panelRight = addItem(panel, QStringLiteral("Right1"), QStringLiteral("&Right"), {}, 2);
    m_options.side = choiceGroup({left, right}, left);
    for (QAction *item : m_options.side->actions())
        on(item, [this, item] { LeftRight1Click(item->data().toInt()); });

    QAction *ceiling = m_options.computedCeiling = addItem(m_graphicMenu, QStringLiteral("ComputedCeiling"),
                                                           QStringLiteral("Computed &ceiling"));
    ceiling->setCheckable(true);
    on(ceiling, [this] { ComputedCeilingClick(); });

    m_graphicMenu->addSeparator();
    addItem(m_graphicMenu, QStringLiteral("Colors1"), QStringLiteral("&Colors"))->setEnabled(false);
    QAction *demo = m_options.demoMode = addItem(m_graphicMenu, QStringLiteral("Startdemomode1"),
                                                 QStringLiteral("&Demo mode active"),
                                                 QKeySequence(Qt::CTRL | Qt::Key_F1));
    demo->setEnabled(false);
    on(demo, [this] { Startdemomode1Click(); });

    m_aboutMenu = new QMenu(QStringLiteral("About DAN Format"), this);
    m_aboutMenu->setObjectName(QStringLiteral("AboutDANFormat1"));
    on(addItem(m_aboutMenu, QStringLiteral("About1"), QStringLiteral("&About DAN Format")), [this] { About1Click(); });
}

QList<MergedMenu> TfmDANResarchFormatGraphic::mergedMenus() const
{
    return {{MenuGroup::File, m_fileMenu},
            {MenuGroup::Graphic, m_graphicMenu},
            {MenuGroup::AboutProfiles, m_aboutMenu}};
}

void TfmDANResarchFormatGraphic::createPopupMenus()
{
    m_filePopup = new QMenu(this);
    m_filePopup->setObjectName(QStringLiteral("FilePopupMenu"));
    const auto on = [this](QAction *item, auto handler) { connectGuarded(item, &QAction::triggered, this, handler); };
    on(addItem(m_filePopup, QStringLiteral("Renamefile1"), QStringLiteral("&Rename file")),
       [this] { Renamefile1Click(); });
    on(addItem(m_filePopup, QStringLiteral("Deletefile1"), QStringLiteral("&Delete file(s)")),
       [this] { Deletefile1Click(); });
    on(addItem(m_filePopup, QStringLiteral("Movefiles1"), QStringLiteral("Move file(s)")),
       [this] { Movefiles1Click(); });
    m_filePopup->addSeparator();
    on(addItem(m_filePopup, QStringLiteral("Explorefromhere1"), QStringLiteral("&Explore from here")),
       [this] { Explorefromhere1Click(); });
    FileListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FileListBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_filePopup->popup(FileListBox1->viewport()->mapToGlobal(at)); });

    m_directoryPopup = new QMenu(this);
    m_directoryPopup->setObjectName(QStringLiteral("DirectoryPopupMenu"));
    on(addItem(m_directoryPopup, QStringLiteral("Explorefromhere2"), QStringLiteral("&Explore from here")),
       [this] { Explorefromhere1Click(); });
    DirectoryListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DirectoryListBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_directoryPopup->popup(DirectoryListBox1->viewport()->mapToGlobal(at)); });
}

void TfmDANResarchFormatGraphic::About1Click()
{
    ShowMessage(
        QStringList{QStringLiteral("The DAN Research format was orginally used to report dive data back to DAN "
                                   "from several different dive computer manufactures. But by using this format "
                                   "to display dive data a wide range of dive computers can use the same program."),
                    QStringLiteral("Please support safe diving and become a DAN member."), QString(),
                    QStringLiteral("Supported is: Cochran Nemesis IIa, Commander, Dolphin"),
                    QStringLiteral("Check with your dive computer manual if your dive computer"),
                    QStringLiteral("support the DAN format.")}
            .join(u'\n'));
}

void TfmDANResarchFormatGraphic::PrintGraphClick()
{
    QStringList summary;
    for (int i = 0; i < StatusBar->panelCount(); ++i)
        summary << StatusBar->panelText(i);
    PrintDiveProfile(*RChart1, summary, this);
}
