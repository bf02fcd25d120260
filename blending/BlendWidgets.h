#pragma once

// Small builders for the blending windows' controls, so each window names
// and wires its boxes the same way.

#include <QString>
#include <QStringList>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace blend {

// An editable drop-down list named `name`.
QComboBox *editableList(QWidget *parent, const QString &name, const QStringList &entries = {},
                        const QString &text = {});
QLabel *caption(QWidget *parent, const QString &text, QWidget *buddy = nullptr);
QLineEdit *resultBox(QWidget *parent, const QString &name);

// Sets the free text of a list without running the window's change handlers.
void setListText(QComboBox *box, const QString &text);
// Replaces the entries and keeps the free text.
void setListEntries(QComboBox *box, const QStringList &entries);

// Runs `handler` (guarded) when the user types into or chooses from the
// list; texts the window writes itself do not run it.
void onUserChange(QComboBox *box, QWidget *context, std::function<void()> handler);

} // namespace blend
