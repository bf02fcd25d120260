#include "tests/support/Installation.h"

#include <QProcess>

Installation::Installation()
{
    int exitCode = -1;
    m_error = runTool(QStringLiteral(TIDEWELL_CMAKE_COMMAND),
                      {QStringLiteral("--install"), QStringLiteral(TIDEWELL_BUILD_DIR), QStringLiteral("--prefix"),
                       m_dir.path()},
                      &exitCode);
    m_valid = m_dir.isValid() && exitCode == 0;
}

QString runTool(const QString &program, const QStringList &arguments, int *exitCode,
                const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(240000);
    *exitCode = finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromLocal8Bit(process.readAll());
}
