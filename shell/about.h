#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: product, version, disclaimer and links. Shown from the Help
// menu and, without its OK button and frame, as the splash at start.
class TAboutBox final : public QDialog
{
    Q_OBJECT
public:
    static const QString VersionText;
    static const QString WebPage;
    static const QString ContactAddresses;

    explicit TAboutBox(QWidget *parent = nullptr);
    // Frameless, always on top, without the OK button.
    void makeSplash();
    // What "Copy E-mail addresses to clipboard" puts on the clipboard.
    static QString clipboardText();

private:
    QPushButton *m_ok = nullptr;
};
