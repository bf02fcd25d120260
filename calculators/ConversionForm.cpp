#include "calculators/ConversionForm.h"

#include "widgets/Builders.h"
#include "widgets/ErrorGuard.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

TConversionForm::TConversionForm(ChildHost &host, const QString &caption, const QString &firstUnit, const QString &secondUnit,
                                 SliderRange firstRange, SliderRange secondRange, QWidget *parent)
    : TChildForm(host, parent),
      F(ui::wholeSpin(this, QStringLiteral("F"), 0, 0, 0)),
      C(ui::wholeSpin(this, QStringLiteral("C"), 0, 0, 0)),
      TrackBar1(ui::trackBar(this, QStringLiteral("TrackBar1"), firstRange.min, firstRange.max, firstRange.tick)),
      TrackBar2(ui::trackBar(this, QStringLiteral("TrackBar2"), secondRange.min, secondRange.max, secondRange.tick)),
      Label1(ui::label(this, QStringLiteral("Label1"), firstUnit)),
      Label2(ui::label(this, QStringLiteral("Label2"), secondUnit)),
      Label3(ui::resultLabel(this, QStringLiteral("Label3"))),
      BitBot1(ui::sendButton(this, QStringLiteral("BitBot1"))),
      m_extra(new QGridLayout)
{
    setWindowTitle(caption);
    Label2->setMinimumWidth(Label2->fontMetrics().horizontalAdvance(QStringLiteral("Br.Naut.Miles")));
    auto *grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(F, 0, 1);
    grid->addWidget(TrackBar1, 0, 2);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(C, 1, 1);
    grid->addWidget(TrackBar2, 1, 2);
    grid->setColumnStretch(2, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(m_extra);
    layout->addWidget(Label3, 1);
    layout->addWidget(BitBot1, 0, Qt::AlignRight);
}

void TConversionForm::connectEvents()
{
    connectGuarded(F, &QSpinBox::valueChanged, this, [this] { FChange(); });
    connectGuarded(C, &QSpinBox::valueChanged, this, [this] { CChange(); });
    connectGuarded(TrackBar1, &QSlider::valueChanged, this, [this](int position) { F->setValue(position); });
    connectGuarded(TrackBar2, &QSlider::valueChanged, this, [this](int position) { C->setValue(position); });
    connectGuarded(BitBot1, &QPushButton::clicked, this, [this] { ui::sendLinesToNote(host(), {Label3->text()}); });
}
