#pragma once

// The controls every window is built from, made one way: named after the
// window's control names, with their hints, ranges and change behaviour;
// plus the hand-off of results to a new note. Windows call these instead of
// repeating the set-up.

#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>

class ChildHost;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QObject;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QWidget;

namespace ui {

inline const QString SendHint =
    QStringLiteral("Send result via MAPI mail|See your email program on how to set it up with MAPI.");
inline const QString MetricHint = QStringLiteral("Metric or Imperial standard|");

// An editable drop-down list whose free text may differ from its entries.
QComboBox *inputList(QWidget *parent, const QString &name, const QStringList &entries = {},
                     const QString &text = {});
// Sets the free text of a list without running the window's change handlers.
void setListText(QComboBox *box, const QString &text);
// Replaces the entries and keeps the free text.
void setListEntries(QComboBox *box, const QStringList &entries);
// Runs `handler` (guarded) when the user types into or chooses from the
// list; texts the window writes itself do not run it.
void onUserChange(QComboBox *box, QWidget *context, std::function<void()> handler);
// A whole-number spin box; min == max means no limits of its own.
QSpinBox *wholeSpin(QWidget *parent, const QString &name, int min, int max, int value);
QSlider *trackBar(QWidget *parent, const QString &name, int min, int max, int tickInterval);
QLabel *label(QWidget *parent, const QString &name, const QString &caption);
// An unnamed caption for `buddy`.
QLabel *caption(QWidget *parent, const QString &text, QWidget *buddy = nullptr);
// A word-wrapping label for a result sentence.
QLabel *resultLabel(QWidget *parent, const QString &name, const QString &caption = {});
QLineEdit *textBox(QWidget *parent, const QString &name, const QString &text = {}, bool readOnly = false);
// A read-only box for a computed value.
QLineEdit *resultBox(QWidget *parent, const QString &name);
QCheckBox *checkBox(QWidget *parent, const QString &name, const QString &caption, bool checked = false);
QPushButton *button(QWidget *parent, const QString &name, const QString &caption, const QString &hint = {});
QPushButton *sendButton(QWidget *parent, const QString &name);
QCheckBox *metricBox(QWidget *parent, const QString &hint = MetricHint);
QGroupBox *group(QWidget *parent, const QString &name, const QString &caption);
// A named, framed panel that groups controls without a caption.
QFrame *panel(QWidget *parent, const QString &name);
// The row above a calculator's controls: its "Metric" box on the left and
// `right` (a send button or a label) on the right.
QHBoxLayout *headerRow(QCheckBox *metric, QWidget *right);
// A captioned group box (named `name`) holding `content` alone.
QGroupBox *framed(QWidget *parent, const QString &name, const QString &caption, QWidget *content);
// The "Result" group box around `content`.
QGroupBox *resultGroup(QWidget *parent, QWidget *content, const QString &name = QStringLiteral("GroupBox2"));
// Pages whose tabs all stay visible: the window is made wide enough for them.
QTabWidget *pageControl(QWidget *parent, const QString &name);

// Moves a slider from code. The move does not feed back into the box the
// slider drives: a value beyond the slider's range must not be cut to it.
void moveSlider(QSlider *slider, int position);
void setSliderMaximum(QSlider *slider, int maximum);

// Tab moves through `widgets` in the given order.
void tabOrder(std::initializer_list<QWidget *> widgets);

// Runs `handler` (guarded) whenever `widget` loses or gains the focus.
void onLeave(QWidget *widget, std::function<void()> handler);
void onEnter(QWidget *widget, std::function<void()> handler);

// Result texts break lines with "\r\n"; widgets and notes show "\n".
QString shownText(const QString &text);

// A new note window with these lines (shown as widgets show them).
void sendLinesToNote(ChildHost &host, const QStringList &lines);
// A new note window whose text becomes the given text's lines.
void sendTextToNote(ChildHost &host, const QString &text);

} // namespace ui
