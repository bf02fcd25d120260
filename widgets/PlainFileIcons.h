#pragma once

// File icons and type names chosen by kind and name only. Qt's own provider
// reads a file's first bytes to find its type, and a read from a device or
// kernel file of a browsed folder (/dev, /proc) may never return, which froze
// the window showing that folder.

#include <QFileIconProvider>

class PlainFileIcons final : public QFileIconProvider
{
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo &info) const override;
    QString type(const QFileInfo &info) const override;
};

// One provider for every file view of the program; it is never destroyed, so
// it outlives the views that use it.
PlainFileIcons *plainFileIcons();
