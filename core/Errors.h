#pragma once

#include <QString>
#include <exception>

// Base of every error the program reports to the user. The text is shown
// as it is by the application's error reporting.
class AppError : public std::exception
{
public:
    explicit AppError(QString message)
        : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A text that is not a number, or a format string that does not fit its arguments.
class ConvertError final : public AppError
{
public:
    using AppError::AppError;
};

// A settings or plan file that could not be written.
class WriteError final : public AppError
{
public:
    using AppError::AppError;
};
