#pragma once
#include <QDialog>

class QLineEdit;

// "Port" (dialog 159): the manual choice of the meter's port. The user types
// a device path (/dev/ttyUSB0) or a number n, which stands for /dev/ttyUSBn.
class CPort : public QDialog {
    Q_OBJECT
public:
    explicit CPort(QWidget* parent = nullptr, const QString& preset = QStringLiteral("/dev/ttyUSB0"));
    // The device the entry names.
    QString DevicePath() const;

public slots:
    void accept() override;   // validates the entry first

private:
    QLineEdit* m_pEdit = nullptr;   // 1063
};
