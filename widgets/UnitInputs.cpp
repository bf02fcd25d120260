#include "widgets/UnitInputs.h"

#include "widgets/Hints.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QSpinBox>

void ComboInputList::setEntries(const QStringList &entries)
{
    const QSignalBlocker quiet(m_box);
    m_box->clear();
    m_box->addItems(entries);
}

QStringList ComboInputList::entries() const
{
    QStringList texts;
    for (int i = 0; i < m_box->count(); ++i)
        texts << m_box->itemText(i);
    return texts;
}

void ComboInputList::setText(const QString &text)
{
    const QSignalBlocker quiet(m_box);
    m_box->setEditText(text);
}

QString ComboInputList::text() const { return m_box->currentText(); }

void ComboInputList::setHint(const QString &hint) { ::setHint(m_box, hint); }

void ComboInputList::setSelectedIndex(int index)
{
    const QSignalBlocker quiet(m_box);
    m_box->setCurrentIndex(index);
}

void FillTankSizeList(QComboBox *box, bool metric)
{
    ComboInputList list(box);
    FillTankSizeList(list, metric);
}

void FillPressureList(QComboBox *box, bool metric)
{
    ComboInputList list(box);
    FillPressureList(list, metric);
}

void FillBreathingRateList(QComboBox *box, bool metric)
{
    ComboInputList list(box);
    FillBreathingRateList(list, metric);
}

void FillPPO2List(QComboBox *box)
{
    ComboInputList list(box);
    FillPPO2List(list);
}

void FillPressureStepList(QComboBox *box, bool metric)
{
    ComboInputList list(box);
    FillPressureStepList(list, metric);
}

void ConvertDepthSpin(QSpinBox *spin, bool toMetric)
{
    spin->setValue(ConvertedDepth(spin->value(), toMetric));
    setHint(spin, DepthHint(toMetric));
}
