#include "calculators/Timings.h"

#include "calculators/model/BottomTimeCalc.h"
#include "core/SettingsFile.h"
#include "widgets/Builders.h"
#include "widgets/ErrorGuard.h"
#include "widgets/MShape.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
const QString TimeSection = QStringLiteral("Time");
const QString TotalSection = QStringLiteral("Time Total");

QSpinBox *minutesBox(QWidget *parent, const QString &name)
{
    QSpinBox *box = ui::wholeSpin(parent, name, -1, 60, 0);
    box->setMaximumWidth(60);
    return box;
}
} // namespace

TfmtTimeCalcs::TfmtTimeCalcs(ChildHost &host, QWidget *parent)
    : TChildForm(host, parent), MultiShape1(new TMultiShape(this))
{
    setWindowTitle(QStringLiteral("Bottom time calculations"));
    MultiShape1->setObjectName(QStringLiteral("MultiShape1"));
    MultiShape1->setShapeType(TMultiShapeType::msTriangle);
    MultiShape1->lower();

    // The panel stands in front of the pattern, which shows around it.
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
    TH = ui::wholeSpin(panel, QStringLiteral("TH"), 0, 0, 0);
    TM = minutesBox(panel, QStringLiteral("TM"));
    BH = ui::wholeSpin(panel, QStringLiteral("BH"), 0, 0, 0);
    BM = minutesBox(panel, QStringLiteral("BM"));
    Edit4 = ui::textBox(panel, QStringLiteral("Edit4"), {}, true);
    Edit5 = ui::textBox(panel, QStringLiteral("Edit5"), QStringLiteral("Edit5"));

    auto *grid = new QGridLayout(panel);
    grid->addWidget(new QLabel(QStringLiteral("HH:"), panel), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral(":MM"), panel), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Total time to date"), panel), 1, 0);
    grid->addWidget(TH, 1, 1);
    grid->addWidget(TM, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Bottom time this dive"), panel), 2, 0);
    grid->addWidget(BH, 2, 1);
    grid->addWidget(BM, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("Total bottom time"), panel), 3, 0);
    grid->addWidget(Edit4, 3, 1, 1, 2);
    grid->addWidget(Edit5, 4, 1, 1, 2);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->addWidget(panel);

    connectGuarded(TH, &QSpinBox::valueChanged, this, [this] { TimeChange(); });
    connectGuarded(BH, &QSpinBox::valueChanged, this, [this] { TimeChange(); });
    connectGuarded(TM, &QSpinBox::valueChanged, this, [this] { MinutesChange(TM); });
    connectGuarded(BM, &QSpinBox::valueChanged, this, [this] { MinutesChange(BM); });
    connectGuarded(Edit4, &QLineEdit::textChanged, this, [this](const QString &sum) { Edit5->setText(sum); });
    FormCreate();
}

void TfmtTimeCalcs::FormCreate()
{
    const IniFile settings = SettingsFile();
    Edit5->setText(settings.readString(TimeSection, QStringLiteral("TotalTime"), QStringLiteral("00:00")));
    TH->setValue(settings.readInteger(TotalSection, QStringLiteral("Hours"), 0));
    TM->setValue(settings.readInteger(TotalSection, QStringLiteral("Minutes"), 0));
}

void TfmtTimeCalcs::resizeEvent(QResizeEvent *event)
{
    TChildForm::resizeEvent(event);
    MultiShape1->setGeometry(rect());
}

void TfmtTimeCalcs::TimeChange()
{
    const BottomTimeSum sum = AddBottomTime(TH->value(), TM->value(), BH->value(), BM->value());
    Edit4->setText(sum.text);
    m_hours = sum.hours;
    m_minutes = sum.minutes;
}

void TfmtTimeCalcs::MinutesChange(QSpinBox *sender)
{
    TimeChange();
    // Stepping past the ends wraps the box; the change runs this again.
    sender->setValue(WrappedMinutes(sender->value()));
}

void TfmtTimeCalcs::closeSteps()
{
    TimeChange();
    IniFile settings = SettingsFile();
    settings.writeString(TimeSection, QStringLiteral("TotalTime"), Edit5->text());
    settings.writeInteger(TotalSection, QStringLiteral("Hours"), m_hours);
    settings.writeInteger(TotalSection, QStringLiteral("Minutes"), m_minutes);
}
