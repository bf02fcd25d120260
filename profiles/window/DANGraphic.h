#pragma once

// The dive profile viewer: one DAN research file drawn on a chart, with a
// file panel for picking profiles, a cursor read-out with a ppO2 meter, a
// page for the profile's note, zoom and pan by mouse, a demo mode that
// shows every file of a folder in turn, and simple file management.

#include "profiles/model/DanViewerMath.h"
#include "widgets/ChildForm.h"

#include <QElapsedTimer>
#include <QHash>
#include <QPointer>

#include <memory>
#include <vector>

class QAction;
class QActionGroup;
class QComboBox;
class QFileSystemModel;
class QFrame;
class QHBoxLayout;
class QHeaderView;
class QListView;
class QListWidget;
class QMenu;
class QMouseEvent;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTimer;
class QToolButton;
class QTreeView;
class TDocPanel;
class TMultiShape;
class TPanelBar;
class TRChart;
class Tdbmeter;
class DanSampleMarker;
class DiveCeiling;
struct CeilingDive;
class CeilingFollower;
struct DanLoadResult;
struct DiveHeader;
struct DiveLog;
struct FileMove;
struct LogDive;
struct TShiftState;

// The viewer's options, held by its menu items: the window reads an option
// from its item's check mark, and the settings file keeps the marks.
struct ViewerActions
{
    QActionGroup *resolution = nullptr; // samples drawn: every one, every 4th or every 8th
    QActionGroup *mouseActions = nullptr;
    QActionGroup *grid = nullptr;
    QActionGroup *side = nullptr; // the file panel's side
    QAction *animate = nullptr;
    QAction *autoScale = nullptr;
    QAction *pan = nullptr;
    QAction *gridLarge = nullptr;
    QAction *gridSmall = nullptr;
    QAction *gridNone = nullptr;
    QAction *showFilePanel = nullptr;
    QAction *panelLeft = nullptr;
    QAction *panelRight = nullptr;
    QAction *computedCeiling = nullptr;
    QAction *demoMode = nullptr;

    // The items whose marks the settings file keeps, in the order it stores them.
    QList<QAction *> stored() const;
};

class TfmDANResarchFormatGraphic final : public TChildForm
{
    Q_OBJECT
public:
    explicit TfmDANResarchFormatGraphic(ChildHost &host, QWidget *parent = nullptr);
    ~TfmDANResarchFormatGraphic() override;

    // --- Controls -------------------------------------------------------
    TDocPanel *DocPanel1 = nullptr;
    QToolButton *Zoomin = nullptr;
    QToolButton *ZoomOut = nullptr;
    QToolButton *SpeedButton5 = nullptr; // print
    QToolButton *SeeNoteSpeedButton = nullptr;
    TMultiShape *ShapeDemo = nullptr;
    QHeaderView *HeaderControl = nullptr;
    QFrame *Panel1x = nullptr;       // the file panel
    QListWidget *DiveList = nullptr; // the dives of a log, above the file list
    QListView *FileListBox1 = nullptr;
    QTreeView *DirectoryListBox1 = nullptr;
    QFrame *Panel2 = nullptr; // holds the drive box
    QComboBox *DriveComboBox1 = nullptr;
    QSplitter *Splitter1 = nullptr;
    QTabWidget *PageControl1 = nullptr;
    QWidget *TabSheet1 = nullptr;
    QWidget *TabSheet2 = nullptr;
    TRChart *RChart1 = nullptr;
    TPanelBar *StatusBarForGraph = nullptr;
    Tdbmeter *ppO2DBMeter = nullptr;
    QPlainTextEdit *DiveLogInfo = nullptr; // a log dive's own notes, read-only
    QPlainTextEdit *RichEditProfileNote = nullptr;
    QPushButton *SpeedButton1 = nullptr;
    QPushButton *SpeedButton2 = nullptr;
    TPanelBar *DiveLogStatusBar = nullptr;
    QProgressBar *ProgressBar = nullptr;
    TPanelBar *StatusBar = nullptr;
    QTimer *DemoTimer = nullptr;

    // --- Loading --------------------------------------------------------
    // Loads and draws one file (a DAN research file or a dive log); failures
    // are reported in message boxes. True when the file could be opened
    // (whatever was found in it).
    //
    // While a log loads, the event loop runs now and then without user
    // input, so the progress bar and the chart repaint. A file or dive asked
    // for meanwhile is shown once the load is done (the last one asked for),
    // and a close asked for meanwhile waits for the load's end too.
    bool OpenFile(const QString &path);
    // Draws dive `index` (from 0) of the open log.
    void showLogDive(int index);
    // The log dive on display; nullptr for a DAN file or nothing.
    const LogDive *shownLogDive() const { return m_logDive.get(); }
    // The note of the profile on display: beside a DAN file with its name,
    // beside a log as "<log base name>-<dive number>.txt".
    QString notePath() const;
    QString currentFile() const { return m_currentFile; }
    QString lastFile() const { return m_lastFile; }
    int resolutionStep() const { return m_resolutionStep; }
    DanView savedView() const { return m_savedView; }
    DanView chartView() const;

    // --- File panel -----------------------------------------------------
    // Points the directory and file lists at `folder`.
    void showDirectory(const QString &folder);
    QString shownDirectory() const { return m_shownDirectory; }
    // Shows the file panel and its header strip, checking "Show file panel".
    void showFilePanel();
    // The names the file list shows, in their order.
    QStringList listedFiles() const;

    // --- Handlers -------------------------------------------------------
    void ResetToSysDefault();
    void ResetButtonClick();
    void Autoresize1Click();
    void ResolutionClick(int tag);
    void MouseActionClick(int tag);
    void GridChangeClick(int tag);
    void ShowFilesCheckClick();
    void LeftRight1Click(int tag);
    void DoPanelResizing();
    void HeaderControlSectionResize(int width);
    void RChart1MouseMoveInChart(bool inChart, double x, double y);
    void RChart1MouseDown(QMouseEvent *event);
    void ZoomClick();
    void FileListBox1DblClick();
    void FileListBox1Click();
    void FileListBox1Change();
    void SeeNoteSpeedButtonClick();
    void OpenButtomClick();
    void OpenDANfileastext1Click();
    void PrintGraphClick();
    void About1Click();
    void Startdemomode1Click();
    void DemoTimerTimer();
    void stopDemo(const QString &message);
    void Renamefile1Click();
    void Deletefile1Click();
    void Movefiles1Click();
    void Explorefromhere1Click();
    void RichEditProfileNoteChange();
    void RichEditProfileNoteExit();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void ComputedCeilingClick();

    // Steps the keyboard read-out along the profile's samples: by `samples`
    // (negative to the left), or to the first or the last one.
    void stepReadout(int samples);
    void readoutToEnd(bool last);
    bool demoActive() const { return m_demoActive; }
    bool noteModified() const { return m_noteModified; }

    QList<MergedMenu> mergedMenus() const override;
    bool closeQuery() override;
    void closeSteps() override;
    void activated() override;
    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createToolbar();
    void createMenus();
    void createFilePanel();
    void listFolder(const QString &path);
    void createPages();
    void createPopupMenus();
    void applyChartSettings();
    void readSettings();
    void writeSettings() const;
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption, const QKeySequence &key = {},
                     int tag = 0);
    // Items of which one carries the check mark; `designItem` has it at start.
    QActionGroup *choiceGroup(std::initializer_list<QAction *> items, QAction *designItem);
    // The tag of the group's checked item (its design item when none is).
    int checkedTag(QActionGroup *group) const;
    bool handleViewerEvent(QObject *watched, QEvent *event);
    void placeMeter();
    void placeShapeDemo();
    void setView(const DanView &view);
    // The read-out of a point of the chart at `seconds`, or none.
    void showReadout(const std::optional<DanCursorReadout> &readout, double seconds = 0);
    void showCeilingReadout(bool shown, double seconds);
    bool ceilingShown() const;
    // Computes the model's ceiling for the profile on display and draws it,
    // in metres (`metric`) or feet.
    void drawComputedCeiling(CeilingDive dive, bool metric);
    // Draws a ceiling worked out already (none: nothing to draw).
    void drawComputedCeiling(std::unique_ptr<DiveCeiling> ceiling, bool metric);
    // Draws the profile on display again, in the same view.
    void redrawProfile();
    void loadNote();
    void offerSplit(const QString &path);
    // Opening a DAN file: the view gets ready for it, the file is drawn
    // while it is read (its samples handed to `ceiling` when given, which
    // works the ceiling out meanwhile), and the summary panels and the view
    // follow from what was read.
    bool openDanFile(const QString &path);
    void prepareDanView(const QString &path);
    DanLoadResult loadDanFile(const QString &path, CeilingFollower *ceiling);
    void showDanSummary(const DanLoadResult &result, bool autoScale);
    bool openLog(const QString &path);
    void drawLogDive(int index);
    // Runs what was asked for during the load just done.
    void runRequestsAfterLoad();
    // Runs the event loop, user input left waiting, once a load has taken
    // RepaintMilliseconds and as often after: the window repaints during a
    // long load.
    void letWindowRepaint();
    void forgetLog();
    void showLogHeader();
    // Empties the chart and sets the view: the default one (auto scale) or
    // the saved one for a new profile, the saved one for a reload.
    void startDrawing(bool newProfile);
    std::optional<DanCursorReadout> readoutAt(double x, double y) const;
    QString captionFor(const QString &path) const;
    void setProgressRange(qint64 total);
    QString selectedPath() const;
    QStringList selectedPaths() const;
    QString pathOf(const QString &name) const;
    bool selectFileRow(int row);
    void renameOne(const QString &from, const QString &newName);
    FileMove moveOne(const QString &source, const QString &folder);
    // The dives of the log at `path` (none for a DAN file), from the open
    // log when it is the one on display.
    std::vector<DiveHeader> divesOf(const QString &path) const;
    // The file on display was renamed or moved to `path` (its note saved
    // before): the window follows it, and finds its note there.
    void followShownFile(const QString &path);
    void setProgress(qint64 position);

    QMenu *m_fileMenu = nullptr;
    QMenu *m_graphicMenu = nullptr;
    QMenu *m_aboutMenu = nullptr;
    QMenu *m_filePopup = nullptr;
    QMenu *m_directoryPopup = nullptr;
    ViewerActions m_options;
    QHBoxLayout *m_body = nullptr;
    QWidget *m_pageArea = nullptr;
    QFileSystemModel *m_fileModel = nullptr;
    QFileSystemModel *m_directoryModel = nullptr;
    DanSampleMarker *m_marker = nullptr;

    int m_resolutionStep = 1;
    QString m_currentFile;
    QString m_lastFile;
    DanView m_savedView;
    QString m_shownDirectory;
    int m_panelWidth = 220;
    qint64 m_progressScale = 1;
    QElapsedTimer m_progressShown; // since the progress bar last moved
    bool m_noteModified = false;
    bool m_fillingNote = false;
    bool m_demoActive = false;
    int m_demoIndex = 0;
    std::size_t m_readoutItem = 0; // chart item of the keyboard read-out
    bool m_readoutShown = false;
    static constexpr int RepaintMilliseconds = 100;
    bool m_loading = false;
    QString m_openAfterLoad;  // asked for during a load
    int m_diveAfterLoad = -1; // likewise, a dive of the open log
    bool m_closeAfterLoad = false;
    QElapsedTimer m_sinceEvents;            // since the load began or the event loop last ran
    std::unique_ptr<DiveLog> m_log;         // the open log, its dives indexed
    std::unique_ptr<LogDive> m_logDive;     // the log dive on display
    bool m_logMetric = true;                // the unit system it is drawn in
    std::unique_ptr<DiveCeiling> m_ceiling; // the computed ceiling drawn, if any
    bool m_ceilingMetric = true;            // its unit on the chart
};

// The status panels of the computed ceiling's read-out.
constexpr int CeilingPanel = 6;
constexpr int NdlTtsPanel = 7;
// The chart class of the ceiling line's items; the profile's are class 0.
constexpr int CeilingItemClass = 1;

// The viewer as the "Show DAN Dive profiles" command opens it: no file, and
// the file panel shown whatever the stored setting says.
TfmDANResarchFormatGraphic *NewEmptyDanViewer(ChildHost &host);
