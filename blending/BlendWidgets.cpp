#include "blending/BlendWidgets.h"

#include "widgets/ErrorGuard.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace blend {

QComboBox *editableList(QWidget *parent, const QString &name, const QStringList &entries, const QString &text)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(16);
    box->setMinimumContentsLength(7);
    box->addItems(entries);
    box->setEditText(text);
    return box;
}

QLabel *caption(QWidget *parent, const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text, parent);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

QLineEdit *resultBox(QWidget *parent, const QString &name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setMinimumWidth(90);
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

} // namespace blend
