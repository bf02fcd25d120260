#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The program installed with `cmake --install` from this build into a fresh
// temporary prefix, removed again with the object.
class Installation
{
public:
    Installation();
    Installation(const Installation &) = delete;
    Installation &operator=(const Installation &) = delete;

    // False, with the installer's output in error(), when the install failed.
    bool isValid() const { return m_valid; }
    QString error() const { return m_error; }
    QString prefix() const { return m_dir.path(); }
    QString path(const QString &relative) const { return m_dir.filePath(relative); }

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
    QString m_error;
};

// The output of a finished `program` run with `arguments` in `environment`
// (standard error joined to standard output); `exitCode` receives its exit
// code, -1 when it did not start or ran longer than four minutes (packaging
// checks the whole build first, which takes long on a busy machine).
QString runTool(const QString &program, const QStringList &arguments, int *exitCode,
                const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
