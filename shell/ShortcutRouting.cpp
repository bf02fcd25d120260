#include "shell/ShortcutRouting.h"

#include "widgets/ChildForm.h"

#include <QAction>
#include <QKeySequence>
#include <QMdiSubWindow>
#include <QMenu>

namespace {

// The keys a command was made with; routing may take them away for a while.
QList<QKeySequence> ownKeys(QAction *command)
{
    const QVariant stored = command->property("ownKeys");
    if (stored.isValid())
        return stored.value<QList<QKeySequence>>();
    command->setProperty("ownKeys", QVariant::fromValue(command->shortcuts()));
    return command->shortcuts();
}

} // namespace

void releaseFrameShortcuts(QMdiSubWindow &frame, const QList<QAction *> &programCommands)
{
    // Ambiguous keys run nothing: the menu keys win, and the frame keeps the
    // keys no menu uses.
    QList<QKeySequence> taken;
    for (QAction *command : programCommands)
        taken << ownKeys(command);
    for (QAction *command : frame.widget()->findChildren<QAction *>())
        taken << ownKeys(command);
    for (QAction *command : frame.systemMenu()->actions()) {
        QList<QKeySequence> kept;
        for (const QKeySequence &key : command->shortcuts())
            if (!taken.contains(key))
                kept << key;
        command->setShortcuts(kept);
    }
}

void routeShortcuts(const QList<TChildForm *> &children, const TChildForm *active,
                    const QList<QAction *> &programCommands)
{
    // F3 saves a note, and opens the blending worksheet elsewhere: in a
    // note it saves.
    QList<QKeySequence> activeKeys;
    for (TChildForm *child : children) {
        for (QAction *command : child->findChildren<QAction *>()) {
            const QList<QKeySequence> keys = ownKeys(command);
            command->setShortcuts(child == active ? keys : QList<QKeySequence>());
            if (child == active)
                activeKeys << keys;
        }
    }
    for (QAction *command : programCommands) {
        QList<QKeySequence> keys = ownKeys(command);
        keys.removeIf([&](const QKeySequence &key) { return activeKeys.contains(key); });
        command->setShortcuts(keys);
    }
}
