#pragma once

// "Air consumption / Tank sizes": for two divers, twelve rows that pair one
// diver's tank with twelve candidate tanks of the other, each with a bar of
// how well the two supplies match; the best rows are marked. The planner
// fills the rows through Set1 ... Set12 (Set12 last: it marks the best rows).

#include "widgets/ChildForm.h"

#include <array>

class QCheckBox;
class QFrame;
class QLabel;
class QProgressBar;
class QTabWidget;

class TfmConsumptionVersusTankSize final : public TChildForm
{
    Q_OBJECT
public:
    static constexpr int RowCount = 12;

    explicit TfmConsumptionVersusTankSize(ChildHost &host, QWidget *parent = nullptr);

    // Fills row `row` (1..12): diver 2's tank size, pressure and breathing
    // rate, then diver 1's, as text. A value that is not a number, or a
    // breathing rate of 0, raises an error and leaves the row as it was.
    void SetRow(int row, const QString &size2, const QString &pressure2, const QString &rate2,
                const QString &size1, const QString &pressure1, const QString &rate1, bool metric);
    void Set1(const QString &s2, const QString &p2, const QString &r2, const QString &s1, const QString &p1, const QString &r1, bool m) { SetRow(1, s2, p2, r2, s1, p1, r1, m); }
    void Set2(const QString &s2, const QString &p2, const QString &r2, const QString &s1, const QString &p1, const QString &r1, bool m) { SetRow(2, s2, p2, r2, s1, p1, r1, m); }
    void Set3(const QString &s2, const QString &p2, const QString &r2, const QString &s1, const QString &p1, const QString &r1, bool m) { SetRow(3, s2, p2, r2, s1, p1, r1, m); }
    void Set4(const QString &s2, const QString &p2, const QString &r2, const QString &s1, const QString &p1, const QString &r1, bool m) { SetRow(4, s2, p2, r2, s1, p1, r1, m); }
    void Set5(const QString &s2, const QString &p2, const QString &r2, const QString &s1, const QString &p1, const QString &r1, bool m) { SetRow(5, s2, p2, r2, s1, p1, r1, m); }
    void Set6(const QString &s2, const QString &p2, const QString &r2, const QString &s1, const QString &p1, const QString &r1, bool m) { SetRow(6, s2, p2, r2, s1, p1, r1, m); }
    void Set7(const QString &s2, const QString &p2, const QString &r2, const QString &s1, const QString &p1, const QString &r1, bool m) { SetRow(7, s2, p2, r2, s1, p1, r1, m); }
    void Set8(const QString &s2, const QString &p2, const QString &r2, const QString &s1, const QString &p1, const QString &r1, bool m) { SetRow(8, s2, p2, r2, s1, p1, r1, m); }
    void Set9(const QString &s2, const QString &p2, const QString &r2, const QString &s1, const QString &p1, const QString &r1, bool m) { SetRow(9, s2, p2, r2, s1, p1, r1, m); }
    void Set10(const QString &s2, const QString &p2, const QString &r2, const QString &s1, const QString &p1, const QString &r1, bool m) { SetRow(10, s2, p2, r2, s1, p1, r1, m); }
    void Set11(const QString &s2, const QString &p2, const QString &r2, const QString &s1, const QString &p1, const QString &r1, bool m) { SetRow(11, s2, p2, r2, s1, p1, r1, m); }
    void Set12(const QString &s2, const QString &p2, const QString &r2, const QString &s1, const QString &p1, const QString &r1, bool m) { SetRow(12, s2, p2, r2, s1, p1, r1, m); }

    void CheckBox1Click();
    // On activation the window takes the width of the rows' panel plus a margin.
    void FormActivate();
    void closeSteps() override;

    // Horizontal room the window keeps beside the rows' panel.
    static constexpr int WidthBesideRows = 28;

    QFrame *panel(int row) const { return m_rows.at(row - 1).panel; }
    QLabel *label(int row) const { return m_rows.at(row - 1).label; }
    QProgressBar *bar(int row) const { return m_rows.at(row - 1).bar; }
    // The window's height with the help text shown.
    int heightAtCreation() const { return m_heightAtCreation; }

    QTabWidget *const PageControl1;
    QFrame *const Panel1x;
    QLabel *const Label1x;
    QLabel *const Label2x;
    QFrame *const LowerPanel;
    QLabel *const Header;
    QCheckBox *const CheckBox1;

private:
    struct Row
    {
        QFrame *panel;
        QLabel *label;
        QProgressBar *bar;
    };
    void markBestRows();
    void setFrameHeight(int height);
    void setFrameWidth(int width);

protected:
    bool event(QEvent *event) override;

private:

    std::array<Row, RowCount> m_rows{};
    int m_heightAtCreation = 0;
};
