#include "shell/about.h"

#include "shell/Background.h"
#include "widgets/ErrorGuard.h"
#include "widgets/Hints.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

const QString TAboutBox::VersionText = QStringLiteral("Beta version 0.99h");
const QString TAboutBox::WebPage = QStringLiteral("https://tidewell.example.org/");
const QString TAboutBox::ContactAddresses = QStringLiteral("tidewell@example.org");

namespace {
class ClickLabel final : public QLabel
{
public:
    ClickLabel(const QString &text, QWidget *parent, std::function<void()> onClick)
        : QLabel(text, parent), m_onClick(std::move(onClick)) {}

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            guarded(m_onClick);
    }

private:
    std::function<void()> m_onClick;
};

QLabel *label(QWidget *parent, const QString &name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setWordWrap(true);
    return l;
}

// A plain label that looks and acts like a link: rich-text labels would cost
// a text document each, which the splash cannot afford at start.
QLabel *link(QWidget *parent, const QString &name, const QString &caption, const QString &target)
{
    auto *l = new ClickLabel(caption, parent, [target] { QDesktopServices::openUrl(QUrl(target)); });
    l->setObjectName(name);
    l->setToolTip(target);
    QFont underlined = l->font();
    underlined.setUnderline(true);
    l->setFont(underlined);
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Link));
    l->setPalette(palette);
    l->setCursor(Qt::PointingHandCursor);
    return l;
}
} // namespace

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setContextMenuPolicy(Qt::ActionsContextMenu);

    auto *picture = new QToolButton(this);
    picture->setObjectName(QStringLiteral("ProgramIcon"));
    picture->setIcon(programIcon());
    picture->setIconSize(QSize(48, 48));
    picture->setAutoRaise(true);
    setHint(picture, WebPage);
    connect(picture, &QToolButton::clicked, this, [] { QDesktopServices::openUrl(QUrl(WebPage)); });

    QLabel *product = label(this, QStringLiteral("ProductName"), QStringLiteral("Tidewell"));
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    product->setFont(big);
    QLabel *version = label(this, QStringLiteral("Version"), VersionText);
    QLabel *slogan = label(this, QStringLiteral("Slogan"), QStringLiteral("Plan the dive, dive the plan."));
    QLabel *disclaimer = label(this, QStringLiteral("Copyright"),
                               QStringLiteral(" NO responsiblity for caluculations. This is for what-if-situations only. "
                                              "You have to use the tables, dude. Remember it's your life !"));
    QPalette warning = disclaimer->palette();
    warning.setColor(QPalette::WindowText, QColor(0xa0, 0x10, 0x10));
    disclaimer->setPalette(warning);
    QLabel *note = label(this, QStringLiteral("Comments"),
                         QStringLiteral("All calculations are correct, as I know it. But if you should find any bugs "
                                        "anywhere, please let me know, so I can fix it."));
    QLabel *released = label(this, QStringLiteral("ReleaseDate"), QStringLiteral("December 2026"));
    QLabel *debug = label(this, QStringLiteral("DebugLabel"), QStringLiteral("DEBUG Version"));
    debug->hide();

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OKButton"));
    m_ok->setDefault(true);
    setHint(m_ok, QStringLiteral("|Yes, I promise to be a responsible diver :-)"));
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *copy = new QAction(QStringLiteral("Copy &E-mail addresses to clipboard"), this);
    copy->setObjectName(QStringLiteral("CopyEmailAddresses1"));
    connect(copy, &QAction::triggered, this, [] { QApplication::clipboard()->setText(clipboardText()); });
    addAction(copy);

    auto *head = new QHBoxLayout;
    head->addWidget(picture, 0, Qt::AlignTop);
    auto *titles = new QVBoxLayout;
    titles->addWidget(product);
    titles->addWidget(version);
    titles->addWidget(slogan);
    head->addLayout(titles, 1);

    auto *links = new QHBoxLayout;
    links->addWidget(link(this, QStringLiteral("WebPageLink"), QStringLiteral("Web page"), WebPage));
    links->addWidget(link(this, QStringLiteral("DownloadLink"), QStringLiteral("Download latest version"),
                          WebPage + QStringLiteral("download")));
    links->addWidget(link(this, QStringLiteral("ContactLink"), ContactAddresses,
                          QStringLiteral("mailto:") + ContactAddresses));
    links->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addSpacing(8);
    layout->addWidget(disclaimer);
    layout->addWidget(note);
    layout->addWidget(released);
    layout->addWidget(debug);
    layout->addLayout(links);
    layout->addWidget(m_ok, 0, Qt::AlignHCenter);
    setFixedWidth(420);
}

void TAboutBox::makeSplash()
{
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    m_ok->hide();
}

QString TAboutBox::clipboardText()
{
    return QStringLiteral("If you email me, please note that you are using ") + VersionText + u' ' + ContactAddresses;
}
