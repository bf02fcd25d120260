#pragma once

// The base of every child window of the main window. It carries the parts
// all child windows share: the per-window unit choice, the close protocol
// (a question first, then the window's own closing steps) and the menus the
// window shows in the main window's menu bar while it is active.

#include "widgets/ChildHost.h"

#include <QCheckBox>
#include <QList>
#include <QPointer>
#include <QWidget>

class QMenu;

// The menu bar's merge groups, in their order: while a window is active, its
// menu of a group takes the place of the main window's menu of that group.
enum class MenuGroup { File = 10, Edit = 11, Character = 13, Calculations = 20, Blending = 25,
                       Planning = 30, DivePlanning = 31, Graphic = 35, AboutProfiles = 36,
                       Options = 60, Window = 70, Help = 80 };

// A menu of a window with its merge group.
struct MergedMenu
{
    MenuGroup group;
    QMenu *menu;
};

class TChildForm : public QWidget
{
    Q_OBJECT
public:
    explicit TChildForm(ChildHost &host, QWidget *parent = nullptr);

    // The program that holds the window.
    ChildHost &host() const { return m_host; }

    virtual QList<MergedMenu> mergedMenus() const { return {}; }
    // Asked before the window closes, by the user or at program exit.
    // False keeps the window (and, at exit, the program) open.
    virtual bool closeQuery() { return true; }
    // What the window writes when it closes; runs at program exit too.
    virtual void closeSteps() {}
    // Run by the host each time the window becomes the active one; by
    // default it shows the window's units.
    virtual void activated();

    QCheckBox *metricBox() const { return m_metric; }
    bool isMetric() const;
    // Whether activating the window shows its units in the status bar.
    bool reportsUnits() const { return m_metric && m_reportsUnits; }

protected:
    // The window's own "Metric" box takes the program-wide unit system once;
    // from then on each click runs unitSwitch() and shows the units in the
    // status bar (unless reportUnits is false).
    void adoptUnitSystem(QCheckBox *metric, bool reportUnits = true);
    // Relabels, converts and recomputes for the current "Metric" state.
    virtual void unitSwitch() {}

    void closeEvent(QCloseEvent *event) override;

private:
    ChildHost &m_host;
    QPointer<QCheckBox> m_metric;
    bool m_reportsUnits = true;
};
