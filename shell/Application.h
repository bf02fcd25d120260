#pragma once

#include <QApplication>

// The application object. Its event delivery is guarded too, so an error in
// any event handler that is not wrapped itself is still reported instead of
// unwinding through the event loop.
class TidewellApplication final : public QApplication
{
    Q_OBJECT
public:
    TidewellApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
