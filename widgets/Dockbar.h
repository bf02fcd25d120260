#pragma once

// A dockable toolbar: a panel of buttons that sits docked at one side of its
// window's client area, or floats in a small tool window of its own. The user
// moves it between the two by double-click or by dragging, and it remembers
// its place in a profile file, in a section named after the panel.
//
// The window that holds the panel sets its design properties (its position
// in the parent is its design place), gives it the profile file, adds its
// buttons and then calls Loaded(): only then does the panel read its stored
// state and take the place the properties describe.

#include "core/Errors.h"

#include <QFont>
#include <QFrame>
#include <QIcon>
#include <QPointer>

#include <functional>
#include <optional>

class QRubberBand;
class QToolButton;
class QWindow;
class TDocForm;

// A property that may be changed only while the panel is docked.
class ENotDocked final : public AppError
{
public:
    using AppError::AppError;
};

class TDocPanel final : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(bool Docked READ Docked WRITE setDocked)
    Q_PROPERTY(bool Visible READ Visible WRITE setVisible)
    Q_PROPERTY(TAlign Align READ Align WRITE setAlign)
    Q_PROPERTY(TDockingSides DockingSides READ DockingSides WRITE setDockingSides)
    Q_PROPERTY(TDockingMethod DockingMethod READ DockingMethod WRITE setDockingMethod)
    Q_PROPERTY(int Threshhold READ Threshhold WRITE setThreshhold)
    Q_PROPERTY(bool AutoWrap READ AutoWrap WRITE setAutoWrap)
    Q_PROPERTY(TArrangement Arrangement READ Arrangement WRITE setArrangement)
    Q_PROPERTY(int MaxWidth READ MaxWidth WRITE setMaxWidth)
    Q_PROPERTY(bool MaxWidthRestore READ MaxWidthRestore WRITE setMaxWidthRestore)
    Q_PROPERTY(bool AutoHide READ AutoHide WRITE setAutoHide)
    Q_PROPERTY(QString Title READ Title WRITE setTitle)
    Q_PROPERTY(QFont TitleFont READ TitleFont WRITE setTitleFont)
    Q_PROPERTY(QIcon Icon READ Icon WRITE setIcon)
    Q_PROPERTY(TCaptionType CaptionType READ CaptionType WRITE setCaptionType)
    Q_PROPERTY(TFloatBorder FloatBorder READ FloatBorder WRITE setFloatBorder)
    Q_PROPERTY(TDockFrame DockFrame READ DockFrame WRITE setDockFrame)
    Q_PROPERTY(bool StayOnTop READ StayOnTop WRITE setStayOnTop)
    Q_PROPERTY(bool NotificationCursor READ NotificationCursor WRITE setNotificationCursor)
    Q_PROPERTY(QString IniFile READ IniFile WRITE setIniFile)
    Q_PROPERTY(QString RegistryKey READ RegistryKey WRITE setRegistryKey)

public:
    // The numbers are those stored under "Align".
    enum TAlign { alNone = 0, alTop = 1, alBottom = 2, alLeft = 3, alRight = 4 };
    Q_ENUM(TAlign)
    enum TDockingSide { dsTop = 1, dsLeft = 2, dsRight = 4, dsBottom = 8 };
    Q_DECLARE_FLAGS(TDockingSides, TDockingSide)
    Q_FLAG(TDockingSides)
    enum TDockingMethod { dmDblClick, dmDrag, dmNone, dmBoth };
    Q_ENUM(TDockingMethod)
    enum TArrangement { amAuto, amWidth, amNone };
    Q_ENUM(TArrangement)
    enum TCaptionType { ctCustom, ctWindows, ctNot3x, ctSmall, ctNone };
    Q_ENUM(TCaptionType)
    enum TFloatBorder { fbSingle, fbSizeable };
    Q_ENUM(TFloatBorder)
    enum TDockFrame { dfInner, dfOuter };
    Q_ENUM(TDockFrame)

    static inline const QString NotDockedMessage = QStringLiteral("The Panel must be docked to change this property");

    // `parent` is the window (or the part of it) whose client area the panel
    // docks to; it gets a DockLayout when it has no layout yet.
    explicit TDocPanel(QWidget *parent);
    ~TDocPanel() override;

    // The end of loading: reads the stored state when a file or key is set by
    // now, then docks or floats as the properties say.
    void Loaded();

    bool Docked() const { return m_docked; }
    void setDocked(bool docked);
    bool Visible() const { return m_visible; }
    void setVisible(bool visible) override;
    TAlign Align() const { return m_align; }
    void setAlign(TAlign align);
    TDockingSides DockingSides() const { return m_sides; }
    void setDockingSides(TDockingSides sides);
    TDockingMethod DockingMethod() const { return m_method; }
    void setDockingMethod(TDockingMethod method);
    int Threshhold() const { return m_threshhold; }
    void setThreshhold(int pixels) { m_threshhold = pixels; }
    bool AutoWrap() const { return m_autoWrap; }
    void setAutoWrap(bool wrap);
    TArrangement Arrangement() const { return m_arrangement; }
    void setArrangement(TArrangement arrangement);
    int MaxWidth() const { return m_maxWidth; }
    void setMaxWidth(int width);
    bool MaxWidthRestore() const { return m_maxWidthRestore; }
    void setMaxWidthRestore(bool restore) { m_maxWidthRestore = restore; }
    bool AutoHide() const { return m_autoHide; }
    void setAutoHide(bool autoHide) { m_autoHide = autoHide; }
    QString Title() const { return windowTitle(); }
    void setTitle(const QString &title);
    QFont TitleFont() const { return m_titleFont; }
    void setTitleFont(const QFont &font);
    QIcon Icon() const { return windowIcon(); }
    void setIcon(const QIcon &icon);
    TCaptionType CaptionType() const { return m_captionType; }
    void setCaptionType(TCaptionType type);
    TFloatBorder FloatBorder() const { return m_floatBorder; }
    void setFloatBorder(TFloatBorder border);
    TDockFrame DockFrame() const { return m_dockFrame; }
    void setDockFrame(TDockFrame frame);
    bool StayOnTop() const { return m_stayOnTop; }
    void setStayOnTop(bool onTop);
    bool NotificationCursor() const { return m_notificationCursor; }
    void setNotificationCursor(bool show) { m_notificationCursor = show; }
    // Setting one of the two empties the other.
    QString IniFile() const { return m_iniFile; }
    void setIniFile(const QString &fileName);
    QString RegistryKey() const { return m_registryKey; }
    void setRegistryKey(const QString &key);

    void setToolButtonStyle(Qt::ToolButtonStyle style);
    void setIconSize(const QSize &size);
    QToolButton *buttonFor(const QAction *action) const;

    // Where the floating window goes when the panel floats with no place of
    // its own (no stored position, no rectangle it floated from): the
    // window's top-left on the screen for the window's size. Without one,
    // the design place.
    using FloatPlacer = std::function<QPoint(const QSize &)>;
    void setFloatPlacer(FloatPlacer placer) { m_floatPlacer = std::move(placer); }

    // The floating window; it lives as long as the panel.
    TDocForm *floatingWindow() const { return m_form; }
    // The panel's extent across a side of the given length: its height at
    // the top or bottom (or floating), its width at the left or right.
    int thickness(TAlign side, int length) const;
    // The floating panel's height at the given width.
    int floatingThickness(int width) const;
    // The side a drag outline (in screen coordinates) docks to, alNone to float.
    TAlign dockSideFor(const QRect &outline) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void OnDockChanged(TDocPanel *sender);
    void OnVisibleChanged(TDocPanel *sender);

protected:
    void actionEvent(QActionEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class TDocForm;

    bool dragAllowed() const { return m_method == dmDrag || m_method == dmBoth; }
    bool doubleClickAllowed() const { return m_method == dmDblClick || m_method == dmBoth; }
    bool hasStore() const { return !m_iniFile.isEmpty() || !m_registryKey.isEmpty(); }
    std::optional<int> readStored(const QString &key) const;
    void writeStored(const QString &key, int value) const;
    void readLoadState();
    void writeState() const;

    // Float at a screen rectangle, or dock at a side keeping the given
    // distance from that side's edge (in the parent's coordinates).
    // When `rememberPlace`, the panel's docked place is its present one.
    void floatAt(const std::optional<QRect> &screenRect, bool rememberPlace = true);
    void dockAt(TAlign side, int offset);
    int dockedOffset() const;
    QRect clientRect() const;
    int thicknessAs(bool docked, TAlign side, int length) const;
    int floatingWidth() const;
    QSize floatingWindowSize() const;
    bool handleShown() const;
    Qt::Orientation orientation() const;
    bool wraps(bool docked) const;
    int wrapLength(int length) const;
    QMargins buttonMargins(bool docked, Qt::Orientation along) const;
    void arrangeButtons();
    void relayout();
    void applyFrame();
    // Called by the floating window.
    void floatingWindowMoved();
    void updateFloatingWindow();

    void dragTo(const QPoint &globalPos);
    void endDrag(const QPoint &globalPos);

    QPointer<QWidget> m_host;
    TDocForm *m_form = nullptr;
    QList<QToolButton *> m_buttons;
    Qt::ToolButtonStyle m_buttonStyle = Qt::ToolButtonIconOnly;
    QSize m_iconSize{16, 16};

    bool m_loading = true;
    bool m_docked = true;
    bool m_visible = true;
    // While the panel moves between its parent and the floating window, the
    // hiding and showing that reparenting does is not the user's.
    bool m_reparenting = false;
    TAlign m_align = alTop;
    // The docked place while floating, in the parent's coordinates.
    QRect m_dockedRect;
    TDockingSides m_sides = TDockingSides(dsTop) | dsBottom;
    TDockingMethod m_method = dmDblClick;
    int m_threshhold = 5;
    bool m_autoWrap = false;
    TArrangement m_arrangement = amAuto;
    int m_maxWidth = -1;
    bool m_maxWidthRestore = true;
    bool m_autoHide = true;
    QFont m_titleFont;
    TCaptionType m_captionType = ctSmall;
    TFloatBorder m_floatBorder = fbSingle;
    TDockFrame m_dockFrame = dfInner;
    bool m_stayOnTop = true;
    bool m_notificationCursor = true;
    QString m_iniFile;
    QString m_registryKey;

    // A floating window docks when moved into a dock band only after it has
    // been outside every band once, so that floating out of a docked place
    // does not dock again at once.
    bool m_dockArmed = false;
    bool m_placed = false;
    FloatPlacer m_floatPlacer;
    // The holding window whose first frame the floating window waits for.
    QPointer<QWindow> m_awaitedWindow;

    // Drag state.
    std::optional<QPoint> m_pressOffset;
    QPoint m_pressGlobal;
    QRubberBand *m_outline = nullptr;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TDocPanel::TDockingSides)

// The floating tool window of a TDocPanel: a title bar with the panel's title
// and a close box above the panel. It stays above its owner window.
class TDocForm final : public QFrame
{
    Q_OBJECT
public:
    explicit TDocForm(TDocPanel *panel, QWidget *parent);
    ~TDocForm() override;

    // Takes the panel in, or gives it back to `host`.
    void hold();
    void release(QWidget *host);
    // Sizes the window around a panel of the given width.
    void fitToPanelWidth(int width);
    QSize sizeForPanelWidth(int width) const;
    int panelWidth() const;
    // Window flags, title bar and border after a property change.
    void applyStyle();

protected:
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    class TitleBar;
    // The window's frame and title bar around the panel.
    QMargins chrome() const;
    void layoutChildren();
    void dockFromTitle();

    QPointer<TDocPanel> m_panel;
    TitleBar *m_titleBar = nullptr;
    QWidget *m_sizeGrip = nullptr;
};
