#include "tests/support/WindowFixture.h"

#include <QTest>

WindowFixture::WindowFixture(const QByteArray &settingsText)
{
    if (!settingsText.isNull())
        m_settings.write(settingsText);
}

TMainForm &WindowFixture::main(const QStringList &arguments)
{
    if (!m_main)
        m_main = std::make_unique<TMainForm>(arguments);
    return *m_main;
}

TMainForm &WindowFixture::shownMain(const QStringList &arguments)
{
    TMainForm &window = main(arguments);
    window.resize(1100, 760);
    window.show();
    QTest::qVerify(QTest::qWaitForWindowExposed(&window), "QTest::qWaitForWindowExposed(&window)", "", __FILE__,
                   __LINE__);
    return window;
}
