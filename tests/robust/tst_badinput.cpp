// The inputs users get wrong, typed into every input box of every window the
// main window's catalog opens (calculators, conversions, blending): empty
// and blank boxes, letters, a number past the largest double, minus zero,
// "NaN", a 300-digit number and the other locale's decimal separator. No
// window may crash, close, show an infinite or undefined number anywhere
// (a box may repeat the typed text as it stands), or answer with an empty
// message.

#include "core/NumText.h"
#include "shell/Application.h"
#include "shell/Main.h"
#include "shell/WindowCatalog.h"
#include "tests/support/TestNumbers.h"
#include "tests/support/UserDriver.h"
#include "tests/support/WindowFixture.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <QtTest>

namespace {

// What typed numbers become when they overflow or fail: shown as words.
const QRegularExpression NotANumber(QStringLiteral("\\b(inf|infinity|nan)\\b"), QRegularExpression::CaseInsensitiveOption);

QStringList badTexts()
{
    const QChar other = numberFormatSettings().decimalSeparator == u'.' ? u',' : u'.';
    return {QString(),
            QStringLiteral("   "),
            QStringLiteral("abc"),
            QStringLiteral("1e309"),
            QStringLiteral("-0"),
            QStringLiteral("NaN"),
            QString(300, u'9'),
            QStringLiteral("1") + other + QStringLiteral("5")};
}

// Brings forward the page of every page set that holds `w`.
void showPagesOf(QWidget *w)
{
    for (QWidget *child = w, *parent = w->parentWidget(); parent; child = parent, parent = parent->parentWidget())
        if (auto *stack = qobject_cast<QStackedWidget *>(parent))
            if (auto *tabs = qobject_cast<QTabWidget *>(stack->parentWidget()))
                tabs->setCurrentWidget(child);
}

// The boxes a user types into, on every page: text boxes, editable lists, spin boxes.
QList<QWidget *> inputBoxes(QWidget *window)
{
    QList<QWidget *> boxes;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        showPagesOf(w);
        if (!w->isVisibleTo(window) || !w->isEnabled())
            continue;
        if (auto *combo = qobject_cast<QComboBox *>(w); combo && combo->isEditable())
            boxes << combo;
        else if (auto *spin = qobject_cast<QAbstractSpinBox *>(w); spin && !spin->isReadOnly())
            boxes << spin;
        else if (auto *edit = qobject_cast<QLineEdit *>(w);
                 edit && !edit->isReadOnly() && !qobject_cast<QComboBox *>(edit->parentWidget())
                 && !qobject_cast<QAbstractSpinBox *>(edit->parentWidget()))
            boxes << edit;
    }
    return boxes;
}

QString textOf(const QWidget *w)
{
    if (auto *label = qobject_cast<const QLabel *>(w))
        return label->text();
    if (auto *edit = qobject_cast<const QLineEdit *>(w))
        return edit->text();
    if (auto *combo = qobject_cast<const QComboBox *>(w))
        return combo->currentText();
    if (auto *spin = qobject_cast<const QAbstractSpinBox *>(w))
        return spin->text();
    if (auto *text = qobject_cast<const QTextEdit *>(w))
        return text->toPlainText();
    if (auto *plain = qobject_cast<const QPlainTextEdit *>(w))
        return plain->toPlainText();
    return {};
}

// Every text the window shows but `typedInto` (and the line edit inside it)
// and boxes that repeat the typed text.
QStringList shownTexts(QWidget *window, const QWidget *typedInto, const QString &typed)
{
    QStringList texts;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window) || w == typedInto || w->parentWidget() == typedInto)
            continue;
        const QString text = textOf(w);
        if (!text.isEmpty() && text != typed)
            texts << w->objectName() + u'=' + text;
    }
    return texts;
}

} // namespace

class TestBadInput final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { useTestNumberFormat(); }
    void everyBoxOfEveryWindow_data();
    void everyBoxOfEveryWindow();
};

void TestBadInput::everyBoxOfEveryWindow_data()
{
    QTest::addColumn<QString>("command");
    for (const WindowKind &kind : windowCatalog()) {
        // The notepad and the profile viewer's note take any text; the tank
        // comparison is only opened, filled, by the planner.
        if (!kind.make || kind.kind == ChildKind::Notepad || kind.kind == ChildKind::ProfileViewer
            || kind.commands.isEmpty())
            continue;
        const QString command = kind.commands.first().name;
        QTest::newRow(qPrintable(command)) << command;
    }
}

void TestBadInput::everyBoxOfEveryWindow()
{
    QFETCH(QString, command);
    WindowFixture program;
    TMainForm &main = program.main();
    main.show();
    user::command(main, command)->trigger();
    QVERIFY(!main.childForms().isEmpty());
    TChildForm *window = main.childForms().last();
    const QList<QWidget *> boxes = inputBoxes(window);
    QVERIFY2(!boxes.isEmpty(), "a window without input boxes");

    int typed = 0;
    for (QWidget *box : boxes) {
        const QString name = box->objectName();
        showPagesOf(box);
        const QString old = textOf(box);
        for (const QString &bad : badTexts()) {
            const QString where = QStringLiteral("\"%1\" typed into %2").arg(bad.left(20), name);
            user::type(box, bad);
            ++typed;
            for (const QString &shown : shownTexts(window, box, bad))
                QVERIFY2(!NotANumber.match(shown).hasMatch(), qPrintable(where + QStringLiteral(" shows ") + shown));
            for (const auto &question : program.dialogs().asked()) {
                QVERIFY2(!question.text.trimmed().isEmpty(), qPrintable(where + QStringLiteral(": an empty message")));
                QString text = question.text;
                text.remove(bad);
                QVERIFY2(!NotANumber.match(text).hasMatch(), qPrintable(where + QStringLiteral(": ") + question.text));
            }
            program.dialogs().clear();
            QVERIFY2(main.childForms().contains(window), qPrintable(where + QStringLiteral(" closed the window")));
        }
        user::type(box, old);
        program.dialogs().clear();
    }
    qInfo("%d boxes, %d texts typed", int(boxes.size()), typed);
}

int main(int argc, char **argv)
{
    TidewellApplication app(argc, argv);
    TestBadInput test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_badinput.moc"
