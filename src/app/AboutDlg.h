#pragma once
#include <QDialog>

// The About box (dialog 100): the program's icon, its version and OK.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
