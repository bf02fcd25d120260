#pragma once

#include "widgets/PaintedProperty.h"

// A segmented level meter: a row or column of segments in a green, a yellow
// and a red zone, lit up to a position, like an audio level meter.

#include <QColor>
#include <QImage>
#include <QWidget>

enum class Tdbmeterstyle { dsVertical, dsHorizontal };
enum class tdbmeterdirection { ddRightDown, ddLeftUp };
enum class TPanelBevel { bvNone, bvLowered, bvRaised };

struct MeterZones
{
    int greens = 3;
    int yellows = 2;
    int reds = 1;
    int greenMax = 50;
    int yellowMax = 25;
    int redMax = 25;
};

// How many segments a position lights, first segment first.
int LitSegments(const MeterZones &zones, int position);

class Tdbmeter final : public QWidget
{
    Q_OBJECT
public:
    explicit Tdbmeter(QWidget *parent = nullptr);

    int Greens() const { return m_zones.greens; }
    int Yellows() const { return m_zones.yellows; }
    int Reds() const { return m_zones.reds; }
    int GreenMax() const { return m_zones.greenMax; }
    int YellowMax() const { return m_zones.yellowMax; }
    int RedMax() const { return m_zones.redMax; }
    int Position() const { return m_position; }
    int litCount() const { return LitSegments(m_zones, m_position); }

    // Every setter repaints only when the value changed.
    void setGreens(int count) { setPainted(*this, m_zones.greens, count); }
    void setYellows(int count) { setPainted(*this, m_zones.yellows, count); }
    void setReds(int count) { setPainted(*this, m_zones.reds, count); }
    void setGreenMax(int extent) { setPainted(*this, m_zones.greenMax, extent); }
    void setYellowMax(int extent) { setPainted(*this, m_zones.yellowMax, extent); }
    void setRedMax(int extent) { setPainted(*this, m_zones.redMax, extent); }
    void setGreenColor(QColor c) { setPainted(*this, m_greenColor, c); }
    void setYellowColor(QColor c) { setPainted(*this, m_yellowColor, c); }
    void setRedColor(QColor c) { setPainted(*this, m_redColor, c); }
    void setGreenBack(QColor c) { setPainted(*this, m_greenBack, c); }
    void setYellowBack(QColor c) { setPainted(*this, m_yellowBack, c); }
    void setRedBack(QColor c) { setPainted(*this, m_redBack, c); }
    void setShowJustOne(bool one) { setPainted(*this, m_showJustOne, one); }
    void setSepWidth(int width) { setPainted(*this, m_sepWidth, width); }
    void setSepColor(QColor c) { setPainted(*this, m_sepColor, c); }
    void setStyle(Tdbmeterstyle style) { setPainted(*this, m_style, style); }
    void setDirection(tdbmeterdirection direction) { setPainted(*this, m_direction, direction); }
    void setPosition(int position) { setPainted(*this, m_position, position); }
    void setBevelStyle(TPanelBevel bevel) { setPainted(*this, m_bevelStyle, bevel); }
    void setBevelWidth(int width) { setPainted(*this, m_bevelWidth, width); }

    // The meter as painted, at the control's size.
    QImage render() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintSegments(QImage &image) const;
    void paintBevel(QImage &image) const;

    MeterZones m_zones;
    QColor m_greenColor{0x00, 0xFF, 0x00};
    QColor m_yellowColor{0xFF, 0xFF, 0x00};
    QColor m_redColor{0xFF, 0x00, 0x00};
    QColor m_greenBack{0x80, 0x80, 0x80};
    QColor m_yellowBack{0x80, 0x80, 0x80};
    QColor m_redBack{0x80, 0x80, 0x80};
    bool m_showJustOne = false;
    int m_sepWidth = 1;
    QColor m_sepColor{0xC0, 0xC0, 0xC0};
    Tdbmeterstyle m_style = Tdbmeterstyle::dsHorizontal;
    tdbmeterdirection m_direction = tdbmeterdirection::ddRightDown;
    int m_position = 0;
    TPanelBevel m_bevelStyle = TPanelBevel::bvLowered;
    int m_bevelWidth = 1;
};
