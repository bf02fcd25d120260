#pragma once

// "Error message": the blending worksheet's question when a mix cannot be
// reached, with the problem, the suggested solution and Yes / No.

#include <QDialog>

class QLabel;
class QPushButton;

class TfmPopup final : public QDialog
{
    Q_OBJECT
public:
    explicit TfmPopup(QWidget *parent = nullptr);

    // Shows the dialog modally; true when the blender answered Yes.
    static bool ask(const QString &problem, const QString &solution, QWidget *parent = nullptr);

    QLabel *const Problem;
    QLabel *const Solution;
    QPushButton *const YesButton;
    QPushButton *const NoButton;
};
