#pragma once

// Hands a note's text to the user's mail program. Linux desktops have no
// system mail interface; the desktop's handler of "mailto:" links stands in
// for it, so the user gets a new message with the text as its body.

#include <QObject>
#include <QString>

class QProcess;

// Whether the desktop names a handler for "mailto:" links. Asking means
// running xdg-mime, which may take seconds on a busy desktop, so the answer
// is asked for in the background and kept; windows read the kept answer and
// hear of a new one through `answered`.
class MailAvailability final : public QObject
{
    Q_OBJECT
public:
    // The program's one instance; the first call starts the first question.
    static MailAvailability &instance();

    // The last answer; false until the first one came.
    bool available() const { return m_available; }
    // Asks the desktop again in the background.
    void refresh();

signals:
    void answered(bool available);

private:
    MailAvailability() = default;
    void finish(bool available);

    QProcess *m_query = nullptr;
    bool m_available = false;
    bool m_askAgain = false;
};

// Opens a new message whose body is `body`, with no subject and no
// recipients. Short bodies travel in a "mailto:" link; longer ones, which a
// link cannot carry whole, go to xdg-email, as its body or, beyond what a
// command line holds, as an attached text file. False when nothing could
// take the message.
bool sendMail(const QString &body);

// Longest link handed to the desktop; mail programs cut longer ones.
constexpr int MaxMailtoLength = 2000;
// Longest body passed on xdg-email's command line (the kernel limits one
// argument to 128 KiB).
constexpr int MaxCommandLineBody = 100 * 1024;
