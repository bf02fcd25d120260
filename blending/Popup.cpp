#include "blending/Popup.h"

#include "widgets/Builders.h"
#include "widgets/Dialogs.h"
#include "widgets/Hints.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QLabel *boldCentredText(QWidget *parent, const QString &name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

TfmPopup::TfmPopup(QWidget *parent)
    : QDialog(parent),
      Problem(boldCentredText(this, QStringLiteral("Problem"))),
      Solution(boldCentredText(this, QStringLiteral("Solution"))),
      YesButton(new QPushButton(QStringLiteral("&Yes"), this)),
      NoButton(new QPushButton(QStringLiteral("&No"), this))
{
    setObjectName(QStringLiteral("fmPopup"));
    setWindowTitle(QStringLiteral("Error message"));
    YesButton->setObjectName(QStringLiteral("YesButton"));
    NoButton->setObjectName(QStringLiteral("NoButton"));
    setHint(YesButton, QStringLiteral("Proceed with suggested solution"));
    setHint(NoButton, QStringLiteral("Do NOT proceed with suggested solution"));

    auto *pages = new QTabWidget(this);
    auto *page = new QWidget(pages);
    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(ui::framed(page, {}, QStringLiteral("Problem"), Problem));
    pageLayout->addWidget(ui::framed(page, {}, QStringLiteral("Suggested solution"), Solution));
    pages->addTab(page, QStringLiteral("Cannot mix desired mix"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(YesButton);
    buttons->addWidget(NoButton);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addLayout(buttons);
    setMinimumWidth(340);

    connect(YesButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(NoButton, &QPushButton::clicked, this, &QDialog::reject);
    QApplication::beep();
}

bool TfmPopup::ask(const QString &problem, const QString &solution, QWidget *parent)
{
    TfmPopup popup(parent);
    popup.Problem->setText(problem);
    popup.Solution->setText(solution);
    return Dialogs::current().execDialog(popup) == QDialog::Accepted;
}
