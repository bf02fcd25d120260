#include "widgets/Builders.h"

#include "widgets/ChildHost.h"

#include "widgets/ErrorGuard.h"
#include "widgets/Hints.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>

#include <limits>

namespace ui {
namespace {
// Calls a handler when its widget gains or loses the focus.
class FocusWatcher final : public QObject
{
public:
    FocusWatcher(QWidget *widget, QEvent::Type type, std::function<void()> handler)
        : QObject(widget), m_type(type), m_handler(std::move(handler))
    {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == m_type)
            guarded(m_handler);
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void()> m_handler;
};

template <typename W>
W *named(W *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}
} // namespace

QComboBox *inputList(QWidget *parent, const QString &name, const QStringList &entries, const QString &text)
{
    auto *box = named(new QComboBox(parent), name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(16);
    box->setMinimumContentsLength(7);
    box->addItems(entries);
    box->setEditText(text);
    return box;
}

void setListText(QComboBox *box, const QString &text)
{
    // Rewriting the same text would move the cursor of a user who is typing.
    if (box->currentText() == text)
        return;
    const QSignalBlocker quiet(box);
    box->setEditText(text);
}

void setListEntries(QComboBox *box, const QStringList &entries)
{
    const QSignalBlocker quiet(box);
    const QString text = box->currentText();
    box->clear();
    box->addItems(entries);
    box->setEditText(text);
}

void onUserChange(QComboBox *box, QWidget *context, std::function<void()> handler)
{
    connectGuarded(box->lineEdit(), &QLineEdit::textEdited, context, handler);
    connectGuarded(box, &QComboBox::textActivated, context, handler);
}

QSpinBox *wholeSpin(QWidget *parent, const QString &name, int min, int max, int value)
{
    auto *spin = named(new QSpinBox(parent), name);
    if (min == max)
        spin->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    else
        spin->setRange(min, max);
    spin->setValue(value);
    spin->setMinimumWidth(80);
    spin->setMaximumWidth(120);
    return spin;
}

QSlider *trackBar(QWidget *parent, const QString &name, int min, int max, int tickInterval)
{
    auto *slider = named(new QSlider(Qt::Horizontal, parent), name);
    slider->setRange(min, max);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(tickInterval);
    slider->setMinimumWidth(160);
    return slider;
}

QLabel *label(QWidget *parent, const QString &name, const QString &caption)
{
    return named(new QLabel(caption, parent), name);
}

QLabel *caption(QWidget *parent, const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text, parent);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

QLabel *resultLabel(QWidget *parent, const QString &name, const QString &caption)
{
    QLabel *result = label(parent, name, caption);
    result->setWordWrap(true);
    result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    result->setMinimumHeight(result->fontMetrics().lineSpacing() * 3);
    return result;
}

QLineEdit *textBox(QWidget *parent, const QString &name, const QString &text, bool readOnly)
{
    auto *edit = named(new QLineEdit(text, parent), name);
    edit->setReadOnly(readOnly);
    return edit;
}

QLineEdit *resultBox(QWidget *parent, const QString &name)
{
    QLineEdit *box = textBox(parent, name, {}, true);
    box->setMinimumWidth(90);
    return box;
}

QCheckBox *checkBox(QWidget *parent, const QString &name, const QString &caption, bool checked)
{
    auto *box = named(new QCheckBox(caption, parent), name);
    box->setChecked(checked);
    return box;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &caption, const QString &hint)
{
    auto *pushButton = named(new QPushButton(caption, parent), name);
    if (!hint.isEmpty())
        setHint(pushButton, hint);
    return pushButton;
}

QPushButton *sendButton(QWidget *parent, const QString &name)
{
    auto *button = named(new QPushButton(QStringLiteral("Send"), parent), name);
    button->setIcon(button->style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    setHint(button, SendHint);
    return button;
}

QCheckBox *metricBox(QWidget *parent, const QString &hint)
{
    auto *box = named(new QCheckBox(QStringLiteral("Metric"), parent), QStringLiteral("Metric"));
    setHint(box, hint);
    return box;
}

QGroupBox *group(QWidget *parent, const QString &name, const QString &caption)
{
    return named(new QGroupBox(caption, parent), name);
}

QFrame *panel(QWidget *parent, const QString &name)
{
    auto *frame = named(new QFrame(parent), name);
    frame->setFrameShape(QFrame::StyledPanel);
    return frame;
}

QHBoxLayout *headerRow(QCheckBox *metric, QWidget *right)
{
    auto *row = new QHBoxLayout;
    row->addWidget(metric);
    row->addStretch();
    row->addWidget(right);
    return row;
}

QGroupBox *framed(QWidget *parent, const QString &name, const QString &caption, QWidget *content)
{
    QGroupBox *box = group(parent, name, caption);
    auto *layout = new QVBoxLayout(box);
    layout->addWidget(content);
    return box;
}

QGroupBox *resultGroup(QWidget *parent, QWidget *content, const QString &name)
{
    return framed(parent, name, QStringLiteral("Result"), content);
}

QTabWidget *pageControl(QWidget *parent, const QString &name)
{
    auto *pages = named(new QTabWidget(parent), name);
    pages->setUsesScrollButtons(false);
    return pages;
}

void moveSlider(QSlider *slider, int position)
{
    const QSignalBlocker quiet(slider);
    slider->setValue(position);
}

void setSliderMaximum(QSlider *slider, int maximum)
{
    const QSignalBlocker quiet(slider);
    slider->setMaximum(maximum);
}

void tabOrder(std::initializer_list<QWidget *> widgets)
{
    QWidget *previous = nullptr;
    for (QWidget *widget : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void onLeave(QWidget *widget, std::function<void()> handler)
{
    new FocusWatcher(widget, QEvent::FocusOut, std::move(handler));
}

void onEnter(QWidget *widget, std::function<void()> handler)
{
    new FocusWatcher(widget, QEvent::FocusIn, std::move(handler));
}

QString shownText(const QString &text)
{
    QString shown = text;
    return shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void sendLinesToNote(ChildHost &host, const QStringList &lines)
{
    QStringList shown;
    for (const QString &line : lines)
        shown << shownText(line).split(u'\n');
    host.showInNewNote(shown);
}

void sendTextToNote(ChildHost &host, const QString &text) { host.showInNewNote(shownText(text).split(u'\n')); }

} // namespace ui
