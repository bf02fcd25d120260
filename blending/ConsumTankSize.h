#pragma once

// "Air consumption / Tank sizes": for two divers, twelve rows that pair one
// diver's tank with twelve candidate tanks of the other, each with a bar of
// how well the two supplies match; the best rows are marked. The planner
// hands the divers' tanks over as a TankComparisonRequest.

#include "blending/TankComparisonRequest.h"
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

    // Fills a row for each of the request's sizes, up to RowCount, then the
    // header. The last row marks the best rows. A value that is not a
    // number, or a breathing rate of 0, raises an error and leaves that row
    // and the ones after it as they were.
    void apply(const TankComparisonRequest &request);

    void CheckBox1Click();
    // On activation the window takes the width of the rows' panel plus a margin.
    void FormActivate();
    void closeSteps() override;

    // Horizontal room the window keeps beside the rows' panel.
    static constexpr int WidthBesideRows = 28;

protected:
    bool event(QEvent *event) override;

private:
    struct Row
    {
        QFrame *panel;
        QLabel *label;
        QProgressBar *bar;
    };
    // Row `row` (1..RowCount): diver 2's tank against diver 1's.
    void setRow(int row, const DiverTank &diver2, const DiverTank &diver1, bool metric);
    void markBestRows();
    void setFrameHeight(int height);
    void setFrameWidth(int width);

    QTabWidget *const PageControl1;
    QFrame *const Panel1x;
    QLabel *const Label1x;
    QLabel *const Label2x;
    QFrame *const LowerPanel;
    QLabel *const Header;
    QCheckBox *const CheckBox1;
    std::array<Row, RowCount> m_rows{};
    int m_heightAtCreation = 0;
};
