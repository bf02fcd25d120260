#pragma once

// "Tank Converter": a tank rating in cubic feet at psi converted to litres
// of water volume at bar, and back. The active page is the window's unit
// system.

#include "widgets/ChildForm.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;

class TfmIMTankConverter final : public TChildForm
{
    Q_OBJECT
public:
    explicit TfmIMTankConverter(ChildHost &host, QWidget *parent = nullptr);

    void IValueChanged();
    void MValueChange();
    void closeSteps() override;
    // The units of the page shown.
    void activated() override;

private:
    struct TankPage
    {
        QWidget *page;
        QGroupBox *from;
        QLabel *certifiedLabel;
        QComboBox *certified;
        QLabel *pressureWord;
        QLabel *sizeLabel;
        QComboBox *tanksize;
        QLabel *volumeWord;
        QGroupBox *to;
        QLabel *answer;
        QPushButton *send;
    };
    // The names of one page's controls, in the order of TankPage.
    TankPage createPage(const QStringList &names, const QString &fromCaption, const QString &pressureWord,
                        const QString &volumeWord, const QString &toCaption);
    void sendPage(const TankPage &page);
    bool metricPageActive() const;

    QTabWidget *PageControl1;
    TankPage m_imperial;
    TankPage m_metric;
};
