#include "tests/support/UserDriver.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextEdit>
#include <QtTest>

namespace user {

namespace {

// The widget that takes the keys: the line edit of an editable list.
QWidget *keyTarget(QWidget *box)
{
    if (auto *list = qobject_cast<QComboBox *>(box); list && list->lineEdit())
        return list->lineEdit();
    return box;
}

// Types `text` key by key; a line break is the Return key.
void keys(QWidget *target, const QString &text)
{
    const QStringList lines = text.split(u'\n');
    for (qsizetype k = 0; k < lines.size(); ++k) {
        if (k > 0)
            QTest::keyClick(target, Qt::Key_Return);
        QTest::keyClicks(target, lines.at(k));
    }
}

} // namespace

QAction *command(TMainForm &main, const QString &name)
{
    auto *found = main.findChild<QAction *>(name);
    if (!found)
        qFatal("no command %s", qPrintable(name));
    if (!found->isEnabled())
        qFatal("command %s is disabled", qPrintable(name));
    return found;
}

QWidget *control(const QWidget *form, const QString &name)
{
    auto *found = form->findChild<QWidget *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

QList<TChildForm *> windows(const TMainForm &main, const char *className)
{
    QList<TChildForm *> found;
    for (TChildForm *child : main.childForms())
        if (qstrcmp(child->metaObject()->className(), className) == 0)
            found << child;
    return found;
}

QAction *action(const QWidget *form, const QString &name)
{
    auto *found = form->findChild<QAction *>(name);
    if (!found)
        qFatal("no command %s", qPrintable(name));
    return found;
}

void type(QWidget *box, const QString &text)
{
    QWidget *target = keyTarget(box);
    QTest::mouseClick(target, Qt::LeftButton);
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(target, Qt::Key_Delete);
    else
        keys(target, text);
}

void typeMore(QWidget *box, const QString &text)
{
    QWidget *target = keyTarget(box);
    QTest::mouseClick(target, Qt::LeftButton);
    QTest::keyClick(target, Qt::Key_End);
    keys(target, text);
}

bool choose(QComboBox *box, const QString &entry)
{
    const int row = box->findText(entry, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (row < 0)
        return false;
    box->showPopup();
    QAbstractItemView *view = box->view();
    const QModelIndex index = box->model()->index(row, box->modelColumn());
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    if (view->isVisible())
        box->hidePopup();
    return box->currentText() == entry;
}

void leave(QWidget *widget)
{
    QWidget *target = keyTarget(widget);
    QTest::keyClick(target, Qt::Key_Tab);
    // Without an active window Tab moves no focus; the box is left all the same.
    if (target->hasFocus())
        target->clearFocus();
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(target, &out);
}

void click(QWidget *button)
{
    if (!button->isEnabled())
        qFatal("%s is disabled", qPrintable(button->objectName()));
    QTest::mouseClick(button, Qt::LeftButton);
}

QString text(const QWidget *form, const QString &name)
{
    QWidget *w = control(form, name);
    if (auto *label = qobject_cast<QLabel *>(w))
        return label->text();
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        return edit->text();
    if (auto *list = qobject_cast<QComboBox *>(w))
        return list->currentText();
    if (auto *memo = qobject_cast<QPlainTextEdit *>(w))
        return memo->toPlainText();
    if (auto *rich = qobject_cast<QTextEdit *>(w))
        return rich->toPlainText();
    if (auto *spin = qobject_cast<QAbstractSpinBox *>(w))
        return spin->text();
    if (auto *button = qobject_cast<QAbstractButton *>(w))
        return button->text();
    // A status line: its message, else its panels' texts.
    if (auto *bar = qobject_cast<QStatusBar *>(w)) {
        if (!bar->currentMessage().isEmpty())
            return bar->currentMessage();
        QStringList panels;
        for (const QLabel *panel : bar->findChildren<QLabel *>(Qt::FindDirectChildrenOnly))
            panels << panel->text();
        return panels.join(u' ');
    }
    qFatal("control %s shows no text", qPrintable(name));
}

bool closeWindow(TChildForm *window)
{
    auto *frame = qobject_cast<QMdiSubWindow *>(window->parentWidget());
    const bool closed = frame ? frame->close() : window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return closed;
}

} // namespace user
