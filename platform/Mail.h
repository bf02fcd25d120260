#pragma once

// Hands a note's text to the user's mail program. Linux desktops have no
// system mail interface; the desktop's handler of "mailto:" links stands in
// for it, so the user gets a new message with the text as its body.

#include <QString>

// True when the desktop names a handler for "mailto:" links.
bool mailAvailable();

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
