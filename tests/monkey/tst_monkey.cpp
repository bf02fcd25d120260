// A monkey at the keyboard: the main window and every window it can open get
// random menu commands, clicks, keys and texts, answered through scripted
// dialogs. Every kind of window in the main window's catalog that has a
// maker is opened in turn as well, so each one is driven whatever the
// random commands pick; at most eight windows stay open. The run is seeded and repeatable: the seed is printed first and
// in every failure; TIDEWELL_MONKEY_SEED replays one, TIDEWELL_MONKEY_EVENTS
// sets the number of events. A step that does not finish within 10 s (a
// hang, or a modal dialog that bypasses the dialog seam) fails the run.

#include "shell/Application.h"
#include "shell/Main.h"
#include "shell/WindowCatalog.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/WindowFixture.h"
#include "widgets/ChildForm.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QSet>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

// Fails the run when no step has finished for `limit`.
class Watchdog
{
public:
    Watchdog(quint32 seed, std::chrono::seconds limit) : m_seed(seed), m_limit(limit)
    {
        beat(-1, QStringLiteral("start"));
        m_thread = std::thread([this] { watch(); });
    }
    ~Watchdog()
    {
        m_stop = true;
        m_thread.join();
    }
    void beat(int step, const QString &what)
    {
        const std::lock_guard lock(m_mutex);
        m_step = step;
        m_what = what.toUtf8();
        m_last = std::chrono::steady_clock::now();
    }

private:
    void watch()
    {
        while (!m_stop) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            const std::lock_guard lock(m_mutex);
            if (std::chrono::steady_clock::now() - m_last > m_limit) {
                std::fprintf(stderr, "FAIL: hang: step %d (%s) did not finish within %lld s; seed %u\n", m_step,
                             m_what.constData(), static_cast<long long>(m_limit.count()), m_seed);
                std::fflush(stderr);
                std::_Exit(3);
            }
        }
    }

    quint32 m_seed;
    std::chrono::seconds m_limit;
    std::mutex m_mutex;
    int m_step = -1;
    QByteArray m_what;
    std::chrono::steady_clock::time_point m_last;
    std::atomic<bool> m_stop = false;
    std::thread m_thread;
};

// What users type into number boxes, bad inputs first.
const QStringList Texts = {
    QString(), QStringLiteral("   "), QStringLiteral("abc"), QStringLiteral("1e309"), QStringLiteral("-0"),
    QStringLiteral("NaN"), QString(300, u'9'), QStringLiteral("1,5"), QStringLiteral("1.5"),
    QStringLiteral("-12"), QStringLiteral("0"), QStringLiteral("99999999999"), QStringLiteral("3000"),
    QStringLiteral("21"), QStringLiteral("0.0001"), QStringLiteral("%s%d%n"), QStringLiteral("[Evil]\nx=1"),
    QStringLiteral("\u00e6\u00f8\u00e5 \u20ac")};

const Qt::Key Keys[] = {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Up, Qt::Key_Down,
                        Qt::Key_Left, Qt::Key_Right, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home,
                        Qt::Key_End, Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Space, Qt::Key_0, Qt::Key_5,
                        Qt::Key_9, Qt::Key_Minus, Qt::Key_Period, Qt::Key_Comma, Qt::Key_A, Qt::Key_E,
                        Qt::Key_X, Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F5, Qt::Key_F6,
                        Qt::Key_F7, Qt::Key_F8, Qt::Key_F9, Qt::Key_F10, Qt::Key_F11, Qt::Key_F12};

// Commands that would end the run or start other programs are not used.
bool usable(const QAction *action)
{
    return action->isEnabled() && !action->isSeparator() && !action->menu()
        && !action->objectName().contains(u"Exit", Qt::CaseInsensitive) && action->objectName() != u"Calculator1";
}

// A tool button of such a command is not clicked either.
bool clickable(const QWidget *widget)
{
    const auto *button = qobject_cast<const QToolButton *>(widget);
    return !button || !button->defaultAction() || usable(button->defaultAction());
}

quint32 seedFromEnvironment()
{
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("TIDEWELL_MONKEY_SEED").toUInt(&ok);
    return ok ? seed : QRandomGenerator::global()->generate();
}

int eventsFromEnvironment()
{
    bool ok = false;
    const int events = qEnvironmentVariableIntValue("TIDEWELL_MONKEY_EVENTS", &ok);
    return ok && events > 0 ? events : 2000;
}

// Press and release as separate events: the press may close the window
// that holds the widget, and then there is nothing left to release on.
void clickOn(QWidget *widget, Qt::MouseButton button, const QPoint &at, bool twice)
{
    QPointer<QWidget> w(widget);
    QTest::mousePress(w, button, {}, at);
    if (w)
        QTest::mouseRelease(w, button, {}, at);
    if (twice && w)
        QTest::mouseDClick(w, button, {}, at);
}

void keyOn(QWidget *widget, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QPointer<QWidget> w(widget);
    QTest::keyPress(w, key, modifiers);
    if (w)
        QTest::keyRelease(w, key, modifiers);
}

void typeInto(QWidget *widget, const QString &text)
{
    QPointer<QWidget> w(widget);
    for (const QChar c : text) {
        if (!w)
            return;
        if (c == u'\n')
            QTest::keyClick(w, Qt::Key_Return);
        else if (c.unicode() >= 32 && c.unicode() < 127)
            QTest::keyClick(w, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

class Monkey
{
public:
    Monkey(TMainForm &main, ScriptedDialogs &dialogs, quint32 seed)
        : m_main(main), m_dialogs(dialogs), m_random(seed)
    {
        QDir(m_files.path()).mkdir(QStringLiteral("folder"));
        // The profile viewer's file panel starts in the current folder, and
        // renames, deletes and moves what it lists: the run's files only.
        QDir::setCurrent(m_files.path());
    }

    // One random event; returns what it did.
    QString step()
    {
        const int kind = m_random.bounded(100);
        if (kind < 15)
            return command();
        if (kind < 45)
            return click();
        if (kind < 75)
            return key();
        if (kind < 90)
            return text();
        if (kind < 94)
            return switchWindow();
        if (kind < 97)
            return closeWindow();
        return queueAnswer();
    }

    // Keeps the number of open windows at eight or fewer: the oldest ones
    // close, every question they ask answered No (don't save). A window may
    // refuse to close while a box holds what is no number (the fills
    // window does): then the next oldest closes, and when none will, the
    // oldest is taken away without its close steps.
    void prune()
    {
        while (openWindows().size() > MaxWindows) {
            bool closed = false;
            QList<QPointer<QMdiSubWindow>> oldestFirst;
            for (QMdiSubWindow *window : openWindows())
                oldestFirst << window;
            for (const QPointer<QMdiSubWindow> &sub : std::as_const(oldestFirst)) {
                if (!sub)
                    continue;
                m_dialogs.forgetAnswers();
                for (int i = 0; i < 4; ++i)
                    m_dialogs.answerMessage(QMessageBox::No);
                sub->close();
                QCoreApplication::processEvents();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                m_dialogs.forgetAnswers();
                closed = !sub || !sub->isVisible();
                if (closed)
                    break;
            }
            if (!closed) {
                delete openWindows().first();
                ++m_forced;
            }
        }
    }

    // Windows taken away by prune() because none would close.
    int forced() const { return m_forced; }

    // The windows shown; a closed one may wait for its deletion.
    QList<QMdiSubWindow *> openWindows() const
    {
        QList<QMdiSubWindow *> open = m_main.mdiArea()->subWindowList();
        open.removeIf([](const QMdiSubWindow *w) { return !w->isVisible(); });
        return open;
    }

    // Opens the next kind of window of the catalog that can be made, through
    // its first command, as a user would.
    QString openNextKind()
    {
        QList<const WindowKind *> kinds;
        for (const WindowKind &kind : windowCatalog())
            if (kind.make && !kind.commands.isEmpty())
                kinds << &kind;
        if (kinds.isEmpty())
            return QStringLiteral("no kind of window to open");
        const WindowKind *kind = kinds.at(m_nextKind++ % kinds.size());
        const QString name = kind->commands.first().name;
        auto *action = m_main.findChild<QAction *>(name);
        if (!action)
            return QStringLiteral("the command %1 is missing").arg(name);
        const qsizetype before = m_main.mdiArea()->subWindowList().size();
        action->trigger();
        if (m_main.mdiArea()->subWindowList().size() > before)
            m_opened.insert(name);
        return QStringLiteral("open the catalog's %1").arg(name);
    }

    // The catalog's kinds with a maker that were never opened.
    QStringList kindsNotOpened() const
    {
        QStringList missing;
        for (const WindowKind &kind : windowCatalog())
            if (kind.make && !kind.commands.isEmpty() && !m_opened.contains(kind.commands.first().name))
                missing << kind.commands.first().name;
        return missing;
    }

    static constexpr int MaxWindows = 8;

private:
    template <typename T>
    T *pick(const QList<T *> &items)
    {
        return items.isEmpty() ? nullptr : items.at(m_random.bounded(static_cast<int>(items.size())));
    }

    QString command()
    {
        QList<QAction *> actions;
        for (QAction *a : m_main.findChildren<QAction *>())
            if (usable(a))
                actions << a;
        QAction *action = pick(actions);
        if (!action)
            return QStringLiteral("no command");
        const QString what = QStringLiteral("command %1 \"%2\"").arg(action->objectName(), action->text());
        action->trigger();
        return what;
    }

    // The widgets of the active window, or of the main window without one.
    QList<QWidget *> targets() const
    {
        QWidget *root = m_main.mdiArea()->activeSubWindow();
        if (!root)
            root = &m_main;
        QList<QWidget *> widgets;
        for (QWidget *w : root->findChildren<QWidget *>())
            if (w->isVisible() && w->isEnabled() && w->width() > 0 && w->height() > 0 && clickable(w))
                widgets << w;
        return widgets;
    }

    QString click()
    {
        QWidget *w = pick(targets());
        if (!w)
            return QStringLiteral("no click");
        const QPoint at(m_random.bounded(w->width()), m_random.bounded(w->height()));
        const bool twice = m_random.bounded(6) == 0;
        const QString what = QStringLiteral("%1 %2 \"%3\" at %4,%5")
                                 .arg(twice ? u"double-click" : u"click",
                                      QString::fromLatin1(w->metaObject()->className()), w->objectName())
                                 .arg(at.x())
                                 .arg(at.y());
        clickOn(w, !twice && m_random.bounded(8) == 0 ? Qt::RightButton : Qt::LeftButton, at, twice);
        return what;
    }

    QWidget *keyTarget() const
    {
        if (QWidget *w = QApplication::focusWidget())
            return w;
        if (QWidget *w = QApplication::activeWindow())
            return w;
        return &m_main;
    }

    QString key()
    {
        const Qt::Key key = Keys[m_random.bounded(static_cast<int>(std::size(Keys)))];
        const int m = m_random.bounded(10);
        const Qt::KeyboardModifiers modifiers = m == 0 ? Qt::ControlModifier : m == 1 ? Qt::ShiftModifier : Qt::NoModifier;
        QWidget *w = keyTarget();
        const QString what = QStringLiteral("key %1 (modifiers %2) to %3 \"%4\"")
                                 .arg(QKeySequence(key).toString())
                                 .arg(modifiers.toInt())
                                 .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
        keyOn(w, key, modifiers);
        return what;
    }

    QString text()
    {
        QWidget *w = pick(targets());
        if (!w)
            return QStringLiteral("no text");
        // Typed as a user does: click the box, select what is there, type.
        QPointer<QWidget> clicked(w);
        clickOn(w, Qt::LeftButton, w->rect().center(), false);
        QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : clicked.data();
        if (!focus)
            return QStringLiteral("text: the box went away");
        const QString typed = Texts.at(m_random.bounded(static_cast<int>(Texts.size())));
        const QString what = QStringLiteral("text \"%1\" into %2 \"%3\"")
                                 .arg(typed.left(20), QString::fromLatin1(focus->metaObject()->className()),
                                      focus->objectName());
        keyOn(focus, Qt::Key_A, Qt::ControlModifier);
        typeInto(focus, typed);
        return what;
    }

    QString switchWindow()
    {
        QMdiSubWindow *sub = pick(m_main.mdiArea()->subWindowList());
        if (!sub)
            return QStringLiteral("no window to activate");
        m_main.mdiArea()->setActiveSubWindow(sub);
        return QStringLiteral("activate \"%1\"").arg(sub->windowTitle());
    }

    // The next question of some kind gets a chosen answer instead of the
    // cancelling one, so that saving, loading and confirming run too.
    QString queueAnswer()
    {
        static const QMessageBox::StandardButton buttons[] = {QMessageBox::Yes, QMessageBox::No,
                                                              QMessageBox::Cancel, QMessageBox::Ok};
        static const char *const names[] = {"note.txt", "note.rtf", "plan.Dive", "Default.Dive", "missing.Dive",
                                            "profile.dan", "folder"};
        switch (m_random.bounded(3)) {
        case 0: {
            const auto button = buttons[m_random.bounded(static_cast<int>(std::size(buttons)))];
            m_dialogs.answerMessage(button);
            return QStringLiteral("answer the next message with button %1").arg(static_cast<int>(button));
        }
        case 1: {
            const QString name = m_files.filePath(QString::fromLatin1(names[m_random.bounded(static_cast<int>(std::size(names)))]));
            m_dialogs.answerFile(name);
            return QStringLiteral("answer the next file dialog with %1").arg(name);
        }
        default: {
            const QString typed = Texts.at(m_random.bounded(static_cast<int>(Texts.size())));
            m_dialogs.answerInput(typed);
            return QStringLiteral("answer the next input box with \"%1\"").arg(typed.left(20));
        }
        }
    }

    QString closeWindow()
    {
        QMdiSubWindow *sub = pick(m_main.mdiArea()->subWindowList());
        if (!sub)
            return QStringLiteral("no window to close");
        const QString what = QStringLiteral("close \"%1\"").arg(sub->windowTitle());
        sub->close();
        return what;
    }

    TMainForm &m_main;
    ScriptedDialogs &m_dialogs;
    QRandomGenerator m_random;
    QTemporaryDir m_files;  // where saves and loads of the run go
    int m_nextKind = 0;
    int m_forced = 0;
    QSet<QString> m_opened;  // commands of catalog kinds that opened a window
};

} // namespace

class TestMonkey final : public QObject
{
    Q_OBJECT

private slots:
    void randomUseOfEveryWindow();
};

void TestMonkey::randomUseOfEveryWindow()
{
    const quint32 seed = seedFromEnvironment();
    const int events = eventsFromEnvironment();
    qInfo("seed %u, %d events (TIDEWELL_MONKEY_SEED=%u replays this run)", seed, events, seed);
    WindowFixture program;
    TMainForm &main = program.main();
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    Monkey monkey(main, program.dialogs(), seed);
    Watchdog watchdog(seed, std::chrono::seconds(10));
    const auto started = std::chrono::steady_clock::now();
    QString last;
    // Every kind of window comes up at least once in the shortest run.
    const int kindEvery = std::max(1, std::min(100, events / std::max(1, int(windowCatalog().size()) * 2)));
    int questions = 0;
    for (int step = 0; step < events; ++step) {
        watchdog.beat(step, last);
        last = step % kindEvery == 0 ? monkey.openNextKind() : monkey.step();
        watchdog.beat(step, last);
        QCoreApplication::processEvents();
        monkey.prune();
        QVERIFY2(monkey.openWindows().size() <= Monkey::MaxWindows, qPrintable(last));
        QVERIFY2(main.isVisible(), qPrintable(QStringLiteral("the main window closed after step %1 (%2); seed %3")
                                                  .arg(step).arg(last).arg(seed)));
        QWidget *modal = QApplication::activeModalWidget();
        QVERIFY2(!modal, qPrintable(QStringLiteral("a modal %1 outside the dialog seam after step %2 (%3); seed %4")
                                        .arg(modal ? QString::fromLatin1(modal->metaObject()->className()) : QString())
                                        .arg(step).arg(last).arg(seed)));
        for (const auto &question : program.dialogs().asked())
            QVERIFY2(question.text != u"Unknown error",
                     qPrintable(QStringLiteral("an unknown error after step %1 (%2); seed %3").arg(step).arg(last).arg(seed)));
        questions += int(program.dialogs().asked().size());
        program.dialogs().clear();
    }
    QCOMPARE(monkey.kindsNotOpened(), QStringList());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    // Not through the test log, which stops after its warning limit.
    std::fprintf(stderr,
                 "monkey: seed %u, %d events in %.1f s (%.0f per second), %d windows open, %d questions asked, "
                 "%d windows taken away that would not close\n",
                 seed, events, seconds, events / seconds, static_cast<int>(monkey.openWindows().size()), questions,
                 monkey.forced());
}

int main(int argc, char **argv)
{
    // No other program may start: the mail program, browser and calculator
    // are looked up in an empty search path.
    QTemporaryDir emptyPath;
    qputenv("PATH", emptyPath.path().toLocal8Bit());
    TidewellApplication app(argc, argv);
    TestMonkey test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_monkey.moc"
